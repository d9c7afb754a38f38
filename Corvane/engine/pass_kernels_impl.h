// The body of the set-pass kernels, included by one source file per instruction set, which
// first defines CORVANE_LANES (doubles per vector) and CORVANE_KERNEL_NS (its namespace).
//
// Numbers: every value in a tile is a float held in a double. Each step of a running sum is
// `rf(a x b + s)`: the product of two floats is exact in double, so one fused multiply-add gives
// the same double as a product and an addition, and `rf` rounds it to float as storing into a
// float variable would. Products that are not exact (squares of differences, s (1 - s) factors)
// are never fused.
//
// Layout: the patterns of a tile lie along the vector lanes for the forward and backward passes
// (each neuron's sum runs over its inputs in order, for `width` patterns side by side); the
// variations lie along the lanes by neuron (each weight's sum runs over the patterns in order).
//
// Only builtins and plain pointers are used here: no inline function of a shared header is
// compiled with this file's instruction set, so none can be picked up by code meant to run
// anywhere.
#include "pass_kernels.h"

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace corvane {

float sigmoide(float x);

namespace CORVANE_KERNEL_NS {

namespace {

using std::size_t;

constexpr int L = CORVANE_LANES;
typedef double vd __attribute__((vector_size(L * 8)));
typedef float vf __attribute__((vector_size(L * 4)));
typedef long long vi __attribute__((vector_size(L * 8)));
typedef int vfi __attribute__((vector_size(L * 4)));
typedef unsigned long long vu __attribute__((vector_size(L * 8)));

// Accumulators held at once (the rest of the registers hold operands).
#if CORVANE_LANES == 8
constexpr int budget = 20;
#else
constexpr int budget = 10;
#endif

inline vd load(const double* p) {
    vd v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void store(double* p, vd v) {
    std::memcpy(p, &v, sizeof v);
}
// x in every lane (a copy, so -0 stays -0).
inline vd splat(double x) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    return _mm512_set1_pd(x);
#elif CORVANE_LANES == 4 && defined(__AVX__)
    return _mm256_set1_pd(x);
#elif CORVANE_LANES == 2 && defined(__SSE2__)
    return _mm_set1_pd(x);
#else
    vd v;
    for (int l = 0; l < L; ++l)
        v[l] = x;
    return v;
#endif
}
// The double rounded to float and back: what storing into a float variable does.
inline vd rf(vd x) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    // The zero-masking forms: the plain ones trip a false uninitialised-value warning in GCC 12.
    return _mm512_maskz_cvtps_pd(0xFF, _mm512_maskz_cvtpd_ps(0xFF, x));
#elif CORVANE_LANES == 4 && defined(__AVX__)
    return _mm256_cvtps_pd(_mm256_cvtpd_ps(x));
#elif CORVANE_LANES == 2 && defined(__SSE2__)
    return _mm_cvtps_pd(_mm_cvtpd_ps(x));
#else
    return __builtin_convertvector(__builtin_convertvector(x, vf), vd);
#endif
}
// The same in two halves: to float (one lane per double) and back.
inline vf to_f(vd x) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    return _mm512_maskz_cvtpd_ps(0xFF, x);
#elif CORVANE_LANES == 4 && defined(__AVX__)
    return _mm256_cvtpd_ps(x);
#else
    return __builtin_convertvector(x, vf);
#endif
}
inline vd to_d(vf x) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    return _mm512_maskz_cvtps_pd(0xFF, x);
#elif CORVANE_LANES == 4 && defined(__AVX__)
    return _mm256_cvtps_pd(x);
#else
    return __builtin_convertvector(x, vd);
#endif
}
// a x b + c with a x b exact (a and b floats): fused where the processor has it.
inline vd madd(vd a, vd b, vd c) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    return _mm512_fmadd_pd(a, b, c);
#elif CORVANE_LANES == 4 && defined(__FMA__)
    return _mm256_fmadd_pd(a, b, c);
#else
    return a * b + c;
