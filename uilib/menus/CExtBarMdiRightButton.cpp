#include "CExtBarMdiRightButton.h"
#include "CExtMenuControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdManager.h"
#include "CExtResourceManager.h"
#include "CExtPaintManagerHolder.h"
#include <afxres.h>
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

// ---- the layout record ------------------------------------------------------------------------

int CExtBarMdiRightButton::MdiButtonsInfo::CountButtons() const {
    if (!IsValid())
        return 0;
    int n = 0;
    if (Has(flagHelp))
        n++;
    if (Has(flagMinimize))
        n += 2;
    else if (Has(flagMaximize))
        n++;
    if (Has(flagClose))
        n++;
    return n;
}

void CExtBarMdiRightButton::MdiButtonsInfo::CalcTotal(bool bHorz) {
    const int n = CountButtons();
    if (bHorz) {
        m_cxTotal = 2 + n * (m_cxButton + 2);
        m_cyTotal = m_cyButton + 2;
    } else {
        m_cxTotal = m_cxButton + 2;
        m_cyTotal = 2 + n * (m_cyButton + 2);
    }
}

void CExtBarMdiRightButton::MdiButtonsInfo::LayoutButtons(const CRect& rc, bool bHorz) {
    m_rcClose.SetRectEmpty();
    m_rcMaximizeOnly.SetRectEmpty();
    m_rcRestore.SetRectEmpty();
    m_rcMinimize.SetRectEmpty();
    m_rcHelp.SetRectEmpty();
    if (!IsValid())
        return;
    CRect rcButton;
    if (bHorz) {
        const int y = rc.top + (rc.Height() - m_cyButton) / 2;
        rcButton.SetRect(rc.left + 2, y, rc.left + 2 + m_cxButton, y + m_cyButton);
    } else {
        const int x = rc.left + (rc.Width() - m_cxButton) / 2;
        rcButton.SetRect(x, rc.top + 2, x + m_cxButton, rc.top + 2 + m_cyButton);
    }
    auto place = [&](CRect& rcOut) {
        rcOut = rcButton;
        if (bHorz)
            rcButton.OffsetRect(m_cxButton + 2, 0);
        else
            rcButton.OffsetRect(0, m_cyButton + 2);
    };
    if (Has(flagHelp))
        place(m_rcHelp);
    if (Has(flagMinimize)) {
        place(m_rcMinimize);
        place(m_rcRestore);
    } else if (Has(flagMaximize)) {
        place(m_rcMaximizeOnly);
    }
    if (Has(flagClose))
        place(m_rcClose);
    CalcTotal(bHorz);
}

UINT CExtBarMdiRightButton::MdiButtonsInfo::HitTest(CPoint pt) const {
    if (!IsValid())
        return 0;
    if (m_rcHelp.PtInRect(pt))
        return SC_CONTEXTHELP;
    if (m_rcRestore.PtInRect(pt))
        return SC_RESTORE;
    if (m_rcMinimize.PtInRect(pt))
        return SC_MINIMIZE;
    if (m_rcMaximizeOnly.PtInRect(pt))
        return SC_MAXIMIZE;
    if (m_rcClose.PtInRect(pt))
        return SC_CLOSE;
    return 0;
}

CRect CExtBarMdiRightButton::MdiButtonsInfo::RectOf(UINT nSysCmd) const {
    switch (nSysCmd) {
    case SC_CONTEXTHELP: return m_rcHelp;
    case SC_RESTORE: return m_rcRestore;
    case SC_MINIMIZE: return m_rcMinimize;
    case SC_MAXIMIZE: return m_rcMaximizeOnly;
    case SC_CLOSE: return m_rcClose;
    }
    return CRect(0, 0, 0, 0);
}

// ---- the button -------------------------------------------------------------------------------

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CExtBarMdiDocButton(pBar, nCmdID, dwStyle) {}

CExtBarMdiRightButton::~CExtBarMdiRightButton() = default;

