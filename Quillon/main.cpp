// Starts the analyser's window, or runs its steps on the console when given options.
#include <QApplication>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "engine/batch.h"
#include "engine/result_tables.h"
#include "qtkit/batch_export.h"
#include "ui/form1.h"
#include "ui/signal_figure.h"

namespace {

// The drawing's size in a console export: what the window shows when it opens.
constexpr int kPictureWidth = 670;
constexpr int kPictureHeight = 420;

bool given(const std::vector<std::string>& args, const char* option) {
    return std::find(args.begin(), args.end(), option) != args.end();
}

int runBatchWithExports(std::vector<std::string> args) {
    auto taken = qtkit::takeExportOptions(args);
    if (!taken.error.empty()) {
        std::cerr << "Quillon: " << taken.error << "\n\n"
                  << quillon::batch_usage() << "\nAfter the other options:\n"
                  << qtkit::exportUsage(true);
        return 2;
    }
    const bool help = given(args, "--help") || given(args, "-h");
    if (!help && taken.exports.wantsFigure() && !given(args, "--signal")) {
        std::cerr << "Quillon: the figure is the signal's drawing: --signal FILE is needed\n";
        return 2;
    }
    if (!help && !taken.exports.csv.empty() && !given(args, "--approximate") &&
        !given(args, "--string")) {
        std::cerr << "Quillon: the table is the segment list: --approximate or --string FILE "
                     "is needed\n";
        return 2;
    }
    quillon::BatchResults results;
    const int status = quillon::run_batch(args, std::cout, std::cerr, &results);
    if (status == 0 && help)
        std::cout << "\nAfter the other options:\n" << qtkit::exportUsage(true);
    if (status != 0 || help || !taken.exports.any()) return status;
    auto app = qtkit::offscreenApplication("Quillon");
    std::optional<qtkit::Figure> figure;
    if (results.plan)
        figure = quillon::signalFigure(
            {*results.plan, results.analysis.scaleHeight, QString::fromStdString(results.lblMax),
             QString::fromStdString(results.lblMin), QSize(kPictureWidth, kPictureHeight),
             QGuiApplication::font(), QGuiApplication::palette().color(QPalette::Mid)});
    return qtkit::writeBatchExports(taken.exports, figure, quillon::segment_table(results.analysis),
                                    "Quillon", std::cout);
}

} // namespace

int main(int argc, char* argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (quillon::is_batch(args)) return runBatchWithExports(std::move(args));
    if (args.size() > 1) {
        std::cerr << quillon::batch_usage();
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    quillon::Form1 window;
    window.show();
    if (!args.empty()) window.openSignal(QString::fromLocal8Bit(args.front().c_str()));
    return QApplication::exec();
}
