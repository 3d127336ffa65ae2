#include "DnsBuffer.h"
#include "SocketException.h"
#include "DnsName.h"

std::string CDnsBuffer::ReadName(size_t offset)
{
    // The network layer's reader, in its lenient form: every length byte of 64 and more is a
    // pointer, as resolvers have always read it.
    const bool atPosition = offset == 0;
    std::string name;
    DnsName::Outcome read = DnsName::read(m_data.data(), m_length, atPosition ? m_position : offset, name, false);
    switch (read.result) {
    case DnsName::Ok:
        break;
    case DnsName::Truncated:
        Need(read.needAt, read.needSize);   // raises the "Insufficient Data" exception
        break;
    case DnsName::TooManyHops:
        throw new CSocketException("Too many compression pointers in a name");
    case DnsName::TooLong:
    case DnsName::BadLabel:
        throw new CSocketException("Name too long");
    }
    if (atPosition) m_position = read.next;
    return name;
}
