// The mail exchangers of a domain, asked of one name server by a single MX query over UDP
// (RFC 1035 wire format, recursion desired). The answer is read with every offset checked and
// name-compression hops bounded; only MX records of the answer section count, most preferred first
// (answer order among equal preferences).
#pragma once

#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MxLookup {
public:
    static const uint16_t kQueryId = 0x0101;
    static const int kDnsPort = 53;

    // The query for domain: false when a label is empty ("a..b") or longer than 63 bytes, or the
    // name longer than 255 bytes. A trailing "." adds nothing; "" asks about the root.
    static bool buildQuery(const std::string& domain, uint16_t id, std::string& query);

    enum ParseResult { Answered, NotOurs, Refused, Malformed };
    // Reads an answer to the query with this id. NotOurs for a datagram that is no answer to it
    // (another id, or not a response); Refused for an RCODE other than 0; Malformed when even the
    // header is missing. Records that are cut off or point outside the packet end the reading;
    // the exchangers read before them are kept.
    static ParseResult parseAnswer(const std::string& packet, uint16_t id,
                                   std::vector<std::string>& exchangers);

    // Asks server:port for domain's exchangers, waiting up to timeoutMs for the answer (answers
    // with another id are passed over). cancelled is polled about every 100 ms. False with a
    // reason on failure; true with the (possibly empty) list otherwise.
    static bool query(const in_addr& server, int port, const std::string& domain, int timeoutMs,
                      const std::function<bool()>& cancelled, std::vector<std::string>& exchangers,
                      std::string& error);
};
