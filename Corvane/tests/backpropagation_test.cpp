// The weight step of backpropagation and its undo.
#include "engine/backpropagation.h"
#include "engine/random.h"
#include "test_networks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

// The batch variations are the error's slope: with E the sum over patterns and outputs of
// (t - y)^2, variation k = -1/2 dE/dw_k. A central difference of E around every weight, on
// both shapes of network, checks each delta, each layer's back-propagation and the weight each
// variation lands on.
class GradientCheck : public ::testing::TestWithParam<bool> {};

TEST_P(GradientCheck, VariationsAreMinusHalfTheErrorSlope) {
    const bool linear = GetParam();
    Rede rede;
    rede.dimensiona(test::shape(3, 4, 3, 2, linear));
    Rnd rnd;
    for (auto* w : {&rede.W1, &rede.W2, &rede.W3})
        for (float& v : *w)
            v = static_cast<float>(2.0 * rnd() - 1.0);
    Matriz in, out;
    in.dimensiona(3, 5);
    out.dimensiona(2, 5);
    for (float& v : in.valores)
        v = static_cast<float>(rnd());
    for (float& v : out.valores)
        v = static_cast<float>(rnd());
    Backpropagation bp;
    bp.inicia(rede.arq);
    for (int p = 0; p < in.n_padroes; ++p) {
        rede.calculo_saidas(in, p);
        bp.calculo_dos_deltas(rede, out, p);
        bp.calculo_variacao_pesos(rede, in, p);
    }
    const std::vector<float>* variations[] = {&bp.variacao1, &bp.variacao2, &bp.variacao3};
    std::vector<float>* weights[] = {&rede.W1, &rede.W2, &rede.W3};
    const float h = 1.0f / 64; // exact in a float, so w + h - h is w again
    int checked = 0;
    for (int layer = 0; layer < 3; ++layer) {
        ASSERT_EQ(variations[layer]->size(), weights[layer]->size());
        for (std::size_t k = 0; k < weights[layer]->size(); ++k) {
            float& w = (*weights[layer])[k];
            const float kept = w;
            w = kept + h;
            const double up = rede.calculo_erro_conjunto(in, out);
            w = kept - h;
            const double down = rede.calculo_erro_conjunto(in, out);
            w = kept;
            const double slope = (up - down) / (2.0 * h);
            const double v = (*variations[layer])[k];
            EXPECT_NEAR(v, -slope / 2, 2e-4 + 2e-3 * std::fabs(v))
                << "layer " << layer + 1 << ", weight " << k;
            ++checked;
        }
    }
    EXPECT_EQ(checked, rede.arq.n_pesos);
}

INSTANTIATE_TEST_SUITE_P(Shapes, GradientCheck, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "LinearOutputLayer"
                                                           : "SigmoidOutputLayer");
                         });

TEST(Backpropagation, WithoutTheLinearLayerLayerThreeIsNeverUsed) {
    Backpropagation bp;
    bp.inicia(test::shape(2, 2, 0, 1, false));
    EXPECT_TRUE(bp.dW3.empty());
    EXPECT_TRUE(bp.variacao3.empty());
    EXPECT_TRUE(bp.delta3.empty());
}

} // namespace
} // namespace corvane
