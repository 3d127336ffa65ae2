// An IPv4 stream socket in which every connect, send and receive has a time-out. It never blocks
// in a send or receive: it waits for readiness (the read set for a receive, the write set for a
// send) and then takes what is there, so neither an urgent byte nor a slow peer can hold it past
// its limits. Used for DNS over TCP (the length-prefixed calls).
#pragma once
#include "SocketEx.h"
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include <string>

class CSocketClient : public CSocketEx {
public:
    CSocketClient() = default;
    ~CSocketClient() override { Close(); }

    // Makes the socket, bound to address (dotted text; NULL for any) and port. FALSE when a
    // socket is already held or on any failure (LastError tells which).
    bool Create(unsigned short port = 0, const char* address = NULL);
    // Connects within connectMs to a dotted address or a host name (looked up through the
    // system, first address). Creates the socket when there is none. On failure the socket is
    // closed and LastError holds the reason (WSAETIMEDOUT after the time-out).
    bool Connect(const std::string& host, unsigned short port, DWORD connectMs);
    // Time limit of each later send and receive.
    void SetIoTimeout(DWORD ms) { m_ioMs = ms; }
    // One limit for everything from now on, however the peer spreads its bytes: each later send
    // and receive also ends when ms have passed since this call.
    void SetDeadline(DWORD ms);
    void Close();
    bool IsOpen() const { return m_socket != INVALID_SOCKET; }

    // All bytes within the time-out; false otherwise.
    bool SendAll(const void* data, size_t count);
    // What arrives within the time-out: > 0 bytes, 0 when the peer closed, -1 on an error or
    // time-out.
    int ReceiveSome(void* buffer, size_t size);
    // Exactly count bytes, however they are split in transit; false otherwise.
    bool ReceiveAll(void* buffer, size_t count);

    // The DNS-over-TCP framing: a 2-byte big-endian length, then the block. Failures raise a
    // CSocketException ("Error writing socket data" / "Error reading socket data").
    void SendLength(uint16_t length);
    void SendBytes(const void* data, size_t count);
    uint16_t ReceiveLength();
    void ReceiveBytes(void* buffer, size_t count);

    int LastError() const { return m_lastError; }
    // The system's text for the last error.
    std::string ErrorDetail() const;

private:
    // Waits until the socket can be read (or written); false with WSAETIMEDOUT after the time-out.
    // withErrors also wakes on an error condition (what a failed connect reports).
    bool WaitFor(bool write, DWORD ms, bool withErrors = false);
    // The time-out of one call begun at start: the I/O time-out, cut to what the deadline leaves.
    DWORD Limit(DWORD start) const;

    SOCKET m_socket = INVALID_SOCKET;
    int m_lastError = 0;
    DWORD m_ioMs = 10000;
    bool m_hasDeadline = false;
    DWORD m_deadlineStart = 0;
    DWORD m_deadlineMs = 0;
};
