// Skinned push button (see CExtButton.h).
#include "CExtButton.h"
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtResourceManager.h"
#include "ExtToolBarStandIns.h"
#include <afxdocking.h>
#include "CDockBar.h"
#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CExtButton, CButton)

BEGIN_MESSAGE_MAP(CExtButton, CButton)
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ENABLE()
    ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgPutToPopupMenu, OnPutToPopupMenu)
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_SETTINGCHANGE, OnSettingChangeMessage)
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChangeMessage)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChangedMessage)
END_MESSAGE_MAP()

CExtButton::CExtButton()
    : m_dwMenuOpt(4), m_nMenuOwnerValue(0), m_nAlign(5), m_nButtonType(BS_PUSHBUTTON), m_nCheck(0),
      m_nStateFlags(STATE_FOCUS_RECT | STATE_BORDER), m_nOptFlags(0), m_nPressedPart(0),
      m_clrTextDisabled((COLORREF)-1), m_clrTextNormal((COLORREF)-1), m_clrTextHover((COLORREF)-1),
      m_clrTextPressed((COLORREF)-1), m_hCursor(NULL), m_bOwnCursor(false), m_hIconHover(NULL), m_hIconNormal(NULL)
{
}

CExtButton::~CExtButton()
{
    if (m_wndToolTip.m_hWnd != NULL && ::IsWindow(m_wndToolTip.m_hWnd))
        m_wndToolTip.DestroyWindow();
    SetIcon(NULL, NULL);
    SetBtnCursor(-1);
    m_menu.DestroyMenu();
}

// ---- small queries ----

bool CExtButton::IsPushButtonType() const
{
    return m_nButtonType == BS_PUSHBUTTON || m_nButtonType == BS_DEFPUSHBUTTON || m_nButtonType == BS_USERBUTTON ||
           m_nButtonType == BS_OWNERDRAW;
}

