// The SMTP client and the SMTP worker against fakes on loopback: a name server (dnslib, and a
// raw-bytes UDP one for hostile answers) on port 53, the aiosmtpd sink, and scripted SMTP
// servers that refuse, fall silent or misbehave at each step.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "MailTestSupport.h"
#include "Monitor/MonitorItemLock.h"
#include "MxLookup.h"
#include "SmtpClient.h"
#include "SmtpWorker.h"
#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"
#include "workers/CommonWorkerImpl.h"
#include "workers/WorkerManager.h"

using mailtest::DnsMessage;
using mailtest::ScriptServer;
using mailtest::writeScratchFile;
using orvtest::FixtureServer;
using workertest::Event;
using workertest::RecordingNotifier;
typedef std::vector<std::string> Lines;

namespace {

const char* const kNameServer = "127.0.0.3";
const char* const kMx = "127.0.0.2";
const char* const kOtherMx = "127.0.0.4";
const int kPort = 2525;
const char* const kBody = "line one\r\n.\r\n.leading dot\r\nlast line";

const char* const kZone =
    "example.test.  60 IN MX 10 127.0.0.2.\n"
    "two.test.      60 IN MX 10 127.0.0.4.\n"
    "two.test.      60 IN MX 20 127.0.0.2.\n"
    "nomx.test.     60 IN A  127.0.0.9\n";

FixtureServer* startZone()
{
    return new FixtureServer("dns_srv", {kNameServer, "53", writeScratchFile("zone.txt", kZone)});
}

// A raw-bytes name server answering each query with these datagrams ("hex ..." / "raw ..." lines).
FixtureServer* startRawDns(const std::string& replies)
{
    static int n = 0;
    return new FixtureServer("dns_udp", {kNameServer, "53",
                                         writeScratchFile("replies" + std::to_string(++n) + ".txt", replies)});
}

std::string sinkDir()
{
    static int n = 0;
    return orvtest::fixtureDir() + "/sink" + std::to_string(++n);
}

// Commands as the server saw them once the client's connection is over, the greeting's host name
// left out.
Lines commandsOf(ScriptServer& server)
{
    Lines out;
    for (const std::string& c : server.commandsWhenDone())
        out.push_back(c.compare(0, 5, "EHLO ") == 0 ? "EHLO" : c.compare(0, 5, "HELO ") == 0 ? "HELO" : c);
    return out;
}

std::string sendVia(const std::string& server, bool lookupMx, const std::string& to = "ops@example.test",
                    const std::string& user = "", const std::string& password = "", int timeoutMs = 1500)
{
    SmtpClient client(to, "Orvane <alarm@orvane.test>", "Check", kBody, server, kPort, lookupMx);
    client.setTimeout(timeoutMs);
    if (!user.empty()) {
        client.setUserName(user);
        client.setPassword(password);
    }
    client.sendMail();
    return client.lastResponse();
}

const char* const kGreet = "line 220 scripted ESMTP\n";
const char* const kEhloOk = "recv\nline 250-scripted\nline 250 SIZE 100000\n";
// AUTH offered in lower case on a continuation line that arrives in two pieces
const char* const kEhloAuth = "recv\nline 250-scripted\nsend 250-AUTH PLAIN \nsleep 200\nline login\nline 250 SIZE 100000\n";
// (the "auth LOGIN" line has been read before them)
const char* const kPrompts = "line 334 VXNlcm5hbWU6\nrecv\nline 334 UGFzc3dvcmQ6\n";
const char* const kMailOk = "recv\nline 250 sender ok\n";
const char* const kRcptOk = "recv\nline 250 recipient ok\n";
const char* const kDataOk = "recv\nline 354 go ahead\ndata\n";
const char* const kQuit = "recv\nline 221 bye\n";

std::string session(const std::string& tail)
{
    return std::string(kGreet) + kEhloOk + kMailOk + kRcptOk + kDataOk + tail;
}

// ---- the client against scripted servers (no MX lookup) ----

TEST(SmtpClientTest, EveryStepOfTheConversation)
{
    const Lines full = {"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA", "QUIT"};
    const Lines authed = {"EHLO", "auth LOGIN", "b3J2", "c2VjcmV0", "MAIL FROM:<alarm@orvane.test>",
                          "RCPT TO: <ops@example.test>", "DATA", "QUIT"};
    const std::string auth = std::string(kGreet) + kEhloAuth + "recv\n";
    struct Case {
        const char* what;
        std::string script;
        const char* user;
        std::string response;
        Lines commands;
    };
    const Case cases[] = {
        {"accepted", session("line 250 OK queued as 1\n") + kQuit, "", "250 OK queued as 1\r\n", full},
        {"multi-line final reply", session("line 250-queued\nline 250 as 2\n") + kQuit, "", "250-queued\r\n250 as 2\r\n",
         full},
        {"final reply 452", session("line 452 insufficient storage\n") + kQuit, "", "452 insufficient storage\r\n", full},
        {"HELO after EHLO 502",
         std::string(kGreet) + "recv\nline 502 not implemented\nrecv\nline 250 hello\n" + kMailOk + kRcptOk + kDataOk +
             "line 250 ok\n" + kQuit,
         "", "250 ok\r\n", Lines{"EHLO", "HELO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA", "QUIT"}},
        {"HELO refused", std::string(kGreet) + "recv\nline 502 no\nrecv\nline 550 go away\n" + kQuit, "",
         "550 go away\r\n", Lines{"EHLO", "HELO", "QUIT"}},
        {"EHLO 502 with a login", std::string(kGreet) + "recv\nline 502 no\n", "orv",
         "554 possibly trying to use AUTH without ESMTP server, ERROR!", Lines{"EHLO"}},
        {"AUTH LOGIN accepted", auth + kPrompts + "recv\nline 235 authenticated\n" + kMailOk + kRcptOk + kDataOk +
         "line 250 ok\n" + kQuit, "orv", "250 ok\r\n", authed},
        {"AUTH prompts of other wording",
         auth + "line 334 VXNlciBOYW1lAA==\nrecv\nline 334 UGFzc3dvcmQA\nrecv\nline 235 ok\n" + kMailOk + kRcptOk +
             kDataOk + "line 250 ok\n" + kQuit,
         "orv", "250 ok\r\n", authed},
        {"AUTH refused", auth + kPrompts + "recv\nline 535 5.7.8 bad credentials\n", "orv",
         "535 5.7.8 bad credentials\r\n", Lines{"EHLO", "auth LOGIN", "b3J2", "c2VjcmV0", "QUIT"}},
        {"AUTH prompt refused", auth + "line 504 unrecognized mechanism\n", "orv", "504 unrecognized mechanism\r\n",
         Lines{"EHLO", "auth LOGIN", "QUIT"}},
        {"no LOGIN offered", std::string(kGreet) + kEhloOk, "orv",
         "554 zqSMTP only handles LOGIN or PLAIN authentication at present!", Lines{"EHLO", "QUIT"}},
        {"MAIL FROM refused", std::string(kGreet) + kEhloOk + "recv\nline 553 sender rejected\n" + kQuit, "",
         "553 sender rejected\r\n", Lines{"EHLO", "MAIL FROM:<alarm@orvane.test>", "QUIT"}},
        {"RCPT refused, DATA still tried",
         std::string(kGreet) + kEhloOk + kMailOk + "recv\nline 550 no such user\nrecv\nline 554 no valid recipients\n" +
             kQuit,
         "", "554 no valid recipients\r\n", full},
        {"DATA deferred", std::string(kGreet) + kEhloOk + kMailOk + kRcptOk + "recv\nline 451 try later\n" + kQuit, "",
         "451 try later\r\n", full},
        {"silent greeting", "silent\n", "", "554 Transaction failed: server connect response error.", Lines{}},
        {"closed at once", "close\n", "", "554 Transaction failed: server connect response error.", Lines{}},
        {"endless greeting line", "bytes 100000 x\nline \n", "", "554 Transaction failed: server connect response error.",
         Lines{}},
        {"silent after EHLO", std::string(kGreet) + "recv\nsilent\n", "", "554 Transaction failed: EHLO receipt",
         Lines{"EHLO"}},
        {"endless EHLO reply", std::string(kGreet) + "recv\nbytes 70000 250-more\\r\\n\nsilent\n", "",
         "554 Transaction failed: EHLO receipt", Lines{"EHLO"}},
        {"silent after HELO", std::string(kGreet) + "recv\nline 502 no\nrecv\nsilent\n", "",
         "554 Transaction failed: HELO receipt", Lines{"EHLO", "HELO"}},
        {"silent after auth", auth + "silent\n", "orv", "554 receive failure: waiting on username question!",
         Lines{"EHLO", "auth LOGIN"}},
        {"silent after the user name", auth + "line 334 VXNlcm5hbWU6\nrecv\nsilent\n", "orv",
         "554 receive failure: waiting on password question!", Lines{"EHLO", "auth LOGIN", "b3J2"}},
        {"silent after the password", auth + kPrompts + "recv\nsilent\n", "orv",
         "554 receive failure: waiting on auth login response!", Lines{"EHLO", "auth LOGIN", "b3J2", "c2VjcmV0"}},
        {"silent after MAIL FROM", std::string(kGreet) + kEhloOk + "recv\nsilent\n", "", "554 MAIL FROM receipt error",
         Lines{"EHLO", "MAIL FROM:<alarm@orvane.test>"}},
        {"silent after RCPT TO", std::string(kGreet) + kEhloOk + kMailOk + "recv\nsilent\n", "",
         "554 DATA, server response error",
         Lines{"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA"}},
        {"silent after DATA", std::string(kGreet) + kEhloOk + kMailOk + kRcptOk + "recv\nsilent\n", "",
         "554 DATA, server response error", Lines{"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA"}},
        {"silent after the message", session("silent\n"), "", "554 DATA, server response error (actual send)",
         Lines{"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA"}},
    };
    for (const Case& c : cases) {
        ScriptServer server(kMx, kPort, c.script);
        ASSERT_TRUE(server.running()) << server.error();
        DWORD start = GetTickCount();
        EXPECT_EQ(c.response, sendVia(kMx, false, "ops@example.test", c.user, "secret")) << c.what;
        // at most two waits of 1.5 s (a silent RCPT, then a silent DATA)
        EXPECT_LT(GetTickCount() - start, 4500u) << c.what;
        EXPECT_EQ(c.commands, commandsOf(server)) << c.what;
    }
}

TEST(SmtpClientTest, BodyIsDotStuffedSoTheDataEndsWhereItShould)
{
    ScriptServer server(kMx, kPort, session("line 250 ok\n") + kQuit);
    ASSERT_TRUE(server.running()) << server.error();
    EXPECT_EQ("250 ok\r\n", sendVia(kMx, false));
    ASSERT_TRUE(mailtest::waitForLine(server.fixture(), "CMD QUIT", 3000));
    Lines data = server.data();
    auto body = std::find(data.begin(), data.end(), "");
    ASSERT_NE(data.end(), body);
    EXPECT_EQ((Lines{"", "line one", "..", "..leading dot", "last line"}), Lines(body, data.end()));
    Lines output = server.output();
    EXPECT_NE(output.end(), std::find(output.begin(), output.end(), "DATA-END"));
}

TEST(SmtpClientTest, UnreachableServer)
{
    DWORD start = GetTickCount();
    EXPECT_EQ("554 Transaction failed: server connect error.", sendVia("127.0.0.9", false));
    EXPECT_EQ("451 Requested action aborted: local error in processing", sendVia("no-such-host.invalid", false));
    EXPECT_LT(GetTickCount() - start, 4000u);
}

// ---- mail exchangers found by the MX query ----

TEST(SmtpClientTest, DeliversToTheExchangerOfTheRecipientsDomain)
{
    std::unique_ptr<FixtureServer> dns(startZone());
    ASSERT_TRUE(dns->running()) << dns->error();
    std::string outdir = sinkDir();
    FixtureServer sink("smtp_sink", {kMx, std::to_string(kPort), outdir});
    ASSERT_TRUE(sink.running()) << sink.error();

    EXPECT_EQ("250 OK message accepted\r\n", sendVia(kNameServer, true));
    std::string name = outdir.substr(orvtest::fixtureDir().size() + 1);
    std::string mail = mailtest::readScratchFile(name + "/1.eml");
    EXPECT_NE(std::string::npos, mail.find("Subject: Check\r\n")) << mail;
    EXPECT_NE(std::string::npos, mail.find("From: alarm@orvane.test (Orvane) \r\n")) << mail;
    // the receiver undoes the stuffing: the body arrives whole
    EXPECT_NE(std::string::npos, mail.find("\r\n\r\nline one\r\n.\r\n.leading dot\r\nlast line")) << mail;
    std::string envelope = mailtest::readScratchFile(name + "/1.json");
    EXPECT_NE(std::string::npos, envelope.find("\"mail_from\": \"alarm@orvane.test\"")) << envelope;
    EXPECT_NE(std::string::npos, envelope.find("\"rcpt_tos\": [\"ops@example.test\"]")) << envelope;

    // a display name around the recipient asks for the same domain
    EXPECT_EQ("250 OK message accepted\r\n", sendVia(kNameServer, true, "Ops <ops@example.test>"));

    struct Case {
        const char* to;
        const char* response;
    };
    const Case cases[] = {
        {"ops@nomx.test", "451 Requested action aborted: No MX records ascertained"},
        {"ops@unknown.test", "451 Requested action aborted: No MX records ascertained"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.response, sendVia(kNameServer, true, c.to)) << c.to;
}

TEST(SmtpClientTest, AuthLoginAgainstTheSink)
{
    std::unique_ptr<FixtureServer> dns(startZone());
    ASSERT_TRUE(dns->running()) << dns->error();
    std::string outdir = sinkDir();
    FixtureServer sink("smtp_sink", {kMx, std::to_string(kPort), outdir, "orv:secret"});
    ASSERT_TRUE(sink.running()) << sink.error();

    EXPECT_EQ("250 OK message accepted\r\n", sendVia(kNameServer, true, "ops@example.test", "orv", "secret"));
    std::string envelope = mailtest::readScratchFile(outdir.substr(orvtest::fixtureDir().size() + 1) + "/1.json");
    EXPECT_NE(std::string::npos, envelope.find("\"authenticated\": true")) << envelope;
    std::string refused = sendVia(kNameServer, true, "ops@example.test", "orv", "wrong");
    EXPECT_EQ("535", refused.substr(0, 3)) << refused;
}

TEST(SmtpClientTest, NextExchangerWhenTheFirstDoesNotAccept)
{
    std::unique_ptr<FixtureServer> dns(startZone());
    ASSERT_TRUE(dns->running()) << dns->error();
    {
        ScriptServer first(kOtherMx, kPort, session("line 452 insufficient storage\n") + kQuit);
        ScriptServer second(kMx, kPort, session("line 250 taken\n") + kQuit);
        ASSERT_TRUE(first.running()) << first.error();
        ASSERT_TRUE(second.running()) << second.error();
        EXPECT_EQ("250 taken\r\n", sendVia(kNameServer, true, "ops@two.test"));
        const Lines both = {"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@two.test>", "DATA", "QUIT"};
        EXPECT_EQ(both, commandsOf(first));
        EXPECT_EQ(both, commandsOf(second));
    }
    // the first one silent: it uses up the time of the whole delivery, which fails with its
    // reply at the limit; the second is not tried on borrowed time
    ScriptServer silent(kOtherMx, kPort, "silent\n");
    ScriptServer second(kMx, kPort, session("line 250 taken\n") + kQuit);
    ASSERT_TRUE(silent.running()) << silent.error();
    ASSERT_TRUE(second.running()) << second.error();
    const long long start = orvtest::nowMs();
    EXPECT_EQ("554 Transaction failed: server connect response error.", sendVia(kNameServer, true, "ops@two.test"));
    const long long spent = orvtest::nowMs() - start;
    EXPECT_GE(spent, 1400);
    EXPECT_LT(spent, 2500);
    EXPECT_TRUE(mailtest::waitForLine(silent.fixture(), "CONNECT", 5000));
    const Lines seen = second.output();
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), "CONNECT")) << "the second exchanger was tried";
}

