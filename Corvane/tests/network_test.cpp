// The network: sizes, transfer function, forward pass, set error, and the set passes that
// must give exactly the numbers of the pattern-by-pattern procedures.
#include "engine/backpropagation.h"
#include "engine/network.h"
#include "engine/pass_kernels.h"
#include "engine/random.h"
#include "engine/set_pass.h"
#include "test_networks.h"

#include "case_name.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

namespace corvane {
namespace {

definicoes_projecto architecture(const std::string& inputs_last, const std::string& outputs_last,
                                 const std::string& h1, const std::string& h2, bool linear) {
    return test::settings_for(inputs_last, outputs_last, h1, h2, linear);
}

TEST(Architecture, CountsOfTheLayers) {
    std::string error;
    auto a = calcula_arquitectura(architecture("2", "1", "3", "", false), error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->n_pesos1, 9);
    EXPECT_EQ(a->n_pesos2, 4);
    EXPECT_EQ(a->n_pesos3, 0);
    EXPECT_EQ(a->n_pesos, 13);
    EXPECT_EQ(a->n_neuronios, 4);

    // Without the linear layer the second layer is the output layer whatever slot 15 holds.
    a = calcula_arquitectura(architecture("2", "2", "3", "7", false), error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->n_oculta2, 2);
    EXPECT_EQ(a->n_pesos3, 0);

    // 10 inputs, 30 and 20 hidden, 3 linear outputs; halves of counts go to even.
    a = calcula_arquitectura(architecture("10", "3", "30.5", "19.5", true), error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->n_oculta1, 30);
    EXPECT_EQ(a->n_oculta2, 20);
    EXPECT_EQ(a->n_pesos, 11 * 30 + 31 * 20 + 21 * 3);
    EXPECT_EQ(a->n_neuronios, 53);
}

TEST(Architecture, CountsBeyond16BitsAreRefusedWithAMessage) {
    const std::string too_large = "The network architecture is too large: its weight and neuron "
                                  "counts must not exceed 32767.";
    std::string error;
    EXPECT_FALSE(calcula_arquitectura(architecture("200", "1", "200", "", false), error));
    EXPECT_EQ(error, too_large);
    error.clear();
    EXPECT_FALSE(calcula_arquitectura(architecture("2", "1", "1e9", "", false), error));
    EXPECT_EQ(error, too_large);
    error.clear();
    EXPECT_FALSE(calcula_arquitectura(architecture("2", "1", "3", "40000", true), error));
    EXPECT_EQ(error, too_large);
    // 1 input and 1 output: 3 h + 1 weights, so 10922 hidden neurons fit and 10923 do not.
    EXPECT_TRUE(calcula_arquitectura(architecture("1", "1", "10922", "", false), error));
    EXPECT_FALSE(calcula_arquitectura(architecture("1", "1", "10923", "", false), error));
    // Counts whose products leave 64 bits (a damaged project file) are refused the same way.
    error.clear();
    EXPECT_FALSE(calcula_arquitectura(architecture("1e14", "1", "1e14", "1e14", true), error));
    EXPECT_EQ(error, too_large);
    EXPECT_FALSE(calcula_arquitectura(architecture("2", "1", "-1e14", "", false), error));
}

TEST(Sigmoid, LimitsAndMiddle) {
    EXPECT_EQ(sigmoide(-20.5f), 0.0f);
    EXPECT_EQ(sigmoide(20.5f), 1.0f);
    EXPECT_EQ(sigmoide(0.0f), 0.5f);
    EXPECT_GT(sigmoide(-20.0f), 0.0f); // -20 and 20 take the formula
    EXPECT_EQ(sigmoide(-20.0f), static_cast<float>(1.0 / (std::pow(2.718282, 20.0) + 1.0)));
    EXPECT_EQ(sigmoide(1.0f), static_cast<float>(1.0 / (1.0 / 2.718282 + 1.0)));
}

TEST(Sigmoid, RowVersionGivesExactlyTheSameFloats) {
    std::vector<float> values;
    Rnd rnd;
    for (int i = 0; i < 400000; ++i)
        values.push_back(static_cast<float>(rnd() * 44.0 - 22.0));
    for (int i = 0; i < 100000; ++i) // near zero, where the results are dense
        values.push_back(static_cast<float>(rnd() * 0.02 - 0.01));
    for (float v : {-20.0f, 20.0f, 0.0f, -0.0f, std::nextafter(20.0f, 21.0f),
                    std::nextafter(-20.0f, -21.0f), 1e-30f, -1e-30f, 1e30f, -1e30f})
        values.push_back(v);
    // Every float of a small interval.
    for (float v = 3.0f; v < 3.0001f; v = std::nextafter(v, 4.0f))
        values.push_back(v);
    std::vector<float> row = values;
    sigmoide_linha(row.data(), static_cast<int>(row.size()));
    std::size_t differences = 0;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (std::bit_cast<std::uint32_t>(row[i]) !=
            std::bit_cast<std::uint32_t>(sigmoide(values[i])))
            ++differences;
    EXPECT_EQ(differences, 0u);

    // The same values through the sigmoid of every vector kernel the processor runs.
    values.resize(values.size() / 8 * 8);
    for (NucleoVectorial n : nucleos_disponiveis()) {
        ScopedNucleo use(n);
        std::vector<double> held(values.begin(), values.end());
        nucleo().sigmoide(held.data(), static_cast<int>(held.size()));
        std::size_t wrong = 0;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (std::bit_cast<std::uint64_t>(held[i]) !=
                std::bit_cast<std::uint64_t>(static_cast<double>(sigmoide(values[i]))))
                ++wrong;
        EXPECT_EQ(wrong, 0u) << nome_nucleo(n);
    }
}

// A network of the given shape with random weights and a random data set.
struct Sample {
    Rede rede;
    Matriz entradas, saidas;
};

Sample sample(int inputs, int h1, int h2, int outputs, bool linear, int patterns, double scale) {
    Sample s;
    s.rede.dimensiona(test::shape(inputs, h1, h2, outputs, linear));
    Rnd rnd;
    for (auto* w : {&s.rede.W1, &s.rede.W2, &s.rede.W3})
        for (float& v : *w)
            v = static_cast<float>((rnd() - 0.5) * scale);
    s.entradas.dimensiona(inputs, patterns);
    s.saidas.dimensiona(outputs, patterns);
    for (float& v : s.entradas.valores)
        v = static_cast<float>(rnd() * 2 - 1);
    for (float& v : s.saidas.valores)
        v = static_cast<float>(rnd());
    return s;
}

TEST(ForwardPass, HandSetXorWeights) {
    Sample s = sample(2, 2, 0, 1, false, 4, 1.0);
    // Hidden 1: OR-like, hidden 2: AND-like, output: OR and not AND.
    s.rede.W1 = {-10, 20, 20, -30, 20, 20};
    s.rede.W2 = {-10, 20, -20};
    const float x[4][3] = {{0, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}};
    for (int p = 0; p < 4; ++p) {
        s.entradas(0, p) = x[p][0];
        s.entradas(1, p) = x[p][1];
        s.saidas(0, p) = x[p][2];
    }
    for (int p = 0; p < 4; ++p) {
        s.rede.calculo_saidas(s.entradas, p);
        EXPECT_NEAR(s.rede.saida_rede[0], x[p][2], 1e-4) << p;
        EXPECT_EQ(s.rede.saida1[0], sigmoide(-10.0f + 20.0f * x[p][0] + 20.0f * x[p][1]));
    }
    EXPECT_LT(s.rede.calculo_erro_conjunto(s.entradas, s.saidas), 1e-7f);
}

TEST(ForwardPass, LinearOutputIsBiasPlusWeightedSum) {
    Sample s = sample(1, 1, 2, 1, true, 1, 1.0);
    s.rede.W3 = {0.5f, 2.0f, -3.0f};
    s.rede.calculo_saidas(s.entradas, 0);
    const double expected = 0.5 + 2.0 * s.rede.saida2[0] - 3.0 * s.rede.saida2[1];
    EXPECT_NEAR(s.rede.saida_rede[0], expected, 1e-6);
}

TEST(SetError, IsThePlainSumOfSquaredMisses) {
    Sample s = sample(1, 1, 1, 1, true, 2, 1.0);
    s.rede.W3 = {0.5f, 0.0f}; // output 0.5 whatever the input
    s.saidas.valores = {0.0f, 1.0f};
    EXPECT_EQ(s.rede.calculo_erro_conjunto(s.entradas, s.saidas), 0.5f);
    s.rede.calculo_saidas(s.entradas, 1);
    EXPECT_EQ(s.rede.erro_padrao(s.saidas, 1), 0.25f);
}

struct Shape {
    int inputs, h1, h2, outputs;
    bool linear;
    int patterns;
    double scale;
};

void PrintTo(const Shape& c, std::ostream* os) {
    *os << c.inputs << "-" << c.h1 << "-" << c.h2 << "-" << c.outputs << "x" << c.patterns;
}

class SetPass : public ::testing::TestWithParam<Shape> {};

void check_set_pass(const Shape& sh);

// The set passes against the pattern-by-pattern procedures, bit for bit.
// Every vector kernel the processor runs, the portable one included, gives those same bits; the
// variations are added to what the accumulators already hold (here a previous pass's sums).
TEST_P(SetPass, MatchesThePatternByPatternProcedures) {
    for (NucleoVectorial n : nucleos_disponiveis()) {
        SCOPED_TRACE(nome_nucleo(n));
        ScopedNucleo use(n);
        check_set_pass(GetParam());
    }
}

void check_set_pass(Sample& s, const Shape& sh);

void check_set_pass(const Shape& sh) {
    Sample s = sample(sh.inputs, sh.h1, sh.h2, sh.outputs, sh.linear, sh.patterns, sh.scale);
    check_set_pass(s, sh);
}

void check_set_pass(Sample& s, const Shape& sh) {
    PassoConjunto passo;
    passo.prepara(s.rede.arq, s.entradas, s.saidas);

    const float fast_error =
        passo.erro_conjunto(s.rede.W1.data(), s.rede.W2.data(), s.rede.W3.data());
    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast_error),
              std::bit_cast<std::uint32_t>(s.rede.calculo_erro_conjunto(s.entradas, s.saidas)));

