#include "reports/ReportManager.h"

#include <cstdlib>
#include <sstream>

#include <boost/format.hpp>

#include "Monitor/FileIo.h"
#include "Monitor/LogSetup.h"
#include "workers/ScopedLock.h"

namespace {

const char kStoreFile[] = "reports.cfg";

// Stored texts may hold any character: the field and line separators are written as %XX.
std::string encode(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '|' || c == '\r' || c == '\n') {
            char hex[4];
            wsprintfA(hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string decode(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> split(const std::string& line, char separator)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, separator))
        fields.push_back(field);
    return fields;
}

Report* makeReport(const std::string& name, bool failures, bool successes,
                   const std::vector<int>& columns)
{
    Report* report = new Report();
    report->name = name;
    report->failures = failures;
    report->successes = successes;
    report->columns = columns;
    return report;
}

const std::vector<int> kUsualColumns = {ColumnLine, ColumnDate, ColumnResponseTime,
                                        ColumnLastResponseText};

log4cxx::LoggerPtr logger()
{
    static log4cxx::LoggerPtr made;
    if (!made)
        LogSetup::getLogger(LogSetup::instance(), made, "reports.ReportManager");
    return made;
}

}  // namespace

std::string Report::columnCaption(int column)
{
    switch (column) {
    case ColumnLine: return "Line";
    case ColumnDate: return "Date";
    case ColumnDowntime: return "Downtime";
    case ColumnResponseTime: return "Response Time";
    case ColumnMonitorType: return "Monitor Type";
    case ColumnSavedPage: return "View saved web page";
    case ColumnHttpStatusCode: return "Http status code";
    case ColumnHttpStatusText: return "Http status code(descriptive)";
    case ColumnLastResponseText: return "Last response text";
    default: return std::string();
    }
}

ReportManager* ReportManager::instance()
{
    static ReportManager manager;
    return &manager;
}

ReportManager::ReportManager() : default_(nullptr), unreadable_(false), changed_(false)
{
    InitializeCriticalSection(&lock_);
    addBuiltIns();
}

ReportManager::~ReportManager()
{
    clear();
    DeleteCriticalSection(&lock_);
}

void ReportManager::clear()
{
    for (Report* report : reports_)
        delete report;
    reports_.clear();
    entries_.clear();
    default_ = nullptr;
}

void ReportManager::addBuiltIns()
{
    const struct {
        const char* name;
        bool failures;
        bool successes;
        std::vector<int> columns;
    } builtIns[] = {
        {"Downtime report", true, false,
         {ColumnLine, ColumnDate, ColumnDowntime, ColumnLastResponseText}},
        {"Failure report", true, false, kUsualColumns},
        {"Sucess report", false, true, kUsualColumns},
        {"Summary report", true, true, kUsualColumns},
    };
    for (const auto& b : builtIns) {
        if (find(b.name))
            continue;
        reports_.push_back(makeReport(b.name, b.failures, b.successes, b.columns));
        if (!default_)
            default_ = reports_.back();
    }
    refreshNames();
}

Report* ReportManager::find(const std::string& name)
{
    for (Report* report : reports_)
        if (report->name == name)
            return report;
    return nullptr;
}

void ReportManager::refreshNames()
{
    // Names are copied in place when the list is unchanged, so that a range taken before stays
    // valid; a definition may have been renamed by editReport.
    if (entries_.size() == reports_.size()) {
        for (size_t i = 0; i < reports_.size(); ++i)
            entries_[i] = std::make_pair(reports_[i]->name, reports_[i]);
        return;
    }
    entries_.clear();
    for (Report* report : reports_)
        entries_.push_back(std::make_pair(report->name, report));
}

bool ReportManager::setDataFolder(const std::string& dataFolder)
{
    ScopedLock guard(lock_);
    dataFolder_ = dataFolder;
    unreadable_ = false;
    changed_ = false;
    const std::string path = dataFolder_ + kStoreFile;
    std::string text;
    bool truncated = false;
    const FileIo::ReadResult result = FileIo::read(path, text, kMaxFileBytes, truncated);
    const DWORD error = GetLastError();
    if (result == FileIo::Missing)
        return true;
    if (result == FileIo::Unreadable) {
        // The definitions in memory stay; the file keeps the user's until one of them changes.
        unreadable_ = true;
        LOG4CXX_ERROR(logger(), (boost::format("%1% could not be read (error %2%): it is not "
                                               "written back unless a report changes") %
                                 path % error).str());
        return false;
    }
    if (truncated) {
        unreadable_ = true;
        LOG4CXX_ERROR(logger(), (boost::format("%1% is larger than %2% bytes: only its start is "
                                               "read, and it is not written back unless a report "
                                               "changes") %
                                 path % kMaxFileBytes).str());
    }

    clear();
    std::string defaultName;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> f = split(line, '|');
        if (f.size() == 2 && f[0] == "default") {
            defaultName = decode(f[1]);
            continue;
        }
        if (f.size() < 8 || f[0] != "report")
            continue;
        Report* report = makeReport(decode(f[1]), f[4] == "1", f[5] == "1", {});
        report->outputPath = decode(f[2]);
        report->outputType = std::atoi(f[3].c_str());
        report->useRange = f[6] == "1";
        std::vector<std::string> times = split(f[7], '~');
        if (times.size() == 2) {
            report->start = static_cast<std::time_t>(std::atoll(times[0].c_str()));
            report->end = static_cast<std::time_t>(std::atoll(times[1].c_str()));
        }
        if (f.size() > 8) {
            for (const std::string& column : split(f[8], '~')) {
                if (report->columns.size() == kMaxColumns)
                    break;
                report->columns.push_back(std::atoi(column.c_str()));
            }
        }
        if (find(report->name)) {
            delete report;
            continue;
        }
        reports_.push_back(report);
    }
    default_ = find(defaultName);
    if (reports_.empty()) {
        // An empty or damaged file must not cost the user the built-in reports for good.
        LOG4CXX_WARN(logger(), (boost::format("%1% holds no report: the built-in reports are "
                                              "used") % path).str());
        addBuiltIns();
    }
    refreshNames();
    return true;
}

