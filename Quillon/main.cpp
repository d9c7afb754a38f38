// Starts the analyser's window, or runs its steps on the console when given options.
#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

#include "engine/batch.h"
#include "ui/form1.h"

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (quillon::is_batch(args)) return quillon::run_batch(args, std::cout, std::cerr);
    if (args.size() > 1) {
        std::cerr << quillon::batch_usage();
        return 2;
    }
    QApplication app(argc, argv);
    quillon::Form1 window;
    window.show();
    if (!args.empty()) window.openSignal(QString::fromLocal8Bit(args.front().c_str()));
    return QApplication::exec();
}
