#include "Pinger.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "AbandonableCall.h"

#include "Connection.h"

namespace {

const DWORD kReplyBufferSize = 10000;

// Text of a reply that came back but is no echo answer (an ICMP error sent by a router or host).
std::string replyStatusText(ULONG status)
{
    switch (status) {
    case IP_DEST_NET_UNREACHABLE: return "Destination net unreachable";
    case IP_DEST_HOST_UNREACHABLE: return "Destination host unreachable";
    case IP_DEST_PROT_UNREACHABLE: return "Destination protocol unreachable";
    case IP_DEST_PORT_UNREACHABLE: return "Destination port unreachable";
    case IP_REQ_TIMED_OUT: return "Request timed out";
    case IP_TTL_EXPIRED_TRANSIT: return "TTL expired in transit";
    default: return "Echo reply with status " + std::to_string(status);
    }
}

}  // namespace

Pinger::Pinger() : roundTripMs_(0), stopped_(false), requestSize_(sizeof requestData_)
{
    std::memset(requestData_, 0, sizeof requestData_);
}

namespace {

// What one echo came to; filled on the echo's own thread.
struct EchoOutcome {
    bool created = false;
    DWORD replies = 0;
    DWORD lastError = ERROR_NOT_ENOUGH_MEMORY;
    ULONG status = 0;
    ULONG roundTrip = 0;
};

void sendEcho(in_addr address, const std::vector<unsigned char>& data, DWORD timeoutMs,
              const std::shared_ptr<EchoOutcome>& out)
{
    HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE)
        return;
    out->created = true;
    IP_OPTION_INFORMATION options;
    std::memset(&options, 0, sizeof options);
    options.Ttl = 30;
    static_assert(kReplyBufferSize >= sizeof(ICMP_ECHO_REPLY) + 56 + 8, "reply buffer too small");
    // Both buffers come from the Win32 heap: Wine's ICMP device refuses memory that the C
    // library's allocator handed out (ERROR_INVALID_USER_BUFFER).
    HANDLE heap = GetProcessHeap();
    unsigned char* request = static_cast<unsigned char*>(HeapAlloc(heap, 0, data.size()));
    unsigned char* reply = static_cast<unsigned char*>(HeapAlloc(heap, 0, kReplyBufferSize));
    if (request && reply) {
        std::memcpy(request, data.data(), data.size());
        out->replies = IcmpSendEcho(icmp, address.s_addr, request, static_cast<WORD>(data.size()), &options,
                                    reply, kReplyBufferSize, timeoutMs);
        out->lastError = GetLastError();
        if (out->replies > 0) {
            const ICMP_ECHO_REPLY* first = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
            out->status = first->Status;
            out->roundTrip = first->RoundTripTime;
        }
    }
    if (request)
        HeapFree(heap, 0, request);
    if (reply)
        HeapFree(heap, 0, reply);
    IcmpCloseHandle(icmp);
}

}  // namespace

bool Pinger::ping(const std::string& host, int timeoutMs, const std::function<bool()>& cancelled)
{
    roundTripMs_ = 0;
    stopped_ = false;
    const DWORD limit = timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : 1;
    in_addr address;
    std::string error;
    int code = 0;
    if (!Connection::resolve(host, address, error, static_cast<int>(limit), cancelled, &code)) {
        stopped_ = code == WSAEINTR;
        message_ = stopped_ ? "Stopped" : code == WSAETIMEDOUT ? error : "Unknown host";
        return false;
    }
    for (unsigned char& b : requestData_)
        b = static_cast<unsigned char>(std::rand() & 0xFF);
    std::vector<unsigned char> data(requestData_, requestData_ + requestSize_);

    // The echo runs on a thread of its own so that a stop need not wait for its time-out; an
    // abandoned echo ends by itself (at the latest at that time-out) and frees what it used.
    std::shared_ptr<EchoOutcome> out = std::make_shared<EchoOutcome>();
    AbandonableCall::Outcome outcome = AbandonableCall::run(
        [address, data, limit, out] { sendEcho(address, data, limit, out); }, limit + 1000, cancelled);
    if (outcome == AbandonableCall::Cancelled) {
        stopped_ = true;
        message_ = "Stopped";
        return false;
    }
    if (outcome == AbandonableCall::TimedOut) {
        message_ = "Request timed out";
        return false;
    }
    if (!out->created) {
        message_ = "An error occurred while sending the ICMP Echo Request";
        return false;
    }
    if (out->replies > 0) {
        // An "unreachable" answer from a router also counts as a reply: only an echo answer
        // means the target is up.
        if (out->status == IP_SUCCESS) {
            message_ = "Success";
            roundTripMs_ = static_cast<int>(out->roundTrip) + 1;
            return true;
        }
        message_ = replyStatusText(out->status);
        return false;
    }
    message_ = out->lastError == IP_REQ_TIMED_OUT ? "Request timed out"
                                                   : "An error occurred while sending the ICMP Echo Request";
    return false;
}
