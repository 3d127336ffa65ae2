// The library's resizable colour dialog (template 30001, from CExtColorDlg.rc): a large picker in
// one of fifteen modes chosen from a list, a swatch of the new colour over the starting colour,
// and red-green-blue, cyan-magenta-yellow and hue-saturation-lightness fields (0 to 255, with
// spin buttons). Every input drives all the others; after OK m_clrNew holds the choice.
#pragma once
#include <afxcmn.h>
#include "CExtResizableDialog.h"
#include "CExtButton.h"
#include "CExtLabel.h"
#include "CExtColorCtrl.h"
#include "ExtColorDlgResources.h"

class CExtColorDlg : public CExtResizableDialog {
public:
    CExtColorDlg(COLORREF clrInit, COLORREF clrNew, CWnd* pParentWnd = NULL);
    ~CExtColorDlg() override;

    COLORREF m_clrInit;      // the colour the dialog starts from
    COLORREF m_clrNew;       // the chosen colour, kept up to date
    CString m_strCaption;    // the title when not empty (the part after its last line break)

    // The field groups SyncControls writes.
    enum : UINT { SYNC_RGB = 1, SYNC_CMY = 2, SYNC_HSL = 4 };

    CSpinButtonCtrl m_spinC, m_spinM, m_spinY, m_spinH, m_spinS, m_spinL, m_spinR, m_spinG, m_spinB;
    CEdit m_editC, m_editM, m_editY, m_editH, m_editS, m_editL, m_editR, m_editG, m_editB;
    CComboBox m_comboMode;
    CExtButton m_btnCancel, m_btnOK;
    CExtLabel m_labels[12];
    CExtColorCtrl m_wndColorCtrl;   // the main picker, mode 0
    CExtColorCtrl m_wndColorDiff;   // the new colour over the starting colour, mode 15

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void SyncControls(COLORREF clr, UINT nGroups);
    // A field group changed: reads its three fields (a value out of range shows the message
    // once, puts the focus there and changes nothing).
    void OnFieldChanged(UINT nID);
    void OnModeChanged();
    void OnColorCtrlChanged(const CExtColorCtrl::selection_colors_t& colors);
    void PaintMinimised();

    bool m_bInitialized;
    bool m_bUpdating;
    HICON m_hIcon;
};
