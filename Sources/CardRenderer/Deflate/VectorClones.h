#pragma once

// Marks a function whose loops the compiler vectorises: built twice, for processors with AVX2
// (twice the bytes a step) and for any x86-64, the one to run chosen when the program loads.
// Where that is not available (other compilers, processors) the function is built once.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VESKEL_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VESKEL_VECTOR_CLONES
#endif
