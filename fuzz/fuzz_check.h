#pragma once
// A broken promise stops the run where it happened, leaving the input behind as a crash.

#define FUZZ_REQUIRE(condition)             \
    do {                                    \
        if (!(condition)) __builtin_trap(); \
    } while (false)
