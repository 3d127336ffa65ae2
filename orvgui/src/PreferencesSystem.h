// What confirming the preferences does outside the profile: running the service program to
// install or remove the monitoring service, and the start-with-Windows value. Tests put a
// recording system in place of the real one (WindowsPreferencesSystem).
#pragma once

#include <windows.h>

#include <string>

class PreferencesSystem {
public:
    enum class Outcome { Ran, NotStarted, TimedOut };
    struct InstallerResult {
        Outcome outcome;
        DWORD exitCode;   // when it ran: the installer's exit code, 0 for success
        bool succeeded() const { return outcome == Outcome::Ran && exitCode == 0; }
    };

    virtual ~PreferencesSystem() {}
    // Runs "<program folder>\orvservice.exe" with -i (install) or -u (remove) and waits for it.
    virtual InstallerResult runServiceInstaller(bool install) = 0;
    // Sets the value "Orv" of the machine's Run key to the text; false when it could not.
    virtual bool writeRunValue(const std::string& text) = 0;
    // The running program's full path (what the Run value names).
    virtual std::string programPath() = 0;
};
