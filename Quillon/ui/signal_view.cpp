#include "signal_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace quillon {

SignalView::SignalView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(400, 200);
}

void SignalView::draw(const DisplayPlan& plan, double scaleHeight) {
    plan_ = plan;
    scaleHeight_ = scaleHeight > 0.0 ? scaleHeight : 1.0;
    update();
}

QPointF SignalView::toUser(QPointF widgetPoint) const {
    return {widgetPoint.x() * kScaleWidth / std::max(1, width()),
            widgetPoint.y() * scaleHeight_ / std::max(1, height())};
}

void SignalView::paintPlan(QPainter& painter, const QRectF& area, const DisplayPlan& plan,
                           double scaleHeight, const QColor& frame) {
    painter.save();
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform t = QTransform::fromTranslate(area.left(), area.top());
    t.scale(area.width() / kScaleWidth, area.height() / (scaleHeight > 0.0 ? scaleHeight : 1.0));
    auto drawLines = [&](const std::vector<Line>& lines, int width) {
        for (const Line& l : lines) {
            QPen pen(QColor(l.color.r, l.color.g, l.color.b));
            pen.setWidth(width);
            painter.setPen(pen);
            painter.drawLine(t.map(QLineF(l.x1, l.y1, l.x2, l.y2)));
        }
    };
    drawLines(plan.signal, plan.signalWidth);
    drawLines(plan.approximation, plan.approximationWidth);
    // The frame's line lies on the area's outermost pixels, whole at any scale.
    painter.setPen(QPen(frame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

void SignalView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlan(painter, rect(), plan_, scaleHeight_, palette().color(QPalette::Mid));
}

void SignalView::mouseMoveEvent(QMouseEvent* event) {
    QPointF p = toUser(event->position());
    emit pointerMoved(p.x(), p.y());
}

} // namespace quillon
