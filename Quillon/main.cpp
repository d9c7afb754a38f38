// Starts the analyser's window (on the signal file named, if one is), or runs its steps on the
// console when given options.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "engine/batch.h"

#ifdef SUITE_WINDOWS
#include <QApplication>

#include "ui/batch_figures.h"
#include "ui/form1.h"
#endif

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (cli::how_to_start(args, true) == cli::Start::batch) {
#ifdef SUITE_WINDOWS
        return quillon::batch_main(args, std::cout, std::cerr, quillon::write_batch_figures);
#else
        return quillon::batch_main(args, std::cout, std::cerr);
#endif
    }
#ifdef SUITE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    quillon::Form1 window;
    window.show();
    if (!args.empty()) window.openSignal(QString::fromLocal8Bit(args.front().c_str()));
    return QApplication::exec();
#else
    return cli::window_not_built("Quillon", std::cerr);
#endif
}
