// The "[rows X columns]" header and blank-separated body shared by the pattern and weights files.
#pragma once

#include "failure.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

struct MatrixHeader {
    std::int16_t rows = 0;
    std::int16_t columns = 0;
    std::size_t bodyStart = 0; ///< first character after the "]" of the header
};

/// Upper-cases an 8-bit text (so "x" reads as "X").
std::string UpperCase(std::string_view text);

/// Finds the first "[", the first "X" after it and the first "]" after that in `upper`, and
/// reads the two trimmed texts between them as 16-bit integers (nearest, halves to even).
/// Failures: a missing mark "Load File Error (File Structure)", a text that is not a number
/// "Type mismatch", a number outside the 16-bit range "Overflow".
std::optional<Failure> ReadMatrixHeader(std::string_view upper, MatrixHeader& header);

/// The first `max` blank-separated tokens of `text` from `from` on (fewer when the text has
/// fewer); line ends (CR LF, LF, CR) and tabs count as blanks.
std::vector<std::string_view> BodyTokens(std::string_view text, std::size_t from, std::size_t max);

} // namespace tessaly
