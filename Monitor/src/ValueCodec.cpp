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
const char kRecipientSpecials[] = "|$\x1b";
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
    std::string::size_type i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate as a negative number so INT64_MIN fits; saturate instead of overflowing.
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
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
    std::int64_t value = readDecimal(text);
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

std::string ValueCodec::encodeHistory(const MonitorItemSettings::History& history)
{
    std::string out;
    for (const ResultRecord& record : history) {
        out += writeInt(record.time);
        out += '^';
        out += writeInt(record.code);
        out += '^';
        out += escape(record.message, kHistorySpecials);
        out += '^';
        out += writeInt(record.responseMs);
        out += '^';
        out += writeFlag(record.ok);
        out += "^]";
    }
    return out;
}

MonitorItemSettings::History ValueCodec::decodeHistory(const std::string& value)
{
    MonitorItemSettings::History history;
    for (const std::string& piece : splitAt(value, ']', false)) {
        std::vector<std::string> fields = splitAt(piece, '^', true);
        fields.resize(5);
        ResultRecord record;
        record.time = static_cast<std::time_t>(readDecimal(fields[0]));
        record.code = readInt(fields[1]);
        record.message = decodeText(fields[2]);
        record.responseMs = readInt(fields[3]);
        record.ok = readFlag(fields[4]);
        history.push_back(record);
    }
    return history;
}
