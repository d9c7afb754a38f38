// Corvane, the network trainer. With batch options it works on the console; without them it
// opens its window, on the project file named on the command line if there is one.
#include "batch/batch.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef CORVANE_WINDOWS
#include "ui/frm_main.h"
#include "ui/frm_project.h"

#include <QApplication>
#endif

namespace {

int start_window(int argc, char** argv, const std::vector<std::string>& args) {
#ifdef CORVANE_WINDOWS
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    corvane::EstadoPrograma estado; // seeds the random generator once, at program start
    corvane::frm_Main::Opcoes opcoes;
    opcoes.estado = &estado;
    opcoes.fabrica = [&estado](QWidget* parent) -> std::unique_ptr<corvane::ProjectPort> {
        return std::make_unique<corvane::frm_project>(estado, nullptr, parent);
    };
    corvane::frm_Main main_window(std::move(opcoes));
    main_window.show();
    if (!args.empty()) main_window.abre_projecto(QString::fromStdString(args.front()));
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
