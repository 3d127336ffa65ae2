#include "DnsName.h"

#include <string.h>

namespace {

const size_t kHeaderBytes = 12;

DnsName::Outcome truncated(size_t at, size_t size)
{
    DnsName::Outcome o;
    o.result = DnsName::Truncated;
    o.needAt = at;
    o.needSize = size;
    return o;
}

DnsName::Outcome failed(DnsName::Result result)
{
    DnsName::Outcome o;
    o.result = result;
    return o;
}

}  // namespace

DnsName::Outcome DnsName::read(const unsigned char* data, size_t size, size_t pos, std::string& name, bool strict)
{
    name.clear();
    Outcome outcome;
    bool jumped = false;
    int hops = 0;
    for (;;) {
        if (pos >= size)
            return truncated(pos, 1);
        unsigned length = data[pos];
        const bool pointer = strict ? (length & 0xC0) == 0xC0 : length >= 64;
        if (pointer) {
            if (pos + 1 >= size)
                return truncated(pos + 1, 1);
            if (!jumped)
                outcome.next = pos + 2;
            jumped = true;
            if (++hops > kMaxHops)
                return failed(TooManyHops);
            pos = ((length & 0x3F) << 8) | data[pos + 1];
            if (strict && pos < kHeaderBytes)
                return failed(BadLabel);
            continue;
        }
        if (length & 0xC0)
            return failed(BadLabel);   // extended label types are not in use
        if (length == 0) {
            if (!jumped)
                outcome.next = pos + 1;
            return outcome;
        }
        if (pos + 1 + length > size)
            return truncated(pos + 1, length);
        const char* label = reinterpret_cast<const char*>(data + pos + 1);
        if (strict && memchr(label, 0, length))
            return failed(BadLabel);
        if (!name.empty())
            name += '.';
        name.append(label, length);
        if (name.size() > kMaxLength)
            return failed(TooLong);
        pos += 1 + length;
    }
}
