// The mail queue: order, routing of plain and HTML jobs, dropped failures, the idle sleep, one
// waiting job per item and recipient, suppressed keys, the one process-wide queue, and the bounded
// drain at the end of a program.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include "orv/log4cxx.h"

#include "mailqueue/MailSender.h"
#include "FakeMail.h"

using ::testing::HasSubstr;

namespace {

class MailSenderTest : public ::testing::Test {
protected:
    void SetUp() override { fakeMail().reset(); }
    void TearDown() override { fakeMail().reset(); }

    static void queuePlain(MailSender& sender, const std::string& to, const std::string& subject)
    {
        sender.enqueue("daemon@orvane.test", to, subject, "body of " + subject,
                       std::vector<std::string>(), true, "host.example.test");
    }
};

std::string readWholeFile(const std::string& windowsPath)
{
    return orvtest::readFile(windowsPath, "<cannot open " + windowsPath + ">");
}

// The queue's log lines, written to a file of the test's own while the object lives.
class MailLog {
public:
    explicit MailLog(const std::string& name)
        : path_(orvtest::fixtureDir() + "/" + name),
          appender_(new log4cxx::FileAppender(
              log4cxx::LayoutPtr(new log4cxx::PatternLayout("%p %m%n")), path_, false)),
          logger_(log4cxx::Logger::getLogger("mail.MailSender"))
    {
        logger_->addAppender(appender_);
    }
    ~MailLog() { stop(); }
    // Stops recording and gives what was logged.
    std::string text()
    {
        stop();
        return readWholeFile(orvtest::windowsPath(path_));
    }

private:
    void stop()
    {
        if (!appender_)
            return;
        logger_->removeAppender(appender_);
        appender_->close();
        appender_ = log4cxx::AppenderPtr();
    }

    std::string path_;
    log4cxx::AppenderPtr appender_;
    log4cxx::LoggerPtr logger_;
};

// A queue whose thread the system refuses to start.
class UnstartableSender : public MailSender {
public:
    UnstartableSender() : MailSender(&fakeSendMail, &fakeSendHtmlMail) {}

protected:
    bool startThread() override
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
};

}  // namespace

TEST_F(MailSenderTest, SendsQueuedJobsInOrderWithoutPausingBetweenThem)
{
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
    queuePlain(sender, "a@example.test", "first");
    queuePlain(sender, "b@example.test", "second");
    queuePlain(sender, "c@example.test", "third");
    ASSERT_EQ(3u, sender.pendingJobs().size());

    DWORD started = GetTickCount();
    ASSERT_TRUE(sender.start());
    ASSERT_TRUE(fakeMail().waitForCalls(3, 5000));

    std::vector<SentMail> sent = fakeMail().calls();
    ASSERT_EQ(3u, sent.size());
    EXPECT_EQ("first", sent[0].subject);
    EXPECT_EQ("second", sent[1].subject);
    EXPECT_EQ("third", sent[2].subject);
    EXPECT_LT(sent[2].tick - started, 2000u) << "the idle sleep came between queued jobs";
    EXPECT_TRUE(sender.pendingJobs().empty());
}

TEST_F(MailSenderTest, PlainJobsGoToSendMailAndHtmlJobsToSendHtmlMailWithTheBodyAsBothParts)
{
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
    std::vector<std::string> files = {"C:\\a.txt", "C:\\b.log"};
    sender.enqueue("daemon@orvane.test", "ops@example.test", "plain one", "text body", files, true,
                   "k1");
    sender.enqueue("daemon@orvane.test", "web@example.test", "html one",
                   "<html><body>report</body></html>", std::vector<std::string>(), false, "k2");
    ASSERT_TRUE(sender.start());
    ASSERT_TRUE(fakeMail().waitForCalls(2, 5000));

    std::vector<SentMail> sent = fakeMail().calls();
    ASSERT_EQ(2u, sent.size());
    EXPECT_FALSE(sent[0].html);
    EXPECT_EQ("daemon@orvane.test", sent[0].from);
    EXPECT_EQ("ops@example.test", sent[0].to);
    EXPECT_EQ("plain one", sent[0].subject);
    EXPECT_EQ("text body", sent[0].text);
    EXPECT_EQ(files, sent[0].attachments);

    EXPECT_TRUE(sent[1].html);
    EXPECT_EQ("web@example.test", sent[1].to);
    EXPECT_EQ("html one", sent[1].subject);
    EXPECT_EQ("<html><body>report</body></html>", sent[1].text);
    EXPECT_EQ("<html><body>report</body></html>", sent[1].htmlPart);
    EXPECT_EQ(0u, sent[1].related);
    EXPECT_TRUE(sent[1].attachments.empty());
}

