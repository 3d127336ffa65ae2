// The POP3 client, its timed session and the POP3 worker against fakes on loopback port 110:
// the stdlib POP3 server with a real mailbox (dot-stuffing, replies split over two sends), and
// scripted servers that refuse, fall silent or send hostile replies at each step.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MailTestSupport.h"
#include "Monitor/MonitorItemLock.h"
#include "Pop3Client.h"
#include "Pop3Session.h"
#include "Pop3Worker.h"
#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"
#include "workers/WorkerManager.h"

using mailtest::ScriptServer;
using mailtest::writeScratchFile;
using orvtest::FixtureServer;
using workertest::Event;
using workertest::RecordingNotifier;
typedef std::vector<std::string> Lines;

namespace {

const char* const kHost = "127.0.0.2";
const std::string kNewest =
    "From: ops@example.test\r\nSubject: nightly report\r\nX-Tag: alpha\r\n\r\n"
    "all jobs done\r\n.dotted line\r\n..two dots\r\n.\r\nlast line\r\n";

// A mailbox of two messages, the newest last, served by pop3_srv.py (user orv, password secret).
std::string makeMailbox()
{
    static int n = 0;
    std::string dir = orvtest::fixtureDir() + "/mail" + std::to_string(++n);
    CreateDirectoryA(orvtest::windowsPath(dir).c_str(), nullptr);
    std::string name = dir.substr(orvtest::fixtureDir().size() + 1);
    writeScratchFile(name + "/1.eml", "Subject: old one\r\n\r\nnothing here\r\n");
    writeScratchFile(name + "/2.eml", kNewest);
    return dir;
}

Lines pop3Commands(FixtureServer& server)
{
    return mailtest::linesWithPrefix(server, "CMD ");
}

Pop3Options quick(int timeoutMs = 1500)
{
    Pop3Options o;
    o.timeoutMs = timeoutMs;
    return o;
}

// The usual login with a listing of two messages; each step a script fragment.
const char* const kGreet = "line +OK scripted ready\n";
const char* const kUserOk = "recv\nline +OK\n";
const char* const kPassOk = "recv\nline +OK logged in\n";
const char* const kStatOk = "recv\nline +OK 2 320\n";
const char* const kListOk = "recv\nline +OK 2 messages\nline 1 120\nline 2 200\nline .\n";
const char* const kUidlOk = "recv\nline +OK\nline 1 aaa\nline 2 bbb\nline .\n";

std::string loginScript(const std::string& tail = "")
{
    return std::string(kGreet) + kUserOk + kPassOk + kStatOk + kListOk + kUidlOk + tail;
}

// ---- the client against the real-protocol fake ----

TEST(Pop3Client, OpensReadsTheNewestMessageAndQuits)
{
    for (bool split : {false, true}) {
        std::vector<std::string> args = {kHost, "110", "orv", "secret", makeMailbox()};
        if (split)
            args.push_back("--split");
        FixtureServer server("pop3_srv", args);
        ASSERT_TRUE(server.running()) << server.error();

        pop3_session* s = nullptr;
        DWORD start = GetTickCount();
        Pop3Text error = pop3_session_open(kHost, "orv", "secret", s, quick(5000));
        ASSERT_FALSE(error) << *error;
        ASSERT_NE(nullptr, s);
        EXPECT_EQ(2, s->count);
        EXPECT_EQ(1, s->loggedIn);
        EXPECT_EQ(2, static_cast<int>(s->sizes[0]));
        EXPECT_EQ(static_cast<int>(kNewest.size()), s->sizes[2]);
        EXPECT_EQ((Pop3IdList{"2", "uid0001", "uid0002"}), s->ids);

        EXPECT_EQ(std::string("From: ops@example.test\r\nSubject: nightly report\r\nX-Tag: alpha\r\n"),
                  pop3_session_head(s, 2).value_or("(none)")) << "split " << split;
        EXPECT_EQ(kNewest, pop3_session_message(s, 2).value_or("(none)")) << "split " << split;
        // numbers outside the mailbox are not even asked for
        EXPECT_FALSE(pop3_session_head(s, 0));
        EXPECT_FALSE(pop3_session_head(s, 3));
        EXPECT_FALSE(pop3_session_message(s, -1));
        pop3_session_close(s);
        EXPECT_EQ(nullptr, s);
        // Split replies are read to their terminator, not one receive at a time: nothing waits
        // for a time-out.
        EXPECT_LT(GetTickCount() - start, 4000u) << "split " << split;
        EXPECT_TRUE(mailtest::waitForLine(server, "CMD QUIT", 3000));
        EXPECT_EQ((Lines{"USER orv", "PASS secret", "STAT", "LIST", "UIDL", "TOP 2 0", "RETR 2", "QUIT"}),
                  pop3Commands(server)) << "split " << split;
    }
}

TEST(Pop3Client, DeleteAndResetKeepTheListsInStep)
{
    pop3_session* s = nullptr;
    {
        FixtureServer server("pop3_srv", {kHost, "110", "orv", "secret", makeMailbox()});
        ASSERT_TRUE(server.running()) << server.error();
        ASSERT_FALSE(pop3_session_open(kHost, "orv", "secret", s, quick(5000)));
        EXPECT_EQ(-1, pop3_session_delete(s, 3));
        EXPECT_EQ(0, pop3_session_delete(s, 2));
        ASSERT_NE(nullptr, s);
        EXPECT_EQ(1, s->count);
        EXPECT_EQ(0, s->sizes[2]);
        EXPECT_EQ("", s->ids[2]);
        EXPECT_EQ(0, pop3_session_reset(s));
        ASSERT_NE(nullptr, s);
        EXPECT_EQ(2, s->count);
        EXPECT_EQ("uid0002", s->ids[2]);
        pop3_session_close(s);
    }

    // a STAT refused after the DELE ends the session, and the caller's pointer with it
    ScriptServer script(kHost, 110, loginScript("recv\nline +OK deleted\nrecv\nline -ERR gone\n"));
    ASSERT_TRUE(script.running()) << script.error();
    ASSERT_FALSE(pop3_session_open(kHost, "orv", "secret", s, quick()));
    EXPECT_EQ(-1, pop3_session_delete(s, 1));
    EXPECT_EQ(nullptr, s);
    pop3_session_close(s);   // nothing left to touch
}

// ---- scripted servers: refusals, silence and hostile replies at each step ----

TEST(Pop3Client, OpenTellsWhichStepFailed)
{
    struct Case {
        const char* what;
        std::string script;
        std::string error;      // "" : the open succeeds
        Lines commands;         // what the server received (never a QUIT after a failure)
    };
    const Lines all = {"USER orv", "PASS secret", "STAT", "LIST", "UIDL"};
    const Case cases[] = {
        {"USER refused", std::string(kGreet) + "recv\nline -ERR no such user\n", "-ERR no such user\r\n",
         Lines{"USER orv"}},
        {"PASS refused", std::string(kGreet) + kUserOk + "recv\nline -ERR [AUTH] Authentication failed.\n",
         "-ERR [AUTH] Authentication failed.\r\n", Lines{"USER orv", "PASS secret"}},
        {"bare -ERR", std::string(kGreet) + kUserOk + "recv\nline -ERR\n", "-ERR\r\n", Lines{"USER orv", "PASS secret"}},
        {"STAT refused", std::string(kGreet) + kUserOk + kPassOk + "recv\nline -ERR mailbox locked\n",
         "-ERR mailbox locked\r\n", Lines{"USER orv", "PASS secret", "STAT"}},
        {"STAT without numbers", std::string(kGreet) + kUserOk + kPassOk + "recv\nline +OK\n", "+OK\r\n",
         Lines{"USER orv", "PASS secret", "STAT"}},
        {"STAT count beyond an int", std::string(kGreet) + kUserOk + kPassOk + "recv\nline +OK 99999999999 5\n",
         "+OK 99999999999 5\r\n", Lines{"USER orv", "PASS secret", "STAT"}},
        {"LIST refused", std::string(kGreet) + kUserOk + kPassOk + kStatOk + "recv\nline -ERR\n", "-ERR\r\n",
         Lines{"USER orv", "PASS secret", "STAT", "LIST"}},
        {"UIDL unsupported", std::string(kGreet) + kUserOk + kPassOk + kStatOk + kListOk +
         "recv\nline -ERR unknown command\n", "", all},
        {"any reply but -ERR accepted", std::string(kGreet) + "recv\nline hello?\n" + kPassOk + kStatOk + kListOk +
         kUidlOk, "", all},
        {"reply of exactly 512 bytes", std::string(kGreet) + "recv\nline +OK " + std::string(506, 'y') + "\n" +
         kPassOk + kStatOk + kListOk + kUidlOk, "", all},
        {"terminator split over two sends", std::string(kGreet) + kUserOk + kPassOk + kStatOk +
         "recv\nsend +OK\\r\\n1 120\\r\\n2 200\\r\\n.\nsleep 300\nsend \\r\\n\n" + kUidlOk, "", all},
        {"terminator split after its CR", std::string(kGreet) + kUserOk + kPassOk + kStatOk + kListOk +
         "recv\nsend +OK\\r\\n1 aaa\\r\\n2 bbb\\r\\n.\\r\nsleep 300\nsend \\n\n", "", all},
        {"silent greeting", "silent\n", "pop3_connect", Lines{}},
        {"closed at once", "close\n", "pop3_connect", Lines{}},
        {"silent after USER", std::string(kGreet) + "recv\nsilent\n", "pop3_user", Lines{"USER orv"}},
        {"silent after PASS", std::string(kGreet) + kUserOk + "recv\nsilent\n", "pop3_pass",
         Lines{"USER orv", "PASS secret"}},
        {"silent after STAT", std::string(kGreet) + kUserOk + kPassOk + "recv\nsilent\n", "pop3_stat",
         Lines{"USER orv", "PASS secret", "STAT"}},
        {"silent after LIST", std::string(kGreet) + kUserOk + kPassOk + kStatOk + "recv\nsilent\n", "pop3_list",
         Lines{"USER orv", "PASS secret", "STAT", "LIST"}},
        {"LIST stalls before its end", std::string(kGreet) + kUserOk + kPassOk + kStatOk +
         "recv\nline +OK\nline 1 120\nsilent\n", "pop3_uidl", Lines{"USER orv", "PASS secret", "STAT", "LIST"}},
        {"silent after UIDL", std::string(kGreet) + kUserOk + kPassOk + kStatOk + kListOk + "recv\nsilent\n",
         "pop3_uidl", all},
        {"closed after PASS", std::string(kGreet) + kUserOk + kPassOk + "close\n", "pop3_stat",
         Lines{"USER orv", "PASS secret"}},
        {"endless USER reply line", std::string(kGreet) + "recv\nbytes 100000 x\nline \n", "pop3_user",
         Lines{"USER orv"}},
    };
    for (const Case& c : cases) {
        ScriptServer server(kHost, 110, c.script);
        ASSERT_TRUE(server.running()) << server.error();
        pop3_session* s = nullptr;
        DWORD start = GetTickCount();
        Pop3Text error = pop3_session_open(kHost, "orv", "secret", s, quick());
        DWORD spent = GetTickCount() - start;
        if (c.error.empty()) {
            EXPECT_FALSE(error) << c.what << ": " << error.value_or("");
            EXPECT_NE(nullptr, s) << c.what;
            EXPECT_EQ(2, s ? s->count : -1) << c.what;
            if (s && c.what == std::string("UIDL unsupported")) {
                EXPECT_EQ(Pop3IdList{"0"}, s->ids);
            }
            // a working session is ended here; the server's script has no QUIT step
            if (s)
                pop3_close_socket(s->connection);
            delete s;
        } else {
            EXPECT_EQ(c.error, error.value_or("(opened)")) << c.what;
            EXPECT_EQ(nullptr, s) << c.what;
        }
        // Every wait is bounded: one time-out at the most (1.5 s), never the server's pleasure.
        EXPECT_LT(spent, 3500u) << c.what;
        EXPECT_EQ(c.commands, server.commandsWhenDone()) << c.what;
    }
}

TEST(Pop3Client, ListingsBoundedByTheMailbox)
{
    // STAT says five messages; the listing names one far beyond them and one beyond any bound.
    ScriptServer server(kHost, 110, std::string(kGreet) + kUserOk + kPassOk + "recv\nline +OK 5 500\n" +
                                        "recv\nline +OK\nline 5 100\nline 2000000000 7\nline 99999999999 1\nline .\n" +
                                        "recv\nline +OK\nline 5 e\nline 150000 far\nline .\n");
    ASSERT_TRUE(server.running()) << server.error();
    pop3_session* s = nullptr;
    Pop3Text error = pop3_session_open(kHost, "orv", "secret", s, quick());
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ((Pop3SizeList{5, 0, 0, 0, 0, 100}), s->sizes);
    EXPECT_EQ((Pop3IdList{"5", "", "", "", "", "e"}), s->ids);
    pop3_close_socket(s->connection);
    delete s;
}

TEST(Pop3Client, MessageRepliesThatMisbehave)
{
    struct Case {
        const char* what;
        std::string fetch;      // script of the TOP reply
        Pop3Text head;
        bool sessionUsable;     // the next command still gets its own reply
    };
    const Case cases[] = {
        {"refused", "recv\nline -ERR no such message\n", std::nullopt, true},
        {"no status line", "recv\nline Subject: x\nline .\n", std::string("Subject: x\r\n.\r\n"), true},
        {"stalls after the status line", "recv\nline +OK\nline Subject: part\nsilent\n", std::string("Subject: part"),
         false},
        {"silent", "recv\nsilent\n", std::nullopt, false},
        {"closes midway", "recv\nline +OK\nline Subject: x\nclose\n", std::nullopt, false},
        {"line longer than any message line", "recv\nline +OK\nbytes 1100000 y\nline \nline .\n", std::nullopt, false},
    };
    for (const Case& c : cases) {
        ScriptServer server(kHost, 110, loginScript(c.fetch + "recv\nline +OK still here\n"));
        ASSERT_TRUE(server.running()) << server.error();
        pop3_session* s = nullptr;
        ASSERT_FALSE(pop3_session_open(kHost, "orv", "secret", s, quick())) << c.what;
        DWORD start = GetTickCount();
        EXPECT_EQ(c.head, pop3_session_head(s, 2)) << c.what;
        EXPECT_LT(GetTickCount() - start, 3500u) << c.what;
        // A reply that did not end properly leaves no stale bytes to be read as the next reply.
        Pop3Text next = pop3_rset(s->connection);
        if (c.sessionUsable) {
            EXPECT_EQ(std::string("+OK still here\r\n"), next.value_or("(none)")) << c.what;
        } else {
            EXPECT_FALSE(next) << c.what << ": " << next.value_or("");
        }
        pop3_close_socket(s->connection);
        delete s;
    }
}

TEST(Pop3Client, StopCutsAWaitShort)
{
    ScriptServer server(kHost, 110, std::string(kGreet) + "recv\nsilent\n");
    ASSERT_TRUE(server.running()) << server.error();
    DWORD start = GetTickCount();
    Pop3Options options = quick(60000);
    options.cancelled = [start] { return GetTickCount() - start > 300; };
    pop3_session* s = nullptr;
    EXPECT_EQ(std::string("pop3_user"), pop3_session_open(kHost, "orv", "secret", s, options).value_or("(opened)"));
    EXPECT_LT(GetTickCount() - start, 1500u);
}

TEST(Pop3Client, UnknownHostAndRefusedConnection)
{
    pop3_session* s = nullptr;
    EXPECT_EQ(std::string("pop3_prepare"), pop3_session_open("no-such-host.invalid", "u", "p", s, quick()).value_or(""));
    EXPECT_EQ(std::string("pop3_connect"), pop3_session_open("127.0.0.9", "u", "p", s, quick()).value_or(""));
    EXPECT_EQ(std::string("NULL args !"), pop3_session_open(kHost, nullptr, "p", s, quick()).value_or(""));
    // a user name that would smuggle a second command is never sent
    ScriptServer server(kHost, 110, std::string(kGreet) + "recv\nline +OK\n");
    ASSERT_TRUE(server.running()) << server.error();
    EXPECT_EQ(std::string("pop3_user"), pop3_session_open(kHost, "orv\r\nDELE 1", "p", s, quick()).value_or(""));
    EXPECT_EQ(std::string("pop3_user"),
              pop3_session_open(kHost, std::string(600, 'u').c_str(), "p", s, quick()).value_or(""));
    EXPECT_EQ(Lines{}, server.commandsWhenDone(2));
}

// ---- the timed session ----

TEST(Pop3SessionTest, TimesEachCallAndEndsWithResetAndQuit)
{
    {
        ScriptServer server(kHost, 110, std::string(kGreet) + kUserOk + "recv\nsleep 300\nline +OK\n" + kStatOk +
                                            kListOk + kUidlOk + "recv\nsleep 200\nline +OK\nline Subject: x\nline .\n" +
                                            "recv\nline +OK\n" + kStatOk + kListOk + kUidlOk + "recv\nline +OK bye\n");
        ASSERT_TRUE(server.running()) << server.error();
        {
            Pop3Session session(quick());
            ASSERT_TRUE(session.openMailbox(kHost, "orv", "secret")) << session.getLastError();
            EXPECT_GE(session.getConnectTime(), 290);
            EXPECT_EQ("Subject: x\r\n", session.getLastMessageHeader());
            EXPECT_GE(session.getHeaderTime(), 190);
            EXPECT_LT(session.getHeaderTime(), 1500);
            EXPECT_EQ(0, session.getBodyTime());
            EXPECT_EQ("", session.getLastError());
        }
        ASSERT_TRUE(mailtest::waitForLine(server.fixture(), "CMD QUIT", 3000));
        EXPECT_EQ((Lines{"USER orv", "PASS secret", "STAT", "LIST", "UIDL", "TOP 2 0", "RSET", "STAT", "LIST", "UIDL",
                         "QUIT"}),
                  server.commands());
    }

    // an empty mailbox fetches nothing; a failed login keeps the client's reason
    {
        ScriptServer empty(kHost, 110, std::string(kGreet) + kUserOk + kPassOk + "recv\nline +OK 0 0\n" +
                                           "recv\nline +OK\nline .\nrecv\nline +OK\nline .\n");
        ASSERT_TRUE(empty.running()) << empty.error();
        Pop3Session none(quick());
        ASSERT_TRUE(none.openMailbox(kHost, "orv", "secret"));
        EXPECT_EQ("", none.getLastMessageHeader());
        EXPECT_EQ("", none.getLastMessageBody());
        EXPECT_EQ(0, none.getHeaderTime());
    }

    ScriptServer refusing(kHost, 110, std::string(kGreet) + "recv\nline -ERR who?\n");
    ASSERT_TRUE(refusing.running()) << refusing.error();
    Pop3Session refused(quick());
    EXPECT_FALSE(refused.openMailbox(kHost, "orv", "secret"));
    EXPECT_EQ("-ERR who?\r\n", refused.getLastError());
}

// ---- the worker ----

struct Pop3Item {
    std::string header, body;
    bool headerOnly = false;
    std::string password = "secret";
    int limitMs = 5000;
    int interval = 1;
    int unit = UnitHours;
};

MonitorItemSettings* pop3Item(const Pop3Item& p)
{
    MonitorItemSettings* item = workertest::newStoredItem(ItemPop3, kHost, 0, p.interval, p.unit, p.limitMs);
    MonitorItemLock lock(item);
    Pop3Settings& s = item->getPop3();
    s.userName = "orv";
    s.password = p.password;
    s.headerOnly = p.headerOnly;
    s.headerSearchText = p.header;
    s.bodySearchText = p.body;
    return item;
}

Pop3Worker* startWorker(MonitorItemSettings* item, RecordingNotifier* notifier, bool testMode, HANDLE& thread)
{
    return workertest::startItemWorker<Pop3Worker>(item, notifier, testMode, thread);
}

std::vector<Event> testRun(MonitorItemSettings* item)
{
    return workertest::testRunEvents<Pop3Worker>(item);
}

// The texts with their millisecond figures replaced by N.
std::vector<Event> withoutTimes(std::vector<Event> events)
{
    for (Event& e : events) {
        std::string& t = e.second;
        if (t.find("designated") != std::string::npos)
            continue;
        for (size_t p = t.find_first_of("0123456789"); p != std::string::npos; p = t.find_first_of("0123456789", p + 1)) {
            size_t end = t.find_first_not_of("0123456789", p);
            if (t.compare(end == std::string::npos ? t.size() : end, 12, " miliseconds") == 0)
                t.replace(p, (end == std::string::npos ? t.size() : end) - p, "N");
        }
    }
    return events;
}

TEST(Pop3WorkerTest, TestRunsReportEveryLineAndRecordOnce)
{
    struct Case {
        const char* what;
        Pop3Item item;
        bool ok;
        std::vector<Event> events;
        Lines fetches;   // TOP and RETR the server saw
    };
    const Event started(0, "POP3 test started"), ended(4, "POP3 test ended"),
        connected(2, "Sucesfully connected to server in N miliseconds"),
        gotHeader(2, "Sucesfully retrieved last message header in N miliseconds"),
        gotBody(2, "Sucesfully retrieved last message body in N miliseconds"),
        total(2, "Total work time: N miliseconds");
    Pop3Item both;
    both.header = "X-Tag: alpha";
    both.body = ".dotted line\r\n..two dots";   // as the message has it, not as it was sent
    Pop3Item missingInBody = both;
    missingInBody.body = "not there";
    Pop3Item headerOnly = both;
    headerOnly.headerOnly = true;
    Pop3Item bodyOnly;
    bodyOnly.body = "last line";
    Pop3Item missingHeader;
    missingHeader.header = "Subject: weekly";
    Pop3Item badPassword;
    badPassword.password = "wrong";
    const Case cases[] = {
        {"both found", both, true,
         {started, connected, gotHeader, Event(2, "Search string sucesfully found in message headers"), gotBody,
          Event(2, "Search string found in message body"), total, ended},
         Lines{"TOP 2 0", "RETR 2"}},
        {"missing in the body", missingInBody, false,
         {started, connected, gotHeader, Event(2, "Search string sucesfully found in message headers"), gotBody,
          Event(2, "Search string not found in message body"), total, ended},
         Lines{"TOP 2 0", "RETR 2"}},
        {"header only", headerOnly, true,
         {started, connected, gotHeader, Event(2, "Search string sucesfully found in message headers"), total, ended},
         Lines{"TOP 2 0"}},
        {"body only", bodyOnly, true, {started, connected, gotBody, Event(2, "Search string found in message body"), total, ended},
         Lines{"RETR 2"}},
        {"missing in the header", missingHeader, false,
         {started, connected, gotHeader, Event(2, "Search string not found in message headers"), total, ended},
         Lines{"TOP 2 0"}},
        {"login only", Pop3Item(), true, {started, connected, total, ended}, Lines{}},
        {"refused login", badPassword, false,
         {started, Event(1, "Failed to connect to server. Error message: -ERR [AUTH] Authentication failed.\r\n"), ended},
         Lines{}},
    };
    for (const Case& c : cases) {
        FixtureServer server("pop3_srv", {kHost, "110", "orv", "secret", makeMailbox()});
        ASSERT_TRUE(server.running()) << server.error();
        MonitorItemSettings* item = pop3Item(c.item);
        EXPECT_EQ(c.events, withoutTimes(testRun(item))) << c.what;

        std::vector<ResultRecord> history = workertest::historyOf(item);
        ASSERT_EQ(1u, history.size()) << c.what;
        EXPECT_EQ(200, history[0].code) << c.what;
        EXPECT_EQ(c.ok, history[0].ok) << c.what;
        if (c.item.password == "secret") {
            // a connected cycle that failed records why; a good one records no message
            std::string reason;
            for (const Event& e : c.events) {
                if (reason.empty() && e.second.find(" not found in ") != std::string::npos)
                    reason = e.second;
            }
            EXPECT_EQ(reason, history[0].message) << c.what;
            EXPECT_EQ(c.ok, reason.empty()) << c.what;
        } else {
            EXPECT_EQ("-ERR [AUTH] Authentication failed.\r\n", history[0].message) << c.what;
            EXPECT_EQ(0, history[0].responseMs) << c.what;
        }
        // the session ends with the test, connected or not; the server logs each command as it
        // reads it, so once QUIT is in its log every fetch before it is there too
        if (c.ok || c.item.password == "secret") {
            EXPECT_TRUE(mailtest::waitForLine(server, "CMD QUIT", 3000)) << c.what;
        }
        Lines fetches;
        for (const std::string& command : pop3Commands(server)) {
            if (command.compare(0, 3, "TOP") == 0 || command.compare(0, 4, "RETR") == 0)
                fetches.push_back(command);
        }
        EXPECT_EQ(c.fetches, fetches) << c.what;
    }
}

TEST(Pop3WorkerTest, SlowWorkFailsOnTheTotalOfTheTimedCalls)
{
    // The login takes 400 ms against a limit of 300 ms.
    ScriptServer server(kHost, 110, std::string(kGreet) + kUserOk + "recv\nsleep 400\nline +OK\n" + kStatOk + kListOk +
                                        kUidlOk + "recv\nline +OK\n" + kStatOk + kListOk + kUidlOk + "recv\nline +OK\n");
    ASSERT_TRUE(server.running()) << server.error();
    Pop3Item slow;
    slow.limitMs = 300;
    MonitorItemSettings* item = pop3Item(slow);
    std::vector<Event> events = withoutTimes(testRun(item));
    EXPECT_EQ((std::vector<Event>{Event(0, "POP3 test started"), Event(2, "Sucesfully connected to server in N miliseconds"),
                                  Event(2, "Total work time: N miliseconds"),
                                  Event(2, "Total work time higher than the designated timeout of 300 miliseconds"),
                                  Event(2, "Test failed"), Event(4, "POP3 test ended")}),
              events);
    std::vector<ResultRecord> history = workertest::historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_GE(history[0].responseMs, 390);
    EXPECT_EQ("Total work time higher than the designated timeout of 300 miliseconds", history[0].message);
}

TEST(Pop3WorkerTest, EveryCycleEndsItsSessionBeforeTheSleep)
{
    FixtureServer server("pop3_srv", {kHost, "110", "orv", "secret", makeMailbox()});
    ASSERT_TRUE(server.running()) << server.error();
    Pop3Item p;
    p.header = "X-Tag: alpha";
    p.interval = 2;
    p.unit = UnitSeconds;
    MonitorItemSettings* item = pop3Item(p);
    RecordingNotifier* notifier = new RecordingNotifier;   // released (not freed) by the worker
    HANDLE h;
    Pop3Worker* thread = startWorker(item, notifier, false, h);

    ASSERT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 1, 10000));
    // asleep now (the next cycle is 2 s away): the mailbox must already be let go
    ASSERT_TRUE(mailtest::waitForLine(server, "CMD QUIT", 1500));
    Lines first = pop3Commands(server);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ("QUIT", first.back());
    EXPECT_EQ((Lines{"USER orv", "PASS secret", "STAT", "LIST", "UIDL", "TOP 2 0", "RSET", "STAT", "LIST", "UIDL", "QUIT"}),
              first);

    ASSERT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 2, 10000));
    thread->stop();
    ASSERT_TRUE(workertest::waitEnded(h, 5000));
    CloseHandle(h);
    std::vector<ResultRecord> history = workertest::historyOf(item);
    ASSERT_EQ(2u, history.size());
    for (const ResultRecord& r : history) {
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(200, r.code);
        EXPECT_EQ("", r.message);
    }
    EXPECT_TRUE(mailtest::waitForLine(server, "CMD QUIT", 3000, 2));
    std::vector<int> codes = notifier->codes();
    EXPECT_EQ((std::vector<int>{3, 6, 3, 3, 6, 3}), codes);

    Lines log = workertest::readLines(item->getLogPath());
    Lines expectedStart = {"-----------------------------------", "Starting run cycle"};
    auto at = std::search(log.begin(), log.end(), expectedStart.begin(), expectedStart.end());
    ASSERT_NE(log.end(), at);
    std::vector<Event> written;
    for (auto i = at + 2; i != log.end() && *i != "Ending run cycle"; ++i)
        written.push_back(Event(2, *i));
    EXPECT_EQ((std::vector<Event>{Event(2, "Sucesfully connected to server in N miliseconds"),
                                  Event(2, "Sucesfully retrieved last message header in N miliseconds"),
                                  Event(2, "Search string sucesfully found in message headers"),
                                  Event(2, "Total work time: N miliseconds")}),
              withoutTimes(written));
}

