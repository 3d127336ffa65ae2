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

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, LPCTSTR lpszSocketAddress) {
    if (m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    if (!AfxSocketInit()) {
        ::WSASetLastError(WSANOTINITIALISED);
        return FALSE;
    }
    SOCKET s = ::socket(AF_INET, nSocketType, 0);
    if (s == INVALID_SOCKET)
        return FALSE;
    // Non-blocking underneath: every wait goes through select() with a time-out instead.
    u_long nonBlocking = 1;
    if (::ioctlsocket(s, FIONBIO, &nonBlocking) == SOCKET_ERROR) {
        int err = ::WSAGetLastError();
        ::closesocket(s);
        ::WSASetLastError(err);
        return FALSE;
    }
    if (nSocketPort != 0 || lpszSocketAddress != NULL) {
        sockaddr_in local = {};
        local.sin_family = AF_INET;
        local.sin_port = htons((u_short)nSocketPort);
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        if (lpszSocketAddress != NULL) {
            local.sin_addr.s_addr = ::inet_addr(lpszSocketAddress);
            if (local.sin_addr.s_addr == INADDR_NONE) {
                ::closesocket(s);
                ::WSASetLastError(WSAEINVAL);
                return FALSE;
            }
        }
        if (::bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
            int err = ::WSAGetLastError();
            ::closesocket(s);
            ::WSASetLastError(err);
            return FALSE;
        }
    }
    m_hSocket = s;
    return TRUE;
}

BOOL CAsyncSocket::WaitReady(bool forWrite, DWORD dwTimeoutMs) {
    // The read or write set only: the error set also reports an urgent byte, which no receive
    // takes, so the wait would return at once every time and the caller would spin.
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_hSocket, &set);
    timeval tv;
    tv.tv_sec = (long)(dwTimeoutMs / 1000);
    tv.tv_usec = (long)(dwTimeoutMs % 1000) * 1000;
    int n = ::select(0, forWrite ? NULL : &set, forWrite ? &set : NULL, NULL,
                     dwTimeoutMs == INFINITE ? NULL : &tv);
    if (n == SOCKET_ERROR)
        return FALSE;
    if (n == 0) {
        ::WSASetLastError(WSAETIMEDOUT);
        return FALSE;
    }
    // An error condition still lets the following call report the socket's own error.
    return TRUE;
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
    sockaddr_in addr = {};
    addr.sin_family = AF_INET;
    addr.sin_port = htons((u_short)nHostPort);
    // The lookup of a name counts against the connect time-out: a silent name server must not
    // hold the caller without a bound.
    const DWORD start = ::GetTickCount();
    std::string error;
    int code = 0;
    int lookupMs = m_dwConnectTimeout >= 0x7FFFFFFF ? NetSocket::kLookupTimeoutMs : (int)m_dwConnectTimeout;
    if (!NetSocket::resolve(lpszHostAddress, addr.sin_addr, error, lookupMs, std::function<bool()>(), &code)) {
        ::WSASetLastError(code != 0 ? code : WSAHOST_NOT_FOUND);
        return FALSE;
    }
    DWORD connectMs = m_dwConnectTimeout;
    if (connectMs != INFINITE) {
        DWORD spent = ::GetTickCount() - start;
        connectMs = spent >= connectMs ? 1 : connectMs - spent;
    }
    if (::connect(m_hSocket, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0)
        return TRUE;
    if (::WSAGetLastError() != WSAEWOULDBLOCK)
        return FALSE;

    // The connection is under way: writable means done, the error set means refused.
    fd_set writable, errors;
    FD_ZERO(&writable);
    FD_ZERO(&errors);
    FD_SET(m_hSocket, &writable);
    FD_SET(m_hSocket, &errors);
    timeval tv;
    tv.tv_sec = (long)(connectMs / 1000);
    tv.tv_usec = (long)(connectMs % 1000) * 1000;
    int n = ::select(0, NULL, &writable, &errors, connectMs == INFINITE ? NULL : &tv);
    if (n == SOCKET_ERROR)
        return FALSE;
    if (n == 0) {
        ::WSASetLastError(WSAETIMEDOUT);
        return FALSE;
    }
    int err = 0;
    int len = sizeof err;
    if (::getsockopt(m_hSocket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &len) == SOCKET_ERROR)
        return FALSE;
    if (err != 0) {
        ::WSASetLastError(err);
        return FALSE;
    }
    return TRUE;
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags) {
    if (m_hSocket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    // The I/O time-out bounds the whole call, however often the socket turns ready.
    const DWORD start = ::GetTickCount();
    for (;;) {
        int n = ::send(m_hSocket, static_cast<const char*>(lpBuf), nBufLen, nFlags);
        if (n != SOCKET_ERROR || ::WSAGetLastError() != WSAEWOULDBLOCK)
            return n;
        if (!WaitReady(true, RemainingMs(start)))
            return SOCKET_ERROR;
    }
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags) {
    if (m_hSocket == INVALID_SOCKET) {
        ::WSASetLastError(WSAENOTSOCK);
        return SOCKET_ERROR;
    }
    const DWORD start = ::GetTickCount();
    for (;;) {
        int n = ::recv(m_hSocket, static_cast<char*>(lpBuf), nBufLen, nFlags);
        if (n != SOCKET_ERROR || ::WSAGetLastError() != WSAEWOULDBLOCK)
            return n;
        if (!WaitReady(false, RemainingMs(start)))
            return SOCKET_ERROR;
    }
}

BOOL CAsyncSocket::ShutDown(int nHow) {
    return ::shutdown(m_hSocket, nHow) != SOCKET_ERROR;
}

void CAsyncSocket::Close() {
    if (m_hSocket != INVALID_SOCKET) {
        ::closesocket(m_hSocket);
        m_hSocket = INVALID_SOCKET;
    }
}
