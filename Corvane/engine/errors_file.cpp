#include "errors_file.h"

#include "text_file.h"

#include "numtext/numtext.h"

#include <cmath>

namespace corvane {

std::optional<std::vector<float>> le_ficheiro_erros(const std::string& ficheiro) {
    ReadOutcome lido; // the caller has the one message for every failure
    auto conteudo = read_whole_file(ficheiro, {}, lido);
    if (!conteudo) return std::nullopt;
    std::vector<float> valores;
    for (std::string_view linha : split_lines(*conteudo)) {
        if (valores.size() >= max_valores_erros) break;
        if (linha.find_first_not_of(" \t") == std::string_view::npos) continue;
        auto v = numtext::whole_number(linha);
        // A value no float holds (a hand-edited file) would give the chart an infinite axis.
        if (!v || !std::isfinite(static_cast<float>(*v))) return std::nullopt;
        valores.push_back(static_cast<float>(*v));
    }
    // An empty file is the record of a run that met its goal before its first iteration.
    return valores;
}

csv::Table errors_table(std::span<const float> valores) {
    csv::Table t;
    t.header = {"Iteration", "Error"};
    t.rows.reserve(valores.size());
    for (std::size_t k = 0; k < valores.size(); ++k)
        t.rows.push_back({std::to_string(k + 1), csv::number(valores[k])});
    return t;
}

} // namespace corvane
