// The segment list and the state-transition table as tables for CSV files and the clipboard.
#pragma once

#include <optional>
#include <vector>

#include "analysis.h"
#include "csv/csv.h"
#include "parser.h"

namespace quillon {

/// The segment list as `ShowList` shows it, one row per segment k = 1 ... nseg, with only the
/// columns the list shows in the current mode: after an approximation "#", "Length", "End"
/// (the end sample, in parentheses in the list) and "Slope", then "Symbol" once labelled and
/// "State" once parsed; for a symbol string read from a file "#", "Symbol" and, once parsed,
/// "State". Lengths and slopes in full precision. nullopt in Mode::signal_only (no segments yet).
std::optional<csv::Table> segment_table(const Analysis& a);

/// The samples the listing shows: "Sample" (its number i) and "Value" (y(i) in full precision),
/// one row per entry of `listed`. nullopt when nothing is listed.
std::optional<csv::Table> sample_table(const Analysis& a, const std::vector<int>& listed);

/// The grid's transitions: "Present State", "Input", "Next State", one row per grid row from
/// the first to the last row holding any text (empty rows between them kept, so each row stays
/// at its place in the grid). nullopt when every cell is empty.
std::optional<csv::Table> transition_table(const Cells& cells);

} // namespace quillon
