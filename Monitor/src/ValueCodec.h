// Text forms of the values in options.cfg and statistics.cfg.
//
// Numbers are read by their decimal prefix (leading blanks, an optional sign, the digits up to
// the first other character; 0 when there are none), so hand-edited or damaged values still load.
//
// Separators inside texts: a value must not hold '|', a recipient '$' or a blank, a history
// message '^' or ']'. Such characters (and the escape character itself) are written as kEscape
// followed by two upper-case hex digits, and every text is decoded the same way when read. Texts
// without them are written byte for byte, so files of older versions read and write unchanged.
// Every value therefore reads back byte for byte, however often it is loaded and saved (an empty
// recipient excepted: it names nobody and is dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Monitor/MonitorItemSettings.h"

class ValueCodec {
public:
    static const char kEscape = '\x1b';

    static std::int64_t readDecimal(const std::string& text);
    static std::int64_t readDecimal(const char* text, std::size_t size);
    static int readInt(const std::string& text);
    static int readInt(const char* text, std::size_t size);
    static bool readFlag(const std::string& text);
    static std::string writeInt(std::int64_t value);
    static std::string writeFlag(bool value);

    // A plain text value: escapes '|'.
    static std::string encodeText(const std::string& text);
    // Undoes every escape; an escape character not followed by two hex digits stays as it is.
    static std::string decodeText(const std::string& text);

    // Each recipient followed by '$', its blanks escaped. Reading trims each piece to its first
    // blank-delimited word, drops empty pieces and ignores text after the last '$'.
    static std::string encodeRecipients(const std::vector<std::string>& recipients);
    static std::vector<std::string> decodeRecipients(const std::string& value);

    // time^code^message^responseMs^ok^] per entry, oldest first. Text after the last ']' is
    // ignored; missing fields of an entry read as 0 or empty.
    static std::string encodeHistory(const MonitorItemSettings::History& history);
    static MonitorItemSettings::History decodeHistory(const std::string& value);
    // Appends one entry in the form above: a history written entry by entry is byte for byte
    // the history written whole.
    static void appendHistoryEntry(std::string& out, const ResultRecord& record);
    // Decimal digits, with a leading '-' when negative.
    static void appendInt(std::string& out, std::int64_t value);

private:
    static std::string escape(const std::string& text, const char* specials);
};
