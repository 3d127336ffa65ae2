// Colour dialog (see CExtColorDlg.h).
#include "CExtColorDlg.h"
#include <stdlib.h>

#include "CExtPaintManager.h"
#include "CExtResourceManager.h"

namespace {

// The fields in the order they are read, by group.
const UINT kRgbFields[] = {IDC_EXT_COLOR_R, IDC_EXT_COLOR_G, IDC_EXT_COLOR_B};
const UINT kCmyFields[] = {IDC_EXT_COLOR_C, IDC_EXT_COLOR_M, IDC_EXT_COLOR_Y};
const UINT kHslFields[] = {IDC_EXT_COLOR_H, IDC_EXT_COLOR_S, IDC_EXT_COLOR_L};

const UINT kLabels[12] = {IDC_EXT_COLOR_LABEL_R, IDC_EXT_COLOR_LABEL_G, IDC_EXT_COLOR_LABEL_B,
                          IDC_EXT_COLOR_LABEL_H, IDC_EXT_COLOR_LABEL_S, IDC_EXT_COLOR_LABEL_L,
                          IDC_EXT_COLOR_LABEL_C, IDC_EXT_COLOR_LABEL_M, IDC_EXT_COLOR_LABEL_Y,
                          IDC_EXT_COLOR_LABEL_NEW, IDC_EXT_COLOR_LABEL_OLD, IDC_EXT_COLOR_LABEL_MODE};

const UINT kSpins[9] = {IDC_EXT_COLOR_SPIN_R, IDC_EXT_COLOR_SPIN_G, IDC_EXT_COLOR_SPIN_B,
                        IDC_EXT_COLOR_SPIN_H, IDC_EXT_COLOR_SPIN_S, IDC_EXT_COLOR_SPIN_L,
                        IDC_EXT_COLOR_SPIN_C, IDC_EXT_COLOR_SPIN_M, IDC_EXT_COLOR_SPIN_Y};

bool IsIn(UINT nID, const UINT (&ids)[3])
{
    return nID == ids[0] || nID == ids[1] || nID == ids[2];
}

}  // namespace

CExtColorDlg::CExtColorDlg(COLORREF clrInit, COLORREF clrNew, CWnd* pParentWnd)
    : CExtResizableDialog(IDD_EXT_COLOR_DLG, pParentWnd), m_clrInit(clrInit), m_clrNew(clrNew),
      m_wndColorCtrl(CExtColorCtrl::MODE_HEXAGON), m_wndColorDiff(CExtColorCtrl::MODE_DIFF), m_bInitialized(false),
      m_bUpdating(false), m_hIcon(NULL)
{
    HINSTANCE hModule = g_ResourceManager->FindResourceDefault(RT_GROUP_ICON, MAKEINTRESOURCEA(IDD_EXT_COLOR_DLG));
    if (hModule != NULL)
        m_hIcon = (HICON)::LoadImageA(hModule, MAKEINTRESOURCEA(IDD_EXT_COLOR_DLG), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
}

CExtColorDlg::~CExtColorDlg()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
}

void CExtColorDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    CSpinButtonCtrl* spins[9] = {&m_spinR, &m_spinG, &m_spinB, &m_spinH, &m_spinS, &m_spinL, &m_spinC, &m_spinM, &m_spinY};
    CEdit* edits[9] = {&m_editR, &m_editG, &m_editB, &m_editH, &m_editS, &m_editL, &m_editC, &m_editM, &m_editY};
    const UINT fields[9] = {IDC_EXT_COLOR_R, IDC_EXT_COLOR_G, IDC_EXT_COLOR_B, IDC_EXT_COLOR_H, IDC_EXT_COLOR_S,
                            IDC_EXT_COLOR_L, IDC_EXT_COLOR_C, IDC_EXT_COLOR_M, IDC_EXT_COLOR_Y};
    for (int i = 0; i < 9; ++i) {
        DDX_Control(pDX, kSpins[i], *spins[i]);
        DDX_Control(pDX, fields[i], *edits[i]);
    }
    DDX_Control(pDX, IDC_EXT_COLOR_MODE, m_comboMode);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    for (int i = 0; i < 12; ++i)
        DDX_Control(pDX, kLabels[i], m_labels[i]);
}

