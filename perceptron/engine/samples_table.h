// The samples of the selected set as a table: features, activation and side of the line.
#pragma once

#include "csv/csv.h"
#include "rule.h"

namespace perceptron {

/// One row per sample, U samples then V samples: "Sample" ("U1".., "V1"..), "X", "Y", "s" (the
/// activation with the weights `w`) and "Side" ("correct" or "wrong"), numbers in full
/// precision. No rows when no set is selected.
csv::Table samples_table(const SampleSet& set, const Weights& w);

} // namespace perceptron
