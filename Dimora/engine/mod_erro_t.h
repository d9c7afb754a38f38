// The test-error curve (the "t" of mod_erro_t): the expected test error ET(n) of the two-class
// normal classifier designed with n samples per class, for n = 1 .. 10 d, corrected so that it
// ends at the Bayes error. Its standard deviation ST(n) is modVar::DeviationCurve(ET).
#pragma once

#include <vector>

#include "mod_var.h"

namespace dimora::modErroT {

/// Uncorrected expected test error for n samples per class: with c = 2n + 1,
/// A = (1 - c^-1/2)^2 (n / 8) delta, B = (1 + c^-1/2)^2 (n / 8) delta, k1 = d + 2A, k2 = d + 2B,
/// a = A / (2 k1), b = B / (2 k2), Q = (1 + b) k2^-1/3 + (1 + a) k1^-1/3 and
/// z = Q^-1/2 18^-1/2 (2((1 + b) k2^-2/3 - (1 + a) k1^-2/3) + 9(k1^1/3 - k2^1/3)),
/// the result is 0.5 - the normal integral from 0 to |z| (the integral stops at 5).
double TestErrorPoint(int n, int d, float delta, const modVar::NormalTable& phi);

/// Scales the uncorrected values u(1 .. N) so that the first stays and the last becomes Pe:
/// u(n) + ((u(1) - u(n)) / (u(1) - u(N))) (Pe - u(n)). When u(1) = u(N) no scaling is possible
/// and every value is left as it is.
void CorrectTowardsBayes(std::vector<double>& u, float Pe);

/// ET(n) for n = 1 .. 10 d, corrected towards Pe (element n - 1 holds ET(n)).
std::vector<double> TestErrorCurve(float Pe, int d, float delta, const modVar::NormalTable& phi);

} // namespace dimora::modErroT
