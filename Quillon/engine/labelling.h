// Labelling of the line segments by slope thresholds, and the colour of each segment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis.h"

namespace quillon {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

/// The symbol of a slope b under the thresholds s1 < s2: "h" when |b| < s1; otherwise "u"
/// (b >= 0) or "d" (b < 0), turned to "U" or "D" when |b| >= s2.
std::string symbol_for(float b, float s1, float s2);

/// Labels every segment 1 ... nseg with `symbol_for` and maps each sample to its segment:
/// sample 1 and the samples after a segment's start up to its end belong to it. Sets
/// Mode::labelled. Refused (with `a` unchanged) unless the segments come from an approximation of
/// the signal now read (has_segments).
std::optional<Message> label_segments(Analysis& a, float s1, float s2);

/// As `label_segments`, with the thresholds the leading decimal numbers of the two texts.
std::optional<Message> CmdLabel(Analysis& a, const std::string& slope1, const std::string& slope2);

/// The colour of segment i on the approximation curve: black outside 1 ... nseg; otherwise
/// h green, u red, d cyan, U magenta, D blue (black for another symbol); black in Mode::parsed when
/// the parser stood in the final state "F" after the segment.
Rgb Color(const Analysis& a, std::int16_t i);

} // namespace quillon
