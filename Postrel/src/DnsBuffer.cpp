#include "DnsBuffer.h"
#include "SocketException.h"

std::string CDnsBuffer::ReadName(size_t offset)
{
    const bool atPosition = offset == 0;
    size_t position = atPosition ? m_position : offset;
    size_t resume = 0;       // where the read position goes once the name is read
    bool jumped = false;
    int hops = 0;
    std::string name;
    for (;;) {
        Need(position, 1);
        unsigned length = m_data[position++];
        if (length == 0) break;
        if (length >= 64) {   // a compression pointer: 14 bits of offset
            Need(position, 1);
            size_t target = size_t(length & 0x3F) * 256 + m_data[position++];
            if (!jumped) {
                resume = position;
                jumped = true;
            }
            if (++hops > kMaxPointerHops) throw new CSocketException("Too many compression pointers in a name");
            position = target;
            continue;
        }
        Need(position, length);
        name.append(reinterpret_cast<const char*>(m_data.data() + position), length);
        name += '.';
        position += length;
        if (name.size() > kMaxNameLength + 1) throw new CSocketException("Name too long");
    }
    if (atPosition) m_position = jumped ? resume : position;
    if (!name.empty()) name.erase(name.size() - 1);
    return name;
}
