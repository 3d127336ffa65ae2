#include "DnsRRMX.h"
#include "DnsBuffer.h"

void CDnsRRMX::ReadData(CDnsBuffer& buffer)
{
    m_preference = buffer.ReadUInt16();
    m_exchange = buffer.ReadName();
}

std::string CDnsRRMX::Dump() const
{
    return "MX Record\n" + CDnsRR::Dump() + "Preference=" + std::to_string(m_preference) + "\n" + "Exchange=" +
           m_exchange + "\n\n";
}
