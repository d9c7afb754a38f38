// The Compute command of the classifier-size calculator: the Bayes error and the four curves for
// a dimension and a squared distance, with the progress values the window shows.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace dimora {

/// Ranges of the up-down controls.
inline constexpr int kDimMin = 2, kDimMax = 9, kDimStart = 2;
inline constexpr int kIntDeltaMin = 1, kIntDeltaMax = 22, kIntDeltaStart = 2;
inline constexpr int kFracDeltaMin = -1, kFracDeltaMax = 100, kFracDeltaStart = 0;

/// The fraction control's wrap-around: its lower sentinel -1 becomes 99, its upper sentinel 100
/// becomes 0; any other value stays.
int wrapFraction(int value);

/// The fraction control is usable below the largest integer part only.
bool fractionEnabled(int integerPart);

/// Squared distance from the two up-downs: integer part + hundredths / 100, as a float.
float squaredDistance(int integerPart, int hundredths);

/// Everything the graph and the readout show.
struct SCCurves {
    std::int16_t d = 0;
    float delta = 0.0f;
    float Pe = 0.0f;
    std::int16_t npts = 0;
    std::vector<double> ED, ET, SD, ST; ///< element n - 1 holds the value for n samples
};

/// Progress reports: the bar's range is set once, then its value moves.
struct SCProgress {
    std::function<void(int minimum, int maximum)> setRange;
    std::function<void(int value)> setValue;
};

/// Computes Pe and ED, ET, SD, ST for n = 1 .. 10 d. Progress: range 0 .. 10 d + 4, value 0 then
/// 1, +1 after each design point, +1 after SD, +1 after ST (the window sets the maximum when the
/// graph is drawn).
SCCurves computeSCSize(int d, float delta, const SCProgress& progress = {});

} // namespace dimora
