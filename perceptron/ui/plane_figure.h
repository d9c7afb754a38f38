// The plane as a figure for files and the clipboard, drawn anew from the demonstration's state.
#pragma once

#include "cli/cli.h"
#include "engine/batch.h"
#include "engine/rule.h"
#include "qtkit/export_actions.h"

#include <iosfwd>

namespace perceptron {

/// The drawing area as Step leaves it: the decision line in `line_colour`, the samples and the
/// axes (only the axes while no set is selected), 465 x 321 pixels at scale 1.
qtkit::Figure plane_figure(const Demonstration& demo, int line_colour);

/// What the plane offers to "Export..." and Copy: the figure and the samples' table.
qtkit::ExportSources plane_exports(const Demonstration& demo, const int& line_colour);

/// The batch mode's figure files: the plane as the run left it, the line in dark yellow, drawn
/// on Qt's offscreen platform (see `perceptron::FigureFiles`).
int write_batch_figures(const cli::Exports& exports, const BatchResults& demo, std::ostream& out);

} // namespace perceptron
