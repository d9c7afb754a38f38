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

// The lines of a file read a piece at a time, so that a reader stops where its lines end and
// holds no more of the file than one piece and the line being read: each line ends at LF, CR LF,
// a lone CR or the end of the file, and a final line end does not start another line.
class LineStream {
public:
    explicit LineStream(textfile::PieceReader& file) : file_(file) {}

    /// The start of the file: its first n bytes, or all of it when it is shorter.
    std::string_view head(std::size_t n) {
        while (buffer_.size() < n && fill()) {
        }
        return std::string_view(buffer_).substr(0, n);
    }

    /// The next line, valid until the next call; nothing at the end of the file (or where the
    /// file could no longer be read, which the reader's status then tells).
    std::optional<std::string_view> next() {
        for (;;) {
            const std::size_t end = buffer_.find_first_of("\r\n", scan_);
            // A CR ending the bytes read so far may be the first half of CR LF.
            if (end != std::string::npos &&
                (buffer_[end] == '\n' || end + 1 < buffer_.size() || at_end_)) {
                const std::string_view line = std::string_view(buffer_).substr(pos_, end - pos_);
                pos_ = end + 1;
                if (buffer_[end] == '\r' && pos_ < buffer_.size() && buffer_[pos_] == '\n') ++pos_;
                scan_ = pos_;
                return line;
            }
            if (at_end_) {
                if (pos_ >= buffer_.size()) return std::nullopt;
                const std::string_view line = std::string_view(buffer_).substr(pos_);
                pos_ = scan_ = buffer_.size();
                return line;
            }
            scan_ = end == std::string::npos ? buffer_.size() : end;
            fill();
        }
    }

private:
    // Drops the lines already given and reads the next piece; false at the end of the file.
    bool fill() {
        if (pos_ > 0) {
            buffer_.erase(0, pos_);
            scan_ -= pos_;
            pos_ = 0;
        }
        if (!at_end_ && file_.read_more(buffer_, piece) == 0) at_end_ = true;
        return !at_end_;
    }

    static constexpr std::size_t piece = std::size_t{64} << 10;
    textfile::PieceReader& file_;
    std::string buffer_;
    std::size_t pos_ = 0;  // start of the next line
    std::size_t scan_ = 0; // where the search for its end goes on
    bool at_end_ = false;
};

// Sizes both matrices of a set for `inputs` and `outputs` values per pattern and no pattern yet.
void empty_set(Matriz& entradas, Matriz& saidas, int inputs, int outputs) {
    entradas.dimensiona(inputs, 0);
    saidas.dimensiona(outputs, 0);
}

// One more pattern, all zero, at the end of a matrix.
void add_pattern(Matriz& m) {
    ++m.n_padroes;
    m.valores.resize(
        static_cast<std::size_t>(m.n_padroes) * static_cast<std::size_t>(m.n_variaveis), 0.0f);
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
    auto count = numtext::to_int16(*last_line - first_line);
    auto inputs = numtext::to_int16(in_last - in_first);
    auto outputs = numtext::to_int16(out_last - out_first);
    if (!count || !inputs || !outputs || *count < 0 || *inputs < 0 || *outputs < 0) return fail();
    // No set needs more values than a data file of the largest accepted size holds.
    const auto patterns = static_cast<std::size_t>(*count) + 1;
    if ((static_cast<std::size_t>(*inputs) + 1) * patterns > maior_ficheiro / 2 ||
        (static_cast<std::size_t>(*outputs) + 1) * patterns > maior_ficheiro / 2)
        return fail();
    // The set grows line by line as the file holds it: a set the file cannot fill never takes
    // the memory of its full size.
    empty_set(entradas, saidas, *inputs + 1, *outputs + 1);

    // Only the lines up to the set's last are read.
    textfile::PieceReader file(ficheiro, maior_ficheiro);
    if (!file.status().ok()) {
        outcome.failure = read_failure(file.status(), msg::erro_ler_dados);
        return outcome;
    }
    LineStream lines(file);
    auto read_failed = [&]() {
        if (file.status().ok()) return false;
        outcome.failure = read_failure(file.status(), msg::erro_ler_dados);
        return true;
    };
    // Sixteen-bit text reads as NULs between the digits: no number of it would be right.
    const std::string_view head = lines.head(64);
    if (read_failed()) return outcome;
    if (textfile::looks_wide(head)) return fail();

    auto first = counter_value(first_line);
    if (!first) return fail();
    if (*last_line == 32767) return fail(); // the line after it cannot be counted in 16 bits
    std::size_t lines_read = 0;
    for (int skipped = 1; skipped < *first; ++skipped) {
        if (!lines.next()) return read_failed() ? outcome : fail();
        ++lines_read;
    }
    int line_number = *first;
    int pattern = 0;
    std::size_t numbers = 0;
    while (line_number != *last_line + 1) {
        const auto line = lines.next();
        if (!line) {
            if (read_failed()) return outcome;
            // The set would be padded with zeros that no file holds.
            outcome.failure = linhas_alem_do_fim(treino, *first, *last_line, lines_read);
            return outcome;
        }
        ++lines_read;
        if (line_number > 32767) return fail();
        add_pattern(entradas);
        add_pattern(saidas);
        for (auto [column_first, column_last, matrix] :
             {std::tuple(in_first, in_last, &entradas), std::tuple(out_first, out_last, &saidas)})
            if (read_fields(*line, column_first, column_last, *matrix, pattern, numbers) !=
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