TEST(Pop3WorkerTest, FailedLoginIsRecordedAndReported)
{
    ScriptServer server(kHost, 110, std::string(kGreet) + kUserOk + "recv\nline -ERR [AUTH] Authentication failed.\n");
    ASSERT_TRUE(server.running()) << server.error();
    Pop3Item p;
    MonitorItemSettings* item = pop3Item(p);
    RecordingNotifier* notifier = new RecordingNotifier;   // released (not freed) by the worker
    HANDLE h;
    Pop3Worker* thread = startWorker(item, notifier, false, h);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 10000));
    thread->stop();
    ASSERT_TRUE(workertest::waitEnded(h, 5000));
    CloseHandle(h);
    std::vector<ResultRecord> history = workertest::historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ("-ERR [AUTH] Authentication failed.\r\n", history[0].message);
    EXPECT_EQ(0, history[0].responseMs);
    EXPECT_EQ(1, workertest::statusOf(item).failed);
    Lines log = workertest::readLines(item->getLogPath());
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(),
                                   "Failed to connect to server. Error message: -ERR [AUTH] Authentication failed."));
}

TEST(Pop3WorkerTest, StopDuringASilentServerEndsPromptlyWithoutARecord)
{
    ScriptServer server(kHost, 110, std::string(kGreet) + kUserOk + "recv\nsilent\n");
    ASSERT_TRUE(server.running()) << server.error();
    Pop3Item p;
    p.limitMs = 60000;   // every wait may last a minute
    MonitorItemSettings* item = pop3Item(p);
    RecordingNotifier* notifier = new RecordingNotifier;   // released (not freed) by the worker
    HANDLE h;
    Pop3Worker* thread = startWorker(item, notifier, false, h);
    ASSERT_TRUE(mailtest::waitForLine(server.fixture(), "CMD PASS secret", 5000));
    DWORD asked = GetTickCount();
    thread->stop();
    ASSERT_TRUE(workertest::waitEnded(h, 3000));
    EXPECT_LT(GetTickCount() - asked, 2000u);
    CloseHandle(h);
    EXPECT_TRUE(workertest::historyOf(item).empty());
    EXPECT_EQ(0, workertest::statusOf(item).busy);
    std::vector<int> codes = notifier->codes();
    EXPECT_EQ(codes.end(), std::find(codes.begin(), codes.end(), static_cast<int>(NotifyCycleFailed)));
}

}  // namespace
