// The design-error curve (the "d" of mod_erro_d): the expected design (training) error ED(n) of
// the two-class normal classifier designed with n samples per class, for n = 1 .. 10 d. Its
// standard deviation SD(n) is modVar::DeviationCurve(ED).
#pragma once

#include <functional>
#include <vector>

#include "mod_var.h"

namespace dimora::modErroD {

/// Expected design error for n samples per class in d dimensions at squared distance delta:
/// exp(-n delta / 4) times a 601-term series whose terms combine the Gamma ratio, the powers
/// (n delta / 4)^j / j! and a probability P raised by recursion from its start value
/// (atan(sqrt(2n - 2)) for odd d, 1 - 1 / sqrt(2n - 1) for even d).
double DesignErrorPoint(int n, int d, float delta, const modVar::GammaTable& G);

/// ED(n) for n = 1 .. 10 d (element n - 1 holds ED(n)); `step` is called after every point.
std::vector<double> DesignErrorCurve(int d, float delta, const modVar::GammaTable& G,
                                     const std::function<void()>& step = {});

} // namespace dimora::modErroD
