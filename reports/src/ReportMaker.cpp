#include "reports/ReportMaker.h"

#include <windows.h>

#include <cctype>
#include <sstream>
#include <vector>

#include <boost/format.hpp>

#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"
#include "reports/DefaultReport.h"
#include "reports/HtmlEscape.h"
#include "reports/Report.h"
#include "reports/ReportManager.h"

namespace {

const char kWebsiteName[] = "<%WEBSITE_NAME%>";

// One history entry as the report shows it.
struct Row {
    int line = 0;
    ResultRecord record;
    long long downtime = -1;   // seconds to the next success; -1: not a failure; -2: still down
};

// What the report shows, copied under the item's lock: the worker thread appends to the history
// meanwhile and may move its entries.
struct Snapshot {
    bool haveItem = false;
    ItemGeneralSettings general;
    ItemStatus status;
    std::vector<Row> rows;
};

Snapshot takeSnapshot(MonitorItemSettings* item, const Report* report)
{
    Snapshot shot;
    if (!item)
        return shot;
    std::vector<ResultRecord> history;
    {
        MonitorItemLock lock(item);
        shot.haveItem = true;
        shot.general = item->getGeneral();
        shot.status = item->getStatus();
        history.assign(item->historyBegin(), item->historyEnd());
    }
    if (!report)
        return shot;

    std::vector<long long> downtime(history.size(), -1);
    std::time_t nextSuccess = 0;
    for (size_t i = history.size(); i-- > 0;) {
        if (history[i].ok) {
            nextSuccess = history[i].time;
        } else {
            downtime[i] = nextSuccess ? static_cast<long long>(nextSuccess - history[i].time) : -2;
        }
    }
    for (size_t i = 0; i < history.size(); ++i) {
        const ResultRecord& record = history[i];
        if (record.ok ? !report->successes : !report->failures)
            continue;
        if (report->useRange && (record.time < report->start || record.time > report->end))
            continue;
        Row row;
        row.line = static_cast<int>(shot.rows.size()) + 1;
        row.record = record;
        row.downtime = downtime[i];
        shot.rows.push_back(row);
    }
    return shot;
}

std::string httpStatusText(int code)
{
    switch (code) {
    case 200: return "OK";
    case 201: return "Created";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 408: return "Request Timeout";
    case 500: return "Internal Server Error";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return std::string();
    }
}

// The cell of a column, as plain text (escaped by the writer of each output type).
std::string cell(int column, const Row& row, const Snapshot& shot)
{
    const ResultRecord& r = row.record;
    switch (column) {
    case ColumnLine: return std::to_string(row.line);
    case ColumnDate: return DefaultReport::formatTime(r.time);
    case ColumnDowntime:
        return row.downtime == -1 ? std::string()
             : row.downtime == -2 ? std::string("still down")
                                  : std::to_string(row.downtime) + " s";
    case ColumnResponseTime: return std::to_string(r.responseMs) + " ms";
    case ColumnMonitorType: return DefaultReport::typeName(shot.general.type);
    case ColumnHttpStatusCode: return std::to_string(r.code);
    case ColumnHttpStatusText: return httpStatusText(r.code);
    case ColumnLastResponseText: return r.message;
    default: return std::string();   // saved pages are not linked from reports
    }
}

std::vector<int> columnsOf(const Report* report)
{
    std::vector<int> columns;
    if (report)
        for (int column : report->columns)
            if (!Report::columnCaption(column).empty())
                columns.push_back(column);
    return columns;
}

std::string charsetName()
{
    UINT codePage = GetACP();
    return codePage == CP_UTF8 ? "utf-8" : (boost::format("windows-%1%") % codePage).str();
}

std::string htmlHead(const std::string& title)
{
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" "
           "content=\"text/html; charset=" + charsetName() + "\">\n<title>" +
           HtmlEscape::escape(title) + "</title>\n<style>"
           "body{font-family:Tahoma,Arial,sans-serif;font-size:10pt;}"
           "table{border-collapse:collapse;}th,td{border:1px solid #b0b0b0;padding:3px 8px;"
           "text-align:left;}th{background:#e8e8f0;}tr.failed td{color:#a00000;}"
           "</style>\n</head>\n<body>\n";
}

std::string html(const Report* report, const Snapshot& shot)
{
    const std::string reportName = report ? report->name : "Report";
    std::ostringstream out;
    out << htmlHead(reportName + (shot.haveItem ? ": " + shot.general.name : std::string()));
    out << "<h1>" << HtmlEscape::escape(reportName) << "</h1>\n";
    if (!shot.haveItem) {
        out << "<p>No item was given for this report.</p>\n</body>\n</html>\n";
        return out.str();
    }
    out << "<table>\n"
        << "<tr><th>Item</th><td>" << HtmlEscape::escape(shot.general.name) << "</td></tr>\n"
        << "<tr><th>Address</th><td>" << HtmlEscape::escape(shot.general.address) << "</td></tr>\n"
        << "<tr><th>Type</th><td>" << HtmlEscape::escape(DefaultReport::typeName(shot.general.type))
        << "</td></tr>\n<tr><th>Total checks</th><td>" << shot.status.totalChecks
        << "</td></tr>\n<tr><th>Failed checks</th><td>" << shot.status.failedChecks
        << "</td></tr>\n</table>\n";
    const std::vector<int> columns = columnsOf(report);
    if (shot.rows.empty() || columns.empty()) {
        out << "<p>No check to show.</p>\n";
    } else {
        out << "<table>\n<tr>";
        for (int column : columns)
            out << "<th>" << HtmlEscape::escape(Report::columnCaption(column)) << "</th>";
        out << "</tr>\n";
        for (const Row& row : shot.rows) {
            out << (row.record.ok ? "<tr>" : "<tr class=\"failed\">");
            for (int column : columns)
                out << "<td>" << HtmlEscape::escape(cell(column, row, shot)) << "</td>";
            out << "</tr>\n";
        }
        out << "</table>\n";
    }
    out << "</body>\n</html>\n";
    return out.str();
}

// A field of the '|'-delimited output: quoted when it holds the delimiter, a quote or a line
// break, quotes doubled. A text that a spreadsheet would take for a formula gets a leading '.
std::string delimitedField(const std::string& text)
{
    std::string value = text;
    if (!value.empty() && (value[0] == '=' || value[0] == '+' || value[0] == '-' || value[0] == '@'))
        value.insert(0, 1, '\'');
    if (value.find_first_of("|\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string delimited(const Report* report, const Snapshot& shot)
{
    const std::vector<int> columns = columnsOf(report);
    std::ostringstream out;
    for (size_t i = 0; i < columns.size(); ++i)
        out << (i ? "|" : "") << delimitedField(Report::columnCaption(columns[i]));
    out << "\r\n";
    for (const Row& row : shot.rows) {
        for (size_t i = 0; i < columns.size(); ++i)
            out << (i ? "|" : "") << delimitedField(cell(columns[i], row, shot));
        out << "\r\n";
    }
    return out.str();
}

// XML text in UTF-8 from the program's ANSI text, with markup characters as references and the
// characters XML does not allow dropped.
std::string xmlText(const std::string& ansi)
{
    std::string clean;
    for (char c : ansi)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r')
            clean += c;
    std::string utf8;
    if (!clean.empty()) {
        int wide = MultiByteToWideChar(CP_ACP, 0, clean.data(), static_cast<int>(clean.size()),
                                       nullptr, 0);
        std::vector<WCHAR> buffer(wide > 0 ? wide : 1);
        wide = MultiByteToWideChar(CP_ACP, 0, clean.data(), static_cast<int>(clean.size()),
                                   buffer.data(), static_cast<int>(buffer.size()));
        int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
        utf8.resize(bytes > 0 ? bytes : 0);
        if (bytes > 0)
            WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, &utf8[0], bytes, nullptr, nullptr);
    }
    std::string out;
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        case '\r': out += "&#13;"; break;
        default: out += c; break;
        }
    }
    return out;
}

const char* xmlTag(int column)
{
    switch (column) {
    case ColumnLine: return "line";
    case ColumnDate: return "date";
    case ColumnDowntime: return "downtime";
    case ColumnResponseTime: return "responseTime";
    case ColumnMonitorType: return "monitorType";
    case ColumnSavedPage: return "savedPage";
    case ColumnHttpStatusCode: return "httpStatusCode";
    case ColumnHttpStatusText: return "httpStatusText";
    default: return "lastResponseText";
    }
}

std::string xml(const Report* report, const Snapshot& shot)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report name=\""
        << xmlText(report ? report->name : std::string()) << "\">\n";
    if (shot.haveItem)
        out << "  <item name=\"" << xmlText(shot.general.name) << "\" address=\""
            << xmlText(shot.general.address) << "\" type=\""
            << xmlText(DefaultReport::typeName(shot.general.type)) << "\" totalChecks=\""
            << shot.status.totalChecks << "\" failedChecks=\"" << shot.status.failedChecks
            << "\"/>\n";
    const std::vector<int> columns = columnsOf(report);
    for (const Row& row : shot.rows) {
        out << "  <entry ok=\"" << (row.record.ok ? "true" : "false") << "\">\n";
        for (int column : columns)
            out << "    <" << xmlTag(column) << ">" << xmlText(cell(column, row, shot)) << "</"
                << xmlTag(column) << ">\n";
        out << "  </entry>\n";
    }
    out << "</report>\n";
    return out.str();
}

