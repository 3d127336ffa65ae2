#include "Pinger.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <cstdlib>
#include <cstring>

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

Pinger::Pinger() : roundTripMs_(0), requestSize_(sizeof requestData_)
{
    std::memset(requestData_, 0, sizeof requestData_);
}

bool Pinger::ping(const std::string& host, int timeoutMs)
{
    roundTripMs_ = 0;
    in_addr address;
    std::string error;
    if (!Connection::resolve(host, address, error)) {
        message_ = "Unknown host";
        return false;
    }

    IP_OPTION_INFORMATION options;
    std::memset(&options, 0, sizeof options);
    options.Ttl = 30;
    for (unsigned char& b : requestData_)
        b = static_cast<unsigned char>(std::rand() & 0xFF);

    HANDLE icmp = IcmpCreateFile();
    if (icmp == INVALID_HANDLE_VALUE) {
        message_ = "An error occurred while sending the ICMP Echo Request";
        return false;
    }
    static_assert(kReplyBufferSize >= sizeof(ICMP_ECHO_REPLY) + 56 + 8, "reply buffer too small");
    // Both buffers come from the Win32 heap: Wine's ICMP device refuses memory that the C
    // library's allocator handed out (ERROR_INVALID_USER_BUFFER), and a Pinger may live there.
    HANDLE heap = GetProcessHeap();
    unsigned char* request = static_cast<unsigned char*>(HeapAlloc(heap, 0, requestSize_));
    unsigned char* reply = static_cast<unsigned char*>(HeapAlloc(heap, 0, kReplyBufferSize));
    DWORD replies = 0;
    DWORD lastError = ERROR_NOT_ENOUGH_MEMORY;
    if (request && reply) {
        std::memcpy(request, requestData_, requestSize_);
        replies = IcmpSendEcho(icmp, address.s_addr, request, requestSize_, &options, reply,
                               kReplyBufferSize, timeoutMs > 0 ? static_cast<DWORD>(timeoutMs) : 1);
        lastError = GetLastError();
    }
    bool ok = false;
    if (replies > 0) {
        const ICMP_ECHO_REPLY* first = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
        // An "unreachable" answer from a router also counts as a reply: only an echo answer
        // means the target is up.
        if (first->Status == IP_SUCCESS) {
            message_ = "Success";
            roundTripMs_ = static_cast<int>(first->RoundTripTime) + 1;
            ok = true;
        } else {
            message_ = replyStatusText(first->Status);
        }
    } else if (lastError == IP_REQ_TIMED_OUT) {
        message_ = "Request timed out";
    } else {
        message_ = "An error occurred while sending the ICMP Echo Request";
    }
    if (request)
        HeapFree(heap, 0, request);
    if (reply)
        HeapFree(heap, 0, reply);
    IcmpCloseHandle(icmp);
    return ok;
}
