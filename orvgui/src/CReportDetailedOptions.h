// "Details" (page 138) of the report sheet: failures, successes, and a date range whose pickers
// are enabled only while "Use date range" is checked.
#pragma once

#include <afxwin.h>

#include "CDateTimeCtrl.h"
#include "CExtCheckBox.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtResizablePropertyPage.h"

class CReportDetailedOptions : public CExtResizablePropertyPage {
public:
    enum {
        IDD = 138,
        IDC_RANGE_GROUP = 1060,
        IDC_OPTIONS_GROUP = 1061,
        IDC_FAILURES = 1064,
        IDC_SUCCESSES = 1065,
        IDC_USE_RANGE = 1066,
        IDC_START = 1067,
        IDC_END = 1068,
        IDC_START_LABEL = 1069,
        IDC_END_LABEL = 1070,
    };

    // The flags clear, the range from a day ago to a day ahead.
    CReportDetailedOptions();

    int failures;
    int successes;
    int useRange;
    CTime start;
    CTime end;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnUseRange();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    void EnablePickers();

    CExtGroupBox m_rangeGroup, m_optionsGroup;
    CExtCheckBox m_failures, m_successes, m_useRange;
    CExtLabel m_startLabel, m_endLabel;
    CDateTimeCtrl m_start, m_end;
};
