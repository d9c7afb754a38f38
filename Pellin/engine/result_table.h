// The results of one Compute as a table: a report that passes everything on to the window (or
// console) and keeps each confusion table shown, with the overall error and s unrounded.
#pragma once

#include "classifier.h"
#include "csv/csv.h"

#include <optional>
#include <vector>

namespace pellin {

class ResultTable : public Report {
public:
    explicit ResultTable(Report& shown) : shown_(shown) {}

    void show(std::string_view label, const std::string& text) override;
    void message(const std::string& title, const std::string& text) override;
    void exact(std::string_view label, double value) override;

    /// "Step", then for each true class C1 and C2 the counts predicted C1 and C2 with their
    /// percentages and N as the window's table shows them, "Overall Error (%)" and "s" (the
    /// partition scheme's deviation, on the last row). With `every_step`, one row per confusion
    /// table shown ("Step1".. for the folds, "Edition" for the edited half, "Total" for the
    /// last); otherwise the last only. Percentages are count·100 / N in full precision.
    csv::Table table(bool every_step) const;

    bool empty() const { return rows_.empty(); }

private:
    struct Row {
        std::string step;
        int t1 = 0, t2 = 0, c11 = 0, c12 = 0, c21 = 0, c22 = 0;
        std::optional<double> error, s;
    };
    Report& shown_;
    std::vector<Row> rows_;
    Row current_;
};

} // namespace pellin
