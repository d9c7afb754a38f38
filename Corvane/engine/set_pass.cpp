#include "set_pass.h"

#include "vector_clones.h"

#include <algorithm>
#include <cstddef>

namespace corvane {

namespace {

using std::size_t;

// sum + a x b, in double, stored as a float: the one step of every running sum.
inline float madd(float sum, float a, double b) {
    return static_cast<float>(static_cast<double>(sum) + static_cast<double>(a) * b);
}

// Layer outputs for n patterns: out row j = sum over the m input rows, bias first. Four inputs
// are added per sweep over the patterns (each sum still takes them in order).
CORVANE_VECTOR_CLONES void forward_layer(const float* w, int neurons, const float* x, int m, int n,
                                         float* out, bool sigmoid) {
    const auto row = [&](int i) { return x + static_cast<size_t>(i) * static_cast<size_t>(n); };
    for (int j = 0; j < neurons; ++j) {
        const float* wj = w + static_cast<size_t>(j) * static_cast<size_t>(m + 1);
        float* __restrict s = out + static_cast<size_t>(j) * static_cast<size_t>(n);
        std::fill_n(s, n, wj[0]);
        int i = 0;
        for (; i + 4 <= m; i += 4) {
            const float* __restrict x0 = row(i);
            const float* __restrict x1 = row(i + 1);
            const float* __restrict x2 = row(i + 2);
            const float* __restrict x3 = row(i + 3);
            const double w0 = wj[1 + i], w1 = wj[2 + i], w2 = wj[3 + i], w3 = wj[4 + i];
            for (int p = 0; p < n; ++p)
                s[p] = madd(madd(madd(madd(s[p], x0[p], w0), x1[p], w1), x2[p], w2), x3[p], w3);
        }
        for (; i < m; ++i) {
            const float* __restrict xi = row(i);
            const double wi = wj[1 + i];
            for (int p = 0; p < n; ++p)
                s[p] = madd(s[p], xi[p], wi);
        }
        if (sigmoid) sigmoide_linha(s, n);
    }
}

// Rows (one per neuron, n patterns each) copied pattern by pattern, each led by a 1.
void pattern_rows(const float* rows, int count, int n, float* out) {
    const size_t width = static_cast<size_t>(count) + 1;
    for (int p = 0; p < n; ++p)
        out[static_cast<size_t>(p) * width] = 1.0f;
    for (int i = 0; i < count; ++i) {
        const float* r = rows + static_cast<size_t>(i) * static_cast<size_t>(n);
        for (int p = 0; p < n; ++p)
            out[static_cast<size_t>(p) * width + 1 + static_cast<size_t>(i)] = r[p];
    }
}

// delta rows of the layer below: sum over the neurons j of w(j, input i) x delta(j), bias
// skipped, then multiplied by s (1 - s) of that layer's outputs. Four neurons are added per
// sweep over the patterns, in order.
CORVANE_VECTOR_CLONES void back_layer(const float* w, int neurons, const float* delta, int m, int n,
                                      const float* s, float* out) {
    const auto drow = [&](int j) {
        return delta + static_cast<size_t>(j) * static_cast<size_t>(n);
    };
    const auto weight = [&](int j, int i) {
        return static_cast<double>(
            w[static_cast<size_t>(j) * static_cast<size_t>(m + 1) + 1 + static_cast<size_t>(i)]);
    };
    for (int i = 0; i < m; ++i) {
        float* __restrict oi = out + static_cast<size_t>(i) * static_cast<size_t>(n);
        const float* __restrict si = s + static_cast<size_t>(i) * static_cast<size_t>(n);
        std::fill_n(oi, n, 0.0f);
        int j = 0;
        for (; j + 4 <= neurons; j += 4) {
            const float* __restrict d0 = drow(j);
            const float* __restrict d1 = drow(j + 1);
            const float* __restrict d2 = drow(j + 2);
            const float* __restrict d3 = drow(j + 3);
            const double w0 = weight(j, i), w1 = weight(j + 1, i), w2 = weight(j + 2, i),
                         w3 = weight(j + 3, i);
            for (int p = 0; p < n; ++p)
                oi[p] = madd(madd(madd(madd(oi[p], d0[p], w0), d1[p], w1), d2[p], w2), d3[p], w3);
        }
        for (; j < neurons; ++j) {
            const float* __restrict dj = drow(j);
            const double wj = weight(j, i);
            for (int p = 0; p < n; ++p)
                oi[p] = madd(oi[p], dj[p], wj);
        }
        for (int p = 0; p < n; ++p) {
            const double sp = si[p];
            oi[p] = static_cast<float>(sp * static_cast<double>(oi[p]) * (1.0 - sp));
        }
    }
}

// variation(k) += delta x input, pattern after pattern, for a layer of `neurons` neurons whose
// inputs are the rows of `inputs` (pattern by pattern, led by the bias input 1). Four patterns
// are added per sweep over the weights, in pattern order.
CORVANE_VECTOR_CLONES void accumulate(const float* delta, int neurons, const float* inputs, int m,
                                      int n, float* v) {
    const size_t width = static_cast<size_t>(m) + 1;
    const auto d = [&](int j, int p) {
        return static_cast<double>(
            delta[static_cast<size_t>(j) * static_cast<size_t>(n) + static_cast<size_t>(p)]);
    };
    int p = 0;
    for (; p + 4 <= n; p += 4) {
        const float* __restrict r0 = inputs + static_cast<size_t>(p) * width;
        const float* __restrict r1 = r0 + width;
        const float* __restrict r2 = r1 + width;
        const float* __restrict r3 = r2 + width;
        for (int j = 0; j < neurons; ++j) {
            const double d0 = d(j, p), d1 = d(j, p + 1), d2 = d(j, p + 2), d3 = d(j, p + 3);
            float* __restrict vj = v + static_cast<size_t>(j) * width;
            for (size_t t = 0; t < width; ++t)
                vj[t] = madd(madd(madd(madd(vj[t], r0[t], d0), r1[t], d1), r2[t], d2), r3[t], d3);
        }
    }
    for (; p < n; ++p) {
        const float* __restrict row = inputs + static_cast<size_t>(p) * width;
        for (int j = 0; j < neurons; ++j) {
            const double dj = d(j, p);
            float* __restrict vj = v + static_cast<size_t>(j) * width;
            for (size_t t = 0; t < width; ++t)
                vj[t] = madd(vj[t], row[t], dj);
        }
    }
}

} // namespace

void PassoConjunto::prepara(const arquitectura_rede& arq, const Matriz& entradas,
                            const Matriz& saidas) {
    arq_ = arq;
    n_ = entradas.n_padroes;
    const size_t n = static_cast<size_t>(n_);
    x_.assign(static_cast<size_t>(arq.n_entradas) * n, 0.0f);
    t_.assign(static_cast<size_t>(arq.n_saidas) * n, 0.0f);
    for (int p = 0; p < n_; ++p) {
        for (int i = 0; i < arq.n_entradas; ++i)
            x_[static_cast<size_t>(i) * n + static_cast<size_t>(p)] = entradas(i, p);
        for (int j = 0; j < arq.n_saidas; ++j)
            t_[static_cast<size_t>(j) * n + static_cast<size_t>(p)] = saidas(j, p);
    }
    xp_.assign((static_cast<size_t>(arq.n_entradas) + 1) * n, 0.0f);
    pattern_rows(x_.data(), arq.n_entradas, n_, xp_.data());
    h1_.assign(static_cast<size_t>(arq.n_oculta1) * n, 0.0f);
    h2_.assign(static_cast<size_t>(arq.n_oculta2) * n, 0.0f);
    y_.assign(arq.camada_linear ? static_cast<size_t>(arq.n_saidas) * n : 0, 0.0f);
    h1p_.assign((static_cast<size_t>(arq.n_oculta1) + 1) * n, 0.0f);
    h2p_.assign(arq.camada_linear ? (static_cast<size_t>(arq.n_oculta2) + 1) * n : 0, 0.0f);
    d1_.assign(h1_.size(), 0.0f);
    d2_.assign(h2_.size(), 0.0f);
    d3_.assign(y_.size(), 0.0f);
}

void PassoConjunto::forward(const float* w1, const float* w2, const float* w3) {
    forward_layer(w1, arq_.n_oculta1, x_.data(), arq_.n_entradas, n_, h1_.data(), true);
    forward_layer(w2, arq_.n_oculta2, h1_.data(), arq_.n_oculta1, n_, h2_.data(), true);
    if (arq_.camada_linear)
        forward_layer(w3, arq_.n_saidas, h2_.data(), arq_.n_oculta2, n_, y_.data(), false);
}

float PassoConjunto::erro_conjunto(const float* w1, const float* w2, const float* w3) {
    forward(w1, w2, w3);
    const float* y = arq_.camada_linear ? y_.data() : h2_.data();
    const size_t n = static_cast<size_t>(n_);
    float total = 0.0f;
    for (size_t p = 0; p < n; ++p) {
        for (size_t j = 0; j < static_cast<size_t>(arq_.n_saidas); ++j) {
            const double diff =
                static_cast<double>(t_[j * n + p]) - static_cast<double>(y[j * n + p]);
            total = static_cast<float>(diff * diff + static_cast<double>(total));
        }
    }
    return total;
}

float PassoConjunto::gradiente(const float* w1, const float* w2, const float* w3, float* v1,
                               float* v2, float* v3) {
    forward(w1, w2, w3);
    const size_t n = static_cast<size_t>(n_);
    const size_t outputs = static_cast<size_t>(arq_.n_saidas) * n;
    if (arq_.camada_linear) {
        for (size_t k = 0; k < outputs; ++k)
            d3_[k] = static_cast<float>(static_cast<double>(t_[k]) - static_cast<double>(y_[k]));
        back_layer(w3, arq_.n_saidas, d3_.data(), arq_.n_oculta2, n_, h2_.data(), d2_.data());
    } else {
        for (size_t k = 0; k < outputs; ++k) {
            const double s = h2_[k];
            d2_[k] = static_cast<float>((static_cast<double>(t_[k]) - s) * s * (1.0 - s));
        }
    }
    back_layer(w2, arq_.n_oculta2, d2_.data(), arq_.n_oculta1, n_, h1_.data(), d1_.data());

    accumulate(d1_.data(), arq_.n_oculta1, xp_.data(), arq_.n_entradas, n_, v1);
    pattern_rows(h1_.data(), arq_.n_oculta1, n_, h1p_.data());
    accumulate(d2_.data(), arq_.n_oculta2, h1p_.data(), arq_.n_oculta1, n_, v2);
    if (arq_.camada_linear) {
        pattern_rows(h2_.data(), arq_.n_oculta2, n_, h2p_.data());
        accumulate(d3_.data(), arq_.n_saidas, h2p_.data(), arq_.n_oculta2, n_, v3);
    }

    const float* y = arq_.camada_linear ? y_.data() : h2_.data();
    float total = 0.0f;
    for (size_t p = 0; p < n; ++p) {
        float e = 0.0f;
        for (size_t j = 0; j < static_cast<size_t>(arq_.n_saidas); ++j) {
            const double diff =
                static_cast<double>(t_[j * n + p]) - static_cast<double>(y[j * n + p]);
            e = static_cast<float>(diff * diff + static_cast<double>(e));
        }
        total = static_cast<float>(static_cast<double>(e) + static_cast<double>(total));
    }
    return total;
}

} // namespace corvane