bool CExtButton::IsCheckButtonType() const
{
    switch (m_nButtonType) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

bool CExtButton::IsButtonEnabled() const
{
    // no window of the program hosts controls in a design mode: the window's own state
    return m_hWnd != NULL && ::IsWindowEnabled(m_hWnd);
}

HFONT CExtButton::GetParentFont() const
{
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? (HFONT)::SendMessageA(hParent, WM_GETFONT, 0, 0) : NULL;
}

void CExtButton::GetButtonRects(CRect& rcMain, CRect& rcArrow) const
{
    GetClientRect(&rcMain);
    rcArrow = rcMain;
    rcArrow.left = rcMain.right;
    if (m_nStateFlags & STATE_SPLIT) {
        rcArrow.left = rcMain.right - ARROW_PART_WIDTH;
        rcMain.right = rcArrow.left;
    }
}

int CExtButton::HitTestParts(CPoint ptClient) const
{
    CRect rcMain, rcArrow;
    GetButtonRects(rcMain, rcArrow);
    if (rcMain.PtInRect(ptClient))
        return 1;
    if ((m_nStateFlags & STATE_SPLIT) && rcArrow.PtInRect(ptClient))
        return 2;
    return 0;
}

int CExtButton::HitTestCursor() const
{
    POINT pt;
    if (!::GetCursorPos(&pt))
        return 0;
    ::ScreenToClient(m_hWnd, &pt);
    return HitTestPoint(pt);
}

int CExtButton::HitTestPoint(CPoint ptClient) const
{
    POINT pt = ptClient;
    ::ClientToScreen(m_hWnd, &pt);
    if (::WindowFromPoint(pt) != m_hWnd)
        return 0;
    if ((m_nStateFlags & STATE_SPLIT) == 0)
        return 1;
    ::ScreenToClient(m_hWnd, &pt);
    return HitTestParts(pt);
}

// ---- icons and cursor ----

void CExtButton::SetIcon(HICON hIconHover, HICON hIconNormal)
{
    if (m_hIconNormal != NULL && m_hIconNormal != m_hIconHover)
        ::DestroyIcon(m_hIconNormal);
    if (m_hIconHover != NULL)
        ::DestroyIcon(m_hIconHover);
    m_hIconHover = hIconHover;
    m_hIconNormal = hIconNormal != NULL ? hIconNormal : hIconHover;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        Repaint();
}

bool CExtButton::SetBtnCursor(int nCursorID)
{
    if (m_hCursor != NULL && m_bOwnCursor)
        ::DestroyCursor(m_hCursor);
    m_hCursor = NULL;
    m_bOwnCursor = false;
    if (nCursorID == -1)
        return true;
    HINSTANCE hModule = g_ResourceManager->FindResourceDefault(RT_GROUP_CURSOR, MAKEINTRESOURCEA(nCursorID));
    if (hModule != NULL)
        m_hCursor = (HCURSOR)::LoadImageA(hModule, MAKEINTRESOURCEA(nCursorID), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
    if (m_hCursor != NULL) {
        m_bOwnCursor = true;
        return true;
    }
    // the system's cursor of that id: shared by every window, never the button's to destroy
    m_hCursor = ::LoadCursorA(NULL, MAKEINTRESOURCEA(nCursorID));
    return m_hCursor != NULL;
}

// ---- subclassing ----

void CExtButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const DWORD dwStyle = GetStyle();
    m_nButtonType = dwStyle & 0x0F;
    // still the system's own procedure: the real style becomes owner-drawn
    ::SendMessageA(m_hWnd, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    CFont& font = pPM->GetFont(m_nButtonType == BS_DEFPUSHBUTTON ? CExtPaintManager::FontBold : CExtPaintManager::FontNormal);
    ::SendMessageA(m_hWnd, WM_SETFONT, (WPARAM)font.GetSafeHandle(), FALSE);
    const DWORD dwAlign = dwStyle & BS_CENTER;
    if (dwAlign == BS_LEFT)
        m_nAlign = 4;
    else if (dwAlign == BS_RIGHT)
        m_nAlign = 6;
    else if (dwAlign == BS_CENTER)
        m_nAlign = 5;
    else
        m_nAlign = (IsPushButtonType() || (dwStyle & BS_PUSHLIKE)) ? 5 : 4;
    PostMessage(WM_ENABLE, ::IsWindowEnabled(m_hWnd), 0);
}

// ---- capture ----

void CExtButton::TakeCapture()
{
    if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
        static_cast<CExtMouseCaptureSink*>(this)->SetCapture(m_hWnd);   // through the overridable take
}

void CExtButton::GiveUpCapture()
{
    if (m_hWnd != NULL && CExtMouseCaptureSink::GetCapture() == m_hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
}

void CExtButton::DropMouseState()
{
    const bool bChanged = (m_nStateFlags & (STATE_HOVER | STATE_PUSHED | STATE_TRACKING | STATE_KEY_PRESS)) != 0;
    m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED | STATE_TRACKING | STATE_KEY_PRESS);
    m_nPressedPart = 0;
    GiveUpCapture();
    if (bChanged && ::IsWindow(m_hWnd))
        Repaint();
}

void CExtButton::Repaint()
{
    InvalidateRect(NULL, TRUE);
}

// ---- mouse ----

void CExtButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nStateFlags & STATE_KEY_PRESS)
        return;
    CButton::OnMouseMove(nFlags, point);
    const int nPart = HitTestPoint(point);
    const bool bTracking = (m_nStateFlags & STATE_TRACKING) != 0;
    const bool bOver = bTracking ? (nPart == m_nPressedPart && nPart != 0) : nPart != 0;
    if (bOver && CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, ::GetActiveWindow(), true, true, true)) {
        TakeCapture();
        if ((m_nStateFlags & STATE_HOVER) == 0) {
            m_nStateFlags |= STATE_HOVER;
            if ((nFlags & MK_LBUTTON) && bTracking)
                m_nStateFlags |= STATE_PUSHED;
            else
                m_nStateFlags &= ~STATE_PUSHED;
            Repaint();
        }
    } else {
        if (!bTracking)
            GiveUpCapture();
        if (m_nStateFlags & STATE_HOVER) {
            m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED);
            Repaint();
        }
    }
}

void CExtButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nStateFlags & STATE_KEY_PRESS)
        return;
    CButton::OnLButtonDown(nFlags, point);
    m_nPressedPart = HitTestPoint(point);
    if (m_nPressedPart != 0) {
        m_nStateFlags |= STATE_HOVER | STATE_PUSHED | STATE_TRACKING;
        TakeCapture();
        Repaint();
    }
}

void CExtButton::OnLButtonUp(UINT, CPoint point)
{
    if (m_nStateFlags & STATE_KEY_PRESS)
        return;
    const int nPart = HitTestPoint(point);
    const bool bClick = (m_nStateFlags & STATE_PUSHED) && (m_nStateFlags & STATE_TRACKING) && nPart == m_nPressedPart;
    m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED | STATE_TRACKING);
    m_nPressedPart = 0;
    GiveUpCapture();
    Repaint();
    if (bClick && IsButtonEnabled() && (GetStyle() & WS_VISIBLE))
        DoClick(false, (m_nStateFlags & STATE_SPLIT) != 0 && nPart == 2);
}

void CExtButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    if (m_nStateFlags & (STATE_HOVER | STATE_PUSHED)) {
        GiveUpCapture();
        m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED);
        Repaint();
    }
}

void CExtButton::OnCaptureChanged(CWnd* pWnd)
{
    if ((m_nStateFlags & (STATE_HOVER | STATE_PUSHED)) && (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd)) {
        m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED);
        Repaint();
    }
    CButton::OnCaptureChanged(pWnd);
}

BOOL CExtButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != NULL) {
        ::SetCursor(m_hCursor);
        return TRUE;
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

// ---- keyboard ----

BOOL CExtButton::PreTranslateMessage(MSG* pMsg)
{
    if (!CExtPopupMenuWnd::IsAnyMenuTracked()) {
        if (m_wndToolTip.m_hWnd == NULL && m_wndToolTip.Create(this))
            m_wndToolTip.Activate(FALSE);
        if (m_wndToolTip.m_hWnd != NULL)
            m_wndToolTip.RelayEvent(pMsg);
    }
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) &&
        (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE)) {
        if (!IsButtonEnabled() || (GetStyle() & WS_VISIBLE) == 0 || (m_nStateFlags & STATE_TRACKING))
            return TRUE;
        const bool bDown = pMsg->message == WM_KEYDOWN;
        if ((bDown && pMsg->wParam == VK_RETURN) || (!bDown && pMsg->wParam == VK_SPACE)) {
            if (!bDown && (m_nStateFlags & STATE_KEY_PRESS) == 0 && pMsg->wParam == VK_SPACE)
                return TRUE;   // a Space released that was not pressed here
            GiveUpCapture();
            m_nStateFlags &= ~(STATE_HOVER | STATE_PUSHED | STATE_TRACKING | STATE_KEY_PRESS);
            Repaint();
            DoClick(true, false);
        } else if (bDown && pMsg->wParam == VK_SPACE) {
            m_nStateFlags |= STATE_HOVER | STATE_PUSHED | STATE_KEY_PRESS;
            TakeCapture();
            Repaint();
        }
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

// ---- clicks and menus ----

void CExtButton::DoClick(bool bSelectFirstItem, bool bOnArrowPart)
{
    HWND hWnd = m_hWnd;
    HWND hParent = ::GetParent(hWnd);
    if (hParent == NULL)
        return;
    const WPARAM wParam = MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED);
    if (IsCheckButtonType()) {
        SendMessage(BM_SETCHECK, SendMessage(BM_GETCHECK, 0, 0) == 0, 0);
        ::SendMessageA(hParent, WM_COMMAND, wParam, (LPARAM)hWnd);
        if (::IsWindow(hWnd))
            Repaint();
    } else if (IsPushButtonType()) {
        if (((m_nStateFlags & STATE_SPLIT) == 0 || bOnArrowPart) && TrackButtonMenu(bSelectFirstItem))
            return;
        ::SendMessageA(hParent, WM_COMMAND, wParam, (LPARAM)hWnd);
        // the parent may have destroyed the button in its handler
        if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
            Repaint();
    }
}

