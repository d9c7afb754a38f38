#include "display.h"

#include <algorithm>

#include "messages.h"
#include "numtext/numtext.h"

namespace quillon {
namespace {

const Rgb kLightGrey{192, 192, 192};
const Rgb kPlain{15, 0, 0};

// Appends the relative lines of one curve: the pen starts at x = 1 at the height of
// values[begin]; each sample i = begin, begin + incr ... up to `end` that is not past `last`
// adds a line dx to the right to the height of values[i].
template <typename ColorOf>
void curve(const Analysis& a, const std::vector<float>& values, int begin, int end, int incr,
           int last, double dx, ColorOf color_of, std::vector<Line>& out) {
    auto height = [&](float v) { return static_cast<double>(a.ymax) - v + 1.0; };
    double x = 1.0;
    double h = height(values[static_cast<std::size_t>(begin)]);
    for (int i = begin; i <= end; i += incr) {
        if (i > last) break;
        double nh = height(values[static_cast<std::size_t>(i)]);
        out.push_back({x, h, x + dx, nh, color_of(i)});
        x += dx;
        h = nh;
    }
}

} // namespace

std::optional<Message> Display(Analysis& a, int begin, int incr, bool zoom, DisplayPlan& plan) {
    if (incr < 1) return msg::step_too_small;
    incr = std::min(incr, 10);
    begin = std::clamp(begin, 1, kMaxSamples);
    plan = DisplayPlan{};
    int listEnd = (begin + 1000) * incr;
    for (int i = begin; i <= listEnd && i <= a.na; i += incr) {
        plan.listing.push_back(std::to_string(i) + ": " + numtext::shortest(a.y[i]));
        plan.listed.push_back(i);
    }

    int npts = zoom ? kZoomedSamples : kDrawnSamples;
    double dx = zoom ? 4.0 : 1.0;
    int end = (begin + npts) * incr;
    plan.signalWidth = a.drawWidth;
    curve(
        a, a.y, begin, end, incr, a.na, dx, [](int) { return kLightGrey; }, plan.signal);
    a.drawWidth = 2;
    plan.approximationWidth = 2;
    bool coloured = a.mode == Mode::labelled || a.mode == Mode::parsed;
    curve(
        a, a.approx, begin, end - 1, incr, a.na - 1, dx,
        [&](int i) { return coloured ? Color(a, a.segOfSample[i]) : kPlain; }, plan.approximation);
    return std::nullopt;
}

std::optional<Message> Display(Analysis& a, int begin, const std::string& incrText, bool zoom,
                               DisplayPlan& plan) {
    double v = numtext::leading_value(incrText);
    int incr = v >= 10.0 ? 10 : numtext::to_int16(v).value_or(0);
    return Display(a, begin, incr, zoom, plan);
}

std::pair<std::string, std::string> pointer_readout(const Analysis& a, double x, double y) {
    return {numtext::format(x, "#####.#"),
            numtext::format(static_cast<double>(a.ymax) - y + 1.0, "#####.#")};
}

} // namespace quillon
