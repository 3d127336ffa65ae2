// The mail checks' protocol pieces without a network: POP3 reply parsing, the SMTP client's
// address handling, encodings and message text, and the DNS MX query and answer reader fed with
// well-formed and hostile packets.
#include <windows.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "MailTestSupport.h"
#include "MxLookup.h"
#include "Pop3Client.h"
#include "Pop3Worker.h"
#include "SmtpClient.h"
#include "SmtpWorker.h"
#include "WorkerTestSupport.h"
#include "orv/gtest.h"
#include "workers/WorkerManager.h"

using mailtest::DnsMessage;
using mailtest::mxAnswer;

namespace {

std::string show(const Pop3Text& text)
{
    return text ? "'" + *text + "'" : "(none)";
}

template <typename T>
std::string show(const std::optional<std::vector<T>>& list)
{
    if (!list)
        return "(none)";
    std::string s = "{";
    for (size_t i = 0; i < list->size(); ++i) {
        std::ostringstream item;
        item << (*list)[i];
        s += (i ? "," : "") + item.str();
    }
    return s + "}";
}

// ---- POP3 replies ----

TEST(Pop3Replies, OnlyMissingOrErrRepliesFail)
{
    struct Case {
        Pop3Text reply;
        bool failed;
    };
    const Case cases[] = {
        {std::nullopt, true},           {std::string("-ERR"), true},
        {std::string("-ERR [AUTH] Authentication failed.\r\n"), true},
        {std::string("+OK\r\n"), false}, {std::string("hello\r\n"), false},
        {std::string(""), false},        {std::string("-ER\r\n"), false},
        {std::string("-err lower\r\n"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.failed, pop3_reply_failed(c.reply)) << show(c.reply);
}

TEST(Pop3Replies, MultiLineTerminator)
{
    struct Case {
        const char* text;
        bool complete;
    };
    const Case cases[] = {
        {"+OK\r\n.\r\n", true},
        {"+OK\r\n1 100\r\n.\r\n", true},
        {"+OK\r\n1 100\r\n.", true},          // the end of the text follows the dot
        {"+OK\n.\n", true},
        {"+OK\r\n1 100\r\n", false},
        {"+OK\r\n..stuffed\r\n", false},
        {"+OK 1.5 kB\r\n", false},            // a dot inside a line
        {"+OK\r\n.x\r\n", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.complete, pop3_multiline_complete(c.text)) << "'" << c.text << "'";
}

TEST(Pop3Replies, StatNumbersAreBounded)
{
    struct Case {
        Pop3Text reply;
        int count, octets;
    };
    const Case cases[] = {
        {std::string("+OK 2 320\r\n"), 2, 320},
        {std::string("+OK 0 0\r\n"), 0, 0},
        {std::string("+OK 2147483647 1\r\n"), 2147483647, 1},
        {std::string("+OK 99999999999 1\r\n"), -1, -1},   // beyond an int: not a count
        {std::string("+OK 5 99999999999\r\n"), 5, -1},
        {std::string("+OK -3 10\r\n"), -1, -1},
        {std::string("+OK 5 x\r\n"), 5, -1},
        {std::string("+OK\r\n"), -1, -1},
        {std::string("+OK"), -1, -1},
        {std::string("-ERR 2 3\r\n"), -1, -1},
        {std::nullopt, -1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.count, pop3_stat_count(c.reply)) << show(c.reply);
        EXPECT_EQ(c.octets, pop3_stat_octets(c.reply)) << show(c.reply);
    }
}

TEST(Pop3Replies, MessageTextUndoesDotStuffingAndDropsTheTerminator)
{
    struct Case {
        Pop3Text reply;
        Pop3Text text;
    };
    const Case cases[] = {
        {std::string("+OK 40 octets\r\nSubject: a\r\n\r\nbody\r\n..dotted\r\n...two\r\n.\r\n"),
         std::string("Subject: a\r\n\r\nbody\r\n.dotted\r\n..two\r\n")},
        {std::string(".junk before\r\n+OK\r\nx\r\n.\r\n"), std::string("x\r\n")},
        {std::string("+OK\r\n.\r\n"), std::string("")},
        {std::string("+OK\r\nab\r\n"), std::string("ab")},   // a stalled reply: all there is
        {std::string("+OK"), std::string("")},
        {std::string("no status line\r\nx\r\n.\r\n"), std::nullopt},
        {std::string("-ERR no such message\r\n"), std::nullopt},
        {std::nullopt, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, pop3_message_text(c.reply)) << show(c.reply);
}

TEST(Pop3Replies, ListingsIndexedByNumberWithinTheBound)
{
    struct Case {
        const char* reply;
        int bound;
        std::optional<Pop3SizeList> sizes;
    };
    const Case cases[] = {
        {"+OK 2 messages (1.5 kB)\r\n1 100\r\n3 300\r\n.\r\n", 10, Pop3SizeList{3, 100, 0, 300}},
        {"+OK\r\n.\r\n", 10, Pop3SizeList{0}},
        {"+OK\r\n3 30\r\n1 10\r\n.\r\n", 10, Pop3SizeList{3, 10, 0, 30}},
        {"+OK\r\nabc\r\n2 20\r\n\r\n.\r\n", 10, Pop3SizeList{2, 0, 20}},
        {"+OK\r\n0 5\r\n1 10\r\n.\r\n", 10, Pop3SizeList{1, 10}},
        // numbers beyond the mailbox or an int cannot make the list grow
        {"+OK\r\n1 100\r\n2000000000 5\r\n.\r\n", 5, Pop3SizeList{1, 100}},
        {"+OK\r\n1 99999999999\r\n99999999999 1\r\n.\r\n", 5, Pop3SizeList{0}},
        {"+OK 3 300\r\n", 10, Pop3SizeList{3, 0, 0, 300}},
        {"+OK 30 300\r\n", 10, Pop3SizeList{0}},
        {"-ERR\r\n", 10, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(c.sizes), show(pop3_parse_list(std::string(c.reply), c.bound))) << c.reply;
    EXPECT_EQ(show(std::optional<Pop3SizeList>()), show(pop3_parse_list(std::nullopt, 10)));
}

TEST(Pop3Replies, UniqueIdsIndexedByNumberAndCut)
{
    const std::string longId(600, 'u');
    struct Case {
        std::string reply;
        std::optional<Pop3IdList> ids;
    };
    const Case cases[] = {
        {"+OK\r\n1 aaa\r\n3 ccc\r\n.\r\n", Pop3IdList{"3", "aaa", "", "ccc"}},
        {"+OK\r\n.\r\n", Pop3IdList{"0"}},
        {"+OK 2 xyz\r\n", Pop3IdList{"2", "", "xyz"}},
        {"+OK\r\n1 " + longId + "\r\n.\r\n", Pop3IdList{"1", longId.substr(0, 512)}},
        {"+OK\r\n1\r\n2 b\r\n.\r\n", Pop3IdList{"2", "", "b"}},
        {"+OK\r\n9 far\r\n.\r\n", Pop3IdList{"0"}},
        {"-ERR UIDL not supported\r\n", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(c.ids), show(pop3_parse_uidl(c.reply, 5))) << c.reply;
}

// ---- SMTP client: addresses, encodings, message text ----

TEST(SmtpText, ParseAddressForms)
{
    struct Case {
        const char* text;
        const char* name;
        const char* address;
    };
    const Case cases[] = {
        {"Orvane Alarm <alarm@orvane.test>", "Orvane Alarm", "alarm@orvane.test"},
        {"<alarm@orvane.test> Orvane Alarm", "Orvane Alarm", "alarm@orvane.test"},
        {"<alarm@orvane.test> Orvane ", "Orvane", "alarm@orvane.test"},
        {"<alarm@orvane.test>", "", "alarm@orvane.test"},
        {"<alarm@orvane.test> ", "", "alarm@orvane.test"},
        {"alarm@orvane.test", "", "alarm@orvane.test"},
        {"postmaster", "", "postmaster"},
        {"Name <postmaster>", "", "Name <postmaster>"},   // no at sign: all address
        {"Name <alarm@orvane.test", "", ""},
        {"Name alarm@orvane.test>", "", ""},
        {"x> <a@b", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        std::string name = "stale", address = "stale";
        SmtpClient::parseAddress(c.text, name, address);
        EXPECT_EQ(c.name, name) << "'" << c.text << "'";
        EXPECT_EQ(c.address, address) << "'" << c.text << "'";
    }
}

TEST(SmtpText, MailDomain)
{
    struct Case {
        const char* address;
        const char* domain;
    };
    const Case cases[] = {{"ops@example.test", "example.test"}, {"a@b@c", "b@c"},
                          {"ops@", ""}, {"ops", ""}, {"@example.test", "example.test"}, {"", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(c.domain, SmtpClient::mailDomain(c.address)) << "'" << c.address << "'";
}

TEST(SmtpText, Base64)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"", ""},          {"f", "Zg=="},       {"fo", "Zm8="},        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
        {"Username:", "VXNlcm5hbWU6"}, {"Password:", "UGFzc3dvcmQ6"},
        {std::string("\xff\xfe\x00", 3), "//4A"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, SmtpClient::base64Encode(c.in)) << "'" << c.in << "'";
}

TEST(SmtpText, DotStuffing)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {".", ".."},
        {"x\r\n.\r\ny", "x\r\n..\r\ny"},
        {"a\r\n.b\r\n..c", "a\r\n..b\r\n...c"},
        {"a.b\r\nc.", "a.b\r\nc."},
        {"a\n.b", "a\n..b"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, SmtpClient::dotStuff(c.in)) << "'" << c.in << "'";
}

TEST(SmtpText, LongLinesBreakAtASpaceOrAt998)
{
    const std::string a998(998, 'a');
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"short line", "short line"},
        {a998 + "\r\n" + a998, a998 + "\r\n" + a998},                        // 998 fits
        {std::string(2000, 'a'), a998 + "\r\n" + a998 + "\r\n" + "aaaa"},    // no space: hard break
        {a998 + " bbb", a998 + "\r\n bbb"},                                  // the 999th is a space
        {"x " + std::string(1000, 'c'), "x \r\n" + std::string(998, 'c') + "\r\ncc"},      // behind the space
        {std::string(900, 'a') + "\r\n" + std::string(900, 'b'), std::string(900, 'a') + "\r\n" + std::string(900, 'b')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.out, SmtpClient::breakLongLines(c.in)) << "input of " << c.in.size() << " bytes";

    // Words: every line ends behind a space, none is longer than 998, and nothing is lost.
    std::string words;
    for (int i = 0; i < 700; ++i)
        words += "word" + std::to_string(i % 10) + " ";
    std::string broken = SmtpClient::breakLongLines(words);
    size_t start = 0, lines = 0;
    for (size_t end = broken.find("\r\n"); end != std::string::npos; end = broken.find("\r\n", start)) {
        EXPECT_LE(end - start, 998u) << "line " << lines;
        EXPECT_EQ(' ', broken[end - 1]) << "line " << lines;
        start = end + 2;
        ++lines;
    }
    EXPECT_LE(broken.size() - start, 998u);
    EXPECT_EQ(4u, lines);
    std::string joined;
    for (size_t i = 0; i < broken.size(); ++i) {
        if (broken.compare(i, 2, "\r\n") == 0)
            ++i;
        else
            joined += broken[i];
    }
    EXPECT_EQ(words, joined);
}

TEST(SmtpText, DateHeader)
{
    SYSTEMTIME march = {};
    march.wYear = 2026, march.wMonth = 3, march.wDay = 5, march.wHour = 9, march.wMinute = 4, march.wSecond = 7;
    EXPECT_EQ("Date: 05 Mar 26 9:4:7\r\n", SmtpClient::dateHeader(march));
    SYSTEMTIME december = {};
    december.wYear = 2005, december.wMonth = 12, december.wDay = 31, december.wHour = 23, december.wMinute = 59,
    december.wSecond = 58;
    EXPECT_EQ("Date: 31 Dec 05 23:59:58\r\n", SmtpClient::dateHeader(december));
}

TEST(SmtpText, MessageTextWithHeadersAndStuffedBody)
{
    SYSTEMTIME t = {};
    t.wYear = 2026, t.wMonth = 3, t.wDay = 5, t.wHour = 9, t.wMinute = 4, t.wSecond = 7;

    SmtpClient named("ops@example.test", "Orvane Alarm <alarm@orvane.test>", "Hello",
                     "line1\r\n.hidden\r\n.\r\nend", "127.0.0.3", 25, true);
    EXPECT_EQ("From: alarm@orvane.test (Orvane Alarm) \r\nReply-To: alarm@orvane.test\r\n"
              "To: ops@example.test\r\nDate: 05 Mar 26 9:4:7\r\nSubject: Hello\r\n\r\n"
              "line1\r\n..hidden\r\n..\r\nend\r\n.\r\n",
              named.buildMessage(t));

    SmtpClient plain("x@y.test", "a@b.test", "S", "body", "127.0.0.3", 25, true);
    plain.addRecipient("z@y.test", SmtpClient::To);
    plain.addRecipient("Copy <c@y.test>", SmtpClient::Cc);
    plain.addRecipient("d@y.test", 7);   // an unknown kind is a blind copy
    EXPECT_EQ("From: a@b.test \r\nReply-To: a@b.test\r\nTo: x@y.test,\r\n z@y.test\r\nCc: c@y.test\r\n"
              "Bcc: d@y.test\r\nDate: 05 Mar 26 9:4:7\r\nSubject: S\r\n\r\nbody\r\n.\r\n",
              plain.buildMessage(t));
}

TEST(SmtpClientLocal, ErrorsFoundBeforeTheNetwork)
{
    struct Case {
        const char *to, *from, *server, *response;
    };
    const Case cases[] = {
        {"", "a@b.test", "127.0.0.3", "451 Requested action aborted: local error who am I mailing"},
        {"ops@example.test", "", "127.0.0.3", "451 Requested action aborted: local error who am I"},
        {"ops@example.test", "a@b.test", "", "451 Requested action aborted: local error no SMTP/name server/smtp server"},
    };
    for (const Case& c : cases) {
        SmtpClient client(c.to, c.from, "s", "body", c.server, 25, true);
        client.sendMail();
        EXPECT_EQ(c.response, client.lastResponse()) << "to '" << c.to << "' from '" << c.from << "'";
    }

    SmtpClient full("r0@example.test", "a@b.test", "s", "body", "127.0.0.3", 25, true);
    for (int i = 1; i < SmtpClient::kMaxRecipients; ++i)
        EXPECT_TRUE(full.addRecipient("r" + std::to_string(i) + "@example.test", SmtpClient::Cc)) << i;
    EXPECT_FALSE(full.addRecipient("one.too.many@example.test", SmtpClient::Cc));
    EXPECT_FALSE(full.setMessage(""));
}

// ---- DNS MX query and answers ----

TEST(MxQuery, WireFormat)
{
    DnsMessage expected;
    expected.header(0x0101, 0x0100, 1, 0, 0, 0).name("example.test").u16(15).u16(1);
    struct Case {
        const char* domain;
        bool ok;
        std::string bytes;
    };
    DnsMessage root;
    root.header(0x0101, 0x0100, 1, 0, 0, 0).name("").u16(15).u16(1);
    const Case cases[] = {
        {"example.test", true, expected.bytes()},
        {"example.test.", true, expected.bytes()},   // no second zero byte for the trailing dot
        {"", true, root.bytes()},
    };
    for (const Case& c : cases) {
        std::string query;
        EXPECT_EQ(c.ok, MxLookup::buildQuery(c.domain, MxLookup::kQueryId, query)) << c.domain;
        EXPECT_EQ(c.bytes, query) << "'" << c.domain << "'";
    }
    std::string query;
    EXPECT_FALSE(MxLookup::buildQuery(std::string(64, 'l') + ".test", 1, query));
    EXPECT_FALSE(MxLookup::buildQuery("a..test", 1, query));   // an empty label would end the name early
    std::string longName;
    for (int i = 0; i < 5; ++i)
        longName += std::string(60, 'l') + ".";
    EXPECT_FALSE(MxLookup::buildQuery(longName, 1, query));
}

TEST(MxAnswer, ExchangersOfTheAnswerSectionOnly)
{
    typedef std::vector<std::string> Names;
    const uint16_t id = MxLookup::kQueryId;

    // the additional A records of a real server, counted in the header
    DnsMessage additional;
    additional.header(id, 0x8180, 1, 1, 1, 1).name("example.test").u16(15).u16(1).mx(12, 10, "mx1.example.test");
    additional.pointer(12).u16(2).u16(1).u32(60);   // NS in the authority section
    {
        DnsMessage ns;
        ns.name("ns.example.test");
        additional.u16(static_cast<uint16_t>(ns.size())).raw(ns.bytes());
    }
    additional.a(12, "127.0.0.9");

    // an MX that sits in the authority section is not an exchanger of the domain
    DnsMessage authorityOnly;
    authorityOnly.header(id, 0x8180, 1, 0, 1, 0).name("example.test").u16(15).u16(1).mx(12, 10, "mx.other.test");

    // exchange names compressed against the question
    DnsMessage compressed;
    compressed.header(id, 0x8180, 1, 1, 0, 0).name("example.test").u16(15).u16(1);
    compressed.pointer(12).u16(15).u16(1).u32(60).u16(2 + 3 + 2).u16(5).labels("mx").pointer(12);

    // owner names written out: read, not glued onto the exchange
    DnsMessage ownerInPlace;
    ownerInPlace.header(id, 0x8180, 0, 1, 0, 0).name("example.test").u16(15).u16(1).u32(60);
    {
        DnsMessage ex;
        ex.name("mx.example.test");
        ownerInPlace.u16(static_cast<uint16_t>(2 + ex.size())).u16(10).raw(ex.bytes());
    }

    // a CNAME before the MX is passed over by its length
    DnsMessage cnameFirst;
    cnameFirst.header(id, 0x8180, 1, 2, 0, 0).name("example.test").u16(15).u16(1);
    cnameFirst.pointer(12).u16(5).u16(1).u32(60).u16(4).raw(std::string("\x02xy\x00", 4));
    cnameFirst.mx(12, 10, "mx.example.test");

    // the null MX of a domain that takes no mail
    DnsMessage nullMx = mxAnswer(id, "example.test", {""});

    // exchangers listed against their preference: the most preferred (lowest) is tried first,
    // the answer order decides among equal ones
    DnsMessage byPreference;
    byPreference.header(id, 0x8180, 1, 4, 0, 0).name("example.test").u16(15).u16(1);
    byPreference.mx(12, 30, "backup.example.test").mx(12, 10, "first.example.test");
    byPreference.mx(12, 20, "second.example.test").mx(12, 10, "first-too.example.test");

    struct Case {
        const char* what;
        std::string packet;
        MxLookup::ParseResult result;
        Names names;
    };
    const Case cases[] = {
        {"two exchangers in answer order", mxAnswer(id, "example.test", {"mx1.example.test", "127.0.0.2"}).bytes(),
         MxLookup::Answered, Names{"mx1.example.test", "127.0.0.2"}},
        {"authority and additional sections", additional.bytes(), MxLookup::Answered, Names{"mx1.example.test"}},
        {"MX in the authority section", authorityOnly.bytes(), MxLookup::Answered, Names{}},
        {"compressed exchange", compressed.bytes(), MxLookup::Answered, Names{"mx.example.test"}},
        {"owner in place", ownerInPlace.bytes(), MxLookup::Answered, Names{"mx.example.test"}},
        {"CNAME first", cnameFirst.bytes(), MxLookup::Answered, Names{"mx.example.test"}},
        {"null MX", nullMx.bytes(), MxLookup::Answered, Names{}},
        {"exchangers by preference", byPreference.bytes(), MxLookup::Answered,
         Names{"first.example.test", "first-too.example.test", "second.example.test", "backup.example.test"}},
        {"another id", mxAnswer(0x4242, "example.test", {"mx.example.test"}).bytes(), MxLookup::NotOurs, Names{}},
        {"a query, not an answer", DnsMessage().header(id, 0x0100, 1, 0, 0, 0).name("x").u16(15).u16(1).bytes(),
         MxLookup::NotOurs, Names{}},
        {"name error", DnsMessage().header(id, 0x8183, 1, 0, 0, 0).name("nx.test").u16(15).u16(1).bytes(),
         MxLookup::Refused, Names{}},
        {"server failure", DnsMessage().header(id, 0x8182, 0, 0, 0, 0).bytes(), MxLookup::Refused, Names{}},
        {"shorter than a header", std::string("\x01\x01\x81\x80\x00", 5), MxLookup::Malformed, Names{}},
        {"empty", std::string(), MxLookup::Malformed, Names{}},
    };
    for (const Case& c : cases) {
        Names names{"stale"};
        EXPECT_EQ(c.result, MxLookup::parseAnswer(c.packet, id, names)) << c.what;
        EXPECT_EQ(c.names, names) << c.what;
    }
}

TEST(MxAnswer, HostilePacketsEndTheReadingSafely)
{
    typedef std::vector<std::string> Names;
    const uint16_t id = MxLookup::kQueryId;
    const std::string question = DnsMessage().name("example.test").u16(15).u16(1).bytes();
    auto answer = [&](uint16_t count) {
        DnsMessage m;
        m.header(id, 0x8180, 1, count, 0, 0).raw(question);
        return m;
    };
    const uint16_t firstRecord = static_cast<uint16_t>(12 + question.size());

    // exchange name that points at itself, and one that points at the pointer before it
    DnsMessage selfLoop = answer(2);
    selfLoop.pointer(12).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(static_cast<uint16_t>(firstRecord + 14));
    selfLoop.mx(12, 20, "good.example.test");

    DnsMessage pingPong = answer(1);
    pingPong.pointer(12).u16(15).u16(1).u32(60).u16(6).u16(10).labels("a").pointer(static_cast<uint16_t>(firstRecord + 14));

    // owner name that loops: the record and everything after it cannot be placed
    DnsMessage ownerLoop = answer(2);
    ownerLoop.pointer(firstRecord).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(12);
    ownerLoop.mx(12, 20, "after.example.test");

    DnsMessage beyondEnd = answer(1);
    beyondEnd.pointer(12).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(0x3FFF);

    DnsMessage intoHeader = answer(1);
    intoHeader.pointer(12).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(2);

    // RDLENGTH longer than the packet: the records before it still count
    DnsMessage longData = answer(2);
    longData.mx(12, 10, "first.example.test");
    longData.pointer(12).u16(15).u16(1).u32(60).u16(400).u16(20).name("x");

    // an exchange name running past its RDLENGTH
    DnsMessage overrun = answer(2);
    overrun.mx(12, 10, "ok.example.test");
    overrun.pointer(12).u16(15).u16(1).u32(60).u16(5).u16(20).name("spill.example.test");

    // a label holding a NUL would be looked up as a shorter name
    DnsMessage nulLabel = answer(1);
    nulLabel.pointer(12).u16(15).u16(1).u32(60).u16(2 + 7).u16(10).raw(std::string("\x05" "ab\0cd\x00", 7));

    // more questions than bytes
    DnsMessage manyQuestions;
    manyQuestions.header(id, 0x8180, 65535, 65535, 0, 0).raw(question);

    // a pointer chain that builds a name longer than a name may be: an unknown record holds six
    // 60-byte labels, each followed by a pointer to the one before; the MX points at the last
    DnsMessage longChain;
    longChain.header(id, 0x8180, 1, 2, 0, 0).raw(question).pointer(12).u16(99).u16(1).u32(60);
    {
        const uint16_t dataStart = static_cast<uint16_t>(longChain.size() + 2);
        const std::string label = std::string(1, '\x3c') + std::string(60, 'z');
        DnsMessage body;
        uint16_t previous = 12;
        for (int i = 0; i < 6; ++i) {
            uint16_t here = static_cast<uint16_t>(dataStart + body.size());
            body.raw(label).pointer(previous);
            previous = here;
        }
        longChain.u16(static_cast<uint16_t>(body.size())).raw(body.bytes());
        longChain.pointer(12).u16(15).u16(1).u32(60).u16(4).u16(10).pointer(previous);
    }

    struct Case {
        const char* what;
        std::string packet;
        Names names;
    };
    const Case cases[] = {
        {"self-pointing exchange", selfLoop.bytes(), Names{"good.example.test"}},
        {"two pointers pointing at each other", pingPong.bytes(), Names{}},
        {"looping owner", ownerLoop.bytes(), Names{}},
        {"pointer beyond the end", beyondEnd.bytes(), Names{}},
        {"pointer into the header", intoHeader.bytes(), Names{}},
        {"record longer than the packet", longData.bytes(), Names{"first.example.test"}},
        {"exchange past its data", overrun.bytes(), Names{"ok.example.test"}},
        {"NUL inside a label", nulLabel.bytes(), Names{}},
        {"more questions than bytes", manyQuestions.bytes(), Names{}},
        {"name longer than 255", longChain.bytes(), Names{}},
    };
    for (const Case& c : cases) {
        Names names;
        EXPECT_EQ(MxLookup::Answered, MxLookup::parseAnswer(c.packet, id, names)) << c.what;
        EXPECT_EQ(c.names, names) << c.what;
    }

    // Every cut of a good answer reads without harm, and gives whole exchangers only, in order.
    const Names all{"mx1.example.test", "mx2.example.test", "mx3.example.test"};
    const std::string full = mxAnswer(id, "example.test", all).bytes();
    for (size_t length = 0; length <= full.size(); ++length) {
        Names names;
        MxLookup::ParseResult r = MxLookup::parseAnswer(full.substr(0, length), id, names);
        EXPECT_EQ(length < 12 ? MxLookup::Malformed : MxLookup::Answered, r) << "cut at " << length;
        ASSERT_LE(names.size(), all.size()) << "cut at " << length;
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(all[i], names[i]) << "cut at " << length;
        if (length == full.size()) {
            EXPECT_EQ(all, names);
        }
    }
}

// ---- worker creation ----

TEST(MailWorkers, CreatedByItemType)
{
    MonitorItemSettings* smtpItem = workertest::newStoredItem(ItemSmtp, "127.0.0.3", 25, 1, UnitHours, 5000);
    MonitorItemSettings* pop3Item = workertest::newStoredItem(ItemPop3, "127.0.0.2", 110, 1, UnitHours, 5000);
    WorkerManager* manager = WorkerManager::instance();
    Worker* smtp = manager->createWorker(smtpItem);
    Worker* pop3 = manager->createWorker(pop3Item);
    EXPECT_NE(nullptr, dynamic_cast<SmtpWorker*>(smtp));
    EXPECT_NE(nullptr, dynamic_cast<Pop3Worker*>(pop3));
    // never started: forget them and free them here
    manager->detachWorker(smtp);
    manager->detachWorker(pop3);
    delete smtp;
    delete pop3;
}

}  // namespace
