// The one TCP connection of the program: every socket check (port, POP3, SMTP), the mail
// library's SMTP delivery and DNS over TCP, and the framework's sockets run over it. Every
// operation is bounded: connect by its own time-out, send and read by setTimeout (default 10 s),
// a name lookup by the connect's limit. Nothing here blocks without a limit, and a long wait
// gives up within about 100 ms when the cancel test answers true:
//
//     NetSocket c;
//     c.setCancel([this] { return stopRequested(); });     // optional
//     if (!c.connect(host, port, limitMs)) return fail(c.lastError());
//     c.setTimeout(limitMs);
//     std::string line;
//     if (!c.readLine(line)) return fail(c.lastError());  // greeting, CR LF or LF stripped
//     if (!c.sendAll("QUIT\r\n")) ...
//
// A dotted address is connected to as given (no reverse lookup); a name is resolved to its first
// IPv4 address. The socket itself is a Unix one (UnixSocket): its waits cost no wineserver round
// trip. Errors are reported with Winsock's codes.
#pragma once

#include <winsock2.h>

#include <functional>
#include <string>

#include "UnixSocket.h"

class NetSocket {
public:
    NetSocket();
    ~NetSocket();
    NetSocket(const NetSocket&) = delete;
    NetSocket& operator=(const NetSocket&) = delete;

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

    // Opens a connection within timeoutMs (at least 1 ms), the name lookup included. Closes any
    // earlier connection first. The port is taken as a 16-bit value (65536 is port 0).
    bool connect(const std::string& host, int port, int timeoutMs);
    bool isOpen() const { return socket_.isOpen(); }

    // Sends every byte within the time-out.
    bool sendAll(const std::string& data);
    bool sendAll(const void* data, size_t size);
    // Reads one line ended by LF (a CR before it is dropped too) within the time-out. Fails when
    // maxBytes arrive without a line end, or the peer closes first (a last unterminated line is
    // still returned once).
    bool readLine(std::string& line, size_t maxBytes = 8192);
    // Up to len bytes (buffered ones first) within the time-out: the count, 0 when the peer closed,
    // -1 on an error or time-out.
    int readSome(char* buf, int len);
    // Exactly len bytes within the time-out; false otherwise.
    bool readExactly(char* buf, size_t len);

    // Time-out of sendAll, readLine and readSome, in milliseconds (at least 1).
    void setTimeout(int ms);
    int timeout() const { return timeoutMs_; }
    // One limit for every later send and read together, counted from now: a peer that sends one
    // byte within each time-out cannot stretch an exchange past it. 0 takes the limit away.
    void setDeadline(int ms);
    // Asked about every 100 ms during every wait; when it answers true the operation fails with
    // "Stopped" (WSAEINTR).
    void setCancel(std::function<bool()> cancelled) { cancelled_ = cancelled; }

    void close();

    // Text of the last failure ("" after a success) and its Winsock code (WSAETIMEDOUT for a
    // time-out, 0 when the failure has no code).
    std::string lastError() const { return lastError_; }
    int lastErrorCode() const { return lastErrorCode_; }

private:
    // The time-out of one call begun at start, cut to what the deadline leaves.
    DWORD limitFrom(DWORD start) const;
    // Waits, within the time-out counted from start, until the socket can go on sending or
    // receiving. False with the failure recorded, named after the step ("Send", "Receive").
    bool awaitReady(bool forWrite, DWORD start, const char* step);
    void fail(const std::string& text, int code);
    void succeed();
    bool fillBuffer(DWORD start);

    UnixSocket socket_;
    int timeoutMs_;
    bool hasDeadline_;
    DWORD deadlineStart_;
    DWORD deadlineMs_;
    std::string buffer_;     // received bytes not yet handed out
    bool peerClosed_;
    std::function<bool()> cancelled_;
    std::string lastError_;
    int lastErrorCode_;
};
