#include "CSocket.h"

IMPLEMENT_DYNAMIC(CSocket, CAsyncSocket)

int CSocket::Send(const void* lpBuf, int nBufLen, int nFlags) {
    const char* p = static_cast<const char*>(lpBuf);
    int sent = 0;
    while (sent < nBufLen) {
        int n = CAsyncSocket::Send(p + sent, nBufLen - sent, nFlags);
        if (n == SOCKET_ERROR)
            return SOCKET_ERROR;
        sent += n;
    }
    return sent;
}
