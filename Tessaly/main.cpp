// Tessaly: the window, or a batch run when started with options.
#include "batch.h"
#include "frm_document.h"
#include "frm_main.h"
#include "main_settings.h"
#include "pattern_figure.h"
#include "weight_table.h"

#include "qtkit/batch_export.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

#include <iostream>
#include <string>
#include <vector>

namespace {

// A batch run, then the files of the export options: the recalled pattern as the figure and
// the weight matrix in use as the table.
int RunBatchWithExports(std::vector<std::string> args) {
    auto taken = qtkit::takeExportOptions(args);
    if (!taken.error.empty()) {
        std::cerr << "Tessaly: " << taken.error << "\n\n"
                  << tessaly::BatchUsage() << qtkit::exportUsage(true);
        return 2;
    }
    tessaly::BatchOutcome outcome;
    int status = tessaly::RunBatch(args, std::cout, std::cerr, &outcome);
    if (status == 0 && args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
        std::cout << "After the other options:\n" << qtkit::exportUsage(true);
    if (status != 0 || !taken.exports.any()) return status;

    std::optional<csv::Table> table;
    if (!outcome.weights.empty()) {
        table = tessaly::WeightTable(outcome.weights, outcome.recalled.columns());
    } else if (!taken.exports.csv.empty()) {
        std::cerr << "Tessaly: no weights to export (nothing stored and no weights given)\n";
        taken.exports.csv.clear();
        status = 1;
    }
    auto app = qtkit::offscreenApplication(tessaly::kApplicationTitle);
    const int written =
        qtkit::writeBatchExports(taken.exports, tessaly::PatternFigure(outcome.recalled), table,
                                 tessaly::kApplicationTitle, std::cout);
    return std::max(status, written);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (tessaly::IsBatchCommandLine(args)) return RunBatchWithExports(args);
    if (args.size() > 1) {
        std::cerr << tessaly::BatchUsage();
        return 2;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(tessaly::kApplicationTitle);
    QApplication::setOrganizationName(tessaly::kApplicationTitle);
    tessaly::frmMain window;
    window.show();
    if (args.size() == 1) {
        // Start on a pattern file: the first pattern window loads it.
        if (QMdiSubWindow* sub = window.mdiArea()->subWindowList().value(0))
            if (auto* document = qobject_cast<tessaly::frmDocument*>(sub->widget()))
                document->loadFile(QString::fromLocal8Bit(args.front().c_str()));
    }
    return QApplication::exec();
}