BOOL CExtColorDlg::OnInitDialog()
{
    if (!CExtResizableDialog::OnInitDialog())
        return FALSE;
    m_comboMode.ResetContent();
    for (int nMode = CExtColorCtrl::MODE_HEXAGON; nMode < CExtColorCtrl::MODE_DIFF; ++nMode)
        m_comboMode.AddString(CExtColorCtrl::GetModeName(nMode));
    if (m_hIcon != NULL) {
        SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIcon);
        SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIcon);
    }
    if (!m_strCaption.IsEmpty()) {
        CString strTitle = m_strCaption;
        const int nBreak = strTitle.ReverseFind('\n');
        if (nBreak > 0)
            strTitle = strTitle.Mid(nBreak + 1);
        if (!strTitle.IsEmpty())
            SetWindowText(strTitle);
    }
    m_wndColorCtrl.m_colors.m_clrReference = m_clrInit;
    m_wndColorCtrl.m_colors.m_clrPrevious = m_clrInit;
    m_wndColorCtrl.m_colors.m_clrCurrent = m_clrNew;
    m_wndColorDiff.m_colors.m_clrReference = m_clrInit;
    m_wndColorDiff.m_colors.m_clrPrevious = m_clrInit;
    m_wndColorDiff.m_colors.m_clrCurrent = m_clrInit;
    m_comboMode.SetCurSel(m_wndColorCtrl.m_nMode);

    AddAnchor(IDC_EXT_COLOR_PICKER, __RDA_LT, __RDA_RB);
    AddAnchor(IDC_EXT_COLOR_MODE, __RDA_LT, __RDA_RT);
    const UINT kRightTop[] = {IDC_EXT_COLOR_SWATCH, IDC_EXT_COLOR_R, IDC_EXT_COLOR_G, IDC_EXT_COLOR_B, IDC_EXT_COLOR_C,
                              IDC_EXT_COLOR_M, IDC_EXT_COLOR_Y, IDC_EXT_COLOR_H, IDC_EXT_COLOR_S, IDC_EXT_COLOR_L};
    for (UINT nID : kRightTop)
        AddAnchor(nID, __RDA_RT);
    for (UINT nID : kSpins)
        AddAnchor(nID, __RDA_RT);
    for (UINT nID : kLabels)
        if (nID != IDC_EXT_COLOR_LABEL_MODE)
            AddAnchor(nID, __RDA_RT);
    AddAnchor(IDOK, __RDA_LB);
    AddAnchor(IDCANCEL, __RDA_LB);
    ShowSizeGrip(true);

    m_wndColorCtrl.SubclassDlgItem(IDC_EXT_COLOR_PICKER, this);
    m_wndColorDiff.SubclassDlgItem(IDC_EXT_COLOR_SWATCH, this);
    for (UINT nID : kSpins)
        SendDlgItemMessage(nID, UDM_SETRANGE, 0, MAKELPARAM(255, 0));

    m_bInitialized = true;
    OnColorCtrlChanged(m_wndColorCtrl.m_colors);
    m_wndColorDiff.SetColor(m_clrInit, false);
    return TRUE;
}

// ---- keeping the fields and pickers in step ----

void CExtColorDlg::SyncControls(COLORREF clr, UINT nGroups)
{
    CString str;
    if (nGroups & SYNC_RGB) {
        const int values[3] = {GetRValue(clr), GetGValue(clr), GetBValue(clr)};
        for (int i = 0; i < 3; ++i) {
            str.Format("%d", values[i]);
            SetDlgItemText(kRgbFields[i], str);
        }
    }
    if (nGroups & SYNC_CMY) {
        const COLORREF clrCmy = CExtPaintManager::InvertColor(clr);
        const int values[3] = {GetRValue(clrCmy), GetGValue(clrCmy), GetBValue(clrCmy)};
        for (int i = 0; i < 3; ++i) {
            str.Format("%d", values[i]);
            SetDlgItemText(kCmyFields[i], str);
        }
    }
    if (nGroups & SYNC_HSL) {
        double values[3] = {0.0, 0.0, 0.0};
        CExtPaintManager::RgbToHsl(clr, values[0], values[1], values[2]);
        for (int i = 0; i < 3; ++i) {
            int n = (int)(values[i] * 255.0 + 0.5);
            if (n > 255)
                n = 255;
            str.Format("%d", n);
            SetDlgItemText(kHslFields[i], str);
        }
    }
    if (m_wndColorCtrl.m_colors.m_clrCurrent != clr)
        m_wndColorCtrl.SetColor(clr, false);
    if (m_wndColorDiff.m_colors.m_clrCurrent != clr)
        m_wndColorDiff.SetColor(clr, false);
    m_clrNew = m_wndColorCtrl.m_colors.m_clrCurrent;
}

