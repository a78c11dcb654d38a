// VOXA_VECTOR_CLONES marks a hot kernel whose loops the compiler vectorises:
// on x86-64 with GCC it is built twice, for the baseline and for AVX2
// (x86-64-v3), and the loader picks the copy the processor runs. Integer
// results are the same in both: products and sums wrap the same way.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__) && \
    !defined(VOXA_NO_VECTOR_CLONES)
#define VOXA_VECTOR_CLONES __attribute__((target_clones("default", "arch=x86-64-v3")))
#else
#define VOXA_VECTOR_CLONES
#endif
