// Training speed of the engine beside the FANN library on the same networks and data:
// (a) XOR, 2 inputs, 2 sigmoid hidden, 1 sigmoid output, 4 patterns;
// (b) 10 inputs, 30 and 20 sigmoid hidden, 3 linear outputs, 1000 patterns;
// (c) 64 inputs, 100 sigmoid hidden, 10 sigmoid outputs, 30,000 patterns (the size of the
//     largest data sets: pixel-like inputs in 0..16/16 and one-hot targets).
// "items_per_second" is backpropagation iterations (batch epochs) or GA generations per second.
// The Corvane cases run on the widest vector kernels the processor has; the _Portable ones on
// the kernels built for any processor.
#include "engine/backpropagation.h"
#include "engine/genetic.h"
#include "engine/network.h"
#include "engine/pass_kernels.h"
#include "engine/random.h"
#include "engine/set_pass.h"
#include "engine/weights_file.h"

#include <benchmark/benchmark.h>
#include <floatfann.h>

#include <cmath>
#include <memory>

namespace {

using namespace corvane;

struct Case {
    arquitectura_rede arq;
    Matriz entradas, saidas;
};

arquitectura_rede architecture(int inputs, int h1, int h2, int outputs, bool linear) {
    arquitectura_rede a;
    a.n_entradas = static_cast<std::int16_t>(inputs);
    a.n_saidas = static_cast<std::int16_t>(outputs);
    a.camada_linear = linear;
    a.n_oculta1 = static_cast<std::int16_t>(h1);
    a.n_oculta2 = static_cast<std::int16_t>(linear ? h2 : outputs);
    a.n_pesos1 = static_cast<std::int16_t>((inputs + 1) * h1);
    a.n_pesos2 = static_cast<std::int16_t>((h1 + 1) * a.n_oculta2);
    a.n_pesos3 = static_cast<std::int16_t>(linear ? (a.n_oculta2 + 1) * outputs : 0);
    a.n_pesos = static_cast<std::int16_t>(a.n_pesos1 + a.n_pesos2 + a.n_pesos3);
    a.n_neuronios = static_cast<std::int16_t>(h1 + a.n_oculta2 + (linear ? outputs : 0));
    return a;
}

Case xor_case() {
    Case c;
    c.arq = architecture(2, 2, 0, 1, false);
    c.entradas.dimensiona(2, 4);
    c.saidas.dimensiona(1, 4);
    const float x[4][3] = {{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
    for (int p = 0; p < 4; ++p) {
        c.entradas(0, p) = x[p][0];
        c.entradas(1, p) = x[p][1];
        c.saidas(0, p) = x[p][2];
    }
    return c;
}

Case large_case() {
    Case c;
    c.arq = architecture(10, 30, 20, 3, true);
    c.entradas.dimensiona(10, 1000);
    c.saidas.dimensiona(3, 1000);
    Rnd rnd;
    for (int p = 0; p < 1000; ++p) {
        double sum = 0;
        for (int i = 0; i < 10; ++i) {
            c.entradas(i, p) = static_cast<float>(rnd());
            sum += c.entradas(i, p);
        }
        c.saidas(0, p) = static_cast<float>(std::sin(sum));
        c.saidas(1, p) = static_cast<float>(c.entradas(0, p) * c.entradas(1, p));
        c.saidas(2, p) = static_cast<float>(sum / 10);
    }
    return c;
}

Case digits_like_case() {
    Case c;
    const int n = 30000;
    c.arq = architecture(64, 100, 0, 10, false);
    c.entradas.dimensiona(64, n);
    c.saidas.dimensiona(10, n);
    Rnd rnd;
    for (int p = 0; p < n; ++p) {
        const int digit = p % 10;
        for (int i = 0; i < 64; ++i)
            c.entradas(i, p) = static_cast<float>(static_cast<int>(rnd() * 17.0)) / 16.0f;
        c.saidas(digit, p) = 1.0f;
    }
    return c;
}

Case make(int which) {
    switch (which) {
    case 0:
        return xor_case();
    case 1:
        return large_case();
    default:
        return digits_like_case();
    }
}

void small_weights(Rede& rede) {
    Rnd rnd;
    for (auto* w : {&rede.W1, &rede.W2, &rede.W3})
        for (float& v : *w)
            v = static_cast<float>(rnd() - 0.5);
}

// One iteration of batch backpropagation: the weight step and a full pass over the set.
void backpropagation(benchmark::State& state);

void BM_Corvane_Backpropagation(benchmark::State& state) {
    backpropagation(state);
}

void BM_Corvane_Backpropagation_Portable(benchmark::State& state) {
    ScopedNucleo portable(NucleoVectorial::portavel);
    backpropagation(state);
}

void backpropagation(benchmark::State& state) {
    Case c = make(static_cast<int>(state.range(0)));
    Rede rede;
    rede.dimensiona(c.arq);
    small_weights(rede);
    Backpropagation bp;
    bp.inicia(c.arq);
    bp.lr = 0.001f;
    bp.mc = 0.9f;
    PassoConjunto passo;
    passo.prepara(c.arq, c.entradas, c.saidas);
    for (auto _ : state) {
        bp.actualiza_pesos(rede);
        bp.limpa_variacoes();
        float e = passo.gradiente(rede.W1.data(), rede.W2.data(), rede.W3.data(),
                                  bp.variacao1.data(), bp.variacao2.data(), bp.variacao3.data());
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}

// The same iteration pattern by pattern (forward pass, deltas, variations, one at a time).
void BM_Corvane_Backpropagation_PatternByPattern(benchmark::State& state) {
    Case c = make(static_cast<int>(state.range(0)));
    Rede rede;
    rede.dimensiona(c.arq);
    small_weights(rede);
    Backpropagation bp;
    bp.inicia(c.arq);
    bp.lr = 0.001f;
    bp.mc = 0.9f;
    for (auto _ : state) {
        bp.actualiza_pesos(rede);
        bp.limpa_variacoes();
        float e = 0;
        for (int p = 0; p < c.entradas.n_padroes; ++p) {
            rede.calculo_saidas(c.entradas, p);
            bp.calculo_dos_deltas(rede, c.saidas, p);
            bp.calculo_variacao_pesos(rede, c.entradas, p);
            e = static_cast<float>(static_cast<double>(rede.erro_padrao(c.saidas, p)) + e);
        }
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}

// One generation of the genetic algorithm, population 10, "NN 2 points", elitism.
void BM_Corvane_Genetic(benchmark::State& state) {
    Case c = make(static_cast<int>(state.range(0)));
    Genetico ga;
    ga.dimensiona(c.arq, 10);
    ga.taxa_mutacao = 0.1f;
    ga.taxa_cruzamento = 0.8f;
    ga.elitismo = true;
    ga.tipo_cruzamento = 5;
    Rnd rnd;
    ga.populacao_aleatoria(rnd);
    PassoConjunto passo;
    passo.prepara(c.arq, c.entradas, c.saidas);
    for (auto _ : state) {
        float e = ga.avalia_populacao(passo);
        ga.nova_geracao(rnd);
        benchmark::DoNotOptimize(e);
    }
    state.SetItemsProcessed(state.iterations());
}

// FANN: one batch epoch (fann_train_epoch with FANN_TRAIN_BATCH) of the same network.
void BM_FANN_BatchEpoch(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Case c = make(which);
    std::unique_ptr<fann, decltype(&fann_destroy)> ann(
        which == 0   ? fann_create_standard(3, 2, 2, 1)
        : which == 1 ? fann_create_standard(4, 10, 30, 20, 3)
                     : fann_create_standard(3, 64, 100, 10),
        fann_destroy);
    fann_set_activation_function_hidden(ann.get(), FANN_SIGMOID);
    fann_set_activation_function_output(ann.get(), which == 1 ? FANN_LINEAR : FANN_SIGMOID);
    fann_set_training_algorithm(ann.get(), FANN_TRAIN_BATCH);
    fann_set_learning_rate(ann.get(), 0.001f);
    fann_randomize_weights(ann.get(), -0.5f, 0.5f);
    const int n = c.entradas.n_padroes;
    std::unique_ptr<fann_train_data, decltype(&fann_destroy_train)> data(
        fann_create_train(static_cast<unsigned>(n), static_cast<unsigned>(c.arq.n_entradas),
                          static_cast<unsigned>(c.arq.n_saidas)),
        fann_destroy_train);
    for (int p = 0; p < n; ++p) {
        for (int i = 0; i < c.arq.n_entradas; ++i)
            data->input[p][i] = c.entradas(i, p);
        for (int j = 0; j < c.arq.n_saidas; ++j)
            data->output[p][j] = c.saidas(j, p);
    }
    for (auto _ : state) {
        float mse = fann_train_epoch(ann.get(), data.get());
        benchmark::DoNotOptimize(mse);
    }
    state.SetItemsProcessed(state.iterations());
}

void cases(benchmark::internal::Benchmark* b) {
    b->ArgName("case")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
}

void small_cases(benchmark::internal::Benchmark* b) {
    b->ArgName("case")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_Corvane_Backpropagation)->Apply(cases);
BENCHMARK(BM_Corvane_Backpropagation_Portable)->Apply(cases);
BENCHMARK(BM_Corvane_Backpropagation_PatternByPattern)->Apply(small_cases);
BENCHMARK(BM_Corvane_Genetic)->Apply(cases);
BENCHMARK(BM_FANN_BatchEpoch)->Apply(cases);

BENCHMARK_MAIN();
