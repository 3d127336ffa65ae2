// A frame with one more button in its caption, left of minimise, maximise and close: clicking it
// sends the frame the system command 0xE000 (the main frame hides itself in the tray). It follows
// the desktop: the Luna scheme's bitmap when one of the three Luna schemes is active and
// TransparentBlt is there, visual-styles drawing when themed otherwise, a classic push button
// when not themed.
#pragma once

#include <afxwin.h>

#include <vector>

#include "ThemeLibrary.h"
#include "TrayButtonLook.h"

// The private system command the button sends.
const UINT SC_MINIMIZETRAY = 0xE000;
// The button's non-client hit code.
const UINT HTMINTRAY = 0x41;

template <class BASE>
class CDialogMinTrayBtn : public BASE {
public:
    enum { kHoverTimer = 0x4D54, kHoverPeriodMs = 200 };

    CDialogMinTrayBtn()
        : m_ptTrayBtn(0, 2), m_sizeTrayBtn(0, 0), m_bTrayBtnShown(TRUE), m_bTrayBtnEnabled(TRUE),
          m_bTrayBtnUp(TRUE), m_bTrayBtnTracking(FALSE), m_bTrayBtnActive(FALSE), m_bTrayBtnHover(FALSE),
          m_nTrayBtnTimer(0), m_bSchemeLoaded(FALSE), m_bClassic(TRUE), m_pTheme(&themeLibrary)
    {
        ReadThemeState();
    }

    void ShowTrayButton(BOOL bShow) { m_bTrayBtnShown = bShow; RedrawTrayButton(); }
    void EnableTrayButton(BOOL bEnable) { m_bTrayBtnEnabled = bEnable; RedrawTrayButton(); }
    BOOL IsTrayButtonShown() const { return m_bTrayBtnShown; }
    BOOL IsTrayButtonEnabled() const { return m_bTrayBtnEnabled; }
    BOOL IsTrayButtonClassic() const { return m_bClassic; }
    BOOL IsSchemeLoaded() const { return m_bSchemeLoaded; }
    BOOL IsTrayButtonPressed() const { return !m_bTrayBtnUp; }

    // The button in window coordinates, as laid out now.
    CRect GetTrayButtonRect() const
    {
        CRect window;
        this->GetWindowRect(&window);
        return CRect(TrayButtonLook::Layout(this->GetStyle(), this->GetExStyle(), window.Width(), m_bClassic != FALSE,
                                            TrayButtonLook::Metrics::System()));
    }

    // The visual-styles library the button asks (tests give another); the theme state is read again.
    void SetThemeLibrary(ThemeLibrary* pTheme)
    {
        m_pTheme = pTheme;
        ReadThemeState();
        RedrawCaption();
    }
    // Uses the named scheme bitmap as if its Luna scheme were active (themed).
    BOOL UseSchemeBitmap(const char* pszName)
    {
        m_bmpScheme.DeleteObject();
        m_bSchemeLoaded = pszName != NULL && m_bmpScheme.LoadBitmap(pszName);
        m_bClassic = FALSE;
        RedrawCaption();
        return m_bSchemeLoaded;
    }

