// Small stand-ins of the control-bar, tool-bar, status-bar and popup-menu classes the painters
// ask questions of. The painters only type-test these objects (IsKindOf) and ask where a bar
// is docked, which button a tool bar holds and what a popup menu's last item looks like; the
// stand-ins answer from plain fields that a caller (or a test) sets. The bar layer replaces
// this file with the real classes, keeping the names and the answers.
#pragma once
#include "afxwin.h"
#include <vector>

#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#endif

// Identifiers of a frame's four outer dock bars.
enum : UINT {
    kDockBarTop = 0xE81B,
    kDockBarLeft = 0xE81C,
    kDockBarRight = 0xE81D,
    kDockBarBottom = 0xE81E,
};

class CExtControlBar : public CWnd {
    DECLARE_DYNAMIC(CExtControlBar)
public:
    // The frame the bar docks into (NULL: none), the identifier of the dock bar it sits in
    // (0: not in one of the four outer dock bars) and its CBRS_ALIGN_* bits.
    CWnd* m_pDockSite = NULL;
    UINT m_nDockBarID = 0;
    DWORD m_dwBarStyle = 0;
    // Painting opt-outs of the bar itself (value 2: keep the plain look).
    DWORD m_dwOwnFlags = 0;

    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    bool IsDocked() const;
    bool IsFloating() const;
};

class CExtBarButton;

class CExtToolControlBar : public CExtControlBar {
    DECLARE_DYNAMIC(CExtToolControlBar)
public:
    ~CExtToolControlBar() override;
    // The bar owns its buttons.
    void AddButton(CExtBarButton* pButton);
    CExtBarButton* GetButton(int nIndex) const;
    int GetButtonsCount() const { return (int)m_buttons.GetSize(); }
    // The button whose popup menu is dropped, -1 when none.
    int m_nBtnIdxMenuTracking = -1;

private:
    CTypedPtrArray<CPtrArray, CExtBarButton*> m_buttons;
};

class CExtMenuControlBar : public CExtToolControlBar {
    DECLARE_DYNAMIC(CExtMenuControlBar)
};

class CExtPanelControlBar : public CExtControlBar {
    DECLARE_DYNAMIC(CExtPanelControlBar)
};

class CExtStatusControlBar : public CWnd {
    DECLARE_DYNAMIC(CExtStatusControlBar)
};

// A dock bar along one of a frame's outer edges.
class CExtDockOuterBar : public CWnd {
    DECLARE_DYNAMIC(CExtDockOuterBar)
};

class CExtBarButton : public CObject {
    DECLARE_DYNAMIC(CExtBarButton)
public:
    explicit CExtBarButton(CExtToolControlBar* pBar = NULL, const RECT& rc = CRect(0, 0, 0, 0))
        : m_pBar(pBar), m_rc(rc) {}
    CExtToolControlBar* GetBar() const { return m_pBar; }
    virtual void GetRect(CRect& rc) const { rc = m_rc; }
    // Bit value 4 of the second flag byte.
    virtual bool TestFlag4() const { return (m_nFlags2 & 4) != 0; }

    CExtToolControlBar* m_pBar;
    CRect m_rc;
    BYTE m_nFlags2 = 0;
};

class CExtBarContentExpandButton : public CExtBarButton {
    DECLARE_DYNAMIC(CExtBarContentExpandButton)
public:
    using CExtBarButton::CExtBarButton;
};

class CExtBarColorButton : public CExtBarButton {
    DECLARE_DYNAMIC(CExtBarColorButton)
public:
    using CExtBarButton::CExtBarButton;
};

class CExtPopupMenuWnd : public CWnd {
    DECLARE_DYNAMIC(CExtPopupMenuWnd)
public:
    struct MenuItem {
        DWORD m_dwFlags;          // value 0x10: the item has no icon area
        int m_nIconAreaWidth;
    };
    int ItemGetCount() const { return (int)m_items.size(); }
    // Throws the framework's not-supported exception for an index out of range.
    const MenuItem& GetItemAt(int nIndex) const;

    std::vector<MenuItem> m_items;
    // The tool bar whose tracked button dropped the menu, NULL when none.
    CExtToolControlBar* m_pDroppedFromBar = NULL;
};
