#include "Mutator.h"

#include <cstring>

class Mutator::Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1 (0 for n == 0)
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    bool chance(unsigned percent) { return below(100) < percent; }

private:
    std::uint64_t state_;
};

namespace {

enum Operation {
    FlipBit,
    SetByte,
    Truncate,
    Duplicate,
    Erase,
    LengthExtreme,
    NumberExtreme,
    InsertToken,
    Splice,
    Repeat,
    PointerLoop,
    kOperations
};

const unsigned char kInterestingBytes[] = {0x00, 0x01, 0x7F, 0x80, 0xFF, 0xC0, 0x3F, 0x40,
                                           '\r', '\n', '.',  ' ',  '<',  '>',  '&',  ';',
                                           '|',  '^',  ']',  '$',  '-',  '0',  '9',  0x1B};

const char* const kNumbers[] = {"0",          "-1",         "2147483647",          "2147483648",
                                "4294967295", "4294967296", "-2147483649",         "9223372036854775807",
                                "9223372036854775808",      "-9223372036854775809", "99999999999999999999999999",
                                "+5",         "-0",         "00000000000000000000000001"};

}  // namespace

std::string Mutator::mutant(std::uint64_t seed, std::uint64_t index) const
{
    Random random(seed * 0x100000001B3ull ^ (index + 1) * 0xC2B2AE3D27D4EB4Full);
    std::string data = target_.seeds[random.below(target_.seeds.size())];
    // Mostly a few changes, sometimes many: deep damage finds other paths than a single flip.
    std::size_t rounds = random.chance(80) ? 1 + random.below(4) : 1 + random.below(24);
    for (std::size_t i = 0; i < rounds; ++i)
        mutateOnce(data, random);
    if (data.size() > target_.maxInput)
        data.resize(target_.maxInput);
    return data;
}

void Mutator::mutateOnce(std::string& data, Random& random) const
{
    Operation op = static_cast<Operation>(random.below(kOperations));
    if (op == PointerLoop && !target_.dnsNames)
        op = FlipBit;
    if (data.empty() && op != InsertToken && op != Splice && op != Repeat)
        op = InsertToken;
    const std::size_t size = data.size();
    switch (op) {
    case FlipBit:
        data[random.below(size)] ^= static_cast<char>(1u << random.below(8));
        break;
    case SetByte:
        data[random.below(size)] = static_cast<char>(
            random.chance(50) ? kInterestingBytes[random.below(sizeof kInterestingBytes)] : random.below(256));
        break;
    case Truncate:
        data.resize(random.below(size));
        break;
    case Duplicate: {
        std::size_t from = random.below(size);
        std::size_t length = 1 + random.below(size - from);
        data.insert(random.below(size + 1), data.substr(from, length));
        break;
    }
    case Erase: {
        std::size_t from = random.below(size);
        data.erase(from, 1 + random.below(size - from < 64 ? size - from : 64));
        break;
    }
    case LengthExtreme: {
        // A 1, 2 or 4 byte field (either byte order) set to 0, 1, its half, or its maximum.
        static const std::size_t kWidths[] = {1, 2, 4};
        std::size_t width = kWidths[random.below(3)];
        if (size < width)
            break;
        std::size_t at = random.below(size - width + 1);
        std::uint32_t max = width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1;
        const std::uint32_t values[] = {0, 1, max, max / 2, max / 2 + 1, max - 1};
        std::uint32_t value = values[random.below(6)];
        bool bigEndian = random.chance(50);
        for (std::size_t k = 0; k < width; ++k) {
            std::size_t shift = 8 * (bigEndian ? width - 1 - k : k);
            data[at + k] = static_cast<char>((value >> shift) & 0xFF);
        }
        break;
    }
    case NumberExtreme: {
        std::size_t at = random.below(size);
        while (at < size && !(data[at] >= '0' && data[at] <= '9'))
            ++at;
        std::size_t end = at;
        while (end < size && data[end] >= '0' && data[end] <= '9')
            ++end;
        data.replace(at, end - at, kNumbers[random.below(sizeof kNumbers / sizeof kNumbers[0])]);
        break;
    }
    case InsertToken: {
        if (target_.tokens.empty())
            break;
        const std::string& token = target_.tokens[random.below(target_.tokens.size())];
        std::size_t at = random.below(size + 1);
        if (random.chance(30) && at < size)
            data.replace(at, token.size() < size - at ? token.size() : size - at, token);
        else
            data.insert(at, token);
        break;
    }
    case Splice: {
        const std::string& other = target_.seeds[random.below(target_.seeds.size())];
        data = data.substr(0, random.below(size + 1)) + other.substr(random.below(other.size() + 1));
        break;
    }
    case Repeat: {
        // A short piece many times over: deep nesting, long lines, runs of separators.
        std::string piece;
        if (!target_.tokens.empty() && random.chance(50)) {
            piece = target_.tokens[random.below(target_.tokens.size())];
        } else if (size > 0) {
            std::size_t from = random.below(size);
            piece = data.substr(from, 1 + random.below(size - from < 16 ? size - from : 16));
        }
        if (piece.empty())
            break;
        std::size_t room = target_.maxInput > size ? target_.maxInput - size : 0;
        std::size_t times = 1 + random.below(random.chance(20) ? 20000 : 200);
        if (times * piece.size() > room)
            times = room / piece.size();
        std::string run;
        run.reserve(times * piece.size());
        for (std::size_t k = 0; k < times; ++k)
            run += piece;
        data.insert(random.below(size + 1), run);
        break;
    }
    case PointerLoop: {
        // A name that points at itself, two names that point at each other, a pointer into the
        // header, or one past the end.
        const std::size_t header = 12;
        if (size < header + 2)
            break;
        std::size_t at = header + random.below(size - header - 1);
        std::size_t target = at;
        switch (random.below(4)) {
        case 0:
            target = at;
            break;
        case 1: {
            std::size_t other = header + random.below(size - header - 1);
            if (other + 1 < at || other > at + 1) {
                data[other] = static_cast<char>(0xC0 | ((at >> 8) & 0x3F));
                data[other + 1] = static_cast<char>(at & 0xFF);
            }
            target = other;
            break;
        }
        case 2:
            target = random.below(header);
            break;
        default:
            target = size + random.below(64);
            break;
        }
        data[at] = static_cast<char>(0xC0 | ((target >> 8) & 0x3F));
        data[at + 1] = static_cast<char>(target & 0xFF);
        break;
    }
    case kOperations:
        break;
    }
}
