// Turning item texts (names, addresses, server replies) into HTML text. Every text that comes
// from a user or a network peer goes through escape before it is put into a report.
#pragma once

#include <string>

class HtmlEscape {
public:
    // The text with & < > " ' written as character references, so it can stand both in element
    // content and in a quoted attribute. NUL bytes and other C0 control characters except tab,
    // line feed and carriage return are dropped: they are not allowed in HTML.
    static std::string escape(const std::string& text);
};
