// Skinned radio button (see CExtRadioButton.h).
#include "CExtRadioButton.h"

IMPLEMENT_DYNCREATE(CExtRadioButton, CExtCheckBox)

BEGIN_MESSAGE_MAP(CExtRadioButton, CExtCheckBox)
END_MESSAGE_MAP()

namespace {

CExtRadioButton* RadioOf(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CExtRadioButton)))
        return NULL;
    CExtRadioButton* pRadio = static_cast<CExtRadioButton*>(pWnd);
    return pRadio->IsRadioType() ? pRadio : NULL;
}

}  // namespace

CExtRadioButton::CExtRadioButton()
{
}

CExtRadioButton::~CExtRadioButton()
{
}

LRESULT CExtRadioButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE)
        return CExtCheckBox::WindowProc(message, wParam, lParam) | DLGC_RADIOBUTTON;
    return CExtCheckBox::WindowProc(message, wParam, lParam);
}

BOOL CExtRadioButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && pMsg->hwnd == m_hWnd && pMsg->message == WM_KEYDOWN && ::GetParent(m_hWnd) != NULL) {
        bool bMoved = false;
        switch (pMsg->wParam) {
        case VK_LEFT:
        case VK_UP:
            bMoved = SelectNextInGroup(false);
            break;
        case VK_RIGHT:
        case VK_DOWN:
            bMoved = SelectNextInGroup(true);
            break;
        default:
            break;
        }
        if (bMoved)
            return TRUE;
    }
    return CExtCheckBox::PreTranslateMessage(pMsg);
}

std::vector<HWND> CExtRadioButton::GroupMembers() const
{
    std::vector<HWND> members;
    HWND hFirst = m_hWnd;
    while ((::GetWindowLongA(hFirst, GWL_STYLE) & WS_GROUP) == 0) {
        HWND hPrev = ::GetWindow(hFirst, GW_HWNDPREV);
        if (hPrev == NULL)
            break;
        hFirst = hPrev;
    }
    for (HWND h = hFirst; h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h != hFirst && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP) != 0)
            break;
        members.push_back(h);
    }
    return members;
}

void CExtRadioButton::UncheckOthersInGroup()
{
    // Every member counts, disabled and hidden ones too (the system's group walk skips those):
    // a group must never be left with two checked radio buttons, whatever DDX then reads.
    for (HWND h : GroupMembers()) {
        if (h == m_hWnd)
            continue;
        CExtRadioButton* pRadio = RadioOf(h);
        if (pRadio == NULL || pRadio->SendMessage(BM_GETCHECK, 0, 0) != BST_CHECKED)
            continue;
        pRadio->SendMessage(BM_SETCHECK, BST_UNCHECKED, 0);
        pRadio->ModifyStyle(WS_TABSTOP, 0);
        pRadio->Invalidate();
    }
}

void CExtRadioButton::DoClick(bool bSelectFirstItem, bool bOnArrowPart)
{
    if (!IsCheckButtonType()) {
        CExtCheckBox::DoClick(bSelectFirstItem, bOnArrowPart);
        return;
    }
    if (SendMessage(BM_GETCHECK, 0, 0) == 0)
        UncheckOthersInGroup();
    // a checked radio button stays checked
    SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    ModifyStyle(0, WS_TABSTOP);
    NotifyClicked();
}

bool CExtRadioButton::SelectNextInGroup(bool bForward)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return false;
    CExtRadioButton* pTarget = NULL;
    HWND h = m_hWnd;
    for (;;) {
        h = ::GetNextDlgGroupItem(hParent, h, !bForward);
        if (h == NULL || h == m_hWnd)
            return false;
        CExtRadioButton* pRadio = RadioOf(h);
        const DWORD dwStyle = (DWORD)::GetWindowLongA(h, GWL_STYLE);
        if (pRadio != NULL && (dwStyle & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
            pTarget = pRadio;
            break;
        }
    }
    if (pTarget->SendMessage(BM_GETCHECK, 0, 0) != 0)
        return false;
    HWND hTarget = pTarget->m_hWnd;
    pTarget->SendMessage(BM_SETCHECK, BST_CHECKED, 0);
    pTarget->ModifyStyle(0, WS_TABSTOP);
    // the check moves: the one that held it (and any other) lets go
    pTarget->UncheckOthersInGroup();
    pTarget->SetFocus();
    HWND hTargetParent = ::GetParent(hTarget);
    if (hTargetParent != NULL)
        ::SendMessageA(hTargetParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hTarget), BN_CLICKED), (LPARAM)hTarget);
    return true;
}

void CExtRadioButton::PaintBox(CDC& dc, CRect& rcBox, CExtPaintManager::PushButtonPaintData& data)
{
    const UINT nState = (UINT)SendMessage(BM_GETCHECK, 0, 0);
    const bool bEnabled = data.m_bEnabled != 0;
    const bool bHover = data.m_bHover != 0;
    const int nCode = nState <= 1 ? (int)nState + 2 * BoxLook(bEnabled, bHover) : 0;
    if (OnPaintRadioBox(dc, rcBox, nCode))
        return;
    DrawSystemBox(dc, rcBox, DFCS_BUTTONRADIO, nState, bEnabled, bHover);
}

bool CExtRadioButton::OnPaintRadioBox(CDC&, const CRect&, int)
{
    return false;
}
