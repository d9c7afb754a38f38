#include "result_tables.h"


#include "numtext/numtext.h"

namespace quillon {

std::optional<csv::Table> segment_table(const Analysis& a) {
    if (a.mode == Mode::signal_only) return std::nullopt;
    const bool segments = has_segments(a.mode);
    const bool symbols = has_symbols(a.mode);
    const bool states = has_states(a.mode);
    csv::Table table;
    table.header = {"#"};
    if (segments) table.header.insert(table.header.end(), {"Length", "End", "Slope"});
    if (symbols) table.header.push_back("Symbol");
    if (states) table.header.push_back("State");
    // The end sample is counted as the list counts it: the running sum of the lengths, each
    // rounded to a whole number of samples.
    int end = 1;
    for (int k = 1; k <= a.nseg; ++k) {
        const auto at = static_cast<std::size_t>(k);
        csv::Row row{csv::number(k)};
        if (segments) {
            end += numtext::to_int16(a.segLength[at]).value_or(0);
            row.insert(row.end(), {csv::number(a.segLength[at]), csv::number(end),
                                   csv::number(a.segSlope[at])});
        }
        if (symbols) row.push_back(a.symbol[at]);
        if (states) row.push_back(a.state[at]);
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::optional<csv::Table> sample_table(const Analysis& a, const std::vector<int>& listed) {
    if (listed.empty()) return std::nullopt;
    csv::Table table{{"Sample", "Value"}, {}};
    for (int i : listed)
        if (i >= 1 && i <= a.na)
            table.rows.push_back({csv::number(i), csv::number(a.y[static_cast<std::size_t>(i)])});
    return table;
}

std::optional<csv::Table> transition_table(const Cells& cells) {
    int last = -1;
    for (int r = 0; r < kGridRows; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            if (!cells[static_cast<std::size_t>(r * kGridColumns + c)].empty()) last = r;
    if (last < 0) return std::nullopt;
    csv::Table table{{"Present State", "Input", "Next State"}, {}};
    for (int r = 0; r <= last; ++r) {
        const auto first = static_cast<std::size_t>(r * kGridColumns);
        table.rows.push_back({cells[first], cells[first + 1], cells[first + 2]});
    }
    return table;
}

} // namespace quillon
