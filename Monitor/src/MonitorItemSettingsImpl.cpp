#include "MonitorItemSettingsImpl.h"

#include <cstdint>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "ValueCodec.h"

namespace {

enum FieldKind { kText, kFlag, kInt, kRecipients };

struct OptionField {
    std::size_t position;
    FieldKind kind;
    void* (*locate)(MonitorItemSettings&);
};

#define ORV_FIELD(position, kind, record, member) \
    { position, kind, [](MonitorItemSettings& item) -> void* { return &item.record().member; } }

// Where each record field lives in options.cfg. The order of this table is the order in which
// the fields are read; positions are fixed by files already on users' disks.
const OptionField kOptionFields[] = {
    ORV_FIELD(0, kText, getGeneral, name),
    ORV_FIELD(1, kText, getGeneral, address),
    ORV_FIELD(2, kFlag, getGeneral, enabled),
    ORV_FIELD(3, kInt, getGeneral, interval),
    ORV_FIELD(4, kInt, getGeneral, intervalUnit),
    ORV_FIELD(5, kInt, getGeneral, type),
    ORV_FIELD(6, kInt, getGeneral, timeoutMs),
    ORV_FIELD(7, kText, getHttp, searchText),
    ORV_FIELD(8, kFlag, getHttp, caseSensitive),
    ORV_FIELD(9, kFlag, getHttp, saveSuccessfulPages),
    ORV_FIELD(10, kFlag, getHttp, saveFailedPages),
    ORV_FIELD(11, kText, getHttp, reservedText1),
    ORV_FIELD(12, kText, getHttp, reservedText2),
    ORV_FIELD(13, kFlag, getAlarmTrigger, enabled),
    ORV_FIELD(14, kFlag, getAlarmTrigger, autoReset),
    ORV_FIELD(15, kInt, getAlarmTrigger, failureThreshold),
    ORV_FIELD(16, kInt, getAlarmTrigger, resetThreshold),
    ORV_FIELD(17, kText, getCommandAction, program),
    ORV_FIELD(18, kFlag, getCommandAction, programEnabled),
    ORV_FIELD(19, kText, getCommandAction, url),
    ORV_FIELD(20, kFlag, getCommandAction, urlEnabled),
    ORV_FIELD(21, kFlag, getMailAction, enabled),
    ORV_FIELD(22, kFlag, getMailAction, attachReport),
    ORV_FIELD(23, kFlag, getMailAction, reservedFlag2),
    ORV_FIELD(24, kFlag, getMailAction, sendSms),
    ORV_FIELD(25, kFlag, getMailAction, reservedFlag1),
    ORV_FIELD(26, kRecipients, getMailAction, recipients),
    ORV_FIELD(27, kFlag, getSoundAction, enabled),
    ORV_FIELD(28, kFlag, getSoundAction, loop),
    ORV_FIELD(29, kText, getSoundAction, soundFile),
    ORV_FIELD(30, kFlag, getVisualAction, enabled),
    ORV_FIELD(31, kText, getVisualAction, text),
    ORV_FIELD(32, kInt, getGeneral, port),
    ORV_FIELD(33, kText, getFtp, userName),
    ORV_FIELD(34, kText, getFtp, password),
    ORV_FIELD(35, kText, getFtp, downloadLocalFile),
    ORV_FIELD(36, kText, getFtp, downloadRemoteFile),
    ORV_FIELD(37, kText, getFtp, uploadLocalFile),
    ORV_FIELD(38, kText, getFtp, uploadRemoteFile),
    ORV_FIELD(39, kText, getPop3, userName),
    ORV_FIELD(40, kText, getPop3, password),
    ORV_FIELD(41, kFlag, getPop3, headerOnly),
    ORV_FIELD(42, kText, getPop3, bodySearchText),
    ORV_FIELD(43, kText, getPop3, headerSearchText),
    ORV_FIELD(44, kText, getSmtp, authUser),
    ORV_FIELD(45, kText, getSmtp, authPassword),
    ORV_FIELD(46, kFlag, getSmtp, reservedFlag),
    ORV_FIELD(47, kText, getSmtp, body),
    ORV_FIELD(48, kText, getSmtp, subject),
    ORV_FIELD(49, kText, getSmtp, from),
    ORV_FIELD(50, kText, getSmtp, to),
};

#undef ORV_FIELD

static_assert(sizeof kOptionFields / sizeof kOptionFields[0] ==
                  MonitorItemSettingsImpl::kOptionCount,
              "every options.cfg position has a field");

std::vector<std::string> optionDefaults()
{
    std::vector<std::string> defaults(MonitorItemSettingsImpl::kOptionCount);
    defaults[3] = "20";    // interval
    defaults[6] = "5000";  // response-time limit, ms
    defaults[13] = "1";    // alarm enabled
    defaults[14] = "1";    // alarm auto-reset
    defaults[15] = "3";    // failures that raise the alarm
    defaults[16] = "1";    // successes that reset it
    return defaults;
}

enum StatisticsPosition {
    kTotalChecks = 0,
    kHistory = 1,
    kFailedChecks = 2,
    kLastFailureTime = 3,
    kLastSuccessTime = 4,
    kLastResponseMs = 5,
    kLastMessage = 6
};

// "N/A" marks a time never recorded; it reads as 0.
std::vector<std::string> statisticsDefaults()
{
    return {"0", "", "0", "N/A", "N/A", "0", ""};
}

std::string withTrailingBackslash(const std::string& folder)
{
    std::string::size_type end = folder.size();
    while (end > 0 && (folder[end - 1] == '\\' || folder[end - 1] == '/'))
        --end;
    return folder.substr(0, end) + "\\";
}

}  // namespace

