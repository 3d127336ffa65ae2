#include "ProfileStore.h"

#include <shlobj.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include <boost/format.hpp>

#include "Monitor/FileIo.h"
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

ProfileStore::ProfileStore(const std::string& path)
    : path_(path), unreadable_(false), changed_(false), savedClean_(false)
{
    load();
    InitializeCriticalSection(&lock_);
    // The column ids, each followed by '~' (a last one without it is taken too).
    const std::string& list = values_[ProfileColumns];
    for (size_t start = 0; start < list.size();) {
        if (columns_.size() == kMaxColumns) {
            LOG4CXX_WARN(logger(), (boost::format("%1%: only the first %2% columns are shown") %
                                    path_ % kMaxColumns).str());
            break;
        }
        size_t end = list.find('~', start);
        if (end == std::string::npos)
            end = list.size();
        columns_.push_back(std::atoi(list.substr(start, end - start).c_str()));
        start = end + 1;
    }
}

ProfileStore::~ProfileStore()
{
    DeleteCriticalSection(&lock_);
    // A store saved since its last change is not written again: the program saves the
    // process-wide store at the end of its shut-down, and at the process's end (where this runs)
    // Wine no longer serves file calls.
    if (!savedClean_)
        save();
}

void ProfileStore::load()
{
    std::string text;
    bool truncated = false;
    const FileIo::ReadResult result = FileIo::read(path_, text, kMaxFileBytes, truncated);
    const DWORD error = GetLastError();
    if (result == FileIo::Unreadable) {
        unreadable_ = true;
        LOG4CXX_ERROR(logger(), (boost::format("%1% could not be read (error %2%): the default "
                                               "settings are used, and the file is not written "
                                               "back unless a setting is changed") %
                                 path_ % error).str());
    } else if (truncated) {
        unreadable_ = true;
        LOG4CXX_ERROR(logger(), (boost::format("%1% is larger than %2% bytes: only its start is "
                                               "read, and the file is not written back unless a "
                                               "setting is changed") %
                                 path_ % kMaxFileBytes).str());
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
    if (unreadable_ && !changed_) {
        LOG4CXX_WARN(logger(), (boost::format("%1% not written: it could not be read and no "
                                              "setting was changed") % path_).str());
        return false;
    }
    // the visible columns as the list holds them now
    std::ostringstream columns;
    for (int id : columns_)
        columns << id << '~';
    std::string text;
    for (int i = 0; i < ProfileValueCount; ++i)
        text += (i == ProfileColumns ? columns.str() : values_[i]) + "|";
    if (!FileIo::replaceContents(path_, text)) {
        const DWORD error = GetLastError();
        LOG4CXX_ERROR(logger(), (boost::format("%1% could not be written (error %2%)") % path_ %
                                 error).str());
        return false;
    }
    savedClean_ = true;
    return true;
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
    if (values_[position] != text) {
        values_[position] = text;
        changed_ = true;
        savedClean_ = false;
    }
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
    if (columns_ != columns) {
        columns_ = columns;
        changed_ = true;
        savedClean_ = false;
    }
}

std::string ProfileStore::defaultValue(int position)
{
    if (position < 0 || position >= ProfileValueCount)
        return std::string();
    return kDefaults[position];
}
