// One question (name and type, class IN, no recursion asked) put to one name server, and its
// response parsed into the answer, authority and additional records.
#pragma once
#include "DnsBuffer.h"
#include "DnsRRPtrList.h"
#include <stdint.h>
#include <string>

class CDnsTransport;

struct DnsHeader {
    uint16_t id = 0;
    uint16_t flags = 0;
    uint16_t questions = 1;
    uint16_t answers = 0;
    uint16_t authority = 0;
    uint16_t additional = 0;
};

class CDnsQuery {
public:
    CDnsQuery();
    CDnsQuery(const CDnsQuery&) = delete;
    CDnsQuery& operator=(const CDnsQuery&) = delete;

    // Asks server through transport. True with the record lists filled; false with the reason
    // added to the error text (a bad name, no connection, short or malformed data).
    bool Run(CDnsTransport& transport, const std::string& server, const std::string& name,
             const std::string& typeName);

    // The request message for name and type (identifier from the header). Raises a
    // CSocketException for a name that cannot be put in a message.
    std::string BuildRequest(const std::string& name, uint16_t type) const;
    // Parses a response message into the header and the three lists. Raises a
    // CSocketException for truncated or malformed data.
    void ParseResponse(const std::string& message);

    const std::string& ErrorText() const { return m_error; }
    const DnsHeader& Header() const { return m_header; }
    CDnsRRPtrList& Answers() { return m_answers; }
    CDnsRRPtrList& Authority() { return m_authority; }
    CDnsRRPtrList& Additional() { return m_additional; }

private:
    std::string m_error;
    CDnsBuffer m_buffer;
    uint16_t m_type = 0;
    DnsHeader m_header;
    CDnsRRPtrList m_answers;
    CDnsRRPtrList m_authority;
    CDnsRRPtrList m_additional;
};
