// Work spread over a few threads: every index is done exactly once whatever the thread count,
// and a failure of one piece reaches the caller without losing the rest of the work.
#include "orv/gtest.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

#include "ParallelRun.h"

namespace {

struct RunCase {
    const char* name;
    std::size_t count;
    std::size_t threads;
};

class ParallelRunEach : public ::testing::TestWithParam<RunCase> {};

TEST_P(ParallelRunEach, DoesEveryIndexOnce)
{
    const RunCase& run = GetParam();
    std::vector<LONG> done(run.count, 0);
    volatile LONG busy = 0;
    volatile LONG mostBusy = 0;
    ParallelRun::forEach(run.count, run.threads, [&](std::size_t i) {
        const LONG now = InterlockedIncrement(&busy);
        for (LONG seen = mostBusy; now > seen; seen = mostBusy)
            InterlockedCompareExchange(&mostBusy, now, seen);
        InterlockedIncrement(&done[i]);
        Sleep(i % 4 == 0 ? 1 : 0);
        InterlockedDecrement(&busy);
    });
    for (std::size_t i = 0; i < run.count; ++i)
        EXPECT_EQ(1, done[i]) << "index " << i;
    EXPECT_EQ(0, busy);
    EXPECT_LE(static_cast<std::size_t>(mostBusy), std::max<std::size_t>(run.threads, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ParallelRunEach,
    ::testing::Values(RunCase{"nothing", 0, 4}, RunCase{"one_on_many_threads", 1, 8},
                      RunCase{"fewer_than_threads", 3, 8}, RunCase{"no_thread_asked", 50, 0},
                      RunCase{"one_thread", 50, 1}, RunCase{"many_on_eight", 5000, 8}),
    [](const ::testing::TestParamInfo<RunCase>& info) { return info.param.name; });

TEST(ParallelRun, AFailureIsRethrownAfterTheRestIsDone)
{
    std::vector<LONG> done(1000, 0);
    try {
        ParallelRun::forEach(done.size(), 4, [&](std::size_t i) {
            if (i % 100 == 7)
                throw std::runtime_error("piece " + std::to_string(i));
            InterlockedIncrement(&done[i]);
        });
        FAIL() << "no exception reached the caller";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(0u, std::string(e.what()).find("piece "));
    }
    for (std::size_t i = 0; i < done.size(); ++i)
        EXPECT_EQ(i % 100 == 7 ? 0 : 1, done[i]) << "index " << i;
}

TEST(ParallelRun, ThreadsForATable)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    const std::size_t processors = system.dwNumberOfProcessors;
    EXPECT_EQ(1u, ParallelRun::threadsFor(0, 8, false));
    EXPECT_EQ(1u, ParallelRun::threadsFor(63, 8, false));    // too little to share
    EXPECT_EQ(2u, ParallelRun::threadsFor(128, 8, false));   // 64 items at least each
    EXPECT_EQ(8u, ParallelRun::threadsFor(100000, 8, false));
    EXPECT_EQ(1u, ParallelRun::threadsFor(100000, 0, false));
    EXPECT_EQ(std::min<std::size_t>(16, processors), ParallelRun::threadsFor(100000, 16, true));
}

}  // namespace
