// DNS messages, both transports: the SMTP check's MX answer over UDP (workers) and the mail
// library's resolver messages over TCP (Postrel), the latter both parsed alone and walked
// through by the iterative MX lookup with every server answering the mutant.
#include <cstdint>
#include <string>
#include <vector>

#include "../../Postrel/src/DnsQuery.h"
#include "../../Postrel/src/DnsTransport.h"
#include "FuzzTarget.h"
#include "../../Postrel/src/MxLookup.h"
#include "../../Postrel/src/SocketException.h"
#include "../../workers/src/MxLookup.h"

namespace {

std::string u16(unsigned v)
{
    return std::string{static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}

std::string u32(std::uint32_t v) { return u16(v >> 16) + u16(v & 0xFFFF); }

// "a.b" as length-prefixed labels; with a pointer the name ends in it instead of a zero byte.
std::string name(const std::string& dotted, int pointer = -1)
{
    std::string out;
    std::size_t start = 0;
    while (start < dotted.size()) {
        std::size_t dot = dotted.find('.', start);
        if (dot == std::string::npos)
            dot = dotted.size();
        out += static_cast<char>(dot - start);
        out += dotted.substr(start, dot - start);
        start = dot + 1;
    }
    if (pointer >= 0)
        return out + u16(0xC000 | static_cast<unsigned>(pointer));
    return out + '\0';
}

std::string ptr(unsigned offset) { return u16(0xC000 | offset); }

std::string header(unsigned id, unsigned flags, unsigned qd, unsigned an, unsigned ns, unsigned ar)
{
    return u16(id) + u16(flags) + u16(qd) + u16(an) + u16(ns) + u16(ar);
}

std::string rr(const std::string& owner, unsigned type, const std::string& data, std::uint32_t ttl = 3600)
{
    return owner + u16(type) + u16(1) + u32(ttl) + u16(static_cast<unsigned>(data.size())) + data;
}

std::string a(unsigned b0, unsigned b1, unsigned b2, unsigned b3)
{
    return std::string{static_cast<char>(b0), static_cast<char>(b1), static_cast<char>(b2), static_cast<char>(b3)};
}

// Answers as name servers send them: the question name at offset 12, later names compressed
// against it.
std::vector<std::string> dnsSeeds(unsigned id)
{
    const std::string question = name("example.org") + u16(15) + u16(1);   // 12..28
    std::vector<std::string> seeds;
    // two exchangers, the second compressed against the first
    seeds.push_back(header(id, 0x8180, 1, 2, 0, 2) + question +
                    rr(ptr(12), 15, u16(10) + name("mx1", 12)) +
                    rr(ptr(12), 15, u16(20) + name("mx2", 12)) +
                    rr(name("mx1", 12), 1, a(127, 0, 0, 3)) + rr(name("mx2", 12), 1, a(127, 0, 0, 4)));
    // an alias first, then the exchanger of the canonical name
    seeds.push_back(header(id, 0x8180, 1, 2, 0, 0) + question + rr(ptr(12), 5, name("mail", 12)) +
                    rr(name("mail", 12), 15, u16(5) + name("in.mail.example.org")));
    // a referral: no answer, name servers with glue
    seeds.push_back(header(id, 0x8100, 1, 0, 2, 2) + question + rr(name("org"), 2, name("127.0.0.5")) +
                    rr(ptr(12 + 8), 2, name("ns2", 12 + 8)) + rr(name("127.0.0.5"), 1, a(127, 0, 0, 5)) +
                    rr(name("ns2.org"), 1, a(127, 0, 0, 6)));
    // no such domain, with the zone's SOA
    seeds.push_back(header(id, 0x8183, 1, 0, 1, 0) + question +
                    rr(ptr(12), 6, name("ns", 12) + name("hostmaster", 12) + u32(2026) + u32(7200) + u32(900) +
                                       u32(1209600) + u32(300)));
    // a null exchanger (the domain takes no mail) and a text record
    seeds.push_back(header(id, 0x8180, 1, 2, 0, 0) + question + rr(ptr(12), 15, u16(0) + std::string(1, '\0')) +
                    rr(ptr(12), 16, std::string("\x0bhello world", 12)));
    return seeds;
}

std::vector<std::string> dnsTokens()
{
    return {ptr(12), ptr(0), ptr(0x3FFF), std::string("\x3f"), std::string(1, '\0'), u16(15) + u16(1),
            u16(0xFFFF), std::string("\x40", 1), std::string("\x80", 1)};
}

void checkName(const std::string& text, const char* what)
{
    if (text.size() > 255)
        throw FuzzFailure(std::string(what) + " longer than 255 bytes");
}

// Every server answers with the mutant.
class ReplayTransport : public CDnsTransport {
public:
    explicit ReplayTransport(const std::string& reply) : reply_(reply) {}
    std::string Exchange(const std::string&, const std::string&) override
    {
        ++exchanges;
        return reply_;
    }
    int exchanges = 0;

private:
    const std::string& reply_;
};

}  // namespace

std::vector<FuzzTarget> dnsTargets()
{
    std::vector<FuzzTarget> targets;

    FuzzTarget udp;
    udp.name = "dns-udp";
    udp.seeds = dnsSeeds(MxLookup::kQueryId);
    udp.tokens = dnsTokens();
    udp.dnsNames = true;
    udp.maxInput = 65535;   // the largest datagram
    udp.memoryPerByte = 8;
    udp.run = [](const std::string& input) {
        std::vector<std::string> exchangers;
        MxLookup::parseAnswer(input, MxLookup::kQueryId, exchangers);
        for (const std::string& e : exchangers) {
            checkName(e, "an exchanger");
            if (e.empty() || e.find('\0') != std::string::npos)
                throw FuzzFailure("an empty exchanger or one with a NUL");
        }
    };
    targets.push_back(udp);

    FuzzTarget tcp;
    tcp.name = "dns-tcp";
    tcp.seeds = dnsSeeds(0x1234);
    tcp.tokens = dnsTokens();
    tcp.dnsNames = true;
    tcp.maxInput = 65535;   // the TCP length prefix is 16 bits
    tcp.memoryPerByte = 64;
    tcp.run = [](const std::string& input) {
        CDnsQuery query;
        try {
            query.ParseResponse(input);
        } catch (CSocketException* e) {
            e->Delete();
            return;
        }
        CDnsRRPtrList* lists[] = {&query.Answers(), &query.Authority(), &query.Additional()};
        std::size_t records = 0;
        for (CDnsRRPtrList* list : lists) {
            for (std::size_t i = 0; i < list->GetCount(); ++i) {
                checkName((*list)[i].m_name, "a record's owner");
                (*list)[i].Dump();
            }
            records += list->GetCount();
        }
        // each record takes at least 11 bytes of the message
        if (records * 11 > input.size())
            throw FuzzFailure(std::to_string(records) + " records from " + std::to_string(input.size()) + " bytes");
    };
    targets.push_back(tcp);

    FuzzTarget walk = tcp;
    walk.name = "dns-walk";
    walk.run = [](const std::string& input) {
        ReplayTransport transport(input);
        CMxLookup lookup(&transport);
        lookup.SetStartServers({"127.0.0.2", "127.0.0.3", "127.0.0.4"});
        std::vector<std::string> hosts;
        lookup.LookupMX("example.org", hosts);
        // the budget of queries per start server bounds the walk whatever the referrals say
        if (transport.exchanges > 3 * CMxLookup::kBudget)
            throw FuzzFailure(std::to_string(transport.exchanges) + " queries for one lookup");
        for (const std::string& h : hosts)
            checkName(h, "a mail host");
    };
    targets.push_back(walk);
    return targets;
}
