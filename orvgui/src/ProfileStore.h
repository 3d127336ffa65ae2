// The GUI's own settings: seventeen text values at fixed positions (ProfileIndex), stored in
// profile.cfg in the data folder, and the visible list columns parsed from position 3.
//
// profile.cfg holds the values in position order, each followed by '|'; position 3 holds column
// ids each followed by '~'. The format has no escaping, so a value holding '|' (or '~', outside
// position 3) would shift every later value on the next load: the setters refuse such values.
//
// Every call through instance() holds the store's lock for that one call:
//     ProfileStore::instance()->getInt(ProfileTimeUnit)
//
// The file is written through a new file put in its place, so a crash never leaves it cut short.
// A file that exists but cannot be read at start-up (held for a moment by a scanner or a backup)
// is logged and never written back unless a value was changed since: the user's settings are not
// replaced by defaults. The same holds for a file larger than kMaxFileBytes, of which only that
// much is read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Positions of the settings.
enum ProfileIndex : int {
    ProfileUnused = 0,
    ProfileLargeButtons = 1,
    ProfileFirstRun = 2,
    ProfileColumns = 3,
    ProfileStartWithWindows = 4,
    ProfileStartHidden = 5,
    ProfileMinimizeToTray = 6,
    ProfileRunAsService = 7,
    ProfileUseProxy = 8,
    ProfileProxyAddress = 9,
    ProfileProxyUser = 10,
    ProfileProxyPassword = 11,
    ProfileProxyPort = 12,
    ProfileColumnPadding = 13,
    ProfileMenuAnimation = 14,
    ProfileTheme = 15,
    ProfileTimeUnit = 16,   // non-zero: response times in milliseconds
    ProfileValueCount = 17
};

class ProfileStore {
public:
    // Holds the store's lock for the life of one call made through it.
    class Access {
    public:
        explicit Access(ProfileStore* store) : store_(store) { EnterCriticalSection(&store_->lock_); }
        ~Access() { LeaveCriticalSection(&store_->lock_); }
        Access(const Access&) = delete;
        Access& operator=(const Access&) = delete;
        ProfileStore* operator->() const { return store_; }

    private:
        ProfileStore* store_;
    };

    // What instance() returns: each -> makes one locked call.
    class Guard {
    public:
        explicit Guard(ProfileStore* store) : store_(store) {}
        Access operator->() const { return Access(store_); }

    private:
        ProfileStore* store_;
    };

    // The text refused by the setters, for the dialogs to show.
    static const char kRefusedValue[];
    // What a load reads at most, and the most visible columns taken from the list.
    static constexpr std::size_t kMaxFileBytes = 64 * 1024;
    static constexpr std::size_t kMaxColumns = 256;

    // The process-wide store, loaded from the data folder on the first call and saved at program
    // exit. Made on the GUI thread at start-up, before any other thread runs.
    static Guard instance();
    // The folder (ending in a backslash) the process-wide store uses; call before instance().
    // Without it the store uses the user's application-data folder + "Orvane\".
    static void setDataFolder(const std::string& folder);

    // A store on the file (Windows path), loaded now; saved, with the column list, when destroyed
    // (unless the file could not be read and nothing was changed, or save() wrote it and nothing
    // changed since).
    explicit ProfileStore(const std::string& path);
    ~ProfileStore();
    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    // The value at the position; "" beyond the stored values.
    std::string getString(int position) const;
    // atoi of the value ("" and other non-numbers read as 0).
    int getInt(int position) const;
    // Replaces the value; false (nothing changed, logged) for a position beyond the stored values
    // or a text the file cannot hold (isStorable).
    bool setString(int position, const std::string& text);
    bool setInt(int position, long value);
    // Whether the text can be stored at the position: no '|', and no '~' outside position 3.
    static bool isStorable(int position, const std::string& text);

    std::vector<int> getColumns() const;
    // Replaces the visible-column list; it reaches the file when the store is destroyed.
    void setColumns(const std::vector<int>& columns);

    // Writes profile.cfg now (positions 0 to 16, the column list as setColumns left it); false when it could not be written, or when the
    // file could not be read at load and no value was changed since (it is left as it is).
    bool save() const;
    // The load found the file but could not read it whole (unreadable, or too large).
    bool unreadable() const { return unreadable_; }

    static std::string defaultValue(int position);
    const std::string& filePath() const { return path_; }

private:
    void load();

    std::string path_;
    std::vector<std::string> values_;
    CRITICAL_SECTION lock_;
    std::vector<int> columns_;
    bool unreadable_;
    bool changed_;   // a value or the column list was changed since the load
    mutable bool savedClean_;   // saved, and nothing changed since
};
