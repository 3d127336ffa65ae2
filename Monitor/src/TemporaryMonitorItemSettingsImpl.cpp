#include "TemporaryMonitorItemSettingsImpl.h"

#include <windows.h>

std::string TemporaryMonitorItemSettingsImpl::getLogPath()
{
    char folder[MAX_PATH + 1] = "";
    DWORD length = GetTempPathA(sizeof folder, folder);
    std::string path = (length > 0 && length < sizeof folder) ? std::string(folder, length) : "";
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    path += "temp.cfg";
    DeleteFileA(path.c_str());
    return path;
}

std::string TemporaryMonitorItemSettingsImpl::getDirectory()
{
    return "c:\\";
}
