#include "plane_figure.h"

#include "engine/samples_table.h"
#include "plane_canvas.h"
#include "qtkit/batch_export.h"

#include <QGuiApplication>
#include <QPainter>

namespace perceptron {

qtkit::Figure plane_figure(const Demonstration& demo, int line_colour) {
    qtkit::Figure figure;
    figure.size = QSize(scale::area_width_px, scale::area_height_px);
    figure.title = QStringLiteral("Perceptron");
    const bool hasSet = !demo.samples().u.empty();
    const Weights w = demo.weights();
    const SampleSet samples = demo.samples();
    figure.paint = [hasSet, w, samples, line_colour](QPainter& painter) {
        painter.fillRect(QRect(0, 0, scale::area_width_px, scale::area_height_px),
                         PlaneCanvas::background());
        if (hasSet) {
            PlaneCanvas::paintStrokes(painter, draw_decision_line(w, line_colour));
            PlaneCanvas::paintStrokes(painter, draw_points(samples));
        }
        PlaneCanvas::paintStrokes(painter, draw_axes());
    };
    return figure;
}

qtkit::ExportSources plane_exports(const Demonstration& demo, const int& line_colour) {
    qtkit::ExportSources sources;
    sources.figure = [&demo, &line_colour] {
        return std::optional(plane_figure(demo, line_colour));
    };
    sources.table = [&demo]() -> std::optional<csv::Table> {
        if (demo.samples().u.empty()) return std::nullopt;
        return samples_table(demo.samples(), demo.weights());
    };
    sources.baseName = QStringLiteral("perceptron");
    return sources;
}

int write_batch_figures(const cli::Exports& exports, const BatchResults& demo, std::ostream& out) {
    auto app = qtkit::offscreenApplication("perceptron");
    return qtkit::writeFigureFiles(exports, plane_figure(demo, colour::dark_yellow), "Perceptron",
                                   out);
}

} // namespace perceptron
