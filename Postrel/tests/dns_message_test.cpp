// DNS messages as they come off the wire: requests built, responses parsed into records, and
// every kind of truncated, looping or lying response refused with an error instead of a crash.
#include "orv/gtest.h"
#include "DnsBuffer.h"
#include "DnsMessageWriter.h"
#include "DnsQuery.h"
#include "DnsRRA.h"
#include "DnsRRMX.h"
#include "DnsTransport.h"
#include "SocketException.h"

namespace {

// Answers every request with one fixed response.
class CannedTransport : public CDnsTransport {
public:
    explicit CannedTransport(const std::string& response) : m_response(response) {}
    std::string Exchange(const std::string&, const std::string& request) override
    {
        lastRequest = request;
        return m_response;
    }
    std::string lastRequest;

private:
    std::string m_response;
};

// The parser's verdict: "" when the message parsed, else the exception's text.
std::string parseError(const std::string& message)
{
    CDnsQuery query;
    try {
        query.ParseResponse(message);
        return "";
    } catch (CSocketException* e) {
        std::string text = e->Text();
        e->Delete();
        return text;
    }
}

std::string header(uint16_t answers, uint16_t authority = 0, uint16_t additional = 0)
{
    return U16(0x1234) + U16(0x8000) + U16(1) + U16(answers) + U16(authority) + U16(additional);
}

const std::string kQuestion = DnsMessageWriter::Name("example.test") + U16(15) + U16(1);   // offsets 12..29

}  // namespace

TEST(DnsMessage, RequestAsksOneQuestionWithoutRecursion)
{
    struct RequestCase {
        const char* name;
        const char* type;
        std::string body;   // after the identifier
    };
    const std::string tail = U16(0) + U16(1) + U16(0) + U16(0) + U16(0);
    const RequestCase cases[] = {
        {"example.test", "MX", tail + DnsMessageWriter::Name("example.test") + U16(15) + U16(1)},
        {"example.test.", "mx", tail + DnsMessageWriter::Name("example.test") + U16(15) + U16(1)},
        {"Mail.Example.Test", "A", tail + DnsMessageWriter::Name("Mail.Example.Test") + U16(1) + U16(1)},
    };
    for (const RequestCase& c : cases) {
        CannedTransport transport(header(0) + kQuestion);
        CDnsQuery query;
        ASSERT_TRUE(query.Run(transport, "ns", c.name, c.type)) << query.ErrorText();
        ASSERT_GT(transport.lastRequest.size(), 2u);
        EXPECT_EQ(c.body, transport.lastRequest.substr(2)) << c.name;
    }
}

TEST(DnsMessage, NamesThatCannotBeAskedFailTheQuery)
{
    const char* const names[] = {"", ".", "a..b", ".lead"};
    std::string longLabel = std::string(64, 'l') + ".test";
    std::string longName;
    for (int i = 0; i < 26; ++i) longName += "abcdefghi.";
    longName += "test";   // 264 characters
    std::vector<std::string> bad(names, names + 4);
    bad.push_back(longLabel);
    bad.push_back(longName);
    for (const std::string& name : bad) {
        CannedTransport transport(header(0));
        CDnsQuery query;
        EXPECT_FALSE(query.Run(transport, "ns", name, "MX")) << name;
        EXPECT_NE(std::string::npos, query.ErrorText().find("Bad domain name")) << query.ErrorText();
        EXPECT_EQ("", transport.lastRequest) << "nothing may be sent for " << name;
    }
    CannedTransport transport(header(0));
    CDnsQuery query;
    EXPECT_FALSE(query.Run(transport, "ns", "example.test", "AAAAX"));
}

TEST(DnsMessage, AHeaderAloneFailsAtTheQuestionName)
{
    CannedTransport transport(header(0));
    CDnsQuery query;
    EXPECT_FALSE(query.Run(transport, "ns", "example.test", "MX"));
    EXPECT_EQ("Insufficient Data Pointer:12  Size:1  Total:12\n\n", query.ErrorText());
}

