#include "checked.h"

#include <cmath>
#include <limits>

#include "numtext/numtext.h"

namespace dimora {
namespace {

std::int16_t fit16(std::int64_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw OverflowFailure();
    return static_cast<std::int16_t>(value);
}

} // namespace

std::int16_t add16(std::int32_t a, std::int32_t b) {
    return fit16(std::int64_t{a} + std::int64_t{b});
}

std::int16_t sub16(std::int32_t a, std::int32_t b) {
    return fit16(std::int64_t{a} - std::int64_t{b});
}

std::int16_t mul16(std::int32_t a, std::int32_t b) {
    return fit16(std::int64_t{a} * std::int64_t{b});
}

std::int32_t round32(double value) {
    auto r = numtext::to_int32(value);
    if (!r) throw OverflowFailure();
    return *r;
}

float to_single(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
        throw OverflowFailure();
    return static_cast<float>(value);
}

double divide(double a, double b) {
    if (b == 0.0) throw DivisionByZeroFailure();
    double q = a / b;
    if (!std::isfinite(q)) throw OverflowFailure();
    return q;
}

double multiply(double a, double b) {
    double p = a * b;
    if (!std::isfinite(p)) throw OverflowFailure();
    return p;
}

double log_checked(double x) {
    if (!(x > 0.0)) throw InvalidArgumentFailure();
    return std::log(x);
}

} // namespace dimora
