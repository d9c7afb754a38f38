#include "data_file.h"

#include "text_file.h"

#include "numtext/numtext.h"

#include <cmath>
#include <optional>
#include <string_view>

namespace corvane {

namespace {

// A whole number from 1 to 32767, or nothing: a column or line counter counts up from 1 in
// 16 bits, so any other value is never met and the scan fails.
std::optional<int> counter_value(double v) {
    if (!std::isfinite(v) || v != std::floor(v) || v < 1.0 || v > 32767.0) return std::nullopt;
    return static_cast<int>(v);
}

// Fields `first`..`last` of `line` (TAB-separated, numbered from 1) into column 0, 1, ... of
// pattern p of `m`. False when the line has not got a requested field or the matrix has no room.
bool read_fields(std::string_view line, double first, double last, Matriz& m, int p) {
    auto start = counter_value(first);
    if (!start) return false;
    // Position just after the TAB that ends field (f - 1); field 1 starts at 0.
    std::size_t pos = 0;
    for (int f = 1; f < *start; ++f) {
        std::size_t tab = line.find('\t', pos);
        if (tab == std::string_view::npos) return false;
        pos = tab + 1;
    }
    int column = 0;
    for (double f = *start; f - 1.0 != last; f += 1.0) {
        if (pos > line.size()) return false;
        std::size_t tab = line.find('\t', pos);
        std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        if (column >= m.n_variaveis || p >= m.n_padroes) return false;
        m(column, p) = static_cast<float>(texto_para_numero(line.substr(pos, end - pos)));
        ++column;
        pos = end + 1;
    }
    return true;
}

} // namespace

bool le_dados(const definicoes_projecto& d, const std::string& ficheiro, bool treino,
              ConjuntosDados& conjuntos, TrainerView& view) {
    auto fail = [&]() {
        view.set_pointer(Pointer::arrow);
        view.estado_ocupado(false);
        critical(view, msg::erro_ler_dados);
        return false;
    };
    const double in_first = d.numero(slot::entrada_inicial);
    const double in_last = d.numero(slot::entrada_final);
    const double out_first = d.numero(slot::saida_inicial);
    const double out_last = d.numero(slot::saida_final);
    const double first_line = d.numero(treino ? slot::treino_inicial : slot::teste_inicial);
    auto last_line = numtext::to_int16(d.numero(treino ? slot::treino_final : slot::teste_final));
    if (!last_line) return fail();

    Matriz& entradas = treino ? conjuntos.entradas_treino : conjuntos.entradas_teste;
    Matriz& saidas = treino ? conjuntos.saidas_treino : conjuntos.saidas_teste;
    if (!treino) {
        auto count = numtext::to_int16(d.numero(slot::teste_final) - first_line);
        auto inputs = numtext::to_int16(in_last - in_first);
        auto outputs = numtext::to_int16(out_last - out_first);
        if (!count || !inputs || !outputs || *count < 0 || *inputs < 0 || *outputs < 0)
            return fail();
        // No test set needs more values than a data file of the largest accepted size holds.
        const auto patterns = static_cast<std::size_t>(*count) + 1;
        if ((static_cast<std::size_t>(*inputs) + 1) * patterns > maior_ficheiro / 2 ||
            (static_cast<std::size_t>(*outputs) + 1) * patterns > maior_ficheiro / 2)
            return fail();
        entradas.dimensiona(*inputs + 1, *count + 1);
        saidas.dimensiona(*outputs + 1, *count + 1);
    }

    auto content = read_whole_file(ficheiro);
    if (!content) return fail();
    const std::vector<std::string_view> lines = split_lines(*content);

    auto first = counter_value(first_line);
    if (!first || static_cast<std::size_t>(*first - 1) > lines.size()) return fail();
    if (*last_line == 32767) return fail(); // the line after it cannot be counted in 16 bits
    std::size_t next = static_cast<std::size_t>(*first - 1);
    int line_number = *first;
    int pattern = 0;
    while (line_number != *last_line + 1 && next < lines.size()) {
        if (line_number > 32767) return fail();
        std::string_view line = lines[next++];
        if (!read_fields(line, in_first, in_last, entradas, pattern) ||
            !read_fields(line, out_first, out_last, saidas, pattern))
            return fail();
        ++line_number;
        ++pattern;
    }
    return true;
}

} // namespace corvane
