// The window-state layer over any framework window class: the window's placement kept in the
// application profile, a size grip in the bottom-right corner, the themed background with a
// matching background for static controls, and the system menu shown as the UI library's own
// popup menu (nTimerID names the timer that watches that popup).
#pragma once
#include "afxwin.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "ExtPlacementText.h"
#include <utility>

// The helpers the layer shares between its instantiations.
struct CExtWSHelpers {
    // A rectangle that lies on no monitor is moved onto the work area of the nearest one.
    static CRect KeepOnAMonitor(const RECT& rc);
    // Whether the class name, in lower case, contains '#' (a dialog-class window).
    static bool IsDialogClass(HWND hWnd);
    // The static-control background filter of ExcludeChildAreas.
    static bool IsTransparentChild(CDC* pDC, HWND hWndParent, HWND hWndChild, LPVOID lpCookie);
};

template <class CExtWSBase, UINT nTimerID = 301>
class CExtWS : public CExtWSBase {
public:
    enum : BYTE {
        WS_STATE_SAVE_RESTORE = 0x02,
        WS_STATE_TRACKING_MENU = 0x04,
        WS_STATE_SIZE_GRIP = 0x08,
    };

    template <class... Args>
    explicit CExtWS(Args&&... args) : CExtWSBase(std::forward<Args>(args)...), m_nStateFlags(0)
    {
        ::SetRectEmpty(&m_rcGrip);
    }
    ~CExtWS() override {}

    virtual void ShowSizeGrip(bool bShow = true)
    {
        const bool bShown = (m_nStateFlags & WS_STATE_SIZE_GRIP) != 0;
        if (bShown == bShow)
            return;
        if (bShow)
            m_nStateFlags |= WS_STATE_SIZE_GRIP;
        else
            m_nStateFlags &= ~WS_STATE_SIZE_GRIP;
        if (this->m_hWnd != NULL && ::IsWindow(this->m_hWnd)) {
            if (bShow && ::IsRectEmpty(&m_rcGrip))
                m_rcGrip = GripRect();
            ::InvalidateRect(this->m_hWnd, &m_rcGrip, TRUE);
        }
    }
    bool IsSizeGripShown() const { return (m_nStateFlags & WS_STATE_SIZE_GRIP) != 0; }
    const RECT& GetGripRect() const { return m_rcGrip; }
    bool IsTrackingSystemMenu() const { return (m_nStateFlags & WS_STATE_TRACKING_MENU) != 0; }

