#include "Base64.h"

namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const int kSkip = -2;
const int kInvalid = -1;

struct DecodeTable {
    int value[256];
    DecodeTable()
    {
        for (int& v : value) v = kInvalid;
        for (int i = 0; i < 64; ++i) {
            unsigned char c = static_cast<unsigned char>(kAlphabet[i]);
            value[c] = i;
            value[c | 0x80] = i;   // a character with its high bit set stands for its 7-bit self
        }
        value['='] = kSkip;
        value['=' | 0x80] = kSkip;
    }
};

}  // namespace

std::string CBase64::Encode(const unsigned char* data, size_t count) const
{
    std::string out;
    out.reserve((count + 2) / 3 * 4);
    unsigned accumulator = 0;
    int bits = 0;
    for (size_t i = 0; i < count; ++i) {
        accumulator = (accumulator << 8) | data[i];
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            out += kAlphabet[(accumulator >> bits) & 0x3F];
        }
    }
    if (bits > 0) out += kAlphabet[(accumulator << (6 - bits)) & 0x3F];
    while (out.size() % 4 != 0) out += '=';
    return out;
}

int CBase64::Decode(const std::string& text, std::string& out) const
{
    static const DecodeTable table;
    out.clear();
    unsigned accumulator = 0;
    int bits = 0;
    for (char ch : text) {
        int v = table.value[static_cast<unsigned char>(ch) & 0x7F];
        if (v == kInvalid) {
            out.clear();
            return 0;
        }
        if (v == kSkip) continue;
        accumulator = (accumulator << 6) | unsigned(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((accumulator >> bits) & 0xFF);
        }
    }
    return static_cast<int>(out.size());
}
