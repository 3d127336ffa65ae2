#include "ReportColumnIdSequence.h"

#include <algorithm>
#include <cctype>

#include "reports/Report.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::string::size_type i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

int ReportColumnIdSequence::FromCaption(const std::string& caption)
{
    for (int id = ColumnLine; id <= ColumnLastResponseText; ++id)
        if (SameIgnoringCase(Report::columnCaption(id), caption))
            return id;
    return kAll;
}

int ReportColumnIdSequence::Next(int id)
{
    static const int order[] = {ColumnLine, ColumnDate, ColumnResponseTime, ColumnMonitorType,
                                ColumnHttpStatusCode, ColumnHttpStatusText, ColumnLastResponseText, kAll};
    for (size_t i = 0; i + 1 < sizeof order / sizeof order[0]; ++i)
        if (order[i] == id)
            return order[i + 1];
    return kAll;
}

std::vector<int> ReportColumnIdSequence::Offered()
{
    std::vector<int> ids;
    for (int id = ColumnLine; id != kAll; id = Next(id))
        ids.push_back(id);
    return ids;
}

std::vector<int> ReportColumnIdSequence::Without(const std::vector<int>& a, const std::vector<int>& b)
{
    std::vector<int> rest;
    for (int id : a)
        if (std::find(b.begin(), b.end(), id) == b.end())
            rest.push_back(id);
    return rest;
}
