// Drawing of the error curves and of the readout under the marker.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <functional>

#include <optional>

class QPainter;

#include "engine/graph_layout.h"
#include "engine/sc_size.h"

namespace dimora {

class PictureBox;

/// What the graph is drawn from.
struct GraphInput {
    int npts;
    int d;
    float Pe;
    float x0;
    const SCCurves& curves;
    int style;
    float ymax;
    QColor bayesColor, firstColor, secondColor;
};

/// A user scale laid over a drawing surface of `size` pixels.
struct GraphMapping {
    UserScale scale;
    QSizeF size;
    QPointF toPixel(double x, double y) const;
    double userPerPixelX() const;
    double userPerPixelY() const;
};

/// The graph's user scale on a surface of `size` pixels with texts in `font`, fitted starting
/// from `start`; nullopt when the input cannot be drawn.
std::optional<UserScale> FitGraph(const GraphInput& in, QSizeF size, const QFont& font,
                                  const UserScale& start);

/// Paints the graph with any painter (the window's image or an exported figure) through `map`,
/// texts in `font`. Returns the horizontal step between points, or -1 when nothing was drawn.
double PaintGraph(QPainter& p, const GraphMapping& map, const QFont& font, const GraphInput& in);

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
