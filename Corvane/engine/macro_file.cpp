#include "macro_file.h"

#include "settings.h"
#include "text_file.h"

#include "numtext/numtext.h"

namespace corvane {

ReadOutcome carrega_macro(const std::string& ficheiro, ListaMacro& lista) {
    ReadOutcome outcome;
    auto content = read_whole_file(ficheiro, msg::erro_carregar_macro, outcome);
    if (!content) return outcome;
    numtext::FieldScanner scanner(*content);
    for (auto& row : lista) {
        auto item = scanner.next_string();
        if (!item) {
            outcome.failure = std::string(msg::erro_carregar_macro);
            return outcome;
        }
        row = *item;
    }
    return outcome;
}

bool grava_macro(const std::string& ficheiro, const ListaMacro& lista, TrainerView& view) {
    std::string out;
    for (const auto& row : lista) {
        if (row.find('"') != std::string::npos) {
            critical(view, "A project path of the macro holds a double quote (\"), which a macro "
                           "file cannot store: the macro was not saved.");
            return false;
        }
        out += '"';
        out += row;
        out += "\"\r\n";
    }
    if (auto saved = write_file_replacing(ficheiro, out); !saved) {
        critical(view, with_reason(msg::erro_gravar_macro, saved.reason));
        return false;
    }
    return true;
}

} // namespace corvane
