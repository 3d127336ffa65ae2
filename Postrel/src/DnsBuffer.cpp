#include "DnsBuffer.h"
#include "SocketException.h"

std::string CDnsBuffer::ReadName(size_t offset)
{
    // The network layer's reader, in its lenient form: every length byte of 64 and more is a
    // pointer, as resolvers have always read it.
    const bool atPosition = offset == 0;
    DnsMessage::Reader reader(m_data.data(), m_length, false);
    std::string name;
    size_t next = 0;
    Raise(reader.nameAt(atPosition ? m_position : offset, name, next));
    if (atPosition) m_position = next;
    return name;
}

void CDnsBuffer::Raise(const DnsMessage::Outcome& outcome) const
{
    switch (outcome.result) {
    case DnsMessage::Outcome::Ok:
        return;
    case DnsMessage::Outcome::Truncated:
        Need(outcome.needAt, outcome.needSize);   // raises the "Insufficient Data" exception
        return;
    case DnsMessage::Outcome::BadName:
        if (outcome.name == DnsName::TooManyHops) throw new CSocketException("Too many compression pointers in a name");
        throw new CSocketException("Name too long");
    }
}
