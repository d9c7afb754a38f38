#include "batch_export.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <ostream>

namespace qtkit {

TakenExports takeExportOptions(std::vector<std::string>& args) {
    TakenExports taken;
    std::vector<std::string> rest;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& option = args[k];
        std::string* target = nullptr;
        if (option == "--export-svg") target = &taken.exports.svg;
        if (option == "--export-png") target = &taken.exports.png;
        if (option == "--export-pdf") target = &taken.exports.pdf;
        if (option == "--export-csv") target = &taken.exports.csv;
        if (!target && option != "--scale") {
            rest.push_back(option);
            continue;
        }
        if (k + 1 >= args.size() || args[k + 1].empty()) {
            taken.error = option + " needs a value";
            return taken;
        }
        const std::string& value = args[++k];
        if (target) {
            *target = value;
            continue;
        }
        char* end = nullptr;
        const double scale = std::strtod(value.c_str(), &end);
        if (end == value.c_str() || *end != '\0' || !(scale >= 1.0 && scale <= 10.0)) {
            taken.error = "--scale must be a number from 1 to 10";
            return taken;
        }
        taken.exports.scale = scale;
    }
    args = std::move(rest);
    return taken;
}

std::string exportUsage(bool figure) {
    std::string usage;
    if (figure)
        usage += "  --export-svg FILE   write the figure as SVG\n"
                 "  --export-png FILE   write the figure as PNG (--scale N, 1 to 10, default 1)\n"
                 "  --export-pdf FILE   write the figure as PDF\n";
    usage += "  --export-csv FILE   write the table as CSV (UTF-8, \".\" decimal point)\n";
    return usage;
}

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
