#include "parser.h"

#include <algorithm>

#include "messages.h"
#include "numtext/numtext.h"
#include "text_file.h"

namespace quillon {
namespace {

const std::string& cell(const Cells& cells, int r, int c) {
    return cells[static_cast<std::size_t>(r * kGridColumns + c)];
}

// 1-based position of the first entry equal to `value`, 0 when there is none.
int position(const std::vector<std::string>& list, const std::string& value) {
    auto it = std::find(list.begin(), list.end(), value);
    return it == list.end() ? 0 : static_cast<int>(it - list.begin()) + 1;
}

// The fields of one line of a table file: a comma ends a field, so text between two commas,
// or after the last comma, is a field even when it is empty. An unquoted field loses its
// surrounding blanks; a quoted one runs to its closing quote, and what follows that quote up to
// the next comma belongs to no field.
std::vector<std::string> line_fields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    while (true) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
            ++pos;
        std::size_t comma;
        if (pos < line.size() && line[pos] == '"') {
            std::size_t close = line.find('"', pos + 1);
            std::size_t end = close == std::string_view::npos ? line.size() : close;
            fields.emplace_back(line.substr(pos + 1, end - pos - 1));
            comma = close == std::string_view::npos ? std::string_view::npos
                                                    : line.find(',', close + 1);
        } else {
            comma = line.find(',', pos);
            std::string_view field = line.substr(
                pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
            while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
                field.remove_suffix(1);
            fields.emplace_back(field);
        }
        if (comma == std::string_view::npos) return fields;
        pos = comma + 1;
    }
}

} // namespace

std::vector<std::string> parse_symbols(std::string_view text) {
    numtext::FieldScanner scanner(text);
    std::vector<std::string> symbols;
    while (symbols.size() < static_cast<std::size_t>(kMaxSamples)) {
        auto field = scanner.next_string();
        if (!field) break;
        symbols.push_back(std::move(*field));
    }
    return symbols;
}

std::optional<Message> read_string(Analysis& a, const std::string& path) {
    TextFileRead read = read_text_file(path);
    if (!read.text) return read.failure;
    const std::string& text = *read.text;
    auto symbols = parse_symbols(text);
    a.mode = Mode::string_read;
    for (std::size_t k = 0; k < symbols.size(); ++k)
        a.symbol[k + 1] = std::move(symbols[k]);
    a.nseg = static_cast<std::int16_t>(symbols.size());
    return std::nullopt;
}

std::optional<std::vector<std::string>> parse_table(std::string_view text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < text.size() && fields.size() < static_cast<std::size_t>(kGridCells)) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
        std::vector<std::string> row = line_fields(line);
        // Three fields make a transition; empty fields after them (trailing commas) are
        // harmless, anything more or less means the file is not a table.
        if (row.size() < static_cast<std::size_t>(kGridColumns)) return std::nullopt;
        for (std::size_t c = kGridColumns; c < row.size(); ++c)
            if (!row[c].empty()) return std::nullopt;
        fields.insert(fields.end(), std::make_move_iterator(row.begin()),
                      std::make_move_iterator(row.begin() + kGridColumns));
    }
    return fields;
}

std::optional<Message> read_table(Cells& cells, const std::string& path) {
    TextFileRead read = read_text_file(path);
    if (!read.text) return read.failure;
    const std::string& text = *read.text;
    auto fields = parse_table(text);
    if (!fields) return msg::file_error;
    for (std::size_t i = 0; i < fields->size(); ++i)
        cells[i] = std::move((*fields)[i]);
    return std::nullopt;
}

ParseResult CmdParse(Analysis& a, const Cells& cells) {
    ParseResult result;
    if (!has_symbols(a.mode)) {
        result.message = msg::no_string;
        return result;
    }
    if (cell(cells, 0, 0).empty() || cell(cells, 0, 1).empty() || cell(cells, 0, 2).empty()) {
        result.message = msg::invalid_table;
        return result;
    }
    // States and symbols in order of appearance; only the last entry is compared, so a value
    // that comes back after others is listed again (lookups take the first match).
    std::vector<std::string> states{cell(cells, 0, 0)};
    std::vector<std::string> symbols{cell(cells, 0, 1)};
    for (int r = 1; r < kGridRows && !cell(cells, r, 0).empty(); ++r) {
        if (cell(cells, r, 0) != states.back()) states.push_back(cell(cells, r, 0));
        if (cell(cells, r, 1) != symbols.back()) symbols.push_back(cell(cells, r, 1));
    }
    result.list3 = states;
    result.list3.insert(result.list3.end(), symbols.begin(), symbols.end());

    bool final_state = false;
    for (int r = 0; r < kGridRows && !cell(cells, r, 2).empty(); ++r) {
        if (cell(cells, r, 2) == "F") {
            final_state = true;
            break;
        }
    }
    if (!final_state) {
        result.message = msg::no_final_state;
        return result;
    }

    // next[i][j]: the next state from state i on symbol j (1-based; empty = no transition).
    std::vector<std::vector<std::string>> next(states.size() + 1,
                                               std::vector<std::string>(symbols.size() + 1));
    for (int r = 0; r < kGridRows && !cell(cells, r, 0).empty(); ++r) {
        const std::string& ps = cell(cells, r, 0);
        const std::string& sy = cell(cells, r, 1);
        const std::string& ns = cell(cells, r, 2);
        int i = position(states, ps);
        int j = position(symbols, sy);
        if (!next[i][j].empty()) {
            result.message = msg::duplicate_entry(ps, sy);
            return result;
        }
        next[i][j] = ns;
        result.list3.push_back(std::to_string(i) + "," + std::to_string(j) + "," + ns);
        if (ns != "F" && position(states, ns) == 0) {
            result.message = msg::no_present_state(ns);
            return result;
        }
    }

    a.mode = has_segments(a.mode) ? Mode::parsed : Mode::string_parsed;
    const std::string& initial = states.front();
    std::string current = initial;
    for (int k = 1; k <= a.nseg; ++k) {
        int i = position(states, current);
        int j = position(symbols, a.symbol[k]);
        std::string ns = j > 0 && !next[i][j].empty() ? next[i][j] : "?";
        current = ns == "F" || ns == "?" ? initial : ns;
        a.state[k] = std::move(ns);
    }
    return result;
}

} // namespace quillon
