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

