// The perceptron and its learning rule with absolute correction.
#pragma once

#include "samples.h"

#include <array>
#include <optional>

namespace perceptron {

/// w(0), w(1), w(2): the activation of (x, y) is w(0)·x + w(1)·y + w(2); U is the positive class.
using Weights = std::array<float, 3>;

/// The weights every set starts from: the line through (0, 0) and (6, 0.6).
inline constexpr Weights start_weights{0.1f, -1.0f, 0.0f};

/// s = w(1)·y + w(0)·x + w(2), computed in extended precision and rounded to a float.
float activation(const Weights& w, Sample sample);

/// True when activation `s` puts a sample of the given class on its own side of the line:
/// s > 0 for U; s <= 0 for V (a sample on the line counts as V).
bool on_correct_side(bool is_u, float s);

/// The absolute-correction step for a misplaced sample with activation `s`:
/// c = k·η with k = floor(|s| / (x² + y²) + 1); the quotient plus 1 is rounded to a float before
/// the floor, and c is rounded to a float. The bias input is left out of the squared length.
float correction_step(float s, Sample sample, float eta);

/// Presents a U sample: when its activation is <= 0 the weights move by +c·(x, y, 1).
/// Returns true when the weights changed.
bool present_u(Weights& w, Sample sample, float eta);

/// Presents a V sample: when its activation is > 0 the weights move by −c·(x, y, 1).
/// Returns true when the weights changed.
bool present_v(Weights& w, Sample sample, float eta);

/// One epoch: for i = 0..n−1, U sample i then V sample i, each with the weights as just
/// updated. Returns the number of corrections made.
int run_epoch(Weights& w, const SampleSet& set, float eta);

/// The end points of the decision line w(0)·X + w(1)·Y + w(2) = 0 at Y = 0.6 and Y = 0.
struct LineEnds {
    float x_at_top;    ///< X1 = −0.6·w(1)/w(0) − w(2)/w(0), where Y = 0.6
    float x_at_bottom; ///< X0 = −w(2)/w(0), where Y = 0
};

/// The line's end points, or nullopt when w(0) = 0 (the line is then horizontal or absent).
std::optional<LineEnds> line_ends(const Weights& w);

/// The height Y of a horizontal line (w(0) = 0): −w(2)/w(1) rounded to a float; nullopt when
/// w(1) is 0 as well (then no point lies on the line, or every point does).
std::optional<float> horizontal_line_height(const Weights& w);

/// The state of the demonstration window: the chosen set, its samples and the weights.
class Demonstration {
public:
    /// Chooses a built-in set (or none): the weights return to `start_weights` and the set's
    /// samples are loaded.
    void select_set(SetChoice choice);

    /// One epoch with the set's learning rate. Returns false (and does nothing) when no set is
    /// selected.
    bool step();

    SetChoice choice() const { return choice_; }
    const SampleSet& samples() const { return samples_; }
    const Weights& weights() const { return weights_; }
    void set_weights(const Weights& w) { weights_ = w; }

private:
    SetChoice choice_ = SetChoice::none;
    SampleSet samples_;
    Weights weights_{0.0f, 0.0f, 0.0f};
};

} // namespace perceptron
