// A file of text values, each followed by '|', with no header and no line structure: the form of
// options.cfg and statistics.cfg. The file has a fixed number of positions, each with a default
// that stands in for a value the file lacks. Values are kept byte for byte (no newline
// translation), so a file read and written back unchanged is byte-identical.
#pragma once

#include <string>
#include <vector>

class ValueFile {
public:
    // Binds to path and loads it at once; defaults.size() is the number of positions.
    ValueFile(const std::string& path, const std::vector<std::string>& defaults);

    // Fills the list from the file: every value that ends in '|' (text after the last '|' is
    // not taken), then the defaults of the positions the file did not reach. Values beyond the
    // last position are kept in the list but never written. A file that exists but cannot be
    // read gives the defaults too, and marks the list unreadable: save() then leaves the file
    // alone, so the user's values are never replaced by defaults.
    void load();
    // The last load found the file but could not read it (GetLastError code in readError()).
    bool unreadable() const { return unreadable_; }
    unsigned long readError() const { return readError_; }

    // "" for a position beyond the list.
    std::string get(std::size_t position) const;
    // The same without a copy; valid until the list changes.
    const std::string& value(std::size_t position) const;
    // Ignored for a position beyond the list.
    void set(std::size_t position, const std::string& value);
    void set(std::size_t position, std::string&& value);
    // Adds text to the end of a value; ignored for a position beyond the list.
    void append(std::size_t position, const std::string& text);

    // The file's text: the values of the fixed positions, each followed by '|'.
    std::string contents() const;
    // Replaces the file in one step; false (old file untouched) when it cannot be written or
    // when the last load could not read it. When the text is byte for byte what the last load
    // read or the last save wrote, nothing is written and the result is true.
    bool save();

    const std::string& path() const { return path_; }
    std::size_t size() const { return values_.size(); }

private:
    std::string path_;
    std::vector<std::string> defaults_;
    std::vector<std::string> values_;
    bool unreadable_;
    unsigned long readError_;
    // The file's bytes as the last load read them or the last save wrote them; meaningful only
    // when storedKnown_ (a missing file, or a failed save, leaves it unknown).
    std::string stored_;
    bool storedKnown_;
};
