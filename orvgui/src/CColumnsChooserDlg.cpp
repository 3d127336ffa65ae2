#include "CColumnsChooserDlg.h"

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CColumnsChooserDlg, CExtResizableDialog)
    ON_LBN_SELCHANGE(IDC_AVAILABLE, OnAvailableSelChange)
    ON_LBN_SELCHANGE(IDC_ACTIVE, OnActiveSelChange)
    ON_LBN_DBLCLK(IDC_AVAILABLE, OnAdd)
    ON_LBN_DBLCLK(IDC_ACTIVE, OnRemove)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_UP, OnUp)
    ON_BN_CLICKED(IDC_DOWN, OnDown)
    ON_BN_CLICKED(IDC_RESET, OnReset)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CColumnsChooserDlg::CColumnsChooserDlg(CWnd* pParent)
    : CExtResizableDialog(IDD, pParent), m_bHasDefaults(false), m_bPageMode(false)
{
}

void CColumnsChooserDlg::setDefaults(const Captions& active, const Captions& available)
{
    m_activeDefaults = active;
    m_availableDefaults = available;
    m_bHasDefaults = true;
}

void CColumnsChooserDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESET, m_reset);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Control(pDX, IDC_AVAILABLE_CAPTION, m_availableLabel);
    DDX_Control(pDX, IDC_ACTIVE_CAPTION, m_activeLabel);
    DDX_Control(pDX, IDC_UP, m_up);
    DDX_Control(pDX, IDC_REMOVE, m_remove);
    DDX_Control(pDX, IDC_DOWN, m_down);
    DDX_Control(pDX, IDC_ADD, m_add);
    DDX_Control(pDX, IDC_AVAILABLE, m_availableList);
    DDX_Control(pDX, IDC_ACTIVE, m_activeList);
}

void CColumnsChooserDlg::Fill(CListBox& list, const Captions& captions)
{
    for (const std::string& caption : captions)
        list.AddString(caption.c_str());
}

CColumnsChooserDlg::Captions CColumnsChooserDlg::Contents(CListBox& list)
{
    Captions captions;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        captions.push_back((LPCTSTR)text);
    }
    return captions;
}

BOOL CColumnsChooserDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    Fill(m_availableList, m_available);
    Fill(m_activeList, m_active);
    if (m_bPageMode) {
        m_ok.ShowWindow(SW_HIDE);
        m_cancel.ShowWindow(SW_HIDE);
    }
    if (!m_bHasDefaults)
        m_reset.ShowWindow(SW_HIDE);
    return TRUE;
}

void CColumnsChooserDlg::Enable(int id, bool bEnable)
{
    if (CWnd* pButton = GetDlgItem(id))
        pButton->EnableWindow(bEnable);
}

void CColumnsChooserDlg::OnAvailableSelChange()
{
    Enable(IDC_ADD, true);
    if (m_availableList.GetCurSel() != LB_ERR) {
        Enable(IDC_REMOVE, false);
        Enable(IDC_UP, false);
        Enable(IDC_DOWN, false);
        m_activeList.SetCurSel(-1);
    }
}

void CColumnsChooserDlg::OnActiveSelChange()
{
    Enable(IDC_REMOVE, true);
    if (m_activeList.GetCurSel() != LB_ERR) {
        Enable(IDC_UP, true);
        Enable(IDC_DOWN, true);
        Enable(IDC_ADD, false);
        m_availableList.SetCurSel(-1);
    } else {
        Enable(IDC_UP, false);
        Enable(IDC_DOWN, false);
    }
}

void CColumnsChooserDlg::OnAdd()
{
    const int nSel = m_availableList.GetCurSel();
    if (nSel != LB_ERR) {
        CString text;
        m_availableList.GetText(nSel, text);
        m_availableList.DeleteString(nSel);
        m_activeList.AddString(text);
    }
    Enable(IDC_ADD, false);
}

void CColumnsChooserDlg::OnRemove()
{
    const int nSel = m_activeList.GetCurSel();
    if (nSel != LB_ERR) {
        CString text;
        m_activeList.GetText(nSel, text);
        m_activeList.DeleteString(nSel);
        m_availableList.AddString(text);
        Enable(IDC_UP, false);
        Enable(IDC_DOWN, false);
    }
    Enable(IDC_REMOVE, false);
}

void CColumnsChooserDlg::SwapActive(int nFrom, int nTo)
{
    CString moving;
    m_activeList.GetText(nFrom, moving);
    m_activeList.DeleteString(nFrom);
    m_activeList.InsertString(nTo, moving);
    m_activeList.SetCurSel(nTo);
}

void CColumnsChooserDlg::OnUp()
{
    const int nSel = m_activeList.GetCurSel();
    if (nSel != LB_ERR && nSel > 0)
        SwapActive(nSel, nSel - 1);
}

void CColumnsChooserDlg::OnDown()
{
    const int nSel = m_activeList.GetCurSel();
    if (nSel != LB_ERR && nSel < m_activeList.GetCount() - 1)
        SwapActive(nSel, nSel + 1);
}

void CColumnsChooserDlg::OnReset()
{
    m_availableList.ResetContent();
    m_activeList.ResetContent();
    Fill(m_activeList, m_activeDefaults);
    Fill(m_availableList, m_availableDefaults);
    for (int id : {IDC_REMOVE, IDC_ADD, IDC_UP, IDC_DOWN})
        Enable(id, false);
}

void CColumnsChooserDlg::OnOK()
{
    m_active = Contents(m_activeList);
    m_available = Contents(m_availableList);
    EndDialog(IDOK);
}

void CColumnsChooserDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CColumnsChooserDlg::OnHelpInfo(HELPINFO*)
{
    // as a page of the report sheet it has the sheet's topic
    ContextHelpMap::showHelp(m_hWnd, m_bPageMode ? 214 : IDD);
    return TRUE;
}
