// The item's activity log (actlog.txt), which the user reads to see what every cycle did. One per
// worker: start() opens it for appending and writes the two header lines when the file is new;
// each write() appends one CR LF line at once. A file that cannot be opened is skipped silently.
#pragma once

#include <windows.h>

#include <string>

class MonitorItemSettings;

class WorkerTestLog {
public:
    WorkerTestLog();
    ~WorkerTestLog();
    WorkerTestLog(const WorkerTestLog&) = delete;
    WorkerTestLog& operator=(const WorkerTestLog&) = delete;

    void setPath(const std::string& path) { path_ = path; }
    const std::string& path() const { return path_; }
    // Opens the path for appending (closing an earlier file); false when it cannot be opened.
    bool open();
    // When enabled: opens the file and, when it did not exist, writes
    // "Watch item name: \t\t\t<name>" and "Watch item address: \t\t<address>".
    void start(MonitorItemSettings* item);
    // When enabled and open: the line and CR LF.
    void write(const std::string& line);
    // Lines are handed to the system as they are written; nothing waits in a buffer.
    void flush();
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    bool isOpen() const { return file_ != INVALID_HANDLE_VALUE; }

private:
    void close();

    std::string path_;
    HANDLE file_;
    bool enabled_;
};
