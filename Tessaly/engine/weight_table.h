// The synaptic weight matrix as a table for CSV files and the clipboard.
#pragma once

#include "array2d.h"
#include "weight_grid.h"

#include "csv/csv.h"

namespace tessaly {

/// The first header cell, above the neurons' labels of the rows.
constexpr const char* kWeightTableCorner = "Neuron";

/// One row per neuron i, headed by its label "(row , column)" as the weights editor labels it
/// (`patternColumns` the columns of the pattern), then W(i, j) for every neuron j, in full
/// precision with "." as the decimal point. The header row holds "Neuron" and the labels of
/// the columns. No rows for an empty matrix.
csv::Table WeightTable(const FloatMatrix& weights, int patternColumns);

/// The same table from the editor's cells: each cell's number as its text gives it
/// (`WeightGrid::ReadNumber`), so the table holds what the editor shows.
csv::Table WeightTable(const WeightGrid& cells, int patternColumns);

} // namespace tessaly
