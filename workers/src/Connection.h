// The TCP connection every socket check uses (port, POP3, SMTP): the network layer's NetSocket
// under the name the checks know. Every operation is bounded: connect (the name lookup included)
// by its own time-out, send and read by setTimeout (default 10 s), and a wait gives up within
// about 100 ms of a stop:
//
//     Connection c;
//     c.setCancel([this] { return stopRequested(); });     // optional
//     if (!c.connect(host, port, limitMs)) return fail(c.lastError());
//     c.setTimeout(limitMs);
//     std::string line;
//     if (!c.readLine(line)) return fail(c.lastError());  // greeting, CR LF or LF stripped
//     if (!c.sendAll("QUIT\r\n")) ...
#pragma once

#include "NetSocket.h"

class Connection : public NetSocket {
public:
    Connection() { startWinsock(); }

    // Starts Winsock once for the whole process (never cleaned up: other code may still use it).
    // The connection itself does not need it; code that still speaks Winsock directly does.
    static bool startWinsock();
};