UINT CExtBarMdiRightButton::PromptIdOf(UINT nSysCmd) {
    switch (nSysCmd) {
    case SC_CONTEXTHELP: return ID_CONTEXT_HELP;      // 0xE145
    case SC_RESTORE: return AFX_IDS_SCRESTORE;         // 0xEF12
    case SC_MINIMIZE: return AFX_IDS_SCMINIMIZE;       // 0xEF02
    case SC_MAXIMIZE: return AFX_IDS_SCMAXIMIZE;       // 0xEF03
    case SC_CLOSE: return AFX_IDS_SCCLOSE;             // 0xEF06
    }
    return 0;
}

bool CExtBarMdiRightButton::IsHorzLayout() const {
    return m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !m_pBar->IsDockedVertically();
}

bool CExtBarMdiRightButton::GetButtonsInfo(MdiButtonsInfo& info, bool bHorz) const {
    info = MdiButtonsInfo();
    CExtMenuControlBar* pMenuBar = DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar);
    if (pMenuBar == NULL)
        return false;
    pMenuBar->GetMdiButtonsInfo(info, const_cast<CExtBarMdiRightButton*>(this), bHorz);
    info.LayoutButtons(GetRect(), bHorz);
    return info.IsValid();
}

CSize CExtBarMdiRightButton::MeasureButton(CDC*, CSize sizePreCalc, bool bHorz) {
    MdiButtonsInfo info;
    CExtMenuControlBar* pMenuBar = DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar);
    if (pMenuBar != NULL)
        pMenuBar->GetMdiButtonsInfo(info, this, bHorz);
    if (!info.IsValid()) {
        m_size = CSize(1, 1);
        return m_size;
    }
    CSize size(info.m_cxTotal, info.m_cyTotal);
    if (bHorz)
        size.cy = std::max((int)size.cy, (int)sizePreCalc.cy);
    else
        size.cx = std::max((int)size.cx, (int)sizePreCalc.cx);
    m_size = size;
    return m_size;
}

bool CExtBarMdiRightButton::AppendToPopupMenu(CExtPopupMenuWnd* pPopup) {
    if (pPopup == NULL)
        return false;
    MdiButtonsInfo info;
    if (!GetButtonsInfo(info, IsHorzLayout()))
        return false;
    const HWND hWndChild = info.m_pWndChild != NULL ? info.m_pWndChild->GetSafeHwnd() : NULL;
    const int nCount = pPopup->GetItemCount();
    if (nCount > 0 && pPopup->ItemGetCmdID(nCount - 1) != 0)
        pPopup->InsertItem(0, -1);
    // the window commands are those of the document's system menu: the profile learns them there
    if (hWndChild != NULL) {
        const HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(hWndChild);
        if (hSysMenu != NULL && profile.IsFound())
            g_CmdManager->UpdateFromMenu(profile, hSysMenu);
    }
    std::vector<UINT> commands;
    if (info.Has(MdiButtonsInfo::flagHelp))
        commands.push_back(SC_CONTEXTHELP);
    if (info.Has(MdiButtonsInfo::flagMinimize)) {
        commands.push_back(SC_MINIMIZE);
        commands.push_back(SC_RESTORE);
    }
    if (info.Has(MdiButtonsInfo::flagMinimize) && info.Has(MdiButtonsInfo::flagMaximize))
        commands.push_back(SC_MAXIMIZE);
    else if (info.Has(MdiButtonsInfo::flagMaximize))
        commands.push_back(SC_RESTORE);
    if (info.Has(MdiButtonsInfo::flagClose))
        commands.push_back(SC_CLOSE);
    // a command the profile does not know (the help command of a window whose system menu has
    // none) is left out
    for (UINT nCmd : commands)
        pPopup->InsertItem(nCmd, -1, NULL, NULL, hWndChild);
    return true;
}

