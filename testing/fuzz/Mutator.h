// Seeded mutation of real inputs: bit flips, byte changes, truncations, duplications and
// deletions of chunks, length fields set to extremes, decimal numbers set to extremes, format
// tokens spliced in, long repeats, and for DNS messages compression pointers that loop. The
// mutant of input number i depends only on (seed, i), so any input can be made again alone.
#pragma once

#include <cstdint>
#include <string>

#include "FuzzTarget.h"

class Mutator {
public:
    explicit Mutator(const FuzzTarget& target) : target_(target) {}

    std::string mutant(std::uint64_t seed, std::uint64_t index) const;

private:
    class Random;
    void mutateOnce(std::string& data, Random& random) const;

    const FuzzTarget& target_;
};
