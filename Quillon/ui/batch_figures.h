// The figure files of the console run's export options, drawn on Qt's offscreen platform.
#pragma once

#include <iosfwd>

#include "engine/batch.h"

namespace quillon {

/// Writes the signal's drawing, as the window shows it when it opens, as the figure files asked
/// for (`FigureFiles` of the console run).
int write_batch_figures(const cli::Exports& exports, const BatchResults& results,
                        std::ostream& out);

} // namespace quillon
