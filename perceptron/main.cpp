// Without arguments the demonstration window opens; with options the console run of
// perceptron::run_batch takes place instead (no display needed).
#include "engine/batch.h"
#include "engine/samples_table.h"
#include "qtkit/batch_export.h"
#include "ui/frm_perceptrom.h"
#include "ui/plane_figure.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc > 1) {
        std::vector<std::string> args(argv + 1, argv + argc);
        auto taken = qtkit::takeExportOptions(args);
        if (!taken.error.empty()) {
            std::cerr << "perceptron: " << taken.error << "\n" << qtkit::exportUsage(true);
            return 2;
        }
        perceptron::Demonstration demo;
        const int status = perceptron::run_batch(args, std::cout, std::cerr, &demo);
        if (status == 0 && args.size() == 1 && (args[0] == "--help" || args[0] == "-h"))
            std::cout << qtkit::exportUsage(true);
        if (status != 0 || !taken.exports.any()) return status;
        auto app = qtkit::offscreenApplication("perceptron");
        return qtkit::writeBatchExports(
            taken.exports, perceptron::plane_figure(demo, perceptron::colour::dark_yellow),
            perceptron::samples_table(demo.samples(), demo.weights()), "Perceptron", std::cout);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("perceptron"));
    perceptron::frmPerceptrom window;
    window.show();
    return QApplication::exec();
}
