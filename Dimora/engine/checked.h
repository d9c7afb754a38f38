// Arithmetic that fails the way the calculators report it: every failure carries a number and a
// description ("6 : Overflow"), and the functions that trap failures turn it into a message.
#pragma once

#include <cstdint>

#include "failure/failure.h"

namespace dimora {

/// A numbered arithmetic failure, thrown by the functions below.
using failure::Failure;

/// The three failures of the arithmetic: 6 overflow, 11 division by zero, 5 invalid argument.
inline Failure OverflowFailure() {
    return failure::Overflow();
}
inline Failure DivisionByZeroFailure() {
    return {11, "Division by zero"};
}
inline Failure InvalidArgumentFailure() {
    return {5, "Invalid procedure call or argument"};
}

/// 16-bit signed sum, difference and product; throw overflow when leaving -32768 .. 32767.
std::int16_t add16(std::int32_t a, std::int32_t b);
std::int16_t sub16(std::int32_t a, std::int32_t b);
std::int16_t mul16(std::int32_t a, std::int32_t b);

/// `value` rounded to the nearest 32-bit integer, halves to even; throws overflow outside the
/// 32-bit range or for a value that is not finite.
std::int32_t round32(double value);

/// `value` stored as a 32-bit float; throws overflow when it is beyond the float range.
float to_single(double value);

/// a / b; throws division by zero when b is 0 (overflow for 0 / 0, whose result is undefined,
/// is reported as a division by zero as well) and overflow when the quotient is not finite.
double divide(double a, double b);

/// a * b; throws overflow when the product is not finite.
double multiply(double a, double b);

/// Natural logarithm; throws invalid argument for x <= 0.
double log_checked(double x);

} // namespace dimora
