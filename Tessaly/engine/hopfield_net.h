// The Hopfield network behind one pattern window.
#pragma once

#include "array2d.h"
#include "random_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

/// What the network asks of whoever drives it: the window answers with message boxes, the
/// batch mode and the tests with their own implementations.
class NetDialog {
public:
    virtual ~NetDialog() = default;
    /// A Yes/No question under the application's title; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    /// A message with an OK button under the application's title.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void Beep() = 0;
};

/// The update orders of a sweep, as numbered by the order list of the pattern window.
enum TypeProcess : std::int32_t { RandomSerial = 1, FullSerial = 2, FullParallel = 3 };

/// A Hopfield network of N = rows x columns sign-threshold neurons. Patterns are flattened row
/// by row (neuron k = row * columns + column) and hold +1 (on) or -1 (off); any positive cell
/// handed in counts as +1 and any other as -1.
class clsTessalyAlgorith {
public:
    /// `dialog` receives the questions, messages and beeps (none: questions are answered No and
    /// messages dropped); `random` orders the random-serial sweeps (default: the program's one).
    explicit clsTessalyAlgorith(NetDialog* dialog = nullptr, UniformRandom* random = nullptr);

    void SetDialog(NetDialog* dialog) { dialog_ = dialog; }

    /// Forgets the dimensions, the stored patterns and the weights; keeps the classifier flag
    /// and the update order.
    void Clear();

    /// Stores `ArrIn` as the next pattern. The first pattern stored fixes the dimensions; a
    /// later pattern of other dimensions is refused with a message. Discards any matrix given
    /// from outside and marks the weights for recomputation.
    void Add(const Pattern& ArrIn);

    /// One update sweep from `ArrIn` in the current order; never asks, never classifies.
    /// Empty result when nothing is stored and no matrix was given.
    Pattern StepRecall(const Pattern& ArrIn);

    /// Sweeps from `ArrIn` until one sweep changes no neuron (asking every 100 sweeps whether to
    /// go on), then, as a classifier with computed weights, snaps to the nearest stored pattern.
    /// Empty result when nothing is stored and no matrix was given; `ArrIn` unchanged (after a
    /// message) when the weights do not fit its dimensions.
    Pattern Recall(const Pattern& ArrIn);

    /// A copy of the N x N weight matrix (computed first when out of date), or an empty matrix
    /// when nothing is stored and no matrix was given.
    FloatMatrix SynapticWeights();

    /// Uses `vNewMT` as the weight matrix from now on (it is no longer computed from the store,
    /// and the classifier step is skipped).
    void SynapticWeights(const FloatMatrix& vNewMT);

    /// The row count of the patterns a given matrix is meant for. Once patterns are stored their
    /// dimensions stay fixed until `Clear`, and this has no effect.
    void NumLinhas(std::int32_t vNew) {
        if (StoreCount == 0) LastRow = vNew - 1;
    }
    /// The column count of the patterns a given matrix is meant for (no effect while patterns
    /// are stored).
    void NumColunas(std::int32_t vNew) {
        if (StoreCount == 0) LastCol = vNew - 1;
    }

    /// Empties the matrix; it is computed from the store when next needed.
    void ClearSynapticWeights();

    std::int32_t GetStoreCount() const { return StoreCount; }

    /// Stored pattern number `Element` (1-based). Outside 1..count: a beep and a pattern of the
    /// network's dimensions with every cell -1.
    Pattern GetStoreElement(std::int32_t Element);

    void UsedAsClassifier(bool vNew) { UsedAsClassifier_ = vNew; }
    /// 1 random serial, 2 full serial, 3 full parallel.
    void TypeProcessUsed(std::int32_t vNew) { TypeProcessUsed_ = vNew; }

    /// Brings the weight matrix up to date (computes it from the store when it is out of date).
    void EnsureSynapticWeights();

    /// True while the matrix in use was given from outside.
    bool WeightsAreGiven() const { return WeightsGiven; }

    /// True when `SynapticWeights` has a matrix to give: patterns are stored (it is computed
    /// from them) or a matrix was given and not cleared since.
    bool HasSynapticWeights() const { return StoreCount > 0 || !WeightMatrix.empty(); }

    /// The question asked after `iteration` unstable sweeps.
    static std::string UnstableQuestion(std::int64_t iteration);

    /// The message shown when a recall is refused because the weights do not fit the pattern.
    static std::string MismatchMessage(int rows, int columns);

private:
    using State = std::vector<std::int16_t>;

    /// W(i, j) = sign of the sum over stored patterns of x(i) x(j), W(i, i) = 0.
    void CalcSynapticWeights();
    /// The stored pattern agreeing with `s` on most neurons (the first stored on a tie).
    State NearestStoredPattern(const State& s) const;
    /// Every neuron from the state before the sweep; `s` is left unchanged.
    State UpdateFullParallel(State& s) const;
    /// Neurons 0..N-1 in order, each seeing the earlier updates; updates `s`.
    State UpdateFullSerial(State& s) const;
    /// Neurons in a fresh random order (generator reseeded from the clock); updates `s`.
    State UpdateRandomSerial(State& s);

    /// The new value of neuron n in state s: the sign of its field, or its old value when the
    /// field is exactly 0 (or not a number).
    std::int16_t NewValue(const State& s, std::int32_t n) const;
    Pattern RecallFrom(const Pattern& ArrIn, bool step);
    State Sweep(State& s);
    bool Fits(const Pattern& p) const;
    Pattern Unflatten(const State& s) const;

    std::int32_t LastCol = -1;
    std::int32_t LastRow = -1;
    std::int32_t StoreCount = 0;
    std::int32_t NeuronCount = -1;
    /// StoredPatterns[p] is stored pattern p + 1, flattened.
    std::vector<State> StoredPatterns;
    FloatMatrix WeightMatrix;
    /// The same matrix as small integers while it is computed from the store: every field is
    /// then an exact integer, summed without rounding.
    std::vector<std::int8_t> WeightSigns;
    bool WeightsDirty = true;
    bool WeightsGiven = false;
    bool UsedAsClassifier_ = false;
    bool StepMode = false;
    std::int32_t TypeProcessUsed_ = 0;

    NetDialog* dialog_ = nullptr;
    UniformRandom* random_ = nullptr;
};

} // namespace tessaly
