// The byte stream an SMTP conversation runs over: a TCP connection in the library, a script in
// tests. Every call is bounded in time.
#pragma once
#include <windows.h>
#include <string>

class CMailConnection {
public:
    virtual ~CMailConnection() = default;
    // FALSE when the connection cannot be made within the connect time-out.
    virtual BOOL Connect(const std::string& host, UINT port) = 0;
    // Everything, within the time-out; FALSE otherwise.
    virtual BOOL Send(const std::string& data, DWORD timeoutMs) = 0;
    // What arrives within timeoutMs: > 0 bytes, 0 when the peer closed, < 0 on an error or
    // time-out.
    virtual int Receive(char* buffer, int size, DWORD timeoutMs) = 0;
    virtual void Close() = 0;
};
