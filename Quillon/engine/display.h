// What the window draws and lists for the signal: the sample listing and the two curves.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis.h"
#include "labelling.h"

namespace quillon {

/// The drawing's user scale is 1000 wide; its height is Analysis::scaleHeight, top 0.
inline constexpr double kScaleWidth = 1000.0;

/// Samples drawn across the width without and with zoom 4x.
inline constexpr int kDrawnSamples = 1000;
inline constexpr int kZoomedSamples = 250;

/// The largest first sample the scroll bar offers: 1000 without zoom, and with zoom as far as
/// lets the last of kMaxSamples samples come into view (1751), so every sample can be reached.
inline constexpr int last_begin(bool zoom) {
    return zoom ? kMaxSamples - kZoomedSamples + 1 : kDrawnSamples;
}

/// One straight piece of a curve, in user coordinates.
struct Line {
    double x1, y1, x2, y2;
    Rgb color;
};

struct DisplayPlan {
    std::vector<std::string> listing; ///< "i: value" items
    std::vector<int> listed;          ///< the sample number i of each item
    std::vector<Line> signal;         ///< light grey, `signalWidth` pixels wide
    int signalWidth = 1;
    std::vector<Line> approximation; ///< per-segment colours, `approximationWidth` wide
    int approximationWidth = 2;
};

/// The listing and curves for the samples from `begin` with the step `incr` (above 10 taken
/// as 10) and zoom 4x (250 samples, 4 units apart) or not (1000 samples, 1 unit apart).
/// A value v lies at the height ymax - v + 1. The signal curve is drawn with the pen width
/// the drawing has (a.drawWidth); the approximation curve sets it to 2 for good.
/// Refused when the step is below 1.
std::optional<Message> Display(Analysis& a, int begin, int incr, bool zoom, DisplayPlan& plan);

/// As `Display`, with the step the leading number of the step text.
std::optional<Message> Display(Analysis& a, int begin, const std::string& incrText, bool zoom,
                               DisplayPlan& plan);

/// The pointer readout for a point of the drawing in user coordinates: the horizontal
/// coordinate and the value ymax - y + 1, each formatted with "#####.#".
std::pair<std::string, std::string> pointer_readout(const Analysis& a, double x, double y);

} // namespace quillon
