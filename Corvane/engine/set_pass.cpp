#include "set_pass.h"

#include <algorithm>
#include <cstddef>

namespace corvane {

namespace {
using std::size_t;

// Patterns per tile: enough to keep the accumulators' loads and stores rare, few enough for
// every tile of a large network to stay in the processor's nearest caches.
constexpr int padroes_por_bloco = 64;

int round_up(int n, int multiple) {
    return (n + multiple - 1) / multiple * multiple;
}
} // namespace

void PassoConjunto::prepara(const arquitectura_rede& arq, const Matriz& entradas,
                            const Matriz& saidas) {
    arq_ = arq;
    espaco_ = EspacoPasso{};
    espaco_.n_entradas = arq.n_entradas;
    espaco_.n_oculta1 = arq.n_oculta1;
    espaco_.n_oculta2 = arq.n_oculta2;
    espaco_.n_saidas = arq.n_saidas;
    espaco_.camada_linear = arq.camada_linear;
    espaco_.pesos = arq.n_pesos;
    espaco_.entradas = entradas.valores.data();
    espaco_.saidas = saidas.valores.data();
    espaco_.n_padroes = std::min(entradas.n_padroes, saidas.n_padroes);
    largura_ = 0;
    memoria_.clear();
}

void PassoConjunto::dimensiona(int largura) {
    if (largura == largura_) return;
    largura_ = largura;
    EspacoPasso& s = espaco_;
    s.bloco = padroes_por_bloco;
    s.ld = round_up(std::max(1, std::min(s.bloco, s.n_padroes)), largura);
    s.jp1 = round_up(s.n_oculta1, 8);
    s.jp2 = round_up(s.n_oculta2, 8);
    s.jp3 = round_up(s.n_saidas, 8);
    const size_t ld = static_cast<size_t>(s.ld);
    const size_t ne = static_cast<size_t>(s.n_entradas), h1 = static_cast<size_t>(s.n_oculta1),
                 h2 = static_cast<size_t>(s.n_oculta2), no = static_cast<size_t>(s.n_saidas);
    const size_t bloco = static_cast<size_t>(s.bloco);
    const size_t lin = s.camada_linear ? 1 : 0;
    // One block of memory, carved up in this order.
    const size_t sizes[] = {
        (ne + 1) * ld,                               // x
        (h1 + 1) * ld,                               // h1
        (h2 + 1) * ld,                               // h2
        no * ld,                                     // y
        no * ld,                                     // t
        ld,                                          // e
        std::max(h1, no) * ld,                       // d1 (also the squares of erro_conjunto)
        h2 * ld,                                     // d2
        no * ld,                                     // d3
        (ne + 1) * h1,                               // w1
        (h1 + 1) * h2,                               // w2
        lin * (h2 + 1) * no,                         // w3
        h1 * h2,                                     // w2t
        lin * h2 * no,                               // w3t
        bloco * static_cast<size_t>(s.jp1),          // dt1
        bloco * static_cast<size_t>(s.jp2),          // dt2
        lin * bloco * static_cast<size_t>(s.jp3),    // dt3
        (ne + 1) * static_cast<size_t>(s.jp1),       // a1
        (h1 + 1) * static_cast<size_t>(s.jp2),       // a2
        lin * (h2 + 1) * static_cast<size_t>(s.jp3), // a3
    };
    size_t total = 0;
    for (size_t n : sizes)
        total += n;
    memoria_.assign(total, 0.0);
    double* next = memoria_.data();
    double** parts[] = {&s.x,  &s.h1, &s.h2,  &s.y,   &s.t,   &s.e,   &s.d1,  &s.d2, &s.d3, &s.w1,
                        &s.w2, &s.w3, &s.w2t, &s.w3t, &s.dt1, &s.dt2, &s.dt3, &s.a1, &s.a2, &s.a3};
    for (size_t k = 0; k < std::size(sizes); ++k) {
        *parts[k] = next;
        next += sizes[k];
    }
    // The bias input of every layer: row 0 of its input tile, all ones.
    std::fill_n(s.x, ld, 1.0);
    std::fill_n(s.h1, ld, 1.0);
    std::fill_n(s.h2, ld, 1.0);
    // A set of one tile is staged here once instead of at every pass: the inputs and targets
    // pattern by pattern into rows, the lanes beyond the set left zero.
    s.posto = s.n_padroes <= s.bloco;
    if (!s.posto) return;
    for (int p = 0; p < s.n_padroes; ++p) {
        const size_t col = static_cast<size_t>(p);
        for (size_t i = 0; i < ne; ++i)
            s.x[(i + 1) * ld + col] = static_cast<double>(s.entradas[col * ne + i]);
        for (size_t j = 0; j < no; ++j)
            s.t[j * ld + col] = static_cast<double>(s.saidas[col * no + j]);
    }
}

float PassoConjunto::erro_conjunto(const float* w1, const float* w2, const float* w3) {
    const Nucleo& k = nucleo();
    dimensiona(k.largura);
    return k.erro(espaco_, w1, w2, w3);
}

float PassoConjunto::gradiente(const float* w1, const float* w2, const float* w3, float* v1,
                               float* v2, float* v3) {
    const Nucleo& k = nucleo();
    dimensiona(k.largura);
    return k.gradiente(espaco_, w1, w2, w3, v1, v2, v3);
}

} // namespace corvane
