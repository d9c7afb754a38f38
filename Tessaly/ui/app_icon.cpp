#include "app_icon.h"

#include <QPainter>

namespace tessaly {

QPixmap appPixmap(int size) {
    // A letter T drawn on a 5 x 5 grid of cells.
    static const char* const kCells[] = {"11111", "00100", "00100", "00100", "00100"};
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    const double cell = size / 5.0;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (kCells[r][c] == '1')
                painter.fillRect(QRectF(c * cell, r * cell, cell, cell), Qt::black);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    for (int k = 0; k <= 5; ++k) {
        painter.drawLine(QPointF(k * cell, 0), QPointF(k * cell, size));
        painter.drawLine(QPointF(0, k * cell), QPointF(size, k * cell));
    }
    return pixmap;
}

QIcon appIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(appPixmap(size));
    return icon;
}

} // namespace tessaly
