#include "segment_list.h"

#include <cstdlib>

#include "messages.h"
#include "numtext/numtext.h"
#include "text_file.h"

namespace quillon {

using numtext::format;
using numtext::right_align;

std::vector<std::string> ShowList(const Analysis& a) {
    std::vector<std::string> lines;
    if (a.mode == mode::signal_only) return lines;
    int p = 1;
    for (int k = 1; k <= a.nseg; ++k) {
        std::string line = right_align(std::to_string(k), 2);
        if (a.mode > 0) {
            p += numtext::to_int16(a.segLength[k]).value_or(0);
            line += ", " + right_align(format(a.segLength[k], "##"), 3) + "(" +
                    right_align(format(p, "####"), 4) + ")" + "," +
                    right_align(format(a.segSlope[k], "###0.0#"), 5);
        }
        if (std::abs(a.mode) > 1) line += ",   " + a.symbol[k];
        if (std::abs(a.mode) == 3) line += ",  " + a.state[k];
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string segment_file_text(const Analysis& a) {
    std::string text;
    for (int k = 1; k <= a.nseg; ++k) {
        text += right_align(std::to_string(k), 2);
        if (a.mode > 0)
            text += "," + right_align(format(a.segLength[k], "###"), 6) + "," +
                    right_align(format(a.segSlope[k], "###0.0#"), 9);
        if (std::abs(a.mode) >= 2) text += ",   " + a.symbol[k];
        if (std::abs(a.mode) == 3) text += ",  " + a.state[k];
        text += "\r\n";
    }
    return text;
}

std::optional<Message> save_segments(const Analysis& a, const std::string& path) {
    if (a.mode == mode::signal_only) return msg::nothing_to_save;
    if (!write_text_file(path, segment_file_text(a))) return msg::save_error;
    return std::nullopt;
}

} // namespace quillon
