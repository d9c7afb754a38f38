// Geometry of the error-curve graph and the values of its readout, apart from any drawing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "sc_size.h"

namespace dimora {

/// A user coordinate scale of a drawing surface: the user values of its four edges (top is
/// above bottom, so y grows upwards when top > bottom).
struct UserScale {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

/// The graph's scale: left -4 tw, top ymax + 2.5 th, right xmax + 3 tw, bottom -3 th, where th
/// and tw are the height of "Qq" and the width of "W" in user units. Those depend on the scale,
/// so the scale is set ten times over, starting from `start`. Text sizes are in pixels, the
/// surface `widthPx` x `heightPx`.
UserScale fitGraphScale(double xmax, double ymax, double widthPx, double heightPx,
                        double textHeightPx, double textWidthPx, UserScale start);

/// Horizontal step between points: (npts / d - x0) / count.
double graphStep(int npts, int d, double x0, std::size_t count);

/// The values labelled on the error axis: 0 to ymax + 0.01 in steps of ymax / 5, counted in
/// float as the axis loop does.
std::vector<float> errorAxisValues(float ymax);

/// The n/d axis ticks: 0 .. round(xmax - 1) in steps of 1 (round(xmax / 20) when xmax > 15),
/// then round(xmax).
std::vector<int> ratioAxisTicks(double xmax);

/// The texts of the readout box at abscissa x.
struct Readout {
    std::string ratio;                ///< "n/d = " and x
    std::optional<std::size_t> point; ///< element of the curves shown, when x > x0
    std::string pet, ped, st, sd;     ///< "Pet = ", "Ped = ", "St = ", "Sd = " and values
};

/// The readout at x: nothing when dx <= 0 or x < 0. Right of the first point it shows the
/// point nearest to x: element round((x - x0) / dx), limited to the curves.
std::optional<Readout> readoutAt(double x, double dx, double x0, const SCCurves& curves);

} // namespace dimora
