// The GUI's notifiers driven by a fake worker thread: which events fire the alarm actions, what
// each action does and in which order, the registry (reset, disable, release), and the mail keys
// suppressed at release and allowed again when an item is added with the same address.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <functional>
#include <new>

#include "AlarmNotifier.h"
#include "AlarmNotifierRegistry.h"
#include "FakeMail.h"
#include "GuiTestSupport.h"
#include "ItemNotifier.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemWrapper.h"
#include "RecordingActions.h"
#include "mailqueue/MailSender.h"
#include "reports/ReportManager.h"
#include "workers/Notifier.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// Runs the work on a thread of its own, as a worker calls its notifiers, and waits for it.
void onWorkerThread(const std::function<void()>& work)
{
    struct Call {
        static DWORD WINAPI run(LPVOID self)
        {
            (*static_cast<const std::function<void()>*>(self))();
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, &Call::run,
                                 const_cast<std::function<void()>*>(&work), 0, nullptr);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 30000));
    CloseHandle(thread);
}

int eventOf(char e)
{
    return e == 'F' ? NotifyCycleFailed
         : e == 'S' ? NotifyCycleSucceeded
         : e == 'R' ? NotifyStatusRefresh
         : e == 'P' ? NotifyProgress
         : e == 'X' ? NotifyFailure
                    : NotifyTestEnded;
}

class AlarmNotifierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        guitest::scratchProfileFolder();
        fakeMail().reset();
        item_ = MonitorItemManager::instance()->createTemporaryItem("alarm item");
        ItemGeneralSettings& general = item_->getGeneral();
        general.name = "Intranet";
        general.address = "10.1.2.3";
        general.type = ItemPort;
        item_->getAlarmTrigger().enabled = true;
        item_->getAlarmTrigger().failureThreshold = 3;
        item_->getCommandAction().program = "C:\\tools\\page-me.bat";
        item_->getCommandAction().programEnabled = true;
        wrapper_ = new MonitorItemWrapper(item_);
    }
    void TearDown() override
    {
        delete wrapper_;
        MonitorItemManager::instance()->deleteTemporaryItem(item_);
    }

    MonitorItemSettings* item_ = nullptr;
    MonitorItemWrapper* wrapper_ = nullptr;
    RecordingActions actions_;
};

}  // namespace

TEST_F(AlarmNotifierTest, OnlyFailedCyclesFromTheThresholdOnFireTheActions)
{
    struct Case {
        const char* what;
        int threshold;
        bool alarmEnabled;
        const char* events;   // F failed, S succeeded, R refresh, P progress, X failure text
        const char* fired;    // per event: 1 when the actions ran
        int countAfter;
    } cases[] = {
        {"threshold 3: cycles 3, 4 and 5", 3, true, "FFFFF", "00111", 5},
        {"a success clears the count", 3, true, "FFFSFFFF", "00100011", 4},
        {"threshold 0 behaves as 1; successes never fire", 0, true, "SFSRF", "01001", 1},
        {"a negative threshold behaves as 1", -2, true, "SSF", "001", 1},
        {"refresh, progress and texts neither count nor fire", 2, true, "FRFPRXF", "0010001", 3},
        {"alarm disabled: the count moves, nothing fires", 1, false, "FFSF", "0000", 1},
    };
    for (const Case& c : cases) {
        item_->getAlarmTrigger().failureThreshold = c.threshold;
        item_->getAlarmTrigger().enabled = c.alarmEnabled;
        actions_.clear();
        MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
        AlarmNotifier notifier(wrapper_, &queue, &actions_);
        std::string fired;
        onWorkerThread([&] {
            for (const char* e = c.events; *e; ++e) {
                size_t before = actions_.calls().size();
                notifier.notify(eventOf(*e), "");
                fired += actions_.calls().size() > before ? '1' : '0';
            }
        });
        EXPECT_EQ(c.fired, fired) << c.what << ", events " << c.events;
        EXPECT_EQ(c.countAfter, notifier.failureCount()) << c.what;
    }
}

