#include "engine/batch.h"
#include "ui/form1.h"

#include <QApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (pellin::wants_batch(args)) return pellin::run_batch(args, std::cout, std::cerr);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Pellin");
    pellin::Form1 window;
    if (!args.empty()) window.setFileName(QString::fromLocal8Bit(args.front().c_str()));
    window.show();
    return app.exec();
}
