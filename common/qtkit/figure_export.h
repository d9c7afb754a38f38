// Figures drawn anew for files and the clipboard: a figure is a painting function over a
// logical size, rendered to SVG, to PNG at any scale, to PDF or to a clipboard image. Nothing is
// grabbed from the screen, so a 3x PNG has sharp lines and text and an SVG stays vector.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "textfile/textfile.h"

#include <functional>
#include <optional>

class QPainter;

namespace qtkit {

struct Figure {
    QSize size;                           ///< logical size, in pixels at scale 1
    std::function<void(QPainter&)> paint; ///< draws within QRect(QPoint(0, 0), size)
    QString title;                        ///< stored in the SVG and PDF
};

enum class FigureFormat { svg, png, pdf };

/// The format a file name's suffix asks for ("svg", "png", "pdf", any case); nullopt otherwise.
std::optional<FigureFormat> figureFormatOf(const QString& path);

/// The figure on a white image of size × scale pixels (scale from 1 to 10).
QImage renderImage(const Figure& figure, double scale);

/// The bytes of the figure's file in a format (`scale` only applies to PNG).
QByteArray renderFigure(const Figure& figure, FigureFormat format, double scale = 1.0);

/// Renders the figure and writes it to `path` through the suite's atomic writer. False, with
/// the system's reason (the previous file left as it was), when the file cannot be written.
textfile::WriteResult saveFigure(const Figure& figure, const QString& path, FigureFormat format,
                                 double scale = 1.0);

/// Writes `bytes` to `path` through the suite's atomic writer.
textfile::WriteResult saveBytes(const QString& path, const QByteArray& bytes);

/// Puts the figure on the clipboard, as an image (at `scale`) and as SVG.
void copyFigure(const Figure& figure, double scale = 1.0);

} // namespace qtkit
