// The prototype set: n labelled samples of two classes with d features each.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellin {

inline constexpr int max_prototypes = 500;
inline constexpr int max_features = 6;

/// The largest header value read as a whole number: every whole number up to it is exact in the
/// double the text is read into (2^53), and n - n1 cannot overflow.
inline constexpr std::int64_t max_header_value = 9007199254740992;

/// Prototypes 1 .. n1 are class 1, n1 + 1 .. n class 2. Features are 32-bit floats. The
/// counts are held as read, however far outside the limits, so the window shows the file's own
/// numbers next to its message.
struct Prototypes {
    std::int64_t n = 0;  ///< number of prototypes, as read
    std::int64_t n1 = 0; ///< number of class-1 prototypes, as read
    std::int64_t d = 0;  ///< number of features, as read
    std::int64_t n2() const { return n - n1; }
    /// Features of prototype i (1-based) are x[i - 1]; only filled when the header is in range.
    std::vector<std::array<float, max_features>> x;
    float feature(int i, int j) const { return x[static_cast<std::size_t>(i - 1)][j - 1]; }
};

/// Outcome of reading a prototype file's text.
struct PrototypeRead {
    enum class Status {
        ok,           ///< header and all n x d features read (or header out of range, see below)
        no_header,    ///< fewer than three numbers, or text, where n, n1 and d should be
        huge_header,  ///< n, n1 or d beyond +-max_header_value: no count of anything
        short_data,   ///< the text ends before its n x d features
        not_a_number, ///< text where a feature should be
        out_of_range, ///< a feature beyond the range of a 32-bit float
    };
    Status status = Status::ok;
    Prototypes set;
    int values_read = 0; ///< features read before the failure
    int huge = 0;        ///< with `huge_header`: which header value, 0 n, 1 n1, 2 d
};

/// Reads "n, n1, d, then n groups of d features" from `text` (numbers separated by commas,
/// blanks or line ends; header values are rounded to integers, halves to even; one beyond
/// +-max_header_value stops the reading with `huge_header`). The features
/// are read only when 1 <= n <= 500 and 1 <= d <= 6, so a header outside the limits never makes
/// the reader store past the array; such a header reads as `ok` with no features, and the
/// checks of the window report it. A feature that no 32-bit float holds (beyond about
/// +-3.4E+38) stops the reading with `out_of_range`, since it would compute as infinity.
PrototypeRead read_prototypes(std::string_view text);

/// The message for a read failure other than `ok` (title "Wrong Specifications").
std::string read_failure_message(const PrototypeRead& read);

} // namespace pellin
