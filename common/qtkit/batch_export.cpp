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

int writeFigureFiles(const cli::Exports& exports, const std::optional<Figure>& figure,
                     std::string_view title, std::ostream& out) {
    int status = cli::status_done;
    auto figureTo = [&](const std::string& path, FigureFormat format, double scale) {
        if (path.empty()) return;
        if (!figure || !saveFigure(*figure, QString::fromStdString(path), format, scale)) {
            cli::write_export_failure(out, title, path);
            status = cli::status_failed;
        }
    };
    figureTo(exports.svg, FigureFormat::svg, 1.0);
    figureTo(exports.png, FigureFormat::png, exports.scale);
    figureTo(exports.pdf, FigureFormat::pdf, 1.0);
    return status;
}

} // namespace qtkit
