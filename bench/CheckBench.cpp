// Worker benchmark: many items of one check type run by the workers library as a host runs them,
// against a loopback target that scripts/bench started. Measures the CPU per check of the process
// and of its wineserver, resident memory per running item, how late cycles start, and how long
// stopAll takes.
//
//   orvbench_checks --mode=port|http --items=N --interval=S --window=S --address=A --port=P
//   orvbench_checks --mode=threads --items=N      (idle Win32 threads: the memory floor)
//   orvbench_checks --mode=scale --items=N --interval=S --step=N --settle=S --hold=S
//                   --budget=S --reserve-mb=N --address=A --port=P
//
// scale adds items step by step until all run or something gives out (a thread that does not
// start, a failed check, the memory reserve of the machine, the time budget), then holds them for
// a further cycle and reports how far it got and what failed first.
#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemManager.h"
#include "workers/Notifier.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

namespace {

// Watches one worker's cycles. A cycle starts with a status refresh while the item is busy and
// ends with one after it is no longer busy; the worker then sleeps for the interval less the
// whole seconds the cycle took (at least one), so the next start is due at end + that sleep.
// Every call comes on the worker's own thread; the main thread reads the counters.
class CycleNotifier : public Notifier {
public:
    CycleNotifier(MonitorItemSettings* item, int intervalSeconds)
        : item_(item), intervalSeconds_(intervalSeconds)
    {
        InitializeCriticalSection(&lock_);
    }

    void notify(int event, const std::string&) override
    {
        double now = bench::nowMs();
        if (event == NotifyStatusRefresh) {
            bool busy;
            {
                MonitorItemLock lock(item_);
                busy = item_->getStatus().busy != 0;
            }
            if (busy) {
                if (haveEnd_) {
                    EnterCriticalSection(&lock_);
                    lateness_.push_back(std::make_pair(now, now - dueMs_));
                    LeaveCriticalSection(&lock_);
                }
                startMs_ = now;
                InterlockedIncrement(&started_);
            } else {
                int tookSeconds = static_cast<int>((now - startMs_) / 1000.0);
                int sleepSeconds = std::max(1, intervalSeconds_ - tookSeconds);
                dueMs_ = now + sleepSeconds * 1000.0;
                haveEnd_ = true;
            }
        } else if (event == NotifyCycleSucceeded) {
            InterlockedIncrement(&succeeded_);
        } else if (event == NotifyCycleFailed) {
            InterlockedIncrement(&failed_);
        }
    }

    // The host keeps its notifiers until the process ends.
    void release() override {}

    long started() const { return started_; }
    long succeeded() const { return succeeded_; }
    long failed() const { return failed_; }

