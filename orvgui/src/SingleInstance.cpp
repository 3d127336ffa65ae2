#include "SingleInstance.h"

#include "Monitor/LogSetup.h"

const char SingleInstance::kMutexName[] = "OrvaneStartUpMutex";
const char SingleInstance::kAlreadyRunning[] = "Application is already running";

bool SingleInstance::acquire(const char* name)
{
    release();
    HANDLE mutex = ::CreateMutexA(NULL, FALSE, name);
    const DWORD error = ::GetLastError();
    if (mutex != NULL && error != ERROR_ALREADY_EXISTS) {
        m_mutex = mutex;
        return true;
    }
    if (mutex != NULL)
        ::CloseHandle(mutex);
    log4cxx::LoggerPtr logger;
    LogSetup::getLogger(LogSetup::instance(), logger, "orv.CWinApp");
    if (error == ERROR_ALREADY_EXISTS)
        LOG4CXX_FATAL(logger, kAlreadyRunning);
    else
        LOG4CXX_FATAL(logger, "The start-up mutex could not be made: error " << error);
    return false;
}

void SingleInstance::release()
{
    if (m_mutex == NULL)
        return;
    ::CloseHandle(m_mutex);
    m_mutex = NULL;
}
