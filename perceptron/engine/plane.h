// The plane the samples and the decision line are drawn on: its user scale, what each drawing
// procedure draws (as a list of strokes in user coordinates), the pointer readout and the hit
// tests that pick a letter image.
#pragma once

#include "rule.h"
#include "samples.h"

#include "twips/twips.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace perceptron {

// ---------------------------------------------------------------- scale

/// The plane's user scale. X grows to the right; the drawing coordinate yd grows downwards,
/// yd = 0.6 − Y for a feature value Y. Sizes are in twips.
namespace scale {
inline constexpr double left = -0.25;             ///< X at the drawing area's left edge
inline constexpr double top = -0.04;              ///< yd at its top edge
inline constexpr double twips_per_x = 617.74463;  ///< one X unit
inline constexpr double twips_per_yd = 6914.0625; ///< one yd unit
inline constexpr int box_width_twips = 7035;
inline constexpr int box_height_twips = 4875;
inline constexpr int border_twips = 30; ///< on each side of the box

/// The box with its border, in pixels (469 x 325).
inline constexpr int box_width_px = box_width_twips / twips::per_pixel;
inline constexpr int box_height_px = box_height_twips / twips::per_pixel;
/// The border width in pixels (2).
inline constexpr int border_px = border_twips / twips::per_pixel;
/// The drawing area inside the border, in pixels (465 x 321).
inline constexpr int area_width_px = box_width_px - 2 * border_px;
inline constexpr int area_height_px = box_height_px - 2 * border_px;

inline constexpr double pixels_per_x = twips_per_x / twips::per_pixel;
inline constexpr double pixels_per_yd = twips_per_yd / twips::per_pixel;

/// X at the drawing area's right edge (about 11.04) and yd at its bottom edge (about 0.656).
inline constexpr double right = left + (box_width_twips - 2 * border_twips) / twips_per_x;
inline constexpr double bottom = top + (box_height_twips - 2 * border_twips) / twips_per_yd;
} // namespace scale

/// A position in user coordinates (X, yd), as the pointer events report it.
struct UserPoint {
    float x = 0;
    float yd = 0;
};

/// The user position of pixel (px, py) of the drawing area (0, 0 is its top-left pixel).
UserPoint user_point(double px, double py);

// ---------------------------------------------------------------- strokes

/// Colour indices of the classic 16-colour palette used by the plane.
namespace colour {
inline constexpr int black = 0;
inline constexpr int dark_blue = 1;
inline constexpr int dark_red = 4;
inline constexpr int dark_yellow = 6;
} // namespace colour

/// The colour of the classic 16-colour palette with `index` (0-15) as 0xRRGGBB; an index
/// outside the palette gives black.
std::uint32_t palette_rgb(int index);

/// A straight line between two user points.
struct Segment {
    double x1, yd1, x2, yd2;
    int colour;
};

/// A text whose top-left corner is at the user point (x, yd), in the plane's font ("Arial").
struct Label {
    double x, yd;
    std::string text;
    int colour;
};

/// A rectangle filled with the plane's background colour.
struct Fill {
    double x1, yd1, x2, yd2;
};

using Stroke = std::variant<Segment, Label, Fill>;
using Drawing = std::vector<Stroke>;

/// The font every text on the plane is printed in.
inline constexpr const char* plane_font = "Arial";

/// The values of a loop "for v = first to last step step" run in double precision: the step is
/// added each time and the loop goes on while v <= last (step > 0).
std::vector<double> loop_values(double first, double last, double step);

/// The axes in black: the vertical axis and its arrowhead, the horizontal axis and its
/// arrowhead, "Y" and "X", the ticks labels " 0".." 10" along X and " .1".." .6" along Y.
Drawing draw_axes();

/// Every U sample as a dark red "X", then every V sample as a dark blue "O", each printed at
/// (x − 0.1, 0.6 − y − 0.01).
Drawing draw_points(const SampleSet& set);

/// The decision line in `line_colour`, from (X1, yd = 0) to (X0, yd = 0.6). When w(0) = 0 the
/// line is horizontal and is drawn across the whole plane; when w(1) is 0 as well nothing is
/// drawn. The line is cut to the drawing area (nothing when it misses it).
Drawing draw_decision_line(const Weights& w, int line_colour);

// ---------------------------------------------------------------- pointer

/// "X: " + X + " ; Y: " + (0.6 − yd), both rounded to two decimals (halves to even) and printed
/// with a sign position.
std::string readout_text(UserPoint p);

/// The readout strip: (3.92, 0)-(right, bottom) filled with the background, then the readout
/// text at (4, 0) in black. The strip is at least (3.92, 0)-(6.0, 0.03); a window whose font
/// prints readouts larger than that passes the extent of its largest readout, so that no
/// digit of an earlier, longer readout is left beside a shorter one.
Drawing draw_readout(UserPoint p, double right = 6.0, double bottom = 0.03);

/// The readouts of the drawing area's four corners: the longest texts the readout can show
/// (X from −.25 to 11.04, Y from −.06 to .64).
std::vector<std::string> widest_readouts();

/// The image to show with the pointer at `p`: a sample matches when X lies in
/// [x − 0.1, x + 0.11] and 0.6 − yd in [y − 0.009, y + 0.051]. Samples are tried U i then V i
/// for each i; the last match wins. nullopt when nothing matches.
std::optional<std::string> image_under_pointer(const SampleSet& set, UserPoint p);

/// The image to show after a click at `p`: as `image_under_pointer` with the rectangle
/// [x − 0.1, x + 0.1] by [y − 0.01, y + 0.01].
std::optional<std::string> image_under_click(const SampleSet& set, UserPoint p);

} // namespace perceptron