TEST_F(MailSenderTest, AFailedDeliveryIsDroppedLoggedAndTheNextJobIsSent)
{
    const std::string logUnix = orvtest::fixtureDir() + "/failed-mail.log";
    log4cxx::LayoutPtr layout(new log4cxx::PatternLayout("%p %m%n"));
    log4cxx::AppenderPtr appender(new log4cxx::FileAppender(layout, logUnix, false));
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("mail.MailSender");
    logger->addAppender(appender);
    fakeMail().result = E_FAIL;
    {
        MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
        queuePlain(sender, "a@example.test", "fails");
        queuePlain(sender, "b@example.test", "fails too");
        ASSERT_TRUE(sender.start());
        ASSERT_TRUE(fakeMail().waitForCalls(2, 5000));
        Sleep(200);

        EXPECT_EQ(2u, fakeMail().calls().size()) << "a failed job was tried again";
        EXPECT_TRUE(sender.pendingJobs().empty());
    }
    logger->removeAppender(appender);
    appender->close();
    // An alarm that does not arrive must be visible: each failure is a warning naming the mail
    // (the reason, the mail library's, follows the colon).
    const std::string log = readWholeFile(orvtest::windowsPath(logUnix));
    EXPECT_THAT(log, HasSubstr("WARN Mail to a@example.test with the subject \"fails\" failed: "));
    EXPECT_THAT(log, HasSubstr("WARN Mail to b@example.test with the subject \"fails too\" failed: "));
}

TEST_F(MailSenderTest, AJobQueuedWhileTheThreadIdlesIsSentAfterTheIdleSleep)
{
    const int idleSeconds = 1;
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail, idleSeconds);
    ASSERT_TRUE(sender.start());
    Sleep(300);   // the empty queue has sent the thread to sleep
    DWORD queued = GetTickCount();
    queuePlain(sender, "late@example.test", "late");

    ASSERT_TRUE(fakeMail().waitForCalls(1, 3000));
    EXPECT_LE(fakeMail().calls()[0].tick - queued, 1500u);
}

TEST_F(MailSenderTest, DrainSendsWhatIsQueuedAndEndsTheThreadWithoutWaitingOutTheIdleSleep)
{
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
    ASSERT_TRUE(sender.start());
    Sleep(300);   // asleep for kIdleSeconds
    queuePlain(sender, "a@example.test", "one");
    queuePlain(sender, "b@example.test", "two");

    DWORD started = GetTickCount();
    EXPECT_TRUE(sender.drain(5000));
    EXPECT_LT(GetTickCount() - started, 2000u);
    EXPECT_TRUE(sender.finished());
    ASSERT_EQ(2u, fakeMail().calls().size());
    EXPECT_EQ("one", fakeMail().calls()[0].subject);
    EXPECT_EQ("two", fakeMail().calls()[1].subject);
}

TEST_F(MailSenderTest, DrainGivesUpAfterItsBoundAndLogsEveryMailNotSent)
{
    const std::string logUnix = orvtest::fixtureDir() + "/mailsender.log";
    log4cxx::LayoutPtr layout(new log4cxx::PatternLayout("%p %m%n"));
    log4cxx::AppenderPtr appender(new log4cxx::FileAppender(layout, logUnix, false));
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("mail.MailSender");
    logger->addAppender(appender);

    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    fakeMail().gate = gate;   // every delivery hangs until the gate opens
    {
        MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
        queuePlain(sender, "a@example.test", "slow");
        queuePlain(sender, "b@example.test", "waiting 1");
        queuePlain(sender, "c@example.test", "waiting 2");
        ASSERT_TRUE(sender.start());
        Sleep(100);

        DWORD started = GetTickCount();
        EXPECT_FALSE(sender.drain(300));
        EXPECT_LT(GetTickCount() - started, 2000u);
        EXPECT_FALSE(sender.finished());
        EXPECT_EQ(2u, sender.pendingJobs().size());

        SetEvent(gate);   // let the thread end before the queue goes
    }
    logger->removeAppender(appender);
    appender->close();
    CloseHandle(gate);

    const std::string log = readWholeFile(orvtest::windowsPath(logUnix));
    EXPECT_THAT(log, HasSubstr("ERROR Mail to a@example.test with the subject \"slow\" still being "
                               "delivered before the mail queue ended"));
    EXPECT_THAT(log, HasSubstr("ERROR Mail to b@example.test with the subject \"waiting 1\" not sent"));
    EXPECT_THAT(log, HasSubstr("ERROR Mail to c@example.test with the subject \"waiting 2\" not sent"));
}

