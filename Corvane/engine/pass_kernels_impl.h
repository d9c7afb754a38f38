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
inline vu splat_u(unsigned long long x) {
    return vu{} + x;
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
// One double rounded to float and back, through the conversion instructions themselves. Written
// as two casts, GCC 12's SLP vectoriser drops the round trip when it packs the steps of
// independent running sums into one vector (seen at -O2 in the fixed-width variation sums),
// which changes the digits.
inline double rf1(double x) {
#if defined(__SSE2__)
    float f = static_cast<float>(x);
    asm("" : "+x"(f)); // the float must exist in a register: no optimiser can skip it
    return static_cast<double>(f);
#else
    return static_cast<double>(static_cast<float>(x));
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
    y = poly(y, _mm512_fnmadd_pd(d, y, splat(1.0)), y);
    y = poly(y, _mm512_fnmadd_pd(d, y, splat(1.0)), y);
    return y;
#else
    return splat(1.0) / d;
#endif
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

#if CORVANE_LANES == 8 && defined(__AVX512F__)
// e^(-c ln_base) for |c| <= 20: with a = -c ln_base, a = (256 k + 16 j + i) ln 2 / 256 + r
// and |r| <= ln 2 / 512 (a little more when the rounded index falls the other way); 2^(j / 16)
// and 2^(i / 256) from two tables of sixteen, each held in two registers, e^r by its Taylor
// series to r^3 (r^4 / 4! < 1.5e-13 left out), 2^k put into the exponent bits. The index is
// taken from c directly and r with ln 2 / 256 to double precision only (an error below 3e-15),
// so that a is not waited for. Relative error below 2e-13, still far inside the sigmoid's
// margin, in few steps one after the other: the tables are looked up while r is worked out.
inline vd exp_neg(vd c, double ln_base) {
    const vd shifter = splat(6755399441055744.0); // 1.5 x 2^52: rounds to an integer
    const vd shifted = poly(c, splat(-ln_base * 369.3299304675746), shifter); // a x 256 / ln 2
    const vd n = shifted - shifter;
    const vd r = _mm512_fnmadd_pd(n, splat(0x1.62e42fefa39efp-9), c * splat(-ln_base));
    const vd p = poly(r * r, poly(r, splat(1.0 / 6.0), splat(0.5)), r + splat(1.0));
    const __m512d coarse_lo = _mm512_setr_pd(
        0x1.0000000000000p+0, 0x1.0b5586cf9890fp+0, 0x1.172b83c7d517bp+0, 0x1.2387a6e756238p+0,
        0x1.306fe0a31b715p+0, 0x1.3dea64c123422p+0, 0x1.4bfdad5362a27p+0, 0x1.5ab07dd485429p+0);
    const __m512d coarse_hi = _mm512_setr_pd(
        0x1.6a09e667f3bcdp+0, 0x1.7a11473eb0187p+0, 0x1.8ace5422aa0dbp+0, 0x1.9c49182a3f090p+0,
        0x1.ae89f995ad3adp+0, 0x1.c199bdd85529cp+0, 0x1.d5818dcfba487p+0, 0x1.ea4afa2a490dap+0);
    const __m512d fine_lo = _mm512_setr_pd(
        0x1.0000000000000p+0, 0x1.00b1afa5abcbfp+0, 0x1.0163da9fb3335p+0, 0x1.02168143b0281p+0,
        0x1.02c9a3e778061p+0, 0x1.037d42e11bbccp+0, 0x1.04315e86e7f85p+0, 0x1.04e5f72f654b1p+0);
    const __m512d fine_hi = _mm512_setr_pd(
        0x1.059b0d3158574p+0, 0x1.0650a0e3c1f89p+0, 0x1.0706b29ddf6dep+0, 0x1.07bd42b72a836p+0,
        0x1.0874518759bc8p+0, 0x1.092bdf66607e0p+0, 0x1.09e3ecac6f383p+0, 0x1.0a9c79b1f3919p+0);
    // The low four bits of `shifted` hold i, the next four j, the bits above them k.
    const vd fine = _mm512_permutex2var_pd(fine_lo, (__m512i)shifted, fine_hi);
    const vd coarse = _mm512_permutex2var_pd(coarse_lo, (__m512i)((vu)shifted >> 4), coarse_hi);
    const vu bits = (((vu)shifted >> 8) + 1023u) << 52;
    return p * (fine * coarse * (vd)bits);
}
// x rounded to float and back for x that is zero or whose float is normal (as a sigmoid's
// value is): the low 29 bits of the double rounded away to nearest, ties to even, in integer
// steps that take half the time of the two conversions.
inline vd rf_normal(vd x) {
    const vu bits = (vu)x;
    const vu half_less = splat_u(0x0FFFFFFFu) + ((bits >> 29) & 1u);
    return (vd)((bits + half_less) & ~splat_u(0x1FFFFFFFu));
}
#else
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
#endif

// `sigmoide` of one vector. The fast result is kept where every value within a margin far
// above its error rounds to the same float; bit l of `doubtful` marks a lane l where the exact
// routine must decide (a value not a number among them). The result does not wait for that
// check. `quick` takes the division, whose result comes sooner than the refined reciprocal's but
// which keeps the divider busy longer: for a few vectors whose results are awaited at once.
template <bool quick = false> inline vd sigmoid_fast(vd x, double ln_base, unsigned& doubtful) {
    const double margin = 1e-12;
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    // Clamped to [-20, 20], a value not a number kept as it is (min and max return their second
    // operand when either is not a number).
    const vd c = _mm512_maskz_max_pd(0xFF, splat(-20.0), _mm512_maskz_min_pd(0xFF, splat(20.0), x));
    const vd d = exp_neg(c, ln_base) + splat(1.0);
    const vd r = quick ? splat(1.0) / d : reciprocal(d);
    // Sure when both ends of the margin round to the same float, which is then rf(r) (r lies
    // between 1 / (1 + e^20) and 1, where floats are normal).
    doubtful = static_cast<unsigned>(_mm256_movemask_ps(
        _mm256_cmp_ps(to_f(r * splat(1.0 - margin)), to_f(r * splat(1.0 + margin)), _CMP_NEQ_UQ)));
    // 0 below -20 and 1 above 20, chosen while r is worked out.
    const __mmask8 low = _mm512_cmp_pd_mask(x, splat(-20.0), _CMP_LT_OQ);
    const __mmask8 high = _mm512_cmp_pd_mask(x, splat(20.0), _CMP_GT_OQ);
    const vd bound = _mm512_mask_mov_pd(splat(0.0), high, splat(1.0));
    return _mm512_mask_mov_pd(rf_normal(r), low | high, bound);
#else
    vd c = select(x < splat(-20.0), splat(-20.0), x);
    c = select(c > splat(20.0), splat(20.0), c);
    const vd r = reciprocal(exp_near(-c * splat(ln_base)) + splat(1.0));
    // Sure when both ends of the margin round to the same float, which is then rf(r).
    const vfi doubt = to_f(r * splat(1.0 - margin)) != to_f(r * splat(1.0 + margin));
    doubtful = 0;
    for (int l = 0; l < L; ++l)
        doubtful |= doubt[l] ? 1u << l : 0u;
    vd result = rf(r);
    result = select(x < splat(-20.0), splat(0.0), result);
    return select(x > splat(20.0), splat(1.0), result);
#endif
}

// The lanes of the vector at s that the fast path left in doubt, worked out exactly from their
// inputs x.
inline void sigmoid_settle(double* s, vd x, unsigned doubtful) {
    if (__builtin_expect(doubtful != 0, 0)) {
        double in[L]; // x stored here only, off the way to the result
        store(in, x);
        for (int l = 0; l < L; ++l)
            if (doubtful >> l & 1u) s[l] = static_cast<double>(sigmoide(static_cast<float>(in[l])));
    }
}

// `sigmoide` of `count` values (a multiple of L) in place.
void sigmoid_row(double* s, int count, double ln_base) {
    for (int b = 0; b < count; b += L) {
        const vd x = load(s + b);
        unsigned doubtful;
        store(s + b, sigmoid_fast(x, ln_base, doubtful));
        sigmoid_settle(s + b, x, doubtful);
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

float erro_tiles(const EspacoPasso& s, const float* w1, const float* w2, const float* w3) {
    weights(s, w1, w2, w3);
    const double ln_base = ln_of_base();
    const size_t ld = static_cast<size_t>(s.ld);
    float total = 0.0f;
    for (int p0 = 0; p0 < s.n_padroes; p0 += s.bloco) {
        const int count = s.n_padroes - p0 < s.bloco ? s.n_padroes - p0 : s.bloco;
        if (!s.posto) stage(s, p0, count);
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

[[gnu::noinline]] float gradiente_tiles(const EspacoPasso& s, const float* w1, const float* w2,
                                        const float* w3, float* v1, float* v2, float* v3) {
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
        if (!s.posto) stage(s, p0, count);
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

// ---- sets of at most L patterns: every row of a tile is one vector ----
//
// The same sums as the tile passes with the tile loop, the double copies of the weights, the
// transposes and the accumulator copies left out: the weights are taken from their floats, and
// each variation is summed pattern after pattern from the exact products of two rows.

// Row r of a layer: bias(r) + sum over c of in row c x m(r x rs + c x cs), the bias taken from
// bias[r x rs] when there is one, else the sum starting at 0.
inline vd row_sum(const float* m, size_t rs, size_t cs, const float* bias, int r, int cols,
                  const double* in) {
    const float* w = m + static_cast<size_t>(r) * rs;
    vd acc = splat(bias ? static_cast<double>(bias[static_cast<size_t>(r) * rs]) : 0.0);
    for (int c = 0; c < cols; ++c)
        acc = rf(madd(load(in + static_cast<size_t>(c) * L),
                      splat(static_cast<double>(w[static_cast<size_t>(c) * cs])), acc));
    return acc;
}

// The rows of a layer into out, through `sigmoide` when ln_base is given: each row goes from
// its sum to its sigmoid without leaving the registers.
inline void layer_vector(const float* m, size_t rs, size_t cs, const float* bias, int rows,
                         int cols, const double* in, double* out, const double* ln_base) {
    for (int r = 0; r < rows; ++r) {
        const vd sum = row_sum(m, rs, cs, bias, r, cols, in);
        double* row = out + static_cast<size_t>(r) * L;
        if (!ln_base) {
            store(row, sum);
            continue;
        }
        unsigned doubtful;
        store(row, sigmoid_fast<true>(sum, *ln_base, doubtful));
        sigmoid_settle(row, sum, doubtful);
    }
}

// The layer widths of a set's network: those of the set, or fixed when the one-vector path is
// built for one small shape (then every loop over them is unrolled and the sigmoid's constants
// are loaded once for the pass). N1, N2, N3 > 0 fix the inputs and the two sigmoid layers'
// widths, with no linear layer after them; P > 0 fixes the number of patterns as well.
template <int N1 = 0, int N2 = 0, int N3 = 0, int P = 0> struct Widths {
    static constexpr bool fixed = N1 > 0;
    // The variations per neuron of the two sigmoid layers when fixed, else 0.
    static constexpr int per1 = fixed ? N1 + 1 : 0, per2 = fixed ? N2 + 1 : 0;
    int entradas, oculta1, oculta2, saidas;
    bool linear;
    int padroes;
    explicit Widths(const EspacoPasso& s)
        : entradas(fixed ? N1 : s.n_entradas), oculta1(fixed ? N2 : s.n_oculta1),
          oculta2(fixed ? N3 : s.n_oculta2), saidas(fixed ? N3 : s.n_saidas),
          linear(fixed ? false : s.camada_linear), padroes(P > 0 ? P : s.n_padroes) {}
    bool fits(const EspacoPasso& s) const {
        return s.n_entradas == entradas && s.n_oculta1 == oculta1 && s.n_oculta2 == oculta2 &&
               s.n_saidas == saidas && s.camada_linear == linear && s.n_padroes == padroes;
    }
};

// The forward pass of the staged set; returns the output rows.
template <class W>
inline const double* forward_vector(const EspacoPasso& s, const W& n, const float* w1,
                                    const float* w2, const float* w3, double ln_base) {
    const size_t m1 = static_cast<size_t>(n.entradas) + 1, m2 = static_cast<size_t>(n.oculta1) + 1,
                 m3 = static_cast<size_t>(n.oculta2) + 1;
    layer_vector(w1 + 1, m1, 1, w1, n.oculta1, n.entradas, s.x + L, s.h1 + L, &ln_base);
    layer_vector(w2 + 1, m2, 1, w2, n.oculta2, n.oculta1, s.h1 + L, s.h2 + L, &ln_base);
    if (!n.linear) return s.h2 + L;
    layer_vector(w3 + 1, m3, 1, w3, n.saidas, n.oculta2, s.h2 + L, s.y, nullptr);
    return s.y;
}

// The deltas of neuron i of a sigmoid layer with outputs `out` from the `cols` deltas d of the
// layer after it, whose neuron j weighs input i by m(j x ms + i): rf(s x sum x (1 - s)), s the
// neuron's output and sum the deltas through the weights, j in order.
inline vd delta_row(const float* m, size_t ms, int i, int cols, const double* d,
                    const double* out) {
    const vd sum = row_sum(m, 1, ms, nullptr, i, cols, d);
    const vd si = load(out + static_cast<size_t>(i) * L);
    return rf(si * sum * (splat(1.0) - si));
}

float erro_vector(const EspacoPasso& s, const float* w1, const float* w2, const float* w3) {
    const Widths<> n(s);
    const double* y = forward_vector(s, n, w1, w2, w3, ln_of_base());
    for (int j = 0; j < s.n_saidas; ++j) {
        const vd diff = load(s.t + j * L) - load(y + j * L);
        store(s.d1 + j * L, diff * diff);
    }
    float total = 0.0f;
    for (int b = 0; b < s.n_padroes; ++b)
        for (int j = 0; j < s.n_saidas; ++j)
            total = static_cast<float>(s.d1[j * L + b] + static_cast<double>(total));
    return total;
}

// v(t) += d(p) x in(t, p) for patterns p = 0..count-1 in order, t from 0 to `inputs` (row 0 of
// `in`, the bias input, is all ones): one neuron's variations from its deltas d. The products
// are taken from the register lane by lane, not through memory. With T = inputs + 1 known the
// T sums advance side by side, pattern after pattern, each pattern's count check made once.
template <int T = 0>
inline void accumulate_row(vd d, const double* in, int inputs, int count, float* v) {
    if constexpr (T > 0) {
        vd products[T];
        double acc[T];
        for (int t = 0; t < T; ++t) {
            products[t] = d * load(in + static_cast<size_t>(t) * L); // exact: two floats
            acc[t] = static_cast<double>(v[t]);
        }
#pragma GCC unroll 8
        for (int p = 0; p < L; ++p) {
            if (p >= count) break;
            for (int t = 0; t < T; ++t)
                acc[t] = rf1(products[t][p] + acc[t]);
        }
        for (int t = 0; t < T; ++t)
            v[t] = static_cast<float>(acc[t]);
    } else {
        for (int t = 0; t <= inputs; ++t) {
            const vd products = d * load(in + static_cast<size_t>(t) * L); // exact: two floats
            double acc = static_cast<double>(v[t]);
#pragma GCC unroll 8
            for (int p = 0; p < L; ++p)
                if (p < count) acc = rf1(products[p] + acc);
            v[t] = static_cast<float>(acc);
        }
    }
}

// accumulate_row for each of `neurons` rows of deltas d, neuron j's row of v holding its
// inputs + 1 variations.
template <int T = 0>
inline void accumulate_vector(const double* d, int neurons, const double* in, int inputs, int count,
                              float* v) {
    for (int j = 0; j < neurons; ++j)
        accumulate_row<T>(load(d + static_cast<size_t>(j) * L), in, inputs, count,
                          v + static_cast<size_t>(j) * (static_cast<size_t>(inputs) + 1));
}

template <class W>
float gradiente_vector(const EspacoPasso& s, const W& n, const float* w1, const float* w2,
                       const float* w3, float* v1, float* v2, float* v3) {
    const double* y = forward_vector(s, n, w1, w2, w3, ln_of_base());
    // Each pattern's error, outputs in order, then the patterns' running sum.
    vd e = splat(0.0);
    for (int j = 0; j < n.saidas; ++j) {
        const vd diff = load(s.t + j * L) - load(y + j * L);
        e = rf(diff * diff + e);
    }
    store(s.e, e);
    float total = 0.0f;
    for (int b = 0; b < n.padroes; ++b)
        total = static_cast<float>(s.e[b] + static_cast<double>(total));
    // Output deltas, then back through the layers (the weights of a neuron's inputs at stride 1,
    // of one input's neurons at the stride of a neuron's weights).
    const size_t m2 = static_cast<size_t>(n.oculta1) + 1, m3 = static_cast<size_t>(n.oculta2) + 1;
    if (n.linear) {
        for (int j = 0; j < n.saidas; ++j)
            store(s.d3 + j * L, rf(load(s.t + j * L) - load(s.y + j * L)));
        for (int i = 0; i < n.oculta2; ++i)
            store(s.d2 + i * L, delta_row(w3 + 1, m3, i, n.saidas, s.d3, s.h2 + L));
    } else {
        for (int j = 0; j < n.oculta2; ++j) {
            const vd o = load(s.h2 + (j + 1) * L);
            store(s.d2 + j * L, rf((load(s.t + j * L) - o) * o * (splat(1.0) - o)));
        }
    }
    // The first layer's deltas, each summed into its neuron's variations as soon as it is known
    // (the variations pattern after pattern).
    const size_t m1 = static_cast<size_t>(n.entradas) + 1;
    for (int i = 0; i < n.oculta1; ++i)
        accumulate_row<W::per1>(delta_row(w2 + 1, m2, i, n.oculta2, s.d2, s.h1 + L), s.x,
                                n.entradas, n.padroes, v1 + static_cast<size_t>(i) * m1);
    accumulate_vector<W::per2>(s.d2, n.oculta2, s.h1, n.oculta1, n.padroes, v2);
    if (n.linear) accumulate_vector(s.d3, n.saidas, s.h2, n.oculta2, n.padroes, v3);
    return total;
}

#if CORVANE_LANES == 8 && defined(__AVX512F__)
// ---- truth-table networks packed into one vector ----
//
// N1 inputs, H sigmoid neurons, one sigmoid output and P patterns with H x P <= 8: the whole
// first layer in one vector, lane q = j x P + p for neuron j and pattern p, so that its sums,
// its sigmoid and its deltas take one instruction each for all neurons; the variations of a
// layer advance side by side in one vector too, lane k = j x (N1 + 1) + t for weight t of
// neuron j, pattern after pattern. The sums, their order and their roundings are those of
// gradiente_vector; only the lanes they lie in differ (and the first layer's variations take
// a checked way through float, described where they are summed).

// Lane l of v taken from lane idx[l] of `from`.
inline vd pick(vi idx, vd from) {
    return _mm512_maskz_permutexvar_pd(0xFF, (__m512i)idx, from);
}
// The same for floats.
inline vf pick_f(vfi idx, vf from) {
    return (vf)_mm256_permutevar8x32_ps((__m256)from, (__m256i)idx);
}
// Lane l from lane idx[l] of a (idx < 8) or of b (idx >= 8).
inline vd pick2(vd a, vi idx, vd b) {
    return _mm512_permutex2var_pd(a, (__m512i)idx, b);
}
// The first n floats at p as doubles, the other lanes 0.
inline vd load_floats(const float* p, int n) {
    vfi lanes;
    for (int k = 0; k < L; ++k)
        lanes[k] = k < n ? -1 : 0;
    return to_d((vf)_mm256_maskload_ps(p, (__m256i)lanes));
}
// The first n lanes of v as floats at p, one by one: the weight step reads them so, and a
// read of what one wide store wrote would wait for that store to reach the cache.
inline void store_floats(float* p, int n, vf v) {
    float f[L];
    std::memcpy(f, &v, sizeof f);
    for (int k = 0; k < n; ++k) {
        float x = f[k];
        asm("" : "+x"(x)); // one float at a time, not merged into wider moves
        p[k] = x;
    }
}
// a x b + sum as one float multiply-add, rounded once. The procedures round it to double and
// then to float, which differs only when the double sum falls exactly halfway between two
// floats: the double way is made too, from the same terms and off the way to the result, and
// the lanes where the two differ are cleared in `same`.
inline vf fma_checked(vf a, vf b, vf sum, vfi& same) {
    const vf next = (vf)_mm256_fmadd_ps((__m256)a, (__m256)b, (__m256)sum);
    same &= (vfi)to_f(madd(to_d(a), to_d(b), to_d(sum))) == (vfi)next;
    return next;
}
// `sigmoide` of the lanes below `lanes`; the lanes above keep whatever the fast way gives.
inline vd sigmoid_lanes(vd x, double ln_base, int lanes) {
    unsigned doubtful;
    vd r = sigmoid_fast<true>(x, ln_base, doubtful);
    doubtful &= (1u << lanes) - 1u;
    if (__builtin_expect(doubtful != 0, 0)) {
        double out[L];
        store(out, r);
        sigmoid_settle(out, x, doubtful);
        r = load(out);
    }
    return r;
}

// Weight w[j x stride] of each neuron j of the first layer in its lanes (read one by one, as
// they were written).
template <int H, int P> inline vd neuron_lanes(const float* w, int stride) {
    vd v = splat(static_cast<double>(w[0]));
    for (int j = 1; j < H; ++j)
        v = _mm512_mask_mov_pd(v, static_cast<__mmask8>(((1u << P) - 1u) << (j * P)),
                               splat(static_cast<double>(w[j * stride])));
    return v;
}

// The packed forward pass: the first layer's outputs h1 (lane (j, p)), the outputs y (lane p),
// and the inputs of all patterns in one vector (lane c x P + p).
template <int N1, int H, int P> struct Packed {
    static_assert(H * P <= L && H * (N1 + 1) <= L && N1 * P <= L && H < L);
    vd h1, y, inputs;
    vi pattern;    // lane q: pattern q % P
    vfi pattern32; // the same for floats
    Packed(const EspacoPasso& s, const float* w1, const float* w2, double ln_base);

private:
    bool sums_in_float(const vd* x, const float* w1, const float* w2, double ln_base);
    void sums_in_double(const vd* x, const float* w1, const float* w2, double ln_base);
};

// neuron_lanes in float, the lanes of each neuron set by a blend.
template <int H, int P> inline vf neuron_lanes_f(const float* w, int stride) {
    __m256 v = _mm256_set1_ps(w[0]);
    for (int j = 1; j < H; ++j) {
        vfi lanes;
        for (int q = 0; q < L; ++q)
            lanes[q] = q / P == j ? -1 : 0;
        v = _mm256_blendv_ps(v, _mm256_set1_ps(w[j * stride]), (__m256)lanes);
    }
    return (vf)v;
}

template <int N1, int H, int P>
Packed<N1, H, P>::Packed(const EspacoPasso& s, const float* w1, const float* w2, double ln_base) {
    const size_t ld = static_cast<size_t>(s.ld);
    for (int q = 0; q < L; ++q) {
        pattern[q] = q % P;
        pattern32[q] = q % P;
    }
    // The inputs, lane q = pattern q % P, and all of them in one vector, lane c x P + p.
    vd x[N1];
    inputs = splat(0.0);
    for (int c = 0; c < N1; ++c) {
        const vd row = load(s.x + static_cast<size_t>(c + 1) * ld);
        x[c] = pick(pattern, row);
        vi at; // lanes c x P + p from the row, the others kept
        for (int q = 0; q < L; ++q)
            at[q] = q >= c * P && q < (c + 1) * P ? L + q - c * P : q;
        inputs = pick2(inputs, at, row);
    }
    if (!sums_in_float(x, w1, w2, ln_base)) sums_in_double(x, w1, w2, ln_base);
}

// The layers' sums as the procedures make them: each step a product of two floats plus the sum
// so far, rounded to double, then to float.
template <int N1, int H, int P>
void Packed<N1, H, P>::sums_in_double(const vd* x, const float* w1, const float* w2,
                                      double ln_base) {
    constexpr int m1 = N1 + 1;
    // First layer: bias(j) + sum over c of x(c, p) w1(j, c), in c order, for every (j, p).
    h1 = neuron_lanes<H, P>(w1, m1);
    for (int c = 0; c < N1; ++c)
        h1 = rf(madd(x[c], neuron_lanes<H, P>(w1 + 1 + c, m1), h1));
    h1 = sigmoid_lanes(h1, ln_base, H * P);
    // The output: bias + sum over j of h1(j, p) w2(j), in j order, lanes p.
    y = splat(static_cast<double>(w2[0]));
    for (int j = 0; j < H; ++j)
        y = rf(madd(pick(pattern + j * P, h1), splat(static_cast<double>(w2[1 + j])), y));
    y = sigmoid_lanes(y, ln_base, P);
}

// The same sums with each step one checked float multiply-add; false when any step differs
// from the double way (the outputs are then to be made again in double).
template <int N1, int H, int P>
bool Packed<N1, H, P>::sums_in_float(const vd* x, const float* w1, const float* w2,
                                     double ln_base) {
    constexpr int m1 = N1 + 1;
    vfi same = vfi{} - 1;
    vf sum1 = neuron_lanes_f<H, P>(w1, m1);
    for (int c = 0; c < N1; ++c)
        sum1 = fma_checked(to_f(x[c]), neuron_lanes_f<H, P>(w1 + 1 + c, m1), sum1, same);
    h1 = sigmoid_lanes(to_d(sum1), ln_base, H * P);
    const vf h1f = to_f(h1);
    vf sum2 = (vf)_mm256_set1_ps(w2[0]);
    for (int j = 0; j < H; ++j)
        sum2 =
            fma_checked(pick_f(pattern32 + j * P, h1f), (vf)_mm256_set1_ps(w2[1 + j]), sum2, same);
    y = sigmoid_lanes(to_d(sum2), ln_base, P);
    return _mm256_movemask_ps((__m256)same) == 0xFF;
}

// The set's error (`calculo_erro_conjunto`) through the packed forward pass.
template <int N1, int H, int P>
float erro_packed(const EspacoPasso& s, const float* w1, const float* w2) {
    const Packed<N1, H, P> f(s, w1, w2, ln_of_base());
    const vd diff = load(s.t) - f.y;
    double squares[L];
    store(squares, diff * diff);
    float total = 0.0f;
    for (int p = 0; p < P; ++p)
        total = static_cast<float>(squares[p] + static_cast<double>(total));
    return total;
}

template <int N1, int H, int P>
float gradiente_packed(const EspacoPasso& s, const float* w1, const float* w2, float* v1,
                       float* v2) {
    constexpr int m1 = N1 + 1, m2 = H + 1;
    const Packed<N1, H, P> f(s, w1, w2, ln_of_base());
    const vd h1 = f.h1, y = f.y, inputs = f.inputs, ones = splat(1.0);
    // The error of each pattern, then their running sum.
    const vd t = load(s.t);
    const vd diff = t - y;
    double e[L];
    store(e, rf(diff * diff + splat(0.0)));
    float total = 0.0f;
    for (int p = 0; p < P; ++p)
        total = static_cast<float>(e[p] + static_cast<double>(total));
    // Deltas: the output's, then the first layer's through w2, lane q = (j, p).
    // Each is taken to float as it is made (what rf gives, without the way back to double),
    // and the first layer's sum d2 x w2(j) + 0 is made in float: the product of two floats is
    // exact in double, so the double way rounds once to float too.
    const vf d2f = to_f((t - y) * y * (splat(1.0) - y));
    const vf through =
        (vf)_mm256_fmadd_ps((__m256)pick_f(f.pattern32, d2f),
                            (__m256)neuron_lanes_f<H, P>(w2 + 1, 1), _mm256_setzero_ps());
    const vf d1f = to_f(h1 * to_d(through) * (splat(1.0) - h1));
    const vd d2 = to_d(d2f);
    // The variations, pattern after pattern: lane k = (j, t) of the first layer, t of the
    // output, each input t of a pattern (the bias input 1 first) picked into its lanes.
    const vd start1 = load_floats(v1, H * m1);
    vd a2 = load_floats(v2, m2);
    // The lanes to pick for pattern 0; pattern p picks p lanes further on (an index of 8 or
    // more picks from the ones, which are all 1).
    vi input1, input2;
    vfi delta1;
    for (int k = 0; k < L; ++k) {
        const int j = k / m1 % H, in = k % m1;
        delta1[k] = j * P;
        input1[k] = in == 0 ? L : (in - 1) * P;
        input2[k] = k == 0 || k >= m2 ? L : (k - 1) * P;
    }
    // The first layer's variations, which the next weight step waits for, advance by checked
    // float multiply-adds, and are made again in double if any step differs.
    vf a1 = to_f(start1);
    vfi same = vfi{} - 1;
    for (int p = 0; p < P; ++p) {
        const vi next = vi{} + p;
        a1 = fma_checked(pick_f(delta1 + p, d1f), to_f(pick2(inputs, input1 + next, ones)), a1,
                         same);
        a2 = rf(madd(pick(next, d2), pick2(h1, input2 + next, ones), a2));
    }
    const unsigned lanes1 = (1u << (H * m1)) - 1u;
    if (__builtin_expect(
            (static_cast<unsigned>(_mm256_movemask_ps((__m256)same)) & lanes1) != lanes1, 0)) {
        vd exact = start1;
        for (int p = 0; p < P; ++p) {
            const vi next = vi{} + p;
            exact =
                rf(madd(to_d(pick_f(delta1 + p, d1f)), pick2(inputs, input1 + next, ones), exact));
        }
        a1 = to_f(exact);
    }
    store_floats(v1, H * m1, a1);
    store_floats(v2, m2, to_f(a2));
    return total;
}
#endif

// True when the passes of the set take the one-vector way: the set is staged once and fits one
// vector, and the network is small enough for its variations to be summed one by one.
inline bool one_vector(const EspacoPasso& s) {
    return s.posto && s.ld == L && s.pesos <= 512;
}

float erro(const EspacoPasso& s, const float* w1, const float* w2, const float* w3) {
    if (!one_vector(s)) return erro_tiles(s, w1, w2, w3);
#if CORVANE_LANES == 8 && defined(__AVX512F__)
    if (const Widths<2, 2, 1, 4> n(s); n.fits(s)) return erro_packed<2, 2, 4>(s, w1, w2);
#endif
    return erro_vector(s, w1, w2, w3);
}

float gradiente(const EspacoPasso& s, const float* w1, const float* w2, const float* w3, float* v1,
                float* v2, float* v3) {
    if (!one_vector(s)) return gradiente_tiles(s, w1, w2, w3, v1, v2, v3);
    // The shapes built fixed: two inputs, two or three sigmoid neurons, one sigmoid output;
    // with four patterns (the two-input truth tables) their count is built in too.
    if (const Widths<2, 2, 1, 4> n(s); n.fits(s)) {
#if CORVANE_LANES == 8 && defined(__AVX512F__)
        return gradiente_packed<2, 2, 4>(s, w1, w2, v1, v2);
#else
        return gradiente_vector(s, n, w1, w2, w3, v1, v2, v3);
#endif
    }
    if (const Widths<2, 3, 1, 4> n(s); n.fits(s))
        return gradiente_vector(s, n, w1, w2, w3, v1, v2, v3);
    if (const Widths<2, 2, 1> n(s); n.fits(s))
        return gradiente_vector(s, n, w1, w2, w3, v1, v2, v3);
    if (const Widths<2, 3, 1> n(s); n.fits(s))
        return gradiente_vector(s, n, w1, w2, w3, v1, v2, v3);
    return gradiente_vector(s, Widths<>(s), w1, w2, w3, v1, v2, v3);
}

void sigmoid_only(double* s, int count) {
    sigmoid_row(s, count, ln_of_base());
}

} // namespace

const Nucleo entrada{erro, gradiente, L, sigmoid_only};

} // namespace CORVANE_KERNEL_NS
} // namespace corvane
