#include "MonitorItemRecords.h"

MonitorItemRecords::MonitorItemRecords()
{
    InitializeCriticalSection(&lock_);
}

MonitorItemRecords::~MonitorItemRecords()
{
    DeleteCriticalSection(&lock_);
}

void MonitorItemRecords::lock()
{
    EnterCriticalSection(&lock_);
}

void MonitorItemRecords::unlock()
{
    LeaveCriticalSection(&lock_);
}
