#include "FuzzRunner.h"

#include <windows.h>

#include <cctype>
#include <cstdio>
#include <exception>
#include <string>

#include "AllocationCounter.h"
#include "Mutator.h"

namespace {

// What the crash handler and the watchdog need to name the input at fault.
struct Current {
    const FuzzTarget* target = nullptr;
    const std::string* input = nullptr;
    std::uint64_t seed = 0;
    std::uint64_t index = 0;
    bool isSeed = false;
    volatile LONG busy = 0;
    volatile DWORD startTick = 0;
};
Current g_current;

std::string escaped(const std::string& input, std::size_t limit)
{
    std::string out;
    char hex[8];
    for (std::size_t i = 0; i < input.size() && i < limit; ++i) {
        unsigned char c = static_cast<unsigned char>(input[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
            // a hex escape swallows following hex digits: close the literal
            if (i + 1 < input.size() && std::isxdigit(static_cast<unsigned char>(input[i + 1])))
                out += "\" \"";
        }
    }
    if (input.size() > limit)
        out += "\" ... (" + std::to_string(input.size()) + " bytes)";
    else
        out += "\"";
    return "\"" + out;
}

void describeCurrent(const char* what)
{
    const Current& c = g_current;
    std::fprintf(stdout, "%s: %s, %s %llu of seed %llu (%zu bytes)\n", what,
                 c.target ? c.target->name.c_str() : "?", c.isSeed ? "seed input" : "input",
                 static_cast<unsigned long long>(c.index), static_cast<unsigned long long>(c.seed),
                 c.input ? c.input->size() : 0);
    if (c.input)
        std::fprintf(stdout, "  input: %s\n", escaped(*c.input, 4096).c_str());
    if (c.target && !c.isSeed)
        std::fprintf(stdout, "  again: orv_fuzz %s --count 1 --seed %llu --from %llu\n",
                     c.target->name.c_str(), static_cast<unsigned long long>(c.seed),
                     static_cast<unsigned long long>(c.index));
    std::fflush(stdout);
}

LONG WINAPI onCrash(EXCEPTION_POINTERS* info)
{
    char what[64];
    std::snprintf(what, sizeof what, "CRASH (exception %08lX)",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    describeCurrent(what);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

void onTerminate()
{
    describeCurrent("CRASH (uncaught C++ exception)");
    TerminateProcess(GetCurrentProcess(), 3);
}

DWORD WINAPI watchdog(void*)
{
    for (;;) {
        Sleep(50);
        // The start is read before the clock and confirmed afterwards: read the other way round,
        // an input that started between the two reads gave a negative (huge unsigned) time.
        const DWORD start = g_current.startTick;
        const DWORD now = GetTickCount();
        if (g_current.busy && g_current.target && g_current.startTick == start &&
            static_cast<LONG>(now - start) > static_cast<LONG>(g_current.target->timeLimitMs)) {
            char what[64];
            std::snprintf(what, sizeof what, "HANG (over %u ms)", g_current.target->timeLimitMs);
            describeCurrent(what);
            TerminateProcess(GetCurrentProcess(), 4);
        }
    }
}

// One input under the bounds; false (reported) when it broke one.
bool runOne(const FuzzTarget& target, const std::string& input, FuzzSummary& summary)
{
    const std::size_t before = AllocationCounter::live();
    AllocationCounter::resetPeak();
    g_current.input = &input;
    g_current.startTick = GetTickCount();
    InterlockedExchange(&g_current.busy, 1);
    std::string broken;
    try {
        target.run(input);
    } catch (const FuzzFailure& f) {
        broken = f.what();
    }
    InterlockedExchange(&g_current.busy, 0);
    const unsigned elapsed = GetTickCount() - g_current.startTick;
    const std::size_t peak = AllocationCounter::peak() - before;
    const std::size_t after = AllocationCounter::live();

    ++summary.inputs;
    if (input.size() > summary.largestInput)
        summary.largestInput = input.size();
    if (elapsed > summary.slowestMs) {
        summary.slowestMs = elapsed;
        summary.slowestIndex = g_current.index;
    }
    if (peak > summary.peakBytes) {
        summary.peakBytes = peak;
        summary.peakInputBytes = input.size();
        summary.peakIndex = g_current.index;
    }
    const std::size_t allowed = target.memoryFixed + target.memoryPerByte * input.size();
    if (broken.empty() && peak > allowed)
        broken = "held " + std::to_string(peak) + " bytes at its peak, more than the " +
                 std::to_string(allowed) + " its input allows";
    if (broken.empty() && target.checkLeaks && after > before)
        broken = "kept " + std::to_string(after - before) + " bytes after it returned";
    if (broken.empty())
        return true;
    ++summary.failures;
    if (summary.failures <= 5)
        describeCurrent(("FAILED (" + broken + ")").c_str());
    return false;
}

}  // namespace

FuzzSummary FuzzRunner::run(const FuzzTarget& target, std::uint64_t count, std::uint64_t seed,
                            std::uint64_t from)
{
    static bool installed = false;
    if (!installed) {
        installed = true;
        SetUnhandledExceptionFilter(onCrash);
        std::set_terminate(onTerminate);
        CloseHandle(CreateThread(nullptr, 0, watchdog, nullptr, 0, nullptr));
    }
    FuzzSummary summary;
    g_current.target = &target;
    g_current.seed = seed;
    if (target.setUp)
        target.setUp();

    // The seeds as they are, twice: the first pass also fills whatever is made once per process
    // (Winsock, code page tables), which would otherwise count as kept by the first mutant.
    g_current.isSeed = true;
    for (int pass = 0; pass < 2; ++pass) {
        FuzzSummary ignored;
        for (std::size_t i = 0; i < target.seeds.size(); ++i) {
            g_current.index = i;
            if (pass == 0) {
                g_current.input = &target.seeds[i];
                try {
                    target.run(target.seeds[i]);
                } catch (const FuzzFailure& f) {
                    describeCurrent((std::string("FAILED on a seed (") + f.what() + ")").c_str());
                    ++summary.failures;
                }
            } else if (!runOne(target, target.seeds[i], ignored)) {
                ++summary.failures;
            }
        }
    }

    g_current.isSeed = false;
    Mutator mutator(target);
    for (std::uint64_t i = from; i < from + count; ++i) {
        g_current.index = i;
        const std::string input = mutator.mutant(seed, i);
        runOne(target, input, summary);
    }
    g_current.input = nullptr;
    if (target.tearDown)
        target.tearDown();
    std::printf("%-12s %9llu inputs (seed %llu), %llu failures; slowest %u ms (input %llu); peak %zu bytes "
                "(input %llu, %zu bytes); largest input %zu bytes\n",
                target.name.c_str(), static_cast<unsigned long long>(summary.inputs),
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(summary.failures),
                summary.slowestMs, static_cast<unsigned long long>(summary.slowestIndex), summary.peakBytes,
                static_cast<unsigned long long>(summary.peakIndex), summary.peakInputBytes, summary.largestInput);
    std::fflush(stdout);
    return summary;
}
