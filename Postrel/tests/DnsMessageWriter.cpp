#include "DnsMessageWriter.h"
#include <stdlib.h>

std::string U16(uint16_t v) { return std::string{char(v >> 8), char(v & 0xFF)}; }
std::string U32(uint32_t v) { return U16(uint16_t(v >> 16)) + U16(uint16_t(v & 0xFFFF)); }

DnsMessageWriter::DnsMessageWriter(const std::string& question, uint16_t type)
    : m_question(Name(question) + U16(type) + U16(1))
{
}

std::string DnsMessageWriter::Name(const std::string& dotted)
{
    std::string wire;
    size_t start = 0;
    while (start < dotted.size()) {
        size_t dot = dotted.find('.', start);
        if (dot == std::string::npos) dot = dotted.size();
        wire += char(dot - start);
        wire += dotted.substr(start, dot - start);
        start = dot + 1;
    }
    return wire + '\0';
}

DnsMessageWriter& DnsMessageWriter::Record(Section section, const std::string& wireOwner, uint16_t type, uint32_t ttl,
                                           const std::string& data)
{
    m_sections[section].push_back(wireOwner + U16(type) + U16(1) + U32(ttl) + U16(uint16_t(data.size())) + data);
    return *this;
}

DnsMessageWriter& DnsMessageWriter::Mx(Section section, const std::string& owner, uint16_t preference,
                                       const std::string& exchange)
{
    return Record(section, Name(owner), 15, 300, U16(preference) + Name(exchange));
}

DnsMessageWriter& DnsMessageWriter::A(Section section, const std::string& owner, const std::string& dotted)
{
    std::string bytes;
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        bytes += char(atoi(dotted.c_str() + start));
        start = dotted.find('.', start) + 1;
    }
    return Record(section, Name(owner), 1, 3600, bytes);
}

DnsMessageWriter& DnsMessageWriter::Ns(Section section, const std::string& owner, const std::string& host)
{
    return Record(section, Name(owner), 2, 60, Name(host));
}

DnsMessageWriter& DnsMessageWriter::Cname(Section section, const std::string& owner, const std::string& canonical)
{
    return Record(section, Name(owner), 5, 60, Name(canonical));
}

std::string DnsMessageWriter::Bytes() const
{
    std::string m = U16(0x1234) + U16(0x8000) + U16(1) + U16(uint16_t(m_sections[Answer].size())) +
                    U16(uint16_t(m_sections[Authority].size())) + U16(uint16_t(m_sections[Additional].size()));
    m += m_question;
    for (const auto& section : m_sections)
        for (const std::string& rr : section) m += rr;
    return m;
}