TEST_F(MailSenderTest, MailQueuedAfterTheDrainIsRefusedAndLogged)
{
    MailLog log("after-drain.log");
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
    ASSERT_TRUE(sender.start());
    queuePlain(sender, "a@example.test", "before");
    ASSERT_TRUE(sender.drain(5000));

    // A worker that outlived the stop raises one more alarm.
    queuePlain(sender, "b@example.test", "after");
    EXPECT_TRUE(sender.pendingJobs().empty());
    ASSERT_EQ(1u, fakeMail().calls().size());
    EXPECT_EQ("before", fakeMail().calls()[0].subject);
    EXPECT_THAT(log.text(), HasSubstr("ERROR Mail to b@example.test for host.example.test with the "
                                      "subject \"after\" refused: the mail queue has been drained"));
}

TEST_F(MailSenderTest, AFailedStartIsLoggedAndLeavesNoJobWaiting)
{
    MailLog log("failed-start.log");
    UnstartableSender sender;
    queuePlain(sender, "a@example.test", "queued before");
    EXPECT_FALSE(sender.startSending());
    EXPECT_TRUE(sender.pendingJobs().empty());
    queuePlain(sender, "b@example.test", "queued after");
    EXPECT_TRUE(sender.pendingJobs().empty());
    EXPECT_TRUE(sender.drain(100)) << "nothing is left waiting";
    EXPECT_TRUE(fakeMail().calls().empty());

    const std::string text = log.text();
    EXPECT_THAT(text, HasSubstr("ERROR The mail thread could not be started (error 8): alarm mail "
                                "is not sent"));
    EXPECT_THAT(text, HasSubstr("ERROR Mail to a@example.test with the subject \"queued before\" "
                                "not sent"));
    EXPECT_THAT(text, HasSubstr("ERROR Mail to b@example.test for host.example.test with the "
                                "subject \"queued after\" refused: the mail thread could not be "
                                "started"));
}

TEST_F(MailSenderTest, DrainOfAQueueThatNeverStartedReportsItsJobsAsNotSent)
{
    MailSender idle(&fakeSendMail, &fakeSendHtmlMail);
    EXPECT_TRUE(idle.drain(100));

    MailSender loaded(&fakeSendMail, &fakeSendHtmlMail);
    queuePlain(loaded, "a@example.test", "never");
    EXPECT_FALSE(loaded.drain(100));
    EXPECT_TRUE(fakeMail().calls().empty());
}

