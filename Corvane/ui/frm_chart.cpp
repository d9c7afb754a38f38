#include "frm_chart.h"

#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QLineSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace corvane {

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
    Graph1 = new QChartView(chart_, this);
    Graph1->setObjectName("Graph1");
    Graph1->setRenderHint(QPainter::Antialiasing, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Graph1);
    ajusta_eixos();
}

void frm_chart::define_escala(int intervalo) {
    eixo_x_->setTickInterval(std::max(1, intervalo));
}

int frm_chart::pontos() const {
    return static_cast<int>(serie_->count());
}

void frm_chart::define_pontos(std::span<const float> valores, int pontos) {
    const int antes = static_cast<int>(serie_->count());
    const int n = static_cast<int>(valores.size());
    bool cresce = antes > 0 && antes <= n;
    if (cresce) {
        // Same run, more iterations: the old points must be unchanged.
        const QPointF ultimo = serie_->at(antes - 1);
        cresce = static_cast<float>(ultimo.y()) == valores[static_cast<std::size_t>(antes - 1)];
    }
    if (!cresce) {
        QList<QPointF> todos;
        todos.reserve(n);
        for (int k = 0; k < n; ++k)
            todos.append(QPointF(k + 1, valores[static_cast<std::size_t>(k)]));
        serie_->replace(todos);
        maior_ = n ? *std::max_element(valores.begin(), valores.end()) : 0.0f;
        menor_ = n ? *std::min_element(valores.begin(), valores.end()) : 0.0f;
    } else if (n > antes) {
        QList<QPointF> novos;
        novos.reserve(n - antes);
        for (int k = antes; k < n; ++k) {
            const float v = valores[static_cast<std::size_t>(k)];
            novos.append(QPointF(k + 1, v));
            maior_ = std::max(maior_, v);
            menor_ = std::min(menor_, v);
        }
        serie_->append(novos);
    }
    pontos_ = pontos;
    ajusta_eixos();
}

void frm_chart::ajusta_eixos() {
    eixo_x_->setRange(1, std::max(2, pontos_));
    const float baixo = std::min(0.0f, menor_);
    eixo_y_->setRange(baixo, maior_ > baixo ? maior_ : baixo + 1.0f);
}

void frm_chart::closeEvent(QCloseEvent* event) {
    emit fechado();
    QWidget::closeEvent(event);
}

} // namespace corvane
