#include "LastPageFile.h"

#include <windows.h>

#include <cctype>
#include <ctime>

#include "reports/ReportMaker.h"

namespace {

bool IsDeviceName(const std::string& name)
{
    std::string base = name.substr(0, name.find('.'));
    for (char& c : base)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

std::string LastPageFile::safeName(const std::string& itemName)
{
    std::string name;
    for (char c : itemName) {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool refused = u < 32 || u == 127 || std::string("<>:\"/\\|?*").find(c) != std::string::npos;
        name += refused ? '_' : c;
    }
    for (std::string::size_type at = name.find(".."); at != std::string::npos; at = name.find("..", at))
        name.replace(at, 2, "__");
    if (name.size() > kMaxNameLength)
        name.resize(kMaxNameLength);
    while (!name.empty() && (name[name.size() - 1] == '.' || name[name.size() - 1] == ' '))
        name[name.size() - 1] = '_';
    if (name.empty())
        return "page";
    return IsDeviceName(name) ? "_" + name : name;
}

std::string LastPageFile::path(const std::string& tempFolder, const std::string& itemName, long long seconds)
{
    const bool ends = !tempFolder.empty() && (tempFolder[tempFolder.size() - 1] == '\\' || tempFolder[tempFolder.size() - 1] == '/');
    return tempFolder + (ends ? "" : "\\") + safeName(itemName) + "_" + std::to_string(seconds) + ".html";
}

std::string LastPageFile::write(const std::string& itemName, const std::string& page)
{
    char temp[2048] = "";
    const DWORD length = ::GetTempPathA(sizeof temp, temp);
    if (length == 0 || length >= sizeof temp)
        return std::string();
    const std::string file = path(std::string(temp, length), itemName, static_cast<long long>(std::time(nullptr)));
    return ReportMaker::writeFile(file, page) ? file : std::string();
}
