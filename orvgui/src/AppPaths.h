// Where the GUI program finds things: its own folder, the user's data folder (created when
// missing), the reports folder, and the first-run file that tells the service the data folder.
#pragma once

#include <string>

class AppPaths {
public:
    static const char kTitle[];              // "Orvane": the data folder's name
    static const char kServiceHelperFile[];  // "service_helper.txt"

    // The drive and folder of the running program, ending in a backslash.
    static std::string programFolder();
    // The drive and folder of a path, ending in a separator; "" for a bare file name.
    static std::string folderOf(const std::string& path);
    // The user's application-data folder + "Orvane\", created when missing; "" when the system
    // gives no application-data folder (files are then taken from the current folder).
    static std::string dataFolder();
    // The data folder under an application-data folder ("" gives "").
    static std::string dataFolderUnder(const std::string& appData);
    // The data folder + "Reports\", created when missing.
    static std::string reportsFolder(const std::string& dataFolder);
    // Writes "service_helper.txt" into the program folder: the data folder and a line break.
    static bool writeServiceHelper(const std::string& programFolder, const std::string& dataFolder);
    // Creates one folder level when it is missing; true when it exists afterwards.
    static bool ensureFolder(const std::string& folder);
};
