// Finds a domain's mail exchangers without the system's DNS client: starting from built-in name
// servers it asks each server without recursion and follows referrals itself, one query per
// server, within a budget of queries per start server.
#pragma once
#include "DnsRRPtrList.h"
#include <string>
#include <vector>

class CDnsTransport;

class CMxLookup {
public:
    static const int kBudget = 10;

    // Queries go through transport (not owned; NULL for DNS over TCP port 53).
    explicit CMxLookup(CDnsTransport* transport = NULL);
    ~CMxLookup();
    CMxLookup(const CMxLookup&) = delete;
    CMxLookup& operator=(const CMxLookup&) = delete;

    // The root name servers, by host name, tried in this order.
    static const std::vector<std::string>& DefaultStartServers();
    void SetStartServers(const std::vector<std::string>& servers) { m_startServers = servers; }

    // Fills hosts with the exchangers to try, in order: lowest preference first (answer order
    // among equals), each as the dotted addresses the answer carried for it, else by name.
    // Returns a dump of the MX records used ("" when none were found).
    std::string LookupMX(const std::string& domain, std::vector<std::string>& hosts);

    // One step of the walk. server NULL: try each start server in turn. True when it ended
    // with answers or with the budget spent; false when no server gave an answer.
    bool ResolveIterative(const std::string* server, const std::string& name, const std::string& typeName,
                          CDnsRRPtrList& answers, CDnsRRPtrList& additional, std::vector<std::string>& visited,
                          std::string& text, int& budget);

    // Servers asked so far, in order (for diagnostics and tests).
    const std::vector<std::string>& ServersAsked() const { return m_asked; }

private:
    CDnsTransport* m_transport;
    CDnsTransport* m_ownTransport;
    std::vector<std::string> m_startServers;
    std::vector<std::string> m_asked;
};
