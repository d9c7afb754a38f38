// Passes of the network over a whole data set, pattern by pattern in effect but laid out so
// that many patterns (or many neurons) advance side by side: each sum still takes its terms in
// the same order and with the same float/double rounding as the one-pattern forward pass, so the
// numbers are identical. The work is done by the vector kernels of pass_kernels.h, on tiles of a
// few dozen patterns taken straight from the data set (which is not copied).
#pragma once

#include "network.h"
#include "pass_kernels.h"

#include <vector>

namespace corvane {

class PassoConjunto {
public:
    /// Sizes the working tiles for `arq` and the set. The set is read in place by the passes (a
    /// set of one tile, at most 64 patterns, is copied once): `entradas` and `saidas` must
    /// outlive the passes and keep their size and values.
    void prepara(const arquitectura_rede& arq, const Matriz& entradas, const Matriz& saidas);

    /// `calculo_erro_conjunto` of the set for the weights w1, w2, w3 (w3 only with the linear
    /// output layer).
    float erro_conjunto(const float* w1, const float* w2, const float* w3);

    /// One backpropagation pass: for every pattern in order, forward pass, `calculo_dos_deltas`,
    /// `calculo_variacao_pesos` into v1, v2, v3 and the sum of `erro_padrao`, which it returns.
    float gradiente(const float* w1, const float* w2, const float* w3, float* v1, float* v2,
                    float* v3);

    int padroes() const { return espaco_.n_padroes; }

private:
    /// The tile width and the working memory for the kernels of build `largura` lanes.
    void dimensiona(int largura);

    arquitectura_rede arq_;
    EspacoPasso espaco_{};
    int largura_ = 0;
    std::vector<double> memoria_;
};

} // namespace corvane
