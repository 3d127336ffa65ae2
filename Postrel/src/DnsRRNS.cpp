#include "DnsRRNS.h"
#include "DnsBuffer.h"

void CDnsRRNS::ReadData(CDnsBuffer& buffer) { m_host = buffer.ReadName(); }

std::string CDnsRRNS::Dump() const { return "NS Record:\n" + CDnsRR::Dump() + "NS=" + m_host + "\n"; }
