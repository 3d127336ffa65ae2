#include "Connection.h"

#include <ws2tcpip.h>

#include <cstring>
#include <memory>

#include "AbandonableCall.h"

namespace {

// Waits are cut into slices so that a cancel request is seen within this time.
const DWORD kSliceMs = 100;

// Milliseconds left of a wait that began at start and may last total; 0 once it is over.
// Unsigned differences keep it right across the GetTickCount wrap.
DWORD remainingMs(DWORD start, DWORD total)
{
    DWORD spent = GetTickCount() - start;
    return spent >= total ? 0 : total - spent;
}

std::string numberText(long long value)
{
    return std::to_string(value);
}

}  // namespace

bool Connection::startWinsock()
{
    // A function-local static is initialised exactly once even when two workers start together.
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

bool Connection::resolve(const std::string& host, in_addr& address, std::string& error, int timeoutMs,
                         const std::function<bool()>& cancelled, int* code)
{
    int ignored = 0;
    int& why = code ? *code : ignored;
    why = 0;
    error.clear();
    if (!startWinsock()) {
        error = "Winsock could not be started";
        why = WSANOTINITIALISED;
        return false;
    }
    if (host.empty()) {
        error = "Host not found";
        why = WSAHOST_NOT_FOUND;
        return false;
    }
    // A dotted address is the target itself: no lookup, and above all no reverse lookup that
    // would fail for an address without a name.
    unsigned long numeric = inet_addr(host.c_str());
    if (numeric != INADDR_NONE) {
        address.s_addr = numeric;
        return true;
    }
    // The system's lookup has no time-out of its own and cannot be interrupted: it runs on a
    // thread of its own, so that neither a dead name server nor a stop waits for it.
    struct Answer {
        bool found = false;
        in_addr address;
    };
    std::shared_ptr<Answer> answer = std::make_shared<Answer>();
    const std::string name = host;
    AbandonableCall::Outcome outcome = AbandonableCall::run(
        [name, answer] {
            addrinfo hints;
            std::memset(&hints, 0, sizeof hints);
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            if (getaddrinfo(name.c_str(), nullptr, &hints, &found) == 0 && found) {
                answer->address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
                answer->found = true;
            }
            if (found)
                freeaddrinfo(found);
        },
        static_cast<DWORD>(timeoutMs < 1 ? 1 : timeoutMs), cancelled);
    if (outcome == AbandonableCall::Cancelled) {
        error = "Stopped";
        why = WSAEINTR;
        return false;
    }
    if (outcome == AbandonableCall::TimedOut) {
        error = "Host lookup timed out after " + numberText(timeoutMs) + " ms";
        why = WSAETIMEDOUT;
        return false;
    }
    if (!answer->found) {
        error = "Host not found";
        why = WSAHOST_NOT_FOUND;
        return false;
    }
    address = answer->address;
    return true;
}

Connection::Connection()
    : socket_(INVALID_SOCKET), timeoutMs_(10000), peerClosed_(false), lastErrorCode_(0)
{
    startWinsock();
}

Connection::~Connection()
{
    close();
}

void Connection::setTimeout(int ms)
{
    timeoutMs_ = ms < 1 ? 1 : ms;
}

void Connection::close()
{
    if (socket_ != INVALID_SOCKET) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    buffer_.clear();
    peerClosed_ = false;
}

void Connection::fail(const std::string& text, int code)
{
    lastError_ = text;
    lastErrorCode_ = code;
}

void Connection::succeed()
{
    lastError_.clear();
    lastErrorCode_ = 0;
}

Connection::WaitResult Connection::waitFor(bool forWrite, DWORD start, DWORD total)
{
    for (;;) {
        if (cancelled_ && cancelled_())
            return Cancelled;
        DWORD left = remainingMs(start, total);
        if (left == 0)
            return TimedOut;
        DWORD slice = left < kSliceMs ? left : kSliceMs;
        fd_set ready, errors;
        FD_ZERO(&ready);
        FD_ZERO(&errors);
        FD_SET(socket_, &ready);
        FD_SET(socket_, &errors);
        timeval tv;
        tv.tv_sec = static_cast<long>(slice / 1000);
        tv.tv_usec = static_cast<long>((slice % 1000) * 1000);
        int n = select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, &errors, &tv);
        if (n == SOCKET_ERROR)
            return Failed;
        if (n > 0)
            return Ready;   // readable, writable or failed: the caller's next call tells which
    }
}

