// The library's stream socket under its own name: a thin face over the network layer's NetSocket,
// in which every connect (the name lookup included), send and receive has a time-out. Used for
// DNS over TCP (the length-prefixed calls).
#pragma once
#include "SocketEx.h"
#include "NetSocket.h"
#include <windows.h>
#include <stddef.h>
#include <stdint.h>
#include <string>

class CSocketClient : public CSocketEx {
public:
    CSocketClient() = default;
    ~CSocketClient() override { Close(); }

    // Connects within connectMs to a dotted address or a host name (looked up through the
    // system, first address, within the same limit). On failure the socket is closed and
    // LastError holds the reason (WSAETIMEDOUT after the time-out).
    bool Connect(const std::string& host, unsigned short port, DWORD connectMs);
    // Time limit of each later send and receive.
    void SetIoTimeout(DWORD ms) { m_socket.setTimeout(int(ms > 0x7FFFFFFF ? 0x7FFFFFFF : ms)); }
    // One limit for everything from now on, however the peer spreads its bytes: each later send
    // and receive also ends when ms have passed since this call.
    void SetDeadline(DWORD ms) { m_socket.setDeadline(int(ms > 0x7FFFFFFF ? 0x7FFFFFFF : ms)); }
    void Close() { m_socket.close(); }
    bool IsOpen() const { return m_socket.isOpen(); }

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
    bool Record(bool ok);

    NetSocket m_socket;
    int m_lastError = 0;
};