TEST_F(AlarmNotifierTest, FiresCommandsSoundMailAndAlertPageInOrderOnTheWorkerThread)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getGeneral().name = "Intranet <b>";
    item_->getCommandAction().url = "http://127.0.0.1:1/status";
    item_->getCommandAction().urlEnabled = true;
    item_->getSoundAction() = SoundAction{"C:\\sounds\\siren.wav", true, true};
    item_->getMailAction().enabled = true;
    item_->getMailAction().recipients = {"ops@example.test", "  ", " boss@example.test ", ""};
    item_->getVisualAction() = VisualAction{"<%WEBSITE_NAME%> is down", true};
    item_->getStatus().consecutiveFailures = 4;
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    AlarmNotifier notifier(wrapper_, &queue, &actions_);
    // The key is the address when the notifier was made; the mail text shows the current one.
    item_->getGeneral().address = "10.9.9.9";

    DWORD worker = 0;
    onWorkerThread([&] {
        worker = GetCurrentThreadId();
        notifier.notify(NotifyCycleFailed, "");
    });

    std::vector<RecordingActions::Call> calls = actions_.calls();
    ASSERT_EQ(4u, calls.size());
    EXPECT_EQ("open C:\\tools\\page-me.bat", calls[0].what);
    EXPECT_EQ("open http://127.0.0.1:1/status", calls[1].what);
    EXPECT_EQ("sound C:\\sounds\\siren.wav loop", calls[2].what);
    EXPECT_THAT(calls[3].what, StartsWith("open "));
    for (const RecordingActions::Call& call : calls)
        EXPECT_EQ(worker, call.thread) << call.what;

    const std::string page = orvtest::readFile(calls[3].what.substr(5));
    EXPECT_THAT(page, HasSubstr("Intranet &lt;b&gt; (10.9.9.9) is down"));

    std::vector<MailJob> jobs = queue.pendingJobs();
    ASSERT_EQ(2u, jobs.size()) << "one job per recipient, blank entries dropped";
    EXPECT_EQ("ops@example.test", jobs[0].to);
    EXPECT_EQ("boss@example.test", jobs[1].to);
    for (const MailJob& job : jobs) {
        EXPECT_EQ(AlarmNotifier::kSenderAddress, job.from);
        EXPECT_EQ("Alarm triggered for item Intranet <b>", job.subject);
        EXPECT_EQ("The site 10.9.9.9 has had 4 consecutive failures", job.body);
        EXPECT_TRUE(job.plain);
        EXPECT_TRUE(job.attachments.empty());
        EXPECT_EQ("10.1.2.3", job.key);
    }

    // A sound that is not looped plays once; reset stops a playing sound.
    item_->getSoundAction().loop = false;
    actions_.clear();
    onWorkerThread([&] { notifier.notify(NotifyCycleFailed, ""); });
    EXPECT_EQ("sound C:\\sounds\\siren.wav once", actions_.whats()[2]);
    actions_.clear();
    notifier.reset();
    EXPECT_EQ(0, notifier.failureCount());
    EXPECT_THAT(actions_.whats(), ElementsAre("stop"));
}

TEST_F(AlarmNotifierTest, WithTheReportAttachedTheMailIsHtmlWithOrWithoutADefaultReport)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getCommandAction().programEnabled = false;
    item_->getMailAction().enabled = true;
    item_->getMailAction().attachReport = true;
    item_->getMailAction().recipients = {"ops@example.test"};
    item_->getGeneral().name = "Intranet <b>";
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    AlarmNotifier notifier(wrapper_, &queue, &actions_);

    ASSERT_NE(nullptr, ReportManager::instance()->getDefaultReport());
    onWorkerThread([&] { notifier.notify(NotifyCycleFailed, ""); });
    ASSERT_EQ(1u, queue.pendingJobs().size());
    MailJob job = queue.pendingJobs()[0];
    EXPECT_FALSE(job.plain);
    EXPECT_THAT(job.body, StartsWith("<!DOCTYPE html>"));
    EXPECT_THAT(job.body, HasSubstr("Intranet &lt;b&gt;"));

    // No default report: the sentence, still sent as HTML, so the address is escaped.
    item_->getGeneral().address = "http://10.1.2.3/?a=<b>&c=\"d\"";
    std::vector<std::string> names;
    for (ReportManager::Iterator it = ReportManager::instance()->beginReports();
         it != ReportManager::instance()->endReports(); ++it)
        names.push_back(it->first);
    for (const std::string& name : names)
        ReportManager::instance()->deleteReport(name);
    ASSERT_EQ(nullptr, ReportManager::instance()->getDefaultReport());
    onWorkerThread([&] { notifier.notify(NotifyCycleFailed, ""); });
    for (const std::string& name : names)
        ReportManager::instance()->createReport(name);

    ASSERT_EQ(1u, queue.pendingJobs().size()) << "the newer alarm replaced the waiting mail";
    job = queue.pendingJobs()[0];
    EXPECT_FALSE(job.plain);
    EXPECT_EQ("The site http://10.1.2.3/?a=&lt;b&gt;&amp;c=&quot;d&quot; has had 0 consecutive "
              "failures", job.body);
}

