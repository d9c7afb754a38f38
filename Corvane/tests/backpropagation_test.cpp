// The weight step of backpropagation and its undo.
#include "engine/backpropagation.h"
#include "engine/random.h"
#include "test_networks.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct Net {
    Rede rede;
    Matriz in, out;
    Backpropagation bp;

    Net() {
        rede.dimensiona(test::shape(2, 4, 3, 2, true));
        Rnd rnd;
        for (auto* w : {&rede.W1, &rede.W2, &rede.W3})
            for (float& v : *w)
                v = static_cast<float>(rnd() - 0.5);
        in.dimensiona(2, 6);
        out.dimensiona(2, 6);
        for (int p = 0; p < 6; ++p) {
            in(0, p) = static_cast<float>(p) / 6;
            in(1, p) = 1 - static_cast<float>(p) / 6;
            out(0, p) = in(0, p) * in(1, p);
            out(1, p) = in(0, p) + in(1, p);
        }
        bp.inicia(rede.arq);
    }
    float batch() {
        bp.limpa_variacoes();
        float e = 0;
        for (int p = 0; p < in.n_padroes; ++p) {
            rede.calculo_saidas(in, p);
            bp.calculo_dos_deltas(rede, out, p);
            bp.calculo_variacao_pesos(rede, in, p);
            e = static_cast<float>(static_cast<double>(rede.erro_padrao(out, p)) + e);
        }
        return e;
    }
};

TEST(Backpropagation, SmallStepsLowerTheError) {
    Net n;
    n.bp.lr = 0.05f;
    n.bp.mc = 0.0f;
    float e = n.batch();
    for (int i = 0; i < 20; ++i) {
        n.bp.actualiza_pesos(n.rede);
        const float next = n.batch();
        EXPECT_LT(next, e) << i;
        e = next;
    }
}

TEST(Backpropagation, MomentumMixesTheLastChangeAndUndoRemovesIt) {
    Net n;
    n.bp.lr = 0.1f;
    n.bp.mc = 0.0f;
    n.batch();
    n.bp.actualiza_pesos(n.rede);
    const std::vector<float> first = n.bp.dW1;
    for (std::size_t k = 0; k < first.size(); ++k)
        EXPECT_EQ(first[k], static_cast<float>(0.1f * static_cast<double>(n.bp.variacao1[k])));

    const std::vector<float> before = n.rede.todos_pesos();
    n.bp.mc = 0.5f;
    n.bp.actualiza_pesos(n.rede); // same variations: dW = 0.5 x 0.1 x v + 0.5 x dW
    for (std::size_t k = 0; k < first.size(); ++k)
        EXPECT_EQ(n.bp.dW1[k], static_cast<float>((1.0 - 0.5) * 0.1f * n.bp.variacao1[k] +
                                                  static_cast<double>(first[k]) * 0.5));
    n.bp.regresso_pesos_anteriores(n.rede);
    const std::vector<float> after = n.rede.todos_pesos();
    for (std::size_t k = 0; k < before.size(); ++k)
        EXPECT_NEAR(after[k], before[k], 1e-6);
}

TEST(Backpropagation, WithoutTheLinearLayerLayerThreeIsNeverUsed) {
    Backpropagation bp;
    bp.inicia(test::shape(2, 2, 0, 1, false));
    EXPECT_TRUE(bp.dW3.empty());
    EXPECT_TRUE(bp.variacao3.empty());
    EXPECT_TRUE(bp.delta3.empty());
}

} // namespace
} // namespace corvane
