#include "approximation.h"

#include <cmath>

#include "messages.h"
#include "numtext/numtext.h"

namespace quillon {

float Eps(const std::vector<float>& y, int s, float a, float b, int n, int norm) {
    if (n < 2) return 0.0f;
    if (norm == kChebychev) {
        float e = 0.0f;
        for (int i = s + 1; i <= s + n - 1; ++i) {
            double r = static_cast<double>(i - s) * b + a - y[i];
            float abs_r = std::fabs(static_cast<float>(r));
            if (abs_r > e) e = abs_r;
        }
        return e;
    }
    if (norm == kEuclidian) {
        double q = 0.0;
        for (int i = s + 1; i <= s + n - 1; ++i) {
            double r = static_cast<double>(i - s) * b + a - y[i];
            q += r * r;
        }
        return static_cast<float>(std::sqrt(q) / (n - 1));
    }
    return 0.0f;
}

Segment Regress(const std::vector<float>& y, int na, int s, float tol, int norm,
                std::vector<float>& approx) {
    Segment seg;
    seg.t = s;
    approx[s] = y[s];
    float a = 0.0f;
    float b = 0.0f;
    float kept_a = 0.0f;
    float kept_b = 0.0f;
    float sx = 0.0f;
    float sxx = 0.0f;
    float sxy = 0.0f;
    float sy = y[s];
    if (seg.t >= na) return seg;
    int j = 1;
    float e = 0.0f;
    do {
        sx = static_cast<float>(static_cast<double>(sx) + j);
        sxx = static_cast<float>(static_cast<double>(sxx) + static_cast<double>(j) * j);
        sy = static_cast<float>(static_cast<double>(sy) + y[s + j]);
        sxy = static_cast<float>(static_cast<double>(sxy) + static_cast<double>(j) * y[s + j]);
        int n = j + 1;
        j = n;
        float d = static_cast<float>(static_cast<double>(n) * sxx - static_cast<double>(sx) * sx);
        a = static_cast<float>((static_cast<double>(sy) * sxx - static_cast<double>(sxy) * sx) / d);
        b = static_cast<float>((static_cast<double>(n) * sxy - static_cast<double>(sy) * sx) / d);
        e = Eps(y, s, a, b, n, norm);
        if (e < tol) {
            kept_a = a;
            kept_b = b;
        }
        ++seg.t;
    } while (seg.t != na && e < tol);
    if (!(e < tol)) {
        a = kept_a;
        b = kept_b;
        --seg.t;
    }
    seg.a = a;
    seg.b = b;
    for (int i = s; i <= seg.t; ++i)
        approx[i] = static_cast<float>(static_cast<double>(i - s) * b + a);
    return seg;
}

std::optional<Message> PieceLin(Analysis& a, float tol, int norm) {
    if (a.na < 1) return msg::no_signal;
    if (!(tol > 0.0f)) return msg::tolerance_not_positive;
    // Work on copies so that a refused run leaves the previous approximation in place.
    std::vector<float> approx = a.approx;
    std::vector<float> slope = a.segSlope;
    std::vector<float> length = a.segLength;
    int s = 1;
    int k = 1;
    do {
        Segment seg = Regress(a.y, a.na, s, tol, norm, approx);
        if (seg.t == s && s < a.na) return msg::tolerance_too_small;
        slope[k] = seg.b;
        length[k] = static_cast<float>(seg.t - s);
        ++k;
        s = seg.t;
    } while (s < a.na);
    a.approx = std::move(approx);
    a.segSlope = std::move(slope);
    a.segLength = std::move(length);
    a.nseg = static_cast<std::int16_t>(k - 1);
    a.mode = Mode::approximated;
    return std::nullopt;
}

std::optional<Message> approximate(Analysis& a, const std::string& tolText, int normIndex) {
    auto tol = static_cast<float>(numtext::leading_value(tolText));
    return PieceLin(a, tol, normIndex + 1);
}

} // namespace quillon
