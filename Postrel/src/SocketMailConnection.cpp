#include "SocketMailConnection.h"

BOOL CSocketMailConnection::Connect(const std::string& host, UINT port)
{
    return m_socket.connect(host, int(port), Bounded(m_connectMs)) ? TRUE : FALSE;
}

BOOL CSocketMailConnection::Send(const std::string& data, DWORD timeoutMs)
{
    m_socket.setTimeout(Bounded(timeoutMs));
    return m_socket.sendAll(data) ? TRUE : FALSE;
}

int CSocketMailConnection::Receive(char* buffer, int size, DWORD timeoutMs)
{
    m_socket.setTimeout(Bounded(timeoutMs));
    return m_socket.readSome(buffer, size);
}
