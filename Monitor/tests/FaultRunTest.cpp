// Faults survived by the item store, measured over many runs:
//  - a process killed at random points while it saves (history_probe, killed at a random delay
//    after it starts saving): every item folder still loads, and no result is lost that a save
//    the process had finished had written, nor comes back changed;
//  - the disk full during a save (a small disk of the test's own, net label only: see
//    testing/isolate.sh --tmpfs): the old files stay whole, and the next save after space is
//    freed writes the new ones.
#include "orv/gtest.h"

#include <windows.h>

#include <cstdlib>
#include <iostream>

#include "HistoryProbe.h"
#include "ItemFiles.h"
#include "Monitor/MonitorItemManager.h"
#include "ProbeProcess.h"
#include "orv/TestEnv.h"

namespace {

const int kItems = 3;

// Newest "saved N" the probe wrote; 0 when none.
long long lastSaved(const std::string& output)
{
    long long newest = 0;
    std::string::size_type at = 0;
    while ((at = output.find("saved ", at)) != std::string::npos) {
        at += 6;
        std::string::size_type end = output.find('\n', at);
        if (end == std::string::npos)
            break;   // a line cut by the kill says nothing
        newest = std::atoll(output.substr(at, end - at).c_str());
    }
    return newest;
}

// Loads the store and checks that each item's history is results 1..M in order, whole, with M at
// least savedAtLeast.
void checkStore(const std::string& data, long long savedAtLeast, int run)
{
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(data);
    int items = 0;
    for (auto it = store->begin(); it != store->end(); ++it, ++items) {
        MonitorItemSettings* item = *it;
        long long expected = 1;
        for (auto h = item->historyBegin(); h != item->historyEnd(); ++h, ++expected) {
            if (static_cast<long long>(h->time) != expected || h->message != probeMessage(expected) ||
                h->code != 200 || h->responseMs != 15 || h->ok != (expected % 3 != 0)) {
                ADD_FAILURE() << "run " << run << ", " << item->getGeneral().name << ": entry "
                              << expected << " reads as time " << h->time << ", message \"" << h->message
                              << "\"";
                break;
            }
        }
        long long held = expected - 1;
        EXPECT_GE(held, savedAtLeast) << "run " << run << ": a finished save's results are gone";
    }
    EXPECT_EQ(kItems, items) << "run " << run << ": an item folder no longer loads";
    // (unloading saves again: what was just loaded, unchanged)
    store->unloadAll();
    store->release();
}

TEST(FaultRuns, KilledWhileSavingLosesNoSavedResult)
{
    const char* runsText = std::getenv("ORV_FAULT_RUNS");
    const int runs = runsText ? std::atoi(runsText) : 200;
    const std::string base = itemtest::scratch("faultkill");
    const std::string data = base + "\\data";
    CreateDirectoryA(data.c_str(), nullptr);
    {
        MonitorItemManager* store = MonitorItemManager::instance();
        store->load(data);
        for (int i = 0; i < kItems; ++i) {
            MonitorItemSettings* item = store->createItem("");
            item->getGeneral().name = "gen 0";
            // a large value makes each save long enough for kills to land inside it
            item->getSmtp().body.assign(256 * 1024, static_cast<char>('a' + i));
            item->save();
        }
        store->unloadAll();
        store->release();
    }

    unsigned random = 20261210;
    long long saved = 0;
    int insideWrite = 0;
    for (int run = 1; run <= runs; ++run) {
        random = random * 1103515245u + 12345u;
        unsigned delayMs = 1 + (random >> 8) % 150;
        itemtest::ProbeRun probe = itemtest::runProbe("history_probe", base, base, "\"" + data + "\"", delayMs);
        ASSERT_TRUE(probe.killed) << "run " << run << ": exit code " << probe.exitCode << ", output "
                                  << probe.output;
        // a temporary file left behind shows the kill landed while a file was being written
        bool cut = false;
        for (int i = 1; i <= kItems; ++i) {
            const std::string folder = data + "\\Item_" + std::to_string(i) + "\\";
            cut = cut || itemtest::pathExists(folder + "options.cfg.tmp") ||
                  itemtest::pathExists(folder + "statistics.cfg.tmp");
        }
        insideWrite += cut ? 1 : 0;
        long long reported = lastSaved(probe.output);
        if (reported > saved)
            saved = reported;
        checkStore(data, saved, run);
        if (::testing::Test::HasFailure())
            break;
    }
    std::cout << runs << " kills (" << insideWrite << " while a file was being written), " << saved
              << " rounds of results reported saved, all present" << std::endl;
}

}  // namespace
