// One parser under mutation: its seeds (real inputs of the kind it reads), the pieces of its
// format worth splicing in, and the bounds every input must keep.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Thrown by a target's run when a parser broke a property (a result that contradicts its input).
struct FuzzFailure : std::runtime_error {
    explicit FuzzFailure(const std::string& what) : std::runtime_error(what) {}
};

struct FuzzTarget {
    std::string name;
    std::vector<std::string> seeds;
    std::vector<std::string> tokens;         // format pieces inserted by the mutator
    bool dnsNames = false;                   // add compression-pointer loops and strays
    std::size_t maxInput = 64 * 1024;        // longer mutants are cut to this
    unsigned timeLimitMs = 5000;             // an input taking longer is reported as a hang
    std::size_t memoryFixed = 1 << 20;       // peak bytes allowed: fixed + perByte * input
    std::size_t memoryPerByte = 64;
    bool checkLeaks = true;                  // live bytes after an input must be as before it
    std::function<void()> setUp;             // once, before the seeds
    std::function<void()> tearDown;
    std::function<void(const std::string&)> run;
};

// The targets by family (FuzzTargets*.cpp); each takes the scratch folder (Windows path).
std::vector<FuzzTarget> dnsTargets();
std::vector<FuzzTarget> mailTextTargets();
std::vector<FuzzTarget> mailWireTargets();
std::vector<FuzzTarget> htmlTargets();
std::vector<FuzzTarget> itemFileTargets(const std::string& scratch);
std::vector<FuzzTarget> archiveTargets();
