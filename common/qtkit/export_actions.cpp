#include "export_actions.h"

#include "qtkit/message.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QWidget>

namespace qtkit {

namespace {

const QString svgFilter = QStringLiteral("SVG image (*.svg)");
const QString pngFilter = QStringLiteral("PNG image (*.png)");
const QString png2Filter = QStringLiteral("PNG image, 2x size (*.png)");
const QString png3Filter = QStringLiteral("PNG image, 3x size (*.png)");
const QString pdfFilter = QStringLiteral("PDF document (*.pdf)");
const QString csvFilter = QStringLiteral("CSV table (*.csv)");

std::optional<ExportChoice> askWithFileDialog(QWidget* parent, const QString& suggested,
                                              const QStringList& filters) {
    QFileDialog dialog(parent, QStringLiteral("Export"), suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ExportChoice{dialog.selectedFiles().front(), dialog.selectedNameFilter()};
}

void tellFailure(QWidget* parent, const QString& text) {
    const QString title = QCoreApplication::applicationName().isEmpty()
                              ? QStringLiteral("Export")
                              : QCoreApplication::applicationName();
    showMessage(parent, title, text, MessageIcon::critical);
}

ExportChooser& chooser() {
    static ExportChooser c = askWithFileDialog;
    return c;
}

ExportFailure& failure() {
    static ExportFailure f = tellFailure;
    return f;
}

QString suffixOf(const QString& filter) {
    const int star = filter.indexOf(QLatin1String("(*."));
    return star < 0 ? QString() : filter.mid(star + 3).chopped(1);
}

QString settingsName() {
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("suite") : name;
}

QByteArray utf8(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QStringList exportFilters(const ExportSources& sources) {
    QStringList filters;
    if (sources.figure) filters << svgFilter << pngFilter << png2Filter << png3Filter << pdfFilter;
    if (sources.table) filters << csvFilter;
    return filters;
}

namespace {

// The export written to `path`; on a failure the system's reason, or none when there was
// nothing to write.
textfile::WriteResult writeExport(const ExportSources& sources, const QString& path,
                                  const QString& filter) {
    QString suffix = QFileInfo(path).suffix().toLower();
    const bool known = suffix == QLatin1String("svg") || suffix == QLatin1String("png") ||
                       suffix == QLatin1String("pdf") || suffix == QLatin1String("csv");
    if (!known) suffix = suffixOf(filter);
    if (suffix == QLatin1String("csv")) {
        const auto table = sources.table ? sources.table() : std::nullopt;
        if (!table) return {};
        return saveBytes(path, utf8(csv::to_csv(*table)));
    }
    const auto format = figureFormatOf(QStringLiteral("x.") + suffix);
    if (!format || !sources.figure) return {};
    const auto figure = sources.figure();
    if (!figure) return {};
    double scale = 1.0;
    if (*format == FigureFormat::png) {
        if (filter == png2Filter) scale = 2.0;
        if (filter == png3Filter) scale = 3.0;
    }
    return saveFigure(*figure, path, *format, scale);
}

} // namespace

bool exportToFile(const ExportSources& sources, const QString& path, const QString& filter) {
    return writeExport(sources, path, filter);
}

bool exportWithDialog(QWidget* parent, const ExportSources& sources) {
    // Only what there is to export now is offered; with nothing computed yet, nothing opens.
    ExportSources available = sources;
    if (available.figure && !available.figure()) available.figure = nullptr;
    if (available.table && !available.table()) available.table = nullptr;
    const QStringList filters = exportFilters(available);
    if (filters.isEmpty()) return false;
    const QString base = sources.baseName.isEmpty() ? QStringLiteral("export") : sources.baseName;
    const QString suggested = QDir(lastExportFolder()).filePath(base);
    const auto choice = chooser()(parent, suggested, filters);
    if (!choice || choice->path.isEmpty()) return false;
    QString path = choice->path;
    if (QFileInfo(path).suffix().isEmpty()) path += QLatin1Char('.') + suffixOf(choice->filter);
    rememberExportFolder(QFileInfo(path).absolutePath());
    const textfile::WriteResult written = writeExport(available, path, choice->filter);
    if (written) return true;
    // The system's reason, when there is one, on a line of its own.
    QString text =
        QStringLiteral("The file %1 could not be written.").arg(QDir::toNativeSeparators(path));
    if (!written.reason.empty()) text += QLatin1Char('\n') + QString::fromStdString(written.reason);
    failure()(parent, text);
    return false;
}

bool copyToClipboard(const ExportSources& sources) {
    if (sources.table) {
        if (const auto table = sources.table()) {
            auto* data = new QMimeData;
            data->setText(QString::fromStdString(csv::to_tab_separated(*table)));
            data->setData(QStringLiteral("text/csv"), utf8(csv::to_csv(*table)));
            QGuiApplication::clipboard()->setMimeData(data);
            return true;
        }
    }
    if (sources.figure) {
        if (const auto figure = sources.figure()) {
            copyFigure(*figure);
            return true;
        }
    }
    return false;
}

ExportActions addExportActions(QWidget* widget, ExportSources sources) {
    auto* exportAction = new QAction(QStringLiteral("Export..."), widget);
    exportAction->setObjectName(QStringLiteral("actionExport"));
    auto* copyAction = new QAction(QStringLiteral("Copy"), widget);
    copyAction->setObjectName(QStringLiteral("actionCopy"));
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(exportAction, &QAction::triggered, widget,
                     [widget, sources] { exportWithDialog(widget, sources); });
    QObject::connect(copyAction, &QAction::triggered, widget,
                     [sources] { copyToClipboard(sources); });
    widget->addAction(exportAction);
    widget->addAction(copyAction);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    // A click on a drawing gives it the focus, so that Ctrl+C then copies it.
    if (widget->focusPolicy() == Qt::NoFocus) widget->setFocusPolicy(Qt::ClickFocus);
    return {exportAction, copyAction};
}

QString lastExportFolder() {
    QSettings settings(settingsName(), settingsName());
    const QString folder = settings.value(QStringLiteral("Export/Folder")).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath();
}

void rememberExportFolder(const QString& folder) {
    QSettings settings(settingsName(), settingsName());
    settings.setValue(QStringLiteral("Export/Folder"), folder);
}

void setExportChooser(ExportChooser c) {
    chooser() = c ? std::move(c) : ExportChooser(askWithFileDialog);
}

void setExportFailure(ExportFailure f) {
    failure() = f ? std::move(f) : ExportFailure(tellFailure);
}

} // namespace qtkit
