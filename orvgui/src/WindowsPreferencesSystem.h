// The real PreferencesSystem: CreateProcess for the service program (waited for within a bound)
// and HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run for the start entry.
#pragma once

#include "PreferencesSystem.h"

class WindowsPreferencesSystem : public PreferencesSystem {
public:
    // How long the service program may take to install or remove the service.
    static constexpr DWORD kInstallerWaitMs = 60000;

    static WindowsPreferencesSystem& instance();

    // The service program is looked for in the folder (ending in a backslash); "" is the running
    // program's folder.
    explicit WindowsPreferencesSystem(const std::string& serviceFolder = std::string())
        : m_serviceFolder(serviceFolder)
    {
    }

    InstallerResult runServiceInstaller(bool install) override;
    bool writeRunValue(const std::string& text) override;
    std::string programPath() override;

    // The command line that runs the service program of the folder (ending in a backslash).
    static std::string installerCommand(const std::string& programFolder, bool install);

private:
    std::string m_serviceFolder;
};
