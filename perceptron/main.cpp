// Without arguments the demonstration window opens; with options the console run of
// perceptron::batch_main takes place instead (no display needed).
#include "cli/cli.h"
#include "engine/batch.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef SUITE_WINDOWS
#include "ui/frm_perceptrom.h"
#include "ui/plane_figure.h"

#include <QApplication>
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef SUITE_WINDOWS
    const perceptron::FigureFiles figures = perceptron::write_batch_figures;
#else
    const perceptron::FigureFiles figures; // a build without windows draws no figure
#endif
    if (cli::how_to_start(args, false) == cli::Start::batch)
        return perceptron::batch_main(args, std::cout, std::cerr, figures);
#ifdef SUITE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("perceptron"));
    perceptron::frmPerceptrom window;
    window.show();
    return QApplication::exec();
#else
    return cli::window_not_built("perceptron", std::cerr);
#endif
}
