#include "DnsRRA.h"
#include "DnsBuffer.h"
#include <stdio.h>

void CDnsRRA::ReadData(CDnsBuffer& buffer)
{
    unsigned char a[4];
    buffer.ReadBytes(a, 4);
    char text[16];
    snprintf(text, sizeof text, "%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    m_address = text;
}

std::string CDnsRRA::Dump() const { return "A Record:\n" + CDnsRR::Dump() + "A=" + m_address + "\n\n"; }
