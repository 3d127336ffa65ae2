// Mail delivery end to end, in a private network namespace: the hosts file (postrel_hosts) puts
// the root servers, the referred name servers and one bare domain on 127.0.0.x, where fake name
// servers answer over TCP and fake exchangers listen on port 25.
//   a.root-servers.net 127.0.0.11  refers test.             to ns.tld.test  127.0.0.31
//   ns.tld.test        127.0.0.31  refers mail.test. and fallback.test. to ns.mail.test 127.0.0.32
//   ns.mail.test       127.0.0.32  answers the MX records below (the other roots are not there)
#include "orv/gtest.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "MIMEMessage.h"
#include "MailBuilder.h"
#include "DnsTcpTransport.h"
#include "HeaderEncoding.h"
#include "MailTimeouts.h"
#include "SocketMailConnection.h"
#include "Postrel/Postrel.h"
#include <algorithm>
#include <memory>

namespace {

const char kDomainZone[] =
    "mail.test. 300 IN MX 10 mx1.mail.test.\n"
    "mx1.mail.test. 300 IN A 127.0.0.21\n"
    // the less preferred exchanger comes first in the answer: preference decides the order
    "fallback.test. 300 IN MX 20 good.fallback.test.\n"
    "fallback.test. 300 IN MX 10 bad.fallback.test.\n"
    "good.fallback.test. 300 IN A 127.0.0.22\n"
    "bad.fallback.test. 300 IN A 127.0.0.23\n";

void writeFile(const std::string& unixPath, const std::string& text)
{
    HANDLE f = CreateFileA(orvtest::windowsPath(unixPath).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD n = 0;
    if (f == INVALID_HANDLE_VALUE) return;
    WriteFile(f, text.data(), DWORD(text.size()), &n, NULL);
    CloseHandle(f);
}

// The file's bytes; "<none>" when it does not exist.
std::string readFile(const std::string& unixPath)
{
    return orvtest::readFile(orvtest::windowsPath(unixPath), "<none>");
}

// The Date line depends on the clock: checked for its shape, then blanked out.
std::string withoutDate(std::string text)
{
    size_t start = text.find("\r\nDate: ");
    if (start == std::string::npos) return text + "<no Date line>";
    start += 8;
    size_t end = text.find("\r\n", start);
    std::string date = text.substr(start, end - start);   // "Thu, 05 Mar 2026 14:07:09 +0100"
    bool shaped = date.size() == 31 && date[3] == ',' && (date[26] == '+' || date[26] == '-');
    text.replace(start, end - start, shaped ? "*" : "<bad date " + date + ">");
    // so does the Message-ID: checked for its shape, then blanked out
    start = text.find("\r\nMessage-ID: ");
    if (start == std::string::npos) return text + "<no Message-ID line>";
    start += 14;
    end = text.find("\r\n", start);
    std::string id = text.substr(start, end - start);
    bool unique = id.size() > 20 && id.front() == '<' && id.back() == '>' && id.find('@') != std::string::npos;
    return text.replace(start, end - start, unique ? "*" : "<bad Message-ID " + id + ">");
}

struct NameServers {
    std::unique_ptr<orvtest::FixtureServer> root, tld, domain;
    NameServers()
    {
        const std::string dir = orvtest::fixtureDir();
        writeFile(dir + "/root.zone", ";REFER test. ns.tld.test. 127.0.0.31\n");
        writeFile(dir + "/tld.zone",
                  ";REFER mail.test. ns.mail.test. 127.0.0.32\n;REFER fallback.test. ns.mail.test. 127.0.0.32\n");
        writeFile(dir + "/domain.zone", kDomainZone);
        root.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.11", "53", dir + "/root.zone"}));
        tld.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.31", "53", dir + "/tld.zone"}));
        domain.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.32", "53", dir + "/domain.zone"}));
    }
    bool running() const { return root->running() && tld->running() && domain->running(); }
    std::string error() const { return root->error() + tld->error() + domain->error(); }
};

// An exchanger that accepts every message, writing N.eml and N.json into its own folder.
struct Sink {
    std::string dir;
    std::unique_ptr<orvtest::FixtureServer> server;
    Sink(const std::string& address, const std::string& name) : dir(orvtest::fixtureDir() + "/" + name)
    {
        server.reset(new orvtest::FixtureServer("smtp_sink", {address, "25", dir}));
    }
    std::string message(int n) const { return readFile(dir + "/" + std::to_string(n) + ".eml"); }
    std::string envelope(int n) const { return readFile(dir + "/" + std::to_string(n) + ".json"); }
};

// An exchanger that follows a script (testing/fixtures/smtp_script.py).
std::unique_ptr<orvtest::FixtureServer> scripted(const std::string& address, const std::string& name,
                                                 const std::string& script)
{
    std::string path = orvtest::fixtureDir() + "/" + name + ".script";
    writeFile(path, script);
    return std::unique_ptr<orvtest::FixtureServer>(new orvtest::FixtureServer("smtp_script", {address, "25", path}));
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& l : lines) all += l + "\n";
    return all;
}

const std::string kFrom = "alarms@orvane.test";

}  // namespace