TEST(SmtpClientTest, HostileOrSilentNameServers)
{
    std::string query;
    ASSERT_TRUE(MxLookup::buildQuery("example.test", MxLookup::kQueryId, query));
    const std::string good = mailtest::mxAnswer(MxLookup::kQueryId, "example.test", {kMx}).hex();
    // an exchange name that is a pointer to itself
    DnsMessage loop;
    loop.header(MxLookup::kQueryId, 0x8180, 1, 1, 0, 0).name("example.test").u16(15).u16(1);
    const uint16_t exchangeAt = static_cast<uint16_t>(loop.size() + 14);
    loop.pointer(12).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(exchangeAt);
    DnsMessage authority;
    authority.header(MxLookup::kQueryId, 0x8180, 1, 0, 1, 0).name("example.test").u16(15).u16(1).mx(12, 10, kMx);
    DnsMessage refused;
    refused.header(MxLookup::kQueryId, 0x8183, 1, 0, 0, 0).name("example.test").u16(15).u16(1);
    DnsMessage stranger = mailtest::mxAnswer(0x7777, "example.test", {kOtherMx});

    struct Case {
        const char* what;
        std::string replies;
        bool delivered;
        long long atLeastMs;
    };
    const Case cases[] = {
        {"good answer", "hex " + good + "\n", true, 0},
        {"someone else's answer first", "raw " + stranger.hex() + "\nhex " + good + "\n", true, 0},
        {"silent", "silent\n", false, 1400},
        {"looping compression pointer", "hex " + loop.hex() + "\n", false, 0},
        {"MX only in the authority section", "hex " + authority.hex() + "\n", false, 0},
        {"name error", "hex " + refused.hex() + "\n", false, 0},
        {"truncated header", "hex 0101818000\n", false, 1400},
        {"answer cut inside its record", "hex " + good.substr(0, good.size() - 10) + "\n", false, 0},
    };
    for (const Case& c : cases) {
        std::unique_ptr<FixtureServer> dns(startRawDns(c.replies));
        ASSERT_TRUE(dns->running()) << dns->error();
        ScriptServer mx(kMx, kPort, session("line 250 ok\n") + kQuit);
        ASSERT_TRUE(mx.running()) << mx.error();
        const long long start = orvtest::nowMs();
        std::string response = sendVia(kNameServer, true);
        const long long spent = orvtest::nowMs() - start;
        EXPECT_EQ(c.delivered ? "250 ok\r\n" : "451 Requested action aborted: No MX records ascertained", response)
            << c.what;
        EXPECT_GE(spent, c.atLeastMs) << c.what;
        EXPECT_LT(spent, 3000) << c.what;
        // the query itself, as the name server received it: asked of the dotted address as given
        // (the server's log line may still be on its way when the client is done)
        const std::string asked = DnsMessage().raw(query).hex();
        dns->outputWith("QUERY " + asked);
        EXPECT_EQ(Lines{asked}, mailtest::linesWithPrefix(*dns, "QUERY ")) << c.what;
    }
}

