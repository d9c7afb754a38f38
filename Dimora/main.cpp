// Dimora: without arguments opens the main window; with options runs a calculator on the
// console.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/batch.h"

#ifdef SUITE_WINDOWS
#include <QApplication>

#include "ui/batch_figures.h"
#include "ui/mdi_main.h"
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef SUITE_WINDOWS
    const dimora::FigureFiles figures = dimora::writeBatchFigures;
#else
    const dimora::FigureFiles figures; // a build without windows draws no figure
#endif
    if (cli::how_to_start(args, false) == cli::Start::batch)
        return dimora::batch_main(args, std::cout, std::cerr, figures);
#ifdef SUITE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dimora"));
    dimora::mdiMain window;
    window.show();
    return QApplication::exec();
#else
    return cli::window_not_built("Dimora", std::cerr);
#endif
}
