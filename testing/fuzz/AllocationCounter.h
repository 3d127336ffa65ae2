// Counts the bytes held through operator new, for the whole process: the fuzz runs check that
// what a parser holds at its peak stays within a bound set by its input, and that it gives back
// what it took. The program that includes AllocationCounter.cpp replaces the global operator
// new and delete; every allocation of the C++ library goes through them.
#pragma once

#include <cstddef>

class AllocationCounter {
public:
    // Bytes held now.
    static std::size_t live();
    // Highest live() since the last resetPeak().
    static std::size_t peak();
    static void resetPeak();

    // Called by the replaced operators only.
    static void added(std::size_t bytes);
    static void removed(std::size_t bytes);
};
