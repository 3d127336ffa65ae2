#include "AppPaths.h"

#include <windows.h>
#include <shlobj.h>

const char AppPaths::kTitle[] = "Orvane";
const char AppPaths::kServiceHelperFile[] = "service_helper.txt";

std::string AppPaths::folderOf(const std::string& path)
{
    const std::string::size_type slash = path.find_last_of("\\/");
    if (slash != std::string::npos)
        return path.substr(0, slash + 1);
    const std::string::size_type colon = path.find(':');
    return colon != std::string::npos ? path.substr(0, colon + 1) : std::string();
}

std::string AppPaths::programFolder()
{
    char path[2048] = "";
    const DWORD length = ::GetModuleFileNameA(NULL, path, sizeof path);
    return length > 0 && length < sizeof path ? folderOf(std::string(path, length)) : std::string();
}

std::string AppPaths::dataFolderUnder(const std::string& appData)
{
    if (appData.empty())
        return std::string();
    const char last = appData[appData.size() - 1];
    return appData + (last == '\\' || last == '/' ? "" : "\\") + kTitle + "\\";
}

bool AppPaths::ensureFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    if (::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::CreateDirectoryA(folder.c_str(), NULL);
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string AppPaths::dataFolder()
{
    char appData[MAX_PATH] = "";
    if (!::SHGetSpecialFolderPathA(NULL, appData, CSIDL_APPDATA, TRUE))
        return std::string();
    const std::string folder = dataFolderUnder(appData);
    ensureFolder(folder);
    return folder;
}

std::string AppPaths::reportsFolder(const std::string& dataFolder)
{
    const std::string folder = dataFolder + "Reports\\";
    ensureFolder(folder);
    return folder;
}

bool AppPaths::writeServiceHelper(const std::string& programFolder, const std::string& dataFolder)
{
    const std::string path = programFolder + kServiceHelperFile;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const std::string text = dataFolder + "\n";
    DWORD written = 0;
    const bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) && written == text.size();
    ::CloseHandle(file);
    return ok;
}
