#include "genetic.h"

#include "set_pass.h"
#include "weights_file.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {
using std::size_t;
constexpr float maior_erro = 3.402823E+38f;

int draw_index(double rnd, int n) { // Int(n x Rnd + 1), from 1 to n
    return static_cast<int>(std::floor(static_cast<double>(n) * rnd + 1.0));
}
} // namespace

void Genetico::dimensiona(const arquitectura_rede& a, int populacao_inicial) {
    arq = a;
    P = populacao_inicial;
    populacao.assign(2 * static_cast<size_t>(P + 2) * static_cast<size_t>(a.n_pesos), 0.0f);
    erro_individuo.assign(static_cast<size_t>(P) + 1, 0.0f);
    ordem_individuo.assign(static_cast<size_t>(P) + 1, 0.0f);
    roleta.clear();
    melhor_individuo = 1;
    melhor_genes.assign(static_cast<size_t>(a.n_pesos), 0.0f);
}

float* Genetico::genes(int buffer, int individuo) {
    return populacao.data() + (static_cast<size_t>(buffer) * static_cast<size_t>(P + 2) +
                               static_cast<size_t>(individuo)) *
                                  static_cast<size_t>(arq.n_pesos);
}

const float* Genetico::genes(int buffer, int individuo) const {
    return const_cast<Genetico*>(this)->genes(buffer, individuo);
}

int Genetico::fim(int m) const {
    if (m <= 0) return 0;
    if (m <= arq.n_oculta1) return (arq.n_entradas + 1) * m;
    if (m <= arq.n_oculta1 + arq.n_oculta2)
        return arq.n_pesos1 + (arq.n_oculta1 + 1) * (m - arq.n_oculta1);
    return arq.n_pesos1 + arq.n_pesos2 + (arq.n_oculta2 + 1) * (m - arq.n_oculta1 - arq.n_oculta2);
}

void Genetico::populacao_aleatoria(Rnd& rnd) {
    for (int c = 1; c <= P; ++c) {
        float* g = genes(0, c);
        for (int k = 0; k < arq.n_pesos; ++k)
            g[k] = desvio_aleatorio(static_cast<float>(2.0 * rnd() - 1.0), 2.0f);
    }
}

float Genetico::avalia_populacao(PassoConjunto& passo) {
    float best = 0.0f;
    for (int c = 1; c <= P; ++c) {
        const float* g = genes(0, c);
        const float e = passo.erro_conjunto(g, g + arq.n_pesos1, g + arq.n_pesos1 + arq.n_pesos2);
        erro_individuo[static_cast<size_t>(c)] = e;
        if (c == 1 || e < best) {
            best = e;
            melhor_individuo = c;
        }
    }
    std::copy_n(genes(0, melhor_individuo), arq.n_pesos, melhor_genes.begin());
    return best;
}

void Genetico::ordena_populacao() {
    // Ranks P (best) down to 1 in the order of repeated scans for the smallest error below
    // `maior_erro` (ties to the lower number), then the individuals whose errors no scan picks
    // (at or above it, or not a number) in number order; -1 marks an error already consumed.
    // One sort gives that order at once instead of one scan per rank.
    ordem_.clear();
    for (int c = 1; c <= P; ++c)
        if (erro_individuo[static_cast<size_t>(c)] != -1.0f) ordem_.push_back(c);
    auto scanned = [&](int c) { return erro_individuo[static_cast<size_t>(c)] < maior_erro; };
    const auto rest = std::stable_partition(ordem_.begin(), ordem_.end(), scanned);
    std::stable_sort(ordem_.begin(), rest, [&](int a, int b) {
        return erro_individuo[static_cast<size_t>(a)] < erro_individuo[static_cast<size_t>(b)];
    });
    int r = P;
    for (int c : ordem_) {
        ordem_individuo[static_cast<size_t>(c)] = static_cast<float>(r--);
        erro_individuo[static_cast<size_t>(c)] = -1.0f;
    }
    // Scans that found nobody left mark place 0.
    for (; r >= 1; --r) {
        ordem_individuo[0] = static_cast<float>(r);
        erro_individuo[0] = -1.0f;
    }
}

int Genetico::soma_ordens() const {
    std::int32_t s = 0;
    for (int c = 1; c <= P; ++c)
        s += c;
    return static_cast<std::int16_t>(s);
}

