// Dimora: without options opens the main window; with options runs a calculator on the console.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "engine/batch.h"
#include "ui/mdi_main.h"

int main(int argc, char* argv[]) {
    if (argc > 1 && (std::string(argv[1]).rfind("--", 0) == 0 || std::string(argv[1]) == "-h")) {
        std::vector<std::string> args(argv + 1, argv + argc);
        return dimora::runBatch(args, std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dimora"));
    dimora::mdiMain window;
    window.show();
    return QApplication::exec();
}
