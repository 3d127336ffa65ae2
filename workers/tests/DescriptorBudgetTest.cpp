// The process's file descriptors: every worker thread holds some under Wine and every check opens
// sockets, so past the limit every check of every item would fail. A worker starts only while the
// running ones keep enough for their checks; one beyond that is refused, logged and not running,
// and the running ones go on checking truthfully.
#include <windows.h>

#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "DescriptorBudget.h"
#include "Monitor/LogSetup.h"
#include "WorkerTestSupport.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"
#include "workers/CommonWorkerImpl.h"
#include "workers/WorkerManager.h"

using namespace workertest;

namespace {

// A check that needs descriptors while it runs, as every socket check does: a pipe, opened and
// closed again. It fails, saying so, when the process has none left.
class PipeWorker : public CommonWorkerImpl {
public:
    explicit PipeWorker(MonitorItemSettings* item)
        : CommonWorkerImpl(item, "worker.PipeWorker", texts()) {}

protected:
    void check(const ItemGeneralSettings&, CheckResult& result) override
    {
        int ends[2];
        result.ok = pipe(ends) == 0;
        result.message = result.ok ? "Success" : "No descriptor: errno " + std::to_string(errno);
        if (result.ok) {
            close(ends[0]);
            close(ends[1]);
        }
        result.elapsedMs = 1;
    }

private:
    static WorkerTexts texts()
    {
        WorkerTexts t = {"Starting pipe worker", "Ending pipe worker", "", "", false};
        return t;
    }
};

long openDescriptors()
{
    DIR* listing = opendir("/proc/self/fd");
    if (!listing)
        return -1;
    long count = 0;
    while (dirent* entry = readdir(listing))
        count += entry->d_name[0] != '.' ? 1 : 0;
    closedir(listing);
    return count - 1;
}

struct Started {
    MonitorItemSettings* item;
    PipeWorker* worker;
    RecordingNotifier* notifier;
    HANDLE thread;
};

TEST(WorkerDescriptors, BeyondTheReserveAWorkerIsRefusedLoggedAndNotRunningWhileTheOthersGoOn)
{
    const std::string unixFolder = orvtest::fixtureDir() + "/descriptor_log";
    const std::string folder = orvtest::windowsPath(unixFolder);
    orvtest::makeScratchFolder("descriptor_log");
    CreateDirectoryA(folder.c_str(), NULL);
    writeFile(folder + "\\log4cxx.cfg",
              "log4j.rootLogger=OFF\n"
              "log4j.logger.worker.WorkerManagerImpl=ERROR, file\n"
              "log4j.appender.file=org.apache.log4j.FileAppender\n"
              "log4j.appender.file.File=" + unixFolder + "/workers.log\n"
              "log4j.appender.file.Append=false\n"
              "log4j.appender.file.ImmediateFlush=true\n"
              "log4j.appender.file.layout=org.apache.log4j.PatternLayout\n"
              "log4j.appender.file.layout.ConversionPattern=%p %m%n\n");
    LogSetup::instance();
    ASSERT_TRUE(LogSetup::configure(folder + "\\log4cxx.cfg"));
    WorkerManager* manager = WorkerManager::instance();

    // Room for a few workers beside the reserve: a limit just above what is open now.
    struct rlimit saved;
    ASSERT_EQ(0, getrlimit(RLIMIT_NOFILE, &saved));
    long open = openDescriptors();
    ASSERT_GT(open, 0);
    const long perWorker = DescriptorBudget::kPerWorker + DescriptorBudget::kPerCheck;
    struct rlimit lowered = saved;
    lowered.rlim_cur = static_cast<rlim_t>(open + DescriptorBudget::kReserve + DescriptorBudget::kPerCheck +
                                           4 * perWorker);
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &lowered));

    std::vector<Started> running;
    Started refused = {};
    for (int i = 0; i < 40 && !refused.item; ++i) {
        MonitorItemSettings* item =
            newStoredItem(ItemPort, "192.0.2." + std::to_string(i + 1), 80, 1, UnitSeconds, 5000);
        Started s = {item, new PipeWorker(item), new RecordingNotifier, NULL};
        s.worker->attach(s.notifier);
        s.notifier->hold();
        manager->startWorker(s.worker);
        if (manager->isRunning(item)) {
            s.thread = s.worker->duplicateHandle();
            s.notifier->letGo();
            running.push_back(s);
        } else {
            s.notifier->letGo();
            refused = s;
        }
    }
    ASSERT_TRUE(refused.item) << "no worker refused within 40 at a limit of " << lowered.rlim_cur;
    EXPECT_GE(running.size(), 1u);
    std::string name = refused.item->getGeneral().name;
    std::string log = orvtest::readFile(folder + "\\workers.log");
    EXPECT_NE(std::string::npos, log.find("ERROR Cannot start the worker of item " + name + " (" +
                                          refused.item->getGeneral().address + "): "))
        << log;
    EXPECT_NE(std::string::npos, log.find("file descriptors are open")) << log;
    EXPECT_NE(std::string::npos, log.find("; the item is not checked")) << log;

    // The running workers keep checking, every check getting the descriptors it needs.
    for (Started& s : running)
        EXPECT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 2, 10000)) << s.item->getGeneral().address;
    EXPECT_TRUE(historyOf(refused.item).empty());
    EXPECT_TRUE(refused.notifier->events().empty());
    for (Started& s : running) {
        for (const ResultRecord& r : historyOf(s.item))
            EXPECT_TRUE(r.ok) << r.message;
        s.worker->stop();   // started without the map: stopped by hand
        EXPECT_TRUE(waitEnded(s.thread, 10000));
        CloseHandle(s.thread);
        delete s.notifier;
    }
    manager->detachWorker(refused.worker);
    delete refused.worker;   // never started: it cannot end and delete itself
    delete refused.notifier;

    // With the limit back, the same item's worker starts.
    ASSERT_EQ(0, setrlimit(RLIMIT_NOFILE, &saved));
    PipeWorker* again = new PipeWorker(refused.item);
    RecordingNotifier* notifier = new RecordingNotifier;
    again->attach(notifier);
    notifier->hold();
    manager->startWorker(again);
    EXPECT_TRUE(manager->isRunning(refused.item));
    HANDLE thread = again->duplicateHandle();
    notifier->letGo();
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 1, 10000));
    again->stop();
    EXPECT_TRUE(waitEnded(thread, 10000));
    CloseHandle(thread);
    delete notifier;

    writeFile(folder + "\\off.cfg", "log4j.rootLogger=OFF\n");
    LogSetup::configure(folder + "\\off.cfg");
}

}  // namespace
