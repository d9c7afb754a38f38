#include "plane_canvas.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace perceptron {

namespace {

QColor paletteColour(int index) {
    std::uint32_t rgb = palette_rgb(index);
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QFont planeFont() {
    QFont font(QString::fromLatin1(plane_font));
    font.setPixelSize(11);
    return font;
}

} // namespace

PlaneCanvas::PlaneCanvas(QWidget* parent)
    : QFrame(parent), image_(scale::area_width_px, scale::area_height_px, QImage::Format_RGB32) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(scale::border_px);
    setFixedSize(scale::box_width_px, scale::box_height_px);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    clear();
}

QColor PlaneCanvas::background() {
    return QColor(Qt::white);
}

QSizeF PlaneCanvas::textExtent(const std::string& text) {
    QFontMetricsF metrics(planeFont());
    return {metrics.horizontalAdvance(QString::fromStdString(text)) / scale::pixels_per_x,
            metrics.height() / scale::pixels_per_yd};
}

QPointF PlaneCanvas::toPixel(double x, double yd) {
    return {(x - scale::left) * scale::pixels_per_x, (yd - scale::top) * scale::pixels_per_yd};
}

void PlaneCanvas::clear() {
    image_.fill(background());
    update();
}

void PlaneCanvas::draw(const Drawing& strokes) {
    QPainter painter(&image_);
    paintStrokes(painter, strokes);
    update();
}

void PlaneCanvas::paintStrokes(QPainter& painter, const Drawing& strokes) {
    painter.save();
    painter.setFont(planeFont());
    const int ascent = painter.fontMetrics().ascent();
    for (const Stroke& stroke : strokes) {
        if (const auto* s = std::get_if<Segment>(&stroke)) {
            painter.setPen(QPen(paletteColour(s->colour), 0));
            painter.drawLine(toPixel(s->x1, s->yd1), toPixel(s->x2, s->yd2));
        } else if (const auto* l = std::get_if<Label>(&stroke)) {
            painter.setPen(paletteColour(l->colour));
            QPointF topLeft = toPixel(l->x, l->yd);
            painter.drawText(topLeft + QPointF(0, ascent), QString::fromStdString(l->text));
        } else if (const auto* f = std::get_if<Fill>(&stroke)) {
            painter.fillRect(QRectF(toPixel(f->x1, f->yd1), toPixel(f->x2, f->yd2)), background());
        }
    }
    painter.restore();
}

void PlaneCanvas::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image_);
}

UserPoint PlaneCanvas::userPointOf(const QPointF& widgetPos) const {
    QPointF inArea = widgetPos - contentsRect().topLeft();
    return user_point(inArea.x(), inArea.y());
}

void PlaneCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(userPointOf(event->position()));
}

void PlaneCanvas::mousePressEvent(QMouseEvent* event) {
    emit pointerPressed(userPointOf(event->position()));
}

} // namespace perceptron
