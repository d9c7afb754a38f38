#include "plane.h"

#include <algorithm>

#include "numtext/numtext.h"
#include "numtext/rounding.h"

#include <array>
#include <cmath>

namespace perceptron {

namespace {

// Significant digits of a double printed with a sign position.
constexpr int double_digits = 15;

// Cuts the segment (x1, y1)-(x2, y2) to the drawing area (Liang-Barsky). False when no part of
// it lies inside.
bool clip_to_area(double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    double dx = x2 - x1, dy = y2 - y1;
    double t0 = 0, t1 = 1;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{x1 - scale::left, scale::right - x1, y1 - scale::top,
                                  scale::bottom - y1};
    for (std::size_t k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        double t = q[k] / p[k];
        if (p[k] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1, y1 = ny1, x2 = nx2, y2 = ny2;
    return true;
}

// True when (X, Y) lies within [x + left, x + right] by [y + below, y + above] of `s`.
bool near(Sample s, UserPoint p, double left, double right, double below, double above) {
    double x = p.x;
    double y = 0.6 - static_cast<double>(p.yd);
    return x >= s.x + left && x <= s.x + right && y >= s.y + below && y <= s.y + above;
}

std::optional<std::string> last_match(const SampleSet& set, UserPoint p, double left, double right,
                                      double below, double above) {
    std::optional<std::string> name;
    for (std::size_t i = 0; i < set.u.size(); ++i) {
        if (near(set.u[i], p, left, right, below, above)) name = image_name(true, i);
        if (i < set.v.size() && near(set.v[i], p, left, right, below, above))
            name = image_name(false, i);
    }
    return name;
}

} // namespace

UserPoint user_point(double px, double py) {
    return {static_cast<float>(scale::left + px / scale::pixels_per_x),
            static_cast<float>(scale::top + py / scale::pixels_per_yd)};
}

std::uint32_t palette_rgb(int index) {
    static constexpr std::array<std::uint32_t, 16> palette{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    if (index < 0 || index >= static_cast<int>(palette.size())) return palette[0];
    return palette[static_cast<std::size_t>(index)];
}

std::vector<double> loop_values(double first, double last, double step) {
    std::vector<double> values;
    if (!(step > 0)) return values;
    for (double v = first; v <= last; v += step)
        values.push_back(v);
    return values;
}

Drawing draw_axes() {
    Drawing d;
    d.push_back(Segment{0, -0.02, 0, 0.6, colour::black});
    for (double a : loop_values(-0.08, 0.08, 0.01))
        d.push_back(Segment{a, -0.02, 0, -0.04, colour::black});
    d.push_back(Segment{0, 0.6, 10.7, 0.6, colour::black});
    for (double b : loop_values(0.59, 0.61, 0.002))
        d.push_back(Segment{10.7, b, 10.9, 0.6, colour::black});
    d.push_back(Label{0.2, -0.03, "Y", colour::black});
    d.push_back(Label{10.45, 0.6, "X", colour::black});
    for (int m = 0; m <= 10; ++m)
        d.push_back(Label{static_cast<double>(m), 0.6,
                          numtext::with_sign_position(m, double_digits), colour::black});
    for (int o = 1; o <= 6; ++o) {
        double tenth = o / 10.0;
        d.push_back(Label{-0.3, 0.6 - tenth - 0.01,
                          numtext::with_sign_position(tenth, double_digits), colour::black});
    }
    return d;
}

Drawing draw_points(const SampleSet& set) {
    Drawing d;
    for (const Sample& s : set.u)
        d.push_back(Label{s.x - 0.1, 0.6 - s.y - 0.01, "X", colour::dark_red});
    for (const Sample& s : set.v)
        d.push_back(Label{s.x - 0.1, 0.6 - s.y - 0.01, "O", colour::dark_blue});
    return d;
}

Drawing draw_decision_line(const Weights& w, int line_colour) {
    double x1, yd1, x2, yd2;
    if (auto ends = line_ends(w)) {
        x1 = ends->x_at_top, yd1 = 0;
        x2 = ends->x_at_bottom, yd2 = 0.6;
    } else if (auto height = horizontal_line_height(w)) {
        x1 = scale::left, x2 = scale::right;
        yd1 = yd2 = 0.6 - static_cast<double>(*height);
    } else {
        return {};
    }
    if (!clip_to_area(x1, yd1, x2, yd2)) return {};
    return {Segment{x1, yd1, x2, yd2, line_colour}};
}

std::string readout_text(UserPoint p) {
    double x = numtext::round_decimals(p.x, 2);
    double y = numtext::round_decimals(0.6 - static_cast<double>(p.yd), 2);
    return "X: " + numtext::with_sign_position(x, double_digits) +
           " ; Y: " + numtext::with_sign_position(y, double_digits);
}

Drawing draw_readout(UserPoint p, double right, double bottom) {
    return {Fill{3.92, 0, std::max(right, 6.0), std::max(bottom, 0.03)},
            Label{4, 0, readout_text(p), colour::black}};
}

std::vector<std::string> widest_readouts() {
    std::vector<std::string> texts;
    for (double x : {scale::left, scale::right})
        for (double yd : {scale::top, scale::bottom})
            texts.push_back(readout_text({static_cast<float>(x), static_cast<float>(yd)}));
    return texts;
}

std::optional<std::string> image_under_pointer(const SampleSet& set, UserPoint p) {
    return last_match(set, p, -0.1, 0.11, -0.009, 0.051);
}

std::optional<std::string> image_under_click(const SampleSet& set, UserPoint p) {
    return last_match(set, p, -0.1, 0.1, -0.01, 0.01);
}

} // namespace perceptron
