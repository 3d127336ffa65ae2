// Runs a target over its seeds and then over count mutants, each under the target's time and
// memory bounds. A crash, a hang, a broken property, a peak above the bound or bytes not given
// back are reported with the input (escaped) and the arguments that make that input alone again.
#pragma once

#include <cstdint>

#include "FuzzTarget.h"

struct FuzzSummary {
    std::uint64_t inputs = 0;
    std::uint64_t failures = 0;
    unsigned slowestMs = 0;
    std::uint64_t slowestIndex = 0;
    std::size_t peakBytes = 0;
    std::size_t peakInputBytes = 0;
    std::uint64_t peakIndex = 0;
    std::size_t largestInput = 0;
};

class FuzzRunner {
public:
    // Reports and the summary go to standard output (the clients' diagnostics use standard error).
    static FuzzSummary run(const FuzzTarget& target, std::uint64_t count, std::uint64_t seed,
                           std::uint64_t from);
};
