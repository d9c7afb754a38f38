// Drawing of the error curves and of the readout under the marker.
#pragma once

#include <QColor>
#include <functional>

#include <optional>

#include "engine/graph_layout.h"
#include "engine/sc_size.h"

namespace dimora {

class PictureBox;

/// Draws the framed graph of error probability against n/d into `pic`: the Bayes error as a
/// dash-dot-dot line, the axes' labels and ticks, and the design and test error curves (as
/// lines, or as points when style is 2). Returns the horizontal step between points, or -1 when
/// nothing could be drawn. `pending` runs once per redraw to let window events through.
double PlotGraph(PictureBox& pic, int npts, int d, float Pe, float x0, const SCCurves& curves,
                 int style, float ymax, QColor bayesColor, QColor firstColor, QColor secondColor,
                 const std::function<void()>& pending = {});

/// Writes into `box` the n/d of x and, right of the first point, the test and design errors and
/// their deviations at the nearest point. Nothing when dx <= 0 or x < 0. Returns what it wrote.
std::optional<Readout> ShowValues(double x, PictureBox& box, double dx, double x0,
                                  const SCCurves& curves);

} // namespace dimora
