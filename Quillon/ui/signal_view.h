// The drawing of the signal and its approximation, on a user scale 1000 wide.
#pragma once

#include <QWidget>

#include "engine/display.h"

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

signals:
    /// The pointer moved to (x, y) in user coordinates.
    void pointerMoved(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QTransform userToWidget() const;

    DisplayPlan plan_;
    double scaleHeight_ = 1.0;
};

} // namespace quillon
