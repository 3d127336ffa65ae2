#include "MxLookup.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "DnsMessage.h"
#include "UnixSocket.h"

namespace {

const uint16_t kTypeMx = 15;

}  // namespace

bool MxLookup::buildQuery(const std::string& domain, uint16_t id, std::string& query)
{
    return DnsMessage::writeQuery(domain, kTypeMx, id, DnsMessage::kFlagRecursionDesired, query);
}

MxLookup::ParseResult MxLookup::parseAnswer(const std::string& packet, uint16_t id,
                                            std::vector<std::string>& exchangers)
{
    exchangers.clear();
    // The strict reader: a name that a lenient one would let through is no exchanger to connect to.
    DnsMessage::Reader reader(packet.data(), packet.size(), true);
    DnsMessage::Header header;
    if (!reader.header(header).ok())
        return Malformed;
    if (header.id != id || !(header.flags & DnsMessage::kFlagResponse))
        return NotOurs;
    if (header.flags & 0x000F)
        return Refused;
    for (unsigned i = 0; i < header.questions; ++i) {
        if (!reader.skipQuestion().ok())
            return Answered;
    }
    // Only the answer section: the authority and additional sections hold name servers and
    // addresses, never the domain's own exchangers.
    std::vector<std::pair<unsigned, std::string>> found;
    for (unsigned i = 0; i < header.answers; ++i) {
        DnsMessage::Record record;
        if (!reader.record(record).ok())
            break;
        if (record.type == kTypeMx && record.dataLength >= 3) {
            std::string exchange;
            size_t end = 0;
            if (reader.nameAt(record.dataAt + 2, exchange, end).ok() && end <= record.dataAt + record.dataLength &&
                !exchange.empty())
                found.push_back(std::make_pair(reader.u16(record.dataAt), exchange));
        }
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