// A file name made of the text's letters, digits, '-' and '_' (others become '_').
std::string safeFileName(const std::string& text, const char* ifEmpty)
{
    std::string name;
    for (char c : text)
        name += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    return name.empty() ? ifEmpty : name;
}

std::string tempFolder()
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetTempPathA(sizeof path, path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string(".\\");
}

}  // namespace

ReportMaker::ReportMaker(const Report* report, MonitorItemSettings* item) : report_(report), item_(item)
{
}

ReportMaker::ReportMaker(MonitorItemSettings* item) : report_(nullptr), item_(item)
{
}

bool ReportMaker::writeFile(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = text.empty() ||
              (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
               written == text.size());
    CloseHandle(file);
    return ok;
}

std::string ReportMaker::runReport()
{
    const Snapshot shot = takeSnapshot(item_, report_);
    const int type = report_ ? report_->outputType : OutputHtml;
    std::string path = report_ ? report_->outputPath : std::string();
    if (path.empty()) {
        std::string folder = ReportManager::instance()->dataFolder();
        folder = (folder.empty() ? tempFolder() : folder) + "Reports\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        path = folder + safeFileName(report_ ? report_->name : std::string(), "Report") +
               (type == OutputDelimited ? ".csv" : type == OutputXml ? ".xml" : ".html");
    }
    const std::string text = type == OutputDelimited ? delimited(report_, shot)
                           : type == OutputXml       ? xml(report_, shot)
                                                     : html(report_, shot);
    return writeFile(path, text) ? path : std::string();
}

