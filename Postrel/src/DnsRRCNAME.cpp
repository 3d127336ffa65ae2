#include "DnsRRCNAME.h"
#include "DnsBuffer.h"

void CDnsRRCNAME::ReadData(CDnsBuffer& buffer) { m_canonical = buffer.ReadName(); }

std::string CDnsRRCNAME::Dump() const
{
    return "CNAME Record:\n" + CDnsRR::Dump() + "CName=" + m_canonical + "\n\n";
}
