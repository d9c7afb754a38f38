// Piecewise-linear approximation of the signal by least-squares line segments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis.h"

namespace quillon {

/// Approximation error of the line a + b*x over the n samples s ... s+n-1 of `y` (x = i - s).
/// Residuals r(i) = (i - s)*b + a - y(i) for i = s+1 ... s+n-1 (the first sample takes no part).
/// Chebychev (norm 1): the largest |r(i)| as a float. Euclidian (norm 2): sqrt(sum r(i)^2)/(n-1),
/// the root of the sum over the number of residuals. Any other norm, or n < 2: 0.
float Eps(const std::vector<float>& y, int s, float a, float b, int n, int norm);

/// One least-squares segment grown from sample s.
struct Segment {
    int t = 0;      ///< end sample (t = s when nothing could be added)
    float a = 0.0f; ///< intercept at x = 0
    float b = 0.0f; ///< slope
};

/// Grows a segment from s over the samples 1 ... na of `y`: each new sample is added to float
/// sums (Sx, Sxx, Sy, Sxy) and the line refitted, D = n*Sxx - Sx^2, a = (Sy*Sxx - Sxy*Sx)/D,
/// b = (n*Sxy - Sy*Sx)/D, until the end of the signal or until the error reaches `tol`. In that
/// case the last sample is given back and the last fit within the tolerance kept. Writes
/// approx(i) = (i - s)*b + a for i = s ... t. A segment from s = na has no length.
Segment Regress(const std::vector<float>& y, int na, int s, float tol, int norm,
                std::vector<float>& approx);

/// The whole approximation of `a.y` (1 ... na) with tolerance `tol` and the given norm:
/// consecutive segments sharing their end samples; fills segSlope, segLength, approx and nseg,
/// sets Mode::approximated. Refused (with `a` unchanged) when there is no signal, when the
/// tolerance is not above 0, or when a segment cannot take even one step within it.
std::optional<Message> PieceLin(Analysis& a, float tol, int norm);

/// As `PieceLin`, with the tolerance the leading decimal number of `tolText` and the norm
/// the 0-based position of the chosen entry of the norm list plus 1.
std::optional<Message> approximate(Analysis& a, const std::string& tolText, int normIndex);

} // namespace quillon
