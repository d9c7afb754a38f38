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
        const perceptron::BatchCommand command =
            perceptron::parse_batch(std::vector<std::string>(argv + 1, argv + argc));
        if (command.stop) {
            (command.stop->status == 0 ? std::cout : std::cerr) << command.stop->text;
            return command.stop->status;
        }
        perceptron::Demonstration demo;
        const int status = perceptron::run_batch(command, std::cout, &demo);
        if (status != 0 || !command.exports.any()) return status;
        auto app = qtkit::offscreenApplication("perceptron");
        return qtkit::writeBatchExports(
            command.exports, perceptron::plane_figure(demo, perceptron::colour::dark_yellow),
            perceptron::samples_table(demo.samples(), demo.weights()), "Perceptron", std::cout);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("perceptron"));
    perceptron::frmPerceptrom window;
    window.show();
    return QApplication::exec();
}
