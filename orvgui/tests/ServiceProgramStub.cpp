// Stands in for the service program when the preferences install or remove the service: appends
// its command line, as one line, to "installer_calls.txt" beside itself and ends with the exit
// code named by ORV_STUB_EXIT (0 when unset).
#include <windows.h>

#include <cstdlib>
#include <string>

int main()
{
    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(NULL, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return 90;
    std::string record(path, length);
    record = record.substr(0, record.find_last_of('\\') + 1) + "installer_calls.txt";
    HANDLE file = ::CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 91;
    const std::string line = std::string(::GetCommandLineA()) + "\n";
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, NULL);
    ::CloseHandle(file);
    char code[16] = "";
    const DWORD codeLength = ::GetEnvironmentVariableA("ORV_STUB_EXIT", code, sizeof code);
    return codeLength > 0 && codeLength < sizeof code ? std::atoi(code) : 0;
}
