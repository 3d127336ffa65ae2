#include "MxLookup.h"
#include "DnsQuery.h"
#include "DnsRRA.h"
#include "DnsRRMX.h"
#include "DnsRRNS.h"
#include "DnsTcpTransport.h"
#include <algorithm>
#include <strings.h>

CMxLookup::CMxLookup(CDnsTransport* transport)
    : m_transport(transport), m_ownTransport(NULL), m_startServers(DefaultStartServers())
{
    if (m_transport == NULL) m_transport = m_ownTransport = new CDnsTcpTransport;
}

CMxLookup::~CMxLookup() { delete m_ownTransport; }

const std::vector<std::string>& CMxLookup::DefaultStartServers()
{
    // the root servers refer every top-level domain, generic or country code
    static const std::vector<std::string> servers = {
        "a.root-servers.net", "b.root-servers.net", "c.root-servers.net", "d.root-servers.net", "e.root-servers.net",
        "f.root-servers.net", "g.root-servers.net", "h.root-servers.net", "i.root-servers.net"};
    return servers;
}

std::string CMxLookup::LookupMX(const std::string& domain, std::vector<std::string>& hosts)
{
    hosts.clear();
    m_asked.clear();
    CDnsRRPtrList answers, additional;
    std::vector<std::string> visited;
    std::string text;
    int budget = kBudget;
    if (!ResolveIterative(NULL, domain, "MX", answers, additional, visited, text, budget)) return std::string();
    text.clear();

    // Mail goes to the most preferred exchanger first (RFC 5321 5.1); the answer order decides
    // among equal preferences.
    std::vector<const CDnsRRMX*> exchangers;
    std::string others;
    for (size_t i = 0; i < answers.GetCount(); ++i) {
        if (answers[i].m_type == 15)
            exchangers.push_back(static_cast<const CDnsRRMX*>(&answers[i]));
        else
            others += answers[i].Dump();   // an alias or the like names no exchanger
    }
    std::stable_sort(exchangers.begin(), exchangers.end(),
                     [](const CDnsRRMX* a, const CDnsRRMX* b) { return a->m_preference < b->m_preference; });
    for (const CDnsRRMX* mx : exchangers) {
        text += mx->Dump();
        if (mx->m_exchange.empty()) continue;   // "." : the domain takes no mail there
        bool matched = false;
        for (size_t i = 0; i < additional.GetCount(); ++i) {
            const CDnsRR& rr = additional[i];
            if (rr.m_type == 1 && strcasecmp(rr.m_name.c_str(), mx->m_exchange.c_str()) == 0) {
                hosts.push_back(static_cast<const CDnsRRA&>(rr).m_address);
                matched = true;
            }
        }
        if (!matched) hosts.push_back(mx->m_exchange);
    }
    return text + others;
}

bool CMxLookup::ResolveIterative(const std::string* server, const std::string& name, const std::string& typeName,
                                 CDnsRRPtrList& answers, CDnsRRPtrList& additional,
                                 std::vector<std::string>& visited, std::string& text, int& budget)
{
    if (server == NULL) {
        for (size_t i = 0; i < m_startServers.size(); ++i) {
            if (i > 0) {
                if (budget == 0) return false;
                budget = kBudget;
            }
            if (ResolveIterative(&m_startServers[i], name, typeName, answers, additional, visited, text, budget))
                return true;
        }
        return false;
    }
    if (budget <= 0) {
        text += name + " Domain Does not exist Probably\n";
        return true;
    }
    --budget;
    m_asked.push_back(*server);
    CDnsQuery query;
    if (!query.Run(*m_transport, *server, name, typeName)) return false;
    if (!query.Answers().IsEmpty()) {
        answers.TakeAll(query.Answers());
        CDnsRRPtrList& more = query.Additional();
        while (!more.IsEmpty()) {
            std::unique_ptr<CDnsRR> rr = more.RemoveHead();
            if (rr->m_type == 1) additional.Add(std::move(rr));
        }
        return true;
    }
    CDnsRRPtrList& authority = query.Authority();
    for (size_t i = 0; i < authority.GetCount(); ++i) {
        if (authority[i].m_type != 2) continue;
        const std::string& host = static_cast<const CDnsRRNS&>(authority[i]).m_host;
        if (host.empty() || std::find(visited.begin(), visited.end(), host) != visited.end()) continue;
        visited.push_back(host);
        if (ResolveIterative(&host, name, typeName, answers, additional, visited, text, budget)) return true;
        if (!answers.IsEmpty()) return true;
    }
    return false;
}
