// The figure files of the batch mode's export options, drawn on Qt's offscreen platform.
#pragma once

#include "batch.h"

#include <iosfwd>

namespace tessaly {

/// Writes the recalled pattern as the figure files asked for (`FigureFiles` of the batch mode).
int WriteBatchFigures(const cli::Exports& exports, const BatchOutcome& outcome, std::ostream& out);

} // namespace tessaly
