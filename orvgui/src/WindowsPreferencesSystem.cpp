#include "WindowsPreferencesSystem.h"

#include <vector>

namespace {

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Orv";

std::string FolderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

WindowsPreferencesSystem& WindowsPreferencesSystem::instance()
{
    static WindowsPreferencesSystem system;
    return system;
}

std::string WindowsPreferencesSystem::installerCommand(const std::string& programFolder, bool install)
{
    return "\"" + programFolder + "orvservice.exe\"" + (install ? " -i" : " -u");
}

std::string WindowsPreferencesSystem::programPath()
{
    char path[2048] = "";
    const DWORD length = ::GetModuleFileNameA(NULL, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

PreferencesSystem::InstallerResult WindowsPreferencesSystem::runServiceInstaller(bool install)
{
    const std::string folder = m_serviceFolder.empty() ? FolderOf(programPath()) : m_serviceFolder;
    const std::string command = installerCommand(folder, install);
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return {Outcome::NotStarted, 0};
    ::CloseHandle(process.hThread);
    InstallerResult result = {Outcome::TimedOut, 0};
    if (::WaitForSingleObject(process.hProcess, kInstallerWaitMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        result.outcome = Outcome::Ran;
        result.exitCode = ::GetExitCodeProcess(process.hProcess, &code) ? code : static_cast<DWORD>(-1);
    }
    ::CloseHandle(process.hProcess);
    return result;
}

bool WindowsPreferencesSystem::writeRunValue(const std::string& text)
{
    HKEY key = NULL;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    // the stored size counts the terminating zero: a reader gets a terminated text
    const LONG status = ::RegSetValueExA(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                         static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
