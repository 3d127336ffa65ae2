#include "ItemSettingsRules.h"

#include "GuiStrings.h"

const char ItemSettingsRules::kTooShort[] = "You cannot select a frequency lower than 30 seconds.";
const char ItemSettingsRules::kTooLong[] = "You cannot select a frequency higher than 24 days.";
const char ItemSettingsRules::kNoUnit[] = "Please choose the unit of the frequency.";

std::string ItemSettingsRules::unitCaption(int unit)
{
    return GuiStrings::text((int)unitCaptionId(unit));
}

std::string ItemSettingsRules::typeCaption(int type)
{
    return GuiStrings::text((int)typeCaptionId(type));
}

int ItemSettingsRules::unitFromCaption(const std::string& text)
{
    for (int unit = UnitSeconds; unit <= UnitDays; ++unit)
        if (unitCaption(unit) == text)
            return unit;
    return 0;
}

int ItemSettingsRules::typeFromCaption(const std::string& text)
{
    for (int type = TypePing; type <= TypePort; ++type)
        if (typeCaption(type) == text)
            return type;
    return -1;
}

int ItemSettingsRules::defaultPort(int type, int currentPort)
{
    switch (type) {
    case TypePing: return 0;
    case TypeHttp: return 80;
    case TypeHttps: return 443;
    case TypeSmtp: return 25;
    case TypePop3: return 110;
    case TypeFtp: return 21;
    default: return currentPort;
    }
}

long long ItemSettingsRules::intervalSeconds(long long frequency, int unit)
{
    switch (unit) {
    case UnitSeconds: return frequency;
    case UnitMinutes: return frequency * 60;
    case UnitHours: return frequency * 3600;
    case UnitDays: return frequency * 86400;
    default: return -1;
    }
}

const char* ItemSettingsRules::intervalError(long long frequency, int unit)
{
    if (unit < UnitSeconds || unit > UnitDays)
        return kNoUnit;
    // a frequency beyond any sane figure is refused before it is multiplied
    if (frequency > kMaxIntervalSeconds)
        return kTooLong;
    const long long seconds = intervalSeconds(frequency, unit);
    if (seconds < kMinIntervalSeconds)
        return kTooShort;
    if (seconds > kMaxIntervalSeconds)
        return kTooLong;
    return nullptr;
}

std::string ItemSettingsRules::withoutSpaces(const std::string& address)
{
    std::string cleaned;
    for (char c : address)
        if (c != ' ')
            cleaned += c;
    return cleaned;
}
