#include "samples_table.h"

namespace perceptron {

csv::Table samples_table(const SampleSet& set, const Weights& w) {
    csv::Table table{{"Sample", "X", "Y", "s", "Side"}, {}};
    auto add = [&](const std::vector<Sample>& samples, bool is_u) {
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const float s = activation(w, samples[i]);
            table.rows.push_back({image_name(is_u, i), csv::number(samples[i].x),
                                  csv::number(samples[i].y), csv::number(s),
                                  on_correct_side(is_u, s) ? "correct" : "wrong"});
        }
    };
    add(set.u, true);
    add(set.v, false);
    return table;
}

} // namespace perceptron