#endif
}
// a x b + c for the exponential's polynomial, which only needs to be close: fused or not.
inline vd poly(vd a, vd b, vd c) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    return _mm512_fmadd_pd(a, b, c);
#elif CORVANE_LANES == 4 && defined(__FMA__)
    return _mm256_fmadd_pd(a, b, c);
#else
    return a * b + c;
#endif
}
// 1 / d for the sigmoid, which only needs to be close: a reciprocal estimate refined twice by
// Newton's step (error about 2^-56) where the processor has one, else the division.
inline vd reciprocal(vd d) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    vd y = _mm512_maskz_rcp14_pd(0xFF, d);
    y = poly(y, splat(1.0) - d * y, y);
    y = poly(y, splat(1.0) - d * y, y);
    return y;
#else
    return splat(1.0) / d;
#endif
}
inline bool any_set(vfi mask) {
    unsigned long long words[L / 2];
    std::memcpy(words, &mask, sizeof words);
    unsigned long long any = 0;
    for (int w = 0; w < L / 2; ++w)
        any |= words[w];
    return any != 0;
}
inline vd select(vi mask, vd yes, vd no) {
    return (vd)(((vi)yes & mask) | ((vi)no & ~mask));
}

// ---- forward and backward passes: out(r, b) = bias(r) + sum over c of in(c, b) m(r, c) ----

template <int J, int V>
inline void layer_block(const double* m, size_t ms, const double* bias, int cols, const double* in,
                        size_t ld, double* out, int r0, int b0) {
    vd acc[J][V];
    for (int j = 0; j < J; ++j)
        for (int v = 0; v < V; ++v)
            acc[j][v] = splat(bias ? bias[static_cast<size_t>(r0 + j) * ms] : 0.0);
    for (int c = 0; c < cols; ++c) {
        vd x[V];
        for (int v = 0; v < V; ++v)
            x[v] = load(in + static_cast<size_t>(c) * ld + static_cast<size_t>(b0 + v * L));
        for (int j = 0; j < J; ++j) {
            const vd w = splat(m[static_cast<size_t>(r0 + j) * ms + static_cast<size_t>(c)]);
            for (int v = 0; v < V; ++v)
                acc[j][v] = rf(madd(x[v], w, acc[j][v]));
        }
    }
    for (int j = 0; j < J; ++j)
        for (int v = 0; v < V; ++v)
            store(out + static_cast<size_t>(r0 + j) * ld + static_cast<size_t>(b0 + v * L),
                  acc[j][v]);
}

// Rows r0.. of at most J at a time, J the largest the register budget allows with V vectors.
template <int V, int J>
inline void layer_rows(const double* m, size_t ms, const double* bias, int rows, int cols,
                       const double* in, size_t ld, double* out, int r, int b0) {
    if constexpr (J >= 1) {
        for (; r + J <= rows; r += J)
            layer_block<J, V>(m, ms, bias, cols, in, ld, out, r, b0);
        layer_rows<V, J - 1>(m, ms, bias, rows, cols, in, ld, out, r, b0);
    }
}

template <int V>
inline void layer_cols(const double* m, size_t ms, const double* bias, int rows, int cols,
                       const double* in, size_t ld, double* out, int b0) {
    layer_rows<V, budget / V>(m, ms, bias, rows, cols, in, ld, out, 0, b0);
}

// m: rows x cols at stride ms (bias, when given, at stride ms too); in: cols rows of ld;
// out: rows rows of ld; `vectors` vectors of L patterns per row.
void layer(const double* m, size_t ms, const double* bias, int rows, int cols, const double* in,
           size_t ld, double* out, int vectors) {
    int b0 = 0;
    for (; vectors >= 4; vectors -= 4, b0 += 4 * L)
        layer_cols<4>(m, ms, bias, rows, cols, in, ld, out, b0);
    switch (vectors) {
    case 3:
        layer_cols<3>(m, ms, bias, rows, cols, in, ld, out, b0);
        break;
    case 2:
        layer_cols<2>(m, ms, bias, rows, cols, in, ld, out, b0);
        break;
    case 1:
        layer_cols<1>(m, ms, bias, rows, cols, in, ld, out, b0);
        break;
    default:
        break;
    }
}

