// What the two error curves share (mod_var): the standard normal density table and its
// integrals, the Bayes error, the Gamma ratio, and the variance and standard deviation of an
// error estimated from 2n samples.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace dimora::modVar {

/// Standard normal density at z = i / 1000 for i = 0 .. 5000.
using NormalTable = std::array<float, 5001>;

/// Gamma values used by the ratio: entry 10 x holds Gamma(x) for x = 0.5, 1 and 1.5; the other
/// entries are 0.
using GammaTable = std::array<float, 16>;
inline constexpr std::size_t kGammaHalf = 5;        ///< Gamma(0.5) = sqrt(pi)
inline constexpr std::size_t kGammaOne = 10;        ///< Gamma(1) = 1
inline constexpr std::size_t kGammaOneAndHalf = 15; ///< Gamma(1.5) = sqrt(pi) / 2

/// phi(i) = c exp(-(i / 1000)^2 / 2) with c = 1 / sqrt(2 pi), pi and c as floats.
void BuildNormalTable(NormalTable& phi);

/// Fills G with Gamma(0.5), Gamma(1) and Gamma(1.5).
void SetGammaTable(GammaTable& G);

/// Trapezoidal integral of the density from a / 1000 to b / 1000 (step 0.001): the sum of
/// phi(i + 1) + phi(i) for i = a .. b - 1, times 0.0005. Bounds are limited to 0 .. 5000, so an
/// argument past the table counts as the integral up to 5; b <= a gives 0.
double NormalIntegral(const NormalTable& phi, int a, int b);

/// Phi(x): 1 for x > 5, otherwise 0.5 + the integral from 0 to round(1000 x).
float NormalDistribution(float x, const NormalTable& phi);

/// Bayes error of two normal classes at Mahalanobis distance delta: 1 - Phi(delta / 2).
float BayesError(float delta, const NormalTable& phi);

/// Gamma(x + 0.5) / (Gamma(x) sqrt(pi)) for x a multiple of 0.5; 0 for x < 0.5.
double GammaRatio(double x, const GammaTable& G);

/// Variance of a proportion e estimated from 2n samples: e (1 - e) / (2n).
double ProportionVariance(double e, int n);

/// The standard deviation of every point of an error curve whose element n - 1 holds the error
/// for n samples per class: sqrt(ProportionVariance(e(n), n)). SD from ED, ST from ET.
std::vector<double> DeviationCurve(const std::vector<double>& errors);

} // namespace dimora::modVar
