// How one DNS request reaches one name server and its response comes back. The resolver talks
// TCP to port 53 (CDnsTcpTransport); tests hand it recorded responses instead.
#pragma once
#include <string>

class CDnsTransport {
public:
    virtual ~CDnsTransport() = default;
    // Sends request (a DNS message without the TCP length prefix) to server and returns the
    // response message. Every failure raises a CSocketException.
    virtual std::string Exchange(const std::string& server, const std::string& request) = 0;
};
