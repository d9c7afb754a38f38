// The export options every program's batch mode accepts after its own options:
// --export-svg FILE, --export-png FILE [--scale N], --export-pdf FILE, --export-csv FILE.
// The figure is drawn on Qt's offscreen platform, so no display is needed.
#pragma once

#include "cli/cli.h"
#include "csv/csv.h"
#include "qtkit/figure_export.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QGuiApplication;

namespace qtkit {

// The options themselves are read by Qt-free code (cli/cli.h), so that a program's whole
// command line is read without Qt.
using BatchExport = cli::Exports;
using TakenExports = cli::TakenExports;

/// Removes the export options from `args` (see `cli::take_export_options`).
inline TakenExports takeExportOptions(std::vector<std::string>& args) {
    return cli::take_export_options(args);
}

/// The usage lines of the export options (see `cli::export_usage`).
inline std::string exportUsage(bool figure) {
    return cli::export_usage(figure);
}

/// A QGuiApplication on the offscreen platform for drawing figures without a display.
std::unique_ptr<QGuiApplication> offscreenApplication(const char* programName);

/// Writes the figure files asked for (SVG, PNG, PDF): a file that cannot be written, or a
/// figure the run did not produce, is reported on `out` as
/// "MsgBox<TAB>`title`<TAB>The file F could not be written." and gives 1; otherwise 0.
int writeFigureFiles(const cli::Exports& exports, const std::optional<Figure>& figure,
                     std::string_view title, std::ostream& out);

/// Writes the files asked for, the figures and then the table. A file that cannot be written (or a
/// figure or table asked for that the run did not produce) is reported on `out` as
/// "MsgBox<TAB>`title`<TAB>The file F could not be written." and gives 1; otherwise 0.
int writeBatchExports(const BatchExport& exports, const std::optional<Figure>& figure,
                      const std::optional<csv::Table>& table, const std::string& title,
                      std::ostream& out);

} // namespace qtkit