// ---- the sigmoid ----

// e^a for |a| <= 21: a = k ln 2 + r with |r| <= ln 2 / 2, e^r by its Taylor series to r^11,
// 2^k put into the exponent bits. Relative error below 1e-14, far inside the sigmoid's margin.
inline vd exp_near(vd a) {
    const vd shifter = splat(6755399441055744.0); // 1.5 x 2^52: rounds to an integer
    const vd shifted = a * splat(1.4426950408889634) + shifter;
    const vd k = shifted - shifter;
    const vd r = (a - k * splat(0.6931471803691238)) - k * splat(1.9082149292705877e-10);
    vd p = splat(1.0 / 39916800.0); // r^12 / 12! < 7e-15 is left out
    p = poly(p, r, splat(1.0 / 3628800.0));
    p = poly(p, r, splat(1.0 / 362880.0));
    p = poly(p, r, splat(1.0 / 40320.0));
    p = poly(p, r, splat(1.0 / 5040.0));
    p = poly(p, r, splat(1.0 / 720.0));
    p = poly(p, r, splat(1.0 / 120.0));
    p = poly(p, r, splat(1.0 / 24.0));
    p = poly(p, r, splat(1.0 / 6.0));
    p = poly(p, r, splat(0.5));
    p = poly(p, r, splat(1.0));
    p = poly(p, r, splat(1.0));
    const vu bits = ((vu)shifted + 1023u) << 52;
    return p * (vd)bits;
}

// `sigmoide` of `count` values (a multiple of L) in place. The fast result is kept where every
// value within a margin far above its error rounds to the same float; elsewhere the exact
// routine decides.
void sigmoid_row(double* s, int count, double ln_base) {
    const double margin = 1e-12;
    for (int b = 0; b < count; b += L) {
        const vd x = load(s + b);
        vd c = select(x < splat(-20.0), splat(-20.0), x);
        c = select(c > splat(20.0), splat(20.0), c);
        const vd r = reciprocal(exp_near(-c * splat(ln_base)) + splat(1.0));
        // Sure when both ends of the margin round to the same float, which is then the result.
        const vf low = to_f(r * splat(1.0 - margin));
        const vf high = to_f(r * splat(1.0 + margin));
        const vfi doubtful = low != high;
        vd result = to_d(low);
        result = select(x < splat(-20.0), splat(0.0), result);
        result = select(x > splat(20.0), splat(1.0), result);
        store(s + b, result);
        if (any_set(doubtful))
            for (int l = 0; l < L; ++l)
                if (doubtful[l]) s[b + l] = static_cast<double>(sigmoide(static_cast<float>(x[l])));
    }
}

// ---- the variations: a(t, j) += d(p, j) x in(t, p), pattern after pattern ----

template <int T, int V>
inline void acc_block(const double* dt, size_t jp, const double* in, size_t ld, int count,
                      double* a, int t0, int j0) {
    vd acc[T][V];
    for (int t = 0; t < T; ++t)
        for (int v = 0; v < V; ++v)
            acc[t][v] =
                load(a + static_cast<size_t>(t0 + t) * jp + static_cast<size_t>(j0 + v * L));
    for (int b = 0; b < count; ++b) {
        vd d[V];
        for (int v = 0; v < V; ++v)
            d[v] = load(dt + static_cast<size_t>(b) * jp + static_cast<size_t>(j0 + v * L));
        for (int t = 0; t < T; ++t) {
            const vd x = splat(in[static_cast<size_t>(t0 + t) * ld + static_cast<size_t>(b)]);
            for (int v = 0; v < V; ++v)
                acc[t][v] = rf(madd(d[v], x, acc[t][v]));
        }
    }
    for (int t = 0; t < T; ++t)
        for (int v = 0; v < V; ++v)
            store(a + static_cast<size_t>(t0 + t) * jp + static_cast<size_t>(j0 + v * L),
                  acc[t][v]);
}

