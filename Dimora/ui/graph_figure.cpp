#include "graph_figure.h"

#include <QPainter>

#include "plot_graph.h"

namespace dimora {

std::optional<qtkit::Figure> scGraphFigure(const SCCurves& curves, float x0, float ymax,
                                           float marker, QSize size, const QFont& font,
                                           const UserScale& start) {
    const GraphInput probe{curves.npts, curves.d, curves.Pe, x0,        curves,
                           1,           ymax,     Qt::black, Qt::black, Qt::black};
    const auto scale = FitGraph(probe, size, font, start);
    if (!scale) return std::nullopt;
    qtkit::Figure figure;
    figure.size = size;
    figure.title = QStringLiteral("SCSize");
    figure.paint = [curves, x0, ymax, marker, size, font, scale](QPainter& p) {
        const GraphInput in{curves.npts, curves.d, curves.Pe, x0,        curves,
                            1,           ymax,     Qt::black, Qt::black, Qt::black};
        const GraphMapping map{*scale, size};
        PaintGraph(p, map, font, in);
        if (marker >= 0.0f) {
            // The window shows the marker by inverting every other pixel on white: a black
            // dotted line from the top of the error axis to 0.
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.drawLine(map.toPixel(marker, ymax), map.toPixel(marker, 0.0));
        }
    };
    return figure;
}

} // namespace dimora
