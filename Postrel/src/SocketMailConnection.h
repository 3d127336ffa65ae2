// An SMTP connection over the framework's blocking socket.
#pragma once
#include "MailConnection.h"
#include "CSocket.h"

class CSocketMailConnection : public CMailConnection {
public:
    explicit CSocketMailConnection(DWORD connectMs) : m_connectMs(connectMs) {}

    BOOL Connect(const std::string& host, UINT port) override;
    BOOL Send(const std::string& data, DWORD timeoutMs) override;
    int Receive(char* buffer, int size, DWORD timeoutMs) override;
    void Close() override { m_socket.Close(); }

private:
    CSocket m_socket;
    DWORD m_connectMs;
};
