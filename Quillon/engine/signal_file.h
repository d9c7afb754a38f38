// The signal file: samples as decimal numbers separated by commas, blanks or line ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis.h"

namespace quillon {

/// The first kMaxSamples numbers of a signal text (the rest is ignored). nullopt when a field
/// before that is not a number or lies outside the float range, or when there is no number.
std::optional<std::vector<float>> parse_signal(std::string_view text);

/// Stores a signal read from a file: y and approx hold the samples, na their count, ymin and
/// ymax the extremes, the drawing's scale height becomes ymax - ymin + 2 and the mode
/// Mode::signal_only. `samples` must hold 1 to kMaxSamples values.
void load_signal(Analysis& a, const std::vector<float>& samples);

/// Reads the signal file at `path` into `a`; on failure returns "File error" ("File read") and
/// leaves `a` as it was.
std::optional<Message> read_signal(Analysis& a, const std::string& path);

} // namespace quillon