TEST_F(AlarmNotifierTest, TheRegistryResetsAndDisablesAndForgetsAReleasedNotifier)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getSoundAction().enabled = true;
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    AlarmNotifierRegistry& registry = AlarmNotifierRegistry::instance();

    AlarmNotifier* first = registry.add(wrapper_, &queue, &actions_);
    AlarmNotifier* second = registry.add(wrapper_, &queue, &actions_);
    EXPECT_NE(first, second) << "a new notifier is returned all the same";
    EXPECT_TRUE(registry.find(wrapper_));

    onWorkerThread([&] {
        first->notify(NotifyCycleFailed, "");
        first->notify(NotifyCycleFailed, "");
        second->notify(NotifyCycleFailed, "");
    });
    EXPECT_EQ(2, first->failureCount());
    actions_.clear();
    registry.reset(wrapper_);   // reaches the first notifier, which stays in the map
    EXPECT_EQ(0, first->failureCount());
    EXPECT_EQ(1, second->failureCount());
    EXPECT_THAT(actions_.whats(), ElementsAre("stop"));

    registry.disable(wrapper_);
    EXPECT_FALSE(first->enabled());
    actions_.clear();
    onWorkerThread([&] { first->notify(NotifyCycleFailed, ""); });
    EXPECT_TRUE(actions_.calls().empty());
    EXPECT_EQ(0, first->failureCount());

    // Releasing the one that is not in the map leaves the map as it is; the other shares its key,
    // so nothing is suppressed yet.
    onWorkerThread([&] { second->release(); });
    EXPECT_TRUE(registry.find(wrapper_));
    EXPECT_FALSE(queue.isSuppressed("10.1.2.3"));
    onWorkerThread([&] { first->release(); });
    EXPECT_FALSE(registry.find(wrapper_));
    EXPECT_TRUE(queue.isSuppressed("10.1.2.3"));
    registry.reset(wrapper_);     // nothing left to reach: no freed memory touched
    registry.disable(wrapper_);
}

TEST_F(AlarmNotifierTest, ANewWrapperAtADeletedWrappersAddressNeverReachesItsNotifier)
{
    item_->getAlarmTrigger().failureThreshold = 100;
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    AlarmNotifierRegistry& registry = AlarmNotifierRegistry::instance();
    // Both wrappers in one place, as the heap hands a freed block to the next item.
    alignas(MonitorItemWrapper) unsigned char place[sizeof(MonitorItemWrapper)];

    // The deleted item: its wrapper is gone while its worker still ends, holding the notifier.
    MonitorItemWrapper* deleted = new (place) MonitorItemWrapper(item_);
    AlarmNotifier* old = registry.add(deleted, &queue, &actions_);
    registry.disable(deleted);
    deleted->~MonitorItemWrapper();

    MonitorItemSettings* again = MonitorItemManager::instance()->createTemporaryItem("again");
    again->getGeneral().address = "10.7.7.7";
    again->getAlarmTrigger().failureThreshold = 100;
    MonitorItemWrapper* added = new (place) MonitorItemWrapper(again);
    ASSERT_EQ(static_cast<void*>(deleted), static_cast<void*>(added));
    EXPECT_FALSE(registry.find(added)) << "the new item found the deleted item's notifier";

    AlarmNotifier* fresh = registry.add(added, &queue, &actions_);
    onWorkerThread([&] { fresh->notify(NotifyCycleFailed, ""); });
    EXPECT_EQ(1, fresh->failureCount());
    registry.reset(added);
    EXPECT_EQ(0, fresh->failureCount()) << "reset did not reach the new item's notifier";

    // The old worker ends: the new item's entry stays.
    onWorkerThread([&] { old->release(); });
    EXPECT_TRUE(registry.find(added));
    registry.disable(added);
    EXPECT_FALSE(fresh->enabled());
    onWorkerThread([&] { fresh->release(); });
    EXPECT_FALSE(registry.find(added));
    added->~MonitorItemWrapper();
    MonitorItemManager::instance()->deleteTemporaryItem(again);
}