template <int V, int T>
inline void acc_rows(const double* dt, size_t jp, const double* in, size_t ld, int count, double* a,
                     int rows, int t, int j0) {
    if constexpr (T >= 1) {
        for (; t + T <= rows; t += T)
            acc_block<T, V>(dt, jp, in, ld, count, a, t, j0);
        acc_rows<V, T - 1>(dt, jp, in, ld, count, a, rows, t, j0);
    }
}

template <int V>
inline void acc_cols(const double* dt, size_t jp, const double* in, size_t ld, int count, double* a,
                     int rows, int j0) {
    acc_rows<V, budget / V>(dt, jp, in, ld, count, a, rows, 0, j0);
}

// dt: count patterns of jp deltas; in: `rows` input rows of ld (row 0 the bias ones); a: rows
// of jp accumulators.
void accumulate(const double* dt, int jp, const double* in, size_t ld, int count, double* a,
                int rows) {
    const size_t js = static_cast<size_t>(jp);
    int vectors = jp / L;
    int j0 = 0;
    for (; vectors >= 4; vectors -= 4, j0 += 4 * L)
        acc_cols<4>(dt, js, in, ld, count, a, rows, j0);
    switch (vectors) {
    case 3:
        acc_cols<3>(dt, js, in, ld, count, a, rows, j0);
        break;
    case 2:
        acc_cols<2>(dt, js, in, ld, count, a, rows, j0);
        break;
    case 1:
        acc_cols<1>(dt, js, in, ld, count, a, rows, j0);
        break;
    default:
        break;
    }
}

// ---- tiles ----

// Inputs and targets of patterns p0..p0+count-1 into the tile (lanes beyond count zero).
void stage(const EspacoPasso& s, int p0, int count) {
    const size_t ld = static_cast<size_t>(s.ld);
    for (int i = 0; i < s.n_entradas; ++i) {
        double* row = s.x + (static_cast<size_t>(i) + 1) * ld;
        const float* src = s.entradas + static_cast<size_t>(p0) * s.n_entradas + i;
        for (int b = 0; b < count; ++b)
            row[b] = static_cast<double>(src[static_cast<size_t>(b) * s.n_entradas]);
        for (int b = count; b < s.ld; ++b)
            row[b] = 0.0;
    }
    for (int j = 0; j < s.n_saidas; ++j) {
        double* row = s.t + static_cast<size_t>(j) * ld;
        const float* src = s.saidas + static_cast<size_t>(p0) * s.n_saidas + j;
        for (int b = 0; b < count; ++b)
            row[b] = static_cast<double>(src[static_cast<size_t>(b) * s.n_saidas]);
        for (int b = count; b < s.ld; ++b)
            row[b] = 0.0;
    }
}

void weights(const EspacoPasso& s, const float* w1, const float* w2, const float* w3) {
    const int m1 = s.n_entradas + 1, m2 = s.n_oculta1 + 1, m3 = s.n_oculta2 + 1;
    for (int k = 0; k < m1 * s.n_oculta1; ++k)
        s.w1[k] = static_cast<double>(w1[k]);
    for (int k = 0; k < m2 * s.n_oculta2; ++k)
        s.w2[k] = static_cast<double>(w2[k]);
    if (s.camada_linear)
        for (int k = 0; k < m3 * s.n_saidas; ++k)
            s.w3[k] = static_cast<double>(w3[k]);
}

// The weights of layers 2 and 3 input by input, for the backward pass.
void transposed_weights(const EspacoPasso& s) {
    const int m2 = s.n_oculta1 + 1, m3 = s.n_oculta2 + 1;
    for (int j = 0; j < s.n_oculta2; ++j)
        for (int i = 0; i < s.n_oculta1; ++i)
            s.w2t[static_cast<size_t>(i) * s.n_oculta2 + j] =
                s.w2[static_cast<size_t>(j) * m2 + 1 + i];
    if (s.camada_linear)
        for (int j = 0; j < s.n_saidas; ++j)
            for (int i = 0; i < s.n_oculta2; ++i)
                s.w3t[static_cast<size_t>(i) * s.n_saidas + j] =
                    s.w3[static_cast<size_t>(j) * m3 + 1 + i];
}

