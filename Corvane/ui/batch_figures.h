// The batch mode's figure files: the error chart of a --train or --evaluate run, drawn as the
// chart window draws it.
#pragma once

#include "batch/batch.h"

#include <iosfwd>

namespace corvane {

/// Writes the SVG, PNG and PDF files `exports` asks for from the run's error chart (the
/// batch::FigureFiles of a build with windows). The chart is a Qt Charts chart, which wants a
/// widgets application: one is made on the offscreen platform when there is none.
int write_batch_figures(const cli::Exports& exports, const batch::BatchResults& results,
                        std::ostream& out);

} // namespace corvane
