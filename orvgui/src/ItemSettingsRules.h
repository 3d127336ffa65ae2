// The rules of an item's general settings that the properties page and the new-item wizard share,
// as functions of plain values: the unit and protocol captions and their numbers, the port each
// protocol takes when the user picks it, the check interval's bounds and the cleaned address.
#pragma once

#include <string>

class ItemSettingsRules {
public:
    enum Unit { UnitSeconds = 1, UnitMinutes = 2, UnitHours = 3, UnitDays = 4 };
    enum Type { TypePing = 0, TypeHttp = 1, TypeHttps = 2, TypeSmtp = 3, TypePop3 = 4, TypeFtp = 5, TypePort = 6 };

    // String ids of the captions: units 1..4 are 194..197, types 0..6 are 198..204.
    static unsigned unitCaptionId(int unit) { return 193u + unit; }
    static unsigned typeCaptionId(int type) { return 198u + type; }
    // The caption of a unit or a type (the program's string table, else the built-in text).
    static std::string unitCaption(int unit);
    static std::string typeCaption(int type);
    // The unit (1..4) whose caption is exactly the text, 0 for none; the type (0..6), -1 for none.
    static int unitFromCaption(const std::string& text);
    static int typeFromCaption(const std::string& text);

    // The port a protocol takes when the user picks it: Ping 0, HTTP 80, HTTPS 443, SMTP 25,
    // POP3 110, FTP 21; Port (and anything else) keeps the current one.
    static int defaultPort(int type, int currentPort);
    // Whether the protocol has a settings dialog (HTTP, HTTPS, SMTP, POP3, FTP).
    static bool hasSettings(int type) { return type >= TypeHttp && type <= TypeFtp; }

    // The check interval of frequency × unit, checked: nullptr when it may be kept, else the
    // message that refuses it. The whole interval is at least 30 seconds in every unit, and at
    // most kMaxIntervalSeconds (24 days), so that a worker's wait in milliseconds fits a 32-bit
    // number; a unit outside 1..4 is refused too. The properties page and the wizard both call it.
    static const char* intervalError(long long frequency, int unit);
    static long long intervalSeconds(long long frequency, int unit);
    static const long long kMinIntervalSeconds = 30;
    static const long long kMaxIntervalSeconds = 24LL * 24 * 3600;
    static const char kTooShort[];   // "You cannot select a frequency lower than 30 seconds."
    static const char kTooLong[];    // "You cannot select a frequency higher than 24 days."
    static const char kNoUnit[];     // "Please choose the unit of the frequency."

    // The address with every space character removed.
    static std::string withoutSpaces(const std::string& address);
};
