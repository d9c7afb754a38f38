// Dimora: without options opens the main window; with options runs a calculator on the console.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "engine/batch.h"
#include "engine/result_tables.h"
#include "qtkit/batch_export.h"
#include "ui/graph_figure.h"
#include "ui/mdi_main.h"

namespace {

// The size of the graph in a console export: about what the window shows when it opens.
constexpr int kGraphWidth = 640;
constexpr int kGraphHeight = 420;

int runBatchWithExports(const std::vector<std::string>& args) {
    const dimora::BatchCommand command = dimora::parseBatch(args);
    if (command.stop) {
        (command.stop->status == 0 ? std::cout : std::cerr) << command.stop->text;
        return command.stop->status;
    }
    dimora::BatchResults results;
    const int status = dimora::runBatch(command, std::cout, &results);
    if (status != 0 || !command.exports.any()) return status;
    auto app = qtkit::offscreenApplication("Dimora");
    std::optional<qtkit::Figure> figure;
    std::optional<csv::Table> table;
    if (results.curves) {
        const auto& c = *results.curves;
        figure = dimora::scGraphFigure(c, 1.0f / static_cast<float>(c.d), 0.5f, -1.0f,
                                       QSize(kGraphWidth, kGraphHeight), QGuiApplication::font());
        table = dimora::scCurvesTable(c);
    } else {
        table = dimora::nnSizeTable(results.lists);
    }
    return qtkit::writeBatchExports(command.exports, figure, table, "Dimora", std::cout);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && (std::string(argv[1]).rfind("--", 0) == 0 || std::string(argv[1]) == "-h"))
        return runBatchWithExports(std::vector<std::string>(argv + 1, argv + argc));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dimora"));
    dimora::mdiMain window;
    window.show();
    return QApplication::exec();
}
