// Corvane, the network trainer. Without arguments it opens its window, with one project or macro
// file named it opens the window on that file; anything else is the batch mode, on the console.
#include "batch/batch.h"
#include "cli/cli.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef SUITE_WINDOWS
#include "ui/batch_figures.h"
#include "ui/frm_main.h"
#include "ui/frm_project.h"

#include "engine/installed_files.h"

#include <QApplication>
#include <QStandardPaths>

#include <filesystem>

namespace {

int start_window(int argc, char** argv, const std::vector<std::string>& args) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    corvane::EstadoPrograma estado; // seeds the random generator once, at program start
    corvane::frm_Main::Opcoes opcoes;
    opcoes.estado = &estado;
    // An installed example is opened from the user's own copy of the examples, made on first
    // use, since a run saves the project, its weights and its errors file beside it.
    const std::filesystem::path dados =
        corvane::installed_data_folder(QCoreApplication::applicationDirPath().toStdString());
    if (!dados.empty()) {
        const std::string copias =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString() +
            "/examples";
        opcoes.ficheiro_do_utilizador = [dados, copias](const QString& nome) {
            return QString::fromStdString(
                corvane::user_copy_of_example(nome.toStdString(), dados / "examples", copias));
        };
    }
    opcoes.fabrica = [&estado](QWidget* parent) -> std::unique_ptr<corvane::ProjectPort> {
        return std::make_unique<corvane::frm_project>(estado, nullptr, parent);
    };
    corvane::frm_Main main_window(std::move(opcoes));
    main_window.show();
    if (!args.empty()) {
        // A file opened from the desktop: a macro opens in the macro window, anything else as
        // a project.
        const QString ficheiro = QString::fromStdString(args.front());
        if (ficheiro.endsWith(".mcr", Qt::CaseInsensitive))
            main_window.abre_macro(ficheiro);
        else
            main_window.abre_projecto(ficheiro);
    }
    return QApplication::exec();
}

} // namespace
#endif

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
#ifdef SUITE_WINDOWS
    if (cli::how_to_start(args, true) == cli::Start::batch)
        return corvane::batch::batch_main(args, std::cout, std::cerr, corvane::write_batch_figures);
    return start_window(argc, argv, args);
#else
    if (cli::how_to_start(args, true) == cli::Start::batch)
        return corvane::batch::batch_main(args, std::cout, std::cerr);
    return cli::window_not_built("Corvane", std::cerr);
#endif
}