std::string ReportMaker::getReportString()
{
    return html(report_, takeSnapshot(item_, report_));
}

std::string ReportMaker::runAlertReport(const std::string& alertText)
{
    const Snapshot shot = takeSnapshot(item_, nullptr);
    std::string site;
    std::string tag;
    if (shot.haveItem) {
        site = shot.general.name + " (" + shot.general.address + ")";
        std::string folder;
        {
            MonitorItemLock lock(item_);
            folder = item_->getDirectory();
        }
        while (!folder.empty() && folder.back() == '\\')
            folder.pop_back();
        tag = folder.substr(folder.find_last_of('\\') + 1);
    }
    // The text is escaped before the item's name goes in, so neither can bring markup.
    std::string body = HtmlEscape::escape(alertText);
    const std::string marker = HtmlEscape::escape(kWebsiteName);
    const std::string siteHtml = HtmlEscape::escape(site);
    for (size_t at = body.find(marker); at != std::string::npos;
         at = body.find(marker, at + siteHtml.size()))
        body.replace(at, marker.size(), siteHtml);
    std::string lines;
    for (char c : body) {
        if (c == '\n')
            lines += "<br>\n";
        else if (c != '\r')
            lines += c;
    }

    std::ostringstream out;
    out << htmlHead("Orvane alert: " + (shot.haveItem ? shot.general.name : std::string()))
        << "<h1>Alert</h1>\n<p>" << lines << "</p>\n</body>\n</html>\n";
    const std::string path = tempFolder() + "OrvaneAlert_" + safeFileName(tag, "item") + ".html";
    return writeFile(path, out.str()) ? path : std::string();
}
