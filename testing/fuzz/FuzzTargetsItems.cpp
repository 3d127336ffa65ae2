// options.cfg and statistics.cfg as the item store reads them: the mutant is written into an
// item folder, the item is loaded and saved, and the saved files are loaded and saved again.
// Whatever the damage, the first save must give files that the next load reads back unchanged.
#include <windows.h>

#include <string>
#include <vector>

#include "Monitor/FileIo.h"
#include "../../Monitor/src/MonitorItemSettingsImpl.h"
#include "FuzzTarget.h"

namespace {

const std::string kOptions =
    "Mail server|127.0.0.1|1|20|2|3|5000|found me|0|1|0|||1|1|3|1|C:\\tools\\restart.cmd|0|"
    "http://127.0.0.1/alarm?item=3|0|1|1|0|0|0|ops@example.org$admin@example.org$|0|0|C:\\alarm.wav|1|"
    "Mail server down|25|ftpuser|ftp\x1b" "7Cpass|C:\\down.txt|/pub/down.txt|C:\\up.txt|/pub/up.txt|"
    "popper|pop\x1b" "7Cpw|1|body text|Subject: x|auth|pw|1|Hello,\r\nthe check.|Orvane check|"
    "Orvane <orv@example.org>|probe@example.org|";

const std::string kStatistics =
    "4|1767225600^200^250 2.0.0 OK^15^1^]1767225620^554^554 Transaction failed: server connect error.^0^0^]"
    "1767225640^0^-ERR [AUTH\x1b" "5D failed \x1b" "5E\x1b" "7C^5000^0^]1767225660^200^OK^12^1^]|2|1767225640|"
    "1767225660|12|OK|";

std::string g_folder;

void writeFile(const std::string& path, const std::string& bytes)
{
    if (!FileIo::replaceContents(path, bytes))
        throw FuzzFailure("cannot write " + path);
}

std::string readFile(const std::string& path)
{
    std::string bytes;
    FileIo::readAll(path, bytes);
    return bytes;
}

// Writes the two files, loads and saves twice, and compares.
void loadAndSaveTwice(const std::string& options, const std::string& statistics)
{
    writeFile(g_folder + "\\options.cfg", options);
    writeFile(g_folder + "\\statistics.cfg", statistics);
    {
        MonitorItemSettingsImpl item(g_folder);
        item.save();
    }
    const std::string options1 = readFile(g_folder + "\\options.cfg");
    const std::string statistics1 = readFile(g_folder + "\\statistics.cfg");
    {
        MonitorItemSettingsImpl again(g_folder);
    }
    if (readFile(g_folder + "\\options.cfg") != options1)
        throw FuzzFailure("options.cfg changed when its saved form was loaded and saved again");
    if (readFile(g_folder + "\\statistics.cfg") != statistics1)
        throw FuzzFailure("statistics.cfg changed when its saved form was loaded and saved again");
}

const std::vector<std::string> kTokens = {"|", "$", "^", "]", "\x1b", "\x1b" "7C", "\x1b" "5D", "\x1b" "1B",
                                          "\x1bZZ", "\x1b" "7", "N/A", "\r\n", " ", "-", "^]", "||"};

}  // namespace

std::vector<FuzzTarget> itemFileTargets(const std::string& scratch)
{
    g_folder = scratch + "\\Item_1";
    auto makeFolder = [] { CreateDirectoryA(g_folder.c_str(), nullptr); };

    FuzzTarget options;
    options.name = "options";
    options.seeds = {kOptions, "", "x|", kOptions.substr(0, kOptions.size() / 2)};
    options.tokens = kTokens;
    options.memoryPerByte = 256;
    options.timeLimitMs = 20000;   // three saves, each replacing two files flushed to the disk
    options.setUp = makeFolder;
    options.run = [](const std::string& input) { loadAndSaveTwice(input, kStatistics); };

    FuzzTarget statistics;
    statistics.name = "statistics";
    statistics.seeds = {kStatistics, "", "0||0|N/A|N/A|0||", "7|]]]]]]]|"};
    statistics.tokens = kTokens;
    // every ']' is a history entry of its own: a record and its texts per byte or two
    statistics.memoryPerByte = 512;
    statistics.timeLimitMs = 20000;
    statistics.setUp = makeFolder;
    statistics.run = [](const std::string& input) { loadAndSaveTwice(kOptions, input); };
    return {options, statistics};
}
