#include "Connection.h"

bool Connection::startWinsock()
{
    // A function-local static is initialised exactly once even when two workers start together.
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}
