// Pellin: without options the window opens (on the data file named, if one is); with options the
// batch mode runs one "Compute" on the console.
#include "cli/cli.h"
#include "engine/batch.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef SUITE_WINDOWS
#include "ui/form1.h"

#include <QApplication>
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (cli::how_to_start(args, true) == cli::Start::batch)
        return pellin::batch_main(args, std::cout, std::cerr);
#ifdef SUITE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName("Pellin");
    pellin::Form1 window;
    if (!args.empty()) window.setFileName(QString::fromLocal8Bit(args.front().c_str()));
    window.show();
    return QApplication::exec();
#else
    return cli::window_not_built("Pellin", std::cerr);
#endif
}
