// How long the library waits on the network. Every connect, send and receive is bounded, so a
// dead or silent name server or exchanger costs at most these times before the next is tried.
#pragma once
#include <windows.h>

class CMailTimeouts {
public:
    DWORD connectMs = 10000;     // TCP connect to a name server or an exchanger
    DWORD dnsIoMs = 10000;       // one DNS exchange: the request sent and the whole response read
    DWORD replyMs = 30000;       // each SMTP reply, and each send of a command
    DWORD dataReplyMs = 60000;   // the reply to the end of the message text (servers scan it first)

    static CMailTimeouts Get();
    // For tests that must not wait for the defaults; takes effect for later connections.
    static void Set(const CMailTimeouts& timeouts);
};
