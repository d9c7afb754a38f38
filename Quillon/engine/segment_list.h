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

/// The lines of the segment list: none in Mode::signal_only; otherwise per segment k its number
/// right-aligned in 2, then (has_segments) ", " + length ("##", width 3) + "(" + end sample
/// ("####", width 4) + ")," + slope ("###0.0#", width 5), then (has_symbols) ",   " + symbol, then
/// (has_states) ",  " + state. A column whose texts are longer than its width is widened to
/// the longest of them in every line, so the list shows every digit and stays aligned.
std::vector<std::string> ShowList(const Analysis& a);

/// The segment file: one CR LF line per segment k: k right-aligned in 2, then (when the
/// segments come from an approximation, has_segments) "," + length ("###", width 6) + "," + slope
/// ("###0.0#", width 9), then (has_symbols) ",   " + symbol, then (has_states) ",  " + state.
std::string segment_file_text(const Analysis& a);

/// Saves the segment file at `path`: "Nothing to save" in Mode::signal_only, "File error" ("File
/// save") when it cannot be written (a previous file at `path` is then kept).
std::optional<Message> save_segments(const Analysis& a, const std::string& path);

} // namespace quillon
