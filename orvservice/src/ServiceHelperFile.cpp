#include "ServiceHelperFile.h"

#include <windows.h>

const char ServiceHelperFile::kFileName[] = "service_helper.txt";

std::string ServiceHelperFile::pathBesideProgram()
{
    char path[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length < MAX_PATH ? length : MAX_PATH);
    std::string::size_type slash = program.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? std::string() : program.substr(0, slash + 1);
    return folder + kFileName;
}

bool ServiceHelperFile::readFirstLine(const std::string& path, std::string& line)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;

    // A path is short; reading stops at the first line end or after this much text.
    const std::string::size_type kLimit = 32768;
    std::string text;
    bool ok = true;
    char buffer[512];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &read, nullptr)) {
            ok = false;
            break;
        }
        if (read == 0)
            break;
        text.append(buffer, read);
        if (text.find_first_of("\r\n") != std::string::npos || text.size() >= kLimit)
            break;
    }
    CloseHandle(file);
    if (!ok)
        return false;

    line = text.substr(0, text.find_first_of("\r\n"));
    return true;
}