bool CExtButton::TrackButtonMenu(bool bSelectFirstItem)
{
    if (!HasMenu())
        return false;
    HWND hWnd = m_hWnd;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(hWnd);
    LPCTSTR lpszProfile = profile;
    g_CmdManager->UpdateFromMenu(lpszProfile, m_menu.GetSafeHmenu(), false, true, true);

    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    pPopup->SetOwnerValue(m_nMenuOwnerValue);
    UINT nFlags = m_dwMenuOpt;
    UINT nAlign = 0;
    CWnd* pOwner = GetParent();
    MenuOwnerOnBars(nFlags, nAlign, pOwner);
    HWND hWndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : ::GetParent(hWnd);
    if (!pPopup->UpdateFromMenu(hWndOwner, &m_menu, true, true)) {
        delete pPopup;
        return true;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint ptAnchor = rcWindow.CenterPoint();
    SetFocus();
    if ((m_nStateFlags & STATE_SELECTOR) == 0) {
        nFlags = nAlign | nFlags | 0x20 | (bSelectFirstItem ? 0x40 : 0);
        if (!pPopup->TrackPopupMenu(nFlags, ptAnchor.x, ptAnchor.y, &rcWindow, this, PaintCombinedArea, NULL, true))
            delete pPopup;
        return true;
    }
    UINT nChosen = 0;
    nFlags = nAlign | nFlags | 0x2A0 | (bSelectFirstItem ? 0x40 : 0);
    if (!pPopup->TrackPopupMenu(nFlags, ptAnchor.x, ptAnchor.y, &rcWindow, this, PaintCombinedArea, &nChosen, true)) {
        delete pPopup;
        return true;
    }
    if (nChosen == 0 || !::IsWindow(hWnd))
        return true;
    SetDlgCtrlID((int)nChosen);
    if (m_nOptFlags & 1) {
        CExtCmdItem* pCmd = g_CmdManager->GetCommand(lpszProfile, nChosen);
        if (pCmd != NULL)
            SetWindowText(!pCmd->m_sToolbarText.IsEmpty() ? pCmd->m_sToolbarText : pCmd->m_sMenuText);
        CExtCmdIcon* pIcon = g_CmdManager->GetCommandIcon(lpszProfile, nChosen);
        HICON hIcon = (pIcon != NULL && !pIcon->IsEmpty()) ? ::CopyIcon(pIcon->GetHICON()) : NULL;
        SetIcon(hIcon, NULL);
    }
    ::SendMessageA(::GetParent(hWnd), WM_COMMAND, (WPARAM)nChosen, (LPARAM)hWnd);
    if (::IsWindow(hWnd))
        Repaint();
    return true;
}

bool CExtButton::MenuOwnerOnBars(UINT& nFlags, UINT& nAlign, CWnd*& pOwner) const
{
    CWnd* pWnd = GetParent();
    if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
        return false;
    bool bAligned = false;
    while (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        CControlBar* pBar = static_cast<CControlBar*>(pWnd);
        if (!bAligned && pBar->m_pDockBar != NULL) {
            bAligned = true;
            nFlags &= ~0x0Fu;
            switch (pBar->m_pDockBar->GetDlgCtrlID()) {
            case AFX_IDW_DOCKBAR_LEFT:
                nAlign = 1;
                break;
            case AFX_IDW_DOCKBAR_RIGHT:
                nAlign = 3;
                break;
            case AFX_IDW_DOCKBAR_BOTTOM:
                nAlign = 6;
                break;
            default:   // top, floating
                nAlign = 4;
                break;
            }
        }
        pWnd = pWnd->GetParent();
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
            pWnd = pWnd->GetParentFrame();
            break;
        }
    }
    pOwner = pWnd;
    return true;
}

bool CExtButton::PaintCombinedArea(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea)
{
    CExtButton* pButton = static_cast<CExtButton*>(pCookie);
    if (rcArea.IsRectEmpty() || pButton == NULL || !::IsWindow(pButton->m_hWnd))
        return false;
    CPoint ptButton(0, 0), ptPopup(0, 0);
    ::ClientToScreen(pButton->m_hWnd, &ptButton);
    ::ClientToScreen(wndPopup.GetSafeHwnd(), &ptPopup);
    const CPoint ptOld = dc.SetViewportOrg(CPoint(ptButton.x - ptPopup.x, ptButton.y - ptPopup.y));
    pButton->PaintButton(dc, true);
    dc.SetViewportOrg(ptOld);
    return true;
}