TEST(PostrelFirstMail, TheFirstMailOfAProcessReachesTheExchangerWithItsBytesIntact)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    Sink sink("127.0.0.21", "mx1");
    ASSERT_TRUE(sink.server->running()) << sink.server->error();

    // "mail.test" itself is no host: only the exchanger found by the lookup can take this
    const std::string body = "Alarm for web01\r\n.\r\n.status{color:red}\r\n..two dots\r\nlast line";
    EXPECT_EQ(0, SendMail(kFrom, "ops@mail.test", "web01 is down", body, {}));
    EXPECT_EQ("From: alarms@orvane.test\r\n"
              "To: <ops@mail.test>\r\n"
              "Date: *\r\n"
              "Message-ID: *\r\n"
              "Subject: web01 is down\r\n"
              "X-Mailer: ZEM Mailer\r\n"
              "MIME-Version: 1.0\r\n"
              "Content-Type: text/plain;\r\n"
              "\tcharset=\"" + CHeaderEncoding::Charset() + "\"\r\n"
              "Content-Transfer-Encoding: 7Bit\r\n"
              "\r\n" +
                  body + "\r\n",
              withoutDate(sink.message(1)));
    std::string envelope = sink.envelope(1);
    EXPECT_NE(std::string::npos, envelope.find("\"mail_from\": \"alarms@orvane.test\"")) << envelope;
    EXPECT_NE(std::string::npos, envelope.find("\"rcpt_tos\": [\"ops@mail.test\"]")) << envelope;
    EXPECT_EQ("<none>", sink.message(2));
}

TEST(PostrelNet, HtmlMailWithAResourceAndAnAttachmentArrivesAsComposed)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    Sink sink("127.0.0.21", "mx1");
    ASSERT_TRUE(sink.server->running()) << sink.server->error();

    std::string html = "<html><style>\n.alarm{color:red}\n</style><body><table width=100%>";
    for (int i = 0; i < 300; ++i) html += "<tr><td class=\"c\">" + std::to_string(i) + "</td></tr>";
    html += "\n.</table>caf\xE9</body></html>";
    std::string attachment;
    for (int i = 0; i < 5000; ++i) attachment += char(i * 7 % 256);
    const std::string attachmentPath = orvtest::fixtureDir() + "/report.bin";
    writeFile(attachmentPath, attachment);
    const unsigned char logo[] = {0x89, 'P', 'N', 'G', 0, 0, '\r', '\n', '.', 0xFF};
    std::vector<MimeRelatedResources> related = {{logo, "logo@orvane", int32_t(sizeof logo)}};
    std::vector<std::string> attachments = {orvtest::windowsPath(attachmentPath)};

    EXPECT_EQ(0, SendHtmlMail(kFrom, "ops@mail.test", "Report", "Plain text\r\n.\r\n", html, related, attachments));

    CMIMEMessage expected;
    BuildHtmlMail(expected, kFrom, "ops@mail.test", "Report", "Plain text\r\n.\r\n", html, related, attachments);
    expected.Compose();
    std::string received = sink.message(1);
    EXPECT_EQ(withoutDate(expected.HeaderText().str() + expected.Body().Text()), withoutDate(received));
    EXPECT_NE(std::string::npos, received.find("width=3D100%")) << "the HTML goes out quoted-printable";
}

