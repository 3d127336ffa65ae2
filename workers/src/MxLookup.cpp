#include "MxLookup.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "DnsName.h"
#include "UnixSocket.h"

namespace {

const size_t kHeaderBytes = 12;
const uint16_t kTypeMx = 15;
const size_t kMaxLabel = 63;
const size_t kMaxName = 255;

unsigned byteAt(const std::string& p, size_t i)
{
    return static_cast<unsigned char>(p[i]);
}

unsigned wordAt(const std::string& p, size_t i)
{
    return (byteAt(p, i) << 8) | byteAt(p, i + 1);
}

void putWord(std::string& out, unsigned value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

// Reads the name at pos into name ("a.b.c", "" for the root) with the network layer's reader in
// its strict form. next is where the record goes on. False for anything but a whole, sound name.
bool readName(const std::string& packet, size_t pos, std::string& name, size_t& next)
{
    DnsName::Outcome read = DnsName::read(reinterpret_cast<const unsigned char*>(packet.data()), packet.size(), pos,
                                          name, true);
    next = read.next;
    return read.result == DnsName::Ok;
}

}  // namespace

bool MxLookup::buildQuery(const std::string& domain, uint16_t id, std::string& query)
{
    query.clear();
    putWord(query, id);
    putWord(query, 0x0100);   // recursion desired
    putWord(query, 1);        // one question
    putWord(query, 0);
    putWord(query, 0);
    putWord(query, 0);
    size_t nameBytes = 1;
    size_t start = 0;
    while (start <= domain.size()) {
        size_t dot = domain.find('.', start);
        if (dot == std::string::npos)
            dot = domain.size();
        size_t length = dot - start;
        if (length > kMaxLabel)
            return false;
        if (length > 0) {
            nameBytes += length + 1;
            if (nameBytes > kMaxName)
                return false;
            query += static_cast<char>(length);
            query.append(domain, start, length);
        }
        start = dot + 1;
    }
    query += '\0';
    putWord(query, kTypeMx);
    putWord(query, 1);        // class IN
    return true;
}

MxLookup::ParseResult MxLookup::parseAnswer(const std::string& packet, uint16_t id,
                                            std::vector<std::string>& exchangers)
{
    exchangers.clear();
    if (packet.size() < kHeaderBytes)
        return Malformed;
    if (wordAt(packet, 0) != id || !(byteAt(packet, 2) & 0x80))
        return NotOurs;
    if (byteAt(packet, 3) & 0x0F)
        return Refused;
    unsigned questions = wordAt(packet, 4);
    unsigned answers = wordAt(packet, 6);

    size_t pos = kHeaderBytes;
    std::string name;
    for (unsigned i = 0; i < questions; ++i) {
        size_t next = 0;
        if (!readName(packet, pos, name, next) || next + 4 > packet.size())
            return Answered;
        pos = next + 4;
    }
    // Only the answer section: the authority and additional sections hold name servers and
    // addresses, never the domain's own exchangers.
    std::vector<std::pair<unsigned, std::string>> found;
    for (unsigned i = 0; i < answers; ++i) {
        size_t next = 0;
        if (!readName(packet, pos, name, next) || next + 10 > packet.size())
            break;
        unsigned type = wordAt(packet, next);
        size_t dataLength = wordAt(packet, next + 8);
        size_t data = next + 10;
        if (data + dataLength > packet.size())
            break;
        if (type == kTypeMx && dataLength >= 3) {
            std::string exchange;
            size_t end = 0;
            if (readName(packet, data + 2, exchange, end) && end <= data + dataLength && !exchange.empty())
                found.push_back(std::make_pair(wordAt(packet, data), exchange));
        }
        pos = data + dataLength;
    }
    // The most preferred (lowest) exchanger is tried first (RFC 5321 5.1); the answer order
    // decides among equal preferences.
    std::stable_sort(found.begin(), found.end(),
                     [](const std::pair<unsigned, std::string>& a, const std::pair<unsigned, std::string>& b) {
                         return a.first < b.first;
                     });
    for (const auto& f : found)
        exchangers.push_back(f.second);
    return Answered;
}

bool MxLookup::query(const in_addr& server, int port, const std::string& domain, int timeoutMs,
                     const std::function<bool()>& cancelled, std::vector<std::string>& exchangers,
                     std::string& error)
{
    exchangers.clear();
    error.clear();
    std::string request;
    if (!buildQuery(domain, kQueryId, request)) {
        error = "Domain name too long";
        return false;
    }
    // A Unix socket: its waits cost no wineserver round trip (see UnixSocket.h).
    UnixSocket s;
    if (!s.create(true)) {
        error = "Failed to create socket. Error code: " + std::to_string(s.winsockError());
        return false;
    }
    // Connected, so that only datagrams from the server are taken.
    if (s.startConnect(server.s_addr, static_cast<uint16_t>(port)) < 0 ||
        s.send(request.data(), request.size()) != static_cast<long>(request.size())) {
        error = "DNS query failed with error code: " + std::to_string(s.winsockError());
        return false;
    }

    const DWORD start = GetTickCount();
    const DWORD total = static_cast<DWORD>(timeoutMs < 1 ? 1 : timeoutMs);
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD spent = GetTickCount() - start;
        switch (s.wait(false, spent >= total ? 0 : static_cast<int>(total - spent), cancelled)) {
        case UnixSocket::Cancelled:
            error = "Stopped";
            return false;
        case UnixSocket::TimedOut:
            error = "DNS query timed out after " + std::to_string(total) + " ms";
            return false;
        case UnixSocket::Failed:
            error = "DNS query failed with error code: " + std::to_string(s.winsockError());
            return false;
        case UnixSocket::Ready:
            break;
        }
        long n = s.receive(buffer.data(), buffer.size());
        if (n < 0) {
            if (s.wouldBlock())
                continue;
            error = "DNS query failed with error code: " + std::to_string(s.winsockError());
            return false;
        }
        switch (parseAnswer(std::string(buffer.data(), static_cast<size_t>(n)), kQueryId, exchangers)) {
        case Answered:
            return true;
        case Refused:
            error = "DNS server refused the query";
            return false;
        case NotOurs:
        case Malformed:
            break;   // someone else's datagram: keep waiting for ours
        }
    }
}
