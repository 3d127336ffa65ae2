#include "SocketMailConnection.h"

BOOL CSocketMailConnection::Connect(const std::string& host, UINT port)
{
    if (!m_socket.Create()) return FALSE;
    m_socket.SetTimeouts(m_connectMs, m_socket.GetIoTimeout());
    if (!m_socket.Connect(host.c_str(), port)) {
        m_socket.Close();
        return FALSE;
    }
    return TRUE;
}

BOOL CSocketMailConnection::Send(const std::string& data, DWORD timeoutMs)
{
    m_socket.SetTimeouts(m_connectMs, timeoutMs);
    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {   // in pieces, so that a length never overflows an int
        int chunk = left > 0x100000 ? 0x100000 : int(left);
        int n = m_socket.Send(p, chunk);
        if (n != chunk) return FALSE;
        p += n;
        left -= size_t(n);
    }
    return TRUE;
}

int CSocketMailConnection::Receive(char* buffer, int size, DWORD timeoutMs)
{
    m_socket.SetTimeouts(m_connectMs, timeoutMs);
    int n = m_socket.Receive(buffer, size);
    return n == SOCKET_ERROR ? -1 : n;
}
