// Report column ids and their captions as the report sheet's columns page shows them: a caption
// back to its id, the ids a new definition can offer in order, and one list without another.
#pragma once

#include <string>
#include <vector>

class ReportColumnIdSequence {
public:
    // Meaning: no caption matched.
    static constexpr int kAll = 61218;

    // The first id from 61209 to 61217 whose caption equals the text, ignoring case; else kAll.
    static int FromCaption(const std::string& caption);
    // The id after this one among those a definition can be offered; kAll after the last and for
    // any id that is not offered (downtime and the saved page are never offered).
    static int Next(int id);
    // Every id reached by Next from the first column, in order.
    static std::vector<int> Offered();
    // The ids of a that are not in b, in a's order.
    static std::vector<int> Without(const std::vector<int>& a, const std::vector<int>& b);
};
