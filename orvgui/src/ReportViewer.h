// Writes a report of an item and opens the file with the shell's "open"; what the report manager's
// View and the frame's "Run default report" do. The opener is a seam for tests.
#pragma once

#include <windows.h>

#include <string>

class MonitorItemSettings;
class ReportManager;
struct Report;

class ReportViewer {
public:
    // Opens the file; answers what ShellExecute answers (above 32 for success).
    typedef INT_PTR (*OpenFunction)(HWND owner, const char* path);
    static void setOpenFunction(OpenFunction open);   // null: the shell

    static const char kNoReports[];      // "No reports found. Please create one"
    static const char kNoItem[];
    static const char kNotWritten[];

    // Why the default report cannot run for the item; empty when it can.
    static std::string defaultReportRefusal(ReportManager& reports, MonitorItemSettings* item);
    // Writes and opens the report of the item. A failure is told to the user in a message box
    // owned by the owner; answers whether the file was written and opened.
    static bool view(HWND owner, const Report& report, MonitorItemSettings* item);
    // The default report of the item, or the refusal's message.
    static bool viewDefault(HWND owner, ReportManager& reports, MonitorItemSettings* item);
};