void CExtColorDlg::OnFieldChanged(UINT nID)
{
    if (!m_bInitialized || m_bUpdating)
        return;
    const UINT* pFields = IsIn(nID, kRgbFields) ? kRgbFields : IsIn(nID, kCmyFields) ? kCmyFields : kHslFields;
    m_bUpdating = true;
    long values[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        CString strText;
        GetDlgItemText(pFields[i], strText);
        values[i] = atol(strText);
        if (values[i] < 0 || values[i] > 255) {
            CString strMessage;
            if (!g_ResourceManager->LoadStringDefault(strMessage, IDS_EXT_COLOR_RANGE) || strMessage.IsEmpty())
                strMessage = "Value must be in range 0..255";
            AfxMessageBox(strMessage, MB_OK);
            GetDlgItem(pFields[i])->SetFocus();
            m_bUpdating = false;
            return;
        }
    }
    if (pFields == kRgbFields) {
        SyncControls(RGB(values[0], values[1], values[2]), SYNC_CMY | SYNC_HSL);
    } else if (pFields == kCmyFields) {
        SyncControls(CExtPaintManager::InvertColor(RGB(values[0], values[1], values[2])), SYNC_RGB | SYNC_HSL);
    } else {
        double hsl[3];
        for (int i = 0; i < 3; ++i) {
            hsl[i] = (values[i] + 0.5) / 255.0;
            if (hsl[i] > 1.0)
                hsl[i] = 1.0;
        }
        SyncControls(CExtPaintManager::HslToRgb(hsl[0], hsl[2], hsl[1]), SYNC_RGB | SYNC_CMY);
    }
    m_bUpdating = false;
}

void CExtColorDlg::OnColorCtrlChanged(const CExtColorCtrl::selection_colors_t& colors)
{
    if (m_bUpdating)
        return;
    m_bUpdating = true;
    SyncControls(colors.m_clrCurrent, SYNC_RGB | SYNC_CMY | SYNC_HSL);
    m_bUpdating = false;
}

void CExtColorDlg::OnModeChanged()
{
    if (!m_bInitialized)
        return;
    const int nMode = m_comboMode.GetCurSel();
    if (nMode < CExtColorCtrl::MODE_HEXAGON || nMode >= CExtColorCtrl::MODE_DIFF)
        return;
    m_wndColorCtrl.ResetModels();
    m_wndColorCtrl.m_nMode = nMode;
    m_wndColorCtrl.RecalcLayout(false);
    m_wndColorCtrl.Invalidate();
    m_wndColorCtrl.UpdateWindow();
}

// ---- messages ----

BOOL CExtColorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (nCode == EN_CHANGE && (IsIn(nID, kRgbFields) || IsIn(nID, kCmyFields) || IsIn(nID, kHslFields))) {
        OnFieldChanged(nID);
        return TRUE;
    }
    if (nCode == CBN_SELENDOK && nID == IDC_EXT_COLOR_MODE) {
        OnModeChanged();
        return TRUE;
    }
    return CExtResizableDialog::OnCommand(wParam, lParam);
}

void CExtColorDlg::PaintMinimised()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect rc;
    GetClientRect(&rc);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    if (m_hIcon != NULL)
        ::DrawIcon(dc.GetSafeHdc(), (rc.Width() - cx + 1) / 2, (rc.Height() - cy + 1) / 2, m_hIcon);
}

LRESULT CExtColorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CExtColorCtrl::g_nMsgColorChanged) {
        if (lParam != 0)
            OnColorCtrlChanged(*reinterpret_cast<const CExtColorCtrl::selection_colors_t*>(lParam));
        return 0;
    }
    switch (message) {
    case WM_SIZE: {
        const LRESULT lResult = CExtResizableDialog::WindowProc(message, wParam, lParam);
        Invalidate(TRUE);
        UpdateWindow();
        return lResult;
    }
    case WM_PAINT:
        if (IsIconic()) {
            PaintMinimised();
            return 0;
        }
        break;
    case WM_QUERYDRAGICON:
        return (LRESULT)m_hIcon;
    case WM_CONTEXTMENU:
        return 0;   // no menu
    default:
        break;
    }
    return CExtResizableDialog::WindowProc(message, wParam, lParam);
}
