#include "figure_export.h"

#include "textfile/textfile.h"

#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

namespace qtkit {

namespace {

// PDF pages are laid out in points; the writer's device units are 1/720 inch so that drawing
// code using whole pixel coordinates stays exact after the scale to points.
constexpr int pdf_resolution = 720;
constexpr double pdf_units_per_pixel = pdf_resolution / 72.0;

void paintOn(QPainter& painter, const Figure& figure) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(QRect(QPoint(0, 0), figure.size));
    if (figure.paint) figure.paint(painter);
}

QByteArray svgBytes(const Figure& figure) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(figure.size);
    generator.setViewBox(QRect(QPoint(0, 0), figure.size));
    generator.setTitle(figure.title);
    QPainter painter(&generator);
    painter.fillRect(QRect(QPoint(0, 0), figure.size), Qt::white);
    paintOn(painter, figure);
    painter.end();
    return buffer.data();
}

QByteArray pdfBytes(const Figure& figure) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(pdf_resolution);
    writer.setTitle(figure.title);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageSize(
        QPageSize(QSizeF(figure.size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    QPainter painter(&writer);
    painter.scale(pdf_units_per_pixel, pdf_units_per_pixel);
    painter.fillRect(QRect(QPoint(0, 0), figure.size), Qt::white);
    paintOn(painter, figure);
    painter.end();
    return buffer.data();
}

} // namespace

std::optional<FigureFormat> figureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) return FigureFormat::svg;
    if (suffix == QLatin1String("png")) return FigureFormat::png;
    if (suffix == QLatin1String("pdf")) return FigureFormat::pdf;
    return std::nullopt;
}

QImage renderImage(const Figure& figure, double scale) {
    scale = std::clamp(scale, 1.0, 10.0);
    const QSize pixels(qRound(figure.size.width() * scale), qRound(figure.size.height() * scale));
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintOn(painter, figure);
    painter.end();
    return image;
}

QByteArray renderFigure(const Figure& figure, FigureFormat format, double scale) {
    switch (format) {
    case FigureFormat::svg:
        return svgBytes(figure);
    case FigureFormat::pdf:
        return pdfBytes(figure);
    case FigureFormat::png:
        break;
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    renderImage(figure, scale).save(&buffer, "PNG");
    return buffer.data();
}

textfile::WriteResult saveBytes(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return {false, "no file name was given"};
    return textfile::write_replacing(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

textfile::WriteResult saveFigure(const Figure& figure, const QString& path, FigureFormat format,
                                 double scale) {
    return saveBytes(path, renderFigure(figure, format, scale));
}

void copyFigure(const Figure& figure, double scale) {
    auto* data = new QMimeData;
    data->setImageData(renderImage(figure, scale));
    data->setData(QStringLiteral("image/svg+xml"), svgBytes(figure));
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace qtkit
