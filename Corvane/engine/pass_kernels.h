// The vector kernels of the set passes, built once per instruction set (a portable build for
// any x86-64 or other processor, and AVX2 and AVX-512 builds on x86-64) and chosen when the
// program starts from what the processor offers. Every build gives the same digits: each sum
// takes its terms in the same order with the same float/double rounding; the wider builds only
// work on more patterns or neurons at a time (and use fused multiply-adds only where the product
// of two floats is exact in double, so that fusing changes nothing, or where each result is
// checked against the unfused one and made again if it differs).
#pragma once

#include <cstddef>
#include <vector>

namespace corvane {

/// The kernel builds.
enum class NucleoVectorial { portavel, avx2, avx512 };

/// The builds this processor can run, the portable one first.
std::vector<NucleoVectorial> nucleos_disponiveis();
/// The build the passes use: the widest available unless `define_nucleo` chose another.
NucleoVectorial nucleo_activo();
/// Makes the passes use build n (which must be available); for tests and benchmarks.
void define_nucleo(NucleoVectorial n);
const char* nome_nucleo(NucleoVectorial n);

/// Uses build n for the lifetime of the object, then the previous one again.
class ScopedNucleo {
public:
    explicit ScopedNucleo(NucleoVectorial n) : previous_(nucleo_activo()) { define_nucleo(n); }
    ~ScopedNucleo() { define_nucleo(previous_); }
    ScopedNucleo(const ScopedNucleo&) = delete;
    ScopedNucleo& operator=(const ScopedNucleo&) = delete;

private:
    NucleoVectorial previous_;
};

/// Everything a set pass works on, as plain pointers (the kernels use nothing else, so that no
/// code built for a wide instruction set is shared with the rest of the program).
///
/// Data: the set's inputs and targets, pattern by pattern (as `Matriz` holds them).
/// Tiles: up to `bloco` patterns at a time, one row of `ld` doubles per input or neuron; row 0
/// of `x`, `h1`, `h2` is all ones (the bias input), the values follow from row 1.
/// Accumulators: the variations input by input, `jp` (neurons rounded up to 8) per row.
struct EspacoPasso {
    // Architecture.
    int n_entradas, n_oculta1, n_oculta2, n_saidas;
    bool camada_linear;
    int pesos; // all weights of the network
    // Data.
    const float* entradas;
    const float* saidas;
    int n_padroes;
    // True when the whole set fits one tile and already lies in `x` and `t` (staged once, when
    // the tiles were made).
    bool posto;
    // Tiles.
    int bloco, ld;
    double *x, *h1, *h2, *y, *t, *e;
    double *d1, *d2, *d3;
    // Weights as doubles in their own order, and for the backward pass input by input.
    double *w1, *w2, *w3, *w2t, *w3t;
    // Deltas pattern by pattern (jp per pattern) and the accumulators input by input.
    int jp1, jp2, jp3;
    double *dt1, *dt2, *dt3;
    double *a1, *a2, *a3;
};

/// One build's entry points.
struct Nucleo {
    /// `calculo_erro_conjunto` for the weights w1, w2, w3 (w3 only with the linear layer).
    float (*erro)(const EspacoPasso&, const float* w1, const float* w2, const float* w3);
    /// The batch pass: every pattern's forward pass, deltas and variations (added into v1, v2,
    /// v3 in pattern order); returns the sum of the patterns' `erro_padrao`.
    float (*gradiente)(const EspacoPasso&, const float* w1, const float* w2, const float* w3,
                       float* v1, float* v2, float* v3);
    /// Lanes of double per vector: the tile width is a multiple of it.
    int largura;
    /// `sigmoide` of count floats held in doubles (count a multiple of `largura`), in place.
    void (*sigmoide)(double* s, int count);
};

const Nucleo& nucleo();

namespace nucleo_portavel {
extern const Nucleo entrada;
}
namespace nucleo_avx2 {
extern const Nucleo entrada;
}
namespace nucleo_avx512 {
extern const Nucleo entrada;
}

} // namespace corvane
