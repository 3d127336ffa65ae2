#include "AlarmRecipients.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

std::vector<std::string> AlarmRecipients::split(const std::string& text)
{
    std::vector<std::string> recipients;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos)
            comma = text.size();
        size_t first = start, last = comma;
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        if (last > first)
            recipients.push_back(text.substr(first, last - first));
        start = comma + 1;
    }
    return recipients;
}

std::string AlarmRecipients::join(const std::vector<std::string>& recipients)
{
    std::string text;
    for (const std::string& address : recipients)
        text += address + ",";
    return text;
}