TEST_F(AlarmNotifierTest, AnItemAddedWithADeletedItemsAddressGetsItsAlarmMail)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getCommandAction().programEnabled = false;
    item_->getMailAction().enabled = true;
    item_->getMailAction().recipients = {"ops@example.test"};
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    AlarmNotifierRegistry& registry = AlarmNotifierRegistry::instance();

    // The deleted item: its worker ends and releases the notifier; its waiting mail is dropped.
    AlarmNotifier* old = registry.add(wrapper_, &queue, &actions_);
    onWorkerThread([&] { old->notify(NotifyCycleFailed, ""); });
    ASSERT_EQ(1u, queue.pendingJobs().size());
    registry.disable(wrapper_);
    onWorkerThread([&] { old->release(); });
    EXPECT_TRUE(queue.pendingJobs().empty());
    EXPECT_TRUE(queue.isSuppressed("10.1.2.3"));

    // A new item with the same address.
    MonitorItemSettings* again = MonitorItemManager::instance()->createTemporaryItem("again");
    again->getGeneral() = item_->getGeneral();
    again->getAlarmTrigger() = item_->getAlarmTrigger();
    again->getMailAction() = item_->getMailAction();
    MonitorItemWrapper newWrapper(again);
    AlarmNotifier* fresh = registry.add(&newWrapper, &queue, &actions_);
    EXPECT_FALSE(queue.isSuppressed("10.1.2.3"));
    onWorkerThread([&] { fresh->notify(NotifyCycleFailed, ""); });
    ASSERT_TRUE(queue.start());
    ASSERT_TRUE(queue.drain(5000));
    ASSERT_EQ(1u, fakeMail().calls().size());
    EXPECT_EQ("ops@example.test", fakeMail().calls()[0].to);

    onWorkerThread([&] { fresh->release(); });
    MonitorItemManager::instance()->deleteTemporaryItem(again);
}

TEST(SystemAlarmActions, OpeningFromAThreadInitialisesComOnItOnce)
{
    RecordingActions actions(true);
    const std::string missing = orvtest::windowsPath(orvtest::fixtureDir() + "/missing.xyz");
    onWorkerThread([&] {
        actions.open(missing);
        actions.open(missing);
        EXPECT_TRUE(SystemAlarmActions::prepareThread());
    });
    std::vector<RecordingActions::Call> calls = actions.calls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_TRUE(calls[0].comReady);
    EXPECT_TRUE(calls[1].comReady);
}

TEST(ItemNotifier, PostsTheItemChangedMessageForStatusRefreshesOnly)
{
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(nullptr, window);
    MonitorItemWrapper* wrapper = reinterpret_cast<MonitorItemWrapper*>(0x12345678abcdULL);
    ItemNotifier* notifier = new ItemNotifier(window, wrapper);
    onWorkerThread([&] {
        for (int event : {NotifyProgress, NotifyStatusRefresh, NotifyCycleFailed,
                          NotifyCycleSucceeded, NotifyStatusRefresh})
            notifier->notify(event, "");
        notifier->release();
    });
    std::vector<WPARAM> posted;
    MSG message;
    while (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
        EXPECT_EQ(ItemNotifier::kItemChanged, message.message);
        EXPECT_EQ(0, message.lParam);
        posted.push_back(message.wParam);
    }
    EXPECT_EQ(std::vector<WPARAM>(2, reinterpret_cast<WPARAM>(wrapper)), posted);
    DestroyWindow(window);
}

TEST_F(AlarmNotifierTest, AddingAndReleasingMakeNoMailQueueOfTheirOwn)
{
    // The program's queue comes with the first alarm mail, not with an item's notifier.
    MailSender* before = MailSender::existingInstance();
    AlarmNotifier* notifier = AlarmNotifierRegistry::instance().add(wrapper_, nullptr, &actions_);
    onWorkerThread([&] {
        notifier->notify(NotifyCycleFailed, "");   // below the threshold
        notifier->release();
    });
    EXPECT_EQ(before, MailSender::existingInstance());
    EXPECT_FALSE(AlarmNotifierRegistry::instance().find(wrapper_));
}