TEST_F(MailSenderTest, ANewerJobForTheSameItemAndRecipientReplacesTheWaitingOneAndIsLogged)
{
    const std::string logUnix = orvtest::fixtureDir() + "/coalesce.log";
    log4cxx::LayoutPtr layout(new log4cxx::PatternLayout("%p %m%n"));
    log4cxx::AppenderPtr appender(new log4cxx::FileAppender(layout, logUnix, false));
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("mail.MailSender");
    logger->addAppender(appender);

    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    fakeMail().gate = gate;   // the first delivery hangs: what comes meanwhile waits
    {
        MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
        sender.enqueue("d@orvane.test", "ops@example.test", "alarm 1", "1", {}, true, "10.0.0.1");
        ASSERT_TRUE(sender.start());
        for (DWORD t = GetTickCount(); !sender.pendingJobs().empty() && GetTickCount() - t < 5000;)
            Sleep(10);
        ASSERT_TRUE(sender.pendingJobs().empty()) << "the first job was not taken";

        // While "alarm 1" is being delivered: the in-flight job is never replaced, waiting ones are.
        sender.enqueue("d@orvane.test", "ops@example.test", "alarm 2", "2", {}, true, "10.0.0.1");
        sender.enqueue("d@orvane.test", "boss@example.test", "alarm 2", "2", {}, true, "10.0.0.1");
        sender.enqueue("d@orvane.test", "ops@example.test", "other 1", "x", {}, true, "10.0.0.2");
        sender.enqueue("d@orvane.test", "ops@example.test", "alarm 3", "3", {}, false, "10.0.0.1");
        sender.enqueue("d@orvane.test", "boss@example.test", "alarm 3", "3", {}, true, "10.0.0.1");
        sender.enqueue("d@orvane.test", "ops@example.test", "alarm 4", "4", {}, true, "10.0.0.1");

        std::vector<MailJob> waiting = sender.pendingJobs();
        ASSERT_EQ(3u, waiting.size());
        EXPECT_EQ("ops@example.test", waiting[0].to);
        EXPECT_EQ("alarm 4", waiting[0].subject);
        EXPECT_TRUE(waiting[0].plain);
        EXPECT_EQ("boss@example.test", waiting[1].to);
        EXPECT_EQ("alarm 3", waiting[1].subject);
        EXPECT_EQ("other 1", waiting[2].subject);

        SetEvent(gate);
        ASSERT_TRUE(sender.drain(5000));
    }
    logger->removeAppender(appender);
    appender->close();
    CloseHandle(gate);

    std::vector<SentMail> sent = fakeMail().calls();
    ASSERT_EQ(4u, sent.size());
    EXPECT_EQ("alarm 1", sent[0].subject);
    EXPECT_EQ("alarm 4", sent[1].subject);
    EXPECT_EQ("alarm 3", sent[2].subject);
    EXPECT_EQ("other 1", sent[3].subject);

    const std::string log = readWholeFile(orvtest::windowsPath(logUnix));
    EXPECT_THAT(log, HasSubstr("INFO Mail to ops@example.test for 10.0.0.1 with the subject "
                               "\"alarm 2\" replaced by a newer one before it was sent"));
    EXPECT_THAT(log, HasSubstr("\"alarm 3\" replaced by a newer one"));
    EXPECT_THAT(log, HasSubstr("INFO Mail to boss@example.test for 10.0.0.1 with the subject "
                               "\"alarm 2\" replaced"));
}

TEST_F(MailSenderTest, SuppressedKeysLoseTheirWaitingAndLaterJobsUntilAllowedAgain)
{
    MailSender sender(&fakeSendMail, &fakeSendHtmlMail);
    sender.enqueue("d@orvane.test", "a@example.test", "gone 1", "", {}, true, "10.0.0.1");
    sender.enqueue("d@orvane.test", "a@example.test", "kept", "", {}, true, "10.0.0.2");
    sender.enqueue("d@orvane.test", "b@example.test", "gone 2", "", {}, true, "10.0.0.1");

    sender.suppress("10.0.0.1");
    sender.suppress("10.0.0.1");
    EXPECT_TRUE(sender.isSuppressed("10.0.0.1"));
    EXPECT_FALSE(sender.isSuppressed("10.0.0.2"));
    // Jobs of any item with the suppressed address are dropped, now and later.
    sender.enqueue("d@orvane.test", "c@example.test", "gone 3", "", {}, true, "10.0.0.1");
    ASSERT_EQ(1u, sender.pendingJobs().size());
    EXPECT_EQ("kept", sender.pendingJobs()[0].subject);

    // An item added again with that address mails again.
    sender.allow("10.0.0.1");
    sender.allow("never suppressed");
    EXPECT_FALSE(sender.isSuppressed("10.0.0.1"));
    sender.enqueue("d@orvane.test", "a@example.test", "back", "", {}, true, "10.0.0.1");
    ASSERT_TRUE(sender.start());
    ASSERT_TRUE(sender.drain(5000));

    std::vector<SentMail> sent = fakeMail().calls();
    ASSERT_EQ(2u, sent.size());
    EXPECT_EQ("kept", sent[0].subject);
    EXPECT_EQ("back", sent[1].subject);
}

namespace {

DWORD WINAPI askForTheQueue(LPVOID result)
{
    *static_cast<MailSender**>(result) = MailSender::instance();
    return 0;
}

}  // namespace

TEST_F(MailSenderTest, ThreadsAskingAtOnceGetTheOneProcessWideQueue)
{
    EXPECT_EQ(nullptr, MailSender::existingInstance());
    MailSender* seen[8] = {};
    HANDLE threads[8];
    for (int i = 0; i < 8; ++i)
        threads[i] = CreateThread(nullptr, 0, &askForTheQueue, &seen[i], 0, nullptr);
    WaitForMultipleObjects(8, threads, TRUE, 10000);
    for (HANDLE thread : threads)
        CloseHandle(thread);

    MailSender* queue = MailSender::existingInstance();
    ASSERT_NE(nullptr, queue);
    for (MailSender* one : seen)
        EXPECT_EQ(queue, one);
    EXPECT_EQ(queue, MailSender::instance());
}