// The forward pass of the staged tile; returns the output rows.
const double* forward(const EspacoPasso& s, int vectors, double ln_base) {
    const size_t ld = static_cast<size_t>(s.ld);
    const int m1 = s.n_entradas + 1, m2 = s.n_oculta1 + 1, m3 = s.n_oculta2 + 1;
    layer(s.w1 + 1, static_cast<size_t>(m1), s.w1, s.n_oculta1, s.n_entradas, s.x + ld, ld,
          s.h1 + ld, vectors);
    for (int j = 1; j <= s.n_oculta1; ++j)
        sigmoid_row(s.h1 + static_cast<size_t>(j) * ld, s.ld, ln_base);
    layer(s.w2 + 1, static_cast<size_t>(m2), s.w2, s.n_oculta2, s.n_oculta1, s.h1 + ld, ld,
          s.h2 + ld, vectors);
    for (int j = 1; j <= s.n_oculta2; ++j)
        sigmoid_row(s.h2 + static_cast<size_t>(j) * ld, s.ld, ln_base);
    if (!s.camada_linear) return s.h2 + ld;
    layer(s.w3 + 1, static_cast<size_t>(m3), s.w3, s.n_saidas, s.n_oculta2, s.h2 + ld, ld, s.y,
          vectors);
    return s.y;
}

double ln_of_base() {
    // 2.718282^(-x) = e^(-x ln 2.718282); ln 2.718282 to double precision.
    return 1.0000000631063886;
}

float erro(const EspacoPasso& s, const float* w1, const float* w2, const float* w3) {
    weights(s, w1, w2, w3);
    const double ln_base = ln_of_base();
    const size_t ld = static_cast<size_t>(s.ld);
    float total = 0.0f;
    for (int p0 = 0; p0 < s.n_padroes; p0 += s.bloco) {
        const int count = s.n_padroes - p0 < s.bloco ? s.n_padroes - p0 : s.bloco;
        stage(s, p0, count);
        const double* y = forward(s, s.ld / L, ln_base);
        // Squares side by side, then the one running sum in pattern and output order.
        for (int j = 0; j < s.n_saidas; ++j)
            for (int b = 0; b < s.ld; b += L) {
                const vd diff = load(s.t + j * ld + b) - load(y + j * ld + b);
                store(s.d1 + j * ld + b, diff * diff);
            }
        for (int b = 0; b < count; ++b)
            for (int j = 0; j < s.n_saidas; ++j)
                total = static_cast<float>(s.d1[j * ld + b] + static_cast<double>(total));
    }
    return total;
}

// Deltas of count patterns (rows of ld) into pattern-by-pattern order, jp per pattern.
void transpose(const double* d, int rows, size_t ld, int count, double* dt, int jp) {
    for (int b = 0; b < count; ++b)
        for (int j = 0; j < rows; ++j)
            dt[static_cast<size_t>(b) * jp + j] = d[static_cast<size_t>(j) * ld + b];
}

// d(i, b) = s(1 - s) x d(i, b) with s the layer's output, in the order s x d x (1 - s).
void times_slope(double* d, const double* s, int rows, size_t ld, int width) {
    for (int i = 0; i < rows; ++i)
        for (int b = 0; b < width; b += L) {
            const vd si = load(s + i * ld + b);
            store(d + i * ld + b, rf(si * load(d + i * ld + b) * (splat(1.0) - si)));
        }
}

void load_accumulators(const float* v, int neurons, int inputs, double* a, int jp) {
    for (int j = 0; j < neurons; ++j)
        for (int t = 0; t <= inputs; ++t)
            a[static_cast<size_t>(t) * jp + j] =
                static_cast<double>(v[static_cast<size_t>(j) * (inputs + 1) + t]);
}

void store_accumulators(const double* a, int neurons, int inputs, float* v, int jp) {
    for (int j = 0; j < neurons; ++j)
        for (int t = 0; t <= inputs; ++t)
            v[static_cast<size_t>(j) * (inputs + 1) + t] =
                static_cast<float>(a[static_cast<size_t>(t) * jp + j]);
}

