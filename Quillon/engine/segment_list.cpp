#include "segment_list.h"

#include <algorithm>

#include "messages.h"
#include "numtext/numtext.h"
#include "text_file.h"

namespace quillon {

using numtext::format;
using numtext::right_align;

std::vector<std::string> ShowList(const Analysis& a) {
    std::vector<std::string> lines;
    if (a.mode == Mode::signal_only) return lines;
    // The texts of the number columns first: each column is as wide as its widest text (at
    // least its usual width), so that no digit or sign is cut off and the rows stay aligned.
    struct Numbers {
        std::string k, length, end, slope;
    };
    std::vector<Numbers> numbers;
    numbers.reserve(static_cast<std::size_t>(std::max<int>(a.nseg, 0)));
    std::size_t wk = 2, wl = 3, wp = 4, ws = 5;
    int p = 1;
    for (int k = 1; k <= a.nseg; ++k) {
        Numbers n{std::to_string(k), {}, {}, {}};
        if (has_segments(a.mode)) {
            p += numtext::to_int16(a.segLength[k]).value_or(0);
            n.length = format(a.segLength[k], "##");
            n.end = format(p, "####");
            n.slope = format(a.segSlope[k], "###0.0#");
        }
        wk = std::max(wk, n.k.size());
        wl = std::max(wl, n.length.size());
        wp = std::max(wp, n.end.size());
        ws = std::max(ws, n.slope.size());
        numbers.push_back(std::move(n));
    }
    for (int k = 1; k <= a.nseg; ++k) {
        const Numbers& n = numbers[static_cast<std::size_t>(k - 1)];
        std::string line = right_align(n.k, wk);
        if (has_segments(a.mode))
            line += ", " + right_align(n.length, wl) + "(" + right_align(n.end, wp) + ")" + "," +
                    right_align(n.slope, ws);
        if (has_symbols(a.mode)) line += ",   " + a.symbol[k];
        if (has_states(a.mode)) line += ",  " + a.state[k];
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string segment_file_text(const Analysis& a) {
    std::string text;
    for (int k = 1; k <= a.nseg; ++k) {
        text += right_align(std::to_string(k), 2);
        if (has_segments(a.mode))
            text += "," + right_align(format(a.segLength[k], "###"), 6) + "," +
                    right_align(format(a.segSlope[k], "###0.0#"), 9);
        if (has_symbols(a.mode)) text += ",   " + a.symbol[k];
        if (has_states(a.mode)) text += ",  " + a.state[k];
        text += "\r\n";
    }
    return text;
}

std::optional<Message> save_segments(const Analysis& a, const std::string& path) {
    if (a.mode == Mode::signal_only) return msg::nothing_to_save;
    if (!write_text_file(path, segment_file_text(a))) return msg::save_error;
    return std::nullopt;
}

} // namespace quillon
