#include "rule.h"

#include <cmath>

namespace perceptron {

namespace {

// Moves every weight by sign·c·(x, y, 1), each sum rounded to a float.
void move_weights(Weights& w, Sample sample, float c, long double sign) {
    w[0] = static_cast<float>(w[0] + sign * c * static_cast<long double>(sample.x));
    w[1] = static_cast<float>(w[1] + sign * c * static_cast<long double>(sample.y));
    w[2] = static_cast<float>(w[2] + sign * c);
}

} // namespace

float activation(const Weights& w, Sample sample) {
    long double s = static_cast<long double>(w[1]) * sample.y +
                    static_cast<long double>(w[0]) * sample.x + w[2];
    return static_cast<float>(s);
}

bool on_correct_side(bool is_u, float s) {
    return is_u ? s > 0 : !(s > 0);
}

float correction_step(float s, Sample sample, float eta) {
    long double length2 = static_cast<long double>(sample.y) * sample.y +
                          static_cast<long double>(sample.x) * sample.x;
    float quotient = static_cast<float>(std::fabs(static_cast<long double>(s)) / length2 + 1);
    float k = std::floor(quotient);
    return static_cast<float>(static_cast<long double>(k) * eta);
}

bool present_u(Weights& w, Sample sample, float eta) {
    float s = activation(w, sample);
    if (s > 0) return false;
    move_weights(w, sample, correction_step(s, sample, eta), 1);
    return true;
}

bool present_v(Weights& w, Sample sample, float eta) {
    float s = activation(w, sample);
    if (!(s > 0)) return false;
    move_weights(w, sample, correction_step(s, sample, eta), -1);
    return true;
}

int run_epoch(Weights& w, const SampleSet& set, float eta) {
    int corrections = 0;
    for (std::size_t i = 0; i < set.u.size() && i < set.v.size(); ++i) {
        corrections += present_u(w, set.u[i], eta) ? 1 : 0;
        corrections += present_v(w, set.v[i], eta) ? 1 : 0;
    }
    return corrections;
}

std::optional<LineEnds> line_ends(const Weights& w) {
    if (w[0] == 0) return std::nullopt;
    double w0 = w[0], w1 = w[1], w2 = w[2];
    return LineEnds{static_cast<float>(-0.6 * w1 / w0 - w2 / w0), static_cast<float>(-w2 / w0)};
}

std::optional<float> horizontal_line_height(const Weights& w) {
    if (w[1] == 0) return std::nullopt;
    return static_cast<float>(-static_cast<double>(w[2]) / w[1]);
}

void Demonstration::select_set(SetChoice choice) {
    choice_ = choice;
    weights_ = start_weights;
    samples_ = built_in_set(choice);
}

bool Demonstration::step() {
    if (choice_ == SetChoice::none) return false;
    run_epoch(weights_, samples_, learning_rate(choice_));
    return true;
}

} // namespace perceptron
