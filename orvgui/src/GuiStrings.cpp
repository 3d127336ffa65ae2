#include "GuiStrings.h"

#include <windows.h>

namespace {

struct Entry {
    int id;
    const char* text;
};

const Entry kTexts[] = {
    {144, "Status"},
    {145, "Alarm Status"},
    {146, "Item Name"},
    {147, "URL/IP         "},
    {148, "Check Frequency"},
    {149, "Action"},
    {151, "Last Response Time"},
    {153, "Avg Response Time"},
    {154, "Time Checked"},
    {155, "Failure %"},
    {156, "Http Status Code"},
    {157, "Next Run"},
    {158, "Http Status Code (Descriptive)"},
    {159, "Last Response Text"},
    {160, "Times Failed"},
    {161, "Watch Type"},
    {162, "Last Failure"},
    {163, "Last Success"},
    {166, "Consecutive Failures"},
    {167, "Consecutive Successes"},
    {192, "Up"},
    {193, "Down"},
    {194, "Seconds"},
    {195, "Minutes"},
    {196, "Hours"},
    {197, "Days"},
    {198, "Ping"},
    {199, "HTTP (Page download)"},
    {200, "HTTPS (Secure page download)"},
    {201, "SMTP"},
    {202, "POP3"},
    {203, "FTP"},
    {204, "Port"},
    {61207, "Running"},
    {61208, "Sleeping"},
};

}  // namespace

std::string GuiStrings::text(int id)
{
    char buffer[512];
    int length = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof buffer);
    if (length > 0)
        return std::string(buffer, length);
    for (const Entry& entry : kTexts)
        if (entry.id == id)
            return entry.text;
    return std::string();
}
