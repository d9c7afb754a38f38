#include "rounding.h"

#include <cmath>

namespace numtext {

double round_decimals(double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > 15) decimals = 15;
    double factor = std::pow(10.0, decimals);
    double scaled = value * factor;
    // Beyond 2^52 every double is already a whole number; scaling may also overflow.
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) return value;
    return std::nearbyint(scaled) / factor;
}

} // namespace numtext
