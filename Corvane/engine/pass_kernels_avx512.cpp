// The set-pass kernels built for AVX-512 (eight doubles per vector).
#define CORVANE_LANES 8
#define CORVANE_KERNEL_NS nucleo_avx512
#include "pass_kernels_impl.h"
