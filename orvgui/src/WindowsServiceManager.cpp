#include "WindowsServiceManager.h"

bool WindowsServiceManager::open()
{
    close();
    m_manager = ::OpenSCManagerA(NULL, "ServicesActive", SC_MANAGER_ALL_ACCESS);
    if (m_manager == NULL)
        return false;
    m_service = ::OpenServiceA(m_manager, m_name.c_str(), SERVICE_ALL_ACCESS);
    if (m_service == NULL) {
        close();
        return false;
    }
    return true;
}

void WindowsServiceManager::close()
{
    if (m_service != NULL)
        ::CloseServiceHandle(m_service);
    if (m_manager != NULL)
        ::CloseServiceHandle(m_manager);
    m_service = NULL;
    m_manager = NULL;
}

bool WindowsServiceManager::stop(SERVICE_STATUS& status)
{
    return m_service != NULL && ::ControlService(m_service, SERVICE_CONTROL_STOP, &status);
}

bool WindowsServiceManager::start()
{
    return m_service != NULL && ::StartServiceA(m_service, 0, NULL);
}

bool WindowsServiceManager::query(SERVICE_STATUS& status)
{
    return m_service != NULL && ::QueryServiceStatus(m_service, &status);
}
