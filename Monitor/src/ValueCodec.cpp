#include "ValueCodec.h"

#include <climits>
#include <cstring>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Characters every text escapes: the value separator and the escape itself.
const char kValueSpecials[] = "|\x1b";
// A recipient is read back as its first blank-delimited word, so its blanks are escaped too: an
// escaped blank written back bare would cut the address at the next load.
const char kRecipientSpecials[] = "|$\x1b \t\n\v\f\r";
const char kHistorySpecials[] = "|^]\x1b";

std::vector<std::string> splitAt(const std::string& text, char separator, bool keepTail)
{
    std::vector<std::string> pieces;
    std::string::size_type start = 0;
    for (;;) {
        std::string::size_type end = text.find(separator, start);
        if (end == std::string::npos)
            break;
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (keepTail)
        pieces.push_back(text.substr(start));
    return pieces;
}

}  // namespace

std::int64_t ValueCodec::readDecimal(const std::string& text)
{
    return readDecimal(text.data(), text.size());
}

std::int64_t ValueCodec::readDecimal(const char* text, std::size_t size)
{
    std::size_t i = 0;
    while (i < size && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < size && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT64_MIN fits; saturate instead of overflowing.
    std::int64_t value = 0;
    for (; i < size && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (value < (INT64_MIN + digit) / 10) {
            value = INT64_MIN;
            continue;
        }
        value = value * 10 - digit;
    }
    if (negative)
        return value;
    return value == INT64_MIN ? INT64_MAX : -value;
}

int ValueCodec::readInt(const std::string& text)
{
    return readInt(text.data(), text.size());
}

int ValueCodec::readInt(const char* text, std::size_t size)
{
    std::int64_t value = readDecimal(text, size);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool ValueCodec::readFlag(const std::string& text)
{
    return readDecimal(text) != 0;
}

std::string ValueCodec::writeInt(std::int64_t value)
{
    return std::to_string(value);
}

std::string ValueCodec::writeFlag(bool value)
{
    return value ? "1" : "0";
}

std::string ValueCodec::escape(const std::string& text, const char* specials)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != '\0' && std::strchr(specials, c)) {
            unsigned char u = static_cast<unsigned char>(c);
            out += kEscape;
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string ValueCodec::encodeText(const std::string& text)
{
    return escape(text, kValueSpecials);
}

std::string ValueCodec::decodeText(const std::string& text)
{
    if (text.find(kEscape) == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == kEscape && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ValueCodec::encodeRecipients(const std::vector<std::string>& recipients)
{
    std::string out;
    for (const std::string& recipient : recipients) {
        out += escape(recipient, kRecipientSpecials);
        out += '$';
    }
    return out;
}

std::vector<std::string> ValueCodec::decodeRecipients(const std::string& value)
{
    std::vector<std::string> recipients;
    for (const std::string& piece : splitAt(value, '$', false)) {
        std::string::size_type start = 0;
        while (start < piece.size() && isBlank(piece[start]))
            ++start;
        std::string::size_type end = start;
        while (end < piece.size() && !isBlank(piece[end]))
            ++end;
        // An empty piece ("$$") names nobody: keeping it would mail an empty address.
        if (end > start)
            recipients.push_back(decodeText(piece.substr(start, end - start)));
    }
    return recipients;
}

void ValueCodec::appendHistoryEntry(std::string& out, const ResultRecord& record)
{
    appendInt(out, record.time);
    out += '^';
    appendInt(out, record.code);
    out += '^';
    // Most messages hold no separator: copied whole.
    if (record.message.find_first_of(kHistorySpecials) == std::string::npos)
        out += record.message;
    else
        out += escape(record.message, kHistorySpecials);
    out += '^';
    appendInt(out, record.responseMs);
    out += '^';
    out += record.ok ? '1' : '0';
    out += "^]";
}

std::string ValueCodec::encodeHistory(const MonitorItemSettings::History& history)
{
    std::string out;
    out.reserve(history.size() * 40);
    for (const ResultRecord& record : history)
        appendHistoryEntry(out, record);
    return out;
}

MonitorItemSettings::History ValueCodec::decodeHistory(const std::string& value)
{
    // One pass over the text without copying pieces: a long history is most of what loading
    // an item costs.
    MonitorItemSettings::History history;
    const char* text = value.data();
    const std::size_t size = value.size();
    std::size_t entries = 0;
    for (std::size_t i = 0; i < size; ++i)
        entries += text[i] == ']';
    history.reserve(entries);
    std::size_t start = 0;
    while (start < size) {
        const char* close = static_cast<const char*>(std::memchr(text + start, ']', size - start));
        if (!close)
            break;
        const std::size_t end = static_cast<std::size_t>(close - text);
        // The entry's fields: the pieces between carets; the last field runs to the entry's end,
        // fields after the fifth are ignored and missing ones are empty.
        std::size_t fieldStart[5] = {end, end, end, end, end};
        std::size_t fieldEnd[5] = {end, end, end, end, end};
        std::size_t at = start;
        for (int field = 0; field < 5; ++field) {
            fieldStart[field] = at;
            const char* caret = static_cast<const char*>(std::memchr(text + at, '^', end - at));
            if (!caret) {
                fieldEnd[field] = end;
                break;
            }
            fieldEnd[field] = static_cast<std::size_t>(caret - text);
            at = fieldEnd[field] + 1;
        }
        history.emplace_back();
        ResultRecord& record = history.back();
        record.time = static_cast<std::time_t>(
            readDecimal(text + fieldStart[0], fieldEnd[0] - fieldStart[0]));
        record.code = readInt(text + fieldStart[1], fieldEnd[1] - fieldStart[1]);
        record.message.assign(text + fieldStart[2], fieldEnd[2] - fieldStart[2]);
        if (record.message.find(kEscape) != std::string::npos)
            record.message = decodeText(record.message);
        record.responseMs = readInt(text + fieldStart[3], fieldEnd[3] - fieldStart[3]);
        record.ok = readDecimal(text + fieldStart[4], fieldEnd[4] - fieldStart[4]) != 0;
        start = end + 1;
    }
    return history;
}

void ValueCodec::appendInt(std::string& out, std::int64_t value)
{
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    // Work on the magnitude as unsigned so the most negative value prints too.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--at = '-';
    out.append(at, static_cast<std::size_t>(end - at));
}