TEST(SmtpClientTest, NoNameServerFallsBackToTheDomainsOwnAddress)
{
    ScriptServer server(kMx, kPort, session("line 250 ok\n") + kQuit);
    ASSERT_TRUE(server.running()) << server.error();
    EXPECT_EQ("250 ok\r\n", sendVia("no-such-host.invalid", true, "ops@127.0.0.2"));
    EXPECT_EQ("451 Requested action aborted: No MX records ascertained",
              sendVia("no-such-host.invalid", true, "ops@no-such-domain.invalid"));
}

TEST(SmtpClientTest, StopCutsAWaitShort)
{
    ScriptServer server(kMx, kPort, std::string(kGreet) + "recv\nsilent\n");
    ASSERT_TRUE(server.running()) << server.error();
    SmtpClient client("ops@example.test", "alarm@orvane.test", "s", "b", kMx, kPort, false);
    client.setTimeout(60000);
    DWORD start = GetTickCount();
    client.setCancel([start] { return GetTickCount() - start > 300; });
    client.sendMail();
    EXPECT_EQ("554 Transaction failed: EHLO receipt", client.lastResponse());
    EXPECT_LT(GetTickCount() - start, 1500u);

    std::unique_ptr<FixtureServer> dns(startRawDns("silent\n"));
    ASSERT_TRUE(dns->running()) << dns->error();
    SmtpClient asking("ops@example.test", "alarm@orvane.test", "s", "b", kNameServer, kPort, true);
    asking.setTimeout(60000);
    start = GetTickCount();
    asking.setCancel([start] { return GetTickCount() - start > 300; });
    asking.sendMail();
    EXPECT_EQ("451 Requested action aborted: No MX records ascertained", asking.lastResponse());
    EXPECT_LT(GetTickCount() - start, 1500u);
}

