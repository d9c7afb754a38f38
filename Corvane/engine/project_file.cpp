#include "project_file.h"

#include "text_file.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <cctype>

namespace corvane {

namespace {

constexpr std::string_view crlf = "\r\n";

void quoted(std::string& out, const std::string& text) {
    out += '"';
    out += text;
    out += '"';
    out += crlf;
}

// An item as the project file reader sees it: #TRUE# and #FALSE# become "True" and "False".
std::optional<std::string> next_item(numtext::FieldScanner& scanner) {
    auto item = scanner.next_string();
    if (item == "#TRUE#") return std::string("True");
    if (item == "#FALSE#") return std::string("False");
    return item;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::optional<bool> as_bool(const std::string& text) {
    std::string t = lower(text);
    if (t == "true") return true;
    if (t == "false") return false;
    if (auto v = numtext::whole_number(text)) return *v != 0.0;
    return std::nullopt;
}

} // namespace

bool grava_projecto(const definicoes_projecto& d, const std::string& ficheiro, TrainerView& view) {
    auto has_quote = [](const std::string& t) { return t.find('"') != std::string::npos; };
    if (std::any_of(d.Text1.begin(), d.Text1.end(), has_quote) ||
        std::any_of(d.Label3.begin(), d.Label3.end(), has_quote)) {
        critical(view, "A text of the project holds a double quote (\"), which a project file "
                       "cannot store: the project was not saved.");
        return false;
    }
    std::string out;
    for (const auto& t : d.Text1)
        quoted(out, t);
    for (int i = choice::genetic_algorithm; i <= choice::nn_uniform; ++i) {
        out += d.Option1[static_cast<std::size_t>(i)] ? "#TRUE#" : "#FALSE#";
        out += crlf;
    }
    for (int c : d.Check1) {
        out += std::to_string(c);
        out += crlf;
    }
    for (const auto& t : d.Label3)
        quoted(out, t);
    if (auto saved = write_file_replacing(ficheiro, out); !saved) {
        critical(view, with_reason(msg::erro_gravar_projecto, saved.reason));
        return false;
    }
    return true;
}

ProjectLoad le_ficheiro_projecto(const std::string& ficheiro, definicoes_projecto& d) {
    ProjectLoad result;
    auto fail = [&]() {
        result.failure = std::string(msg::erro_carregar_projecto);
        return result;
    };
    ReadOutcome read;
    auto content = read_whole_file(ficheiro, msg::erro_carregar_projecto, read);
    if (!content) {
        result.failure = read.failure;
        return result;
    }
    numtext::FieldScanner scanner(*content);
    for (auto& text : d.Text1) {
        auto item = next_item(scanner);
        if (!item) return fail();
        text = *item;
    }
    for (int i = choice::genetic_algorithm; i <= choice::nn_uniform; ++i) {
        auto item = next_item(scanner);
        if (!item) return fail();
        auto value = as_bool(*item);
        if (!value) return fail();
        d.Option1[static_cast<std::size_t>(i)] = *value;
    }
    for (int& check : d.Check1) {
        auto item = next_item(scanner);
        if (!item) return fail();
        auto number = numtext::whole_number(*item);
        auto value = number ? numtext::to_int16(*number) : std::nullopt;
        if (!value || *value < 0 || *value > 1) return fail();
        check = *value;
    }
    for (std::size_t i = 0; i < d.Label3.size(); ++i) {
        auto item = next_item(scanner);
        if (!item) return fail();
        const bool error = i == results::training_error || i == results::test_error;
        d.Label3[i] = error ? numtext::format(texto_para_numero(*item), "0.0000E-00") : *item;
    }
    for (std::size_t s = 0; s < spinners.size(); ++s) {
        const Spinner& sp = spinners[s];
        auto value = numtext::to_int16(d.numero(sp.slot) * sp.factor);
        if (!value || *value < sp.minimo || *value > sp.maximo) return fail();
        result.spinner[s] = *value;
    }
    result.ok = true;
    return result;
}

std::optional<std::string> nome_ficheiro_erros(const std::string& caminho_projecto) {
    auto pos = caminho_projecto.rfind("prj");
    if (pos == std::string::npos) return std::nullopt;
    std::string name = caminho_projecto;
    name.replace(pos, 3, "err");
    return name;
}

} // namespace corvane
