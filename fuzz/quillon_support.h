// Quillon pieces shared by its harnesses: the checks of the analysis arrays and the example
// state-transition table and symbol string the parser runs with.
#pragma once

#include "fuzz_support.h"

#include "engine/analysis.h"
#include "engine/parser.h"

namespace fuzz {

inline void check_analysis(const quillon::Analysis& a) {
    constexpr std::size_t entries = quillon::kMaxSamples + 1;
    FUZZ_CHECK(a.y.size() == entries && a.approx.size() == entries);
    FUZZ_CHECK(a.segSlope.size() == entries && a.segLength.size() == entries);
    FUZZ_CHECK(a.segOfSample.size() == entries && a.symbol.size() == entries);
    FUZZ_CHECK(a.state.size() == entries);
    FUZZ_CHECK(a.na >= 0 && a.na <= quillon::kMaxSamples);
    FUZZ_CHECK(a.nseg >= 0 && a.nseg <= quillon::kMaxSamples);
}

/// A table that accepts the example QRS patterns.
inline quillon::Cells example_table() {
    static const char* const rows[][3] = {{"A", "h", "A"}, {"A", "u", "A"}, {"A", "d", "B"},
                                          {"B", "h", "A"}, {"B", "d", "B"}, {"B", "U", "C"},
                                          {"C", "D", "F"}};
    quillon::Cells cells;
    std::size_t i = 0;
    for (const auto& row : rows)
        for (const char* cell : row)
            cells[i++] = cell;
    return cells;
}

/// Runs the parser and checks what it leaves: a state for every symbol after a success.
inline void parse_and_check(quillon::Analysis& a, const quillon::Cells& cells) {
    const quillon::Analysis before = a;
    const quillon::ParseResult result = quillon::CmdParse(a, cells);
    check_analysis(a);
    if (result.message) {
        FUZZ_CHECK(!result.message->title.empty() && !result.message->text.empty());
        FUZZ_CHECK(a.mode == before.mode && a.nseg == before.nseg && a.state == before.state);
        return;
    }
    FUZZ_CHECK(a.mode == quillon::Mode::parsed || a.mode == quillon::Mode::string_parsed);
    for (int k = 1; k <= a.nseg; ++k)
        FUZZ_CHECK(!a.state[static_cast<std::size_t>(k)].empty());
}

} // namespace fuzz
