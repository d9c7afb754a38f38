// Tables as comma-separated text (for files) and TAB-separated text (for the clipboard).
//
// A table is a header row naming the columns and rows of cells, each cell already text. Numbers
// become cells through `number`, which writes the shortest text that reads back as the same
// value, with "." as the decimal point whatever the locale, so a table exported on one machine
// reads back to the same digits on any other.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

using Row = std::vector<std::string>;

struct Table {
    Row header;
    std::vector<Row> rows;
};

/// The cell text of a number: the shortest decimal form that reads back as the same float
/// (or double), "." as the decimal point, exponent as "E" with a sign ("0.25", "-3", "1E-05").
std::string number(float value);
std::string number(double value);
std::string number(std::int64_t value);
inline std::string number(int value) {
    return number(static_cast<std::int64_t>(value));
}

/// The table as comma-separated text: UTF-8, CR LF after every line, the header first. A field
/// holding a comma, a double quote, a CR or a LF (or starting or ending with a blank) is written
/// between double quotes with each quote doubled; other fields are written as they are.
std::string to_csv(const Table& table);

/// The table as TAB-separated lines (LF ends) for pasting into a spreadsheet as cells: TABs, CRs
/// and LFs inside a field become blanks, so every field stays one cell.
std::string to_tab_separated(const Table& table);

/// Reads comma-separated text back into rows of fields: quoted fields (with doubled quotes, and
/// commas and line ends inside), CR LF or LF line ends, a last line with or without its end.
/// nullopt for a quote that is never closed or text after a closing quote.
std::optional<std::vector<Row>> parse(std::string_view text);

} // namespace csv