std::string ReportManager::dataFolder()
{
    ScopedLock guard(lock_);
    return dataFolder_;
}

bool ReportManager::flushReports()
{
    std::ostringstream out;
    std::string path;
    {
        ScopedLock guard(lock_);
        if (dataFolder_.empty())
            return false;
        path = dataFolder_ + kStoreFile;
        if (unreadable_ && !changed_) {
            LOG4CXX_WARN(logger(), (boost::format("%1% not written: it could not be read and no "
                                                  "report changed") % path).str());
            return false;
        }
        if (default_)
            out << "default|" << encode(default_->name) << "\r\n";
        for (const Report* r : reports_) {
            out << "report|" << encode(r->name) << '|' << encode(r->outputPath) << '|'
                << r->outputType << '|' << (r->failures ? 1 : 0) << '|' << (r->successes ? 1 : 0)
                << '|' << (r->useRange ? 1 : 0) << '|' << static_cast<long long>(r->start) << '~'
                << static_cast<long long>(r->end) << '|';
            for (int column : r->columns)
                out << column << '~';
            out << "\r\n";
        }
    }
    if (!FileIo::replaceContents(path, out.str())) {
        const DWORD error = GetLastError();
        LOG4CXX_ERROR(logger(), (boost::format("%1% could not be written (error %2%)") % path %
                                 error).str());
        return false;
    }
    ScopedLock guard(lock_);
    unreadable_ = false;   // the file holds what is in memory now
    return true;
}

size_t ReportManager::size()
{
    ScopedLock guard(lock_);
    return reports_.size();
}

const Report* ReportManager::getReport(const std::string& name)
{
    ScopedLock guard(lock_);
    return find(name);
}

const Report* ReportManager::getDefaultReport()
{
    ScopedLock guard(lock_);
    return default_;
}

bool ReportManager::copyReport(const std::string& name, Report& copy)
{
    ScopedLock guard(lock_);
    const Report* report = find(name);
    if (!report)
        return false;
    copy = *report;
    return true;
}

bool ReportManager::editReport(const std::string& name, const std::function<void(Report&)>& edit)
{
    ScopedLock guard(lock_);
    Report* report = find(name);
    if (!report)
        return false;
    edit(*report);
    changed_ = true;
    refreshNames();
    return true;
}

bool ReportManager::copyDefaultReport(Report& copy)
{
    ScopedLock guard(lock_);
    if (!default_)
        return false;
    copy = *default_;
    return true;
}

void ReportManager::setDefaultReport(const std::string& name)
{
    ScopedLock guard(lock_);
    if (Report* report = find(name)) {
        default_ = report;
        changed_ = true;
    }
}

const Report* ReportManager::createReport(const std::string& name)
{
    ScopedLock guard(lock_);
    if (Report* existing = find(name))
        return existing;
    changed_ = true;
    reports_.push_back(makeReport(name, true, true, kUsualColumns));
    if (!default_)
        default_ = reports_.back();
    refreshNames();
    return reports_.back();
}

void ReportManager::updateReport(const std::string& name, const Report& report)
{
    ScopedLock guard(lock_);
    Report* target = find(name);
    if (!target) {
        target = new Report();
        reports_.push_back(target);
        if (!default_)
            default_ = target;
    }
    if (target != &report)
        *target = report;
    target->name = name;
    changed_ = true;
    refreshNames();
}

void ReportManager::deleteReport(const std::string& name)
{
    ScopedLock guard(lock_);
    for (std::vector<Report*>::iterator it = reports_.begin(); it != reports_.end(); ++it) {
        if ((*it)->name != name)
            continue;
        Report* gone = *it;
        reports_.erase(it);
        changed_ = true;
        if (default_ == gone)
            default_ = reports_.empty() ? nullptr : reports_.front();
        delete gone;
        break;
    }
    refreshNames();
}

ReportManager::Iterator ReportManager::beginReports()
{
    ScopedLock guard(lock_);
    refreshNames();   // a definition may have been renamed in place
    return entries_.begin();
}

ReportManager::Iterator ReportManager::endReports()
{
    ScopedLock guard(lock_);
    refreshNames();
    return entries_.end();
}
