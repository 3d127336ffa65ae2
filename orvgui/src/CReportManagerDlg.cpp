#include "CReportManagerDlg.h"

#include <vector>

#include "CReportColumnsPage.h"
#include "CReportDetailedOptions.h"
#include "CReportGeneralPage.h"
#include "CWaitDlg.h"
#include "ContextHelpMap.h"
#include "FixedPropertySheet.h"
#include "MonitorItemWrapper.h"
#include "ReportColumnIdSequence.h"
#include "ReportNames.h"
#include "ReportViewer.h"
#include "reports/Report.h"
#include "reports/ReportManager.h"

BEGIN_MESSAGE_MAP(CReportManagerDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_LIST, OnSelChange)
    ON_BN_CLICKED(IDC_VIEW, OnView)
    ON_BN_CLICKED(IDC_NEW, OnNew)
    ON_BN_CLICKED(IDC_EDIT, OnEdit)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_SET_DEFAULT, OnSetDefault)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

const char CReportManagerDlg::kNewTitle[] = "New watch item report";
const char CReportManagerDlg::kEditTitle[] = "Edit watch item report";
const char CReportManagerDlg::kDeleteQuestion[] = "Are you sure you want to delete ";
const char CReportManagerDlg::kWaitText[] = "Please wait while generating report";

CReportManagerDlg::CReportManagerDlg(MonitorItemWrapper* wrapper, ReportManager& reports, CWnd* pParent)
    : CExtResizableDialog(IDD, pParent), m_wrapper(wrapper), m_reports(reports)
{
}

void CReportManagerDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROMPT, m_prompt);
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDOK, m_close);
    DDX_Control(pDX, IDC_VIEW, m_view);
    DDX_Control(pDX, IDC_NEW, m_new);
    DDX_Control(pDX, IDC_EDIT, m_edit);
    DDX_Control(pDX, IDC_DELETE, m_delete);
    DDX_Control(pDX, IDC_SET_DEFAULT, m_setDefault);
    DDX_LBString(pDX, IDC_LIST, selected);
}

std::string CReportManagerDlg::DefaultName()
{
    const Report* def = m_reports.getDefaultReport();
    return def != nullptr ? def->name : std::string();
}

BOOL CReportManagerDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    const std::string def = DefaultName();
    for (ReportManager::Iterator it = m_reports.beginReports(); it != m_reports.endReports(); ++it)
        m_list.AddString(ReportNames::display(it->first, !def.empty() && it->first == def).c_str());
    UpdateButtons();
    return TRUE;
}

void CReportManagerDlg::UpdateButtons()
{
    const int sel = m_list.GetCurSel();
    CString text;
    if (sel != LB_ERR)
        m_list.GetText(sel, text);
    m_view.EnableWindow(sel != LB_ERR && m_wrapper != nullptr);
    m_edit.EnableWindow(sel != LB_ERR);
    m_delete.EnableWindow(sel != LB_ERR);
    m_setDefault.EnableWindow(sel != LB_ERR && !ReportNames::isDefaultDisplay((LPCTSTR)text));
}

void CReportManagerDlg::OnSelChange()
{
    UpdateButtons();
}

std::string CReportManagerDlg::SelectedName()
{
    const int sel = m_list.GetCurSel();
    if (sel == LB_ERR)
        return std::string();
    CString text;
    m_list.GetText(sel, text);
    return ReportNames::plain((LPCTSTR)text);
}

int CReportManagerDlg::FindExact(const std::string& display)
{
    // the list's own search ignores case; names that differ only in case are different reports
    for (int i = 0; i < m_list.GetCount(); ++i) {
        CString text;
        m_list.GetText(i, text);
        if (display == (LPCTSTR)text)
            return i;
    }
    return LB_ERR;
}

int CReportManagerDlg::FindName(const std::string& name)
{
    const int plain = FindExact(name);
    return plain != LB_ERR ? plain : FindExact(ReportNames::display(name, true));
}

void CReportManagerDlg::Replace(int index, const std::string& display, bool select)
{
    if (index != LB_ERR)
        m_list.DeleteString(index);
    const int added = m_list.AddString(display.c_str());
    if (select)
        m_list.SetCurSel(added);
}

void CReportManagerDlg::OnView()
{
    const std::string name = SelectedName();
    Report report;
    if (name.empty() || m_wrapper == nullptr || !m_reports.copyReport(name, report))
        return;
    CWaitDlg wait;
    wait.Show(kWaitText, this);
    ReportViewer::view(m_hWnd, report, m_wrapper->getItem());
    wait.Close();
}

void CReportManagerDlg::FillPages(const Report& report, CReportGeneralPage& general, CReportDetailedOptions& details)
{
    general.name = report.name.c_str();
    general.outputFile = report.outputPath.c_str();
    general.outputType = report.outputType;
    details.failures = report.failures;
    details.successes = report.successes;
    details.useRange = report.useRange;
    if (report.useRange) {
        details.start = CTime(report.start);
        details.end = CTime(report.end);
    }
}