MonitorItemSettingsImpl::MonitorItemSettingsImpl(const std::string& folder)
    : folder_(withTrailingBackslash(folder)),
      options_(folder_ + "options.cfg", optionDefaults()),
      statistics_(folder_ + "statistics.cfg", statisticsDefaults()),
      historyEncoded_(false)
{
    status_.averageResponseMs = 0;
    status_.consecutiveSuccesses = 0;
    status_.consecutiveFailures = 0;
    status_.busy = 0;
    status_.failed = 0;
    status_.active = true;
    status_.nextRunTime = 0;
    readRecords();
    historyEncoded_ = history_.empty() && statistics_.value(kHistory).empty();
    // The file's history text has been read into the entries; the first save writes them anew.
    if (!historyEncoded_)
        statistics_.set(kHistory, std::string());
    for (const ValueFile* file : {&options_, &statistics_}) {
        if (!file->unreadable())
            continue;
        log4cxx::LoggerPtr logger;
        LogSetup::getLogger(LogSetup::instance(), logger, "monitor.MonitorItemSettings");
        LOG4CXX_ERROR(logger, (boost::format("Cannot read %1% (error %2%): the item shows defaults and "
                                             "will not save over the file") %
                               file->path() % file->readError()).str());
    }
}

MonitorItemSettingsImpl::~MonitorItemSettingsImpl()
{
    save();
}

void MonitorItemSettingsImpl::readRecords()
{
    for (const OptionField& field : kOptionFields) {
        const std::string& value = options_.value(field.position);
        void* target = field.locate(*this);
        switch (field.kind) {
        case kText:
            *static_cast<std::string*>(target) = ValueCodec::decodeText(value);
            break;
        case kFlag:
            *static_cast<bool*>(target) = ValueCodec::readFlag(value);
            break;
        case kInt:
            *static_cast<int*>(target) = ValueCodec::readInt(value);
            break;
        case kRecipients:
            *static_cast<std::vector<std::string>*>(target) = ValueCodec::decodeRecipients(value);
            break;
        }
    }
    status_.totalChecks = ValueCodec::readInt(statistics_.get(kTotalChecks));
    status_.failedChecks = ValueCodec::readInt(statistics_.get(kFailedChecks));
    status_.lastFailureTime =
        static_cast<std::time_t>(ValueCodec::readDecimal(statistics_.get(kLastFailureTime)));
    status_.lastSuccessTime =
        static_cast<std::time_t>(ValueCodec::readDecimal(statistics_.get(kLastSuccessTime)));
    history_ = ValueCodec::decodeHistory(statistics_.value(kHistory));
    status_.lastResponseMs = ValueCodec::readInt(statistics_.get(kLastResponseMs));
    status_.lastMessage = ValueCodec::decodeText(statistics_.get(kLastMessage));
}