// ---- the worker ----

MonitorItemSettings* smtpItem(int limitMs, const std::string& user = "", const std::string& password = "")
{
    MonitorItemSettings* item = workertest::newStoredItem(ItemSmtp, kNameServer, kPort, 1, UnitHours, limitMs);
    MonitorItemLock lock(item);
    SmtpSettings& s = item->getSmtp();
    s.to = "ops@example.test";
    s.from = "alarm@orvane.test";
    s.subject = "Orvane check";
    s.body = kBody;
    s.authUser = user;
    s.authPassword = password;
    return item;
}

SmtpWorker* startWorker(MonitorItemSettings* item, RecordingNotifier* notifier, bool testMode, HANDLE& thread)
{
    return workertest::startItemWorker<SmtpWorker>(item, notifier, testMode, thread);
}

std::vector<Event> testRun(MonitorItemSettings* item)
{
    std::vector<Event> events = workertest::testRunEvents<SmtpWorker>(item);
    // the milliseconds vary: "in 12miliseconds" -> "in Nmiliseconds"
    for (Event& e : events) {
        size_t at = e.second.find("miliseconds");
        size_t digits = e.second.find_last_not_of("0123456789", at == std::string::npos ? 0 : at - 1);
        if (at != std::string::npos && digits != std::string::npos && digits + 1 < at)
            e.second.replace(digits + 1, at - digits - 1, "N");
    }
    return events;
}

