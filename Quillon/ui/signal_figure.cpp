#include "signal_figure.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

#include "signal_view.h"

namespace quillon {

int scaleColumnWidth(const SignalFigureInput& input) {
    const QFontMetrics metrics(input.font);
    return std::max({kScaleLabelWidth, metrics.horizontalAdvance(input.max),
                     metrics.horizontalAdvance(input.min)});
}

qtkit::Figure signalFigure(const SignalFigureInput& input) {
    const int column = scaleColumnWidth(input);
    const QSize picture = input.pictureSize.expandedTo(QSize(1, 1));
    qtkit::Figure figure;
    figure.size = QSize(column + kScaleGap + picture.width(), picture.height());
    figure.title = QStringLiteral("Quillon");
    figure.paint = [input, column, picture](QPainter& painter) {
        painter.setFont(input.font);
        painter.setPen(Qt::black);
        const int line = QFontMetrics(input.font).height();
        painter.drawText(QRect(0, 0, column, line), Qt::AlignRight | Qt::AlignTop, input.max);
        painter.drawText(QRect(0, picture.height() - line, column, line),
                         Qt::AlignRight | Qt::AlignBottom, input.min);
        SignalView::paintPlan(painter, QRectF(QPointF(column + kScaleGap, 0), QSizeF(picture)),
                              input.plan, input.scaleHeight, input.frame);
    };
    return figure;
}

} // namespace quillon
