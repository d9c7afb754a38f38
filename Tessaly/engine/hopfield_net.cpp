#include "hopfield_net.h"

#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

namespace tessaly {

namespace {

std::int16_t Cell(std::int16_t value) {
    return value > 0 ? 1 : -1;
}

} // namespace

clsTessalyAlgorith::clsTessalyAlgorith(NetDialog* dialog, UniformRandom* random)
    : dialog_(dialog), random_(random != nullptr ? random : &ProgramRandom()) {
    Clear();
}

void clsTessalyAlgorith::Clear() {
    LastCol = -1;
    LastRow = -1;
    StoreCount = 0;
    NeuronCount = -1;
    StoredPatterns.clear();
    WeightMatrix = {};
    WeightSigns.clear();
    WeightsDirty = true;
    WeightsGiven = false;
    StepMode = false;
}

void clsTessalyAlgorith::Add(const Pattern& ArrIn) {
    if (ArrIn.empty()) return;
    if (StoreCount == 0) {
        // The first pattern fixes the dimensions, whatever a given matrix was meant for: that
        // matrix is discarded below anyway.
        LastRow = ArrIn.rows() - 1;
        LastCol = ArrIn.columns() - 1;
        NeuronCount = ArrIn.rows() * ArrIn.columns();
    } else if (ArrIn.rows() != LastRow + 1 || ArrIn.columns() != LastCol + 1) {
        if (dialog_ != nullptr)
            dialog_->ShowMessage(MismatchMessage(ArrIn.rows(), ArrIn.columns()));
        return;
    }
    State column(static_cast<std::size_t>(NeuronCount));
    std::size_t k = 0;
    for (int r = 0; r <= LastRow; ++r)
        for (int c = 0; c <= LastCol; ++c)
            column[k++] = Cell(ArrIn(r, c));
    StoredPatterns.push_back(std::move(column));
    ++StoreCount;
    WeightMatrix = {};
    WeightSigns.clear();
    WeightsDirty = true;
    WeightsGiven = false;
}

void clsTessalyAlgorith::CalcSynapticWeights() {
    if (StoreCount == 0) return;
    const auto n = static_cast<std::size_t>(NeuronCount);
    WeightMatrix = FloatMatrix(NeuronCount, NeuronCount);
    WeightSigns.assign(n * n, 0);
    // S(i, j) summed as an integer: with +/-1 cells every partial sum is a whole number far
    // below 2^24, which a float sum would hold exactly too.
    std::vector<std::int32_t> sum(n);
    float* weights = WeightMatrix.values().data();
    for (std::size_t i = 0; i < n; ++i) {
        std::fill(sum.begin(), sum.end(), 0);
        for (const State& pattern : StoredPatterns) {
            const std::int32_t xi = pattern[i];
            const std::int16_t* x = pattern.data();
            for (std::size_t j = 0; j < n; ++j)
                sum[j] += xi * x[j];
        }
        sum[i] = 0;
        std::int8_t* signs = WeightSigns.data() + i * n;
        float* row = weights + i * n;
        for (std::size_t j = 0; j < n; ++j) {
            const std::int8_t w = static_cast<std::int8_t>((sum[j] > 0) - (sum[j] < 0));
            signs[j] = w;
            row[j] = w;
        }
    }
    WeightsDirty = false;
}

void clsTessalyAlgorith::EnsureSynapticWeights() {
    if (WeightsDirty) CalcSynapticWeights();
}

FloatMatrix clsTessalyAlgorith::SynapticWeights() {
    EnsureSynapticWeights();
    return WeightMatrix.empty() ? FloatMatrix{} : WeightMatrix;
}

void clsTessalyAlgorith::SynapticWeights(const FloatMatrix& vNewMT) {
    WeightMatrix = vNewMT;
    WeightSigns.clear();
    WeightsDirty = false;
    WeightsGiven = true;
}

void clsTessalyAlgorith::ClearSynapticWeights() {
    WeightMatrix = {};
    WeightSigns.clear();
    WeightsDirty = true;
}

Pattern clsTessalyAlgorith::GetStoreElement(std::int32_t Element) {
    if (StoreCount > 0 && Element >= 1 && Element <= StoreCount) {
        const State& stored = StoredPatterns[static_cast<std::size_t>(Element - 1)];
        Pattern out(LastRow + 1, LastCol + 1);
        out.values() = stored;
        return out;
    }
    if (dialog_ != nullptr) dialog_->Beep();
    return Pattern(LastRow + 1, LastCol + 1, -1);
}

std::int16_t clsTessalyAlgorith::NewValue(const State& s, std::int32_t n) const {
    const auto count = static_cast<std::size_t>(NeuronCount);
    const auto row = static_cast<std::size_t>(n) * count;
    const std::int16_t old = s[static_cast<std::size_t>(n)];
    if (!WeightSigns.empty()) {
        const std::int8_t* w = WeightSigns.data() + row;
        std::int32_t h = 0;
        for (std::size_t j = 0; j < count; ++j)
            h += s[j] * w[j];
        return h > 0 ? 1 : (h < 0 ? -1 : old);
    }
    // A given matrix: the field summed in index order in single precision, diagonal included.
    const float* w = WeightMatrix.values().data() + row;
    float h = 0;
    for (std::size_t j = 0; j < count; ++j)
        h += static_cast<float>(s[j]) * w[j];
    return h > 0 ? 1 : (h < 0 ? -1 : old);
}

clsTessalyAlgorith::State clsTessalyAlgorith::UpdateFullParallel(State& s) const {
    State next(s.size());
    std::int32_t n = 0;
    if (WeightSigns.empty()) {
        // A given matrix: four neurons at a time, each field still summed on its own in index
        // order, so every rounding is the same as one neuron at a time.
        const auto count = static_cast<std::size_t>(NeuronCount);
        const float* w = WeightMatrix.values().data();
        for (; n + 4 <= NeuronCount; n += 4) {
            const float* w0 = w + static_cast<std::size_t>(n) * count;
            const float* w1 = w0 + count;
            const float* w2 = w1 + count;
            const float* w3 = w2 + count;
            float h[4] = {0, 0, 0, 0};
            for (std::size_t j = 0; j < count; ++j) {
                const auto sj = static_cast<float>(s[j]);
                h[0] += sj * w0[j];
                h[1] += sj * w1[j];
                h[2] += sj * w2[j];
                h[3] += sj * w3[j];
            }
            for (int k = 0; k < 4; ++k) {
                const auto at = static_cast<std::size_t>(n + k);
                next[at] = h[k] > 0 ? 1 : (h[k] < 0 ? -1 : s[at]);
            }
        }
    }
    for (; n < NeuronCount; ++n)
        next[static_cast<std::size_t>(n)] = NewValue(s, n);
    return next;
}

clsTessalyAlgorith::State clsTessalyAlgorith::UpdateFullSerial(State& s) const {
    for (std::int32_t n = 0; n < NeuronCount; ++n)
        s[static_cast<std::size_t>(n)] = NewValue(s, n);
    return s;
}

clsTessalyAlgorith::State clsTessalyAlgorith::UpdateRandomSerial(State& s) {
    std::vector<std::int32_t> order(static_cast<std::size_t>(NeuronCount));
    std::iota(order.begin(), order.end(), 0);
    random_->SeedFromClock();
    for (std::int32_t i = 0; i < NeuronCount; ++i) {
        const double u = random_->Next();
        auto r = static_cast<std::int32_t>(std::floor(u * (NeuronCount - i) + i));
        if (r >= NeuronCount) r = NeuronCount - 1;
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(r)]);
    }
    for (const std::int32_t n : order)
        s[static_cast<std::size_t>(n)] = NewValue(s, n);
    return s;
}

