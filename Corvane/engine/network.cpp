#include "network.h"

#include "vector_clones.h"

#include "numtext/numtext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace corvane {

namespace {

constexpr const char* arquitectura_grande =
    "The network architecture is too large: its weight and neuron counts must not exceed 32767.";

std::optional<std::int64_t> count_of(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e15) return std::nullopt;
    // Any count beyond 16 bits is refused; held within 1e9, the products of two counts cannot
    // overflow 64 bits before they are checked.
    return static_cast<std::int64_t>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

// One layer: neurons of m inputs with the weights w (bias first), inputs x.
void layer(const float* w, int neurons, const float* x, int m, float* out, bool sigmoid) {
    for (int j = 0; j < neurons; ++j) {
        const float* wj = w + static_cast<std::size_t>(j) * static_cast<std::size_t>(m + 1);
        float s = wj[0];
        for (int i = 0; i < m; ++i)
            s = static_cast<float>(static_cast<double>(s) +
                                   static_cast<double>(x[i]) * static_cast<double>(wj[1 + i]));
        out[j] = sigmoid ? sigmoide(s) : s;
    }
}

} // namespace

std::optional<arquitectura_rede> calcula_arquitectura(const definicoes_projecto& d,
                                                      std::string& erro) {
    auto entradas = count_of(d.numero(slot::entrada_final) - d.numero(slot::entrada_inicial));
    auto saidas = count_of(d.numero(slot::saida_final) - d.numero(slot::saida_inicial));
    auto oculta1 = count_of(d.numero(slot::oculta1));
    auto oculta2 = d.camada_linear() ? count_of(d.numero(slot::oculta2)) : std::nullopt;
    if (!entradas || !saidas || !oculta1 || (d.camada_linear() && !oculta2)) {
        erro = arquitectura_grande;
        return std::nullopt;
    }
    const std::int64_t ne = *entradas + 1;
    const std::int64_t ns = *saidas + 1;
    const std::int64_t h1 = *oculta1;
    const std::int64_t h2 = d.camada_linear() ? *oculta2 : ns;
    if (ne < 1 || ns < 1) {
        erro = msg::dados_invalidos;
        return std::nullopt;
    }
    if (h1 < 1 || h2 < 1) {
        erro = msg::arquitectura_invalida;
        return std::nullopt;
    }
    const std::int64_t p1 = (ne + 1) * h1;
    const std::int64_t p2 = (h1 + 1) * h2;
    const std::int64_t p3 = d.camada_linear() ? (h2 + 1) * ns : 0;
    const std::int64_t neurons = d.camada_linear() ? h1 + h2 + ns : h1 + ns;
    for (std::int64_t v :
         {ne + 1, ns, h1 + 1, h2 + 1, p1, p2, p3, p1 + p2, p1 + p2 + p3, neurons, h1 + h2}) {
        if (v > 32767) {
            erro = arquitectura_grande;
            return std::nullopt;
        }
    }
    arquitectura_rede a;
    a.n_entradas = static_cast<std::int16_t>(ne);
    a.n_saidas = static_cast<std::int16_t>(ns);
    a.camada_linear = d.camada_linear();
    a.n_oculta1 = static_cast<std::int16_t>(h1);
    a.n_oculta2 = static_cast<std::int16_t>(h2);
    a.n_pesos1 = static_cast<std::int16_t>(p1);
    a.n_pesos2 = static_cast<std::int16_t>(p2);
    a.n_pesos3 = static_cast<std::int16_t>(p3);
    a.n_pesos = static_cast<std::int16_t>(p1 + p2 + p3);
    a.n_neuronios = static_cast<std::int16_t>(neurons);
    return a;
}

float sigmoide(float x) {
    if (x < -20.0f) return 0.0f;
    if (x > 20.0f) return 1.0f;
    return static_cast<float>(1.0 / (std::pow(2.718282, -static_cast<double>(x)) + 1.0));
}

namespace {

// e^a for |a| <= 21: a = k ln 2 + r with |r| <= ln 2 / 2, e^r by its Taylor series to r^12
// (truncation below 2e-16), 2^k put into the exponent bits. Relative error a few 1e-16.
inline double exp_near(double a) {
    constexpr double log2e = 1.4426950408889634;
    constexpr double ln2_hi = 0.6931471803691238;     // ln 2 to 32 bits
    constexpr double ln2_lo = 1.9082149292705877e-10; // the rest
    constexpr double shifter = 6755399441055744.0;    // 1.5 x 2^52: rounds to an integer
    const double shifted = a * log2e + shifter;
    const double k = shifted - shifter;
    const double r = (a - k * ln2_hi) - k * ln2_lo;
    double p = 1.0 / 479001600.0;
    p = p * r + 1.0 / 39916800.0;
    p = p * r + 1.0 / 3628800.0;
    p = p * r + 1.0 / 362880.0;
    p = p * r + 1.0 / 40320.0;
    p = p * r + 1.0 / 5040.0;
    p = p * r + 1.0 / 720.0;
    p = p * r + 1.0 / 120.0;
    p = p * r + 1.0 / 24.0;
    p = p * r + 1.0 / 6.0;
    p = p * r + 0.5;
    p = p * r + 1.0;
    p = p * r + 1.0;
    // The low bits of `shifted` hold k; k + 1023 in the exponent field is 2^k.
    const std::uint64_t bits = (std::bit_cast<std::uint64_t>(shifted) + 1023u) << 52;
    return p * std::bit_cast<double>(bits);
}

} // namespace