float gradiente(const EspacoPasso& s, const float* w1, const float* w2, const float* w3, float* v1,
                float* v2, float* v3) {
    weights(s, w1, w2, w3);
    transposed_weights(s);
    load_accumulators(v1, s.n_oculta1, s.n_entradas, s.a1, s.jp1);
    load_accumulators(v2, s.n_oculta2, s.n_oculta1, s.a2, s.jp2);
    if (s.camada_linear) load_accumulators(v3, s.n_saidas, s.n_oculta2, s.a3, s.jp3);
    const double ln_base = ln_of_base();
    const size_t ld = static_cast<size_t>(s.ld);
    const int vectors = s.ld / L;
    float total = 0.0f;
    for (int p0 = 0; p0 < s.n_padroes; p0 += s.bloco) {
        const int count = s.n_padroes - p0 < s.bloco ? s.n_padroes - p0 : s.bloco;
        stage(s, p0, count);
        const double* y = forward(s, vectors, ln_base);
        // Each pattern's error, outputs in order, then the patterns' running sum.
        for (int b = 0; b < s.ld; b += L) {
            vd e = splat(0.0);
            for (int j = 0; j < s.n_saidas; ++j) {
                const vd diff = load(s.t + j * ld + b) - load(y + j * ld + b);
                e = rf(diff * diff + e);
            }
            store(s.e + b, e);
        }
        for (int b = 0; b < count; ++b)
            total = static_cast<float>(s.e[b] + static_cast<double>(total));
        // Output deltas, then back through the layers.
        if (s.camada_linear) {
            for (int j = 0; j < s.n_saidas; ++j)
                for (int b = 0; b < s.ld; b += L)
                    store(s.d3 + j * ld + b, rf(load(s.t + j * ld + b) - load(s.y + j * ld + b)));
            layer(s.w3t, static_cast<size_t>(s.n_saidas), nullptr, s.n_oculta2, s.n_saidas, s.d3,
                  ld, s.d2, vectors);
            times_slope(s.d2, s.h2 + ld, s.n_oculta2, ld, s.ld);
        } else {
            for (int j = 0; j < s.n_oculta2; ++j)
                for (int b = 0; b < s.ld; b += L) {
                    const vd o = load(s.h2 + (j + 1) * ld + b);
                    store(s.d2 + j * ld + b,
                          rf((load(s.t + j * ld + b) - o) * o * (splat(1.0) - o)));
                }
        }
        layer(s.w2t, static_cast<size_t>(s.n_oculta2), nullptr, s.n_oculta1, s.n_oculta2, s.d2, ld,
              s.d1, vectors);
        times_slope(s.d1, s.h1 + ld, s.n_oculta1, ld, s.ld);
        // The variations, pattern after pattern.
        transpose(s.d1, s.n_oculta1, ld, count, s.dt1, s.jp1);
        accumulate(s.dt1, s.jp1, s.x, ld, count, s.a1, s.n_entradas + 1);
        transpose(s.d2, s.n_oculta2, ld, count, s.dt2, s.jp2);
        accumulate(s.dt2, s.jp2, s.h1, ld, count, s.a2, s.n_oculta1 + 1);
        if (s.camada_linear) {
            transpose(s.d3, s.n_saidas, ld, count, s.dt3, s.jp3);
            accumulate(s.dt3, s.jp3, s.h2, ld, count, s.a3, s.n_oculta2 + 1);
        }
    }
    store_accumulators(s.a1, s.n_oculta1, s.n_entradas, v1, s.jp1);
    store_accumulators(s.a2, s.n_oculta2, s.n_oculta1, v2, s.jp2);
    if (s.camada_linear) store_accumulators(s.a3, s.n_saidas, s.n_oculta2, v3, s.jp3);
    return total;
}

void sigmoid_only(double* s, int count) {
    sigmoid_row(s, count, ln_of_base());
}

} // namespace

const Nucleo entrada{erro, gradiente, L, sigmoid_only};

} // namespace CORVANE_KERNEL_NS
} // namespace corvane