bool CExtButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (!HasMenu() || pPopup == NULL)
        return false;
    CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
    const HWND hWndOwner = pPopup->GetOwnerWindow();
    if (!pSub->CreatePopupMenu(hWndOwner) || !pSub->UpdateFromMenu(hWndOwner, &m_menu, true, true)) {
        delete pSub;
        return false;
    }
    CString strText;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
    CExtCmdItem* pCmd = g_CmdManager->GetCommand(profile, (UINT)GetDlgCtrlID());
    if (pCmd != NULL)
        strText = pCmd->m_sMenuText;
    if (strText.IsEmpty())
        GetWindowText(strText);
    HICON hIcon = m_hIconHover != NULL ? ::CopyIcon(m_hIconHover) : NULL;
    if (!pPopup->InsertSubMenu(pSub, -1, strText, hIcon)) {
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
        delete pSub;
        return false;
    }
    return true;
}

LRESULT CExtButton::OnPutToPopupMenu(WPARAM wParam, LPARAM)
{
    return PutToPopupMenu(reinterpret_cast<CExtPopupMenuWnd*>(wParam)) ? 1 : 0;
}

// ---- window procedure ----

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case BM_GETCHECK:
        return m_nCheck;
    case BM_SETCHECK:
        m_nCheck = (UINT)wParam;
        Repaint();
        return 0;
    case BM_SETSTYLE:
        // only the look: the real style stays owner-drawn
        m_nButtonType = (UINT)wParam & 0x0F;
        Repaint();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;   // a double click is not a second click
    case WM_NOTIFY: {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr != NULL && m_wndToolTip.m_hWnd != NULL && pHdr->hwndFrom == m_wndToolTip.m_hWnd && pHdr->code == TTN_SHOW)
            ::SetWindowPos(m_wndToolTip.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    }
    case WM_ENABLE:
        if (!wParam)
            DropMouseState();   // a disabled button holds no capture
        break;
    case WM_SHOWWINDOW:
        if (!wParam)
            DropMouseState();
        break;
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)
            DropMouseState();
        break;
    case WM_DESTROY:
        GiveUpCapture();
        break;
    case WM_MOUSEMOVE:
        if (CExtToolControlBar::g_bMenuTracking && GetParent() != NULL &&
            GetParent()->IsKindOf(RUNTIME_CLASS(CExtToolControlBar))) {
            TrackButtonMenu(false);
            return 0;
        }
        break;
    default:
        if (message == CExtToolControlBar::g_nMsgContinueTrackMenu) {
            TrackButtonMenu(lParam != 0);
            return 1;
        }
        if (message == CExtPopupMenuWnd::g_nMsgPrepareMenu || message == CExtPopupMenuWnd::g_nMsgPopupNext ||
            message == CExtPopupMenuWnd::g_nMsgPopupPrev || message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded ||
            message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed || message == CExtPopupMenuWnd::g_nMsgPopupDrawItem ||
            message == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea) {
            HWND hParent = ::GetParent(m_hWnd);
            return hParent != NULL ? ::SendMessageA(hParent, message, wParam, lParam) : 0;
        }
        break;
    }
    HWND hWnd = m_hWnd;
    LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED:
    case BM_SETSTATE:
    case BM_CLICK:
    case BM_SETIMAGE:
        if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
            Repaint();
        break;
    default:
        break;
    }
    return lResult;
}

LRESULT CExtButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    LRESULT lResult = CButton::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
    case WM_SETTEXT:
    case WM_WINDOWPOSCHANGED:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case BM_SETIMAGE:
        if (::IsWindow(hWnd))
            ::InvalidateRect(hWnd, NULL, TRUE);
        break;
    default:
        break;
    }
    return lResult;
}

// ---- system changes ----

void CExtButton::OnSysColorChange()
{
    CButton::OnSysColorChange();
    g_PaintManager.OnSysColorChange(this);
    g_CmdManager.OnSysColorChange(this);
}

