#include "ProfileStore.h"

#include <shlobj.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"

namespace {

const char* const kDefaults[ProfileValueCount] = {
    "0", "1", "1", "144~146~147~154~160~151~153~155~149~", "1", "1", "1", "", "0", "", "", "",
    "80", "15", "2", "0", "0"};

std::string gDataFolder;

std::string applicationDataFolder()
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_APPDATA, TRUE))
        return std::string();
    std::string folder = std::string(path) + "\\Orvane\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

log4cxx::LoggerPtr logger()
{
    static log4cxx::LoggerPtr made;
    if (!made)
        LogSetup::getLogger(LogSetup::instance(), made, "orv.ProfileStore");
    return made;
}

}  // namespace

const char ProfileStore::kRefusedValue[] = "A setting cannot contain the characters '|' or '~'.";

ProfileStore::Guard ProfileStore::instance()
{
    // Destroyed at program exit, which saves the file.
    static ProfileStore store((gDataFolder.empty() ? applicationDataFolder() : gDataFolder) +
                              "profile.cfg");
    return Guard(&store);
}

void ProfileStore::setDataFolder(const std::string& folder)
{
    gDataFolder = folder;
}

ProfileStore::ProfileStore(const std::string& path) : path_(path)
{
    load();
    InitializeCriticalSection(&lock_);
    std::istringstream pieces(values_[ProfileColumns]);
    std::string piece;
    while (std::getline(pieces, piece, '~'))
        columns_.push_back(std::atoi(piece.c_str()));
}

ProfileStore::~ProfileStore()
{
    DeleteCriticalSection(&lock_);
    std::ostringstream columns;
    for (int id : columns_)
        columns << id << '~';
    values_[ProfileColumns] = columns.str();
    save();
}

void ProfileStore::load()
{
    std::string text;
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
            text.append(buffer, got);
        CloseHandle(file);
    }
    // Every value ends with '|'; a last piece without one is not a value.
    size_t start = 0;
    for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        values_.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    while (values_.size() < ProfileValueCount)
        values_.push_back(kDefaults[values_.size()]);
}

bool ProfileStore::save() const
{
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string text;
    for (int i = 0; i < ProfileValueCount; ++i)
        text += values_[i] + "|";
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    CloseHandle(file);
    return ok;
}

std::string ProfileStore::getString(int position) const
{
    if (position < 0 || static_cast<size_t>(position) >= values_.size())
        return std::string();
    return values_[position];
}

int ProfileStore::getInt(int position) const
{
    return std::atoi(getString(position).c_str());
}

bool ProfileStore::isStorable(int position, const std::string& text)
{
    return text.find('|') == std::string::npos &&
           (position == ProfileColumns || text.find('~') == std::string::npos);
}

bool ProfileStore::setString(int position, const std::string& text)
{
    if (position < 0 || static_cast<size_t>(position) >= values_.size())
        return false;
    if (!isStorable(position, text)) {
        LOG4CXX_ERROR(logger(), (boost::format("Setting %1% not changed: %2%") % position %
                                 kRefusedValue).str());
        return false;
    }
    values_[position] = text;
    return true;
}

bool ProfileStore::setInt(int position, long value)
{
    std::ostringstream text;
    text << value;
    return setString(position, text.str());
}

std::vector<int> ProfileStore::getColumns() const
{
    return columns_;
}

void ProfileStore::setColumns(const std::vector<int>& columns)
{
    columns_ = columns;
}

std::string ProfileStore::defaultValue(int position)
{
    if (position < 0 || position >= ProfileValueCount)
        return std::string();
    return kDefaults[position];
}
