// The general number form with a limited number of significant digits.
#pragma once

#include <string>

namespace numtext {

/// `value` in the general number form with at most `significant` significant digits (rounded,
/// trailing zeros dropped): "-" before a negative number, nothing before a non-negative one,
/// "." as the decimal point with a leading "0" before it ("0.25", "-0.5"), and an exponent "E", a
/// sign and at least two digits when the decimal exponent is below -4 or at least `significant`
/// ("1E-05", "1.234568E+07" with 7 digits). Zero is "0".
/// Examples with 7 digits: 1/3f -> "0.3333333", 0.1f -> "0.1", 1234567 -> "1234567".
std::string general_form(double value, int significant);

} // namespace numtext
