#include "data_file.h"

#include "text_file.h"

#include "textfile/textfile.h"

#include "numtext/numtext.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <tuple>

namespace corvane {

namespace {

// A whole number from 1 to 32767, or nothing: a column or line counter counts up from 1 in
// 16 bits, so any other value is never met and the scan fails.
std::optional<int> counter_value(double v) {
    if (!std::isfinite(v) || v != std::floor(v) || v < 1.0 || v > 32767.0) return std::nullopt;
    return static_cast<int>(v);
}

// True when `field` starts with a number as `texto_para_numero` reads it (blanks ignored, an
// optional sign, then a digit, or a point or comma followed by one), not a text read as 0.
bool starts_with_number(std::string_view field) {
    std::size_t i = 0;
    auto skip_blanks = [&] {
        while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
            ++i;
    };
    auto digit = [&](std::size_t at) {
        return at < field.size() && field[at] >= '0' && field[at] <= '9';
    };
    skip_blanks();
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    skip_blanks();
    if (digit(i)) return true;
    return i < field.size() && (field[i] == '.' || field[i] == ',') && digit(i + 1);
}

enum class FieldRead { ok, missing, out_of_range };

// Fields `first`..`last` of `line` (TAB-separated, numbered from 1) into column 0, 1, ... of
// pattern p of `m`. `missing` when the line has not got a requested field or the matrix has no
// room; `out_of_range` for a value no single-precision number holds. `numbers` counts the
// fields that held a number.
FieldRead read_fields(std::string_view line, double first, double last, Matriz& m, int p,
                      std::size_t& numbers) {
    auto start = counter_value(first);
    if (!start) return FieldRead::missing;
    // Position just after the TAB that ends field (f - 1); field 1 starts at 0.
    std::size_t pos = 0;
    for (int f = 1; f < *start; ++f) {
        std::size_t tab = line.find('\t', pos);
        if (tab == std::string_view::npos) return FieldRead::missing;
        pos = tab + 1;
    }
    int column = 0;
    for (double f = *start; f - 1.0 != last; f += 1.0) {
        if (pos > line.size()) return FieldRead::missing;
        std::size_t tab = line.find('\t', pos);
        std::size_t end = tab == std::string_view::npos ? line.size() : tab;
        if (column >= m.n_variaveis || p >= m.n_padroes) return FieldRead::missing;
        const std::string_view field = line.substr(pos, end - pos);
        const double value = texto_para_numero(field);
        if (!(std::fabs(value) <= std::numeric_limits<float>::max()))
            return FieldRead::out_of_range;
        if (starts_with_number(field)) ++numbers;
        m(column, p) = static_cast<float>(value);
        ++column;
        pos = end + 1;
    }
    return FieldRead::ok;
}

// Walks the lines of a text one at a time: each ends at LF, CR LF, a lone CR or the end.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}
    bool at_end() const { return pos_ >= text_.size(); }
    std::string_view next() {
        std::size_t end = text_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) end = text_.size();
        const std::string_view line = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (end < text_.size() && text_[end] == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        return line;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::size_t count_lines(std::string_view text) {
    LineCursor cursor(text);
    std::size_t n = 0;
    for (; !cursor.at_end(); ++n)
        cursor.next();
    return n;
}

} // namespace

std::string linhas_alem_do_fim(bool treino, int primeira, int ultima, std::size_t linhas) {
    return "Please check values of \"Training data and Test data\" box: the " +
           std::string(treino ? "training" : "testing") + " lines " + std::to_string(primeira) +
           " to " + std::to_string(ultima) + " go past the end of the data file, which has " +
           std::to_string(linhas) + (linhas == 1 ? " line." : " lines.");
}

ReadOutcome le_dados(const definicoes_projecto& d, const std::string& ficheiro, bool treino,
                     ConjuntosDados& conjuntos) {
    ReadOutcome outcome;
    auto fail = [&]() {
        outcome.failure = std::string(msg::erro_ler_dados);
        return outcome;
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

    auto content = read_whole_file(ficheiro, msg::erro_ler_dados, outcome);
    if (!content) return outcome;
    // Sixteen-bit text reads as NULs between the digits: no number of it would be right.
    if (textfile::looks_wide(*content)) return fail();

    auto first = counter_value(first_line);
    if (!first) return fail();
    if (*last_line == 32767) return fail(); // the line after it cannot be counted in 16 bits
    LineCursor cursor(*content);
    for (int skipped = 1; skipped < *first; ++skipped) {
        if (cursor.at_end()) return fail();
        cursor.next();
    }
    int line_number = *first;
    int pattern = 0;
    std::size_t numbers = 0;
    while (line_number != *last_line + 1) {
        if (cursor.at_end()) {
            // The set would be padded with zeros that no file holds.
            outcome.failure = linhas_alem_do_fim(treino, *first, *last_line, count_lines(*content));
            return outcome;
        }
        if (line_number > 32767) return fail();
        std::string_view line = cursor.next();
        for (auto [column_first, column_last, matrix] :
             {std::tuple(in_first, in_last, &entradas), std::tuple(out_first, out_last, &saidas)})
            if (read_fields(line, column_first, column_last, *matrix, pattern, numbers) !=
                FieldRead::ok)
                return fail();
        ++line_number;
        ++pattern;
    }
    // A set whose lines hold no number at all (a header, text) is not data.
    if (numbers == 0 && pattern > 0) return fail();
    return outcome;
}

} // namespace corvane
