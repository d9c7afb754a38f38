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
        const pellin::BatchCommand command = pellin::parse_batch(args);
        if (command.stop) {
            (command.stop->status == 0 ? std::cout : std::cerr) << command.stop->text;
            return command.stop->status;
        }
        std::optional<csv::Table> results;
        const int status = pellin::run_batch(command.request, std::cout, &results);
        if (status != 0 || !command.exports.any()) return status;
        auto app = qtkit::offscreenApplication("Pellin");
        return qtkit::writeBatchExports(command.exports, std::nullopt, results, "K-NN Classifier",
                                        std::cout);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Pellin");
    pellin::Form1 window;
    if (!args.empty()) window.setFileName(QString::fromLocal8Bit(args.front().c_str()));
    window.show();
    return app.exec();
}
