#include "CReportColumnsPage.h"

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CReportColumnsPage, CExtResizablePropertyPage)
    ON_LBN_SELCHANGE(IDC_AVAILABLE, OnAvailableSelChange)
    ON_LBN_SELCHANGE(IDC_ACTIVE, OnActiveSelChange)
    ON_LBN_DBLCLK(IDC_AVAILABLE, OnAdd)
    ON_LBN_DBLCLK(IDC_ACTIVE, OnRemove)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_UP, OnUp)
    ON_BN_CLICKED(IDC_DOWN, OnDown)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CReportColumnsPage::CReportColumnsPage() : CExtResizablePropertyPage(IDD)
{
}

void CReportColumnsPage::DoDataExchange(CDataExchange* pDX)
{
    CExtResizablePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AVAILABLE_CAPTION, m_availableLabel);
    DDX_Control(pDX, IDC_ACTIVE_CAPTION, m_activeLabel);
    DDX_Control(pDX, IDC_ADD, m_add);
    DDX_Control(pDX, IDC_REMOVE, m_remove);
    DDX_Control(pDX, IDC_UP, m_up);
    DDX_Control(pDX, IDC_DOWN, m_down);
    DDX_Control(pDX, IDC_AVAILABLE, m_availableList);
    DDX_Control(pDX, IDC_ACTIVE, m_activeList);
}

BOOL CReportColumnsPage::OnInitDialog()
{
    // the sheet's buttons serve: a second OK inside the page would take Enter from them
    for (int id : {IDOK, IDCANCEL, int(IDC_RESET)})
        if (CWnd* button = GetDlgItem(id))
            button->DestroyWindow();
    CExtResizablePropertyPage::OnInitDialog();
    for (const std::string& caption : available)
        m_availableList.AddString(caption.c_str());
    for (const std::string& caption : active)
        m_activeList.AddString(caption.c_str());
    for (int id : {IDC_ADD, IDC_REMOVE, IDC_UP, IDC_DOWN})
        Enable(id, false);
    return TRUE;
}

void CReportColumnsPage::Enable(int id, bool enable)
{
    if (CWnd* button = GetDlgItem(id))
        button->EnableWindow(enable);
}

CReportColumnsPage::Captions CReportColumnsPage::Contents(CListBox& list)
{
    Captions captions;
    for (int i = 0; i < list.GetCount(); ++i) {
        CString text;
        list.GetText(i, text);
        captions.push_back((LPCTSTR)text);
    }
    return captions;
}

void CReportColumnsPage::OnAvailableSelChange()
{
    const bool picked = m_availableList.GetCurSel() != LB_ERR;
    Enable(IDC_ADD, picked);
    if (picked) {
        m_activeList.SetCurSel(-1);
        for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN})
            Enable(id, false);
    }
}

void CReportColumnsPage::OnActiveSelChange()
{
    const bool picked = m_activeList.GetCurSel() != LB_ERR;
    for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN})
        Enable(id, picked);
    if (picked) {
        m_availableList.SetCurSel(-1);
        Enable(IDC_ADD, false);
    }
}

void CReportColumnsPage::OnAdd()
{
    const int sel = m_availableList.GetCurSel();
    if (sel != LB_ERR) {
        CString text;
        m_availableList.GetText(sel, text);
        m_availableList.DeleteString(sel);
        m_activeList.AddString(text);
    }
    Enable(IDC_ADD, false);
}

void CReportColumnsPage::OnRemove()
{
    const int sel = m_activeList.GetCurSel();
    if (sel != LB_ERR) {
        CString text;
        m_activeList.GetText(sel, text);
        m_activeList.DeleteString(sel);
        m_availableList.AddString(text);
    }
    for (int id : {IDC_REMOVE, IDC_UP, IDC_DOWN})
        Enable(id, false);
}

void CReportColumnsPage::Move(int from, int to)
{
    CString moving;
    m_activeList.GetText(from, moving);
    m_activeList.DeleteString(from);
    m_activeList.InsertString(to, moving);
    m_activeList.SetCurSel(to);
}

void CReportColumnsPage::OnUp()
{
    const int sel = m_activeList.GetCurSel();
    if (sel != LB_ERR && sel > 0)
        Move(sel, sel - 1);
}

void CReportColumnsPage::OnDown()
{
    const int sel = m_activeList.GetCurSel();
    if (sel != LB_ERR && sel < m_activeList.GetCount() - 1)
        Move(sel, sel + 1);
}

BOOL CReportColumnsPage::OnApply()
{
    active = Contents(m_activeList);
    available = Contents(m_availableList);
    return CExtResizablePropertyPage::OnApply();
}

BOOL CReportColumnsPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, 214);
    return TRUE;
}
