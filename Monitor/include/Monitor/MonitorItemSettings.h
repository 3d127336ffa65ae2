// One watch item as every module sees it: plain records handed out by reference, edited in place
// by the callers, and written to the item's folder by save().
//
// Threads: a worker thread writes ItemStatus and calls addResult while host threads read, edit and
// save the same item. Hold the item's lock (MonitorItemLock, or lock()/unlock()) around every read
// or write of a record field shared with another thread and around history iteration. addResult,
// resetStatistics and save take the lock themselves; the lock is recursive, so they may be called
// while holding it. Never hold it across a network wait, a notifier call or a message box.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Kind of check an item runs (ItemGeneralSettings::type). Stored as a plain int: a file may hold a
// value outside this list, and such an item gets no worker.
enum ItemType : int {
    ItemPing = 0,
    ItemHttp = 1,
    ItemHttps = 2,
    ItemSmtp = 3,
    ItemPop3 = 4,
    ItemFtp = 5,
    ItemPort = 6
};

// Unit of ItemGeneralSettings::interval. A new item has 0 (no unit).
enum IntervalUnit : int {
    UnitSeconds = 1,
    UnitMinutes = 2,
    UnitHours = 3,
    UnitDays = 4
};

struct ItemGeneralSettings {
    std::string name;        // display name chosen by the user
    std::string address;     // host name, IP address or URL
    int interval = 0;        // check frequency, counted in intervalUnit
    int intervalUnit = 0;    // IntervalUnit
    bool enabled = false;
    int type = 0;            // ItemType
    int port = 0;
    int timeoutMs = 0;       // a success slower than this counts as a failure
};

struct FtpSettings {
    std::string userName;
    std::string password;
    std::string downloadLocalFile;
    std::string downloadRemoteFile;
    std::string uploadLocalFile;
    std::string uploadRemoteFile;
};

struct HttpSettings {
    std::string searchText;  // empty: a successful download alone counts
    bool caseSensitive = false;
    bool saveSuccessfulPages = false;
    bool saveFailedPages = false;
    std::string reservedText1;
    std::string reservedText2;
};

struct Pop3Settings {
    std::string userName;
    std::string password;
    bool headerOnly = false;
    std::string headerSearchText;  // empty: header not searched
    std::string bodySearchText;    // empty: message not retrieved or searched
};

struct SmtpSettings {
    std::string to;
    std::string from;
    std::string subject;
    std::string body;
    std::string authUser;          // empty: no authentication
    std::string authPassword;
    bool reservedFlag = false;
};

struct AlarmTrigger {
    bool enabled = false;
    int failureThreshold = 0;      // consecutive failed checks that raise the alarm
    bool autoReset = false;
    int resetThreshold = 0;        // consecutive successful checks that reset it
};

struct CommandAction {
    std::string program;
    bool programEnabled = false;
    std::string url;
    bool urlEnabled = false;
};

struct MailAction {
    std::vector<std::string> recipients;
    bool enabled = false;
    bool sendSms = false;
    bool reservedFlag1 = false;
    bool reservedFlag2 = false;
    bool attachReport = false;
};

struct SoundAction {
    std::string soundFile;
    bool enabled = false;
    bool loop = false;
};

struct VisualAction {
    std::string text;
    bool enabled = false;
};

// Statistics (stored in statistics.cfg) and live state (not stored).
struct ItemStatus {
    int totalChecks = 0;
    int failedChecks = 0;
    std::time_t lastFailureTime = 0;   // 0 when none
    std::time_t lastSuccessTime = 0;   // 0 when none
    int lastResponseMs = 0;
    std::string lastMessage;
    int busy = 0;                      // 1 while a worker runs a cycle
    int failed = 0;                    // 1 when the last cycle failed
    float averageResponseMs = 0;
    int consecutiveSuccesses = 0;
    int consecutiveFailures = 0;
    bool active = false;
    std::time_t nextRunTime = 0;
};

// One history entry.
struct ResultRecord {
    std::time_t time = 0;   // seconds since 1970
    int responseMs = 0;
    int code = 0;           // HTTP status for HTTP(S); a fixed value per other check kind
    std::string message;
    bool ok = false;
};

class MonitorItemSettings {
public:
    typedef std::vector<ResultRecord> History;
    typedef History::const_iterator HistoryIterator;

    // Deleting a stored item saves it first.
    virtual ~MonitorItemSettings() {}

    virtual ItemGeneralSettings& getGeneral() = 0;
    virtual FtpSettings& getFtp() = 0;
    virtual HttpSettings& getHttp() = 0;
    virtual Pop3Settings& getPop3() = 0;
    virtual SmtpSettings& getSmtp() = 0;
    virtual AlarmTrigger& getAlarmTrigger() = 0;
    virtual CommandAction& getCommandAction() = 0;
    virtual MailAction& getMailAction() = 0;
    virtual SoundAction& getSoundAction() = 0;
    virtual VisualAction& getVisualAction() = 0;
    virtual ItemStatus& getStatus() = 0;

    // Item folder + "actlog.txt".
    virtual std::string getLogPath() = 0;
    // Item folder with its trailing backslash.
    virtual std::string getDirectory() = 0;

    // Records one finished check in the history and the statistics (memory only until save).
    virtual void addResult(std::time_t time, int code, const std::string& message, int responseMs,
                           bool ok) = 0;
    // Clears statistics and history and writes statistics.cfg at once.
    virtual void resetStatistics() = 0;
    // Writes options.cfg and statistics.cfg.
    virtual void save() = 0;

    // History, oldest first. Hold the item's lock while iterating: addResult appends from the
    // worker thread and may move the entries.
    virtual HistoryIterator historyBegin() = 0;
    virtual HistoryIterator historyEnd() = 0;

    // The item's recursive lock (see the top of this file).
    virtual void lock() = 0;
    virtual void unlock() = 0;
};