    virtual void SaveWindowRect()
    {
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        if (!::GetWindowPlacement(this->m_hWnd, &wp))
            return;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL)
            pApp->WriteProfileString(m_strSection, m_strEntry, ExtFormatPlacement(wp));
    }

    virtual void LoadWindowRect(bool bHide = false)
    {
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL)
            return;
        CString strPlacement = pApp->GetProfileString(m_strSection, m_strEntry);
        if (strPlacement.IsEmpty())
            return;
        WINDOWPLACEMENT wp = {};
        wp.length = sizeof wp;
        ::GetWindowPlacement(this->m_hWnd, &wp);
        if (ExtParsePlacement(strPlacement, wp)) {
            wp.rcNormalPosition = CExtWSHelpers::KeepOnAMonitor(wp.rcNormalPosition);
            if (bHide)
                wp.showCmd = SW_HIDE;
            ::SetWindowPlacement(this->m_hWnd, &wp);
        }
        ::RedrawWindow(this->m_hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }

    virtual void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bHide = false)
    {
        m_strSection = lpszSection;
        m_strEntry = lpszEntry;
        m_nStateFlags |= WS_STATE_SAVE_RESTORE;
        if (this->m_hWnd != NULL && ::IsWindow(this->m_hWnd))
            LoadWindowRect(bHide);
    }

    // Shows the system menu as a library popup at the point (screen coordinates), or just
    // inside the top-left corner below the caption; only popup windows take part.
    virtual bool TrackSystemMenu(CPoint* pPoint, bool bFromKeyboard)
    {
        if ((this->GetStyle() & WS_POPUP) == 0)
            return false;
        if (CExtPopupMenuWnd::IsAnyMenuTracked())
            CExtPopupMenuWnd::CancelMenuTracking();
        m_nStateFlags &= ~WS_STATE_TRACKING_MENU;
        CMenu* pSysMenu = this->GetSystemMenu(FALSE);
        if (pSysMenu == NULL)
            return false;
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->CreatePopupMenu(this->m_hWnd) || !pPopup->UpdateFromMenu(this->m_hWnd, pSysMenu, false, true)) {
            delete pPopup;
            return false;
        }
        CPoint point;
        if (pPoint != NULL) {
            point = *pPoint;
        } else {
            CRect rcWindow, rcClient;
            this->GetWindowRect(&rcWindow);
            this->GetClientRect(&rcClient);
            this->ClientToScreen(&rcClient);
            point = CPoint(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), rcWindow.top + (rcClient.top - rcWindow.top));
        }
        const UINT nFlags = 6 | (bFromKeyboard ? 0x40 : 0);
        HWND hFocus = ::GetFocus();
        if (hFocus == NULL || (hFocus != this->m_hWnd && !::IsChild(this->m_hWnd, hFocus)))
            this->SetFocus();
        const bool bTracking = pPopup->TrackPopupMenu(nFlags, point.x, point.y);
        if (bTracking) {
            m_nStateFlags |= WS_STATE_TRACKING_MENU;
            this->SetTimer(nTimerID, 20, NULL);
        } else {
            delete pPopup;
        }
        return bTracking;
    }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (this->m_hWnd != NULL &&
            (pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYDOWN) &&
            (pMsg->lParam & (1 << 29)) != 0 && pMsg->wParam == VK_SPACE) {
            const bool bPopup = (this->GetStyle() & WS_POPUP) != 0;
            if (bPopup) {
                if (pMsg->message != WM_SYSKEYUP) {
                    HWND hActive = ::GetActiveWindow();
                    if (hActive != NULL && ::IsWindow(hActive) &&
                        (hActive == this->m_hWnd || (::GetWindowLongA(hActive, GWL_STYLE) & WS_POPUP) == 0) &&
                        this->GetSystemMenu(FALSE) != NULL)
                        TrackSystemMenu(NULL, true);
                }
                return TRUE;
            }
        }
        return CExtWSBase::PreTranslateMessage(pMsg);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SIZE:
            return OnSizeMessage(wParam, lParam);
        case WM_WINDOWPOSCHANGED: {
            LRESULT lResult = CExtWSBase::WindowProc(message, wParam, lParam);
            if ((this->GetStyle() & WS_VISIBLE) != 0 && IsThemed())
                this->Invalidate(TRUE);
            return lResult;
        }
        case WM_NCHITTEST:
            if (IsSizeGripShown()) {
                CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
                this->ScreenToClient(&point);
                if (::PtInRect(&m_rcGrip, point))
                    return HTBOTTOMRIGHT;
            }
            break;
        case WM_PAINT: {
            CPaintDC dc(this);
            if (g_PaintManager->NeedsDockerBackground(this)) {
                CExtPaintManager::ExcludeChildAreas(&dc, this->m_hWnd, CExtWSHelpers::IsTransparentChild);
                if (!g_PaintManager->PaintDockerBackground(dc, this)) {
                    // no bar around the window to continue: the face colour, or a window that
                    // clips its children (whose erase was skipped) shows what was there before
                    CRect rcClient;
                    this->GetClientRect(&rcClient);
                    ::FillRect(dc.GetSafeHdc(), &rcClient, DialogBrush());
                }
            }
            if (IsSizeGripShown() && !this->IsZoomed()) {
                g_PaintManager->PaintSizeGrip(dc, m_rcGrip);
                g_PaintManager->EndPaintSession();
            }
            return 0;
        }
        case WM_ERASEBKGND:
            if ((this->GetStyle() & WS_CLIPCHILDREN) != 0 && g_PaintManager->NeedsDockerBackground(this))
                return 1;
            CExtPaintManager::ExcludeChildAreas(CDC::FromHandle((HDC)wParam), this->m_hWnd, CExtWSHelpers::IsTransparentChild);
            break;
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnCtlColor(message, wParam, lParam);
        case WM_TIMER:
            if (wParam == nTimerID) {
                if (!CExtPopupMenuWnd::IsAnyMenuTracked()) {
                    m_nStateFlags &= ~WS_STATE_TRACKING_MENU;
                    this->KillTimer(nTimerID);
                }
                return 0;
            }
            break;
        case WM_DESTROY:
            if (m_nStateFlags & WS_STATE_SAVE_RESTORE)
                SaveWindowRect();
            break;
        case WM_NCLBUTTONUP:
        case WM_NCRBUTTONUP:
            if (wParam == HTSYSMENU || (message == WM_NCRBUTTONUP && wParam == HTCAPTION)) {
                if (wParam == HTCAPTION) {
                    CPoint point;
                    if (::GetCursorPos(&point))
                        TrackSystemMenu(&point, false);
                } else {
                    TrackSystemMenu(NULL, false);
                }
                return 0;
            }
            break;
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            if (wParam == HTSYSMENU)
                return 0;
            if (message == WM_NCRBUTTONDOWN && wParam == HTCAPTION) {
                CPoint point;
                if (::GetCursorPos(&point))
                    TrackSystemMenu(&point, false);
                return 0;
            }
            break;
        default:
            break;
        }
        return CExtWSBase::WindowProc(message, wParam, lParam);
    }

    void PostNcDestroy() override { CExtWSBase::PostNcDestroy(); }

    CString m_strSection;
    CString m_strEntry;
    BYTE m_nStateFlags;
    RECT m_rcGrip;