TEST(SmtpWorkerTest, TestRunsSendTheItemsMail)
{
    std::unique_ptr<FixtureServer> dns(startZone());
    ASSERT_TRUE(dns->running()) << dns->error();

    struct Case {
        const char* what;
        std::string script;
        int limitMs;
        std::string user, password;
        std::vector<Event> events;
        std::string message;
        bool ok;
        Lines commands;
    };
    const Event started(0, "SMTP test started"), ended(4, "SMTP test ended"),
        sent(2, "Sucessfully sent the email in Nmiliseconds \n");
    const Lines plain = {"EHLO", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>", "DATA", "QUIT"};
    const Case cases[] = {
        {"accepted", session("line 250 OK queued\n") + kQuit, 5000, "", "", {started, sent, ended}, "250 OK queued\r\n",
         true, plain},
        // a password without a user name sends no AUTH
        {"password only", session("line 250 OK queued\n") + kQuit, 5000, "", "secret", {started, sent, ended},
         "250 OK queued\r\n", true, plain},
        {"refused", session("line 554 rejected as spam\n") + kQuit, 5000, "", "",
         {started, Event(2, "Failed to send the email. Error message: 554 rejected as spam\r\n\n"), ended},
         "554 rejected as spam\r\n", false, plain},
        {"slower than the limit", session("sleep 500\nline 250 OK late\n") + kQuit, 300, "", "",
         {started, sent, Event(1, CommonWorkerImpl::kSlowResponseText), ended}, "250 OK late\r\n", false, plain},
        {"with a login", std::string(kGreet) + kEhloAuth + "recv\n" + kPrompts + "recv\nline 235 ok\n" + kMailOk +
         kRcptOk + kDataOk + "line 250 OK queued\n" + kQuit, 5000, "orv", "secret", {started, sent, ended},
         "250 OK queued\r\n", true,
         Lines{"EHLO", "auth LOGIN", "b3J2", "c2VjcmV0", "MAIL FROM:<alarm@orvane.test>", "RCPT TO: <ops@example.test>",
               "DATA", "QUIT"}},
    };
    for (const Case& c : cases) {
        ScriptServer server(kMx, kPort, c.script);
        ASSERT_TRUE(server.running()) << server.error();
        MonitorItemSettings* item = smtpItem(c.limitMs, c.user, c.password);
        EXPECT_EQ(c.events, testRun(item)) << c.what;
        std::vector<ResultRecord> history = workertest::historyOf(item);
        ASSERT_EQ(1u, history.size()) << c.what;
        EXPECT_EQ(200, history[0].code) << c.what;
        EXPECT_EQ(c.ok, history[0].ok) << c.what;
        EXPECT_EQ(c.message, history[0].message) << c.what;
        if (c.message.compare(0, 3, "250") != 0) {
            EXPECT_EQ(0, history[0].responseMs) << c.what;
        }
        if (c.limitMs == 300) {
            EXPECT_GE(history[0].responseMs, 490) << c.what;
        }
        EXPECT_EQ(c.commands, commandsOf(server)) << c.what;
    }
}

TEST(SmtpWorkerTest, FailedCycleIsRecordedWithTheReason)
{
    std::unique_ptr<FixtureServer> dns(startRawDns("silent\n"));
    ASSERT_TRUE(dns->running()) << dns->error();
    MonitorItemSettings* item = smtpItem(1000);
    RecordingNotifier* notifier = new RecordingNotifier;   // released (not freed) by the worker
    HANDLE h;
    SmtpWorker* worker = startWorker(item, notifier, false, h);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 10000));
    worker->stop();
    ASSERT_TRUE(workertest::waitEnded(h, 5000));
    CloseHandle(h);
    std::vector<ResultRecord> history = workertest::historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(200, history[0].code);
    EXPECT_EQ("451 Requested action aborted: No MX records ascertained", history[0].message);
    EXPECT_EQ(0, history[0].responseMs);
    EXPECT_EQ(1, workertest::statusOf(item).failed);
    EXPECT_EQ((std::vector<int>{3, 5, 3}), notifier->codes());
    Lines log = workertest::readLines(item->getLogPath());
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(),
                                   "Failed to send the email. Error message: 451 Requested action aborted: No MX records ascertained"));
}