TEST(DnsMessage, CompressedOwnerIsReadInFullAndThePositionEndsAfterThePointer)
{
    std::string message = header(1) + kQuestion + "\xC0\x0C" + U16(1) + U16(1) + U32(60) + U16(4) +
                          std::string("\x7F\x00\x00\x15", 4);
    CDnsBuffer buffer;
    buffer.Assign(message);
    buffer.SetPosition(30);
    EXPECT_EQ("example.test", buffer.ReadName());
    EXPECT_EQ(32u, buffer.Position());
    EXPECT_EQ("example.test", buffer.ReadName(12));
    EXPECT_EQ(32u, buffer.Position()) << "a read at an offset leaves the position alone";

    CDnsQuery query;
    query.ParseResponse(message);
    ASSERT_EQ(1u, query.Answers().GetCount());
    EXPECT_EQ("example.test", query.Answers()[0].m_name);
    EXPECT_EQ("127.0.0.21", static_cast<const CDnsRRA&>(query.Answers()[0]).m_address);
}

TEST(DnsMessage, MalformedResponsesAreRefused)
{
    const std::string owner = "\xC0\x0C";
    const std::string fixed = U16(15) + U16(1) + U32(60);
    std::string longName;
    for (int i = 0; i < 5; ++i) longName += std::string(1, char(63)) + std::string(63, 'n');
    longName += '\0';
    struct BadCase {
        const char* what;
        std::string message;
        std::string error;
    };
    const BadCase cases[] = {
        {"pointer to itself", header(1) + kQuestion + "\xC0\x1E", "Too many compression pointers in a name"},
        {"two pointers at each other", header(1) + kQuestion + "\xC0\x20\xC0\x1E", "Too many compression pointers in a name"},
        {"pointer past the end", header(1) + kQuestion + "\xC0\xFF", "Insufficient Data Pointer:255  Size:1  Total:32"},
        {"pointer cut in half", header(1) + kQuestion + "\xC0", "Insufficient Data Pointer:31  Size:1  Total:31"},
        {"label past the end", header(1) + kQuestion + "\x3F" "abc", "Insufficient Data Pointer:31  Size:63  Total:34"},
        {"record cut in its fixed fields", header(1) + kQuestion + owner + U16(15) + U16(1),
         "Insufficient Data Pointer:36  Size:4  Total:36"},
        {"data length past the end", header(1) + kQuestion + owner + fixed + U16(50) + U16(10),
         "Insufficient Data Pointer:42  Size:50  Total:44"},
        {"address shorter than four bytes", header(1) + kQuestion + owner + U16(1) + U16(1) + U32(60) + U16(2) +
                                                std::string("\x7F\x00\x00\x01", 4),
         "Record data longer than its stated length"},
        {"exchange name past the data length", header(1) + kQuestion + owner + fixed + U16(3) + U16(10) +
                                                   std::string("\x03" "abc\0", 5),
         "Record data longer than its stated length"},
        {"more answers counted than sent", header(65535) + kQuestion + owner + fixed + U16(5) + U16(10) + owner +
                                                 std::string(1, '\0'),
         "Insufficient Data Pointer:47  Size:1  Total:47"},
        {"name longer than 255", U16(1) + U16(0) + U16(1) + U16(0) + U16(0) + U16(0) + longName, "Name too long"},
        {"no question at all", header(0).substr(0, 11), "Insufficient Data Pointer:10  Size:2  Total:11"},
    };
    for (const BadCase& c : cases) EXPECT_EQ(c.error + "\n", parseError(c.message)) << c.what;
}

