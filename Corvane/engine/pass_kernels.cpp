#include "pass_kernels.h"

namespace corvane {

namespace {

bool suportado(NucleoVectorial n) {
    switch (n) {
    case NucleoVectorial::portavel:
        return true;
#if defined(CORVANE_X86_KERNELS)
    case NucleoVectorial::avx2:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    case NucleoVectorial::avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("fma");
#endif
    default:
        return false;
    }
}

NucleoVectorial mais_largo() {
    auto all = nucleos_disponiveis();
    return all.back();
}

NucleoVectorial& escolhido() {
    static NucleoVectorial n = mais_largo();
    return n;
}

} // namespace

std::vector<NucleoVectorial> nucleos_disponiveis() {
    std::vector<NucleoVectorial> all;
    for (auto n : {NucleoVectorial::portavel, NucleoVectorial::avx2, NucleoVectorial::avx512})
        if (suportado(n)) all.push_back(n);
    return all;
}

NucleoVectorial nucleo_activo() {
    return escolhido();
}

void define_nucleo(NucleoVectorial n) {
    if (suportado(n)) escolhido() = n;
}

const char* nome_nucleo(NucleoVectorial n) {
    switch (n) {
    case NucleoVectorial::avx2:
        return "AVX2";
    case NucleoVectorial::avx512:
        return "AVX-512";
    default:
        return "portable";
    }
}

const Nucleo& nucleo() {
    switch (escolhido()) {
#if defined(CORVANE_X86_KERNELS)
    case NucleoVectorial::avx2:
        return nucleo_avx2::entrada;
    case NucleoVectorial::avx512:
        return nucleo_avx512::entrada;
#endif
    default:
        return nucleo_portavel::entrada;
    }
}

} // namespace corvane
