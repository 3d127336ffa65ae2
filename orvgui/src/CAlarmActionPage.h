// What the four pages of the "Set Alarm Actions" sheet share: the applied flag that tells the
// alarm page which pages give their values back, marking the page modified for the sheet's
// Apply button, and quiet filling (an edit being filled is not the user typing).
#pragma once

#include <afxwin.h>

#include "CExtResizablePropertyPage.h"

class CAlarmActionPage : public CExtResizablePropertyPage {
public:
    explicit CAlarmActionPage(UINT nIDTemplate);

    // Set once OK or Apply took the values from the controls.
    BYTE applied;

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnApply() override;
    void OnOK() override;

    // Tells the sheet that the page has changes (PSM_CHANGED with the page's window).
    void markModified();
    // True while the page itself fills its controls: their change notifications are not edits.
    bool filling() const { return m_bFilling; }
    // Shows every value in its control, quietly.
    void show();
    // Shows one flag in its check box (the edit being typed into keeps its text and caret).
    void showCheck(int nID, int value);

    afx_msg void OnMarkModified();
    DECLARE_MESSAGE_MAP()

private:
    bool m_bFilling;
};
