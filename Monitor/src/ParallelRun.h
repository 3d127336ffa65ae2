// Runs one piece of work per index on a few threads at once: the store reads and writes thousands
// of independent item folders at start-up and shut-down, and most of that time is spent waiting
// for the disk.
#pragma once

#include <cstddef>
#include <functional>

namespace ParallelRun {

// Calls work(i) once for every i below count, on up to `threads` threads (the calling thread is
// one of them, so the work is done even when no thread can be started). Returns when every call
// has returned. When calls throw, the others still run and the first exception is rethrown here.
void forEach(std::size_t count, std::size_t threads, const std::function<void(std::size_t)>& work);

// How many threads a run over `count` items takes: at most `most`, none for fewer than 64 items
// each, and, when the work is mostly computation, no more than the machine has processors.
std::size_t threadsFor(std::size_t count, std::size_t most, bool boundByProcessors);

}  // namespace ParallelRun
