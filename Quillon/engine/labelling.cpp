#include "labelling.h"

#include <cmath>

#include "messages.h"
#include "numtext/numtext.h"

namespace quillon {

std::string symbol_for(float b, float s1, float s2) {
    float a = std::fabs(b);
    if (a < s1) return "h";
    std::string symbol = b < 0.0f ? "d" : "u";
    if (a >= s2) symbol = b < 0.0f ? "D" : "U";
    return symbol;
}

std::optional<Message> label_segments(Analysis& a, float s1, float s2) {
    if (!has_segments(a.mode)) return msg::no_segments;
    a.mode = Mode::labelled;
    for (int k = 1; k <= a.nseg; ++k)
        a.symbol[k] = symbol_for(a.segSlope[k], s1, s2);
    a.segOfSample[1] = 1;
    int q = 2;
    for (int k = 1; k <= a.nseg; ++k) {
        auto length = numtext::to_int16(a.segLength[k]).value_or(0);
        for (int r = 0; r < length && q <= kMaxSamples; ++r)
            a.segOfSample[q++] = static_cast<std::int16_t>(k);
    }
    return std::nullopt;
}

std::optional<Message> CmdLabel(Analysis& a, const std::string& slope1, const std::string& slope2) {
    return label_segments(a, static_cast<float>(numtext::leading_value(slope1)),
                          static_cast<float>(numtext::leading_value(slope2)));
}

Rgb Color(const Analysis& a, std::int16_t i) {
    if (i < 1 || i > a.nseg) return {};
    if (a.mode == Mode::parsed && a.state[i] == "F") return {};
    const std::string& s = a.symbol[i];
    if (s == "h") return {0, 255, 0};
    if (s == "u") return {255, 0, 0};
    if (s == "d") return {0, 255, 255};
    if (s == "U") return {255, 0, 255};
    if (s == "D") return {0, 0, 255};
    return {};
}

} // namespace quillon
