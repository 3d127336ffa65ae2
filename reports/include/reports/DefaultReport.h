// The default report of one item: a complete HTML document with the item's settings, its
// statistics and its most recent history entries, newest first. The service mails it as the body
// of an alarm when the item asks for the report to be attached.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>

class MonitorItemSettings;

class DefaultReport {
public:
    // Number of history entries shown, newest first.
    static constexpr std::size_t kHistoryRows = 20;

    explicit DefaultReport(MonitorItemSettings& item);

    // Reads the item (under its lock) and writes the whole document.
    std::string html() const;

    // "YYYY-MM-DD hh:mm:ss" in local time; "never" for 0.
    static std::string formatTime(std::time_t time);
    // "Ping", "HTTP", ... for an ItemType; "unknown (n)" for any other value.
    static std::string typeName(int type);
    // "30 seconds", "5 minutes", ...; a unit outside 1..4 gives the bare number.
    static std::string intervalText(int interval, int unit);

private:
    MonitorItemSettings& item_;
};

// The default report's HTML for the item. The data folder is where the store keeps its items; the
// default report is made from the item alone and does not read it. A null item gives a short
// document that says so.
std::string generateDefaultReport(MonitorItemSettings* item, const std::string& dataFolder);
