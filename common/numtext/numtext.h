// Text <-> number rules shared by the programs of the suite.
//
// Every program reads numbers from text boxes and files and shows numbers in labels, lists and
// files with the same handful of rules; each rule lives here once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace numtext {

// ---------------------------------------------------------------- reading

/// The leading decimal number of `text`: blanks (space, tab, CR, LF) anywhere are ignored, then an
/// optional sign, digits with at most one decimal point "." and an optional exponent ("E", "e",
/// "D" or "d", an optional sign and digits). Reading stops at the first other character. A text
/// without a leading number gives 0.
double leading_value(std::string_view text);

/// As `leading_value`, after the first "," of the text (only the first) has become ".".
/// This is how a setting typed with a locale's decimal comma is read.
double leading_value_comma(std::string_view text);

/// The leading number after leading blanks only (blanks inside the number end it): optional
/// sign, digits with "." as the decimal point, optional exponent ("E" or "e", optional sign,
/// digits). No number gives 0.
double leading_value_plain(std::string_view text);

/// The whole text as a number (blanks around it allowed): optional sign, digits with at most one
/// ".", at least one digit, optional exponent "E"/"e" with optional sign and at least one digit.
/// Anything else, or an out-of-range value, gives nullopt.
std::optional<double> whole_number(std::string_view text);

/// Reads the fields of a text file whose numbers are separated by commas, blanks or line ends
/// (and whose strings may be quoted). Never reads outside the text it was given.
class FieldScanner {
public:
    explicit FieldScanner(std::string_view text) : text_(text) {}

    enum class Status { ok, end, not_a_number };
    struct Number {
        Status status;
        double value;
    };

    /// The next number. Separators before it are skipped; the number ends at a blank, a comma or
    /// a line end. A field that is not wholly a number gives `not_a_number` (and is consumed);
    /// no more fields gives `end`.
    Number next_number();

    /// The next field as a string: a quoted field runs to its closing quote (the quotes are not
    /// part of it), an unquoted one to the next comma or line end, without surrounding blanks.
    /// Empty lines are skipped. nullopt at the end of the text.
    std::optional<std::string> next_string();

    /// True when nothing but separators is left.
    bool at_end();

private:
    void skip_separators(bool blanks_too);
    std::string_view text_;
    std::size_t pos_ = 0;
};

// ---------------------------------------------------------------- storing into integers

/// `value` rounded to the nearest integer, halves to even; nullopt when the result leaves the
/// 16-bit signed range or the value is not finite.
std::optional<std::int16_t> to_int16(double value);

/// As `to_int16`, for the 32-bit signed range.
std::optional<std::int32_t> to_int32(double value);

// ---------------------------------------------------------------- writing

/// `value` formatted with a pattern, rounded half away from zero on its exact binary value.
/// Supported patterns:
///  - digit patterns of "#" (optional digit), "0" (required digit), one "." and blanks as digit
///    group separators ("##0.##", "#####.#", "###0.0#", "### ##0.00", "##", "####"): the
///    fraction keeps the "0" places and as many "#" places as it needs, trailing zeros dropped;
///    the point is dropped when no fraction digit follows it; an integer part of only "#" places
///    is empty for |value| < 1 (".5"), and a value that rounds to nothing gives "0"; a blank
///    separator is written only between digits ("1 234.50", "5.00").
///  - scientific patterns "0.0000E+00" (explicit exponent sign) and "0.0000E-00" (minus only):
///    one digit before the point, as many after as the pattern has, at least as many exponent
///    digits as the pattern has ("1.2346E-02", "1.5000E02", zero as "0.0000E+00").
std::string format(double value, std::string_view pattern);

/// The shortest decimal text that reads back as the same float, in the general number form:
/// fixed notation with a leading "0" before the point ("0.5", "-3.25", "1234567"), scientific
/// with "E", a sign and two digits when the decimal exponent is below -4 or above 6
/// ("1E-05", "1.2345678E+07").
std::string shortest(float value);

/// As `shortest(float)`, for a double (scientific above 1e15).
std::string shortest(double value);

/// `value` printed with a sign position: a blank before a non-negative number, "-" before a
/// negative one, "." as the decimal point without a leading zero, at most `significant`
/// significant digits (trailing zeros dropped), an exponent "E", a sign and at least two digits
/// when the number needs one (decimal exponent below -4, or at least `significant`).
/// Examples: 1 -> " 1", -1 -> "-1", 0.5 -> " .5", 0.1f with 7 digits -> " .1".
std::string with_sign_position(double value, int significant);

/// `text` right-aligned in `width` characters: blanks in front when shorter, only the last
/// `width` characters when longer.
std::string right_align(std::string_view text, std::size_t width);

} // namespace numtext