void CExtBarMdiRightButton::Paint(CDC* pDC, bool bHorz) {
    if (pDC == NULL || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    if (m_rc.IsRectEmpty() || !IsVisible() || (GetStyle() & TBBS_HIDDEN) != 0 || !pDC->RectVisible(&m_rc))
        return;
    MdiButtonsInfo info;
    CExtMenuControlBar* pMenuBar = DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar);
    if (pMenuBar == NULL)
        return;
    pMenuBar->GetMdiButtonsInfo(info, this, bHorz);
    info.LayoutButtons(m_rc, bHorz);
    if (!info.IsValid())
        return;
    CPoint ptCursor(-32767, -32767);
    if (::GetCursorPos(&ptCursor))
        m_pBar->ScreenToClient(&ptCursor);
    const bool bHover = IsHover();
    const bool bPressed = (GetStyle() & TBBS_PRESSED) != 0;
    const bool bEnabled = !IsDisabled();
    const UINT commands[] = {SC_CONTEXTHELP, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE};
    for (UINT nCmd : commands) {
        const CRect rc = info.RectOf(nCmd);
        if (rc.IsRectEmpty())
            continue;
        const bool bIn = rc.PtInRect(ptCursor) != FALSE;
        CExtPaintManager::PushButtonPaintData data(this, bHorz, rc, "", NULL, true, bHover && bIn, bPressed && bIn,
                                                   false, bEnabled, true, false, false, 1 | 4, NULL, false, nCmd);
        g_PaintManager->PaintPushButton(*pDC, data);
    }
}

void CExtBarMdiRightButton::HandleClick(CPoint point, bool bDown) {
    if (bDown || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    // the document window the area was shown for has gone while the button was held
    if (m_hWndChild != NULL && !::IsWindow(m_hWndChild))
        return;
    MdiButtonsInfo info;
    if (!GetButtonsInfo(info, IsHorzLayout()))
        return;
    const UINT nCmd = info.HitTest(point);
    const HWND hWndChild = info.m_pWndChild != NULL ? info.m_pWndChild->GetSafeHwnd() : NULL;
    if (nCmd == 0 || hWndChild == NULL)
        return;
    CExtToolControlBar* pBar = m_pBar;
    const HWND hWndBar = pBar->m_hWnd;
    if (nCmd == SC_MAXIMIZE) {
        ::SendMessageA(::GetParent(hWndChild), WM_MDIRESTORE, (WPARAM)hWndChild, 0);
    } else {
        const DWORD dwPos = ::GetMessagePos();
        ::SendMessageA(hWndChild, WM_SYSCOMMAND, nCmd, (LPARAM)dwPos);
    }
    // the command may have closed the window, and the bar may have dropped its buttons
    if (!::IsWindow(hWndBar) || pBar->GetButtonIndex(this) < 0)
        return;
    SetHover(false);
    CExtBarButton* pFirst = pBar->GetButton(0);
    if (pFirst != NULL && pFirst != this && pFirst->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
        pFirst->IsVisible())
        pFirst->SetHover(false);
}

INT_PTR CExtBarMdiRightButton::FillToolTipInfo(CPoint point, TOOLINFOA* pTI) {
    MdiButtonsInfo info;
    if (!GetButtonsInfo(info, IsHorzLayout()))
        return -1;
    const UINT nCmd = info.HitTest(point);
    const UINT nID = PromptIdOf(nCmd);
    if (nID == 0)
        return -1;
    if (pTI != NULL) {
        CString sText;
        if (!g_ResourceManager->LoadStringDefault(sText, nID) || sText.IsEmpty())
            sText = AfxLoadFrameworkString(nID);
        pTI->lpszText = sText.IsEmpty() ? LPSTR_TEXTCALLBACKA : CopyTipText(sText);
        pTI->rect = info.RectOf(nCmd);
        pTI->uId = nID;
        pTI->hwnd = m_pBar->GetSafeHwnd();
    }
    return (INT_PTR)nID;
}
