#include "mlp_size.h"

#include <cmath>

#include "checked.h"

namespace dimora {

std::int16_t weightCount(std::int16_t d, std::int16_t h) {
    return add16(add16(mul16(h, add16(d, 1)), h), 1);
}

std::string unitsFailureText(const Failure& f) {
    return "Error probably due to excessively high number of units\n" + f.Text(" : ");
}

template <class T, class F> T MlpSize::trap(const char* name, F&& body) {
    try {
        return body();
    } catch (const Failure& f) {
        if (sink_) sink_(std::string("Funtion ") + name, unitsFailureText(f));
        return T{0};
    }
}

double MlpSize::Fact(std::int16_t n) {
    return trap<double>("Fact", [n] {
        double p = 1.0;
        for (int i = 1; i <= n; ++i)
            p = multiply(p, i);
        return p;
    });
}

float MlpSize::Combin(std::int16_t n, std::int16_t k) {
    return trap<float>("Combin", [this, n, k] {
        double q = Fact(n);
        q = divide(q, Fact(k));
        q = divide(q, Fact(sub16(n, k)));
        return to_single(q);
    });
}

std::int32_t MlpSize::RegionSum() {
    const int m = d < h ? d : h;
    std::int32_t s = 0;
    for (int i = 0; i <= m; ++i)
        s = round32(static_cast<double>(s) + double{Combin(h, static_cast<std::int16_t>(i))});
    return s;
}

std::int32_t MlpSize::MaxDicot() {
    return RegionSum();
}

std::int32_t MlpSize::VCD() {
    return trap<std::int32_t>("VCD", [this] { return RegionSum(); });
}

std::int32_t MlpSize::VCDl() {
    return VCD();
}

std::int32_t MlpSize::VCDu() {
    return trap<std::int32_t>("VCDu", [this] {
        std::int16_t units = 0;
        if (h == 1) {
            units = 1;
            W = mul16(add16(d, 1), h);
        } else {
            units = add16(h, 1);
            W = weightCount(d, h);
        }
        const double twoW = mul16(2, W);
        const double e = std::exp(1.0);
        return round32(twoW * log_checked(static_cast<double>(units) * e) / std::log(2.0));
    });
}

std::int32_t MlpSize::LowB() {
    return trap<std::int32_t>("LowB", [this] {
        // Single-precision steps where both operands are floats, as the stored widths imply.
        const float inverse = static_cast<float>(divide(1.0, alpha));
        const double lnInverse = log_checked(inverse);
        const float ratio = static_cast<float>(divide(1.0f - eps, eps));
        const std::int32_t t1 = round32(double{ratio} * lnInverse);
        const std::int32_t v = VCDl();
        const float factor = 1.0f - 2.0f * (alpha + (1.0f - alpha) * eps);
        const std::int32_t t2 = round32(double{factor} * static_cast<double>(v));
        return t2 < t1 ? t1 : t2;
    });
}

std::int32_t MlpSize::UpB() {
    return trap<std::int32_t>("UpB", [this] {
        W = weightCount(d, h);
        const float units = static_cast<float>(add16(h, 1));
        const float perError = to_single(divide(W, eps));
        const float ratio = to_single(divide(units, eps));
        return round32(double{perError} * log_checked(ratio));
    });
}

} // namespace dimora
