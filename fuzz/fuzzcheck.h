#pragma once

#include <cstdio>
#include <cstdlib>

// A property a harness checks on every input: a violation is a finding, reported with the
// condition and its place, and stops the run like a crash does.
#define LP_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
