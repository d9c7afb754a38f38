#include "samples.h"

#include <array>

namespace perceptron {

namespace {

struct Row {
    float ux, uy, vx, vy;
};

// Rows 0-7 form Set 1; Set 2 adds rows 8 and 9.
constexpr std::array<Row, 10> rows{{
    {6.0f, 0.5f, 2.833f, 0.211f},
    {7.0f, 0.333f, 2.714f, 0.3f},
    {5.0f, 0.333f, 1.875f, 0.211f},
    {7.0f, 0.412f, 3.0f, 0.4f},
    {3.6f, 0.438f, 3.167f, 0.316f},
    {8.333f, 0.474f, 2.833f, 0.353f},
    {5.5f, 0.529f, 2.125f, 0.19f},
    {4.5f, 0.294f, 2.0f, 0.263f},
    {2.714f, 0.368f, 3.5f, 0.35f},
    {3.143f, 0.45f, 3.833f, 0.261f},
}};

} // namespace

SampleSet built_in_set(SetChoice choice) {
    std::size_t n = 0;
    if (choice == SetChoice::set1)
        n = 8;
    else if (choice == SetChoice::set2)
        n = 10;
    SampleSet set;
    for (std::size_t i = 0; i < n; ++i) {
        set.u.push_back({rows[i].ux, rows[i].uy});
        set.v.push_back({rows[i].vx, rows[i].vy});
    }
    return set;
}

float learning_rate(SetChoice choice) {
    return choice == SetChoice::set1 ? 1.25f : 0.05f;
}

std::string image_name(bool is_u, std::size_t index) {
    std::string name(1, is_u ? 'U' : 'V');
    name += std::to_string(index + 1);
    return name;
}

} // namespace perceptron
