#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property stops the run with the condition's text, so libFuzzer keeps the input as a
// crash and the corpus replay fails.
#define VESKEL_FUZZ_CHECK(condition)                                                            \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)
