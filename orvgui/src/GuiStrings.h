// The GUI's string-table texts that its data layer shows (column captions, unit and type words,
// states): from the program's string table when it has one, else the built-in English text.
#pragma once

#include <string>

// String ids used by the data layer.
enum GuiStringId : int {
    StringAlarmUp = 192,
    StringAlarmDown = 193,
    StringUnitSeconds = 194,   // 194 to 197: IntervalUnit 1 to 4
    StringTypePing = 198,      // 198 to 204: ItemType 0 to 6
    StringRunning = 61207,
    StringSleeping = 61208
};

class GuiStrings {
public:
    // The text of the id; empty for an id it does not know.
    static std::string text(int id);
};
