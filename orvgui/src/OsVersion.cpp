#include "OsVersion.h"

OsVersion::OsVersion(const OSVERSIONINFOA& info)
    : platform_(info.dwPlatformId), major_(info.dwMajorVersion), minor_(info.dwMinorVersion)
{
}

const OsVersion& OsVersion::current()
{
    static const OsVersion version = [] {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;   // 148 bytes
        if (!GetVersionExA(&info))
            info.dwPlatformId = info.dwMajorVersion = info.dwMinorVersion = 0;
        return OsVersion(info);
    }();
    return version;
}
