#include "SocketClient.h"
#include "SocketException.h"
#include <stdio.h>
#include <string.h>

bool CSocketClient::Create(unsigned short port, const char* address)
{
    if (m_socket != INVALID_SOCKET) return false;
    sockaddr_in local = {};
    local.sin_family = AF_INET;
    local.sin_port = htons(port);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (address != NULL) {
        local.sin_addr.s_addr = inet_addr(address);
        if (local.sin_addr.s_addr == INADDR_NONE) {
            m_lastError = WSAEINVAL;
            return false;
        }
    }
    m_socket = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (m_socket == INVALID_SOCKET) {
        m_lastError = WSAGetLastError();
        return false;
    }
    if (bind(m_socket, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        m_lastError = WSAGetLastError();
        Close();
        return false;
    }
    return true;
}

bool CSocketClient::Connect(const std::string& host, unsigned short port, DWORD connectMs)
{
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr.s_addr = inet_addr(host.c_str());
    if (peer.sin_addr.s_addr == INADDR_NONE || host.empty()) {
        hostent* he = host.empty() ? NULL : gethostbyname(host.c_str());
        if (he == NULL || he->h_addrtype != AF_INET || he->h_addr_list[0] == NULL) {
            m_lastError = WSAEINVAL;
            Close();
            return false;
        }
        memcpy(&peer.sin_addr, he->h_addr_list[0], sizeof peer.sin_addr);
    }
    if (m_socket == INVALID_SOCKET && !Create()) return false;

    // connect without blocking, so that an exchanger that never answers costs connectMs only
    u_long nonBlocking = 1;
    ioctlsocket(m_socket, FIONBIO, &nonBlocking);
    if (connect(m_socket, reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK && error != WSAEINPROGRESS) {
            m_lastError = error;
            Close();
            return false;
        }
        if (!WaitFor(true, connectMs, true)) {
            Close();
            return false;
        }
        int soError = 0;
        int len = sizeof soError;
        getsockopt(m_socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&soError), &len);
        if (soError != 0) {
            m_lastError = soError;
            Close();
            return false;
        }
    }
    // Stays non-blocking: sends and receives wait through select, never inside the call.
    return true;
}

void CSocketClient::SetDeadline(DWORD ms)
{
    m_hasDeadline = true;
    m_deadlineStart = GetTickCount();
    m_deadlineMs = ms;
}

DWORD CSocketClient::Limit(DWORD start) const
{
    DWORD spent = GetTickCount() - start;
    DWORD left = spent >= m_ioMs ? 0 : m_ioMs - spent;
    if (m_hasDeadline) {
        DWORD used = GetTickCount() - m_deadlineStart;
        DWORD rest = used >= m_deadlineMs ? 0 : m_deadlineMs - used;
        if (rest < left) left = rest;
    }
    return left;
}

void CSocketClient::Close()
{
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    m_socket = INVALID_SOCKET;
}

bool CSocketClient::WaitFor(bool write, DWORD ms, bool withErrors)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(m_socket, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(m_socket, &failed);
    timeval limit;
    limit.tv_sec = long(ms / 1000);
    limit.tv_usec = long(ms % 1000) * 1000;
    // The error set only for a connect: for a receive it also reports an urgent byte, which no
    // receive would then take, and the wait would end at once every time.
    int n = select(0, write ? NULL : &set, write ? &set : NULL, withErrors ? &failed : NULL, &limit);
    if (n > 0) return true;
    m_lastError = n == 0 ? WSAETIMEDOUT : WSAGetLastError();
    return false;
}

bool CSocketClient::SendAll(const void* data, size_t count)
{
    if (m_socket == INVALID_SOCKET) {
        m_lastError = WSAENOTSOCK;
        return false;
    }
    const char* p = static_cast<const char*>(data);
    const DWORD start = GetTickCount();
    while (count > 0) {
        int chunk = count > 0x10000 ? 0x10000 : int(count);
        int n = send(m_socket, p, chunk, 0);
        if (n > 0) {
            p += n;
            count -= size_t(n);
            continue;
        }
        int error = n == 0 ? WSAECONNRESET : WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            m_lastError = error;
            return false;
        }
        DWORD left = Limit(start);
        if (left == 0) {
            m_lastError = WSAETIMEDOUT;
            return false;
        }
        if (!WaitFor(true, left)) return false;
    }
    return true;
}

int CSocketClient::ReceiveSome(void* buffer, size_t size)
{
    if (m_socket == INVALID_SOCKET) {
        m_lastError = WSAENOTSOCK;
        return -1;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        int n = recv(m_socket, static_cast<char*>(buffer), int(size > 0x10000 ? 0x10000 : size), 0);
        if (n >= 0) return n;
        int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            m_lastError = error;
            return -1;
        }
        DWORD left = Limit(start);
        if (left == 0) {
            m_lastError = WSAETIMEDOUT;
            return -1;
        }
        if (!WaitFor(false, left)) return -1;
    }
}

bool CSocketClient::ReceiveAll(void* buffer, size_t count)
{
    char* p = static_cast<char*>(buffer);
    while (count > 0) {
        int n = ReceiveSome(p, count);
        if (n <= 0) {
            if (n == 0) m_lastError = WSAECONNRESET;
            return false;
        }
        p += n;
        count -= size_t(n);
    }
    return true;
}

void CSocketClient::SendLength(uint16_t length)
{
    unsigned char b[2] = {static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length & 0xFF)};
    SendBytes(b, 2);
}

void CSocketClient::SendBytes(const void* data, size_t count)
{
    if (!SendAll(data, count)) throw new CSocketException("Error writing socket data", ErrorDetail().c_str());
}

uint16_t CSocketClient::ReceiveLength()
{
    unsigned char b[2];
    ReceiveBytes(b, 2);
    return uint16_t((b[0] << 8) | b[1]);
}

void CSocketClient::ReceiveBytes(void* buffer, size_t count)
{
    if (!ReceiveAll(buffer, count)) throw new CSocketException("Error reading socket data", ErrorDetail().c_str());
}

std::string CSocketClient::ErrorDetail() const
{
    char text[512] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, DWORD(m_lastError),
                             0, text, sizeof text, NULL);
    while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) text[--n] = '\0';
    if (n == 0) snprintf(text, sizeof text, "error %d", m_lastError);
    return text;
}
