#include "DnsRR.h"
#include "DnsBuffer.h"
#include "DnsRRA.h"
#include "DnsRRCNAME.h"
#include "DnsRRDefault.h"
#include "DnsRRMX.h"
#include "DnsRRNS.h"
#include "SocketException.h"
#include <ctype.h>
#include <stdio.h>

std::unique_ptr<CDnsRR> CDnsRR::ForType(uint16_t type)
{
    switch (type) {
    case 1: return std::unique_ptr<CDnsRR>(new CDnsRRA);
    case 2: return std::unique_ptr<CDnsRR>(new CDnsRRNS);
    case 5: return std::unique_ptr<CDnsRR>(new CDnsRRCNAME);
    case 15: return std::unique_ptr<CDnsRR>(new CDnsRRMX);
    default: return std::unique_ptr<CDnsRR>(new CDnsRRDefault);
    }
}

std::unique_ptr<CDnsRR> CDnsRR::Parse(CDnsBuffer& buffer)
{
    std::string name = buffer.ReadName();
    uint16_t type = buffer.ReadUInt16();
    uint16_t klass = buffer.ReadUInt16();
    uint32_t ttl = buffer.ReadUInt32();
    uint16_t length = buffer.ReadUInt16();
    size_t start = buffer.Position();
    // the whole data must be in the message before any of it is read
    if (buffer.Length() - start < length) {
        char text[96];
        snprintf(text, sizeof text, "Insufficient Data Pointer:%d  Size:%d  Total:%d", int(start), int(length),
                 int(buffer.Length()));
        throw new CSocketException(text);
    }
    std::unique_ptr<CDnsRR> rr = ForType(type);
    rr->m_name = name;
    rr->m_type = type;
    rr->m_class = klass;
    rr->m_ttl = ttl;
    rr->m_dataLength = length;
    rr->ReadData(buffer);
    if (buffer.Position() > start + length) throw new CSocketException("Record data longer than its stated length");
    buffer.SetPosition(start + length);
    return rr;
}

std::string CDnsRR::Dump() const
{
    return "Name=" + m_name + "\n" + "TTL=" + std::to_string(int32_t(m_ttl)) + "\n" + "TYPE=" +
           std::to_string(m_type) + "\n";
}

int TypeCodeFromName(const std::string& name)
{
    static const char* const kNames[] = {"A",  "NS",   "MD",  "MF",  "CNAME", "SOA",   "MB",    "MG",
                                         "MR", "NULL", "WKS", "PTR", "HINFO", "MINFO", "MX",    "TXT"};
    std::string upper;
    for (char c : name) upper += static_cast<char>(toupper(static_cast<unsigned char>(c)));
    for (size_t i = 0; i < sizeof kNames / sizeof kNames[0]; ++i)
        if (upper == kNames[i]) return int(i) + 1;
    return -1;
}
