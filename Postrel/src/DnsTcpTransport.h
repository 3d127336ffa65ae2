// DNS over TCP port 53: one connection per request, 2-byte length prefix each way.
#pragma once
#include "DnsTransport.h"

class CDnsTcpTransport : public CDnsTransport {
public:
    std::string Exchange(const std::string& server, const std::string& request) override;
};