TEST(DnsMessage, EveryTruncationAndByteFlipOfAReferralEndsCleanly)
{
    std::string message = DnsMessageWriter("mail.example.test")
                              .Ns(DnsMessageWriter::Authority, "example.test", "ns1.example.test")
                              .Ns(DnsMessageWriter::Authority, "example.test", "ns2.example.test")
                              .A(DnsMessageWriter::Additional, "ns1.example.test", "127.0.0.13")
                              .Mx(DnsMessageWriter::Additional, "example.test", 5, "mx.example.test")
                              .Bytes();
    ASSERT_EQ("", parseError(message));
    for (size_t n = 0; n < message.size(); ++n)
        EXPECT_NE("", parseError(message.substr(0, n))) << "a message cut at " << n << " must be refused";
    for (size_t i = 0; i < message.size(); ++i)
        for (int flip : {0x01, 0x3F, 0xC0, 0xFF}) {
            std::string broken = message;
            broken[i] = char(broken[i] ^ flip);
            parseError(broken);   // either parses or is refused; never crashes or loops
        }
}

TEST(DnsMessage, MxDataIsSkippedToItsStatedEnd)
{
    std::string mxData = U16(10) + DnsMessageWriter::Name("mx1.example.test") + "\xAA\xBB\xCC";
    std::string message = DnsMessageWriter()
                              .Record(DnsMessageWriter::Answer, DnsMessageWriter::Name("example.test"), 15, 300, mxData)
                              .A(DnsMessageWriter::Additional, "mx1.example.test", "127.0.0.21")
                              .Bytes();
    CDnsQuery query;
    query.ParseResponse(message);
    ASSERT_EQ(1u, query.Answers().GetCount());
    const CDnsRRMX& mx = static_cast<const CDnsRRMX&>(query.Answers()[0]);
    EXPECT_EQ(10, mx.m_preference);
    EXPECT_EQ("mx1.example.test", mx.m_exchange);
    ASSERT_EQ(1u, query.Additional().GetCount());
    EXPECT_EQ("mx1.example.test", query.Additional()[0].m_name);
}

TEST(DnsMessage, RecordsDumpAsText)
{
    std::string message = DnsMessageWriter()
                              .Mx(DnsMessageWriter::Answer, "example.test", 10, "mx1.example.test")
                              .Cname(DnsMessageWriter::Answer, "www.example.test", "example.test")
                              .Ns(DnsMessageWriter::Authority, "test", "ns1.tld.test")
                              .A(DnsMessageWriter::Additional, "mx1.example.test", "127.0.0.21")
                              .Record(DnsMessageWriter::Additional, DnsMessageWriter::Name("x.test"), 16, 0xFFFFFFFF,
                                      "\x04text")
                              .Bytes();
    CDnsQuery query;
    query.ParseResponse(message);
    ASSERT_EQ(2u, query.Answers().GetCount());
    ASSERT_EQ(1u, query.Authority().GetCount());
    ASSERT_EQ(2u, query.Additional().GetCount());
    EXPECT_EQ("MX Record\nName=example.test\nTTL=300\nTYPE=15\nPreference=10\nExchange=mx1.example.test\n\n",
              query.Answers()[0].Dump());
    EXPECT_EQ("CNAME Record:\nName=www.example.test\nTTL=60\nTYPE=5\nCName=example.test\n\n",
              query.Answers()[1].Dump());
    EXPECT_EQ("NS Record:\nName=test\nTTL=60\nTYPE=2\nNS=ns1.tld.test\n", query.Authority()[0].Dump());
    EXPECT_EQ("A Record:\nName=mx1.example.test\nTTL=3600\nTYPE=1\nA=127.0.0.21\n\n", query.Additional()[0].Dump());
    EXPECT_EQ("Name=x.test\nTTL=-1\nTYPE=16\n", query.Additional()[1].Dump());
}

TEST(DnsMessage, TypeNamesInAnyCase)
{
    const std::pair<const char*, int> cases[] = {{"A", 1},     {"ns", 2},    {"CNAME", 5}, {"soa", 6},  {"mx", 15},
                                                 {"Mx", 15},   {"TXT", 16},  {"NULL", 10}, {"AAAA", -1}, {"", -1}};
    for (const auto& c : cases) EXPECT_EQ(c.second, TypeCodeFromName(c.first)) << c.first;
}