bool Connection::connect(const std::string& host, int port, int timeoutMs)
{
    close();
    in_addr address;
    std::string error;
    int code = 0;
    // The lookup counts against the connect's own limit.
    const int limit = timeoutMs < 1 ? 1 : timeoutMs;
    DWORD start = GetTickCount();
    if (!resolve(host, address, error, limit, cancelled_, &code)) {
        fail(error, code);
        return false;
    }
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) {
        int code = WSAGetLastError();
        fail("Failed to create socket. Error code: " + numberText(code), code);
        return false;
    }
    // Non-blocking from here on: every wait goes through select with a bound.
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);

    sockaddr_in target;
    std::memset(&target, 0, sizeof target);
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<u_short>(port));
    target.sin_addr = address;

    if (::connect(socket_, reinterpret_cast<sockaddr*>(&target), sizeof target) == 0) {
        succeed();
        return true;
    }
    code = WSAGetLastError();
    if (code != WSAEWOULDBLOCK && code != WSAEINPROGRESS) {
        fail("Connection failed with error code: " + numberText(code), code);
        close();
        return false;
    }
    switch (waitFor(true, start, static_cast<DWORD>(limit))) {
    case TimedOut:
        fail("Connection timed out after " + numberText(limit) + " ms", WSAETIMEDOUT);
        close();
        return false;
    case Cancelled:
        fail("Stopped", WSAEINTR);
        close();
        return false;
    case Failed:
        code = WSAGetLastError();
        fail("Connection failed with error code: " + numberText(code), code);
        close();
        return false;
    case Ready:
        break;
    }
    int soError = 0;
    int length = sizeof soError;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &length) != 0)
        soError = WSAGetLastError();
    if (soError != 0) {
        fail("Connection failed with error code: " + numberText(soError), soError);
        close();
        return false;
    }
    succeed();
    return true;
}

bool Connection::sendAll(const std::string& data)
{
    if (!isOpen()) {
        fail("Not connected", WSAENOTCONN);
        return false;
    }
    DWORD start = GetTickCount();
    size_t sent = 0;
    while (sent < data.size()) {
        size_t chunk = data.size() - sent;
        if (chunk > 65536)
            chunk = 65536;
        int n = ::send(socket_, data.data() + sent, static_cast<int>(chunk), 0);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        int code = WSAGetLastError();
        if (n == SOCKET_ERROR && code != WSAEWOULDBLOCK) {
            fail("Send failed with error code: " + numberText(code), code);
            return false;
        }
        if (!awaitReady(true, start, "Send"))
            return false;
    }
    succeed();
    return true;
}

// Waits, within the time-out counted from start, until the socket can go on sending or receiving.
// False with the failure recorded, named after the step ("Send", "Receive"), on a time-out, a stop
// or a socket error.
bool Connection::awaitReady(bool forWrite, DWORD start, const char* step)
{
    WaitResult waited = waitFor(forWrite, start, static_cast<DWORD>(timeoutMs_));
    if (waited == TimedOut) {
        fail(std::string(step) + " timed out after " + numberText(timeoutMs_) + " ms", WSAETIMEDOUT);
        return false;
    }
    if (waited == Cancelled) {
        fail("Stopped", WSAEINTR);
        return false;
    }
    if (waited == Failed) {
        int code = WSAGetLastError();
        fail(std::string(step) + " failed with error code: " + numberText(code), code);
        return false;
    }
    return true;
}

// Adds whatever the socket has to the buffer, waiting up to the deadline for it. False with the
// failure recorded on error, time-out or cancel; true with peerClosed_ set on an orderly close.
bool Connection::fillBuffer(DWORD start)
{
    char chunk[4096];
    for (;;) {
        int n = ::recv(socket_, chunk, sizeof chunk, 0);
        if (n > 0) {
            buffer_.append(chunk, static_cast<size_t>(n));
            return true;
        }
        if (n == 0) {
            peerClosed_ = true;
            return true;
        }
        int code = WSAGetLastError();
        if (code != WSAEWOULDBLOCK) {
            fail("Receive failed with error code: " + numberText(code), code);
            return false;
        }
        if (!awaitReady(false, start, "Receive"))
            return false;
    }
}

bool Connection::readLine(std::string& line, size_t maxBytes)
{
    line.clear();
    if (!isOpen()) {
        fail("Not connected", WSAENOTCONN);
        return false;
    }
    DWORD start = GetTickCount();
    size_t scanned = 0;
    for (;;) {
        size_t end = buffer_.find('\n', scanned);
        if (end != std::string::npos && end < maxBytes) {
            line.assign(buffer_, 0, end);
            buffer_.erase(0, end + 1);
            if (!line.empty() && line[line.size() - 1] == '\r')
                line.erase(line.size() - 1);
            succeed();
            return true;
        }
        if (buffer_.size() >= maxBytes) {
            // The line is dropped so that the next read starts on fresh data.
            buffer_.clear();
            fail("Line longer than " + numberText(static_cast<long long>(maxBytes)) + " bytes", 0);
            return false;
        }
        if (peerClosed_) {
            if (buffer_.empty()) {
                fail("Connection closed by the peer", WSAECONNRESET);
                return false;
            }
            line.swap(buffer_);
            buffer_.clear();
            if (!line.empty() && line[line.size() - 1] == '\r')
                line.erase(line.size() - 1);
            succeed();
            return true;
        }
        scanned = buffer_.size();
        if (!fillBuffer(start))
            return false;
    }
}

int Connection::readSome(char* buf, int len)
{
    if (len <= 0)
        return 0;
    if (!isOpen()) {
        fail("Not connected", WSAENOTCONN);
        return -1;
    }
    if (buffer_.empty() && !peerClosed_) {
        if (!fillBuffer(GetTickCount()))
            return -1;
    }
    if (buffer_.empty()) {
        succeed();
        return 0;   // closed by the peer
    }
    size_t n = buffer_.size() < static_cast<size_t>(len) ? buffer_.size() : static_cast<size_t>(len);
    std::memcpy(buf, buffer_.data(), n);
    buffer_.erase(0, n);
    succeed();
    return static_cast<int>(n);
}
