// Genetic algorithm: ranking, roulette, crossovers, mutation and elitism.
#include "engine/genetic.h"
#include "engine/set_pass.h"
#include "test_networks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

namespace corvane {
namespace {

using test::shape;

TEST(Genetic, RanksBestHighestAndTiesToTheLowerNumber) {
    Genetico ga;
    ga.dimensiona(shape(2, 2, 0, 1, false), 5);
    ga.erro_individuo = {0, 0.5f, 0.1f, 0.5f, 2.0f, 0.1f};
    ga.ordena_populacao();
    EXPECT_EQ(ga.ordem_individuo, (std::vector<float>{0, 3, 5, 2, 1, 4}));
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(ga.erro_individuo[static_cast<std::size_t>(c)], -1.0f); // consumed
}

// The ranking as the scans define it: P times, the smallest error left below the largest
// float's start value (ties to the lower number), else the first one left.
std::vector<float> ranks_by_scans(std::vector<float> errors, int P) {
    std::vector<float> ranks(errors.size(), 0.0f);
    for (int r = P; r >= 1; --r) {
        float smallest = 3.402823E+38f;
        int chosen = 0;
        for (int c = 1; c <= P; ++c)
            if (errors[c] != -1.0f && errors[c] < smallest) {
                smallest = errors[c];
                chosen = c;
            }
        if (chosen == 0)
            for (int c = 1; c <= P && chosen == 0; ++c)
                if (errors[c] != -1.0f) chosen = c;
        ranks[chosen] = static_cast<float>(r);
        errors[chosen] = -1.0f;
    }
    return ranks;
}

TEST(Genetic, RanksAsRepeatedScansWouldWhateverTheErrors) {
    // Ties, errors at and beyond the scans' start value, infinities, not-a-number, negative
    // zero, errors already consumed.
    const float odd[] = {0.0f,
                         -0.0f,
                         0.5f,
                         3.402823E+38f,
                         std::numeric_limits<float>::max(),
                         std::numeric_limits<float>::infinity(),
                         std::numeric_limits<float>::quiet_NaN(),
                         -1.0f,
                         1e-30f};
    Rnd rnd;
    for (int trial = 0; trial < 400; ++trial) {
        const int P = 2 + trial % 40;
        Genetico ga;
        ga.dimensiona(shape(2, 2, 0, 1, false), P);
        for (int c = 1; c <= P; ++c)
            ga.erro_individuo[static_cast<std::size_t>(c)] =
                rnd() < 0.3 ? odd[static_cast<int>(rnd() * 9)] : static_cast<float>(rnd() * 4);
        const std::vector<float> expected = ranks_by_scans(ga.erro_individuo, P);
        ga.ordena_populacao();
        ASSERT_EQ(ga.ordem_individuo, expected) << "trial " << trial;
        for (int c = 1; c <= P; ++c)
            ASSERT_EQ(ga.erro_individuo[static_cast<std::size_t>(c)], -1.0f);
    }
}

TEST(Genetic, RouletteForFourIndividuals) {
    Genetico ga;
    ga.dimensiona(shape(2, 2, 0, 1, false), 4);
    ga.ordem_individuo = {0, 1, 2, 3, 4};
    const int S = ga.soma_ordens();
    EXPECT_EQ(S, 10);
    ga.constroi_roleta(S);
    EXPECT_EQ(std::vector<std::int16_t>(ga.roleta.begin() + 1, ga.roleta.end()),
              (std::vector<std::int16_t>{1, 2, 2, 3, 3, 3, 4, 4, 4, 4}));
    Rnd rnd;
    int best = 0;
    for (int i = 0; i < 20000; ++i)
        best += ga.escolhe_progenitor(rnd) == 4;
    EXPECT_NEAR(best / 20000.0, 0.4, 0.02);
    ga.dimensiona(shape(2, 2, 0, 1, false), 255);
    EXPECT_EQ(ga.soma_ordens(), 32640);
}

TEST(Genetic, NeuronBoundaries) {
    Genetico ga;
    ga.dimensiona(shape(2, 3, 2, 2, true), 2); // W1 3x3, W2 2x4, W3 2x3
    EXPECT_EQ(ga.fim(0), 0);
    EXPECT_EQ(ga.fim(1), 3);
    EXPECT_EQ(ga.fim(3), 9);
    EXPECT_EQ(ga.fim(4), 13);
    EXPECT_EQ(ga.fim(5), 17);
    EXPECT_EQ(ga.fim(6), 20);
    EXPECT_EQ(ga.fim(ga.arq.n_neuronios), ga.arq.n_pesos);
}

// Children 1 and 2 of buffer 1 hold +g and -g; after a crossover each gene position tells
// whether it was exchanged.
std::vector<bool> exchanged_after(Genetico& ga, int kind, Rnd& rnd) {
    const int n = ga.arq.n_pesos;
    for (int g = 0; g < n; ++g) {
        ga.genes(1, 1)[g] = static_cast<float>(g + 1);
        ga.genes(1, 2)[g] = -static_cast<float>(g + 1);
    }
    ga.tipo_cruzamento = kind;
    ga.cruzamento(1, 2, rnd);
    std::vector<bool> swapped(static_cast<std::size_t>(n));
    for (int g = 0; g < n; ++g) {
        EXPECT_EQ(ga.genes(1, 1)[g], -ga.genes(1, 2)[g]);
        EXPECT_EQ(std::abs(ga.genes(1, 1)[g]), static_cast<float>(g + 1));
        swapped[static_cast<std::size_t>(g)] = ga.genes(1, 1)[g] < 0;
    }
    return swapped;
}

int runs(const std::vector<bool>& swapped) { // number of exchanged runs
    int count = 0;
    for (std::size_t g = 0; g < swapped.size(); ++g)
        count += swapped[g] && (g == 0 || !swapped[g - 1]);
    return count;
}

TEST(Genetic, CrossoversExchangeTheirKindOfGeneSets) {
    Genetico ga;
    ga.dimensiona(shape(3, 4, 3, 2, true), 2);
    Rnd rnd;
    std::set<int> neuron_ends;
    for (int m = 0; m <= ga.arq.n_neuronios; ++m)
        neuron_ends.insert(ga.fim(m));
    for (int trial = 0; trial < 300; ++trial) {
        for (int kind = 1; kind <= 6; ++kind) {
            std::vector<bool> s = exchanged_after(ga, kind, rnd);
            const bool nn = kind >= 4;
            if (kind == 1 || kind == 4) { // a tail, possibly empty
                EXPECT_TRUE(std::is_partitioned(s.begin(), s.end(), [](bool b) { return !b; }));
            }
            if (kind == 2 || kind == 5) { // one inner run, or a head and a tail
                EXPECT_LE(runs(s), 2);
                if (runs(s) == 2) {
                    EXPECT_TRUE(s.front() && s.back());
                }
                EXPECT_TRUE(std::count(s.begin(), s.end(), true) > 0);
            }
            if (!nn) continue;
            // The NN kinds never split a neuron's bias from its input weights.
            for (std::size_t g = 1; g < s.size(); ++g) {
                if (s[g] != s[g - 1]) {
                    EXPECT_TRUE(neuron_ends.count(static_cast<int>(g))) << kind << " " << g;
                }
            }
        }
    }
    // Any other kind leaves the children alone.
    std::vector<bool> none = exchanged_after(ga, 0, rnd);
    EXPECT_EQ(std::count(none.begin(), none.end(), true), 0);
}

// The genes each kind of crossover exchanges, worked out from the draws it will take: `draws`
// is a generator in the same state as the one handed to the crossover. Genes are numbered from
// 1; cut points are Int(count x Rnd + 1).
std::vector<bool> expected_exchange(const Genetico& ga, int kind, Rnd& draws) {
    const int n = ga.arq.n_pesos;
    const int neurons = ga.arq.n_neuronios;
    std::vector<bool> s(static_cast<std::size_t>(n), false);
    auto mark = [&](int from, int to) { // genes from..to, inclusive
        for (int g = from; g <= to; ++g)
            s[static_cast<std::size_t>(g - 1)] = true;
    };
    auto cut = [&](int count) { return static_cast<int>(std::floor(count * draws() + 1)); };
    auto two_cuts = [&](int a, int b) {
        if (a > b) {
            mark(1, b);
            mark(a + 1, n);
        } else {
            mark(a + 1, b);
        }
    };
    auto flips = [&] { return static_cast<float>(draws()) >= 0.5f; };
    switch (kind) {
    case 1:
        mark(cut(n) + 1, n);
        break;
    case 2: {
        const int a = cut(n);
        int b = cut(n);
        while (b == a)
            b = cut(n);
        two_cuts(a, b);
        break;
    }
    case 3: {
        bool flag = false;
        for (int g = 1; g <= n; ++g) {
            if (flips()) flag = !flag;
            if (flag) mark(g, g);
        }
        break;
    }
    case 4:
        mark(ga.fim(cut(neurons)) + 1, n);
        break;
    case 5: {
        const int ma = cut(neurons);
        int mb = cut(neurons);
        while (mb == ma)
            mb = cut(neurons);
        two_cuts(ga.fim(ma), ga.fim(mb));
        break;
    }
    case 6: {
        bool flag = false;
        for (int m = 1; m <= neurons; ++m) {
            if (flips()) flag = !flag;
            if (flag) mark(ga.fim(m - 1) + 1, ga.fim(m));
        }
        break;
    }
    default:
        break;
    }
    return s;
}

class CrossoverCuts : public ::testing::TestWithParam<int> {};

TEST_P(CrossoverCuts, FallExactlyWhereTheDrawsPutThem) {
    const int kind = GetParam();
    // Small networks, so that the first and the last cut points come up: 2-1-1 has 5 genes and
    // 2 neurons, 2-3-2-2 with the linear layer 23 genes and 7 neurons.
    for (const arquitectura_rede& a : {shape(2, 1, 0, 1, false), shape(2, 3, 2, 2, true)}) {
        Genetico ga;
        ga.dimensiona(a, 2);
        Rnd rnd;
        Rnd draws; // the same sequence
        std::set<int> first_swapped;
        bool unchanged = false;
        for (int trial = 0; trial < 400; ++trial) {
            const std::vector<bool> expected = expected_exchange(ga, kind, draws);
            const std::vector<bool> got = exchanged_after(ga, kind, rnd);
            ASSERT_EQ(got, expected) << "kind " << kind << ", trial " << trial;
            const auto first = std::find(got.begin(), got.end(), true);
            if (first == got.end())
                unchanged = true;
            else
                first_swapped.insert(static_cast<int>(first - got.begin()) + 1);
        }
        if (kind == 1) {
            // Cuts 1..n: gene 1 is never exchanged, gene 2 is for cut 1, none for cut n.
            EXPECT_EQ(*first_swapped.begin(), 2);
            EXPECT_EQ(*first_swapped.rbegin(), a.n_pesos);
            EXPECT_TRUE(unchanged);
        }
        if (kind == 4) {
            // The first neuron is always kept; the last neuron's cut keeps both children.
            EXPECT_EQ(*first_swapped.begin(), ga.fim(1) + 1);
            EXPECT_TRUE(unchanged);
        }
        if (kind == 2 || kind == 5) {
            EXPECT_FALSE(unchanged); // the two cuts always differ
        }
    }
}

std::string crossover_name(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"",           "OnePoint",    "TwoPoint", "Uniform",
                                        "NnOnePoint", "NnTwoPoints", "NnUniform"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Kinds, CrossoverCuts, ::testing::Range(1, 7), crossover_name);

TEST(Genetic, ElitismKeepsTheBestAndNoVariationCopiesParents) {
    const arquitectura_rede a = shape(2, 2, 0, 1, false);
    Matriz in, out;
    in.dimensiona(2, 4);
    out.dimensiona(1, 4);
    in.valores = {0, 0, 0, 1, 1, 0, 1, 1};
    out.valores = {0, 1, 1, 0};
    PassoConjunto passo;
    passo.prepara(a, in, out);

    Genetico ga;
    ga.dimensiona(a, 10);
    ga.elitismo = true;
    ga.tipo_cruzamento = 5;
    ga.taxa_mutacao = 0.0f;
    ga.taxa_cruzamento = 0.0f;
    Rnd rnd;
    ga.populacao_aleatoria(rnd);
    std::vector<std::vector<float>> parents;
    for (int c = 1; c <= 10; ++c)
        parents.emplace_back(ga.genes(0, c), ga.genes(0, c) + a.n_pesos);
    const float best = ga.avalia_populacao(passo);
    const std::vector<float> best_genes = ga.melhor_genes;
    ga.nova_geracao(rnd);
    EXPECT_EQ(std::vector<float>(ga.genes(0, 1), ga.genes(0, 1) + a.n_pesos), best_genes);
    for (int c = 2; c <= 10; ++c) {
        std::vector<float> child(ga.genes(0, c), ga.genes(0, c) + a.n_pesos);
        EXPECT_NE(std::find(parents.begin(), parents.end(), child), parents.end()) << c;
    }
    // The best error can only stay or improve with elitism.
    EXPECT_LE(ga.avalia_populacao(passo), best);
}

TEST(Genetic, MutationAddsDeviatesAtItsRate) {
    Genetico ga;
    ga.dimensiona(shape(10, 30, 20, 3, true), 2);
    ga.taxa_mutacao = 0.25f;
    Rnd rnd;
    int changed = 0;
    for (int g = 0; g < ga.arq.n_pesos; ++g)
        ga.genes(1, 1)[g] = ga.genes(1, 2)[g] = 0.0f;
    ga.mutacao(1, 2, rnd);
    for (int c = 1; c <= 2; ++c)
        for (int g = 0; g < ga.arq.n_pesos; ++g)
            changed += ga.genes(1, c)[g] != 0.0f;
    EXPECT_NEAR(changed / (2.0 * ga.arq.n_pesos), 0.25, 0.03);
}

} // namespace
} // namespace corvane
