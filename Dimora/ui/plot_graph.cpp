#include "plot_graph.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "engine/graph_layout.h"
#include "numtext/numtext.h"
#include "picture_box.h"

namespace dimora {
namespace {

// Prints text with its top-left corner at the user point (x, y).
void printAt(QPainter& p, const PictureBox& pic, double x, double y, const QString& text) {
    const QPointF at = pic.toPixel(x, y);
    const QFontMetricsF fm(p.font());
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
}

void lineAt(QPainter& p, const PictureBox& pic, double x1, double y1, double x2, double y2) {
    p.drawLine(pic.toPixel(x1, y1), pic.toPixel(x2, y2));
}

QString fmt(double value, const char* pattern) {
    return QString::fromStdString(numtext::format(value, pattern));
}

} // namespace

double PlotGraph(PictureBox& pic, int npts, int d, float Pe, float x0, const SCCurves& curves,
                 int style, float ymax, QColor bayesColor, QColor firstColor, QColor secondColor,
                 const std::function<void()>& pending) {
    if (d <= 0 || npts <= 0 || curves.ED.empty() || curves.ET.size() < curves.ED.size() ||
        static_cast<std::size_t>(npts) > curves.ED.size() || !(ymax > 0.0f))
        return -1.0;
    const double xmax = static_cast<double>(npts) / d;
    const double dx = graphStep(npts, d, x0, curves.ED.size());

    QFont normal = pic.font();
    QFont bold = normal;
    bold.setBold(true);
    const QFontMetricsF fm(normal);
    const UserScale scale =
        fitGraphScale(xmax, ymax, pic.image().width(), pic.image().height(), fm.height(),
                      fm.horizontalAdvance(QStringLiteral("W")), pic.scale());
    pic.setScale(scale);
    if (pending) pending();
    const double th = fm.height() * pic.userPerPixelY();
    const double tw = fm.horizontalAdvance(QStringLiteral("W")) * pic.userPerPixelX();

    pic.clear();
    QPainter p(&pic.image());
    p.setFont(normal);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(pic.toPixel(0, ymax), pic.toPixel(xmax, 0)));

    p.setPen(QPen(bayesColor, 1, Qt::DashDotDotLine));
    lineAt(p, pic, 0, Pe, xmax, Pe);
    p.setPen(QPen(Qt::black, 1));

    for (float y : errorAxisValues(ymax)) {
        const QString label = fmt(y, "### ##0.00");
        const double width = fm.horizontalAdvance(label) * pic.userPerPixelX();
        printAt(p, pic, -width - 0.5 * tw, y + th / 2, label);
        lineAt(p, pic, -tw / 4, y, 0, y);
    }

    p.setFont(bold);
    printAt(p, pic, -tw, 1.5 * th + 0.5, QStringLiteral("Pe"));
    printAt(p, pic, xmax + 0.5 * tw, 0, QStringLiteral("n/d"));
    printAt(p, pic, 0.5 * tw, Pe - th / 4, fmt(Pe, "### ##0.000"));
    p.setFont(normal);

    for (int k : ratioAxisTicks(xmax)) {
        const QString label = fmt(k, "### ##0.0");
        const double width = fm.horizontalAdvance(label) * pic.userPerPixelX();
        printAt(p, pic, k - width / 2, -th, label);
        lineAt(p, pic, k, 0, k, -th / 2);
    }

    if (style != 2) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(firstColor, 1));
        for (int i = 2; i <= npts; ++i) {
            const double x = x0 + (i - 1) * dx;
            const auto a = static_cast<std::size_t>(i - 2);
            const auto b = static_cast<std::size_t>(i - 1);
            lineAt(p, pic, x - dx, curves.ED[a], x, curves.ED[b]);
            lineAt(p, pic, x - dx, curves.ET[a], x, curves.ET[b]);
        }
    } else {
        for (int i = 1; i <= npts; ++i) {
            const double x = x0 + (i - 1) * dx;
            const auto a = static_cast<std::size_t>(i - 1);
            p.setPen(QPen(firstColor, 1));
            p.drawPoint(pic.toPixel(x, curves.ED[a]));
            p.setPen(QPen(secondColor, 1));
            p.drawPoint(pic.toPixel(x, curves.ET[a]));
        }
    }
    p.end();
    pic.update();
    return dx;
}

std::optional<Readout> ShowValues(double x, PictureBox& box, double dx, double x0,
                                  const SCCurves& curves) {
    const auto readout = readoutAt(x, dx, x0, curves);
    if (!readout) return readout;
    box.clear();
    QPainter p(&box.image());
    p.setFont(box.font());
    p.setPen(Qt::black);
    const QFontMetricsF fm(box.font());
    const double th = fm.height();
    const double tw = fm.horizontalAdvance(QStringLiteral("W"));
    const double height = box.image().height();
    auto print = [&](double left, double middle, const std::string& text) {
        p.drawText(QPointF(left, middle - th / 2 + fm.ascent()), QString::fromStdString(text));
    };
    print(tw, height / 2, readout->ratio);
    if (readout->point) {
        print(14 * tw, height / 3, readout->pet);
        print(14 * tw, 2 * height / 3, readout->ped);
        print(26 * tw, height / 3, readout->st);
        print(26 * tw, 2 * height / 3, readout->sd);
    }
    p.end();
    box.update();
    return readout;
}

} // namespace dimora
