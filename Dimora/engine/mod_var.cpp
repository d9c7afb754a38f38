// The normal table and integrals, the Gamma ratio and the error variance (see mod_var.h).
#include "mod_var.h"

#include <algorithm>
#include <cmath>

namespace dimora::modVar {

void BuildNormalTable(NormalTable& phi) {
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    const float c = static_cast<float>(1.0 / std::sqrt(2.0 * double{pi}));
    for (std::size_t i = 0; i < phi.size(); ++i) {
        const double z = static_cast<double>(i) / 1000.0;
        phi[i] = static_cast<float>(double{c} * std::exp(-z * z / 2.0));
    }
}

void SetGammaTable(GammaTable& G) {
    G.fill(0.0f);
    G[kGammaHalf] = 1.7724539f;
    G[kGammaOne] = 1.0f;
    G[kGammaOneAndHalf] = 0.88622695f;
}

double NormalIntegral(const NormalTable& phi, int a, int b) {
    const int last = static_cast<int>(phi.size()) - 1;
    a = std::clamp(a, 0, last);
    b = std::clamp(b, 0, last);
    double s = 0.0;
    for (int i = a; i < b; ++i)
        s +=
            double{phi[static_cast<std::size_t>(i) + 1]} + double{phi[static_cast<std::size_t>(i)]};
    return s * 0.0005;
}

float NormalDistribution(float x, const NormalTable& phi) {
    if (x > 5.0f) return 1.0f;
    const int b = static_cast<int>(std::nearbyint(double{x} * 1000.0));
    return static_cast<float>(0.5 + NormalIntegral(phi, 0, b));
}

float BayesError(float delta, const NormalTable& phi) {
    return 1.0f - NormalDistribution(delta / 2.0f, phi);
}

double GammaRatio(double x, const GammaTable& G) {
    if (x < 0.5) return 0.0;
    double a = 1.0;
    while (x > 1.0) {
        a = (x - 0.5) * a / (x - 1.0);
        x -= 1.0;
    }
    const long upper = std::lround(10.0 * x + 5.0);
    const long lower = std::lround(10.0 * x);
    if (upper >= static_cast<long>(G.size()) || G[static_cast<std::size_t>(lower)] == 0.0f ||
        G[kGammaHalf] == 0.0f)
        return 0.0;
    return double{G[static_cast<std::size_t>(upper)]} * a /
           (double{G[static_cast<std::size_t>(lower)]} * double{G[kGammaHalf]});
}

double ProportionVariance(double e, int n) {
    return e * (1.0 - e) / (2.0 * n);
}

std::vector<double> DeviationCurve(const std::vector<double>& errors) {
    std::vector<double> deviations;
    deviations.reserve(errors.size());
    for (std::size_t i = 0; i < errors.size(); ++i)
        deviations.push_back(std::sqrt(ProportionVariance(errors[i], static_cast<int>(i) + 1)));
    return deviations;
}

} // namespace dimora::modVar
