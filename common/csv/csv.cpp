#include "csv.h"

#include "numtext/numtext.h"

namespace csv {

std::string number(float value) {
    return numtext::shortest(value);
}

std::string number(double value) {
    return numtext::shortest(value);
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

namespace {

bool needs_quotes(std::string_view field) {
    if (field.find_first_of(",\"\r\n") != std::string_view::npos) return true;
    return !field.empty() && (field.front() == ' ' || field.back() == ' ');
}

void append_field(std::string& out, std::string_view field) {
    if (!needs_quotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void append_csv_row(std::string& out, const Row& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out += ',';
        append_field(out, row[i]);
    }
    out += "\r\n";
}

void append_tab_row(std::string& out, const Row& row) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out += '\t';
        for (char c : row[i])
            out += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
    out += '\n';
}

} // namespace

std::string to_csv(const Table& table) {
    std::string out;
    append_csv_row(out, table.header);
    for (const Row& row : table.rows)
        append_csv_row(out, row);
    return out;
}

std::string to_tab_separated(const Table& table) {
    std::string out;
    append_tab_row(out, table.header);
    for (const Row& row : table.rows)
        append_tab_row(out, row);
    return out;
}

std::optional<std::vector<Row>> parse(std::string_view text) {
    std::vector<Row> rows;
    Row row;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    bool line_started = false;
    while (i < n) {
        char c = text[i];
        line_started = true;
        if (c == '"' && field.empty()) {
            // A quoted field runs to the quote that is not doubled.
            ++i;
            bool closed = false;
            while (i < n) {
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += text[i++];
            }
            if (!closed) return std::nullopt;
            if (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') return std::nullopt;
            continue;
        }
        if (c == ',') {
            row.push_back(std::move(field));
            field.clear();
            ++i;
        } else if (c == '\r' || c == '\n') {
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            i += (c == '\r' && i + 1 < n && text[i + 1] == '\n') ? 2 : 1;
            line_started = false;
        } else {
            field += c;
            ++i;
        }
    }
    if (line_started) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace csv
