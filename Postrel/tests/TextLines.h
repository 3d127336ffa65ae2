// The CR LF lines of a message text, as the tests compare them (the text after the last CR LF is
// the last line, empty when the text ends with one).
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t crlf = text.find("\r\n", start);
        lines.push_back(text.substr(start, crlf == std::string::npos ? std::string::npos : crlf - start));
        if (crlf == std::string::npos) return lines;
        start = crlf + 2;
    }
}