    // Lateness (ms) of the cycles that started between from and to.
    void latenessBetween(double from, double to, std::vector<double>& out)
    {
        EnterCriticalSection(&lock_);
        for (const auto& entry : lateness_) {
            if (entry.first >= from && entry.first <= to)
                out.push_back(entry.second);
        }
        LeaveCriticalSection(&lock_);
    }

private:
    MonitorItemSettings* item_;
    int intervalSeconds_;
    CRITICAL_SECTION lock_;
    std::vector<std::pair<double, double>> lateness_;
    double startMs_ = 0;
    double dueMs_ = 0;
    bool haveEnd_ = false;
    volatile LONG started_ = 0;
    volatile LONG succeeded_ = 0;
    volatile LONG failed_ = 0;
};

struct Settings {
    std::string mode;
    int items;
    int interval;
    std::string address;
    int port;
};

struct Running {
    std::vector<MonitorItemSettings*> items;
    std::vector<CycleNotifier*> notifiers;
};

MonitorItemSettings* newItem(MonitorItemManager* store, const Settings& s, int index)
{
    MonitorItemSettings* item = store->createItem();
    MonitorItemLock lock(item);
    ItemGeneralSettings& general = item->getGeneral();
    general.name = "bench " + std::to_string(index);
    general.type = s.mode == "http" ? 1 : 6;
    general.address = s.mode == "http" ? s.address + "/small.html" : s.address;
    general.port = s.port;
    general.interval = s.interval;
    general.intervalUnit = 1;
    general.timeoutMs = 5000;
    general.enabled = true;
    return item;
}

// Creates and starts the workers of items [from, to).
void startWorkers(Running& run, size_t from, size_t to, int interval)
{
    WorkerManager* manager = WorkerManager::instance();
    for (size_t i = from; i < to; ++i) {
        Worker* worker = manager->createWorker(run.items[i]);
        CycleNotifier* notifier = new CycleNotifier(run.items[i], interval);
        run.notifiers.push_back(notifier);
        worker->attach(notifier);
        manager->startWorker(worker);
    }
}

long total(const Running& run, long (CycleNotifier::*counter)() const)
{
    long sum = 0;
    for (CycleNotifier* n : run.notifiers)
        sum += (n->*counter)();
    return sum;
}

std::vector<double> latenessBetween(Running& run, double from, double to)
{
    std::vector<double> all;
    for (CycleNotifier* n : run.notifiers)
        n->latenessBetween(from, to, all);
    return all;
}

std::string lastMessageOf(MonitorItemSettings* item)
{
    MonitorItemLock lock(item);
    return item->getStatus().lastMessage;
}

// The messages of failed checks so far, most frequent first, as "count x text; ...".
std::string failureTexts(Running& run)
{
    std::map<std::string, int> counts;
    for (size_t i = 0; i < run.notifiers.size(); ++i) {
        if (run.notifiers[i]->failed() > 0)
            ++counts[lastMessageOf(run.items[i])];
    }
    std::vector<std::pair<int, std::string>> sorted;
    for (const auto& c : counts)
        sorted.push_back(std::make_pair(c.second, c.first));
    std::sort(sorted.rbegin(), sorted.rend());
    std::string text;
    for (const auto& s : sorted)
        text += (text.empty() ? "" : "; ") + std::to_string(s.first) + " x " + s.second;
    return text;
}

double timedStopAll()
{
    double start = bench::nowMs();
    WorkerManager::instance()->stopAll();
    return bench::nowMs() - start;
}

int steadyRun(const Settings& s, int windowSeconds)
{
    MonitorItemManager* store = MonitorItemManager::instance();
    Running run;
    for (int i = 0; i < s.items; ++i)
        run.items.push_back(newItem(store, s, i));
    WorkerManager::instance();
    bench::ProcessSample selfBefore = bench::sampleSelf();
    bench::ProcessSample serverBefore = bench::sampleWineserver();

    startWorkers(run, 0, run.items.size(), s.interval);
    // Every worker runs its first cycle at once; measure from the second interval on.
    Sleep(static_cast<DWORD>(s.interval * 1000 + 1000));
    long okStart = total(run, &CycleNotifier::succeeded);
    long failedStart = total(run, &CycleNotifier::failed);
    bench::CpuSpan cpu;
    cpu.begin();
    double windowStart = bench::nowMs();
    Sleep(static_cast<DWORD>(windowSeconds * 1000));
    double selfCpu = cpu.selfMs();
    double serverCpu = cpu.serverMs();
    double windowEnd = bench::nowMs();
    long checks = total(run, &CycleNotifier::succeeded) - okStart + total(run, &CycleNotifier::failed) - failedStart;
    bench::ProcessSample selfAfter = bench::sampleSelf();
    bench::ProcessSample serverAfter = bench::sampleWineserver();
    std::vector<double> lateness = latenessBetween(run, windowStart, windowEnd);

    std::string key = s.mode;
    bench::result(key + "_items", s.items);
    bench::result(key + "_checks", checks);
    bench::result(key + "_failed", total(run, &CycleNotifier::failed));
    bench::result(key + "_window_s", (windowEnd - windowStart) / 1000.0);
    if (checks > 0) {
        bench::result(key + "_cpu_ms_per_check", selfCpu / checks);
        bench::result(key + "_ws_cpu_ms_per_check", serverCpu / checks);
    }
    bench::result(key + "_rss_kb_per_item", (selfAfter.rssKb - selfBefore.rssKb) / s.items);
    bench::result(key + "_ws_rss_kb_per_item", (serverAfter.rssKb - serverBefore.rssKb) / s.items);
    bench::result(key + "_threads", selfAfter.threads);
    bench::result(key + "_late_median_ms", bench::percentile(lateness, 50));
    bench::result(key + "_late_p99_ms", bench::percentile(lateness, 99));
    bench::result(key + "_late_max_ms", bench::percentile(lateness, 100));
    bench::result(key + "_late_samples", static_cast<double>(lateness.size()));
    std::string failures = failureTexts(run);
    if (!failures.empty())
        bench::result(key + "_failures", failures);
    bench::result(key + "_stopall_ms", timedStopAll());
    return checks > 0 ? 0 : 1;
}

int scaleRun(const Settings& s, int argc, char** argv)
{
    int step = static_cast<int>(bench::intArg(argc, argv, "step", 500));
    int settle = static_cast<int>(bench::intArg(argc, argv, "settle", 5));
    int hold = static_cast<int>(bench::intArg(argc, argv, "hold", s.interval + 10));
    double budgetMs = bench::intArg(argc, argv, "budget", 600) * 1000.0;
    double reserveKb = bench::intArg(argc, argv, "reserve-mb", 4096) * 1024.0;
    double began = bench::nowMs();

    MonitorItemManager* store = MonitorItemManager::instance();
    WorkerManager::instance();
    Running run;
    bench::ProcessSample selfBase = bench::sampleSelf();
    bench::ProcessSample serverBase = bench::sampleWineserver();
    // opened now, while descriptors are free: the growth may use up the rest
    bench::availableMemoryKb();
    bench::openFiles();
    std::string stoppedBy = "all items running";
    while (static_cast<int>(run.items.size()) < s.items) {
        size_t from = run.items.size();
        size_t to = std::min(from + static_cast<size_t>(step), static_cast<size_t>(s.items));
        for (size_t i = from; i < to; ++i)
            run.items.push_back(newItem(store, s, static_cast<int>(i)));
        startWorkers(run, from, to, s.interval);
        // The manager refuses a worker that the process's file descriptors would not last for
        // (and logs it): the item is not running, and growing further is pointless.
        size_t refused = 0;
        for (size_t i = from; i < to; ++i)
            refused += WorkerManager::instance()->isRunning(run.items[i]) ? 0 : 1;
        // Wait until each new worker began its first cycle, at most settle seconds.
        double deadline = bench::nowMs() + settle * 1000.0;
        size_t begun = 0;
        for (;;) {
            begun = 0;
            for (CycleNotifier* n : run.notifiers)
                begun += n->started() > 0 ? 1 : 0;
            if (begun == run.notifiers.size() || bench::nowMs() > deadline)
                break;
            Sleep(100);
        }
        bench::ProcessSample self = bench::sampleSelf();
        bench::ProcessSample server = bench::sampleWineserver();
        long failed = total(run, &CycleNotifier::failed);
        bench::result("scale_step",
                      "items=" + std::to_string(run.items.size()) + " running=" + std::to_string(begun) +
                      " threads=" + std::to_string(self.threads) +
                      " open_files=" + std::to_string(bench::openFiles()) +
                      " rss_mb=" + std::to_string(static_cast<long>(self.rssKb / 1024)) +
                      " ws_rss_mb=" + std::to_string(static_cast<long>(server.rssKb / 1024)) +
                      " failed_checks=" + std::to_string(failed) +
                      " mem_avail_mb=" + std::to_string(static_cast<long>(bench::availableMemoryKb() / 1024)));
        if (refused > 0) {
            stoppedBy = std::to_string(refused) + " workers refused: too few file descriptors left for their checks (" +
                        std::to_string(bench::openFiles()) + " open, limit " + std::to_string(bench::fileLimit()) + ")";
            break;
        }
        if (begun < run.notifiers.size()) {
            stoppedBy = std::to_string(run.notifiers.size() - begun) + " workers did not start within " +
                        std::to_string(settle) + " s";
            break;
        }
        if (failed > 0) {
            stoppedBy = "failed checks: " + failureTexts(run);
            break;
        }
        if (bench::availableMemoryKb() < reserveKb) {
            stoppedBy = "machine memory reserve reached (benchmark limit)";
            break;
        }
        if (bench::nowMs() - began > budgetMs) {
            stoppedBy = "time budget reached (benchmark limit)";
            break;
        }
    }
    size_t attempted = run.items.size();
    // Hold for another cycle of every item: lateness and failures at this size.
    double holdStart = bench::nowMs();
    bench::CpuSpan cpu;
    cpu.begin();
    long checksStart = total(run, &CycleNotifier::succeeded) + total(run, &CycleNotifier::failed);
    Sleep(static_cast<DWORD>(hold * 1000));
    double holdEnd = bench::nowMs();
    long checks = total(run, &CycleNotifier::succeeded) + total(run, &CycleNotifier::failed) - checksStart;
    double selfCpu = cpu.selfMs();
    double serverCpu = cpu.serverMs();
    std::vector<double> lateness = latenessBetween(run, holdStart, holdEnd);
    size_t running = 0;
    for (CycleNotifier* n : run.notifiers)
        running += n->started() > 0 ? 1 : 0;
    bench::ProcessSample self = bench::sampleSelf();
    bench::ProcessSample server = bench::sampleWineserver();
    bench::result("scale_items_attempted", static_cast<double>(attempted));
    bench::result("scale_items_running", static_cast<double>(running));
    bench::result("scale_threads", self.threads);
    bench::result("scale_open_files", bench::openFiles());
    bench::result("scale_open_files_limit", static_cast<double>(bench::fileLimit()));
    bench::result("scale_rss_mb", self.rssKb / 1024);
    bench::result("scale_ws_rss_mb", server.rssKb / 1024);
    bench::result("scale_rss_kb_per_item", (self.rssKb - selfBase.rssKb) / static_cast<double>(attempted));
    bench::result("scale_ws_rss_kb_per_item", (server.rssKb - serverBase.rssKb) / static_cast<double>(attempted));
    bench::result("scale_hold_checks", checks);
    if (checks > 0) {
        bench::result("scale_cpu_ms_per_check", selfCpu / checks);
        bench::result("scale_ws_cpu_ms_per_check", serverCpu / checks);
    }
    bench::result("scale_late_median_ms", bench::percentile(lateness, 50));
    bench::result("scale_late_p99_ms", bench::percentile(lateness, 99));
    bench::result("scale_failed", total(run, &CycleNotifier::failed));
    std::string failures = failureTexts(run);
    if (!failures.empty())
        bench::result("scale_failures", failures);
    bench::result("scale_stopped_by", stoppedBy);
    bench::result("scale_stopall_ms", timedStopAll());
    return running > 0 ? 0 : 1;
}

// The floor to compare memory per item with: idle Win32 threads that only wait, each with
// nothing of the workers library.
DWORD WINAPI idleThread(LPVOID event)
{
    WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    return 0;
}

int idleThreadsRun(int count)
{
    HANDLE release = CreateEventA(NULL, TRUE, FALSE, NULL);
    int filesBefore = bench::openFiles();
    bench::ProcessSample selfBefore = bench::sampleSelf();
    bench::ProcessSample serverBefore = bench::sampleWineserver();
    std::vector<HANDLE> threads;
    for (int i = 0; i < count; ++i) {
        HANDLE thread = CreateThread(NULL, 0, idleThread, release, 0, NULL);
        if (!thread)
            break;
        threads.push_back(thread);
    }
    Sleep(2000);
    bench::ProcessSample selfAfter = bench::sampleSelf();
    bench::ProcessSample serverAfter = bench::sampleWineserver();
    bench::result("threads_started", static_cast<double>(threads.size()));
    bench::result("threads_open_files_per_thread", static_cast<double>(bench::openFiles() - filesBefore) / count);
    bench::result("threads_rss_kb_per_thread", (selfAfter.rssKb - selfBefore.rssKb) / count);
    bench::result("threads_ws_rss_kb_per_thread", (serverAfter.rssKb - serverBefore.rssKb) / count);
    SetEvent(release);
    for (HANDLE thread : threads) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    CloseHandle(release);
    return static_cast<int>(threads.size()) == count ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    Settings s;
    s.mode = bench::textArg(argc, argv, "mode", "");
    s.items = static_cast<int>(bench::intArg(argc, argv, "items", 100));
    s.interval = static_cast<int>(bench::intArg(argc, argv, "interval", 5));
    s.address = bench::textArg(argc, argv, "address", "127.0.0.1");
    s.port = static_cast<int>(bench::intArg(argc, argv, "port", 0));
    std::string folder = bench::textArg(argc, argv, "folder", "");
    if (s.mode == "threads")
        return idleThreadsRun(s.items);
    if ((s.mode != "port" && s.mode != "http" && s.mode != "scale") || s.items < 1 || s.interval < 1 ||
        s.port < 1 || folder.empty()) {
        bench::note("usage: orvbench_checks --mode=port|http|scale|threads --folder=WINDOWS_PATH --port=P "
                    "[--items=N --interval=S --window=S --address=A] "
                    "[scale: --step=N --settle=S --hold=S --budget=S --reserve-mb=N]");
        return 2;
    }
    CreateDirectoryA(folder.c_str(), NULL);
    MonitorItemManager::instance()->load(folder);
    int rc = s.mode == "scale" ? scaleRun(s, argc, argv)
                               : steadyRun(s, static_cast<int>(bench::intArg(argc, argv, "window", 30)));
    // The items are not saved or unloaded: the process ends here, as a host killed after stopAll.
    ExitProcess(static_cast<UINT>(rc));
}
