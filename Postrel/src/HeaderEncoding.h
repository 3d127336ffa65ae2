// What every message's header and text parts declare about their characters, and the Message-ID
// each message carries.
//
// All text of a mail (the subject, the plain and HTML parts, and the report that an HTML mail is)
// is in the system's ANSI code page, so every part and every encoded header word names that one
// character set, under the name the reports use in their own meta tag.
#pragma once
#include <string>

class CHeaderEncoding {
public:
    // "windows-1252" (or "utf-8" when the ANSI code page is UTF-8).
    static std::string Charset();
    // True when every byte is printable ASCII, a blank, a tab or a line end: such text needs no
    // encoding in a header or a 7bit part.
    static bool IsPlainAscii(const std::string& text);
    // The text as it may stand in a header (RFC 2047): unchanged when plain ASCII, else base64
    // encoded words "=?charset?B?...?=", each at most 75 characters, separated by blanks (where
    // the header may be folded). A UTF-8 character is never split between two words.
    static std::string EncodeWords(const std::string& text);
    // A new, globally unique Message-ID value: "<" + unique part + "@" + domain + ">".
    static std::string NewMessageId(const std::string& domain);
};
