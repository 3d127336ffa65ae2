// A real port worker against a closed loopback port, with the GUI's alarm notifier attached: from
// the threshold on every failed cycle starts the command, plays the sound (recorded), queues one
// mail per recipient, which the mail queue delivers to an SMTP sink found through fake name
// servers, and writes and opens the alert page, all on the worker's thread.
#include "orv/gtest.h"
#include "orv/FixtureServer.h"
#include "orv/MailSink.h"
#include "orv/TestEnv.h"

#include <winsock2.h>


#include "AlarmNotifier.h"
#include "AlarmNotifierRegistry.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemWrapper.h"
#include "RecordingActions.h"
#include "mailqueue/MailSender.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

bool writeFile(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok;
}

typedef orvtest::SinkMail Delivered;
using orvtest::sinkMails;

template <typename Done>
bool waitFor(Done done, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); !done();) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

std::string zone(const std::string& name)
{
    return orvtest::env("ORV_SOURCE_DIR") + "/orvservice/tests/net/" + name;
}

}  // namespace

TEST(AlarmNetTest, ARealWorkerOnAClosedPortFiresEveryActionFromTheThresholdOn)
{
    WSADATA winsock;
    ASSERT_EQ(0, WSAStartup(MAKEWORD(2, 2), &winsock));
    const std::string scratch = orvtest::makeScratchFolder("alarm");
    const std::string marker = scratch + "\\command-ran.txt";
    const std::string command = scratch + "\\page-me.bat";
    // Appends, so that a later alarm's command (run on its own, unwaited for) never empties what
    // an earlier one wrote.
    ASSERT_TRUE(writeFile(command, "@echo started>> \"" + marker + "\"\r\n"));

    const std::string sinkUnix = orvtest::fixtureDir() + "/sink";
    const std::string sink = orvtest::windowsPath(sinkUnix);
    // The mail library's test names (Postrel/tests/postrel_hosts): root -> test. -> mail.test.,
    // whose exchanger is the sink.
    orvtest::FixtureServer mx("smtp_sink", {"127.0.0.21", "25", sinkUnix});
    orvtest::FixtureServer root("dns_srv", {"127.0.0.11", "53", zone("root.zone")});
    orvtest::FixtureServer tld("dns_srv", {"127.0.0.31", "53", zone("tld.zone")});
    orvtest::FixtureServer domain("dns_srv", {"127.0.0.32", "53", zone("mail.zone")});
    ASSERT_TRUE(mx.running()) << mx.error();
    ASSERT_TRUE(root.running()) << root.error();
    ASSERT_TRUE(tld.running()) << tld.error();
    ASSERT_TRUE(domain.running()) << domain.error();

    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(orvtest::makeScratchFolder("data"));
    MonitorItemSettings* item = store->createItem();
    item->getGeneral().name = "Closed <port>";
    item->getGeneral().address = "127.0.0.1";
    item->getGeneral().type = ItemPort;
    item->getGeneral().port = 9;   // nothing listens there
    item->getGeneral().interval = 1;
    item->getGeneral().intervalUnit = UnitSeconds;
    item->getGeneral().timeoutMs = 5000;
    item->getAlarmTrigger().enabled = true;
    item->getAlarmTrigger().failureThreshold = 2;
    item->getCommandAction().program = command;
    item->getCommandAction().programEnabled = true;
    item->getSoundAction() = SoundAction{"C:\\sounds\\alarm.wav", true, false};
    item->getMailAction().enabled = true;
    item->getMailAction().recipients = {"ops@mail.test", "oncall@mail.test"};
    item->getVisualAction() = VisualAction{"<%WEBSITE_NAME%> is down <script>x()</script>", true};

    MailSender queue(&SendMail, &SendHtmlMail, 1);
    ASSERT_TRUE(queue.start());
    RecordingActions actions(true);
    MonitorItemWrapper wrapper(item);
    AlarmNotifier* notifier = AlarmNotifierRegistry::instance().add(&wrapper, &queue, &actions);
    Worker* worker = WorkerManager::instance()->createWorker(item);
    ASSERT_NE(nullptr, worker);
    worker->attach(notifier);
    WorkerManager::instance()->startWorker(worker);

    // the file exists before the command has written to it: wait for the text
    EXPECT_TRUE(waitFor([&] { return orvtest::readFile(marker).compare(0, 7, "started") == 0; }, 30000))
        << "the command did not run";
    EXPECT_TRUE(waitFor([&] { return sinkMails(sink).size() >= 2; }, 60000));
    EXPECT_TRUE(waitFor([&] { return actions.calls().size() >= 6; }, 30000)) << "a second alarm";

    // The worker ends and releases its notifier: it leaves the registry, the item's mail key is
    // suppressed, and the queue sends what is left.
    WorkerManager::instance()->stopAll();
    EXPECT_FALSE(AlarmNotifierRegistry::instance().find(&wrapper));
    EXPECT_TRUE(queue.isSuppressed("127.0.0.1"));
    EXPECT_TRUE(queue.drain(30000));

    const int failures = item->getStatus().failedChecks;   // the worker has ended
    EXPECT_GE(failures, 3);

    // Each alarm: command, sound, alert page, in order, on the worker's thread with COM set up.
    std::vector<RecordingActions::Call> calls = actions.calls();
    ASSERT_GE(calls.size(), 6u);
    ASSERT_EQ(0u, calls.size() % 3);
    for (size_t i = 0; i < calls.size(); i += 3) {
        EXPECT_EQ("open " + command, calls[i].what);
        EXPECT_TRUE(calls[i].comReady);
        EXPECT_EQ("sound C:\\sounds\\alarm.wav once", calls[i + 1].what);
        EXPECT_THAT(calls[i + 2].what, StartsWith("open "));
        for (size_t k = i; k < i + 3; ++k) {
            EXPECT_NE(GetCurrentThreadId(), calls[k].thread);
            EXPECT_EQ(calls[0].thread, calls[k].thread);
        }
    }
    EXPECT_EQ(size_t(failures - 1), calls.size() / 3) << "one alarm per failure from the second";
    EXPECT_THAT(orvtest::readFile(marker), StartsWith("started"));

    const std::string page = orvtest::readFile(calls[2].what.substr(5));
    EXPECT_THAT(page, HasSubstr("Closed &lt;port&gt; (127.0.0.1) is down &lt;script&gt;x()"));
    EXPECT_THAT(page, Not(HasSubstr("<script>")));

    // Mail from the threshold on, per recipient in order; a newer alarm replaces a mail still
    // waiting, so not every count arrives.
    std::map<std::string, std::vector<int>> counts;
    for (const Delivered& mail : sinkMails(sink)) {
        EXPECT_EQ("Alarm triggered for item Closed <port>", mail.subject);
        counts[mail.recipient].push_back(mail.failures);
    }
    ASSERT_EQ(2u, counts.size());
    for (const auto& recipient : counts) {
        EXPECT_GE(recipient.second.front(), 2) << recipient.first;
        EXPECT_TRUE(std::is_sorted(recipient.second.begin(), recipient.second.end()) &&
                    std::adjacent_find(recipient.second.begin(), recipient.second.end()) ==
                        recipient.second.end())
            << recipient.first;
        EXPECT_LE(recipient.second.back(), failures);
    }

    store->unloadAll();
    store->release();
    WSACleanup();
}
