#include "ReportNames.h"

const char ReportNames::kDefaultMark[] = "(Default)";

std::string ReportNames::display(const std::string& name, bool isDefault)
{
    return isDefault ? name + kDefaultMark : name;
}

std::string ReportNames::plain(const std::string& display)
{
    const std::string::size_type mark = display.find(kDefaultMark);
    return mark == std::string::npos ? display : display.substr(0, mark);
}

bool ReportNames::isDefaultDisplay(const std::string& display)
{
    return display.find(kDefaultMark) != std::string::npos;
}

std::string ReportNames::nameError(const std::string& name, const std::vector<std::string>& existing,
                                   const std::string& own)
{
    if (name.find_first_not_of(" \t") == std::string::npos)
        return "Please enter a name for your report";
    if (name.find(kDefaultMark) != std::string::npos)
        return std::string("A report name cannot contain \"") + kDefaultMark + "\"";
    if (name == own)
        return std::string();
    for (const std::string& other : existing)
        if (other == name)
            return "A report named \"" + name + "\" already exists";
    return std::string();
}