    // Draws the button into the window DC now.
    void RedrawTrayButton()
    {
        if (this->m_hWnd == NULL || !m_bTrayBtnShown || (this->GetStyle() & WS_CAPTION) != WS_CAPTION)
            return;
        CRect button = GetTrayButtonRect();
        HDC dc = ::GetWindowDC(this->m_hWnd);
        bool pressed = !m_bTrayBtnUp;
        if (m_bClassic) {
            TrayButtonLook::DrawClassic(dc, button, pressed, m_bTrayBtnEnabled != FALSE);
        } else {
            int cell = TrayButtonLook::CellIndex(m_bTrayBtnEnabled != FALSE, m_bTrayBtnHover != FALSE, pressed,
                                                 m_bTrayBtnActive != FALSE);
            if (m_bSchemeLoaded && TrayButtonLook::TransparentBlt() != NULL)
                TrayButtonLook::DrawBitmap(dc, button, static_cast<HBITMAP>(m_bmpScheme.GetSafeHandle()), cell);
            else
                TrayButtonLook::DrawThemed(*m_pTheme, this->m_hWnd, dc, button, cell);
        }
        ::ReleaseDC(this->m_hWnd, dc);
    }

protected:
    // The caption again (the system's part first, then the button over it).
    void RedrawCaption()
    {
        if (this->m_hWnd != NULL)
            ::RedrawWindow(this->m_hWnd, NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    }

    void ReadThemeState()
    {
        m_bClassic = !(m_pTheme->IsAppThemed() && m_pTheme->IsThemeActive());
        m_bmpScheme.DeleteObject();
        m_bSchemeLoaded = FALSE;
        if (m_bClassic)
            return;
        WCHAR file[MAX_PATH] = {}, color[MAX_PATH] = {};
        if (FAILED(m_pTheme->GetCurrentThemeName(file, MAX_PATH, color, MAX_PATH, NULL, 0)))
            return;
        char fileA[MAX_PATH] = "", colorA[MAX_PATH] = "";
        ::WideCharToMultiByte(CP_ACP, 0, file, -1, fileA, MAX_PATH, NULL, NULL);
        ::WideCharToMultiByte(CP_ACP, 0, color, -1, colorA, MAX_PATH, NULL, NULL);
        const char* pszName = TrayButtonLook::SchemeBitmapName(fileA, colorA);
        if (pszName != NULL)
            m_bSchemeLoaded = m_bmpScheme.LoadBitmap(pszName);
    }

    // Window coordinates of a point on the screen.
    CPoint ToWindow(CPoint screen) const
    {
        CRect window;
        this->GetWindowRect(&window);
        return CPoint(screen.x - window.left, screen.y - window.top);
    }
    bool HitsButton(CPoint screen) const
    {
        return m_bTrayBtnShown && TrayButtonLook::HitTest(GetTrayButtonRect(), ToWindow(screen));
    }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (BASE::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_nTrayBtnTimer = this->SetTimer(kHoverTimer, kHoverPeriodMs, NULL);
        return 0;
    }
    afx_msg void OnDestroy()
    {
        if (m_nTrayBtnTimer != 0)
            this->KillTimer(m_nTrayBtnTimer);
        m_nTrayBtnTimer = 0;
        BASE::OnDestroy();
    }
    afx_msg void OnNcPaint()
    {
        this->Default();
        RedrawTrayButton();
    }
    afx_msg BOOL OnNcActivate(BOOL bActive)
    {
        m_bTrayBtnActive = bActive;
        BOOL bResult = static_cast<BOOL>(this->Default());
        RedrawTrayButton();
        return bResult;
    }
    afx_msg LRESULT OnNcHitTest(CPoint point)
    {
        LRESULT nHit = this->Default();
        if (HitsButton(point))
            return HTMINTRAY;
        return nHit;
    }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint)
    {
        if (nHitTest != HTMINTRAY || !m_bTrayBtnShown) {
            this->Default();
            return;
        }
        if (!m_bTrayBtnEnabled || !this->IsWindowEnabled())
            return;
        this->SetCapture();
        m_bTrayBtnTracking = TRUE;
        m_bTrayBtnUp = FALSE;
        m_bTrayBtnHover = TRUE;
        RedrawTrayButton();
    }
    // a quick second press is a double click: it presses the button all the same
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { OnNcLButtonDown(nHitTest, point); }
    afx_msg void OnMouseMove(UINT, CPoint point)
    {
        if (!m_bTrayBtnTracking) {
            this->Default();
            return;
        }
        this->ClientToScreen(&point);
        BOOL bOver = HitsButton(point);
        if (bOver == m_bTrayBtnUp) {
            m_bTrayBtnUp = !bOver;
            m_bTrayBtnHover = bOver;
            RedrawTrayButton();
        }
    }
    afx_msg void OnLButtonUp(UINT, CPoint point)
    {
        if (!m_bTrayBtnTracking) {
            this->Default();
            return;
        }
        m_bTrayBtnTracking = FALSE;
        ::ReleaseCapture();
        this->ClientToScreen(&point);
        BOOL bOver = HitsButton(point);
        m_bTrayBtnUp = TRUE;
        m_bTrayBtnHover = bOver;
        RedrawTrayButton();
        if (bOver)
            this->SendMessage(WM_SYSCOMMAND, SC_MINIMIZETRAY, 0);
    }
    afx_msg void OnCaptureChanged(CWnd* pWnd)
    {
        if (m_bTrayBtnTracking && pWnd != this) {
            m_bTrayBtnTracking = FALSE;
            m_bTrayBtnUp = TRUE;
            RedrawTrayButton();
        }
        this->Default();
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != kHoverTimer) {
            BASE::OnTimer(nIDEvent);
            return;
        }
        CPoint cursor;
        ::GetCursorPos(&cursor);
        if (m_bTrayBtnTracking) {
            // the pressed look follows the cursor even when a move message was merged away
            BOOL bOver = HitsButton(cursor);
            if (bOver == m_bTrayBtnUp) {
                m_bTrayBtnUp = !bOver;
                m_bTrayBtnHover = bOver;
                RedrawTrayButton();
            }
            return;
        }
        if (m_bClassic)
            return;
        BOOL bHover = HitsButton(cursor) && this->IsWindowEnabled();
        if (bHover != m_bTrayBtnHover) {
            m_bTrayBtnHover = bHover;
            RedrawTrayButton();
        }
    }
    afx_msg LRESULT OnThemeChanged(WPARAM, LPARAM)
    {
        ReadThemeState();
        LRESULT result = this->Default();
        RedrawCaption();
        return result;
    }
    DECLARE_MESSAGE_MAP()

    CPoint m_ptTrayBtn;
    CSize m_sizeTrayBtn;
    BOOL m_bTrayBtnShown;
    BOOL m_bTrayBtnEnabled;
    BOOL m_bTrayBtnUp;
    BOOL m_bTrayBtnTracking;
    BOOL m_bTrayBtnActive;
    BOOL m_bTrayBtnHover;
    UINT_PTR m_nTrayBtnTimer;
    CBitmap m_bmpScheme;
    BOOL m_bSchemeLoaded;
    BOOL m_bClassic;
    ThemeLibrary* m_pTheme;
};

BEGIN_TEMPLATE_MESSAGE_MAP(CDialogMinTrayBtn, BASE, BASE)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_TIMER()
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()
