// One resource record of a DNS message. The common fields are read by Parse, which picks the
// class for the record's type and lets it read its own data.
#pragma once
#include <stdint.h>
#include <memory>
#include <string>

class CDnsBuffer;

class CDnsRR {
public:
    CDnsRR() = default;
    CDnsRR(const CDnsRR&) = delete;
    CDnsRR& operator=(const CDnsRR&) = delete;
    virtual ~CDnsRR() = default;

    // Reads one record at the buffer's read position and leaves the position at the record's
    // end (start of its data + its data length). A record whose data runs past its stated
    // length or past the message raises a CSocketException.
    static std::unique_ptr<CDnsRR> Parse(CDnsBuffer& buffer);
    // Makes the record class for a type code (1 A, 2 NS, 5 CNAME, 15 MX, others as raw data).
    static std::unique_ptr<CDnsRR> ForType(uint16_t type);

    virtual std::string Dump() const;

    std::string m_name;
    uint16_t m_type = 0;
    uint16_t m_class = 0;
    uint32_t m_ttl = 0;
    uint16_t m_dataLength = 0;

protected:
    // Reads the type's own data at the read position (m_dataLength bytes are there).
    virtual void ReadData(CDnsBuffer& buffer) = 0;
};

// The code of a record type name ("A", "NS", ... "TXT", any case), -1 when unknown.
int TypeCodeFromName(const std::string& name);
