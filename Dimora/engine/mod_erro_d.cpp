// ED(n), the expected design error, point by point (see mod_erro_d.h).
#include "mod_erro_d.h"

#include <cmath>

namespace dimora::modErroD {

double DesignErrorPoint(int n, int d, float delta, const modVar::GammaTable& G) {
    const double q = (2.0 * n - 2.0) / (2.0 * n - 1.0);
    const double root = std::sqrt(2.0 * n - 1.0);

    double P = 0.0;
    int k = 0;
    if (d % 2 != 0) {
        P = std::atan(std::sqrt(2.0 * n - 2.0));
        k = 1;
    } else {
        P = 1.0 - 1.0 / root;
        k = 2;
    }
    while (k < d) {
        k += 2;
        P = (double(k - 2) / double(k - 1)) * P -
            std::pow(q, double(k - 2) / 2.0) / (double(k - 1) * root);
    }

    const float nDelta = static_cast<float>(n) * delta;
    const double half = d / 2.0;
    double w = 1.0;
    double g = modVar::GammaRatio(half, G);
    double S = 0.0;
    for (int j = 0; j <= 600; ++j) {
        S += g * w * P;
        w = w * double{nDelta} / (4.0 * (j + 1));
        g = (half + j + 0.5) * g / (half + j);
        const double m = d + 2.0 * j;
        P = (m / (m + 1.0)) * P - std::pow(q, m / 2.0) / ((m + 1.0) * root);
    }
    return std::exp(-double{nDelta} / 4.0) * S;
}

std::vector<double> DesignErrorCurve(int d, float delta, const modVar::GammaTable& G,
                                     const std::function<void()>& step) {
    std::vector<double> ED;
    const int npts = 10 * d;
    ED.reserve(static_cast<std::size_t>(npts > 0 ? npts : 0));
    for (int n = 1; n <= npts; ++n) {
        ED.push_back(DesignErrorPoint(n, d, delta, G));
        if (step) step();
    }
    return ED;
}

} // namespace dimora::modErroD
