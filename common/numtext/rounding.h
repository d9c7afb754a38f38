// Rounding a real value to a number of decimals.
#pragma once

namespace numtext {

/// `value` rounded to `decimals` decimal places (0-15), halves to even: value·10^decimals is
/// computed in double, rounded to the nearest integer (halves to the even neighbour) and divided
/// back. Values that are not finite, or too large to carry a fraction, come back unchanged.
double round_decimals(double value, int decimals);

} // namespace numtext
