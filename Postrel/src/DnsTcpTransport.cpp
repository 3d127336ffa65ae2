#include "DnsTcpTransport.h"
#include "MailTimeouts.h"
#include "SocketClient.h"
#include "SocketException.h"

std::string CDnsTcpTransport::Exchange(const std::string& server, const std::string& request)
{
    if (request.size() > 0xFFFF) throw new CSocketException("Request too long");
    const CMailTimeouts timeouts = CMailTimeouts::Get();
    CSocketClient socket;
    if (!socket.Connect(server, 53, timeouts.connectMs))
        throw new CSocketException("Could not connect to server " + server, socket.ErrorDetail().c_str());
    socket.SetIoTimeout(timeouts.dnsIoMs);
    // The whole exchange, not each receive, is bounded: a server that sends one byte at a time
    // must not hold the lookup for longer than one time-out.
    socket.SetDeadline(timeouts.dnsIoMs);
    socket.SendLength(uint16_t(request.size()));
    socket.SendBytes(request.data(), request.size());
    uint16_t length = socket.ReceiveLength();
    std::string response(length, '\0');
    if (length > 0) socket.ReceiveBytes(&response[0], length);
    socket.Close();
    return response;
}
