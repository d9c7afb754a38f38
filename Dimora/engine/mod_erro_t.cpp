// ET(n), the expected test error, point by point and corrected towards Pe (see mod_erro_t.h).
#include "mod_erro_t.h"

#include <cmath>

namespace dimora::modErroT {

double TestErrorPoint(int n, int d, float delta, const modVar::NormalTable& phi) {
    const double c = 2.0 * n + 1.0;
    const double r = std::pow(c, -0.5);
    const double A = (1.0 - r) * (1.0 - r) * (n / 8.0) * delta;
    const double B = (1.0 + r) * (1.0 + r) * (n / 8.0) * delta;
    const double k1 = d + 2.0 * A;
    const double k2 = d + 2.0 * B;
    const double a = A / (2.0 * k1);
    const double b = B / (2.0 * k2);
    const double Q = (1.0 + b) * std::pow(k2, -1.0 / 3.0) + (1.0 + a) * std::pow(k1, -1.0 / 3.0);
    const double z =
        std::pow(Q, -0.5) * std::pow(18.0, -0.5) *
        (2.0 * ((1.0 + b) * std::pow(k2, -2.0 / 3.0) - (1.0 + a) * std::pow(k1, -2.0 / 3.0)) +
         9.0 * (std::cbrt(k1) - std::cbrt(k2)));
    // Past the table the integral keeps its value at 5.
    const double scaled = std::fabs(z) * 1000.0;
    const int b1000 = scaled >= 5000.0 || !std::isfinite(scaled)
                          ? 5000
                          : static_cast<int>(std::nearbyint(scaled));
    return 0.5 - modVar::NormalIntegral(phi, 0, b1000);
}

void CorrectTowardsBayes(std::vector<double>& u, float Pe) {
    if (u.empty()) return;
    const double u1 = u.front();
    const double uN = u.back();
    if (u1 == uN) return;
    for (double& value : u)
        value = value + ((u1 - value) / (u1 - uN)) * (double{Pe} - value);
    u.back() = double{Pe}; // what the formula gives, without the last rounding step
}

std::vector<double> TestErrorCurve(float Pe, int d, float delta, const modVar::NormalTable& phi) {
    std::vector<double> u;
    for (int n = 1; n <= 10 * d; ++n)
        u.push_back(TestErrorPoint(n, d, delta, phi));
    CorrectTowardsBayes(u, Pe);
    return u;
}

} // namespace dimora::modErroT
