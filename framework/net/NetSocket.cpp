#include "NetSocket.h"

#include <cstring>
#include <memory>

#include "AbandonableCall.h"

namespace {

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

bool NetSocket::resolve(const std::string& host, in_addr& address, std::string& error, int timeoutMs,
                        const std::function<bool()>& cancelled, int* code)
{
    int ignored = 0;
    int& why = code ? *code : ignored;
    why = 0;
    error.clear();
    if (host.empty()) {
        error = "Host not found";
        why = WSAHOST_NOT_FOUND;
        return false;
    }
    // A dotted address is the target itself: no lookup, and above all no reverse lookup that
    // would fail for an address without a name.
    uint32_t numeric = 0;
    if (UnixSocket::parseAddress(host.c_str(), numeric)) {
        address.s_addr = numeric;
        return true;
    }
    // The system's lookup has no time-out of its own and cannot be interrupted: it runs on a
    // thread of its own, so that neither a dead name server nor a stop waits for it.
    struct Answer {
        bool found = false;
        uint32_t address = 0;
    };
    std::shared_ptr<Answer> answer = std::make_shared<Answer>();
    const std::string name = host;
    AbandonableCall::Outcome outcome = AbandonableCall::run(
        [name, answer] { answer->found = UnixSocket::lookUp(name.c_str(), answer->address); },
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
    address.s_addr = answer->address;
    return true;
}

NetSocket::NetSocket()
    : timeoutMs_(10000), hasDeadline_(false), deadlineStart_(0), deadlineMs_(0), peerClosed_(false),
      lastErrorCode_(0)
{
}

NetSocket::~NetSocket()
{
    close();
}

void NetSocket::setTimeout(int ms)
{
    timeoutMs_ = ms < 1 ? 1 : ms;
}

void NetSocket::setDeadline(int ms)
{
    hasDeadline_ = ms > 0;
    deadlineStart_ = GetTickCount();
    deadlineMs_ = ms > 0 ? static_cast<DWORD>(ms) : 0;
}

DWORD NetSocket::limitFrom(DWORD start) const
{
    DWORD limit = remainingMs(start, static_cast<DWORD>(timeoutMs_));
    if (hasDeadline_) {
        DWORD left = remainingMs(deadlineStart_, deadlineMs_);
        if (left < limit)
            limit = left;
    }
    return limit;
}

void NetSocket::close()
{
    socket_.close();
    buffer_.clear();
    peerClosed_ = false;
}

void NetSocket::fail(const std::string& text, int code)
{
    lastError_ = text;
    lastErrorCode_ = code;
}

void NetSocket::succeed()
{
    lastError_.clear();
    lastErrorCode_ = 0;
}

bool NetSocket::connect(const std::string& host, int port, int timeoutMs)
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
    if (!socket_.create(false)) {
        code = socket_.winsockError();
        fail("Failed to create socket. Error code: " + numberText(code), code);
        return false;
    }
    int started = socket_.startConnect(address.s_addr, static_cast<uint16_t>(port));
    if (started < 0) {
        code = socket_.winsockError();
        fail("Connection failed with error code: " + numberText(code), code);
        close();
        return false;
    }
    if (started == 0) {
        switch (socket_.wait(true, static_cast<int>(remainingMs(start, static_cast<DWORD>(limit))), cancelled_)) {
        case UnixSocket::TimedOut:
            fail("Connection timed out after " + numberText(limit) + " ms", WSAETIMEDOUT);
            close();
            return false;
        case UnixSocket::Cancelled:
            fail("Stopped", WSAEINTR);
            close();
            return false;
        case UnixSocket::Failed:
            code = socket_.winsockError();
            fail("Connection failed with error code: " + numberText(code), code);
            close();
            return false;
        case UnixSocket::Ready:
            break;
        }
        if (socket_.pendingError() != 0) {
            code = socket_.winsockError();
            fail("Connection failed with error code: " + numberText(code), code);
            close();
            return false;
        }
    }
    succeed();
    return true;
}

bool NetSocket::sendAll(const std::string& data)
{
    return sendAll(data.data(), data.size());
}

bool NetSocket::sendAll(const void* data, size_t size)
{
    if (!isOpen()) {
        fail("Not connected", WSAENOTCONN);
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    DWORD start = GetTickCount();
    size_t sent = 0;
    while (sent < size) {
        size_t chunk = size - sent;
        if (chunk > 65536)
            chunk = 65536;
        long n = socket_.send(bytes + sent, chunk);
        if (n > 0) {
            sent += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && !socket_.wouldBlock()) {
            int code = socket_.winsockError();
            fail("Send failed with error code: " + numberText(code), code);
            return false;
        }
        if (!awaitReady(true, start, "Send"))
            return false;
    }
    succeed();
    return true;
}

bool NetSocket::awaitReady(bool forWrite, DWORD start, const char* step)
{
    switch (socket_.wait(forWrite, static_cast<int>(limitFrom(start)), cancelled_)) {
    case UnixSocket::TimedOut:
        fail(std::string(step) + " timed out after " + numberText(timeoutMs_) + " ms", WSAETIMEDOUT);
        return false;
    case UnixSocket::Cancelled:
        fail("Stopped", WSAEINTR);
        return false;
    case UnixSocket::Failed: {
        int code = socket_.winsockError();
        fail(std::string(step) + " failed with error code: " + numberText(code), code);
        return false;
    }
    case UnixSocket::Ready:
        break;
    }
    return true;
}

// Adds whatever the socket has to the buffer, waiting up to the time-out for it. False with the
// failure recorded on error, time-out or cancel; true with peerClosed_ set on an orderly close.
bool NetSocket::fillBuffer(DWORD start)
{
    char chunk[4096];
    for (;;) {
        long n = socket_.receive(chunk, sizeof chunk);
        if (n > 0) {
            buffer_.append(chunk, static_cast<size_t>(n));
            return true;
        }
        if (n == 0) {
            peerClosed_ = true;
            return true;
        }
        if (!socket_.wouldBlock()) {
            int code = socket_.winsockError();
            fail("Receive failed with error code: " + numberText(code), code);
            return false;
        }
        if (!awaitReady(false, start, "Receive"))
            return false;
    }
}

bool NetSocket::readLine(std::string& line, size_t maxBytes)
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

int NetSocket::readSome(char* buf, int len)
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

bool NetSocket::readExactly(char* buf, size_t len)
{
    size_t got = 0;
    while (got < len) {
        size_t want = len - got;
        int n = readSome(buf + got, want > 65536 ? 65536 : static_cast<int>(want));
        if (n < 0)
            return false;
        if (n == 0) {
            fail("Connection closed by the peer", WSAECONNRESET);
            return false;
        }
        got += static_cast<size_t>(n);
    }
    return true;
}
