#include "CAsyncSocket.h"
#include <cstring>
#include <functional>
#include <mutex>
#include <string>

#include "NetSocket.h"

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData) {
    // A std::mutex rather than call_once: a failed start-up is tried again by the next caller.
    static std::mutex s_lock;
    static bool s_started = false;
    static WSADATA s_data;
    std::lock_guard<std::mutex> guard(s_lock);
    if (!s_started)
        s_started = ::WSAStartup(MAKEWORD(2, 2), &s_data) == 0;
    if (s_started && lpwsaData != NULL)
        *lpwsaData = s_data;
    return s_started ? TRUE : FALSE;
}

CAsyncSocket::~CAsyncSocket() { Close(); }

BOOL CAsyncSocket::Fail() {
    ::WSASetLastError(m_socket.winsockError());
    return FALSE;
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, LPCTSTR lpszSocketAddress) {
    if (m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    if (nSocketType != SOCK_STREAM && nSocketType != SOCK_DGRAM) {
        ::WSASetLastError(WSAESOCKTNOSUPPORT);
        return FALSE;
    }
    // Non-blocking underneath: every wait is a poll with a time-out instead.
    if (!m_socket.create(nSocketType == SOCK_DGRAM))
        return Fail();
    if (nSocketPort != 0 || lpszSocketAddress != NULL) {
        uint32_t local = 0;
        if (lpszSocketAddress != NULL && !UnixSocket::parseAddress(lpszSocketAddress, local)) {
            m_socket.close();
            ::WSASetLastError(WSAEINVAL);
            return FALSE;
        }
        if (!m_socket.bind(local, (uint16_t)nSocketPort)) {
            Fail();
            m_socket.close();
            return FALSE;
        }
    }
    m_hSocket = (SOCKET)m_socket.descriptor();
    return TRUE;
}

BOOL CAsyncSocket::WaitReady(bool forWrite, DWORD dwTimeoutMs) {
    // INFINITE is waited for in the longest slices a wait takes.
    for (;;) {
        int ms = dwTimeoutMs >= 0x7FFFFFFF ? 0x7FFFFFFF : (int)dwTimeoutMs;
        switch (m_socket.wait(forWrite, ms, std::function<bool()>())) {
        case UnixSocket::Ready:
            // An error condition still lets the following call report the socket's own error.
            return TRUE;
        case UnixSocket::Failed:
            return Fail();
        case UnixSocket::TimedOut:
        case UnixSocket::Cancelled:
            if (dwTimeoutMs == INFINITE)
                continue;
            ::WSASetLastError(WSAETIMEDOUT);
            return FALSE;
        }
    }
}

DWORD CAsyncSocket::RemainingMs(DWORD start) const {
    if (m_dwIoTimeout == INFINITE)
        return INFINITE;
    DWORD spent = ::GetTickCount() - start;
    return spent >= m_dwIoTimeout ? 0 : m_dwIoTimeout - spent;
}

BOOL CAsyncSocket::Connect(LPCTSTR lpszHostAddress, UINT nHostPort) {
    if (m_hSocket == INVALID_SOCKET || lpszHostAddress == NULL) {
        ::WSASetLastError(m_hSocket == INVALID_SOCKET ? WSAENOTSOCK : WSAEINVAL);
        return FALSE;
    }
    // The lookup of a name counts against the connect time-out: a silent name server must not
    // hold the caller without a bound.
    const DWORD start = ::GetTickCount();
    std::string error;
    int code = 0;
    in_addr address = {};
    int lookupMs = m_dwConnectTimeout >= 0x7FFFFFFF ? NetSocket::kLookupTimeoutMs : (int)m_dwConnectTimeout;
    if (!NetSocket::resolve(lpszHostAddress, address, error, lookupMs, std::function<bool()>(), &code)) {
        ::WSASetLastError(code != 0 ? code : WSAHOST_NOT_FOUND);
        return FALSE;
    }
    DWORD connectMs = m_dwConnectTimeout;
    if (connectMs != INFINITE) {
        DWORD spent = ::GetTickCount() - start;
        connectMs = spent >= connectMs ? 1 : connectMs - spent;
    }
    int started = m_socket.startConnect(address.s_addr, (uint16_t)nHostPort);
    if (started < 0)
        return Fail();
    if (started > 0)
        return TRUE;
    // The connection is under way: writable means done, well or not.
    if (!WaitReady(true, connectMs))
        return FALSE;
    if (m_socket.pendingError() != 0)
        return Fail();
    return TRUE;
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags) {
    if (m_hSocket == INVALID_SOCKET || nFlags != 0 || nBufLen < 0) {
        ::WSASetLastError(m_hSocket == INVALID_SOCKET ? WSAENOTSOCK : nFlags != 0 ? WSAEOPNOTSUPP : WSAEINVAL);
        return SOCKET_ERROR;
    }
    // The I/O time-out bounds the whole call, however often the socket turns ready.
    const DWORD start = ::GetTickCount();
    for (;;) {
        long n = m_socket.send(lpBuf, (size_t)nBufLen);
        if (n >= 0)
            return (int)n;
        if (!m_socket.wouldBlock()) {
            Fail();
            return SOCKET_ERROR;
        }
        if (!WaitReady(true, RemainingMs(start)))
            return SOCKET_ERROR;
    }
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags) {
    if (m_hSocket == INVALID_SOCKET || nFlags != 0 || nBufLen < 0) {
        ::WSASetLastError(m_hSocket == INVALID_SOCKET ? WSAENOTSOCK : nFlags != 0 ? WSAEOPNOTSUPP : WSAEINVAL);
        return SOCKET_ERROR;
    }
    const DWORD start = ::GetTickCount();
    for (;;) {
        long n = m_socket.receive(lpBuf, (size_t)nBufLen);
        if (n >= 0)
            return (int)n;
        if (!m_socket.wouldBlock()) {
            Fail();
            return SOCKET_ERROR;
        }
        if (!WaitReady(false, RemainingMs(start)))
            return SOCKET_ERROR;
    }
}

BOOL CAsyncSocket::ShutDown(int nHow) {
    if (m_hSocket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return FALSE;
    }
    return m_socket.shutdown(nHow) ? TRUE : Fail();
}

void CAsyncSocket::Close() {
    m_socket.close();
    m_hSocket = INVALID_SOCKET;
}
