// The set-pass kernels built for AVX2 with FMA (four doubles per vector).
#define CORVANE_LANES 4
#define CORVANE_KERNEL_NS nucleo_avx2
#include "pass_kernels_impl.h"
