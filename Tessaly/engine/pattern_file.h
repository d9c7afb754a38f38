// The pattern file: "[rows X columns]", then one line of blank-separated 1/0 cells per row.
#pragma once

#include "array2d.h"
#include "failure.h"

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

/// Grid dimensions a pattern window accepts, and those it opens with.
constexpr int kMinDimension = 1;
constexpr int kMaxDimension = 50;
constexpr int kStartRows = 12;
constexpr int kStartColumns = 10;

/// The file text of `pattern`: "[" rows "X" columns "]", then for each row CR LF and its cells
/// as "1" (on) or "0" (off) separated by one blank. No line end after the last row.
std::string PatternFileText(const Pattern& pattern);

/// What loading a pattern file did to a window's pattern.
struct PatternLoad {
    /// The window must take these dimensions (all cells off) before `pattern` is shown: set when
    /// the dimensions are not locked and the header was read.
    bool resized = false;
    /// The window's pattern afterwards: on a failure, the cells set before it keep their values.
    Pattern pattern;
    std::optional<Failure> failure;
    bool ok() const { return !failure; }
};

/// Reads pattern file text into `current`. The header's dimensions must lie in 1..50 (else
/// "Invalid property value"); while `dimensionsLocked` (patterns are stored) they must equal
/// `current`'s (else "Load File Error (Matrix Size is diferent)"), otherwise the window adopts
/// them with every cell off. Tokens then fill the cells row by row: "0" off, "1" on, anything
/// else leaves the cell; surplus tokens are ignored, too few are "Load File Error (File
/// Structure)".
PatternLoad ParsePatternText(std::string_view bytes, const Pattern& current, bool dimensionsLocked);

/// As `ParsePatternText`, on the file at `path` (read failures are reported the same way).
PatternLoad LoadPatternFile(const std::string& path, const Pattern& current, bool dimensionsLocked);

} // namespace tessaly
