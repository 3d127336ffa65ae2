// Whole-file reads and crash-safe whole-file writes on Windows paths, and folder trees.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class FileIo {
public:
    enum ReadResult { Read, Missing, Unreadable };
    // Reads the whole file. Missing only when the file (or its folder) does not exist; a file
    // that exists but cannot be opened or read (held by another program, a read error) is
    // Unreadable after a few tries spread over about half a second. contents is empty unless Read.
    static ReadResult read(const std::string& path, std::string& contents);
    // The same, reading at most limit bytes: a settings file grown huge (damaged, or made so on
    // purpose) is never read whole into memory. truncated tells whether the file held more.
    static ReadResult read(const std::string& path, std::string& contents, std::size_t limit,
                           bool& truncated);
    // Reads the whole file; false (and empty) when it cannot be opened or read.
    static bool readAll(const std::string& path, std::string& contents);

    // Writes path + ".tmp", flushes it and moves it over path in one step, so a crash at any
    // moment leaves either the old or the new file. False when any step fails; the old file is
    // then as it was. Never creates the folder.
    static bool replaceContents(const std::string& path, const std::string& contents);

    static bool exists(const std::string& path);
    static bool isDirectory(const std::string& path);

    // Names in a folder other than "." and "..", in the order the file system lists them.
    static std::vector<std::string> listFolder(const std::string& folder);

    // Deletes a folder with everything below it, depth first; failures are skipped.
    static void removeTree(const std::string& folder);

    // Joins a folder and a name with exactly one backslash between them.
    static std::string join(const std::string& folder, const std::string& name);

    // Drops trailing backslashes and slashes ("C:\data\\" -> "C:\data").
    static std::string withoutTrailingSeparators(const std::string& folder);
};
