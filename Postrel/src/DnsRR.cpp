#include "DnsRR.h"
#include "DnsBuffer.h"
#include "DnsRRA.h"
#include "DnsRRCNAME.h"
#include "DnsRRDefault.h"
#include "DnsRRMX.h"
#include "DnsRRNS.h"
#include "SocketException.h"
#include <ctype.h>

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
    DnsMessage::Reader reader(buffer.Data(), buffer.Length(), false);
    reader.setPosition(buffer.Position());
    DnsMessage::Record record;
    buffer.Raise(reader.record(record));
    std::unique_ptr<CDnsRR> rr = ForType(record.type);
    rr->m_name = record.owner;
    rr->m_type = record.type;
    rr->m_class = record.klass;
    rr->m_ttl = record.ttl;
    rr->m_dataLength = record.dataLength;
    buffer.SetPosition(record.dataAt);
    rr->ReadData(buffer);
    if (buffer.Position() > record.dataAt + record.dataLength)
        throw new CSocketException("Record data longer than its stated length");
    buffer.SetPosition(reader.position());
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