TEST(PostrelNet, ARefusalAtAnyStepMovesToTheNextExchanger)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    struct StepCase {
        const char* what;
        const char* script;
        const char* lastCommand;   // the refused command ("" none; a QUIT may follow it)
    };
    const StepCase cases[] = {
        {"greeting 421", "greeting 421 busy, try later\n", ""},
        {"multi-line greeting 554", "greeting 554-no mail here\ngreeting 554 go away\n", ""},
        {"HELO 501", "HELO 501 who are you\n", "HELO"},
        {"MAIL 451", "MAIL 451 try later\n", "MAIL From: <alarms@orvane.test>"},
        {"MAIL 550", "MAIL 550 sender refused\n", "MAIL From: <alarms@orvane.test>"},
        {"RCPT 450 (for now)", "RCPT 450 mailbox busy\n", "RCPT TO: <ops@fallback.test>"},
        {"DATA 451", "DATA 451 local error\n", "DATA"},
        {"end of text 552", "END 552 too big\n", "DATA"},
        {"end of text 451 in many lines", "END 451-greylisted\nEND 451-come back\nEND 451 later\n", "DATA"},
    };
    int n = 0;
    for (const StepCase& c : cases) {
        Sink good("127.0.0.22", "good" + std::to_string(++n));
        auto bad = scripted("127.0.0.23", "bad" + std::to_string(n), c.script);
        ASSERT_TRUE(good.server->running() && bad->running()) << good.server->error() << bad->error();

        EXPECT_EQ(0, SendMail(kFrom, "ops@fallback.test", "Fallback", "Text\r\n", {})) << c.what;
        EXPECT_EQ("", GetLastMailError()) << c.what;
        std::string message = good.message(1);
        EXPECT_NE(std::string::npos, message.find("Subject: Fallback\r\n")) << c.what << ": " << message;
        EXPECT_EQ("<none>", good.message(2)) << c.what;

        // the whole conversation is in once the server has logged the connection closed
        std::vector<std::string> log = bad->outputWith("CLOSED");
        ASSERT_FALSE(log.empty()) << c.what;
        EXPECT_EQ("CONNECT", log.front()) << c.what << ": the preferred exchanger is tried first";
        std::string last;
        for (const std::string& line : log)
            if (line.compare(0, 4, "CMD ") == 0 && line != "CMD QUIT") last = line.substr(4);
        EXPECT_EQ(0u, last.find(c.lastCommand)) << c.what << ":\n" << joined(log);
    }
}

TEST(PostrelNet, APermanentRefusalOfTheRecipientEndsTheDeliveryWithItsReason)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    Sink good("127.0.0.22", "never");
    auto bad = scripted("127.0.0.23", "refuses", "RCPT 550-5.1.1 no such user\nRCPT 550 5.1.1 really\n");
    ASSERT_TRUE(good.server->running() && bad->running()) << good.server->error() << bad->error();
    EXPECT_EQ(E_FAIL, SendMail(kFrom, "nobody@fallback.test", "Refused", "Text\r\n", {}));
    EXPECT_EQ("550-5.1.1 no such user 550 5.1.1 really", GetLastMailError());
    // no other exchanger is asked, and no text is sent to a refused recipient
    EXPECT_EQ("<none>", good.message(1));
    std::vector<std::string> log = bad->output();
    EXPECT_EQ(log.end(), std::find(log.begin(), log.end(), "CMD DATA")) << joined(log);
}

TEST(PostrelNet, ASilentOrDeadExchangerIsSkippedWithinItsTimeOut)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    CMailTimeouts timeouts;
    timeouts.connectMs = 2000;
    timeouts.replyMs = 2000;
    timeouts.dataReplyMs = 2000;
    CMailTimeouts::Set(timeouts);
    struct SilentCase {
        const char* what;
        const char* script;   // NULL: nothing listens there
    };
    const SilentCase cases[] = {
        {"silent greeting", "greeting silent\n"},
        {"silent after MAIL", "MAIL silent\n"},
        {"silent after the text", "END silent\n"},
        {"nothing listening", NULL},
    };
    int n = 0;
    for (const SilentCase& c : cases) {
        Sink good("127.0.0.22", "after-silent" + std::to_string(++n));
        std::unique_ptr<orvtest::FixtureServer> bad;
        if (c.script != NULL) bad = scripted("127.0.0.23", "silent" + std::to_string(n), c.script);
        ASSERT_TRUE(good.server->running()) << good.server->error();

        DWORD start = GetTickCount();
        EXPECT_EQ(0, SendMail(kFrom, "ops@fallback.test", "Silence", "Text\r\n", {})) << c.what;
        DWORD spent = GetTickCount() - start;
        EXPECT_LT(spent, 6000u) << c.what << ": one reply time-out (2 s) and the delivery, no more";
        EXPECT_NE("<none>", good.message(1)) << c.what;
    }
    CMailTimeouts::Set(CMailTimeouts());
}

