// The set-pass kernels built for any processor (two doubles per vector).
#define CORVANE_LANES 2
#define CORVANE_KERNEL_NS nucleo_portavel
#include "pass_kernels_impl.h"
