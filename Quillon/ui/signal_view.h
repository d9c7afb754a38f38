// The drawing of the signal and its approximation, on a user scale 1000 wide.
#pragma once

#include <QColor>
#include <QWidget>

#include "engine/display.h"

class QPainter;

namespace quillon {

class SignalView : public QWidget {
    Q_OBJECT
public:
    explicit SignalView(QWidget* parent = nullptr);

    /// Clears the drawing and draws `plan` on a scale of width 1000 and height `scaleHeight`.
    void draw(const DisplayPlan& plan, double scaleHeight);

    /// The user coordinates of a point of the widget.
    QPointF toUser(QPointF widgetPoint) const;

    const DisplayPlan& plan() const { return plan_; }
    /// The height of the user scale the plan is drawn on.
    double scaleHeight() const { return scaleHeight_; }

    /// Paints `plan` into `area` of any painter (the widget, or a figure being exported at
    /// another resolution): white ground, the signal and the approximation on a scale of width
    /// 1000 and height `scaleHeight`, and a frame in `frame`. Pen widths are in the painter's
    /// units, so a figure painted at three times the size has lines three times as wide.
    static void paintPlan(QPainter& painter, const QRectF& area, const DisplayPlan& plan,
                          double scaleHeight, const QColor& frame);

signals:
    /// The pointer moved to (x, y) in user coordinates.
    void pointerMoved(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    DisplayPlan plan_;
    double scaleHeight_ = 1.0;
};

} // namespace quillon
