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
void printAt(QPainter& p, const GraphMapping& map, double x, double y, const QString& text) {
    const QPointF at = map.toPixel(x, y);
    const QFontMetricsF fm(p.font());
    p.drawText(QPointF(at.x(), at.y() + fm.ascent()), text);
}

void lineAt(QPainter& p, const GraphMapping& map, double x1, double y1, double x2, double y2) {
    p.drawLine(map.toPixel(x1, y1), map.toPixel(x2, y2));
}

QString fmt(double value, const char* pattern) {
    return QString::fromStdString(numtext::format(value, pattern));
}

bool drawable(const GraphInput& in) {
    return in.d > 0 && in.npts > 0 && !in.curves.ED.empty() &&
           in.curves.ET.size() >= in.curves.ED.size() &&
           static_cast<std::size_t>(in.npts) <= in.curves.ED.size() && in.ymax > 0.0f;
}

} // namespace

QPointF GraphMapping::toPixel(double x, double y) const {
    return {(x - scale.left) / (scale.right - scale.left) * size.width(),
            (y - scale.top) / (scale.bottom - scale.top) * size.height()};
}

double GraphMapping::userPerPixelX() const {
    return std::fabs(scale.right - scale.left) / size.width();
}

double GraphMapping::userPerPixelY() const {
    return std::fabs(scale.top - scale.bottom) / size.height();
}

std::optional<UserScale> FitGraph(const GraphInput& in, QSizeF size, const QFont& font,
                                  const UserScale& start) {
    if (!drawable(in)) return std::nullopt;
    const double xmax = static_cast<double>(in.npts) / in.d;
    const QFontMetricsF fm(font);
    return fitGraphScale(xmax, in.ymax, size.width(), size.height(), fm.height(),
                         fm.horizontalAdvance(QStringLiteral("W")), start);
}

double PaintGraph(QPainter& p, const GraphMapping& map, const QFont& font, const GraphInput& in) {
    if (!drawable(in)) return -1.0;
    const int npts = in.npts;
    const SCCurves& curves = in.curves;
    const float ymax = in.ymax;
    const float Pe = in.Pe;
    const double x0 = in.x0;
    const double xmax = static_cast<double>(npts) / in.d;
    const double dx = graphStep(npts, in.d, x0, curves.ED.size());

    QFont normal = font;
    QFont bold = normal;
    bold.setBold(true);
    const QFontMetricsF fm(normal);
    const double th = fm.height() * map.userPerPixelY();
    const double tw = fm.horizontalAdvance(QStringLiteral("W")) * map.userPerPixelX();

    p.save();
    p.setFont(normal);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(QRectF(map.toPixel(0, ymax), map.toPixel(xmax, 0)));

    p.setPen(QPen(in.bayesColor, 1, Qt::DashDotDotLine));
    lineAt(p, map, 0, Pe, xmax, Pe);
    p.setPen(QPen(Qt::black, 1));

    for (float y : errorAxisValues(ymax)) {
        const QString label = fmt(y, "### ##0.00");
        const double width = fm.horizontalAdvance(label) * map.userPerPixelX();
        printAt(p, map, -width - 0.5 * tw, y + th / 2, label);
        lineAt(p, map, -tw / 4, y, 0, y);
    }

    p.setFont(bold);
    printAt(p, map, -tw, 1.5 * th + 0.5, QStringLiteral("Pe"));
    printAt(p, map, xmax + 0.5 * tw, 0, QStringLiteral("n/d"));
    printAt(p, map, 0.5 * tw, Pe - th / 4, fmt(Pe, "### ##0.000"));
    p.setFont(normal);

    for (int k : ratioAxisTicks(xmax)) {
        const QString label = fmt(k, "### ##0.0");
        const double width = fm.horizontalAdvance(label) * map.userPerPixelX();
        printAt(p, map, k - width / 2, -th, label);
        lineAt(p, map, k, 0, k, -th / 2);
    }

    if (in.style != 2) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(in.firstColor, 1));
        for (int i = 2; i <= npts; ++i) {
            const double x = x0 + (i - 1) * dx;
            const auto a = static_cast<std::size_t>(i - 2);
            const auto b = static_cast<std::size_t>(i - 1);
            lineAt(p, map, x - dx, curves.ED[a], x, curves.ED[b]);
            lineAt(p, map, x - dx, curves.ET[a], x, curves.ET[b]);
        }
    } else {
        for (int i = 1; i <= npts; ++i) {
            const double x = x0 + (i - 1) * dx;
            const auto a = static_cast<std::size_t>(i - 1);
            p.setPen(QPen(in.firstColor, 1));
            p.drawPoint(map.toPixel(x, curves.ED[a]));
            p.setPen(QPen(in.secondColor, 1));
            p.drawPoint(map.toPixel(x, curves.ET[a]));
        }
    }
    p.restore();
    return dx;
}

double PlotGraph(PictureBox& pic, int npts, int d, float Pe, float x0, const SCCurves& curves,
                 int style, float ymax, QColor bayesColor, QColor firstColor, QColor secondColor,
                 const std::function<void()>& pending) {
    const GraphInput in{npts, d, Pe, x0, curves, style, ymax, bayesColor, firstColor, secondColor};
    const auto scale = FitGraph(in, pic.image().size(), pic.font(), pic.scale());
    if (!scale) return -1.0;
    pic.setScale(*scale);
    if (pending) pending();
    pic.clear();
    QPainter p(&pic.image());
    const double dx = PaintGraph(p, GraphMapping{*scale, pic.image().size()}, pic.font(), in);
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
