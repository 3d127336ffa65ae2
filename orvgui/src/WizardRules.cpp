#include "WizardRules.h"

std::string WizardRules::normaliseAddress(const std::string& address)
{
    std::string result;
    for (char c : address)
        if (c != ' ')
            result += c;
    if (!result.empty() && (result.back() == '/' || result.back() == '\\'))
        result.pop_back();
    return result;
}

WizardRules::Chain WizardRules::chain(bool email, bool sound, bool visual, bool command)
{
    Chain result;
    const std::pair<bool, int> order[] = {
        {email, PageEmail}, {sound, PageSound}, {visual, PageVisual}, {command, PageCommand}};
    int previous = PageAlarms;
    for (const auto& choice : order) {
        if (!choice.first)
            continue;
        if (!result.pages.empty())
            result.pages.back().next = choice.second;
        result.pages.push_back({choice.second, PageFinished, previous});
        previous = choice.second;
    }
    if (!result.pages.empty())
        result.finishedBack = previous;
    return result;
}

int WizardRules::defaultPort(int type, int currentPort)
{
    switch (type) {
    case 0: return 0;     // Ping
    case 1: return 80;    // HTTP
    case 2: return 443;   // HTTPS
    case 3: return 25;    // SMTP
    case 4: return 110;   // POP3
    case 5: return 21;    // FTP
    default: return currentPort;
    }
}

const char* WizardRules::intervalRefusal(int frequency, int unit)
{
    static const long long kUnitSeconds[] = {0, 1, 60, 3600, 86400};
    const long long seconds = (unit >= 1 && unit <= 4 ? kUnitSeconds[unit] : 0) * (long long)frequency;
    if (seconds < 30)
        return "You cannot select a frequency lower than 30 seconds.";
    if (seconds > 2147483)   // the wait between checks is counted in 32-bit milliseconds
        return "You cannot select a frequency higher than 24 days.";
    return nullptr;
}
