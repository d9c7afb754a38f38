// The figure files of a batch mode's export options (--export-svg, --export-png, --export-pdf;
// the options and the table are Qt-free, in cli/cli.h). The figure is drawn on Qt's offscreen
// platform, so no display is needed.
#pragma once

#include "cli/cli.h"
#include "qtkit/figure_export.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string_view>

class QGuiApplication;

namespace qtkit {

/// A QGuiApplication on the offscreen platform for drawing figures without a display.
std::unique_ptr<QGuiApplication> offscreenApplication(const char* programName);

/// Writes the figure files asked for (SVG, PNG, PDF): a file that cannot be written, or a
/// figure the run did not produce, is reported on `out` as
/// "MsgBox<TAB>`title`<TAB>The file F could not be written." and gives 1; otherwise 0.
int writeFigureFiles(const cli::Exports& exports, const std::optional<Figure>& figure,
                     std::string_view title, std::ostream& out);

} // namespace qtkit
