// The "Error evolution" chart, built one way for the chart window and for exported figures, so
// that both show the same axes, scales, colours and labels.
#pragma once

#include "engine/views.h"

#include "qtkit/figure_export.h"

#include <QList>
#include <QPointF>
#include <QSize>

#include <span>

class QChart;
class QLineSeries;
class QValueAxis;

namespace corvane {

/// The chart window's size: 8175 x 3900 twips.
inline constexpr QSize error_chart_size{8175 / 15, 3900 / 15};

/// A chart as the window shows it: one line series, no legend, the horizontal axis titled
/// "Iteration" with whole-number labels and fixed ticks, the vertical one with "%.3g" labels.
/// The series and axes belong to the chart; the chart to whoever takes it (a view, a scene).
struct ErrorChart {
    QChart* chart;
    QLineSeries* series;
    QValueAxis* x_axis;
    QValueAxis* y_axis;
};
ErrorChart make_error_chart();

/// The horizontal axis for `points` points with a tick every `interval` iterations, on a plot
/// `width` pixels wide: labelled where whole labels fit (every tick, else every 2nd, 5th, 10th
/// ...), ending at the first labelled tick at or past the last point.
void fit_x_axis(QValueAxis& axis, int points, int interval, double width);

/// The vertical axis from the lower of 0 and `lowest` up to `highest` (one unit tall when the
/// series is flat at its low end).
void fit_y_axis(QValueAxis& axis, float lowest, float highest);

/// The series' points for `values` (value k at iteration k + 1). Past 2 x `columns` values, the
/// lowest and highest value of each of `columns` runs of points, in their order: at a width of
/// `columns` pixels the same line, at a fraction of the points.
QList<QPointF> series_points(std::span<const float> values, int columns);

/// The chart of `grafico` as a figure of `size` pixels (at scale 1), drawn anew for each file:
/// the window's chart at that size, every stroke and text vector.
qtkit::Figure error_chart_figure(const GraficoErros& grafico, QSize size = error_chart_size);

} // namespace corvane
