// Passes of the network over a whole data set, pattern by pattern in effect but laid out so
// that the sums of many patterns advance side by side: each sum still takes its terms in the
// same order and with the same float/double rounding as the one-pattern forward pass, so the
// numbers are identical, only the loops are arranged for the compiler to vectorise.
#pragma once

#include "network.h"

#include <vector>

namespace corvane {

class PassoConjunto {
public:
    /// Takes copies of the set in the layouts the passes need (once per run).
    void prepara(const arquitectura_rede& arq, const Matriz& entradas, const Matriz& saidas);

    /// `calculo_erro_conjunto` of the set for the weights w1, w2, w3 (w3 only with the linear
    /// output layer).
    float erro_conjunto(const float* w1, const float* w2, const float* w3);

    /// One backpropagation pass: for every pattern in order, forward pass, `calculo_dos_deltas`,
    /// `calculo_variacao_pesos` into v1, v2, v3 and the sum of `erro_padrao`, which it returns.
    float gradiente(const float* w1, const float* w2, const float* w3, float* v1, float* v2,
                    float* v3);

    int padroes() const { return n_; }

private:
    void forward(const float* w1, const float* w2, const float* w3);

    arquitectura_rede arq_;
    int n_ = 0;
    std::vector<float> x_;  // inputs, one row of n_ patterns per input
    std::vector<float> xp_; // inputs pattern by pattern, each led by a 1 for the bias
    std::vector<float> t_;  // targets, one row per output
    std::vector<float> h1_, h2_, y_;
    std::vector<float> h1p_, h2p_;
    std::vector<float> d1_, d2_, d3_;
};

} // namespace corvane
