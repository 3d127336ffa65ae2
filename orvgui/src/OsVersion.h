// The Windows-version tests of the GUI (list control arrows, caption button, preferences): the
// platform and version GetVersionEx reports, read once.
#pragma once

#include <windows.h>

class OsVersion {
public:
    // The running system (GetVersionEx, read on the first call).
    static const OsVersion& current();
    // A version given by hand (tests).
    explicit OsVersion(const OSVERSIONINFOA& info);

    bool win9x() const { return platform_ == VER_PLATFORM_WIN32_WINDOWS; }
    bool nt() const { return platform_ == VER_PLATFORM_WIN32_NT; }
    bool win95() const { return win9x() && major_ == 4 && minor_ == 0; }
    bool win98() const { return win9x() && major_ == 4 && minor_ == 10; }
    bool winMe() const { return win9x() && major_ == 4 && minor_ == 90; }
    bool nt4() const { return nt() && major_ == 4; }
    bool win2000() const { return nt() && major_ == 5 && minor_ == 0; }
    bool winXP() const { return nt() && major_ == 5 && minor_ == 1; }

    static bool isWin9x() { return current().win9x(); }
    static bool isNT() { return current().nt(); }
    static bool isWin95() { return current().win95(); }
    static bool isWin98() { return current().win98(); }
    static bool isWinMe() { return current().winMe(); }
    static bool isNT4() { return current().nt4(); }
    static bool isWin2000() { return current().win2000(); }
    static bool isWinXP() { return current().winXP(); }

private:
    DWORD platform_;
    DWORD major_;
    DWORD minor_;
};
