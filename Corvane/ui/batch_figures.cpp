#include "batch_figures.h"

#include "error_chart.h"

#include "qtkit/batch_export.h"

#include <QApplication>

#include <memory>
#include <optional>

namespace corvane {

int write_batch_figures(const cli::Exports& exports, const batch::BatchResults& results,
                        std::ostream& out) {
    static int argc = 1;
    static char name[] = "Corvane";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName("Corvane");
    }
    std::optional<qtkit::Figure> figure;
    if (results.chart) figure = error_chart_figure(*results.chart);
    return qtkit::writeFigureFiles(exports, figure, "Corvane", out);
}

} // namespace corvane
