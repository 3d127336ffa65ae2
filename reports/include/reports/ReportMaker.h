// Makes one report of one item: made on the stack for one run.
//
// Every item text (name, address, alert text and the servers' response messages) is escaped for
// the output type, so a monitored server cannot put markup or script into a page the user opens.
// The item's history is copied under the item's lock before anything is written.
#pragma once

#include <string>

class MonitorItemSettings;
struct Report;

class ReportMaker {
public:
    // A report of the item by the definition. Either may be null: the report then says so.
    ReportMaker(const Report* report, MonitorItemSettings* item);
    // For the alert page of the item.
    explicit ReportMaker(MonitorItemSettings* item);

    // Writes the report to the definition's output path (or the data folder's
    // "Reports\<name>.html|.csv|.xml") in its output type and returns the path; empty when the
    // file could not be written.
    std::string runReport();
    // The report as an HTML document (what an alarm mail carries), whatever the output type.
    std::string getReportString();
    // Writes the alert page: the text with every "<%WEBSITE_NAME%>" replaced by the item's name
    // and address, into the temporary folder; returns its path, empty on failure.
    std::string runAlertReport(const std::string& alertText);

    // The whole text written to a file (Windows path) through Win32; false on failure.
    static bool writeFile(const std::string& path, const std::string& text);

private:
    const Report* report_;
    MonitorItemSettings* item_;
};
