// "Error evolution": the one window that draws the training error per iteration.
#pragma once

#include "engine/views.h"

#include <QWidget>

#include <QTimer>

#include <span>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;

namespace corvane {

class frm_chart : public QWidget {
    Q_OBJECT
public:
    explicit frm_chart(QWidget* parent = nullptr);

    /// The interval between labelled ticks of the horizontal axis.
    void define_escala(int intervalo);
    /// The series becomes `valores` (value k is the error of iteration k + 1), drawn over
    /// `pontos` points. A series that only grew since the last call is extended, not rebuilt,
    /// and the drawing follows at screen rate (at most every 40 ms), not at every call.
    void define_pontos(std::span<const float> valores, int pontos);
    /// Number of values of the series.
    int pontos() const { return static_cast<int>(valores_.size()); }
    /// What the chart shows: its axis interval, point count and values (for export).
    GraficoErros conteudo() const;
    /// Copy (Ctrl+C): the chart as an image (and SVG) and the errors history as cells.
    void copia();
    /// Draws what is still pending now.
    void desenha();
    /// Shows the window in front of the others and makes it the active one: in the workspace
    /// that holds it, or on the screen while it has no workspace yet.
    void mostra_a_frente();

    QChartView* Graph1;

signals:
    /// The window was closed (its unload step).
    void fechado();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ajusta_eixos();
    void ajusta_eixo_x();

    QChart* chart_;
    QLineSeries* serie_;
    QValueAxis* eixo_x_;
    QValueAxis* eixo_y_;
    QTimer desenho_;
    std::vector<float> valores_;
    int na_serie_ = 0;
    qint64 custo_ms_ = 0; ///< how long the last update of the series took
    bool refazer_ = false;
    int pontos_ = 0;
    int intervalo_ = 50; ///< iterations between two ticks of the horizontal axis
    float maior_ = 0.0f;
    float menor_ = 0.0f;
};

} // namespace corvane
