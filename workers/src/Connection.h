// The one TCP connection every socket check uses (port, POP3, SMTP). Every operation is bounded:
// connect by its own time-out, send and read by setTimeout (default 10 s). Nothing here blocks
// without a limit, and a worker can make a long wait give up early on a stop:
//
//     Connection c;
//     c.setCancel([this] { return stopRequested(); });     // optional
//     if (!c.connect(host, port, limitMs)) return fail(c.lastError());
//     c.setTimeout(limitMs);
//     std::string line;
//     if (!c.readLine(line)) return fail(c.lastError());  // greeting, CR LF or LF stripped
//     if (!c.sendAll("QUIT\r\n")) ...
//
// A dotted address is connected to as given (no reverse lookup); a name is resolved to its first
// IPv4 address. Winsock is started once per process by the first Connection (or startWinsock()).
#pragma once

#include <winsock2.h>

#include <functional>
#include <string>

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Starts Winsock once for the whole process (never cleaned up: other code may still use it).
    static bool startWinsock();

    // IPv4 address of host: a dotted address as given, else the first address of a name lookup.
    // False with an error text when the name is unknown or empty. The lookup is waited for at
    // most timeoutMs and given up (left to end by itself) as soon as cancelled answers true;
    // code tells why it failed: WSAHOST_NOT_FOUND, WSAETIMEDOUT, or WSAEINTR for a stop.
    static bool resolve(const std::string& host, in_addr& address, std::string& error,
                        int timeoutMs = kLookupTimeoutMs,
                        const std::function<bool()>& cancelled = std::function<bool()>(),
                        int* code = nullptr);
    // A name lookup that is not given a limit of its own waits at most this long.
    static const int kLookupTimeoutMs = 15000;

    // Opens a connection within timeoutMs (at least 1 ms). Closes any earlier connection first.
    // The port is taken as a 16-bit value (65536 is port 0).
    bool connect(const std::string& host, int port, int timeoutMs);
    bool isOpen() const { return socket_ != INVALID_SOCKET; }

    // Sends every byte within the time-out.
    bool sendAll(const std::string& data);
    // Reads one line ended by LF (a CR before it is dropped too) within the time-out. Fails when
    // maxBytes arrive without a line end, or the peer closes first (a last unterminated line is
    // still returned once).
    bool readLine(std::string& line, size_t maxBytes = 8192);
    // Up to len bytes (buffered ones first) within the time-out: the count, 0 when the peer closed,
    // -1 on an error or time-out.
    int readSome(char* buf, int len);

    // Time-out of sendAll, readLine and readSome, in milliseconds (at least 1).
    void setTimeout(int ms);
    int timeout() const { return timeoutMs_; }
    // Polled about every 100 ms during every wait; when it answers true the operation fails with
    // "Stopped".
    void setCancel(std::function<bool()> cancelled) { cancelled_ = cancelled; }

    void close();

    // Text of the last failure ("" after a success) and its Winsock code (WSAETIMEDOUT for a
    // time-out, 0 when the failure has no code).
    std::string lastError() const { return lastError_; }
    int lastErrorCode() const { return lastErrorCode_; }

private:
    enum WaitResult { Ready, TimedOut, Failed, Cancelled };
    // Waits until the socket is ready or total milliseconds counted from start are over.
    WaitResult waitFor(bool forWrite, DWORD start, DWORD total);
    // waitFor over the time-out; false with the failure recorded when the socket never got ready.
    bool awaitReady(bool forWrite, DWORD start, const char* step);
    void fail(const std::string& text, int code);
    void succeed();
    bool fillBuffer(DWORD start);

    SOCKET socket_;
    int timeoutMs_;
    std::string buffer_;     // received bytes not yet handed out
    bool peerClosed_;
    std::function<bool()> cancelled_;
    std::string lastError_;
    int lastErrorCode_;
};
