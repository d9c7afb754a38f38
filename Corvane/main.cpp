// Corvane, the network trainer. With batch options it works on the console; without them it
// opens its window, on the project file named on the command line if there is one.
#include "batch/batch.h"

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#ifdef CORVANE_WINDOWS
#include "ui/error_chart.h"
#include "ui/frm_main.h"
#include "ui/frm_project.h"

#include "engine/installed_files.h"

#include "qtkit/batch_export.h"

#include <QApplication>
#include <QStandardPaths>

#include <filesystem>
#endif

namespace {

#ifdef CORVANE_WINDOWS
// Batch mode with the export options after the others: the error chart and the data view of
// the run, drawn on the offscreen platform (no display needed). nullopt when the window is
// wanted.
std::optional<int> run_batch(const std::vector<std::string>& args) {
    const corvane::batch::Command command = corvane::batch::parse_command_line(args);
    if (command.window) return std::nullopt;
    if (command.stop) {
        if (command.stop->status != 0) {
            std::cerr << command.stop->text;
            return command.stop->status;
        }
        std::cout << command.stop->text
                  << "\nAfter --train PROJECT.prj or --evaluate PROJECT.prj (figure: the error\n"
                     "chart of the run, or of the project's errors file; table: the training\n"
                     "data with the network's outputs):\n"
                  << qtkit::exportUsage(true);
        return 0;
    }
    corvane::batch::Exports exports;
    exports.want_chart = command.exports.wantsFigure();
    exports.want_table = !command.exports.csv.empty();
    const int status = corvane::batch::run_command(command, std::cout, std::cerr, &exports);
    if (status != 0 || !exports.any()) return status;

    // The chart is a Qt Charts chart, which wants a widgets application.
    static int argc = 1;
    static char name[] = "Corvane";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvane");
    std::optional<qtkit::Figure> figure;
    if (exports.chart) figure = corvane::error_chart_figure(*exports.chart);
    return qtkit::writeBatchExports(command.exports, figure, exports.table, "Corvane", std::cout);
}
#else
std::optional<int> run_batch(const std::vector<std::string>& args) {
    return corvane::batch::run(args, std::cout, std::cerr);
}
#endif

int start_window(int argc, char** argv, const std::vector<std::string>& args) {
#ifdef CORVANE_WINDOWS
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
    if (auto status = run_batch(args)) return *status;
    return start_window(argc, argv, args);
}
