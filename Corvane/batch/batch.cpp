#include "batch.h"

#include "console_view.h"

#include "engine/macro_file.h"
#include "engine/project_file.h"
#include "engine/text_file.h"
#include "engine/trainer.h"

#include <filesystem>

namespace corvane::batch {

namespace {

// One program start: the project window's record and engine, the program-wide state.
struct Session {
    Session(std::ostream& out, std::ostream& err, int progress)
        : view(out, err, progress), trainer(definicoes, programa, view) {}

    /// `carrega_ficheiro_projecto`: loads into the (one) project window, which then shows the
    /// path; a failed load is reported and the window goes on with what it holds.
    void open_project(const std::string& path) {
        le_ficheiro_projecto(path, definicoes, view);
        definicoes.Label2 = path;
        view.hide_learning_rate();
    }

    definicoes_projecto definicoes;
    EstadoPrograma programa;
    ConsoleView view;
    Treinador trainer;
};

int train(Session& s, const std::string& project) {
    s.open_project(project);
    const bool ok = s.trainer.comecar_treino();
    s.view.print_results(s.definicoes.Label3);
    return ok && !s.view.failure_reported() ? 0 : 1;
}

int run_macro(Session& s, const std::string& macro) {
    ListaMacro lista;
    if (!carrega_macro(macro, lista, s.view)) return 1;
    s.programa.macro_activa = true;
    for (const std::string& row : lista) {
        if (row.empty() || !s.programa.macro_activa) break;
        const std::string project = resolve_against(row, macro);
        s.open_project(project);
        s.view.print_control("Label2", project);
        s.trainer.comecar_treino();
        s.view.print_results(s.definicoes.Label3);
    }
    s.programa.macro_activa = false;
    s.programa.pedido_paragem = false;
    return s.view.failure_reported() ? 1 : 0;
}

int evaluate(Session& s, const std::string& project) {
    s.open_project(project);
    const bool ok = s.trainer.avalia_ficheiro_pesos().has_value();
    return ok && !s.view.failure_reported() ? 0 : 1;
}

int random_weights(Session& s, const std::string& project, const std::string& file) {
    s.open_project(project);
    if (!s.trainer.prepara_pesos_aleatorios()) return 1;
    // A name typed on the command line is taken from the current folder.
    const std::string target = std::filesystem::absolute(file).string();
    const bool ok = s.trainer.grava_pesos_aleatorios(target);
    s.view.print_control("Text1(13)", s.definicoes.Text1[13]);
    return ok && !s.view.failure_reported() ? 0 : 1;
}

std::optional<int> positive(const std::string& text) {
    try {
        std::size_t used = 0;
        int v = std::stoi(text, &used);
        if (used == text.size() && v > 0) return v;
    } catch (...) {
    }
    return std::nullopt;
}

} // namespace

std::string usage() {
    return "Usage: Corvane [option...]\n"
           "Without options Corvane opens its window. With one of these options it works without\n"
           "a window, as the window would, and prints what the window would show:\n"
           "\n"
           "  --train PROJECT.prj          open the project and train it as \"&Start trainning\"\n"
           "                               does: the errors file, the weights file and the\n"
           "                               project are written as the window writes them\n"
           "  --run-macro MACRO.mcr        train each project of the macro in turn, as \"&Run "
           "macro\"\n"
           "  --evaluate PROJECT.prj       the training error of the project's weights file\n"
           "  --random-weights PROJECT.prj FILE.wgt\n"
           "                               write what \"&Generate a random weight file\" writes\n"
           "                               for the project's method and architecture\n"
           "  --progress N                 with --train or --run-macro: also print the\n"
           "                               iteration, error and learning rate every N\n"
           "                               iterations on standard error\n"
           "  --help                       this text\n"
           "\n"
           "Output: each result the window would show is a line <control name><TAB><text>\n"
           "(Label3(0) training error, Label3(1) iteration, Label3(2) time for each iteration,\n"
           "Label3(3) total time, Label3(4) test error, Label3(5) learning rate); each message\n"
           "box is a line MsgBox<TAB><title><TAB><text> at the moment it would appear.\n"
           "Relative data and weights paths in a project are taken from the project file's\n"
           "folder, relative project paths in a macro from the macro file's folder.\n"
           "Every start of the program draws the same random numbers.\n"
           "Exit status: 0 done, 1 a failure was reported or the run did not start, 2 bad\n"
           "command line.\n";
}

std::optional<int> run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // No options, or only a project file for the window to open.
    if (args.empty() || (args.size() == 1 && !args[0].empty() && args[0][0] != '-'))
        return std::nullopt;
    std::string command;
    std::vector<std::string> operands;
    int progress = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << usage();
            return 0;
        }
        if (a == "--progress") {
            auto n = i + 1 < args.size() ? positive(args[i + 1]) : std::nullopt;
            if (!n) {
                err << "Corvane: --progress needs a positive whole number\n" << usage();
                return 2;
            }
            progress = *n;
            ++i;
        } else if (a == "--train" || a == "--run-macro" || a == "--evaluate" ||
                   a == "--random-weights") {
            if (!command.empty()) {
                err << "Corvane: give one command at a time\n" << usage();
                return 2;
            }
            command = a;
        } else if (!a.empty() && a[0] == '-') {
            err << "Corvane: unknown option " << a << "\n" << usage();
            return 2;
        } else {
            operands.push_back(a);
        }
    }
    const std::size_t wanted = command == "--random-weights" ? 2 : 1;
    if (command.empty() || operands.size() != wanted ||
        (progress > 0 && command != "--train" && command != "--run-macro")) {
        err << "Corvane: bad command line\n" << usage();
        return 2;
    }
    Session session(out, err, progress);
    if (command == "--train") return train(session, operands[0]);
    if (command == "--run-macro") return run_macro(session, operands[0]);
    if (command == "--evaluate") return evaluate(session, operands[0]);
    return random_weights(session, operands[0], operands[1]);
}

} // namespace corvane::batch
