#include "ReportViewer.h"

#include <shellapi.h>

#include "Monitor/LogSetup.h"
#include "reports/Report.h"
#include "reports/ReportMaker.h"
#include "reports/ReportManager.h"

namespace {

INT_PTR ShellOpen(HWND owner, const char* path)
{
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(owner, "open", path, NULL, NULL, SW_SHOW));
}

ReportViewer::OpenFunction g_open = &ShellOpen;

log4cxx::LoggerPtr Logger()
{
    static log4cxx::LoggerPtr logger;
    if (!logger)
        LogSetup::getLogger(LogSetup::instance(), logger, "orv.ReportViewer");
    return logger;
}

}  // namespace

const char ReportViewer::kNoReports[] = "No reports found. Please create one";
const char ReportViewer::kNoItem[] = "Please select a watch item to run the report for";
const char ReportViewer::kNotWritten[] = "The report could not be written to ";

void ReportViewer::setOpenFunction(OpenFunction open)
{
    g_open = open != nullptr ? open : &ShellOpen;
}

std::string ReportViewer::defaultReportRefusal(ReportManager& reports, MonitorItemSettings* item)
{
    if (reports.size() == 0 || reports.getDefaultReport() == nullptr)
        return kNoReports;
    if (item == nullptr)
        return kNoItem;
    return std::string();
}

bool ReportViewer::view(HWND owner, const Report& report, MonitorItemSettings* item)
{
    if (item == nullptr) {
        ::MessageBoxA(owner, kNoItem, "Orvane", MB_OK | MB_ICONINFORMATION);
        return false;
    }
    const std::string path = ReportMaker(&report, item).runReport();
    if (path.empty()) {
        const std::string where = report.outputPath.empty() ? report.name : report.outputPath;
        ::MessageBoxA(owner, (kNotWritten + where).c_str(), "Orvane", MB_OK | MB_ICONERROR);
        return false;
    }
    const INT_PTR result = g_open(owner, path.c_str());
    if (result > 32)
        return true;
    LOG4CXX_ERROR(Logger(), "Error viewing report: " << result);
    if (result == SE_ERR_NOASSOC) {
        const std::string text =
            "No association defined for " + path + ". Please define one or view the file manually.";
        ::MessageBoxA(owner, text.c_str(), "Orvane", MB_OK | MB_ICONINFORMATION);
    }
    return false;
}

bool ReportViewer::viewDefault(HWND owner, ReportManager& reports, MonitorItemSettings* item)
{
    const std::string refusal = defaultReportRefusal(reports, item);
    Report report;
    if (refusal.empty() && reports.copyDefaultReport(report))
        return view(owner, report, item);
    ::MessageBoxA(owner, refusal.empty() ? kNoReports : refusal.c_str(), "Orvane", MB_OK | MB_ICONINFORMATION);
    return false;
}
