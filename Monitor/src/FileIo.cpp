#include "Monitor/FileIo.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close()
    {
        if (!valid())
            return true;
        BOOL ok = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return ok != FALSE;
    }

private:
    HANDLE handle_;
};

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Puts the finished temporary file in place of path in one step. A rename over a file that
// someone holds open is refused; replacing it still works then, and a reader that holds it
// briefly (an editor, a scanner) gets a few more chances before the save gives up.
bool moveOver(const std::string& temporary, const std::string& path)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0)
            Sleep(20);
        if (MoveFileExA(temporary.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
            return false;
        if (ReplaceFileA(path.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return true;
    }
    return false;
}

// Renames the open, finished temporary file over path through its own handle: the quickest way
// (no second open of the file). False when the system refuses, for example while someone holds
// path open; moveOver then tries its way.
bool renameOpenFile(HANDLE file, const std::string& path)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length <= 1)
        return false;
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + length * sizeof(WCHAR));
    FILE_RENAME_INFO* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>((length - 1) * sizeof(WCHAR));
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, info->FileName, length);
    return SetFileInformationByHandle(file, FileRenameInfo, info,
                                      static_cast<DWORD>(buffer.size())) != FALSE;
}

}  // namespace

bool FileIo::readAll(const std::string& path, std::string& contents)
{
    return read(path, contents) == Read;
}

namespace {

// Reads at most limit bytes; truncated tells whether the file held more.
FileIo::ReadResult readOnce(const std::string& path, std::string& contents, std::size_t limit,
                            bool& truncated, DWORD& error)
{
    truncated = false;
    contents.clear();
    error = 0;
    // Share everything: a save may replace the file while another thread reads it.
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileIo::Missing
                                                                              : FileIo::Unreadable;
    }
    // Read into a buffer of the file's size plus one byte, so one call normally reads it all
    // and the next one confirms the end; a file that grows meanwhile is read on to its end.
    // One byte past the limit is read to learn whether the file holds more.
    const std::string::size_type most = limit < (1ull << 62) ? limit + 1 : limit;
    LARGE_INTEGER size;
    std::string::size_type capacity = 65536;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) < (1ull << 31))
        capacity = static_cast<std::string::size_type>(size.QuadPart) + 1;
    capacity = std::min(capacity, most);
    std::string::size_type used = 0;
    contents.resize(capacity);
    for (;;) {
        if (used == contents.size()) {
            if (used >= most) {
                truncated = true;
                contents.resize(limit);
                return FileIo::Read;
            }
            contents.resize(std::min(contents.size() * 2, most));
        }
        DWORD want = static_cast<DWORD>(
            std::min<std::string::size_type>(contents.size() - used, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.get(), &contents[used], want, &got, nullptr)) {
            error = GetLastError();
            contents.clear();
            return FileIo::Unreadable;
        }
        if (got == 0) {
            contents.resize(used);
            return FileIo::Read;
        }
        used += got;
    }
}

}  // namespace

FileIo::ReadResult FileIo::read(const std::string& path, std::string& contents)
{
    bool truncated = false;
    return read(path, contents, static_cast<std::size_t>(-1), truncated);
}

FileIo::ReadResult FileIo::read(const std::string& path, std::string& contents,
                                std::size_t limit, bool& truncated)
{
    DWORD error = 0;
    ReadResult result = Unreadable;
    // Another program (a scanner, a backup, an editor) may hold the file for a moment.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (attempt > 0)
            Sleep(50);
        result = readOnce(path, contents, limit, truncated, error);
        if (result != Unreadable)
            break;
    }
    if (result == Unreadable)
        SetLastError(error);
    return result;
}

bool FileIo::replaceContents(const std::string& path, const std::string& contents)
{
    const std::string temporary = path + ".tmp";
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return false;
        std::string::size_type done = 0;
        bool ok = true;
        while (ok && done < contents.size()) {
            DWORD chunk = static_cast<DWORD>(
                std::min<std::string::size_type>(contents.size() - done, 1u << 20));
            DWORD written = 0;
            ok = WriteFile(file.get(), contents.data() + done, chunk, &written, nullptr) &&
                 written == chunk;
            done += written;
        }
        // The data must be on disk before the rename makes it the file of record.
        ok = ok && FlushFileBuffers(file.get());
        if (ok && renameOpenFile(file.get(), path)) {
            file.close();   // the new file is in place and on disk
            return true;
        }
        ok = file.close() && ok;
        if (!ok) {
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (!moveOver(temporary, path)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

bool FileIo::exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileIo::isDirectory(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FileIo::listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(join(folder, "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return names;
}

void FileIo::removeTree(const std::string& folder)
{
    // Collect first: deleting entries while the search is open may skip some.
    std::vector<std::pair<std::string, DWORD>> entries;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(join(folder, "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..")
                entries.emplace_back(join(folder, name), entry.dwFileAttributes);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    for (const auto& e : entries) {
        const std::string& path = e.first;
        DWORD attributes = e.second;
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A linked folder is removed as a link: what it points to is not the item's.
            if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
                RemoveDirectoryA(path.c_str());
            else
                removeTree(path);
        } else {
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(withoutTrailingSeparators(folder).c_str());
}

std::string FileIo::join(const std::string& folder, const std::string& name)
{
    return withoutTrailingSeparators(folder) + "\\" + name;
}

std::string FileIo::withoutTrailingSeparators(const std::string& folder)
{
    std::string::size_type end = folder.size();
    while (end > 0 && isSeparator(folder[end - 1]))
        --end;
    return folder.substr(0, end);
}
