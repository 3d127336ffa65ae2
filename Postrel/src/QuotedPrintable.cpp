#include "QuotedPrintable.h"

namespace {

const char kHex[] = "0123456789ABCDEF";

bool isLiteral(unsigned char c) { return (c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t'; }

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Encodes one line (no line end in it) and appends it to out, breaking it softly so that no
// output line, the "=" of a soft break included, passes kMaxLine.
void encodeLine(const unsigned char* p, size_t n, std::string& out)
{
    size_t column = 0;
    for (size_t i = 0; i < n; ++i) {
        unsigned char c = p[i];
        const bool last = i + 1 == n;
        // a blank at the end of a line would be stripped by some relays: escape it
        const bool literal = isLiteral(c) && !(last && (c == ' ' || c == '\t'));
        const size_t width = literal ? 1 : 3;
        // room must stay for a soft break "=" unless this is the line's last piece
        const size_t limit = last ? CQuotedPrintable::kMaxLine : CQuotedPrintable::kMaxLine - 1;
        if (column + width > limit) {
            out += "=\r\n";
            column = 0;
        }
        if (literal) {
            out += static_cast<char>(c);
        } else {
            out += '=';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
        column += width;
    }
}

}  // namespace

std::string CQuotedPrintable::Encode(const unsigned char* data, size_t count) const
{
    std::string out;
    out.reserve(count + count / 8);
    size_t start = 0;
    for (size_t i = 0; i <= count; ++i) {
        if (i < count && data[i] != '\n') continue;
        size_t end = i;
        if (i < count && end > start && data[end - 1] == '\r') --end;   // CR LF: the CR is part of the break
        encodeLine(data + start, end - start, out);
        if (i < count) out += "\r\n";
        start = i + 1;
    }
    return out;
}

int CQuotedPrintable::Decode(const std::string& text, std::string& out) const
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
            continue;
        }
        if (text.compare(i + 1, 2, "\r\n") == 0) {   // soft break
            i += 2;
            continue;
        }
        int hi = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
        int lo = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
            out.clear();
            return 0;
        }
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return static_cast<int>(out.size());
}
