#include "backpropagation.h"

#include <algorithm>

namespace corvane {

namespace {

using std::size_t;

void zero(std::vector<float>& v, size_t n) {
    // In place when the size is already right (every batch clears the variations).
    if (v.size() == n)
        std::fill(v.begin(), v.end(), 0.0f);
    else
        v.assign(n, 0.0f);
}

float mul_add(float a, float b, float c) {
    return static_cast<float>(static_cast<double>(a) * static_cast<double>(b) +
                              static_cast<double>(c));
}

float s_ds(float s, float d) {
    const double sd = s;
    return static_cast<float>(sd * static_cast<double>(d) * (1.0 - sd));
}

// dW = (1 - mc) lr v + dW mc, then W = dW + W, for the n weights of one layer.
// One weight at a time: the set pass writes the variations one by one and reads the weights so,
// and a wide read of values written one by one (or the other way round) waits for the writes
// to reach the cache instead of taking them on the way.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-tree-vectorize")))
#endif
void step_layer(float* __restrict w, float* __restrict dw, const float* __restrict v, size_t n,
                double lr, double mc) {
    const double rate = (1.0 - mc) * lr;
    for (size_t k = 0; k < n; ++k) {
        dw[k] =
            static_cast<float>(rate * static_cast<double>(v[k]) + static_cast<double>(dw[k]) * mc);
        w[k] = static_cast<float>(static_cast<double>(dw[k]) + static_cast<double>(w[k]));
    }
}

void step(std::vector<float>& w, std::vector<float>& dw, const std::vector<float>& v, double lr,
          double mc) {
    step_layer(w.data(), dw.data(), v.data(), w.size(), lr, mc);
}

void add_layer(std::vector<float>& v, const std::vector<float>& delta, const float* inputs, int m) {
    size_t k = 0;
    for (float d : delta) {
        v[k] = static_cast<float>(static_cast<double>(d) + static_cast<double>(v[k]));
        ++k;
        for (int i = 0; i < m; ++i, ++k)
            v[k] = mul_add(d, inputs[i], v[k]);
    }
}

} // namespace

void Backpropagation::inicia(const arquitectura_rede& arq) {
    zero(dW1, static_cast<size_t>(arq.n_pesos1));
    zero(dW2, static_cast<size_t>(arq.n_pesos2));
    zero(dW3, static_cast<size_t>(arq.n_pesos3));
    zero(delta1, static_cast<size_t>(arq.n_oculta1));
    zero(delta2, static_cast<size_t>(arq.n_oculta2));
    zero(delta3, arq.camada_linear ? static_cast<size_t>(arq.n_saidas) : 0);
    limpa_variacoes();
}

void Backpropagation::limpa_variacoes() {
    zero(variacao1, dW1.size());
    zero(variacao2, dW2.size());
    zero(variacao3, dW3.size());
}

void Backpropagation::calculo_dos_deltas(const Rede& rede, const Matriz& saidas, int p) {
    const arquitectura_rede& a = rede.arq;
    std::fill(delta1.begin(), delta1.end(), 0.0f);
    std::fill(delta2.begin(), delta2.end(), 0.0f);
    std::fill(delta3.begin(), delta3.end(), 0.0f);
    if (!a.camada_linear) {
        for (int j = 0; j < a.n_oculta2; ++j) {
            const double s = rede.saida2[static_cast<size_t>(j)];
            delta2[static_cast<size_t>(j)] =
                static_cast<float>((static_cast<double>(saidas(j, p)) -
                                    static_cast<double>(rede.saida_rede[static_cast<size_t>(j)])) *
                                   s * (1.0 - s));
        }
    } else {
        for (int j = 0; j < a.n_saidas; ++j)
            delta3[static_cast<size_t>(j)] =
                static_cast<float>(static_cast<double>(saidas(j, p)) -
                                   static_cast<double>(rede.saida_rede[static_cast<size_t>(j)]));
        for (int j = 0; j < a.n_saidas; ++j)
            for (int i = 0; i < a.n_oculta2; ++i) {
                const float w = rede.W3[static_cast<size_t>(j * (a.n_oculta2 + 1) + 1 + i)];
                delta2[static_cast<size_t>(i)] =
                    mul_add(delta3[static_cast<size_t>(j)], w, delta2[static_cast<size_t>(i)]);
            }
        for (int i = 0; i < a.n_oculta2; ++i)
            delta2[static_cast<size_t>(i)] =
                s_ds(rede.saida2[static_cast<size_t>(i)], delta2[static_cast<size_t>(i)]);
    }
    for (int j = 0; j < a.n_oculta2; ++j)
        for (int i = 0; i < a.n_oculta1; ++i) {
            const float w = rede.W2[static_cast<size_t>(j * (a.n_oculta1 + 1) + 1 + i)];
            delta1[static_cast<size_t>(i)] =
                mul_add(w, delta2[static_cast<size_t>(j)], delta1[static_cast<size_t>(i)]);
        }
    for (int i = 0; i < a.n_oculta1; ++i)
        delta1[static_cast<size_t>(i)] =
            s_ds(rede.saida1[static_cast<size_t>(i)], delta1[static_cast<size_t>(i)]);
}

void Backpropagation::calculo_variacao_pesos(const Rede& rede, const Matriz& entradas, int p) {
    const arquitectura_rede& a = rede.arq;
    add_layer(variacao1, delta1, entradas.padrao(p), a.n_entradas);
    add_layer(variacao2, delta2, rede.saida1.data(), a.n_oculta1);
    if (a.camada_linear) add_layer(variacao3, delta3, rede.saida2.data(), a.n_oculta2);
}

void Backpropagation::actualiza_pesos(Rede& rede) {
    step(rede.W1, dW1, variacao1, lr, mc);
    step(rede.W2, dW2, variacao2, lr, mc);
    if (rede.arq.camada_linear) step(rede.W3, dW3, variacao3, lr, mc);
}

void Backpropagation::regresso_pesos_anteriores(Rede& rede) const {
    auto back = [](std::vector<float>& w, const std::vector<float>& dw) {
        for (size_t k = 0; k < w.size(); ++k)
            w[k] = static_cast<float>(static_cast<double>(w[k]) - static_cast<double>(dw[k]));
    };
    back(rede.W1, dW1);
    back(rede.W2, dW2);
    if (rede.arq.camada_linear) back(rede.W3, dW3);
}

} // namespace corvane
