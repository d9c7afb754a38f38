#include "weight_table.h"

namespace tessaly {

namespace {

// The header row and each row's label; `cell(i, j)` gives the text of W(i, j).
template <typename Cell> csv::Table Table(int rows, int columns, int patternColumns, Cell cell) {
    csv::Table table;
    table.header.reserve(static_cast<std::size_t>(columns) + 1);
    table.header.emplace_back(kWeightTableCorner);
    for (int j = 0; j < columns; ++j)
        table.header.push_back(WeightGrid::NeuronLabel(j + 1, patternColumns));
    table.rows.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        csv::Row row;
        row.reserve(static_cast<std::size_t>(columns) + 1);
        row.push_back(WeightGrid::NeuronLabel(i + 1, patternColumns));
        for (int j = 0; j < columns; ++j)
            row.push_back(cell(i, j));
        table.rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

csv::Table WeightTable(const FloatMatrix& weights, int patternColumns) {
    return Table(weights.rows(), weights.columns(), patternColumns,
                 [&weights](int i, int j) { return csv::number(weights(i, j)); });
}

csv::Table WeightTable(const WeightGrid& cells, int patternColumns) {
    return Table(cells.rows(), cells.columns(), patternColumns, [&cells](int i, int j) {
        return csv::number(WeightGrid::ReadNumber(cells.Text(i, j)));
    });
}

} // namespace tessaly