clsTessalyAlgorith::State clsTessalyAlgorith::Sweep(State& s) {
    switch (TypeProcessUsed_) {
    case RandomSerial:
        return UpdateRandomSerial(s);
    case FullSerial:
        return UpdateFullSerial(s);
    case FullParallel:
        return UpdateFullParallel(s);
    default:
        // No order chosen yet: the state is left as it is, which ends the recall.
        return s;
    }
}

clsTessalyAlgorith::State clsTessalyAlgorith::NearestStoredPattern(const State& s) const {
    std::int64_t best = std::numeric_limits<std::int32_t>::min();
    std::size_t bestIndex = 0;
    for (std::size_t p = 0; p < StoredPatterns.size(); ++p) {
        const State& stored = StoredPatterns[p];
        std::int64_t m = 0;
        for (std::size_t k = 0; k < s.size(); ++k)
            m += s[k] == stored[k] ? 1 : 0;
        if (m > best) {
            best = m;
            bestIndex = p;
        }
    }
    return StoredPatterns[bestIndex];
}

bool clsTessalyAlgorith::Fits(const Pattern& p) const {
    return LastRow >= 0 && LastCol >= 0 && p.rows() == LastRow + 1 && p.columns() == LastCol + 1 &&
           NeuronCount == p.rows() * p.columns() && WeightMatrix.rows() == NeuronCount &&
           WeightMatrix.columns() == NeuronCount;
}