namespace {

// The fast path over count values; flag[p] is set where the result could differ from
// `sigmoide`, and those values are left as they were.
CORVANE_VECTOR_CLONES void sigmoid_fast(float* __restrict v, int* __restrict flag, int count,
                                        double ln_base) {
    constexpr double margin = 1e-12; // far above the fast path's error (about 1e-14)
    for (int p = 0; p < count; ++p) {
        const float x = v[p];
        float c = x < -20.0f ? -20.0f : x;
        c = c > 20.0f ? 20.0f : c;
        const double r = 1.0 / (exp_near(-static_cast<double>(c) * ln_base) + 1.0);
        // Sure when every value within the margin around r rounds to the same float.
        const float low = static_cast<float>(r * (1.0 - margin));
        const float high = static_cast<float>(r * (1.0 + margin));
        float result = static_cast<float>(r);
        result = x < -20.0f ? 0.0f : result;
        result = x > 20.0f ? 1.0f : result;
        flag[p] = low != high;
        v[p] = low != high ? x : result;
    }
}

} // namespace

void sigmoide_linha(float* s, int n) {
    // 2.718282^(-x) = e^(-x ln 2.718282).
    const double ln_base = std::log(2.718282);
    constexpr int chunk = 256;
    int doubtful[chunk];
    for (int start = 0; start < n; start += chunk) {
        const int count = std::min(chunk, n - start);
        float* v = s + start;
        sigmoid_fast(v, doubtful, count, ln_base);
        int any = 0;
        for (int p = 0; p < count; ++p)
            any |= doubtful[p];
        if (any)
            for (int p = 0; p < count; ++p)
                if (doubtful[p]) v[p] = sigmoide(v[p]);
    }
}

void Rede::dimensiona(const arquitectura_rede& a) {
    arq = a;
    W1.assign(static_cast<std::size_t>(a.n_pesos1), 0.0f);
    W2.assign(static_cast<std::size_t>(a.n_pesos2), 0.0f);
    W3.assign(static_cast<std::size_t>(a.n_pesos3), 0.0f);
    saida1.assign(static_cast<std::size_t>(a.n_oculta1), 0.0f);
    saida2.assign(static_cast<std::size_t>(a.n_oculta2), 0.0f);
    saida_rede.assign(static_cast<std::size_t>(a.n_saidas), 0.0f);
}

void Rede::calculo_saidas(const Matriz& entradas, int p) {
    layer(W1.data(), arq.n_oculta1, entradas.padrao(p), arq.n_entradas, saida1.data(), true);
    layer(W2.data(), arq.n_oculta2, saida1.data(), arq.n_oculta1, saida2.data(), true);
    if (arq.camada_linear)
        layer(W3.data(), arq.n_saidas, saida2.data(), arq.n_oculta2, saida_rede.data(), false);
    else
        std::copy_n(saida2.begin(), arq.n_saidas, saida_rede.begin());
}

float Rede::add_squared_errors(const Matriz& saidas, int p, float sum) const {
    for (int j = 0; j < arq.n_saidas; ++j) {
        const double diff = static_cast<double>(saidas(j, p)) -
                            static_cast<double>(saida_rede[static_cast<std::size_t>(j)]);
        sum = static_cast<float>(diff * diff + static_cast<double>(sum));
    }
    return sum;
}

float Rede::erro_padrao(const Matriz& saidas, int p) const {
    return add_squared_errors(saidas, p, 0.0f);
}

float Rede::calculo_erro_conjunto(const Matriz& entradas, const Matriz& saidas) {
    float total = 0.0f;
    for (int p = 0; p < entradas.n_padroes; ++p) {
        calculo_saidas(entradas, p);
        total = add_squared_errors(saidas, p, total);
    }
    return total;
}

std::vector<float> Rede::todos_pesos() const {
    std::vector<float> all;
    all.reserve(W1.size() + W2.size() + W3.size());
    all.insert(all.end(), W1.begin(), W1.end());
    all.insert(all.end(), W2.begin(), W2.end());
    all.insert(all.end(), W3.begin(), W3.end());
    return all;
}

void Rede::define_pesos(const float* genes) {
    std::copy_n(genes, W1.size(), W1.begin());
    std::copy_n(genes + W1.size(), W2.size(), W2.begin());
    std::copy_n(genes + W1.size() + W2.size(), W3.size(), W3.begin());
}

bool Rede::pesos_finitos() const {
    auto finite = [](float v) { return std::isfinite(v); };
    return std::all_of(W1.begin(), W1.end(), finite) && std::all_of(W2.begin(), W2.end(), finite) &&
           std::all_of(W3.begin(), W3.end(), finite);
}

} // namespace corvane
