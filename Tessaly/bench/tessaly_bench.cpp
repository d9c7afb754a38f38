// Speed of the network on the largest grid: 50 x 50 cells, 10 stored patterns.
#include "hopfield_net.h"
#include "pattern_ops.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tessaly;

constexpr int kSide = 50;
constexpr int kPatterns = 10;

std::vector<Pattern> RandomPatterns() {
    UniformRandom random(2024);
    std::vector<Pattern> patterns;
    for (int p = 0; p < kPatterns; ++p) {
        Pattern x(kSide, kSide);
        for (auto& cell : x.values())
            cell = random.Next() < 0.5 ? 1 : -1;
        patterns.push_back(x);
    }
    return patterns;
}

void Store(clsTessalyAlgorith& net) {
    for (const Pattern& x : RandomPatterns())
        net.Add(x);
}

void BM_WeightMatrix(benchmark::State& state) {
    clsTessalyAlgorith net;
    Store(net);
    for (auto _ : state) {
        net.ClearSynapticWeights();
        net.EnsureSynapticWeights();
    }
}
BENCHMARK(BM_WeightMatrix)->Unit(benchmark::kMillisecond);

void BM_Sweep(benchmark::State& state) {
    clsTessalyAlgorith net;
    Store(net);
    net.TypeProcessUsed(static_cast<std::int32_t>(state.range(0)));
    net.EnsureSynapticWeights();
    Pattern start = RandomPatterns().front();
    UniformRandom random(5);
    AddNoise(start, random);
    for (auto _ : state)
        benchmark::DoNotOptimize(net.StepRecall(start));
}
BENCHMARK(BM_Sweep)
    ->Arg(FullSerial)
    ->Arg(FullParallel)
    ->Arg(RandomSerial)
    ->Unit(benchmark::kMillisecond);

// The same sweep with the matrix given from outside: single-precision fields in index order.
void BM_SweepGivenWeights(benchmark::State& state) {
    clsTessalyAlgorith net;
    Store(net);
    const FloatMatrix w = net.SynapticWeights();
    net.NumLinhas(kSide);
    net.NumColunas(kSide);
    net.SynapticWeights(w);
    net.TypeProcessUsed(static_cast<std::int32_t>(state.range(0)));
    const Pattern start = RandomPatterns().front();
    for (auto _ : state)
        benchmark::DoNotOptimize(net.StepRecall(start));
}
BENCHMARK(BM_SweepGivenWeights)->Arg(FullSerial)->Arg(FullParallel)->Unit(benchmark::kMillisecond);

void BM_RecallTenPercentFlipped(benchmark::State& state) {
    clsTessalyAlgorith net;
    Store(net);
    net.TypeProcessUsed(static_cast<std::int32_t>(state.range(0)));
    net.EnsureSynapticWeights();
    Pattern start = RandomPatterns().front();
    UniformRandom random(9);
    for (auto& cell : start.values())
        if (random.Next() < 0.10) cell = static_cast<std::int16_t>(-cell);
    for (auto _ : state)
        benchmark::DoNotOptimize(net.Recall(start));
}
BENCHMARK(BM_RecallTenPercentFlipped)
    ->Arg(FullSerial)
    ->Arg(FullParallel)
    ->Arg(RandomSerial)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
