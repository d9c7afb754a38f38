#include "result_table.h"
#include "result_labels.h"

#include <cstdlib>

namespace pellin {

namespace {

int count_of(const std::string& text) {
    return std::atoi(text.c_str());
}

std::string percent_cell(int count, int total) {
    if (total == 0) return {};
    return csv::number(static_cast<double>(count) * 100.0 / static_cast<double>(total));
}

} // namespace

void ResultTable::show(std::string_view label, const std::string& text) {
    shown_.show(label, text);
    if (text.empty()) return; // clearing the results before a run
    // The confusion labels come in table order, Label11 first and Label27 last.
    if (label == labels::tested1) {
        current_ = Row{};
        current_.t1 = count_of(text);
    } else if (label == labels::tested2) {
        current_.t2 = count_of(text);
    } else if (label == labels::c1_as_c1) {
        current_.c11 = count_of(text);
    } else if (label == labels::c1_as_c2) {
        current_.c12 = count_of(text);
    } else if (label == labels::c2_as_c1) {
        current_.c21 = count_of(text);
    } else if (label == labels::c2_as_c2) {
        current_.c22 = count_of(text);
    } else if (label == labels::c2_as_c2_percent) {
        current_.step = "Step" + std::to_string(rows_.size() + 1);
        rows_.push_back(current_);
    }
}

void ResultTable::message(const std::string& title, const std::string& text) {
    if (title == "Edition" && !rows_.empty()) rows_.back().step = "Edition";
    shown_.message(title, text);
}

void ResultTable::exact(std::string_view label, double value) {
    shown_.exact(label, value);
    if (rows_.empty()) return;
    if (label == labels::overall_error) rows_.back().error = value;
    if (label == labels::spread) rows_.back().s = value;
}

csv::Table ResultTable::table(bool every_step) const {
    csv::Table t{{"Step", "C1 as C1", "%", "C1 as C2", "%", "N1", "C2 as C1", "%", "C2 as C2", "%",
                  "N2", "Overall Error (%)", "s"},
                 {}};
    const std::size_t first = every_step || rows_.empty() ? 0 : rows_.size() - 1;
    for (std::size_t i = first; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        const bool last = i + 1 == rows_.size();
        t.rows.push_back({last && rows_.size() > 1 ? "Total" : r.step, csv::number(r.c11),
                          percent_cell(r.c11, r.t1), csv::number(r.c12), percent_cell(r.c12, r.t1),
                          csv::number(r.t1), csv::number(r.c21), percent_cell(r.c21, r.t2),
                          csv::number(r.c22), percent_cell(r.c22, r.t2), csv::number(r.t2),
                          r.error ? csv::number(*r.error) : "", r.s ? csv::number(*r.s) : ""});
    }
    return t;
}

} // namespace pellin
