// How the report manager lists definitions and which names it accepts. The default definition is
// listed with "(Default)" right after its name; a listed text is turned back into the name by
// cutting it at the first "(Default)", so a name may not contain that mark, and two definitions
// may not share a name (the reports library finds a definition by its name).
#pragma once

#include <string>
#include <vector>

class ReportNames {
public:
    static const char kDefaultMark[];   // "(Default)"

    static std::string display(const std::string& name, bool isDefault);
    // The name of a listed text: everything before the first "(Default)".
    static std::string plain(const std::string& display);
    static bool isDefaultDisplay(const std::string& display);

    // Why the name cannot be given to a definition; empty when it can. existing holds the names
    // of every definition; own is the name of the definition being edited ("" for a new one),
    // which the name may keep.
    static std::string nameError(const std::string& name, const std::vector<std::string>& existing,
                                 const std::string& own);
};
