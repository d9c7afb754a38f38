// "Export..." and "Copy" for a chart, drawing, grid or list: a context-menu entry opening a
// file dialog whose filters are the formats on offer, Ctrl+C copying to the clipboard, and the
// last folder used remembered in the program's settings.
#pragma once

#include "csv/csv.h"
#include "qtkit/figure_export.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace qtkit {

/// What a widget can give away. An empty function means the widget has no such thing; a
/// function returning nullopt means there is nothing to give right now (nothing computed yet).
struct ExportSources {
    std::function<std::optional<Figure>()> figure;
    std::function<std::optional<csv::Table>()> table;
    QString baseName; ///< the file name the dialog suggests, without its suffix
};

/// The entries added to a widget's context menu.
struct ExportActions {
    QAction* exportAction; ///< "Export..."
    QAction* copyAction;   ///< "Copy" (Ctrl+C)
};

/// Adds "Export..." and "Copy" to the context menu of `widget` (which then shows its actions as
/// its context menu); Ctrl+C copies while the widget or one of its children has the focus.
ExportActions addExportActions(QWidget* widget, ExportSources sources);

/// The file dialog's filters for what `sources` offers: figures first (SVG, PNG at 1x, 2x and
/// 3x, PDF), then the table (CSV).
QStringList exportFilters(const ExportSources& sources);

/// Asks for a file name and writes the export. Returns true when a file was written; false on
/// cancel, when there is nothing to export, or after telling the user the file could not be
/// written (any previous file is then intact).
bool exportWithDialog(QWidget* parent, const ExportSources& sources);

/// Writes what `sources` offers to `path` in the format chosen by `filter` (one of
/// `exportFilters`), or by the path's suffix when it names a known format. False when the file
/// could not be written or there is nothing to write.
bool exportToFile(const ExportSources& sources, const QString& path, const QString& filter);

/// Copies the table (as TAB-separated text and CSV) or else the figure (as an image and SVG) to
/// the clipboard. False when there is nothing to copy.
bool copyToClipboard(const ExportSources& sources);

/// The folder the export dialog opens in: the last one used, remembered in the settings of the
/// running program (organisation and application both its name).
QString lastExportFolder();
void rememberExportFolder(const QString& folder);

/// The dialog and the failure message, replaceable by tests. The chooser gets the parent, the
/// suggested path and the filters, and returns the chosen path and filter (nullopt on cancel).
struct ExportChoice {
    QString path;
    QString filter;
};
using ExportChooser = std::function<std::optional<ExportChoice>(
    QWidget* parent, const QString& suggested, const QStringList& filters)>;
using ExportFailure = std::function<void(QWidget* parent, const QString& text)>;
void setExportChooser(ExportChooser chooser);
void setExportFailure(ExportFailure failure);

} // namespace qtkit