void MonitorItemSettingsImpl::writeRecords()
{
    for (const OptionField& field : kOptionFields) {
        void* source = field.locate(*this);
        std::string value;
        switch (field.kind) {
        case kText:
            value = ValueCodec::encodeText(*static_cast<std::string*>(source));
            break;
        case kFlag:
            value = ValueCodec::writeFlag(*static_cast<bool*>(source));
            break;
        case kInt:
            value = ValueCodec::writeInt(*static_cast<int*>(source));
            break;
        case kRecipients:
            value = ValueCodec::encodeRecipients(*static_cast<std::vector<std::string>*>(source));
            break;
        }
        options_.set(field.position, value);
    }
    statistics_.set(kTotalChecks, ValueCodec::writeInt(status_.totalChecks));
    statistics_.set(kFailedChecks, ValueCodec::writeInt(status_.failedChecks));
    statistics_.set(kLastFailureTime, ValueCodec::writeInt(status_.lastFailureTime));
    statistics_.set(kLastSuccessTime, ValueCodec::writeInt(status_.lastSuccessTime));
    if (!historyEncoded_) {
        statistics_.set(kHistory, ValueCodec::encodeHistory(history_));
        historyEncoded_ = true;
    }
    statistics_.set(kLastResponseMs, ValueCodec::writeInt(status_.lastResponseMs));
    statistics_.set(kLastMessage, ValueCodec::encodeText(status_.lastMessage));
}

std::string MonitorItemSettingsImpl::getLogPath()
{
    return folder_ + "actlog.txt";
}

std::string MonitorItemSettingsImpl::getDirectory()
{
    return folder_;
}

void MonitorItemSettingsImpl::addResult(std::time_t time, int code, const std::string& message,
                                        int responseMs, bool ok)
{
    MonitorItemLock hold(this);
    ResultRecord record;
    record.time = time;
    record.responseMs = responseMs;
    record.code = code;
    record.message = message;
    record.ok = ok;
    if (historyEncoded_) {
        std::string entry;
        ValueCodec::appendHistoryEntry(entry, record);
        statistics_.append(kHistory, entry);
    }
    history_.push_back(std::move(record));

    // Both streaks count runs of equal outcomes; the other one ends.
    if (ok) {
        status_.consecutiveFailures = 0;
        ++status_.consecutiveSuccesses;
    } else {
        ++status_.consecutiveFailures;
        status_.consecutiveSuccesses = 0;
    }
    status_.lastResponseMs = responseMs;
    status_.lastMessage = message;

    // Zero means "no time measured" and is left out of the mean.
    std::int64_t sum = 0;
    std::int64_t count = 0;
    for (const ResultRecord& entry : history_) {
        if (entry.responseMs > 0) {
            sum += entry.responseMs;
            ++count;
        }
    }
    status_.averageResponseMs = count > 0 ? static_cast<float>(sum / count) : 0.0f;

    ++status_.totalChecks;
    if (ok) {
        status_.lastSuccessTime = time;
    } else {
        ++status_.failedChecks;
        status_.lastFailureTime = time;
    }
}

void MonitorItemSettingsImpl::resetStatistics()
{
    MonitorItemLock hold(this);
    const std::vector<std::string> defaults = statisticsDefaults();
    for (std::size_t i = 0; i < defaults.size(); ++i)
        statistics_.set(i, defaults[i]);
    statistics_.save();

    history_.clear();
    historyEncoded_ = true;
    status_.averageResponseMs = 0;
    status_.lastFailureTime = 0;
    status_.lastResponseMs = 0;
    status_.lastSuccessTime = 0;
    status_.totalChecks = 0;
    status_.failedChecks = 0;
    status_.consecutiveFailures = 0;
    status_.consecutiveSuccesses = 0;
    status_.lastMessage.clear();
}

void MonitorItemSettingsImpl::save()
{
    MonitorItemLock hold(this);
    writeRecords();
    options_.save();
    statistics_.save();
}
