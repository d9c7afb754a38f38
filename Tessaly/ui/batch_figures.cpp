#include "batch_figures.h"

#include "main_settings.h"
#include "pattern_figure.h"

#include "qtkit/batch_export.h"

#include <QGuiApplication>

namespace tessaly {

int WriteBatchFigures(const cli::Exports& exports, const BatchOutcome& outcome, std::ostream& out) {
    const auto app = qtkit::offscreenApplication(kApplicationTitle);
    return qtkit::writeFigureFiles(exports, PatternFigure(outcome.recalled), kApplicationTitle,
                                   out);
}

} // namespace tessaly
