// IPv4 sockets that block the calling thread, but never for ever: connecting waits at most the
// connect time-out, and each wait for room to send or for data to arrive at most the I/O
// time-out (defaults 30 s and 60 s, settable per socket). A wait that runs out fails with
// WSAETIMEDOUT. No window or message loop is involved, so any Win32 thread may use them. The
// socket is the network layer's Unix-side one (UnixSocket), whose waits cost no wineserver round
// trip; failures are reported with Winsock's codes all the same.
//
// CAsyncSocket sends once per Send call; CSocket sends until everything is out.
#pragma once
#include "CObject.h"
#include <winsock2.h>

#include "UnixSocket.h"

// Starts Winsock for the process once (version 2.2), from any thread, any number of times;
// TRUE when it is started. Winsock is left running until the process ends.
BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData = NULL);

class CAsyncSocket : public CObject {
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    enum { receives = 0, sends = 1, both = 2 };
    static const DWORD kDefaultConnectTimeout = 30000;
    static const DWORD kDefaultIoTimeout = 60000;

    CAsyncSocket() = default;
    ~CAsyncSocket() override;

    // Makes the socket (starting Winsock if needed); binds it when a port or a dotted local
    // address is given.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM, LPCTSTR lpszSocketAddress = NULL);
    // A dotted address is used as it is; a name is looked up within the connect time-out. On failure
    // the socket stays open and GetLastError() tells why.
    BOOL Connect(LPCTSTR lpszHostAddress, UINT nHostPort);
    // Bytes sent, or SOCKET_ERROR.
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    // Bytes received (0 when the peer closed the connection), or SOCKET_ERROR. Flags other than
    // 0 are refused (WSAEOPNOTSUPP) for both.
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    BOOL ShutDown(int nHow = sends);
    virtual void Close();

    void SetTimeouts(DWORD dwConnectMs, DWORD dwIoMs) {
        m_dwConnectTimeout = dwConnectMs;
        m_dwIoTimeout = dwIoMs;
    }
    DWORD GetConnectTimeout() const { return m_dwConnectTimeout; }
    DWORD GetIoTimeout() const { return m_dwIoTimeout; }

    // The Winsock error of the last failed call on this thread.
    static int PASCAL GetLastError() { return ::WSAGetLastError(); }
    // The open socket's identity (INVALID_SOCKET when none): not a handle for Winsock calls.
    operator SOCKET() const { return m_hSocket; }

    SOCKET m_hSocket = INVALID_SOCKET;

protected:
    // Waits until the socket can be written (forWrite) or read; FALSE with WSAETIMEDOUT (or the
    // select error) set otherwise.
    BOOL WaitReady(bool forWrite, DWORD dwTimeoutMs);
    // What is left of the I/O time-out for a call begun at start (INFINITE stays INFINITE).
    DWORD RemainingMs(DWORD start) const;

private:
    // Records the socket's last failure as the thread's Winsock error; returns FALSE.
    BOOL Fail();

    UnixSocket m_socket;
    DWORD m_dwConnectTimeout = kDefaultConnectTimeout;
    DWORD m_dwIoTimeout = kDefaultIoTimeout;
};
