#include "MonitorItemWrapper.h"

#include <windows.h>

#include <boost/format.hpp>

#include "GuiStrings.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"
#include "ProfileStore.h"

namespace {

const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                             "Saturday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

bool millisecondsShown()
{
    return ProfileStore::instance()->getInt(ProfileTimeUnit) != 0;
}

std::string responseTime(long long milliseconds)
{
    long long shown = millisecondsShown() ? milliseconds : milliseconds / 1000;
    return (boost::format("%1% %2%") % shown % MonitorItemWrapper::formatResponseTime()).str();
}

unsigned long long nextId()
{
    static volatile LONG64 last = 0;
    return static_cast<unsigned long long>(InterlockedIncrement64(&last));
}

}  // namespace

MonitorItemWrapper::MonitorItemWrapper(MonitorItemSettings* item)
    : item_(item), id_(nextId()), visible_(true)
{
    std::string name;
    {
        MonitorItemLock lock(item_);
        name = item_->getGeneral().name;
    }
    LogSetup::getLogger(LogSetup::instance(), logger_, ("orv." + name).c_str());
}

void MonitorItemWrapper::setVisible(bool visible)
{
    LOG4CXX_DEBUG(logger_, (boost::format("setting visibility to %1%") % visible).str());
    visible_ = visible;
}

std::string MonitorItemWrapper::formatResponseTime()
{
    return ProfileStore::instance()->getInt(ProfileTimeUnit) == 1 ? "miliseconds" : "seconds";
}

std::string MonitorItemWrapper::formatTime(std::time_t time)
{
    if (time == 0)
        return "N/A";
    // time_t counts seconds from 1970; FILETIME counts 100 ns from 1601.
    ULONGLONG ticks = static_cast<ULONGLONG>(time) * 10000000ULL + 116444736000000000ULL;
    FILETIME utc, local;
    utc.dwLowDateTime = static_cast<DWORD>(ticks);
    utc.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SYSTEMTIME t;
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t))
        return "N/A";
    return (boost::format("%02d:%02d:%02d, %s, %s %02d, %d") % t.wHour % t.wMinute % t.wSecond %
            kDays[t.wDayOfWeek % 7] % kMonths[(t.wMonth + 11) % 12] % t.wDay % t.wYear).str();
}

std::string MonitorItemWrapper::getColumnText(int columnId) const
{
    // A copy taken under the item's lock: the worker thread replaces texts meanwhile.
    ItemGeneralSettings general;
    ItemStatus status;
    {
        MonitorItemLock lock(item_);
        general = item_->getGeneral();
        status = item_->getStatus();
    }
    switch (columnId) {
    case 144:
        return !status.active ? "0" : status.failed == 0 ? "2" : "1";
    case 145:
        return GuiStrings::text(StringAlarmDown);
    case 146:
        return general.name;
    case 147:
        return general.address;
    case 148: {
        std::string unit;
        if (general.intervalUnit >= UnitSeconds && general.intervalUnit <= UnitDays)
            unit = GuiStrings::text(StringUnitSeconds + general.intervalUnit - UnitSeconds);
        return (boost::format("%1% %2%") % general.interval % unit).str();
    }
    case 149:
        if (!status.active)
            return "Suspended";
        return GuiStrings::text(status.busy == 1 ? StringRunning : StringSleeping);
    case 151:
        return responseTime(status.lastResponseMs);
    case 153:
        return responseTime(static_cast<long long>(status.averageResponseMs));
    case 154:
        return std::to_string(status.totalChecks);
    case 155: {
        double percent = status.totalChecks == 0
                             ? 0.0
                             : 100.0 * status.failedChecks / status.totalChecks;
        return (boost::format("%.2f") % percent).str();
    }
    case 157:
        return status.active ? formatTime(status.nextRunTime) : "N/A";
    case 159:
        return status.lastMessage;
    case 160:
        return std::to_string(status.failedChecks);
    case 161:
        if (general.type >= ItemPing && general.type <= ItemPort)
            return GuiStrings::text(StringTypePing + general.type);
        return std::string();
    case 162:
        return formatTime(status.lastFailureTime);
    case 163:
        return formatTime(status.lastSuccessTime);
    case 166:
        return std::to_string(status.consecutiveFailures);
    case 167:
        return std::to_string(status.consecutiveSuccesses);
    default:   // 156 and 158 (no HTTP code is kept in the status) and unknown ids
        return std::string();
    }
}
