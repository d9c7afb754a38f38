// The errors file of a run: the training error of each iteration, one number per line, written
// beside the project file as the run goes and read back by the error chart.
#pragma once

#include "csv/csv.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

/// The most values the error chart takes from an errors file.
inline constexpr std::size_t max_valores_erros = 6000;

/// The errors file of a run: one number per line (period as the decimal point, optional
/// exponent), read as floats, at most `max_valores_erros` of them; blank lines are skipped.
/// An empty file gives no values; nullopt when the file cannot be read or holds a line that is
/// not a number or a value no float holds.
std::optional<std::vector<float>> le_ficheiro_erros(const std::string& ficheiro);

/// The errors history as a table: "Iteration" (from 1) and "Error" (in full precision), one row
/// per value.
csv::Table errors_table(std::span<const float> valores);

} // namespace corvane
