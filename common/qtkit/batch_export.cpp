#include "batch_export.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace qtkit {

std::unique_ptr<QGuiApplication> offscreenApplication(const char* programName) {
    static int argc = 1;
    static char name[64] = {};
    std::snprintf(name, sizeof name, "%s", programName);
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    QGuiApplication::setApplicationName(QString::fromUtf8(programName));
    return app;
}

int writeBatchExports(const BatchExport& exports, const std::optional<Figure>& figure,
                      const std::optional<csv::Table>& table, const std::string& title,
                      std::ostream& out) {
    int status = 0;
    auto failed = [&](const std::string& path) {
        out << "MsgBox\t" << title << "\tThe file " << path << " could not be written.\n";
        status = 1;
    };
    auto figureTo = [&](const std::string& path, FigureFormat format, double scale) {
        if (path.empty()) return;
        if (!figure || !saveFigure(*figure, QString::fromStdString(path), format, scale))
            failed(path);
    };
    figureTo(exports.svg, FigureFormat::svg, 1.0);
    figureTo(exports.png, FigureFormat::png, exports.scale);
    figureTo(exports.pdf, FigureFormat::pdf, 1.0);
    if (!exports.csv.empty()) {
        const std::string text = table ? csv::to_csv(*table) : std::string();
        if (!table || !saveBytes(QString::fromStdString(exports.csv),
                                 QByteArray(text.data(), static_cast<qsizetype>(text.size()))))
            failed(exports.csv);
    }
    return status;
}

} // namespace qtkit
