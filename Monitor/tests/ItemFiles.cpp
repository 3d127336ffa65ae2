#include "ItemFiles.h"

#include <windows.h>

#include "orv/TestEnv.h"

namespace itemtest {

void writeBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readBytes(const std::string& path)
{
    return orvtest::readFile(path, "<missing>");
}

bool pathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string scratch(const std::string& name)
{
    return orvtest::makeScratchFolder(name);
}

}  // namespace itemtest
