// Marks a hot loop function to be compiled twice, for plain x86-64 and for AVX2, the right one
// chosen when the program starts. Both compute the same IEEE results (no fused multiply-add:
// ISO C++ mode keeps every product and sum rounded on its own); AVX2 only does four doubles at
// a time instead of two.
#pragma once

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) &&                             \
    !defined(__SANITIZE_ADDRESS__)
#define CORVANE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CORVANE_VECTOR_CLONES
#endif