Pattern clsTessalyAlgorith::Unflatten(const State& s) const {
    Pattern out(LastRow + 1, LastCol + 1);
    out.values() = s;
    return out;
}

Pattern clsTessalyAlgorith::RecallFrom(const Pattern& ArrIn, bool step) {
    if (WeightsDirty) {
        CalcSynapticWeights();
        if (WeightsDirty) return {};
    }
    if (StoreCount == 0) {
        // Only a given matrix: its dimensions are those last written through NumLinhas and
        // NumColunas.
        NeuronCount = LastRow >= 0 && LastCol >= 0 ? (LastRow + 1) * (LastCol + 1) : -1;
    }
    if (!Fits(ArrIn)) {
        if (dialog_ != nullptr)
            dialog_->ShowMessage(MismatchMessage(ArrIn.rows(), ArrIn.columns()));
        return ArrIn;
    }
    StepMode = step;
    State s(ArrIn.values().size());
    for (std::size_t k = 0; k < s.size(); ++k)
        s[k] = Cell(ArrIn.values()[k]);

    std::int64_t iteration = 0;
    for (;;) {
        ++iteration;
        const State prev = s;
        State next = Sweep(s);
        if (StepMode) {
            s = std::move(next);
            break;
        }
        if (prev == next) break;
        s = std::move(next);
        if (iteration % 100 == 0) {
            const bool goOn = dialog_ != nullptr && dialog_->AskYesNo(UnstableQuestion(iteration));
            if (!goOn) break;
        }
    }
    if (UsedAsClassifier_ && !WeightsGiven && !StepMode && StoreCount > 0)
        s = NearestStoredPattern(s);
    StepMode = false;
    return Unflatten(s);
}

Pattern clsTessalyAlgorith::Recall(const Pattern& ArrIn) {
    return RecallFrom(ArrIn, false);
}

Pattern clsTessalyAlgorith::StepRecall(const Pattern& ArrIn) {
    return RecallFrom(ArrIn, true);
}

std::string clsTessalyAlgorith::UnstableQuestion(std::int64_t iteration) {
    return "The Hopfied Net is still in an unstable state, after " + std::to_string(iteration) +
           " iterations.\r\nDo you wish to continue?";
}

std::string clsTessalyAlgorith::MismatchMessage(int rows, int columns) {
    return "The synaptic weights do not fit a pattern of " + std::to_string(rows) + " X " +
           std::to_string(columns) + " cells: give new weights or change the dimensions.";
}

} // namespace tessaly
