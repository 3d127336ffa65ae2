// An SMTP connection over the network layer's socket: the connect, its name lookup included, is
// bounded by the connect time-out, each send and receive by the time-out it is given.
#pragma once
#include "MailConnection.h"
#include "NetSocket.h"

class CSocketMailConnection : public CMailConnection {
public:
    explicit CSocketMailConnection(DWORD connectMs) : m_connectMs(connectMs) {}

    BOOL Connect(const std::string& host, UINT port) override;
    BOOL Send(const std::string& data, DWORD timeoutMs) override;
    int Receive(char* buffer, int size, DWORD timeoutMs) override;
    void Close() override { m_socket.close(); }

private:
    static int Bounded(DWORD ms) { return int(ms > 0x7FFFFFFF ? 0x7FFFFFFF : ms); }

    NetSocket m_socket;
    DWORD m_connectMs;
};
