#include "macro_file.h"

#include "settings.h"
#include "text_file.h"

#include "numtext/numtext.h"

namespace corvane {

bool carrega_macro(const std::string& ficheiro, ListaMacro& lista, TrainerView& view) {
    auto content = read_whole_file(ficheiro);
    if (!content) {
        critical(view, msg::erro_carregar_macro);
        return false;
    }
    numtext::FieldScanner scanner(*content);
    for (auto& row : lista) {
        auto item = scanner.next_string();
        if (!item) {
            critical(view, msg::erro_carregar_macro);
            return false;
        }
        row = *item;
    }
    return true;
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
    if (!write_file_replacing(ficheiro, out)) {
        critical(view, msg::erro_gravar_macro);
        return false;
    }
    return true;
}

} // namespace corvane
