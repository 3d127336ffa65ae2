#include "DnsRRDefault.h"
#include "DnsBuffer.h"

void CDnsRRDefault::ReadData(CDnsBuffer& buffer)
{
    m_data.assign(m_dataLength, '\0');
    if (m_dataLength > 0) buffer.ReadBytes(&m_data[0], m_dataLength);
}
