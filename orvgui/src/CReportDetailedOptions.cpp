#include "CReportDetailedOptions.h"

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CReportDetailedOptions, CExtResizablePropertyPage)
    ON_BN_CLICKED(IDC_USE_RANGE, OnUseRange)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CReportDetailedOptions::CReportDetailedOptions()
    : CExtResizablePropertyPage(IDD),
      failures(0),
      successes(0),
      useRange(0),
      start(CTime::GetCurrentTime() - CTimeSpan(1, 0, 0, 0)),
      end(CTime::GetCurrentTime() + CTimeSpan(1, 0, 0, 0))
{
}

void CReportDetailedOptions::DoDataExchange(CDataExchange* pDX)
{
    CExtResizablePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RANGE_GROUP, m_rangeGroup);
    DDX_Control(pDX, IDC_OPTIONS_GROUP, m_optionsGroup);
    DDX_Control(pDX, IDC_FAILURES, m_failures);
    DDX_Control(pDX, IDC_SUCCESSES, m_successes);
    DDX_Control(pDX, IDC_USE_RANGE, m_useRange);
    DDX_Control(pDX, IDC_START_LABEL, m_startLabel);
    DDX_Control(pDX, IDC_END_LABEL, m_endLabel);
    DDX_Control(pDX, IDC_START, m_start);
    DDX_Control(pDX, IDC_END, m_end);
    DDX_Check(pDX, IDC_FAILURES, failures);
    DDX_Check(pDX, IDC_SUCCESSES, successes);
    DDX_Check(pDX, IDC_USE_RANGE, useRange);
    DDX_DateTimeCtrl(pDX, IDC_START, start);
    DDX_DateTimeCtrl(pDX, IDC_END, end);
}

BOOL CReportDetailedOptions::OnInitDialog()
{
    CExtResizablePropertyPage::OnInitDialog();
    m_rangeGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_optionsGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    EnablePickers();
    return TRUE;
}

void CReportDetailedOptions::EnablePickers()
{
    const BOOL enable = m_useRange.GetCheck() == BST_CHECKED;
    m_start.EnableWindow(enable);
    m_end.EnableWindow(enable);
}

void CReportDetailedOptions::OnUseRange()
{
    UpdateData(TRUE);
    EnablePickers();
}

BOOL CReportDetailedOptions::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