LRESULT CExtButton::OnSettingChangeMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    g_PaintManager.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
    g_CmdManager.OnSettingChange(this, (UINT)wParam, (LPCTSTR)lParam);
    return lResult;
}

LRESULT CExtButton::OnDisplayChangeMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    g_PaintManager.OnDisplayChange(this, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
    g_CmdManager.OnDisplayChange(this, (INT)wParam, LOWORD(lParam), HIWORD(lParam));
    return lResult;
}

LRESULT CExtButton::OnThemeChangedMessage(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    g_PaintManager.OnThemeChanged(this, wParam, lParam);
    g_CmdManager.OnThemeChanged(this, wParam, lParam);
    return lResult;
}

// ---- painting ----

BOOL CExtButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CExtButton::OnPaint()
{
    const UINT nRealType = GetStyle() & 0x0F;
    if (nRealType != BS_OWNERDRAW && nRealType != BS_USERBUTTON) {
        CPaintDC dc(this);
        PaintBuffered(dc);
        return;
    }
    Default();
}

void CExtButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    PaintBuffered(*CDC::FromHandle(lpDrawItemStruct->hDC));
}

void CExtButton::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    CClientDC dc(this);
    PaintBuffered(dc);
}

void CExtButton::PaintBuffered(CDC& dc)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtMemoryDC dcMem(&dc, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
    PaintButton(dcMem, false);
}

void CExtButton::PaintButton(CDC& dc, bool bTransparentBackground)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CString strText;
    GetWindowText(strText);
    bool bFocus = ::GetFocus() == m_hWnd && (m_nStateFlags & STATE_FOCUS_RECT) != 0;
    const bool bDefault = IsDefaultButton();
    bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0;
    const bool bEnabled = IsButtonEnabled();
    bool bFlat = IsFlat();
    const bool bHover = (m_nStateFlags & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsAnyMenuTracked();
    HICON hIcon = bHover ? m_hIconHover : m_hIconNormal;

    CExtCmdIcon icon;
    bool bIconWrapped = false;
    if (IsCheckButtonType()) {
        const bool bChecked = SendMessage(BM_GETCHECK, 0, 0) != 0;
        if (GetStyle() & BS_PUSHLIKE) {
            bPushed = bPushed || bChecked;
        } else {
            bFocus = false;
            bFlat = true;
            hIcon = NULL;
            if (!bChecked)
                icon.CreateEmptyImage(24, 16);
            else if (m_nButtonType == BS_RADIOBUTTON || m_nButtonType == BS_AUTORADIOBUTTON)
                icon.CreateAltMarkImage(24, 16);
            else
                icon.CreateCheckMarkImage(24, 16);
        }
    }
    if (hIcon != NULL) {
        icon.AssignFromHICON(hIcon, false);   // drawn, not copied
        bIconWrapped = true;
    }
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        bFocus = false;
        bFlat = true;
    }
    bool bTransparent = bTransparentBackground;
    if (!bTransparentBackground) {
        if (!bHover && !bPushed && g_PaintManager->NeedsDockerBackground(this)) {
            CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
            if (g_PaintManager->PaintDockerBackground(dc, this))
                bTransparent = true;
        }
        if (!bTransparent)
            dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
    }
    CExtPaintManager::PushButtonPaintData data(this, true, rcClient, strText, icon.IsEmpty() ? NULL : &icon, bFlat,
                                               bHover, bPushed, false, bEnabled, (m_nStateFlags & STATE_BORDER) != 0,
                                               bFocus, bDefault, m_nAlign, GetParentFont(), HasMenu(), 0, bTransparent);
    if (m_nStateFlags & STATE_SPLIT) {
        data.m_bSeparatedDropDown = 1;
        if (m_nPressedPart == 2 && data.m_bPushed) {
            data.m_bPushed = 0;
            data.m_bPushedDropDown = 1;
        }
    }
    data.m_clrForceTextDisabled = m_clrTextDisabled;
    data.m_clrForceTextNormal = m_clrTextNormal;
    data.m_clrForceTextHover = m_clrTextHover;
    data.m_clrForceTextPressed = m_clrTextPressed;
    g_PaintManager->PaintPushButton(dc, data);
    if (bIconWrapped)
        icon.DetachAsHICON();
}
