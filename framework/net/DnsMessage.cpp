#include "DnsMessage.h"

namespace {

void putWord(std::string& out, unsigned value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

DnsMessage::Outcome missing(size_t at, size_t size)
{
    DnsMessage::Outcome o;
    o.result = DnsMessage::Outcome::Truncated;
    o.needAt = at;
    o.needSize = size;
    return o;
}

}  // namespace

bool DnsMessage::writeQuery(const std::string& name, uint16_t type, uint16_t id, uint16_t flags, std::string& out)
{
    std::string text = name;
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    out.clear();
    putWord(out, id);
    putWord(out, flags);
    putWord(out, 1);   // one question
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, 0);
    size_t nameBytes = 1;   // the root's zero byte
    size_t start = 0;
    while (!text.empty() && start <= text.size()) {
        size_t dot = text.find('.', start);
        if (dot == std::string::npos)
            dot = text.size();
        size_t length = dot - start;
        // an empty label would end the name early; a longer one would not fit its length byte
        if (length == 0 || length > kMaxLabel)
            return false;
        nameBytes += length + 1;
        if (nameBytes > DnsName::kMaxLength)
            return false;
        out += static_cast<char>(length);
        out.append(text, start, length);
        start = dot + 1;
    }
    out += '\0';
    putWord(out, type);
    putWord(out, 1);   // class IN
    return true;
}

DnsMessage::Outcome DnsMessage::Reader::need(size_t at, size_t size) const
{
    if (at <= size_ && size <= size_ - at)
        return Outcome();
    return missing(at, size);
}

// Fields in turn from at, each of the given size: what is missing is told as the first field that
// is not whole, as a reader of one field after the other would meet it.
DnsMessage::Outcome DnsMessage::Reader::needFields(size_t at, std::initializer_list<size_t> sizes) const
{
    for (size_t size : sizes) {
        Outcome o = need(at, size);
        if (!o.ok())
            return o;
        at += size;
    }
    return Outcome();
}

DnsMessage::Outcome DnsMessage::Reader::header(Header& header)
{
    Outcome o = needFields(0, {2, 2, 2, 2, 2, 2});
    if (!o.ok())
        return o;
    header.id = u16(0);
    header.flags = u16(2);
    header.questions = u16(4);
    header.answers = u16(6);
    header.authority = u16(8);
    header.additional = u16(10);
    position_ = kHeaderBytes;
    return o;
}

DnsMessage::Outcome DnsMessage::Reader::nameAt(size_t offset, std::string& name, size_t& next) const
{
    DnsName::Outcome read = DnsName::read(data_, size_, offset, name, strict_);
    next = read.next;
    Outcome o;
    if (read.result == DnsName::Truncated)
        return missing(read.needAt, read.needSize);
    if (read.result != DnsName::Ok) {
        o.result = Outcome::BadName;
        o.name = read.result;
    }
    return o;
}

DnsMessage::Outcome DnsMessage::Reader::skipQuestion()
{
    std::string name;
    size_t next = 0;
    Outcome o = nameAt(position_, name, next);
    if (!o.ok())
        return o;
    o = needFields(next, {2, 2});   // type, class
    if (o.ok())
        position_ = next + 4;
    return o;
}

DnsMessage::Outcome DnsMessage::Reader::record(Record& record)
{
    size_t next = 0;
    Outcome o = nameAt(position_, record.owner, next);
    if (!o.ok())
        return o;
    o = needFields(next, {2, 2, 4, 2});   // type, class, time to live, data length
    if (!o.ok())
        return o;
    record.type = u16(next);
    record.klass = u16(next + 2);
    record.ttl = (static_cast<uint32_t>(u16(next + 4)) << 16) | u16(next + 6);
    record.dataLength = u16(next + 8);
    record.dataAt = next + 10;
    // the whole data must be in the message before any of it is read
    o = need(record.dataAt, record.dataLength);
    if (o.ok())
        position_ = record.dataAt + record.dataLength;
    return o;
}
