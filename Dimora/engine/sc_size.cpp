#include "sc_size.h"

#include <cmath>

#include "mod_erro_d.h"
#include "mod_erro_t.h"
#include "mod_var.h"

namespace dimora {

int wrapFraction(int value) {
    if (value <= kFracDeltaMin) return 99;
    if (value >= kFracDeltaMax) return 0;
    return value;
}

bool fractionEnabled(int integerPart) {
    return integerPart != kIntDeltaMax;
}

float squaredDistance(int integerPart, int hundredths) {
    return static_cast<float>(integerPart) + static_cast<float>(hundredths) / 100.0f;
}

SCCurves computeSCSize(int d, float delta, const SCProgress& progress) {
    modVar::NormalTable phi;
    modVar::BuildNormalTable(phi);
    modVar::GammaTable G;
    modVar::SetGammaTable(G);

    SCCurves c;
    c.d = static_cast<std::int16_t>(d);
    c.delta = delta;
    c.Pe = modVar::BayesError(static_cast<float>(std::sqrt(double{delta})), phi);
    c.npts = static_cast<std::int16_t>(10 * d);

    int value = 0;
    auto set = [&](int v) {
        value = v;
        if (progress.setValue) progress.setValue(v);
    };
    if (progress.setRange) progress.setRange(0, 10 * d + 4);
    set(0);
    set(1);
    c.ED = modErroD::DesignErrorCurve(d, delta, G, [&] { set(value + 1); });
    c.ET = modErroT::TestErrorCurve(c.Pe, d, delta, phi);
    c.SD = modVar::DeviationCurve(c.ED);
    set(value + 1);
    c.ST = modVar::DeviationCurve(c.ET);
    set(value + 1);
    return c;
}

} // namespace dimora