TEST(SmtpWorkerTest, StopDuringASilentServerEndsPromptlyWithoutARecord)
{
    std::unique_ptr<FixtureServer> dns(startZone());
    ASSERT_TRUE(dns->running()) << dns->error();
    ScriptServer server(kMx, kPort, std::string(kGreet) + kEhloOk + "recv\nsilent\n");
    ASSERT_TRUE(server.running()) << server.error();
    MonitorItemSettings* item = smtpItem(60000);   // every wait may last a minute
    RecordingNotifier* notifier = new RecordingNotifier;   // released (not freed) by the worker
    HANDLE h;
    SmtpWorker* worker = startWorker(item, notifier, false, h);
    ASSERT_TRUE(mailtest::waitForLine(server.fixture(), "CMD MAIL FROM:<alarm@orvane.test>", 5000));
    DWORD asked = GetTickCount();
    worker->stop();
    ASSERT_TRUE(workertest::waitEnded(h, 3000));
    EXPECT_LT(GetTickCount() - asked, 2000u);
    CloseHandle(h);
    EXPECT_TRUE(workertest::historyOf(item).empty());
    EXPECT_EQ(0, workertest::statusOf(item).busy);
    EXPECT_EQ((std::vector<int>{3, 3}), notifier->codes());
}

}  // namespace
