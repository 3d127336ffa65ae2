// The mail queue: order, routing of plain and HTML jobs, dropped failures, the idle sleep, and
// the bounded drain at the end of the service.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include "orv/log4cxx.h"

#include "MailSender.h"
#include "MailTestSupport.h"

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
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("service.MailSender");
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
    log4cxx::LoggerPtr logger = log4cxx::Logger::getLogger("service.MailSender");
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
                               "delivered at the end of the service"));
    EXPECT_THAT(log, HasSubstr("ERROR Mail to b@example.test with the subject \"waiting 1\" not sent"));
    EXPECT_THAT(log, HasSubstr("ERROR Mail to c@example.test with the subject \"waiting 2\" not sent"));
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