private:
    static bool IsThemed()
    {
        return CExtPaintManager::GetScreenBitsPerPixel() > 8;
    }
    bool IsThemedFor() { return g_PaintManager->NeedsDockerBackground(this) && IsThemed(); }

    RECT GripRect()
    {
        CRect rc;
        this->GetClientRect(&rc);
        rc.left = rc.right - ::GetSystemMetrics(SM_CXVSCROLL);
        rc.top = rc.bottom - ::GetSystemMetrics(SM_CYHSCROLL);
        return rc;
    }

    LRESULT OnSizeMessage(WPARAM wParam, LPARAM lParam)
    {
        const bool bThemed = IsThemedFor();
        const bool bDialog = this->IsKindOf(RUNTIME_CLASS(CDialog)) || CExtWSHelpers::IsDialogClass(this->m_hWnd);
        const bool bRedrawAll = (this->GetStyle() & WS_VISIBLE) != 0 && bThemed;
        if (IsSizeGripShown() && !::IsRectEmpty(&m_rcGrip) && !bRedrawAll)
            ::InvalidateRect(this->m_hWnd, &m_rcGrip, TRUE);
        LRESULT lResult = CExtWSBase::WindowProc(WM_SIZE, wParam, lParam);
        if (IsSizeGripShown()) {
            m_rcGrip = GripRect();
            if (!bRedrawAll)
                ::InvalidateRect(this->m_hWnd, &m_rcGrip, TRUE);
        }
        if (bRedrawAll) {
            this->Invalidate(TRUE);
            if (bDialog) {
                for (HWND hChild = ::GetWindow(this->m_hWnd, GW_CHILD); hChild != NULL;
                     hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                    if (!::IsWindowVisible(hChild))
                        continue;
                    ::InvalidateRect(hChild, NULL, TRUE);
                    CRect rcWindow, rcClient;
                    ::GetWindowRect(hChild, &rcWindow);
                    ::ScreenToClient(hChild, (POINT*)&rcWindow.left);
                    ::ScreenToClient(hChild, (POINT*)&rcWindow.right);
                    ::GetClientRect(hChild, &rcClient);
                    if (rcWindow != rcClient)
                        ::PostMessageA(hChild, WM_NCPAINT, 0, 0);
                }
            }
            CExtPaintManager::PassPaintMessages(true, true, true);
        }
        return lResult;
    }

    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT lResult = CExtWSBase::WindowProc(message, wParam, lParam);
        if (message == WM_CTLCOLORSTATIC) {
            HWND hCtrl = (HWND)lParam;
            if (hCtrl != NULL && ::IsWindow(hCtrl)) {
                char name[32] = "";
                ::GetClassNameA(hCtrl, name, sizeof name);
                if (lstrcmpiA(name, "static") != 0)
                    return lResult;
            }
            ::SetBkMode((HDC)wParam, TRANSPARENT);
            if ((this->GetStyle() & WS_CHILD) != 0 && g_PaintManager->NeedsDockerBackground(this))
                return (LRESULT)::GetStockObject(NULL_BRUSH);
        }
        return (LRESULT)DialogBrush();
    }

    // One brush per instantiation in the theme's face colour, made again when that changes.
    static HBRUSH DialogBrush()
    {
        static HBRUSH s_hBrush = NULL;
        static COLORREF s_clrBrush = (COLORREF)-1;
        const COLORREF clr = g_PaintManager->GetColor(1000);
        if (s_hBrush == NULL || clr != s_clrBrush) {
            if (s_hBrush != NULL)
                ::DeleteObject(s_hBrush);
            s_hBrush = ::CreateSolidBrush(clr);
            s_clrBrush = clr;
        }
        return s_hBrush;
    }
};
