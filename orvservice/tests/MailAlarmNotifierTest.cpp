// The service's alarm action: which cycle events queue mail, and what each queued mail holds.
#include "orv/gtest.h"

#include <string>

#include "MailAlarmNotifier.h"
#include "mailqueue/MailSender.h"
#include "FakeMail.h"
#include "Monitor/MonitorItemManager.h"
#include "workers/Notifier.h"

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

class MailAlarmNotifierTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        item_ = MonitorItemManager::instance()->createTemporaryItem("alarm item");
        ItemGeneralSettings& general = item_->getGeneral();
        general.name = "Intranet";
        general.address = "10.1.2.3";
        general.type = ItemPort;
        item_->getAlarmTrigger().enabled = true;
        item_->getAlarmTrigger().failureThreshold = 3;
        MailAction& mail = item_->getMailAction();
        mail.enabled = true;
        mail.recipients = {"ops@example.test"};
    }
    void TearDown() override { MonitorItemManager::instance()->deleteTemporaryItem(item_); }

    // Feeds one event per letter: F cycle failed, S cycle succeeded, R status refresh,
    // P progress; returns per event how many jobs it queued, as digits.
    std::string feed(MailAlarmNotifier& notifier, MailSender& queue, const std::string& events)
    {
        std::string queued;
        for (char e : events) {
            int event = e == 'F' ? NotifyCycleFailed
                      : e == 'S' ? NotifyCycleSucceeded
                      : e == 'R' ? NotifyStatusRefresh
                                 : NotifyProgress;
            std::vector<MailJob> before = queue.pendingJobs();
            // Each failure's mail gets a body of its own (the count in it), so that a new alarm,
            // which replaces the waiting mail to the same recipient, shows as a job not waiting
            // before.
            if (e == 'F')
                item_->getStatus().consecutiveFailures = ++serial_;
            notifier.notify(event, "");
            int added = 0;
            for (const MailJob& job : queue.pendingJobs()) {
                bool waited = false;
                for (const MailJob& old : before)
                    waited = waited || (old.to == job.to && old.body == job.body);
                added += waited ? 0 : 1;
            }
            queued += static_cast<char>('0' + added);
        }
        return queued;
    }

    MonitorItemSettings* item_ = nullptr;
    int serial_ = 0;
};

}  // namespace

TEST_F(MailAlarmNotifierTest, OnlyFailedCyclesFromTheThresholdOnQueueMail)
{
    struct Case {
        const char* what;
        int threshold;
        bool alarmEnabled;
        const char* events;
        const char* queued;
        int countAfter;
    } cases[] = {
        {"threshold 3: the third and every later failure", 3, true, "FFFFF", "00111", 5},
        {"a success resets the count", 3, true, "FFFSFFF", "0010001", 3},
        {"threshold 1: every failure, never a success", 1, true, "FSFFS", "10110", 0},
        {"threshold 0 behaves as 1", 0, true, "SSFSF", "00101", 1},
        {"a negative threshold behaves as 1", -4, true, "SF", "01", 1},
        {"status refreshes and progress neither count nor reset", 2, true, "FRFPRF", "001001", 3},
        {"alarm disabled: no mail, the count still advances", 1, false, "FFF", "000", 3},
    };
    for (const Case& c : cases) {
        item_->getAlarmTrigger().failureThreshold = c.threshold;
        item_->getAlarmTrigger().enabled = c.alarmEnabled;
        item_->getStatus().consecutiveFailures = 0;
        MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
        MailAlarmNotifier notifier(item_, "C:\\data\\", &queue);

        EXPECT_EQ(c.queued, feed(notifier, queue, c.events)) << c.what << ", events " << c.events;
        EXPECT_EQ(c.countAfter, notifier.failureCount()) << c.what;
    }
}

TEST_F(MailAlarmNotifierTest, QueuesOnePlainMailPerRecipientInOrder)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getMailAction().recipients = {"ops@example.test", "", "boss@example.test"};
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    MailAlarmNotifier notifier(item_, "C:\\data\\", &queue);
    // The key stays the address the notifier was made for; the text shows the current one.
    item_->getGeneral().address = "10.9.9.9";
    item_->getStatus().consecutiveFailures = 4;

    notifier.notify(NotifyCycleFailed, "");

    std::vector<MailJob> jobs = queue.pendingJobs();
    ASSERT_EQ(2u, jobs.size()) << "one job per non-empty recipient";
    EXPECT_EQ("ops@example.test", jobs[0].to);
    EXPECT_EQ("boss@example.test", jobs[1].to);
    for (const MailJob& job : jobs) {
        EXPECT_EQ(MailAlarmNotifier::kSenderAddress, job.from);
        EXPECT_EQ("Alarm triggered for item Intranet", job.subject);
        EXPECT_EQ("The site 10.9.9.9 has had 4 consecutive failures", job.body);
        EXPECT_TRUE(job.plain);
        EXPECT_TRUE(job.attachments.empty());
        EXPECT_EQ("10.1.2.3", job.key);
    }
}

TEST_F(MailAlarmNotifierTest, MailDisabledOrNoRecipientsQueuesNothing)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    {
        item_->getMailAction().enabled = false;
        MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
        MailAlarmNotifier notifier(item_, "C:\\data\\", &queue);
        EXPECT_EQ("00", feed(notifier, queue, "FF"));
        EXPECT_EQ(2, notifier.failureCount());
    }
    {
        item_->getMailAction().enabled = true;
        item_->getMailAction().recipients.clear();
        MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
        MailAlarmNotifier notifier(item_, "C:\\data\\", &queue);
        EXPECT_EQ("00", feed(notifier, queue, "FF"));
    }
}

TEST_F(MailAlarmNotifierTest, WithTheReportAttachedTheBodyIsTheItemsHtmlReport)
{
    item_->getAlarmTrigger().failureThreshold = 1;
    item_->getMailAction().attachReport = true;
    item_->getGeneral().name = "Intranet <main>";
    MailSender queue(&fakeSendMail, &fakeSendHtmlMail);
    MailAlarmNotifier notifier(item_, "C:\\data\\", &queue);

    notifier.notify(NotifyCycleFailed, "");

    std::vector<MailJob> jobs = queue.pendingJobs();
    ASSERT_EQ(1u, jobs.size());
    EXPECT_FALSE(jobs[0].plain);
    EXPECT_EQ("Alarm triggered for item Intranet <main>", jobs[0].subject);
    EXPECT_THAT(jobs[0].body, StartsWith("<!DOCTYPE html>"));
    EXPECT_THAT(jobs[0].body, HasSubstr("<h1>Intranet &lt;main&gt;</h1>"));
    EXPECT_THAT(jobs[0].body, HasSubstr("10.1.2.3"));
}