void CReportManagerDlg::TakePages(const CReportGeneralPage& general, const CReportDetailedOptions& details, Report& report)
{
    report.name = (LPCTSTR)general.name;
    report.outputPath = (LPCTSTR)general.outputFile;
    report.outputType = general.outputType;
    report.failures = details.failures != 0;
    report.successes = details.successes != 0;
    report.useRange = details.useRange != 0;
    report.start = report.useRange ? details.start.GetTime() : 0;
    report.end = report.useRange ? details.end.GetTime() : 0;
}

std::vector<int> CReportManagerDlg::ColumnsOf(const std::vector<std::string>& captions)
{
    std::vector<int> columns;
    for (const std::string& caption : captions)
        columns.push_back(ReportColumnIdSequence::FromCaption(caption));
    return columns;
}

std::vector<std::string> CReportManagerDlg::CaptionsOf(const std::vector<int>& columns)
{
    std::vector<std::string> captions;
    for (int id : columns)
        captions.push_back(Report::columnCaption(id));
    return captions;
}

INT_PTR CReportManagerDlg::RunSheet(const char* title, CReportGeneralPage& general, CReportDetailedOptions& details,
                                    CReportColumnsPage& columns)
{
    general.dataFolder = m_reports.dataFolder();
    for (ReportManager::Iterator it = m_reports.beginReports(); it != m_reports.endReports(); ++it)
        general.existingNames.push_back(it->first);
    FixedPropertySheet sheet(false, title, this);
    sheet.AddPage(&general);
    sheet.AddPage(&details);
    sheet.AddPage(&columns);
    return sheet.DoModal();
}

void CReportManagerDlg::OnNew()
{
    CReportGeneralPage general;
    CReportDetailedOptions details;
    CReportColumnsPage columns;
    details.failures = 1;
    details.successes = 1;
    columns.active = CaptionsOf({ColumnLine, ColumnDate, ColumnResponseTime, ColumnLastResponseText});
    columns.available = CaptionsOf({ColumnMonitorType, ColumnSavedPage, ColumnHttpStatusCode, ColumnHttpStatusText});
    if (RunSheet(kNewTitle, general, details, columns) != IDOK)
        return;
    Report values;
    TakePages(general, details, values);
    values.columns = ColumnsOf(columns.active);
    m_reports.createReport(values.name);
    m_reports.updateReport(values.name, values);
    const std::string def = DefaultName();
    Replace(LB_ERR, ReportNames::display(values.name, values.name == def), true);
    UpdateButtons();
}

void CReportManagerDlg::OnEdit()
{
    const std::string name = SelectedName();
    Report report;
    if (name.empty() || !m_reports.copyReport(name, report))
        return;
    CReportGeneralPage general;
    CReportDetailedOptions details;
    CReportColumnsPage columns;
    FillPages(report, general, details);
    general.ownName = name;
    columns.active = CaptionsOf(report.columns);
    columns.available = CaptionsOf(ReportColumnIdSequence::Without(ReportColumnIdSequence::Offered(), report.columns));
    if (RunSheet(kEditTitle, general, details, columns) != IDOK)
        return;
    const bool wasDefault = DefaultName() == name;
    TakePages(general, details, report);
    report.columns = ColumnsOf(columns.active);
    // in place: the definition keeps its place as the default
    m_reports.editReport(name, [&](Report& stored) { stored = report; });
    if (wasDefault)
        m_reports.setDefaultReport(report.name);
    Replace(FindName(name), ReportNames::display(report.name, wasDefault), true);
    UpdateButtons();
}

void CReportManagerDlg::OnDelete()
{
    const int sel = m_list.GetCurSel();
    if (sel == LB_ERR)
        return;
    CString display;
    m_list.GetText(sel, display);
    if (::MessageBoxA(m_hWnd, CString(kDeleteQuestion) + display, "Report Manager", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    const std::string name = ReportNames::plain((LPCTSTR)display);
    m_list.DeleteString(sel);
    const std::string oldDefault = DefaultName();
    m_reports.deleteReport(name);
    const std::string newDefault = DefaultName();
    if (!newDefault.empty() && newDefault != oldDefault)
        Replace(FindExact(newDefault), ReportNames::display(newDefault, true), false);
    m_list.SetCurSel(-1);
    UpdateButtons();
}

void CReportManagerDlg::OnSetDefault()
{
    const int sel = m_list.GetCurSel();
    if (sel == LB_ERR)
        return;
    CString display;
    m_list.GetText(sel, display);
    if (ReportNames::isDefaultDisplay((LPCTSTR)display))
        return;
    const std::string name = ReportNames::plain((LPCTSTR)display);
    if (m_reports.getReport(name) == nullptr)
        return;
    const std::string oldDefault = DefaultName();
    m_list.DeleteString(sel);
    if (!oldDefault.empty())
        Replace(FindExact(ReportNames::display(oldDefault, true)), oldDefault, false);
    m_reports.setDefaultReport(name);
    Replace(LB_ERR, ReportNames::display(name, true), true);
    UpdateButtons();
}

void CReportManagerDlg::OnOK()
{
    UpdateData(TRUE);
    m_reports.flushReports();
    EndDialog(IDOK);
}

BOOL CReportManagerDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
