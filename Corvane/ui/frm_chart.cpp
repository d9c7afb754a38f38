#include "frm_chart.h"

#include "error_chart.h"

#include "engine/errors_file.h"

#include "qtkit/export_actions.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineSeries>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
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
    setFixedSize(error_chart_size);
    const ErrorChart grafico = make_error_chart();
    chart_ = grafico.chart;
    serie_ = grafico.series;
    eixo_x_ = grafico.x_axis;
    eixo_y_ = grafico.y_axis;
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

    // "Export..." and Copy (Ctrl+C) in the chart's context menu: the chart drawn anew at the
    // export's size, and the errors history as a table.
    qtkit::ExportSources exportar;
    exportar.figure = [this]() -> std::optional<qtkit::Figure> {
        return error_chart_figure(conteudo(), Graph1->size());
    };
    exportar.table = [this]() -> std::optional<csv::Table> { return errors_table(valores_); };
    exportar.baseName = QStringLiteral("error_evolution");
    const qtkit::ExportActions acoes = qtkit::addExportActions(Graph1, exportar);
    // Copy gives both: the picture for a document, the cells for a spreadsheet.
    QObject::disconnect(acoes.copyAction, &QAction::triggered, nullptr, nullptr);
    connect(acoes.copyAction, &QAction::triggered, this, &frm_chart::copia);
}

void frm_chart::copia() {
    const qtkit::Figure figura = error_chart_figure(conteudo(), Graph1->size());
    const csv::Table tabela = errors_table(valores_);
    auto* dados = new QMimeData;
    dados->setImageData(qtkit::renderImage(figura, 1.0));
    dados->setData(QStringLiteral("image/svg+xml"),
                   qtkit::renderFigure(figura, qtkit::FigureFormat::svg));
    dados->setText(QString::fromStdString(csv::to_tab_separated(tabela)));
    dados->setData(QStringLiteral("text/csv"), QByteArray::fromStdString(csv::to_csv(tabela)));
    QGuiApplication::clipboard()->setMimeData(dados);
}

GraficoErros frm_chart::conteudo() const {
    return {intervalo_, pontos_, valores_};
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
        serie_->replace(series_points(valores_, colunas));
        refazer_ = true; // the next short series is laid down afresh
    } else if (refazer_ || na_serie_ > n) {
        serie_->replace(series_points(valores_, colunas));
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
    fit_x_axis(*eixo_x_, pontos_, intervalo_, largura);
}

void frm_chart::ajusta_eixos() {
    ajusta_eixo_x();
    fit_y_axis(*eixo_y_, menor_, maior_);
}

void frm_chart::closeEvent(QCloseEvent* event) {
    desenho_.stop();
    emit fechado();
    QWidget::closeEvent(event);
}

} // namespace corvane
