#include "error_chart.h"

#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <memory>

namespace corvane {

namespace {

// The horizontal axis runs from 0 to `fim` with `marcas` labelled ticks, evenly spaced, and
// `menores` unlabelled ticks between two labelled ones.
struct EixoX {
    int fim;
    int marcas;
    int menores;
};

EixoX escolhe_eixo(int pontos, int intervalo, double largura, const QFontMetricsF& letra) {
    static constexpr std::array<long long, 13> fatores{1,   2,   5,    10,   20,   50,   100,
                                                       200, 500, 1000, 2000, 5000, 10000};
    const long long n = std::max(pontos, 1);
    const double folga = 2 * letra.averageCharWidth() + 8; // room between two labels
    long long passo = intervalo, marcas = 1, fator = 1;
    for (long long f : fatores) {
        fator = f;
        passo = intervalo * f;
        marcas = std::max(1LL, (n + passo - 1) / passo);
        const double rotulo = letra.horizontalAdvance(QString::number(marcas * passo));
        if (static_cast<double>(marcas + 1) * (rotulo + folga) <= largura) break;
    }
    // Unlabelled ticks at the finest spacing that leaves them apart on the screen.
    int menores = 0;
    for (long long t : fatores) {
        if (t > fator) break;
        if (fator % t != 0) continue;
        if (largura / static_cast<double>(marcas * (fator / t)) >= 5) {
            menores = static_cast<int>(fator / t - 1);
            break;
        }
    }
    return {static_cast<int>(std::min<long long>(marcas * passo, 1'000'000'000)),
            static_cast<int>(marcas + 1), menores};
}

} // namespace

ErrorChart make_error_chart() {
    ErrorChart c{};
    c.chart = new QChart;
    c.chart->legend()->hide();
    c.chart->setMargins(QMargins(4, 4, 4, 4));
    c.series = new QLineSeries;
    c.chart->addSeries(c.series);
    c.x_axis = new QValueAxis;
    c.x_axis->setTitleText("Iteration");
    c.x_axis->setLabelFormat("%d");
    c.x_axis->setTickType(QValueAxis::TicksFixed);
    c.x_axis->setMinorGridLineVisible(false);
    c.y_axis = new QValueAxis;
    c.y_axis->setLabelFormat("%.3g");
    c.chart->addAxis(c.x_axis, Qt::AlignBottom);
    c.chart->addAxis(c.y_axis, Qt::AlignLeft);
    c.series->attachAxis(c.x_axis);
    c.series->attachAxis(c.y_axis);
    return c;
}

void fit_x_axis(QValueAxis& axis, int points, int interval, double width) {
    const EixoX eixo =
        escolhe_eixo(points, std::max(1, interval), width, QFontMetricsF(axis.labelsFont()));
    if (eixo.fim == axis.max() && eixo.marcas == axis.tickCount() &&
        eixo.menores == axis.minorTickCount())
        return;
    axis.setRange(0, eixo.fim);
    axis.setTickCount(eixo.marcas);
    axis.setMinorTickCount(eixo.menores);
}

void fit_y_axis(QValueAxis& axis, float lowest, float highest) {
    const float baixo = std::min(0.0f, lowest);
    axis.setRange(baixo, highest > baixo ? highest : baixo + 1.0f);
}

QList<QPointF> series_points(std::span<const float> values, int columns) {
    const int n = static_cast<int>(values.size());
    QList<QPointF> pontos;
    if (n <= 2 * columns) {
        pontos.reserve(n);
        for (int k = 0; k < n; ++k)
            pontos.append(QPointF(k + 1, values[static_cast<std::size_t>(k)]));
        return pontos;
    }
    const int passo = (n + columns - 1) / columns;
    pontos.reserve(2 * columns + 2);
    for (int inicio = 0; inicio < n; inicio += passo) {
        const int fim = std::min(n, inicio + passo);
        int baixo = inicio, alto = inicio;
        for (int k = inicio; k < fim; ++k) {
            const float v = values[static_cast<std::size_t>(k)];
            if (v < values[static_cast<std::size_t>(baixo)]) baixo = k;
            if (v > values[static_cast<std::size_t>(alto)]) alto = k;
        }
        for (int k : {std::min(baixo, alto), std::max(baixo, alto)}) {
            pontos.append(QPointF(k + 1, values[static_cast<std::size_t>(k)]));
            if (baixo == alto) break;
        }
    }
    return pontos;
}

qtkit::Figure error_chart_figure(const GraficoErros& grafico, QSize size) {
    qtkit::Figure figure;
    figure.size = size;
    figure.title = QStringLiteral("Error evolution");
    auto dados = std::make_shared<const GraficoErros>(grafico);
    figure.paint = [dados, size](QPainter& painter) {
        // A chart of its own, laid out at the figure's size and painted through the painter
        // of the file: vector strokes and texts, at whatever scale the painter has.
        QGraphicsScene scene;
        const ErrorChart c = make_error_chart();
        scene.addItem(c.chart); // the scene owns the chart from here on
        const QRectF area(QPointF(0, 0), QSizeF(size));
        scene.setSceneRect(area);
        c.chart->setGeometry(area);
        // More points than a 3x image has pixels across.
        c.series->replace(series_points(dados->valores, 4 * std::max(size.width(), 1)));
        const auto& v = dados->valores;
        if (!v.empty()) {
            const auto [menor, maior] = std::minmax_element(v.begin(), v.end());
            fit_y_axis(*c.y_axis, *menor, *maior);
        } else {
            fit_y_axis(*c.y_axis, 0.0f, 0.0f);
        }
        // The labels that fit depend on the plot's width, known once the chart is laid out;
        // as in the window, a plot not yet laid out is taken as the chart less 80 pixels.
        for (int vez = 0; vez < 2; ++vez) {
            c.chart->layout()->activate();
            const double largura = c.chart->plotArea().width() > 100 ? c.chart->plotArea().width()
                                                                     : size.width() - 80.0;
            fit_x_axis(*c.x_axis, dados->pontos, dados->intervalo, largura);
        }
        c.chart->layout()->activate();
        scene.render(&painter, area, area);
    };
    return figure;
}

} // namespace corvane