// A server that sends an urgent byte, or its answer one byte at a time, must not hold a name
// server exchange or an SMTP reply past its time-out.
TEST(PostrelNet, AnUrgentByteOrATricklingPeerEndsAtTheTimeOut)
{
    CMailTimeouts timeouts;
    timeouts.connectMs = 2000;
    timeouts.dnsIoMs = 2000;
    timeouts.replyMs = 2000;
    timeouts.dataReplyMs = 2000;
    CMailTimeouts::Set(timeouts);
    std::string trickle = "send \\x00\nsleep 1200\nsend \\x40\n";
    for (int i = 0; i < 30; ++i) trickle += "sleep 1200\nsend x\n";
    struct Case {
        const char* what;
        const char* script;
    };
    const Case dnsCases[] = {
        {"urgent byte, then silence", "urgent x\nsilent\n"},
        {"one byte every 1.2 s", trickle.c_str()},
    };
    int n = 0;
    for (const Case& c : dnsCases) {
        std::string path = orvtest::fixtureDir() + "/dns" + std::to_string(++n) + ".script";
        writeFile(path, c.script);
        orvtest::FixtureServer server("tcp_script", {"127.0.0.50", "53", path});
        ASSERT_TRUE(server.running()) << server.error();
        CDnsTcpTransport transport;
        DWORD start = GetTickCount();
        bool failed = false;
        try {
            transport.Exchange("127.0.0.50", std::string(12, '\0'));
        } catch (CException* e) {
            e->Delete();
            failed = true;
        }
        EXPECT_TRUE(failed) << c.what;
        EXPECT_LT(GetTickCount() - start, 3500u) << c.what;
    }

    // An exchanger that sends an urgent byte after the greeting and then nothing: the next
    // exchanger gets the mail within one reply time-out.
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    Sink good("127.0.0.22", "after-urgent");
    ASSERT_TRUE(good.server->running()) << good.server->error();
    std::string path = orvtest::fixtureDir() + "/urgent.script";
    writeFile(path, "line 220 ready\nrecv\nurgent x\nsilent\n");
    orvtest::FixtureServer bad("tcp_script", {"127.0.0.23", "25", path});
    ASSERT_TRUE(bad.running()) << bad.error();
    DWORD start = GetTickCount();
    EXPECT_EQ(0, SendMail(kFrom, "ops@fallback.test", "Urgent", "Text\r\n", {}));
    EXPECT_LT(GetTickCount() - start, 6000u);
    EXPECT_NE("<none>", good.message(1));
    CMailTimeouts::Set(CMailTimeouts());
}

TEST(PostrelNet, ADomainWithoutExchangersIsTriedByName)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    Sink bare("127.0.0.41", "bare");
    ASSERT_TRUE(bare.server->running()) << bare.server->error();
    EXPECT_EQ(0, SendMail(kFrom, "ops@bare.test", "No MX", "Text\r\n", {}));
    EXPECT_NE(std::string::npos, bare.message(1).find("To: <ops@bare.test>\r\n"));
}

TEST(PostrelNet, NoReachableHostFails)
{
    NameServers dns;
    ASSERT_TRUE(dns.running()) << dns.error();
    DWORD start = GetTickCount();
    EXPECT_EQ(E_FAIL, SendMail(kFrom, "ops@nowhere.test", "Lost", "Text\r\n", {}));
    EXPECT_EQ("no exchanger reachable", GetLastMailError());
    EXPECT_EQ(E_FAIL, SendHtmlMail(kFrom, "ops@mail.test", "Lost", "t", "<p>h</p>", {}, {}))
        << "the exchanger of mail.test is not running";
    EXPECT_LT(GetTickCount() - start, 30000u);
}

// A name server that never answers must not hold the mail thread past the connect time-out when
// a name server or an exchanger is known by name only: the lookup counts against that limit.
TEST(PostrelNet, ALookupWithoutAnAnswerEndsAtTheConnectTimeOut)
{
    orvtest::FixtureServer silence("silent_route", {"--resolver"});
    ASSERT_TRUE(silence.running()) << silence.error();
    CMailTimeouts timeouts;
    timeouts.connectMs = 1500;
    timeouts.dnsIoMs = 1500;
    CMailTimeouts::Set(timeouts);

    DWORD start = GetTickCount();
    bool failed = false;
    try {
        CDnsTcpTransport().Exchange("silent-ns.example", std::string(12, '\0'));
    } catch (CException* e) {
        e->Delete();
        failed = true;
    }
    EXPECT_TRUE(failed);
    EXPECT_LT(GetTickCount() - start, 3000u) << "name server known by name";

    start = GetTickCount();
    CSocketMailConnection exchanger(timeouts.connectMs);
    EXPECT_FALSE(exchanger.Connect("silent-mx.example", 25));
    EXPECT_LT(GetTickCount() - start, 3000u) << "exchanger known by name";
    CMailTimeouts::Set(CMailTimeouts());
}
