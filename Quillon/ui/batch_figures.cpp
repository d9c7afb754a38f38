#include "batch_figures.h"

#include <QGuiApplication>
#include <QPalette>

#include "qtkit/batch_export.h"
#include "ui/signal_figure.h"

namespace quillon {

namespace {

// The drawing's size in a console export: what the window shows when it opens.
constexpr int kPictureWidth = 670;
constexpr int kPictureHeight = 420;

} // namespace

int write_batch_figures(const cli::Exports& exports, const BatchResults& results,
                        std::ostream& out) {
    const auto app = qtkit::offscreenApplication("Quillon");
    std::optional<qtkit::Figure> figure;
    if (results.plan)
        figure = signalFigure(
            {*results.plan, results.analysis.scaleHeight, QString::fromStdString(results.lblMax),
             QString::fromStdString(results.lblMin), QSize(kPictureWidth, kPictureHeight),
             QGuiApplication::font(), QGuiApplication::palette().color(QPalette::Mid)});
    return qtkit::writeFigureFiles(exports, figure, "Quillon", out);
}

} // namespace quillon
