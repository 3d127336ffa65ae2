// The file an item's last downloaded page is put in for the browser: the temporary folder, the
// item's name, the time. The name comes from the user, so it is made safe first: no character a
// file name cannot hold, no "..", no device name, no trailing dot or blank, and a bounded length,
// so the file always lands in the temporary folder and can be written.
#pragma once

#include <string>

class LastPageFile {
public:
    static constexpr std::string::size_type kMaxNameLength = 64;

    // The item's name as a file name part.
    static std::string safeName(const std::string& itemName);
    // tempFolder (with or without its final backslash) + safe name + "_" + seconds + ".html".
    static std::string path(const std::string& tempFolder, const std::string& itemName, long long seconds);
    // Writes the page to the file for the item in the system's temporary folder; answers the path,
    // or "" when it could not be written.
    static std::string write(const std::string& itemName, const std::string& page);
};
