#include "batch_figures.h"

#include <QGuiApplication>

#include "graph_figure.h"
#include "qtkit/batch_export.h"

namespace dimora {
namespace {

// The size of the graph in a console export: about what the window shows when it opens.
constexpr int kGraphWidth = 640;
constexpr int kGraphHeight = 420;

} // namespace

int writeBatchFigures(const cli::Exports& exports, const BatchResults& results, std::ostream& out) {
    auto app = qtkit::offscreenApplication("Dimora");
    std::optional<qtkit::Figure> figure;
    if (results.curves) {
        const SCCurves& c = *results.curves;
        figure = scGraphFigure(c, 1.0f / static_cast<float>(c.d), 0.5f, -1.0f,
                               QSize(kGraphWidth, kGraphHeight), QGuiApplication::font());
    }
    return qtkit::writeFigureFiles(exports, figure, "Dimora", out);
}

} // namespace dimora