    Backpropagation reference;
    reference.inicia(s.rede.arq);
    float reference_error = 0.0f;
    for (int pass = 0; pass < 2; ++pass)
        for (int p = 0; p < sh.patterns; ++p) {
            s.rede.calculo_saidas(s.entradas, p);
            reference.calculo_dos_deltas(s.rede, s.saidas, p);
            reference.calculo_variacao_pesos(s.rede, s.entradas, p);
        }
    for (int p = 0; p < sh.patterns; ++p) {
        s.rede.calculo_saidas(s.entradas, p);
        reference.calculo_dos_deltas(s.rede, s.saidas, p);
        reference.calculo_variacao_pesos(s.rede, s.entradas, p);
        reference_error = static_cast<float>(static_cast<double>(s.rede.erro_padrao(s.saidas, p)) +
                                             reference_error);
    }
    Backpropagation fast;
    fast.inicia(s.rede.arq);
    for (int pass = 0; pass < 2; ++pass)
        passo.gradiente(s.rede.W1.data(), s.rede.W2.data(), s.rede.W3.data(), fast.variacao1.data(),
                        fast.variacao2.data(), fast.variacao3.data());
    const float gradient_error =
        passo.gradiente(s.rede.W1.data(), s.rede.W2.data(), s.rede.W3.data(), fast.variacao1.data(),
                        fast.variacao2.data(), fast.variacao3.data());
    EXPECT_EQ(std::bit_cast<std::uint32_t>(gradient_error),
              std::bit_cast<std::uint32_t>(reference_error));
    auto same_bits = [](const std::vector<float>& a, const std::vector<float>& b) {
        return a.size() == b.size() &&
               (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
    };
    EXPECT_TRUE(same_bits(fast.variacao1, reference.variacao1));
    EXPECT_TRUE(same_bits(fast.variacao2, reference.variacao2));
    EXPECT_TRUE(same_bits(fast.variacao3, reference.variacao3));
}

// Is d x + v rounded to double and then to float (as the procedures do) other than it rounded
// once?
bool rounds_otherwise_twice(float d, float x, float v) {
    const float twice = static_cast<float>(static_cast<double>(d) * x + static_cast<double>(v));
    return twice != std::fma(d, x, v);
}

// An x in [1, 2) and a v for which it is: the product's bits below its top m + 1 read one and
// 29 zeros, or zero and 29 ones, with more bits below, and v's last bit lies just above them.
std::optional<std::pair<float, float>> halfway_sum(float d) {
    int exponent;
    const double fraction = std::frexp(std::fabs(static_cast<double>(d)), &exponent);
    const auto md = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    for (int m = 0; m <= 16; ++m)
        for (std::uint64_t t = 1ull << (45 - m); t < (1ull << 48); t += 1ull << (46 - m)) {
            const std::uint64_t first = (t + md - 1) / md;
            for (std::uint64_t c : {first - 1, first}) {
                if (c < (1u << 23) || c >= (1u << 24)) continue;
                const float x = std::ldexp(static_cast<float>(c), -23);
                const int top = std::ilogb(static_cast<double>(d) * x);
                for (int e = top - m + 22; e <= top - m + 24; ++e)
                    for (float mantissa : {1.0f, 1.0f + 0x1p-23f})
                        for (float sign : {1.0f, -1.0f}) {
                            const float v = sign * std::ldexp(mantissa, e);
                            if (rounds_otherwise_twice(d, x, v)) return std::make_pair(x, v);
                        }
            }
        }
    return std::nullopt;
}

// A first-layer variation whose sum in double lies exactly halfway between two floats while
// the exact sum does not: rounded once (as one float multiply-add would) it takes the other
// float. Every kernel must give the procedures' twice-rounded bits. The second input weighs
// nothing, so that its value for pattern 0 can be chosen without changing any delta.
TEST(SetPass, AVariationSumHalfwayBetweenTwoFloatsInDoubleRoundsAsTheProcedures) {
    for (int seed = 1; seed <= 40; ++seed) {
        Sample s = sample(2, 2, 0, 1, false, 4, 1.0 + seed / 8.0);
        s.rede.W1[2] = 0.0f;
        s.rede.W1[5] = 0.0f;
        Backpropagation reference;
        reference.inicia(s.rede.arq);
        s.rede.calculo_saidas(s.entradas, 0);
        reference.calculo_dos_deltas(s.rede, s.saidas, 0);
        for (int j = 0; j < 2; ++j) {
            const auto found = halfway_sum(reference.delta1[static_cast<std::size_t>(j)]);
            if (!found) continue;
            s.entradas(1, 0) = found->first;
            const std::size_t k = static_cast<std::size_t>(j) * 3 + 2;
            reference.limpa_variacoes();
            reference.variacao1[k] = found->second;
            for (int p = 0; p < 4; ++p) {
                s.rede.calculo_saidas(s.entradas, p);
                reference.calculo_dos_deltas(s.rede, s.saidas, p);
                reference.calculo_variacao_pesos(s.rede, s.entradas, p);
            }
            for (NucleoVectorial n : nucleos_disponiveis()) {
                SCOPED_TRACE(nome_nucleo(n));
                ScopedNucleo use(n);
                PassoConjunto passo;
                passo.prepara(s.rede.arq, s.entradas, s.saidas);
                Backpropagation fast;
                fast.inicia(s.rede.arq);
                fast.variacao1[k] = found->second;
                passo.gradiente(s.rede.W1.data(), s.rede.W2.data(), s.rede.W3.data(),
                                fast.variacao1.data(), fast.variacao2.data(),
                                fast.variacao3.data());
                for (std::size_t i = 0; i < fast.variacao1.size(); ++i)
                    EXPECT_EQ(std::bit_cast<std::uint32_t>(fast.variacao1[i]),
                              std::bit_cast<std::uint32_t>(reference.variacao1[i]))
                        << i;
                EXPECT_EQ(fast.variacao2, reference.variacao2);
            }
            return;
        }
    }
    FAIL() << "no sum halfway between two floats was found";
}

// The same for a first-layer sum, bias + input x weight: weight (1 + 2^-23) 2^-24 times input
// 1 - 2^-23 is 2^-24 - 2^-70, a hair below half the last place of a bias in [1, 2). Rounded to
// double the sum lies halfway and goes on to the even float; rounded once it stays at the bias.
// The bias is one whose two roundings give the neuron other outputs; the neuron's second input
// weighs nothing. The set error and the whole pass must be the procedures'.
TEST(SetPass, ALayerSumHalfwayBetweenTwoFloatsInDoubleRoundsAsTheProcedures) {
    const Shape shape{2, 2, 0, 1, false, 4, 1.0};
    Sample s = sample(2, 2, 0, 1, false, 4, 1.0);
    const float weight = 0x1.000002p-24f, input = 0x1.fffffcp-1f;
    float bias = 0.0f;
    for (int odd = 1; odd < 2001 && bias == 0.0f; odd += 2) {
        const float b = 1.0f + static_cast<float>(odd) * 0x1p-23f;
        ASSERT_TRUE(rounds_otherwise_twice(weight, input, b));
        const float twice =
            static_cast<float>(static_cast<double>(weight) * input + static_cast<double>(b));
        if (sigmoide(twice) != sigmoide(std::fma(weight, input, b))) bias = b;
    }
    ASSERT_NE(bias, 0.0f);
    s.rede.W1[0] = bias;
    s.rede.W1[1] = weight;
    s.rede.W1[2] = 0.0f;
    s.entradas(0, 0) = input;
    for (NucleoVectorial n : nucleos_disponiveis()) {
        SCOPED_TRACE(nome_nucleo(n));
        ScopedNucleo use(n);
        check_set_pass(s, shape);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SetPass,
    ::testing::Values(Shape{2, 2, 0, 1, false, 4, 1.0}, Shape{2, 2, 0, 1, false, 4, 30.0},
                      Shape{3, 5, 0, 2, false, 37, 4.0}, Shape{10, 30, 20, 3, true, 203, 1.0},
                      Shape{7, 9, 6, 5, true, 61, 30.0}, // saturated
                      Shape{1, 1, 1, 1, true, 1, 1.0},
                      // several tiles, the last one short
                      Shape{12, 17, 0, 10, false, 300, 2.0}, Shape{64, 41, 9, 3, true, 130, 0.5},
                      // sets of one vector: whole, part of one, saturated
                      Shape{2, 3, 0, 1, false, 2, 1.0}, Shape{3, 6, 0, 2, false, 3, 2.0},
                      Shape{5, 4, 3, 2, true, 7, 30.0}),
    [](const ::testing::TestParamInfo<Shape>& info) {
        const Shape& c = info.param;
        return "Layers" + std::to_string(c.inputs) + "_" + std::to_string(c.h1) + "_" +
               std::to_string(c.h2) + "_" + std::to_string(c.outputs) + "_Patterns" +
               std::to_string(c.patterns) + (c.scale >= 10 ? "_Saturated" : "");
    });

} // namespace
} // namespace corvane
