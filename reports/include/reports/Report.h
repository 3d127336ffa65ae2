// One report definition, owned by the ReportManager. Callers keep raw pointers to it and edit its
// members in place.
#pragma once

#include <ctime>
#include <string>
#include <vector>

// Columns a report can show (the ids of their captions).
enum ReportColumn : int {
    ColumnLine = 61209,
    ColumnDate = 61210,
    ColumnDowntime = 61211,
    ColumnResponseTime = 61212,
    ColumnMonitorType = 61213,
    ColumnSavedPage = 61214,
    ColumnHttpStatusCode = 61215,
    ColumnHttpStatusText = 61216,
    ColumnLastResponseText = 61217
};

enum ReportOutputType : int {
    OutputHtml = 0,
    OutputDelimited = 1,   // '|'-delimited text, one line per history entry
    OutputXml = 2
};

struct Report {
    std::string name;
    std::string outputPath;       // empty: the data folder's Reports\ + name + extension
    int outputType = OutputHtml;  // ReportOutputType
    bool failures = true;         // show failed checks
    bool successes = true;        // show successful checks
    bool useRange = false;        // show only checks from start to end (inclusive)
    std::time_t start = 0;
    std::time_t end = 0;
    std::vector<int> columns;     // ReportColumn ids in display order

    // The caption of a column id ("Line", "Date", ...); empty for any other id.
    static std::string columnCaption(int column);
};
