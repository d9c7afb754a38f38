// The state-transition table, the symbol-string and table files, and the parser.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"

namespace quillon {

inline constexpr int kGridRows = 50;
inline constexpr int kGridColumns = 3;
inline constexpr int kGridCells = kGridRows * kGridColumns;

/// The table's cells; cell (r, c) has the index r * kGridColumns + c (present state, input
/// symbol, next state). The first row with an empty present state ends the table.
using Cells = std::array<std::string, kGridCells>;

/// The symbols of a symbol-string text (fields separated by commas or line ends, quoted or
/// not), at most kMaxSamples; the rest is ignored.
std::vector<std::string> parse_symbols(std::string_view text);

/// Reads a symbol-string file into symbol(1 ... nseg): Mode::string_read, nseg the count. On
/// failure returns "File error" ("File read") and leaves `a` as it was.
std::optional<Message> read_string(Analysis& a, const std::string& path);

/// The cells of a table text: one transition per line, three fields separated by commas
/// (quoted or not), at most kGridRows transitions; blank lines are skipped. A field may be
/// empty (",,", a comma at the end of the line, or ""), and is then an empty cell. nullopt
/// when a line holds fewer than three fields, or more unless the extra ones are empty.
std::optional<std::vector<std::string>> parse_table(std::string_view text);

/// Reads a table file into the first cells of `cells` (later cells keep their text). On
/// failure returns "File error" ("File read") and leaves `cells` as they were.
std::optional<Message> read_table(Cells& cells, const std::string& path);

/// What a parse shows: the lines of the states/symbols/transitions list, and the message that
/// stopped it, if any (the lines written before the failure stay).
struct ParseResult {
    std::vector<std::string> list3;
    std::optional<Message> message;
};

/// Checks the table, lists its states and symbols, builds the transition matrix and runs
/// symbol(1 ... nseg) through it from the present state of row 0, storing the state reached
/// after each symbol in state(k): "?" when the table has no transition for it, "F" when the
/// pattern is complete; after either the automaton starts again from its initial state.
/// Sets Mode::parsed when the symbols come from labelled segments, Mode::string_parsed when they
/// were read from a file. On a failure `a` is left as it was.
ParseResult CmdParse(Analysis& a, const Cells& cells);

} // namespace quillon
