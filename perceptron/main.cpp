// Without arguments the demonstration window opens; with options the console run of
// perceptron::run_batch takes place instead (no display needed).
#include "engine/batch.h"
#include "ui/frm_perceptrom.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc > 1) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return perceptron::run_batch(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    perceptron::frmPerceptrom window;
    window.show();
    return QApplication::exec();
}
