// Size bounds of a two-class multilayer perceptron with d inputs, one hidden layer of h hard
// limiters and one output unit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "failure/failure.h"

namespace dimora {

/// Receives a message box: its title and its text (lines separated by "\n").
using MessageSink = std::function<void(const std::string& title, const std::string& text)>;

/// The weight count of a network with d inputs, h hidden units and one output: h(d + 1) + h + 1
/// (d + 1 per hidden unit with its bias, h + 1 for the output unit), in 16-bit arithmetic;
/// throws overflow beyond 32767.
std::int16_t weightCount(std::int16_t d, std::int16_t h);

/// The text of the message shown when a size function fails: a line saying why, then the
/// failure's number, " : " and its description.
std::string unitsFailureText(const failure::Failure& f);

/// The bound functions over the calculator's current values. A function that traps its own
/// failures reports them to the sink with the title "Funtion <name>" and returns 0, and the
/// computation goes on with that 0.
class MlpSize {
public:
    explicit MlpSize(MessageSink sink) : sink_(std::move(sink)) {}

    std::int16_t d = 0; ///< dimension (number of inputs)
    std::int16_t h = 0; ///< hidden units of the row being computed
    std::int16_t W = 0; ///< weight count, written by VCDu and UpB
    float eps = 0.0f;   ///< training error
    float alpha = 0.0f; ///< confidence level, used as the failure probability

    /// n! as a double (1 for n <= 0). Fails (overflow) for n >= 171.
    double Fact(std::int16_t n);

    /// C(n, k) = Fact(n) / Fact(k) / Fact(n - k), divided left to right, as a float. Fails when a
    /// factor failed to 0 (division by zero) or the result is beyond the float range.
    float Combin(std::int16_t n, std::int16_t k);

    /// Maximum number of regions: RegionSum(). Does not trap: a sum beyond the 32-bit range
    /// throws Failure to the caller.
    std::int32_t MaxDicot();

    /// The VC-dimension sum: the same sum as MaxDicot, trapping its failures.
    std::int32_t VCD();

    /// Lower bound of the VC dimension: VCD.
    std::int32_t VCDl();

    /// Upper bound of the VC dimension: 2W log2(eN) with N = h + 1 units and
    /// W = h(d + 1) + h + 1 weights, or N = 1, W = d + 1 for h = 1. Sets W.
    std::int32_t VCDu();

    /// Lower bound of the learning-set size: the larger of ((1 - eps) / eps) ln(1 / alpha) and
    /// (1 - 2(alpha + (1 - alpha) eps)) VCDl.
    std::int32_t LowB();

    /// Upper bound of the learning-set size: (W / eps) ln(N / eps) with W = h(d + 1) + h + 1 and
    /// N = h + 1. Sets W.
    std::int32_t UpB();

private:
    /// Sum of C(h, i) for i = 0 .. min(d, h), each partial sum rounded to a 32-bit integer.
    std::int32_t RegionSum();
    template <class T, class F> T trap(const char* name, F&& body);
    MessageSink sink_;
};

} // namespace dimora
