#include "MailTimeouts.h"

namespace {

CRITICAL_SECTION* lockOfTimeouts()
{
    static CRITICAL_SECTION* lock = [] {
        static CRITICAL_SECTION cs;
        InitializeCriticalSection(&cs);
        return &cs;
    }();
    return lock;
}

CMailTimeouts& currentTimeouts()
{
    static CMailTimeouts current;
    return current;
}

}  // namespace

CMailTimeouts CMailTimeouts::Get()
{
    EnterCriticalSection(lockOfTimeouts());
    CMailTimeouts copy = currentTimeouts();
    LeaveCriticalSection(lockOfTimeouts());
    return copy;
}

void CMailTimeouts::Set(const CMailTimeouts& timeouts)
{
    EnterCriticalSection(lockOfTimeouts());
    currentTimeouts() = timeouts;
    LeaveCriticalSection(lockOfTimeouts());
}
