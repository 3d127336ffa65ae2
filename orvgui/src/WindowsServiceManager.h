// The system's service manager for one service by name.
#pragma once

#include <string>

#include "ServiceManager.h"

class WindowsServiceManager : public ServiceManager {
public:
    explicit WindowsServiceManager(const std::string& serviceName) : m_name(serviceName) {}
    ~WindowsServiceManager() override { close(); }

    bool open() override;
    void close() override;
    bool stop(SERVICE_STATUS& status) override;
    bool start() override;
    bool query(SERVICE_STATUS& status) override;
    void sleep(DWORD ms) override { ::Sleep(ms); }
    DWORD nowMs() override { return ::GetTickCount(); }

private:
    std::string m_name;
    SC_HANDLE m_manager = NULL;
    SC_HANDLE m_service = NULL;
};