void Genetico::constroi_roleta(int S) {
    roleta.assign(static_cast<size_t>(S) + 1, 0);
    size_t k = 1;
    for (int c = 1; c <= P; ++c)
        for (int n = 0; n < static_cast<int>(ordem_individuo[static_cast<size_t>(c)]); ++n)
            if (k < roleta.size()) roleta[k++] = static_cast<std::int16_t>(c);
}

int Genetico::escolhe_progenitor(Rnd& rnd) const {
    const int S = static_cast<int>(roleta.size()) - 1;
    return roleta[static_cast<size_t>(std::clamp(draw_index(rnd(), S), 1, S))];
}

bool Genetico::decide_cruzamento(Rnd& rnd) const {
    return static_cast<float>(rnd()) <= taxa_cruzamento;
}

bool Genetico::decide_mutacao(Rnd& rnd) const {
    return static_cast<float>(rnd()) <= taxa_mutacao;
}

void Genetico::exchange(int c1, int c2, int from, int to) {
    float* a = genes(1, c1);
    float* b = genes(1, c2);
    for (int g = from; g <= to; ++g)
        std::swap(a[g - 1], b[g - 1]);
}

void Genetico::cruzamento(int c1, int c2, Rnd& rnd) {
    const int n = arq.n_pesos;
    const int neurons = arq.n_neuronios;
    auto two_cuts = [&](int a, int b) {
        if (a > b) {
            exchange(c1, c2, 1, b);
            exchange(c1, c2, a + 1, n);
        } else {
            exchange(c1, c2, a + 1, b);
        }
    };
    switch (tipo_cruzamento) {
    case 1:
        exchange(c1, c2, draw_index(rnd(), n) + 1, n);
        break;
    case 2: {
        const int a = draw_index(rnd(), n);
        int b = draw_index(rnd(), n);
        while (b == a)
            b = draw_index(rnd(), n);
        two_cuts(a, b);
        break;
    }
    case 3: {
        bool flag = false;
        for (int g = 1; g <= n; ++g) {
            if (static_cast<float>(rnd()) >= 0.5f) flag = !flag;
            if (flag) exchange(c1, c2, g, g);
        }
        break;
    }
    case 4:
        exchange(c1, c2, fim(draw_index(rnd(), neurons)) + 1, n);
        break;
    case 5: {
        const int ma = draw_index(rnd(), neurons);
        int mb = draw_index(rnd(), neurons);
        while (mb == ma)
            mb = draw_index(rnd(), neurons);
        two_cuts(fim(ma), fim(mb));
        break;
    }
    case 6: {
        bool flag = false;
        for (int m = 1; m <= neurons; ++m) {
            if (static_cast<float>(rnd()) >= 0.5f) flag = !flag;
            if (flag) exchange(c1, c2, fim(m - 1) + 1, fim(m));
        }
        break;
    }
    default:
        break;
    }
}

void Genetico::mutacao(int c1, int c2, Rnd& rnd) {
    float* a = genes(1, c1);
    float* b = genes(1, c2);
    for (int g = 0; g < arq.n_pesos; ++g) {
        for (float* child : {a, b}) {
            if (decide_mutacao(rnd)) {
                const float u = static_cast<float>(2.0 * rnd() - 1.0);
                child[g] = static_cast<float>(static_cast<double>(desvio_aleatorio(u, 1.0f)) +
                                              static_cast<double>(child[g]));
            }
        }
    }
}

void Genetico::copy_individual(int from_buffer, int from, int to_buffer, int to) {
    std::copy_n(genes(from_buffer, from), arq.n_pesos, genes(to_buffer, to));
}

void Genetico::nova_geracao(Rnd& rnd) {
    ordena_populacao();
    constroi_roleta(soma_ordens());
    int c = 1;
    if (elitismo) {
        copy_individual(0, melhor_individuo, 1, 1);
        c = 2;
    }
    while (c <= P) {
        const int a = escolhe_progenitor(rnd);
        int b = escolhe_progenitor(rnd);
        while (b == a)
            b = escolhe_progenitor(rnd);
        copy_individual(0, a, 1, c);
        copy_individual(0, b, 1, c + 1);
        if (decide_cruzamento(rnd)) cruzamento(c, c + 1, rnd);
        mutacao(c, c + 1, rnd);
        c += 2;
    }
    substitui_geracao();
}

void Genetico::substitui_geracao() {
    std::copy_n(genes(1, 1), static_cast<size_t>(P) * static_cast<size_t>(arq.n_pesos),
                genes(0, 1));
}

void Genetico::melhor_para_pesos(Rede& rede) const {
    rede.define_pesos(melhor_genes.data());
}

} // namespace corvane
