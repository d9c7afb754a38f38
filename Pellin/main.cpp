#include "engine/batch.h"
#include "qtkit/batch_export.h"
#include "ui/form1.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (pellin::wants_batch(args)) {
        auto taken = qtkit::takeExportOptions(args);
        if (!taken.error.empty()) {
            std::cerr << "Pellin: " << taken.error << "\n" << qtkit::exportUsage(false);
            return 2;
        }
        if (taken.exports.wantsFigure()) {
            std::cerr << "Pellin: there is no figure to export; --export-csv writes the results\n"
                      << qtkit::exportUsage(false);
            return 2;
        }
        std::optional<csv::Table> results;
        const int status = pellin::run_batch(args, std::cout, std::cerr, &results);
        if (status == 0 && args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
            std::cout << "After the other options:\n" << qtkit::exportUsage(false);
        if (status != 0 || !taken.exports.any()) return status;
        auto app = qtkit::offscreenApplication("Pellin");
        return qtkit::writeBatchExports(taken.exports, std::nullopt, results, "K-NN Classifier",
                                        std::cout);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Pellin");
    pellin::Form1 window;
    if (!args.empty()) window.setFileName(QString::fromLocal8Bit(args.front().c_str()));
    window.show();
    return app.exec();
}
