// The batch mode's figure files (the --sc-size graph), drawn on Qt's offscreen platform.
#pragma once

#include <iosfwd>

#include "cli/cli.h"
#include "engine/batch.h"

namespace dimora {

/// Writes the figure files `exports` asks for from the curves of `results` (see
/// `dimora::FigureFiles`); the hook `batch_main` takes in a build with windows.
int writeBatchFigures(const cli::Exports& exports, const BatchResults& results, std::ostream& out);

} // namespace dimora
