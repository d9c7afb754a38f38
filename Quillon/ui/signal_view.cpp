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

QTransform SignalView::userToWidget() const {
    return QTransform::fromScale(width() / kScaleWidth, height() / scaleHeight_);
}

QPointF SignalView::toUser(QPointF widgetPoint) const {
    return {widgetPoint.x() * kScaleWidth / std::max(1, width()),
            widgetPoint.y() * scaleHeight_ / std::max(1, height())};
}

void SignalView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    QTransform t = userToWidget();
    auto drawLines = [&](const std::vector<Line>& lines, int width) {
        for (const Line& l : lines) {
            QPen pen(QColor(l.color.r, l.color.g, l.color.b));
            pen.setWidth(width);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawLine(t.map(QLineF(l.x1, l.y1, l.x2, l.y2)));
        }
    };
    drawLines(plan_.signal, plan_.signalWidth);
    drawLines(plan_.approximation, plan_.approximationWidth);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SignalView::mouseMoveEvent(QMouseEvent* event) {
    QPointF p = toUser(event->position());
    emit pointerMoved(p.x(), p.y());
}

} // namespace quillon
