// The alarm mail recipients as the user edits them: one text with the addresses separated by
// commas. The item keeps them as a list.
#pragma once

#include <string>
#include <vector>

class AlarmRecipients {
public:
    // The addresses of the text: split at every comma, each piece trimmed of blanks, tabs and
    // line breaks, empty pieces dropped (so no mail ever goes to "" or to " x@y").
    static std::vector<std::string> split(const std::string& text);
    // The list as one text for editing: every address followed by a comma.
    static std::string join(const std::vector<std::string>& recipients);
};
