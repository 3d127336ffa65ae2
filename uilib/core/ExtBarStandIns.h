// Small stand-ins of the control-bar, tool-bar, status-bar and popup-menu classes the painters
// and the dialog controls ask questions of. The painters only type-test these objects
// (IsKindOf) and ask where a bar is docked, which button a tool bar holds and what a popup
// menu's last item looks like; the stand-ins answer from plain fields that a caller (or a test)
// sets. The dialog layer builds and tracks popup menus and asks the tool bars about their menu
// tracking: the popup stand-in builds its items for real, records every tracking request
// (flags, position, excluded rectangle, items) and answers as a test sets it, without showing
// anything. The bar and menu layers replace this file with the real classes, keeping the names
// and the answers.
#pragma once
#include "afxwin.h"
#include <functional>
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

    // Sent to a window control hosted by a tool-bar button when the button is to be put into a
    // popup menu (wParam: the popup being filled); non-zero: the control inserted itself.
    static const UINT g_nMsgPutToPopupMenu;
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

    // Ends button and menu tracking in every tool bar (the stand-in counts the calls and clears
    // the menu-tracking flag).
    static void CancelAllBarsTracking();
    static int g_nCancelAllBarsTrackingCalls;
    // Set while the tool bars track a menu: a button on a tool bar then opens its own menu when
    // the mouse moves over it.
    static bool g_bMenuTracking;
    // Sent to a button control to open its menu (lParam non-zero: select the first item).
    static const UINT g_nMsgContinueTrackMenu;

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

class CExtPopupMenuWnd;
class CExtCmdIcon;

// What one TrackPopupMenu call was asked, kept by the popup stand-in.
struct CExtPopupMenuTrackRecord {
    struct Item {
        UINT nCmdID;          // 0: a separator
        CString strText;
        bool bIcon;           // the item carries an icon
        int nSubItems;        // items of its sub-menu, -1 without one
    };
    UINT nFlags = 0;
    CPoint point;
    bool bExclude = false;
    CRect rcExclude;
    HWND hWndOwner = NULL;
    int nOwnerValue = 0;
    bool bResultPointer = false;
    bool bPainter = false;
    std::vector<Item> items;
};

class CExtPopupMenuWnd : public CWnd {
    DECLARE_DYNAMIC(CExtPopupMenuWnd)
public:
    struct MenuItem {
        MenuItem(DWORD dwFlags = 0, int nIconAreaWidth = 0) : m_dwFlags(dwFlags), m_nIconAreaWidth(nIconAreaWidth) {}
        DWORD m_dwFlags;          // value 0x10: the item has no icon area; 0x08: it has a sub-menu
        int m_nIconAreaWidth;
        UINT m_nCmdID = 0;        // 0 marks a separator
        CString m_strText;
        HICON m_hIcon = NULL;     // owned
        CExtPopupMenuWnd* m_pSubMenu = NULL;   // owned
    };
    typedef MenuItem MENUITEMDATA;

    // Paints the part of the popup where it touches the excluded rectangle (the button's face):
    // (cookie, DC, popup window, area in the popup's client coordinates).
    typedef bool (*pCbPaintCombinedContent)(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcExclude);

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;
    CExtPopupMenuWnd(const CExtPopupMenuWnd&) = delete;
    CExtPopupMenuWnd& operator=(const CExtPopupMenuWnd&) = delete;

    int ItemGetCount() const { return (int)m_items.size(); }
    int GetItemCount() const { return ItemGetCount(); }
    // Throws the framework's not-supported exception for an index out of range.
    const MenuItem& GetItemAt(int nIndex) const;

    // Binds the empty popup to the window that receives its commands; false for no window.
    virtual bool CreatePopupMenu(HWND hWndCmdReceiver);
    // Registers the menu's commands with the owner's command profile and appends its items (of
    // its first sub-menu when bPopupMenu), sub-menus included.
    virtual bool UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu = true, bool bTopLevel = true);
    // nPos -1 appends; a NULL text takes the command's menu text from the owner's profile; the
    // icon is copied.
    virtual bool InsertItem(UINT nCmdID, int nPos = -1, LPCTSTR lpszText = NULL, HICON hIcon = NULL,
                            HWND hWndSpecCmdReceiver = NULL);
    // The sub-popup and the icon handle become the popup's.
    virtual bool InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon = NULL);
    virtual bool RemoveItem(int nIndex);
    HWND GetOwnerWindow() const { return m_hWndCmdReceiver; }
    void SetOwnerValue(int nValue) { m_nOwnerValue = nValue; }
    int GetOwnerValue() const { return m_nOwnerValue; }

    // Shows and runs the menu. True: tracking started, and the popup deletes itself when it
    // closes; false: the caller deletes it. With a result pointer the chosen command (0 for none)
    // is written there before the call returns.
    virtual bool TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRectExclude = NULL, LPVOID pCbPaintCombinedCookie = NULL,
                                pCbPaintCombinedContent pCbPaintCombinedContent = NULL, UINT* lpnResultCmdID = NULL,
                                bool bCookieIsObject = false);

    static bool IsAnyMenuTracked();
    static void CancelMenuTracking();
    // Dispatches the thread's waiting messages (a quit message ends the pumping and is posted
    // again); with bIdle the thread's idle processing then runs while it asks for more.
    static void PumpWaitingMessages(bool bIdle = false);
    // Both are windows, pass the checks asked for, and the parent chain of the first meets the
    // second or one of its ancestors; false while a menu is tracked when bFailIfMenuTracked.
    static bool AreWindowsInSameTopLevel(HWND hWnd1, HWND hWnd2, bool bCheckEnabled = false, bool bCheckVisible = false,
                                         bool bFailIfMenuTracked = false);

    // Registered messages a popup sends its owner window.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;

    // The stand-in's answers and records, set and read by tests.
    struct StandIn {
        bool bCreateSucceeds = true;     // what CreatePopupMenu answers for a window
        bool bTrackSucceeds = true;      // what TrackPopupMenu answers
        UINT nChosenCmdID = 0;           // written to the result pointer
        bool bAnyMenuTracked = false;    // IsAnyMenuTracked also answers true while tracking runs
        // Called while the popup is "tracked" (IsAnyMenuTracked answers true), before the
        // answer; a test paints the combined area or closes the owner here.
        std::function<void(CExtPopupMenuWnd& popup, const CExtPopupMenuTrackRecord& record)> onTrack;
        std::vector<CExtPopupMenuTrackRecord> tracked;   // every TrackPopupMenu call, in order
        int nLive = 0;                   // popup objects alive
        int nCancelCalls = 0;
    };
    static StandIn& standIn();
    // Back to the defaults, records cleared (nLive is kept: it counts objects).
    static void ResetStandIn();

    std::vector<MenuItem> m_items;
    // The tool bar whose tracked button dropped the menu, NULL when none.
    CExtToolControlBar* m_pDroppedFromBar = NULL;
    // The painter callback and its cookie of the current tracking.
    pCbPaintCombinedContent m_pCbPaintCombinedContent = NULL;
    LPVOID m_pCbPaintCombinedCookie = NULL;

private:
    void DescribeItems(std::vector<CExtPopupMenuTrackRecord::Item>& out) const;
    bool AppendMenu(HMENU hMenu);

    HWND m_hWndCmdReceiver = NULL;
    int m_nOwnerValue = 0;
};
