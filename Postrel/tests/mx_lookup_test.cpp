// The resolver's walk from the start servers through referrals to the exchangers, over recorded
// responses: which servers are asked, in which order, and which hosts come out.
#include "orv/gtest.h"
#include "DnsMessageWriter.h"
#include "MxLookup.h"
#include "DnsTransport.h"
#include "SocketException.h"
#include <map>

namespace {

typedef DnsMessageWriter W;

// One recorded response per server; a server without one cannot be reached.
class RecordedServers : public CDnsTransport {
public:
    std::map<std::string, std::string> responses;
    std::vector<std::string> asked;

    std::string Exchange(const std::string& server, const std::string&) override
    {
        asked.push_back(server);
        auto it = responses.find(server);
        if (it == responses.end()) throw new CSocketException("Could not connect to server " + server);
        return it->second;
    }
};

std::string referral(const std::string& zone, const std::string& ns)
{
    return W().Ns(W::Authority, zone, ns).A(W::Additional, ns, "192.0.2.1").Bytes();
}

std::vector<std::string> lookup(RecordedServers& servers, std::string* dump = NULL)
{
    CMxLookup mx(&servers);
    mx.SetStartServers({"root1", "root2"});
    std::vector<std::string> hosts = {"left over"};
    std::string text = mx.LookupMX("example.test", hosts);
    if (dump != NULL) *dump = text;
    return hosts;
}

typedef std::vector<std::string> Strings;

}  // namespace

TEST(MxLookup, FollowsReferralsAndOrdersExchangersByPreference)
{
    RecordedServers s;
    s.responses["root1"] = referral("test", "ns.tld.test");
    s.responses["ns.tld.test"] = referral("example.test", "ns.example.test");
    s.responses["ns.example.test"] = W()
                                         .Mx(W::Answer, "example.test", 20, "mx2.example.test")
                                         .Mx(W::Answer, "example.test", 10, "mx1.example.test")
                                         .Mx(W::Answer, "example.test", 10, "backup.example.test")
                                         .Ns(W::Authority, "example.test", "ns.example.test")
                                         .A(W::Additional, "mx2.example.test", "127.0.0.22")
                                         .A(W::Additional, "MX1.Example.TEST", "127.0.0.21")
                                         .A(W::Additional, "mx2.example.test", "127.0.0.23")
                                         .Record(W::Additional, W::Name("backup.example.test"), 28, 60,
                                                 std::string(16, '\x01'))
                                         .Bytes();
    std::string dump;
    // equal preferences keep the answer order; an exchanger without an address goes by name;
    // two addresses of one exchanger come in the order of the additional section
    EXPECT_EQ((Strings{"127.0.0.21", "backup.example.test", "127.0.0.22", "127.0.0.23"}), lookup(s, &dump));
    EXPECT_EQ((Strings{"root1", "ns.tld.test", "ns.example.test"}), s.asked);
    EXPECT_EQ(0u, dump.find("MX Record\nName=example.test\nTTL=300\nTYPE=15\nPreference=10\nExchange=mx1.example.test"))
        << dump;
}

TEST(MxLookup, StartServersAreTriedInTurn)
{
    struct TurnCase {
        const char* what;
        bool root1Answers;
        std::string root1;
        Strings asked;
    };
    const std::string answer = W().Mx(W::Answer, "example.test", 5, "mx.example.test").Bytes();
    const TurnCase cases[] = {
        {"unreachable", false, "", {"root1", "root2"}},
        {"malformed answer", true, U16(1) + U16(0) + U16(1) + U16(0), {"root1", "root2"}},
        {"no answer and no referral", true, W().Bytes(), {"root1", "root2"}},
        {"answers", true, answer, {"root1"}},
    };
    for (const TurnCase& c : cases) {
        RecordedServers s;
        if (c.root1Answers) s.responses["root1"] = c.root1;
        s.responses["root2"] = answer;
        EXPECT_EQ((Strings{"mx.example.test"}), lookup(s)) << c.what;
        EXPECT_EQ(c.asked, s.asked) << c.what;
    }
}

TEST(MxLookup, AReferralCycleIsCut)
{
    RecordedServers s;
    s.responses["root1"] = referral("test", "a.ns.test");
    s.responses["a.ns.test"] = referral("test", "b.ns.test");
    s.responses["b.ns.test"] = referral("test", "a.ns.test");
    s.responses["root2"] = referral("test", "a.ns.test");
    std::string dump = "x";
    EXPECT_EQ(Strings{}, lookup(s, &dump));
    EXPECT_EQ("", dump);
    EXPECT_EQ((Strings{"root1", "a.ns.test", "b.ns.test", "root2"}), s.asked);
}

TEST(MxLookup, TenQueriesFromOneStartServerEndTheWalk)
{
    RecordedServers s;
    s.responses["root1"] = referral("test", "n1.test");
    for (int i = 1; i < 30; ++i)
        s.responses["n" + std::to_string(i) + ".test"] = referral("test", "n" + std::to_string(i + 1) + ".test");
    std::string dump;
    EXPECT_EQ(Strings{}, lookup(s, &dump));
    ASSERT_EQ(10u, s.asked.size());
    EXPECT_EQ("root1", s.asked.front());
    EXPECT_EQ("n9.test", s.asked.back());
}

TEST(MxLookup, OnlyMxAnswersGiveHosts)
{
    RecordedServers s;
    s.responses["root1"] = W()
                               .Cname(W::Answer, "example.test", "mail.elsewhere.test")
                               .Mx(W::Answer, "example.test", 0, "")
                               .Mx(W::Answer, "example.test", 10, "mx.example.test")
                               .A(W::Additional, "mail.elsewhere.test", "127.0.0.99")
                               .Bytes();
    std::string dump;
    // the alias gives no exchanger, and a "." exchange says no mail goes there
    EXPECT_EQ((Strings{"mx.example.test"}), lookup(s, &dump));
    EXPECT_NE(std::string::npos, dump.find("CNAME Record:")) << dump;
}
