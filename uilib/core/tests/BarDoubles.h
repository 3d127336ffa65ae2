// Test doubles of the bar layer's bars for the painter tests: real control bars, tool bars and
// panels that say where they are docked from plain fields instead of being docked into a real
// frame, so that a test can put a bar on any side of a plain window. m_pDockSite hides the
// real bar's field (a plain window stands for the frame here) and the real one stays NULL.
// The buttons are the real tool-bar buttons of the menu layer.
#pragma once
#include "CExtControlBar.h"
#include "CExtDockOuterBar.h"
#include "ExtToolBarStandIns.h"
#include "ExtBarStandIns.h"
#include "CExtToolControlBar.h"
#include "CExtBarButton.h"
#include "CExtBarContentExpandButton.h"
#include <memory>

namespace orvtest {

template <class TBar>
class PaintBarDouble : public TBar {
public:
    // The window standing for the docking frame (NULL: none), the id of the dock bar the bar
    // sits in (0: not in one of the four outer dock bars) and its CBRS_ bits.
    CWnd* m_pDockSite = NULL;
    UINT m_nDockBarID = 0;
    DWORD m_dwBarStyle = 0;
    // Painting opt-outs the bar answers (value 2: keep the plain look).
    DWORD m_dwOwnFlags = 0;

    bool QueryDockedHorizontally() const override {
        if (m_pDockSite == NULL)
            return (m_dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
        return m_nDockBarID == kDockBarTop || m_nDockBarID == kDockBarBottom;
    }
    bool QueryDockedVertically() const override {
        if (m_pDockSite == NULL)
            return (m_dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
        return m_nDockBarID == kDockBarLeft || m_nDockBarID == kDockBarRight;
    }
    bool QueryDocked() const override {
        return m_pDockSite == NULL || (m_nDockBarID >= kDockBarTop && m_nDockBarID <= kDockBarBottom);
    }
    bool QueryFloating() const override { return !QueryDocked(); }
    CWnd* QueryDockSite() const override { return m_pDockSite; }
    DWORD QueryBarStyle() const override { return m_dwBarStyle; }
    DWORD QueryPaintOptOuts() const override { return m_dwOwnFlags; }
};

typedef PaintBarDouble<CExtControlBar> TestControlBar;
typedef PaintBarDouble<CExtToolControlBar> TestToolBar;
typedef PaintBarDouble<CExtMenuControlBar> TestMenuBar;
typedef PaintBarDouble<CExtPanelControlBar> TestPanelBar;

// A real bar button of pBar (command 1) at rc, its drop-down part separated when asked.
inline CExtBarButton* NewBarButton(CExtToolControlBar* pBar, const CRect& rc, bool bSeparatedDropDown = false) {
    CExtBarButton* p = new CExtBarButton(pBar, 1, 0);
    p->SetRect(rc);
    p->SetSeparatedDropDown(bSeparatedDropDown);
    return p;
}

// A real outer dock bar that a test owns (not deleted with its window).
class TestOuterDockBar : public CExtDockOuterBar {
public:
    TestOuterDockBar() { m_bAutoDelete = FALSE; }
};

}  // namespace orvtest
