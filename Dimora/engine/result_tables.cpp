#include "result_tables.h"

#include <algorithm>

#include "nn_dim.h"

namespace dimora {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

const std::string& cell(const std::map<std::string, std::vector<std::string>>& lists,
                        const char* list, std::size_t row) {
    static const std::string none;
    const auto it = lists.find(list);
    return it != lists.end() && row < it->second.size() ? it->second[row] : none;
}

} // namespace

csv::Table nnSizeTable(const std::map<std::string, std::vector<std::string>>& lists) {
    csv::Table table{{"h", "Units", "Weights", "Max Nr. of Regions", "Vapnik Cherv. Dim. Low B",
                      "Vapnik Cherv. Dim. Upper B", "Lower Bound", "Upper Bound"},
                     {}};
    const auto units = lists.find(kResultLists[0]);
    if (units == lists.end()) return table;
    for (std::size_t row = 0; row < units->second.size(); ++row) {
        const std::string& unitsWeights = units->second[row];
        const auto colon = unitsWeights.find(':');
        const std::string u = trimmed(unitsWeights.substr(0, colon));
        const std::string w =
            colon == std::string::npos ? "" : trimmed(unitsWeights.substr(colon + 1));
        std::string h;
        try {
            h = std::to_string(std::stol(u) - 1);
        } catch (const std::exception&) {
        }
        csv::Row r{h, u, w};
        for (std::size_t k = 1; k < std::size(kResultLists); ++k)
            r.push_back(cell(lists, kResultLists[k], row));
        table.rows.push_back(std::move(r));
    }
    return table;
}

csv::Table scCurvesTable(const SCCurves& c) {
    csv::Table table{{"n", "n/d", "ED", "ET", "SD", "ST"}, {}};
    const std::size_t count = std::min({c.ED.size(), c.ET.size(), c.SD.size(), c.ST.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const auto n = static_cast<std::int64_t>(i + 1);
        table.rows.push_back({csv::number(n), csv::number(static_cast<double>(n) / c.d),
                              csv::number(c.ED[i]), csv::number(c.ET[i]), csv::number(c.SD[i]),
                              csv::number(c.ST[i])});
    }
    if (count > 0) table.rows.push_back({"Pe", "", csv::number(c.Pe), "", "", ""});
    return table;
}

} // namespace dimora
