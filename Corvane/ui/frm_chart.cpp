#include "frm_chart.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

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
    eixo_x_->setTickType(QValueAxis::TicksDynamic);
    eixo_x_->setTickAnchor(0);
    eixo_x_->setTickInterval(50);
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
    ajusta_eixos();
}

void frm_chart::define_escala(int intervalo) {
    eixo_x_->setTickInterval(std::max(1, intervalo));
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

void frm_chart::ajusta_eixos() {
    eixo_x_->setRange(1, std::max(2, pontos_));
    const float baixo = std::min(0.0f, menor_);
    eixo_y_->setRange(baixo, maior_ > baixo ? maior_ : baixo + 1.0f);
}

void frm_chart::closeEvent(QCloseEvent* event) {
    desenho_.stop();
    emit fechado();
    QWidget::closeEvent(event);
}

} // namespace corvane
