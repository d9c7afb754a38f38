#include "frm_chart.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>

namespace corvane {

namespace {

// A chart view that notes how long its last repaint took.
class TimedChartView : public QChartView {
public:
    TimedChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {}
    qint64 last_paint_ms = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        QElapsedTimer timer;
        timer.start();
        QChartView::paintEvent(event);
        last_paint_ms = timer.elapsed();
    }
};

// The horizontal axis runs from 0 to `fim` with `marcas` labelled ticks, evenly spaced, and
// `menores` unlabelled ticks between two labelled ones.
struct EixoX {
    int fim;
    int marcas;
    int menores;
};

// The horizontal axis for `pontos` points: ticks every `intervalo` iterations, labelled where
// whole labels fit `largura` pixels (every tick if they fit, else every 2nd, 5th, 10th...), the
// axis ending at the first labelled tick at or past the last point.
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

frm_chart::frm_chart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("frm_chart");
    setWindowTitle("Error evolution");
    setFixedSize(8175 / 15, 3900 / 15);
    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setMargins(QMargins(4, 4, 4, 4));
    serie_ = new QLineSeries;
    chart_->addSeries(serie_);
    eixo_x_ = new QValueAxis;
    eixo_x_->setTitleText("Iteration");
    eixo_x_->setLabelFormat("%d");
    eixo_x_->setTickType(QValueAxis::TicksFixed);
    eixo_x_->setMinorGridLineVisible(false);
    eixo_y_ = new QValueAxis;
    eixo_y_->setLabelFormat("%.3g");
    chart_->addAxis(eixo_x_, Qt::AlignBottom);
    chart_->addAxis(eixo_y_, Qt::AlignLeft);
    serie_->attachAxis(eixo_x_);
    serie_->attachAxis(eixo_y_);
    Graph1 = new TimedChartView(chart_, this);
    Graph1->setObjectName("Graph1");
    Graph1->setRenderHint(QPainter::Antialiasing, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Graph1);
    desenho_.setSingleShot(true);
    desenho_.setInterval(40);
    connect(&desenho_, &QTimer::timeout, this, &frm_chart::desenha);
    // The labels that fit depend on the width the plot finally gets.
    connect(chart_, &QChart::plotAreaChanged, this, [this] { ajusta_eixo_x(); });
    ajusta_eixos();
}

void frm_chart::define_escala(int intervalo) {
    intervalo_ = std::max(1, intervalo);
    ajusta_eixo_x();
}

void frm_chart::define_pontos(std::span<const float> valores, int pontos) {
    const std::size_t antes = valores_.size();
    const bool cresce = antes > 0 && antes <= valores.size() &&
                        valores_.back() == valores[antes - 1] && valores_.front() == valores[0];
    if (cresce) {
        valores_.insert(valores_.end(), valores.begin() + static_cast<std::ptrdiff_t>(antes),
                        valores.end());
    } else {
        valores_.assign(valores.begin(), valores.end());
        refazer_ = true;
    }
    pontos_ = pontos;
    if (!desenho_.isActive()) {
        // Redraw at screen rate, but never spend more than about a ninth of the time drawing:
        // a long series takes longer to paint, so it is repainted less often.
        const auto cost = static_cast<TimedChartView*>(Graph1)->last_paint_ms + custo_ms_;
        desenho_.start(static_cast<int>(std::clamp<qint64>(8 * cost, 50, 5000)));
    }
}

void frm_chart::desenha() {
    desenho_.stop();
    QElapsedTimer timer;
    timer.start();
    const int n = static_cast<int>(valores_.size());
    constexpr int colunas = 1000; // more than the chart has pixels across
    if (n > 2 * colunas) {
        // A long series is drawn through the lowest and highest value of each of `colunas`
        // runs of points, in their order: at the chart's resolution the same line, at a
        // fraction of the cost of stroking every point.
        const int passo = (n + colunas - 1) / colunas;
        QList<QPointF> pontos;
        pontos.reserve(2 * colunas + 2);
        for (int inicio = 0; inicio < n; inicio += passo) {
            const int fim = std::min(n, inicio + passo);
            int baixo = inicio, alto = inicio;
            for (int k = inicio; k < fim; ++k) {
                const float v = valores_[static_cast<std::size_t>(k)];
                if (v < valores_[static_cast<std::size_t>(baixo)]) baixo = k;
                if (v > valores_[static_cast<std::size_t>(alto)]) alto = k;
            }
            for (int k : {std::min(baixo, alto), std::max(baixo, alto)}) {
                pontos.append(QPointF(k + 1, valores_[static_cast<std::size_t>(k)]));
                if (baixo == alto) break;
            }
        }
        serie_->replace(pontos);
        refazer_ = true; // the next short series is laid down afresh
    } else if (refazer_ || na_serie_ > n) {
        QList<QPointF> todos;
        todos.reserve(n);
        for (int k = 0; k < n; ++k)
            todos.append(QPointF(k + 1, valores_[static_cast<std::size_t>(k)]));
        serie_->replace(todos);
        refazer_ = false;
    } else if (n > na_serie_) {
        QList<QPointF> novos;
        novos.reserve(n - na_serie_);
        for (int k = na_serie_; k < n; ++k)
            novos.append(QPointF(k + 1, valores_[static_cast<std::size_t>(k)]));
        serie_->append(novos);
    }
    if (n > 0 && (na_serie_ == 0 || na_serie_ > n || refazer_)) {
        maior_ = *std::max_element(valores_.begin(), valores_.end());
        menor_ = *std::min_element(valores_.begin(), valores_.end());
    } else {
        for (int k = na_serie_; k < n; ++k) {
            maior_ = std::max(maior_, valores_[static_cast<std::size_t>(k)]);
            menor_ = std::min(menor_, valores_[static_cast<std::size_t>(k)]);
        }
    }
    na_serie_ = n;
    ajusta_eixos();
    custo_ms_ = timer.elapsed();
}

void frm_chart::mostra_a_frente() {
    show();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->show();
        sub->raise();
        if (QMdiArea* area = sub->mdiArea()) area->setActiveSubWindow(sub);
    } else {
        raise();
        activateWindow();
    }
}

void frm_chart::ajusta_eixo_x() {
    const QRectF area = chart_->plotArea();
    const double largura = area.width() > 100 ? area.width() : width() - 80.0;
    const EixoX eixo =
        escolhe_eixo(pontos_, intervalo_, largura, QFontMetricsF(eixo_x_->labelsFont()));
    if (eixo.fim == eixo_x_->max() && eixo.marcas == eixo_x_->tickCount() &&
        eixo.menores == eixo_x_->minorTickCount())
        return;
    eixo_x_->setRange(0, eixo.fim);
    eixo_x_->setTickCount(eixo.marcas);
    eixo_x_->setMinorTickCount(eixo.menores);
}

void frm_chart::ajusta_eixos() {
    ajusta_eixo_x();
    const float baixo = std::min(0.0f, menor_);
    eixo_y_->setRange(baixo, maior_ > baixo ? maior_ : baixo + 1.0f);
}

void frm_chart::closeEvent(QCloseEvent* event) {
    desenho_.stop();
    emit fechado();
    QWidget::closeEvent(event);
}

} // namespace corvane
