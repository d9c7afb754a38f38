#include "pattern_figure.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

// The grid lines' colour, the pattern window's own.
const QColor kLineColour(0x80, 0x80, 0x80);

// The sheet of stored patterns: its margin, the room between patterns, the caption's line and
// the narrowest place a pattern and its caption take.
constexpr int kMargin = 12;
constexpr int kGap = 16;
constexpr int kCaptionHeight = 20;
constexpr int kCaptionPixels = 12;
constexpr int kMinSlotWidth = 80;
// A sheet of many patterns gets smaller cells to stay within this size at scale 1.
constexpr int kMaxSheetSide = 1600;
constexpr int kMinSheetCell = 2;
constexpr int kMostPerRow = 6;

QSize GridSize(const Pattern& pattern, int side) {
    return {pattern.columns() * side + 1, pattern.rows() * side + 1};
}

// The pattern with its top left corner at `origin`: white ground, black cells on, a grey line
// of one pixel around every cell. Lines lie on half pixels, so each covers whole pixels at every
// whole-number scale and stays sharp.
void PaintGrid(QPainter& painter, const Pattern& pattern, QPoint origin, int side) {
    const QSize size = GridSize(pattern, side);
    painter.fillRect(QRect(origin, size), Qt::white);
    for (int r = 0; r < pattern.rows(); ++r)
        for (int c = 0; c < pattern.columns(); ++c)
            if (pattern(r, c) == 1)
                painter.fillRect(
                    QRect(origin.x() + c * side + 1, origin.y() + r * side + 1, side - 1, side - 1),
                    Qt::black);
    QList<QLineF> lines;
    for (int c = 0; c <= pattern.columns(); ++c) {
        const double x = origin.x() + c * side + 0.5;
        lines.append(QLineF(x, origin.y(), x, origin.y() + size.height()));
    }
    for (int r = 0; r <= pattern.rows(); ++r) {
        const double y = origin.y() + r * side + 0.5;
        lines.append(QLineF(origin.x(), y, origin.x() + size.width(), y));
    }
    painter.save();
    QPen pen(kLineColour, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.drawLines(lines);
    painter.restore();
}

struct SheetLayout {
    int perRow = 1;
    int patternRows = 1;
    int side = 1;
    QSize grid;
    int slotWidth = 0;
    QSize size;
};

SheetLayout LayOut(const Pattern& first, int count) {
    SheetLayout l;
    l.perRow = std::max(std::min(count, kMostPerRow),
                        static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count)))));
    l.patternRows = (count + l.perRow - 1) / l.perRow;
    for (l.side = FigureCellSide(first.rows(), first.columns());; --l.side) {
        l.grid = GridSize(first, l.side);
        l.slotWidth = std::max(l.grid.width(), kMinSlotWidth);
        l.size = QSize(2 * kMargin + l.perRow * l.slotWidth + (l.perRow - 1) * kGap,
                       2 * kMargin + l.patternRows * (l.grid.height() + kCaptionHeight) +
                           (l.patternRows - 1) * kGap);
        const bool fits = l.size.width() <= kMaxSheetSide && l.size.height() <= kMaxSheetSide;
        if (fits || l.side <= kMinSheetCell) break;
    }
    return l;
}

} // namespace

int FigureCellSide(int rows, int columns) {
    return std::clamp(320 / std::max({rows, columns, 1}), 4, 24);
}

qtkit::Figure PatternFigure(const Pattern& pattern) {
    qtkit::Figure figure;
    const int side = FigureCellSide(pattern.rows(), pattern.columns());
    figure.size = GridSize(pattern, side);
    figure.title = QStringLiteral("Pattern");
    figure.paint = [pattern, side](QPainter& painter) {
        PaintGrid(painter, pattern, QPoint(0, 0), side);
    };
    return figure;
}

std::optional<qtkit::Figure> StoredPatternsFigure(const std::vector<Pattern>& patterns) {
    if (patterns.empty()) return std::nullopt;
    const SheetLayout l = LayOut(patterns.front(), static_cast<int>(patterns.size()));
    qtkit::Figure figure;
    figure.size = l.size;
    figure.title = QStringLiteral("Stored patterns");
    figure.paint = [patterns, l](QPainter& painter) {
        QFont font = painter.font();
        font.setPixelSize(kCaptionPixels);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (std::size_t k = 0; k < patterns.size(); ++k) {
            const int column = static_cast<int>(k) % l.perRow;
            const int row = static_cast<int>(k) / l.perRow;
            const QPoint slot(kMargin + column * (l.slotWidth + kGap),
                              kMargin + row * (l.grid.height() + kCaptionHeight + kGap));
            const QPoint origin(slot.x() + (l.slotWidth - l.grid.width()) / 2, slot.y());
            PaintGrid(painter, patterns[k], origin, l.side);
            painter.drawText(
                QRect(slot.x(), slot.y() + l.grid.height() + 2, l.slotWidth, kCaptionHeight - 2),
                Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Pattern %1").arg(k + 1));
        }
    };
    return figure;
}

} // namespace tessaly
