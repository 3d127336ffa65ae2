// The blocking socket: as CAsyncSocket, and Send does not return until every byte is sent
// (or the peer stopped taking data for longer than the I/O time-out).
#pragma once
#include "CAsyncSocket.h"

class CSocket : public CAsyncSocket {
    DECLARE_DYNAMIC(CSocket)
public:
    int Send(const void* lpBuf, int nBufLen, int nFlags = 0) override;
};
