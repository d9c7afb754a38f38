// The calculators' results as tables: the MLP size lists and the error curves.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "csv/csv.h"
#include "sc_size.h"

namespace dimora {

/// One row per hidden-unit count h from the lists' rows (keyed by list name, as `kResultLists`):
/// "h", "Units", "Weights" (the two halves of a "Units : Weights" row, h = units - 1), then
/// "Max Nr. of Regions", "Vapnik Cherv. Dim. Low B", "Vapnik Cherv. Dim. Upper B",
/// "Lower Bound" and "Upper Bound" as the lists show them. A list shorter than the first leaves
/// its cells empty.
csv::Table nnSizeTable(const std::map<std::string, std::vector<std::string>>& lists);

/// One row per sample count n = 1 .. npts: "n", "n/d", "ED", "ET", "SD", "ST" (design and test
/// errors and their deviations) in full precision, then a last row "Pe" with the Bayes error in
/// its third column.
csv::Table scCurvesTable(const SCCurves& curves);

} // namespace dimora
