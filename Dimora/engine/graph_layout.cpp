#include "graph_layout.h"

#include <algorithm>
#include <cmath>

#include "numtext/numtext.h"

namespace dimora {

UserScale fitGraphScale(double xmax, double ymax, double widthPx, double heightPx,
                        double textHeightPx, double textWidthPx, UserScale start) {
    UserScale s = start;
    if (widthPx <= 0.0 || heightPx <= 0.0) return s;
    for (int i = 0; i < 10; ++i) {
        const double th = std::fabs(textHeightPx * (s.top - s.bottom) / heightPx);
        const double tw = std::fabs(textWidthPx * (s.right - s.left) / widthPx);
        s.left = -4.0 * tw;
        s.top = ymax + 2.5 * th;
        s.right = xmax + 3.0 * tw;
        s.bottom = -3.0 * th;
    }
    return s;
}

double graphStep(int npts, int d, double x0, std::size_t count) {
    if (d == 0 || count == 0) return -1.0;
    const double xmax = static_cast<double>(npts) / d;
    return (xmax - x0) / static_cast<double>(count);
}

std::vector<float> errorAxisValues(float ymax) {
    std::vector<float> values;
    const float step = ymax / 5.0f;
    if (!(step > 0.0f)) return values;
    for (float y = 0.0f; y <= ymax + 0.01f; y += step)
        values.push_back(y);
    return values;
}

std::vector<int> ratioAxisTicks(double xmax) {
    std::vector<int> ticks;
    int step = 1;
    if (xmax > 15.0) step = std::max(1, static_cast<int>(std::nearbyint(xmax / 20.0)));
    const int last = static_cast<int>(std::nearbyint(xmax - 1.0));
    for (int k = 0; k <= last; k += step)
        ticks.push_back(k);
    ticks.push_back(static_cast<int>(std::nearbyint(xmax)));
    return ticks;
}

std::optional<Readout> readoutAt(double x, double dx, double x0, const SCCurves& curves) {
    if (dx <= 0.0 || x < 0.0) return std::nullopt;
    const char* pattern = "### ##0.000";
    Readout r;
    r.ratio = "n/d = " + numtext::format(x, pattern);
    const std::size_t count =
        std::min({curves.ED.size(), curves.ET.size(), curves.SD.size(), curves.ST.size()});
    if (x > x0 && count > 0) {
        const double k = std::nearbyint((x - x0) / dx);
        const std::size_t i = static_cast<std::size_t>(std::clamp(k, 0.0, double(count - 1)));
        r.point = i;
        r.pet = "Pet = " + numtext::format(curves.ET[i], pattern);
        r.ped = "Ped = " + numtext::format(curves.ED[i], pattern);
        r.st = "St = " + numtext::format(curves.ST[i], pattern);
        r.sd = "Sd = " + numtext::format(curves.SD[i], pattern);
    }
    return r;
}

} // namespace dimora
