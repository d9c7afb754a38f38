// The export options every program's batch mode accepts after its own options:
// --export-svg FILE, --export-png FILE [--scale N], --export-pdf FILE, --export-csv FILE.
// The figure is drawn on Qt's offscreen platform, so no display is needed.
#pragma once

#include "csv/csv.h"
#include "qtkit/figure_export.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGuiApplication;

namespace qtkit {

struct BatchExport {
    std::string svg, png, pdf, csv; ///< the files asked for ("" when not)
    double scale = 1.0;             ///< of the PNG, 1 to 10

    bool wantsFigure() const { return !svg.empty() || !png.empty() || !pdf.empty(); }
    bool any() const { return wantsFigure() || !csv.empty(); }
};

/// Removes the export options from `args`, leaving the program's own options in their order.
/// Returns the options found, or the reason the command line is bad (an option without its file,
/// a scale that is not a number from 1 to 10).
struct TakenExports {
    BatchExport exports;
    std::string error; ///< "" when the options are good
};
TakenExports takeExportOptions(std::vector<std::string>& args);

/// The usage lines of the export options, for a program's --help (`figure` false for a program
/// without a figure).
std::string exportUsage(bool figure);

/// A QGuiApplication on the offscreen platform for drawing figures without a display.
std::unique_ptr<QGuiApplication> offscreenApplication(const char* programName);

/// Writes the files asked for. A file that cannot be written (or a figure or table asked for
/// that the run did not produce) is reported on `out` as
/// "MsgBox<TAB>`title`<TAB>The file F could not be written." and gives 1; otherwise 0.
int writeBatchExports(const BatchExport& exports, const std::optional<Figure>& figure,
                      const std::optional<csv::Table>& table, const std::string& title,
                      std::ostream& out);

} // namespace qtkit
