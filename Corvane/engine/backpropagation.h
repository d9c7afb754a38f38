// Batch backpropagation with momentum: the per-pattern procedures and the weight step.
#pragma once

#include "network.h"

#include <vector>

namespace corvane {

/// The state of one backpropagation run besides the network: the last weight changes `dW1`..
/// `dW3`, the batch sums `variacao1`..`variacao3`, the local errors `delta1`..`delta3` of the
/// current pattern, the learning rate `lr` and the momentum `mc`.
struct Backpropagation {
    float lr = 0.0f;
    float mc = 0.0f;
    std::vector<float> dW1, dW2, dW3;
    std::vector<float> variacao1, variacao2, variacao3;
    std::vector<float> delta1, delta2, delta3;

    /// Sizes every vector for `arq`, all zero.
    void inicia(const arquitectura_rede& arq);

    /// `calculo_dos_deltas`: after `rede.calculo_saidas` of training pattern p, the local
    /// errors: (t - y) s (1 - s) at a sigmoid output layer; t - y at the linear output layer,
    /// propagated back through `W3` and multiplied by s (1 - s); then back through `W2` into
    /// `delta1` the same way.
    void calculo_dos_deltas(const Rede& rede, const Matriz& saidas, int p);
    /// `calculo_variacao_pesos`: adds delta x input (bias input 1) of pattern p to the variations.
    void calculo_variacao_pesos(const Rede& rede, const Matriz& entradas, int p);
    /// `limpa_variacoes`: all variations back to zero.
    void limpa_variacoes();
    /// `actualiza_pesos`: dW = (1 - mc) lr variacao + dW mc, then W = dW + W, for every weight.
    void actualiza_pesos(Rede& rede);
    /// `regresso_pesos_anteriores`: W = W - dW for every weight (dW unchanged).
    void regresso_pesos_anteriores(Rede& rede) const;
};

} // namespace corvane
