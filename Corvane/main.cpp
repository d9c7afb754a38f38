// Corvane, the network trainer. With batch options it works on the console; without them it
// opens its window, on the project file named on the command line if there is one.
#include "batch/batch.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef CORVANE_WINDOWS
#include "ui/frm_project.h"

#include <QApplication>
#endif

namespace {

int start_window(int argc, char** argv, const std::vector<std::string>& args) {
#ifdef CORVANE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    corvane::EstadoPrograma estado;
    corvane::frm_project project(estado);
    if (!args.empty()) {
        const QString path = QString::fromStdString(args.front());
        project.carrega(path);
        project.mostra_caminho(path);
    }
    project.show();
    return QApplication::exec();
#else
    (void)argc;
    (void)argv;
    (void)args;
    std::cout << "Corvane: the windows are not part of this build; the batch mode is.\n"
                 "Run Corvane --help for its options.\n";
    return 0;
#endif
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (auto status = corvane::batch::run(args, std::cout, std::cerr)) return *status;
    return start_window(argc, argv, args);
}
