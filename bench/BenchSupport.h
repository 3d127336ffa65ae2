// Measuring helpers shared by the benchmark programs: a monotonic clock, the CPU time and resident
// memory of this process and of its wineserver (read from /proc: every Winsock, file and wait call
// of a Winelib program is a wineserver round trip, so the server's share is part of the cost),
// percentiles, and the result lines scripts/bench collects.
//
// The benchmarks run in a PID namespace of their own (scripts/bench), where the only wineserver
// is the one serving this program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// Milliseconds on a monotonic clock.
double nowMs();

struct ProcessSample {
    double cpuMs = 0;      // user + system time of every thread so far
    double rssKb = 0;      // resident memory now
    int threads = 0;
};

// This process; the wineserver (all zero when none is found).
ProcessSample sampleSelf();
ProcessSample sampleWineserver();

// CPU of this process and its wineserver between two moments.
struct CpuSpan {
    ProcessSample selfStart, serverStart;
    void begin();
    // Milliseconds of CPU since begin: of the process, of the wineserver.
    double selfMs() const;
    double serverMs() const;
};

// Percentile p (0..100) of the values (nearest rank); 0 for none. Sorts a copy.
double percentile(std::vector<double> values, double p);

// Open file descriptors of this process, and the most it may hold (RLIMIT_NOFILE). Wine gives
// every thread a few descriptors of its own, so the limit bounds the number of threads.
int openFiles();
long fileLimit();

// System memory still available (MemAvailable), in kB.
double availableMemoryKb();

// "RESULT <key> <value>" on standard output, flushed: what scripts/bench reads.
void result(const std::string& key, double value);
void result(const std::string& key, const std::string& text);
// A progress line on standard error.
void note(const std::string& text);

// Integer value of "--name=value" among the arguments, or the fallback.
long long intArg(int argc, char** argv, const char* name, long long fallback);
std::string textArg(int argc, char** argv, const char* name, const std::string& fallback);

// Windows form of a Unix path: /a/b -> Z:\a\b
std::string windowsPath(const std::string& unixPath);

}  // namespace bench
