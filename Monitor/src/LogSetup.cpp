#include "Monitor/LogSetup.h"

#include <windows.h>

#include <iostream>

namespace {

// Splits the program's path into drive and directory, the way _splitpath would, and joins them
// again without the file name: the program's folder with its trailing backslash.
std::string folderOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of("\\/");
    if (slash != std::string::npos)
        return path.substr(0, slash + 1);
    std::string::size_type colon = path.find(':');
    return colon != std::string::npos ? path.substr(0, colon + 1) : std::string();
}

// log4cxx opens files with the C library, which takes Unix paths.
std::string unixPathOf(const std::string& windowsPath)
{
    typedef char*(CDECL * ToUnix)(LPCWSTR);
    static ToUnix toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return windowsPath;
    int length = MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return windowsPath;
    WCHAR* wide = new WCHAR[length];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, length);
    char* unixPath = toUnix(wide);
    delete[] wide;
    if (!unixPath)
        return windowsPath;
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

void reportBadFile(const std::string& reason)
{
    std::cout << "Bad configuration file : " << std::endl << reason << std::endl;
}

}  // namespace

LogSetup::LogSetup()
{
    configure(configPath());
}

LogSetup& LogSetup::instance()
{
    static LogSetup setup;
    return setup;
}

void LogSetup::getLogger(LogSetup&, log4cxx::LoggerPtr& logger, const char* name)
{
    logger = log4cxx::Logger::getLogger(name);
}

std::string LogSetup::configPath()
{
    char path[2048] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return "log4cxx.cfg";
    return folderOf(std::string(path, length)) + "log4cxx.cfg";
}

bool LogSetup::configure(const std::string& windowsPath)
{
    // log4cxx only prints its own complaint for a file it cannot read and carries on; check
    // first so the user gets the same report as for a file it rejects.
    HANDLE file = CreateFileA(windowsPath.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reportBadFile("Cannot read " + windowsPath);
        return false;
    }
    CloseHandle(file);
    try {
        if (log4cxx::PropertyConfigurator::configure(log4cxx::File(unixPathOf(windowsPath))) !=
            log4cxx::spi::ConfigurationStatus::Configured) {
            reportBadFile("log4cxx could not use " + windowsPath);
            return false;
        }
    } catch (const log4cxx::helpers::Exception& e) {
        reportBadFile(e.what());
        return false;
    }
    return true;
}
