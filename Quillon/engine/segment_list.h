// The segment list shown in the window and the segment file written by Save.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis.h"

namespace quillon {

/// The header of the segment list after a signal or a symbol string was read.
inline constexpr const char* kSignalHeader = "# Length Slope Symbol State";
inline constexpr const char* kStringHeader = "# Symbol State";

/// The lines of the segment list: none in mode 0; otherwise per segment k its number
/// right-aligned in 2, then (mode > 0) ", " + length ("##", width 3) + "(" + end sample ("####",
/// width 4) + ")," + slope ("###0.0#", width 5), then (|mode| > 1) ",   " + symbol, then
/// (|mode| = 3) ",  " + state. A column whose texts are longer than its width is widened to
/// the longest of them in every line, so the list shows every digit and stays aligned.
std::vector<std::string> ShowList(const Analysis& a);

/// The segment file: one CR LF line per segment k: k right-aligned in 2, then (when the
/// segments come from an approximation, mode > 0) "," + length ("###", width 6) + "," + slope
/// ("###0.0#", width 9), then (|mode| >= 2) ",   " + symbol, then (|mode| = 3) ",  " + state.
std::string segment_file_text(const Analysis& a);

/// Saves the segment file at `path`: "Nothing to save" in mode 0, "File error" ("File save")
/// when it cannot be written (a previous file at `path` is then kept).
std::optional<Message> save_segments(const Analysis& a, const std::string& path);

} // namespace quillon
