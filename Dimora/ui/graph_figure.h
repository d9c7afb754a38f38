// The error-curve graph as a figure for files and the clipboard, drawn anew at any resolution.
#pragma once

#include <QFont>
#include <QSize>

#include "engine/graph_layout.h"
#include "engine/sc_size.h"
#include "qtkit/figure_export.h"

namespace dimora {

/// The graph as frmSCSize draws it (curves, Bayes line, axes' labels), with the marker's dotted
/// line at abscissa `marker` when it is >= 0, on a surface of `size` pixels with texts in `font`.
/// `start` is the scale the fit begins from. nullopt when there are no curves yet.
std::optional<qtkit::Figure> scGraphFigure(const SCCurves& curves, float x0, float ymax,
                                           float marker, QSize size, const QFont& font,
                                           const UserScale& start = {0.0, 0.0, 1.0, 1.0});

} // namespace dimora
