#include "SocketClient.h"
#include "SocketException.h"
#include <stdio.h>

bool CSocketClient::Record(bool ok)
{
    if (!ok) m_lastError = m_socket.lastErrorCode() != 0 ? m_socket.lastErrorCode() : WSAECONNRESET;
    return ok;
}

bool CSocketClient::Connect(const std::string& host, unsigned short port, DWORD connectMs)
{
    bool ok = m_socket.connect(host, port, int(connectMs > 0x7FFFFFFF ? 0x7FFFFFFF : connectMs));
    // an unknown name is an invalid argument to the caller, as a name that is no address
    if (!ok && m_socket.lastErrorCode() == WSAHOST_NOT_FOUND) {
        m_lastError = WSAEINVAL;
        return false;
    }
    return Record(ok);
}

bool CSocketClient::SendAll(const void* data, size_t count)
{
    return Record(m_socket.sendAll(data, count));
}

int CSocketClient::ReceiveSome(void* buffer, size_t size)
{
    int n = m_socket.readSome(static_cast<char*>(buffer), int(size > 0x10000 ? 0x10000 : size));
    if (n < 0) Record(false);
    return n;
}

bool CSocketClient::ReceiveAll(void* buffer, size_t count)
{
    return Record(m_socket.readExactly(static_cast<char*>(buffer), count));
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
