// The UI library's owner-drawn popup menu: the menu object with its items, built from a Windows
// menu (recent-file and MDI window lists included) or item by item, whose texts, icons and
// states come from the command manager's profile of the menu's owner window; and the statics
// the bars, buttons and dialogs ask while menus are open.
//
// Tracking (showing the window, input, timers, ending) and the painting of items come with the
// menu's second part. Until then TrackPopupMenu shows nothing: it records what it was asked in
// standIn() (a CExtPopupMenuTrackRecord per call, flags, point, excluded rectangle and the
// items) and answers what a test set there, exactly as the core's former stand-in did, so the
// bars, buttons and dialogs and their tests drive menus unchanged.
#pragma once
#include "afxwin.h"
#include <functional>
#include <vector>
#include "CExtCmdIcon.h"
#include "CExtPopupBaseWnd.h"
#include "CExtPopupMenuSite.h"
#include "CExtPopupMenuTipWnd.h"
#include "ExtPopupMenuPaintQuery.h"

class CExtCmdItem;
class CExtPopupMenuWnd;

// What one TrackPopupMenu call was asked, kept while TrackPopupMenu only records.
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

class CExtPopupMenuWnd : public CExtPopupBaseWnd, public IExtPopupSiteMenu, public IExtPopupMenuPaintQuery {
    DECLARE_DYNCREATE(CExtPopupMenuWnd)
public:
    class CInPlaceEditWnd;   // CExtPopupMenuInPlaceEditWnd.h

    // Functions an item's in-place edit is built with (the edit's words, handed on unchanged).
    // Validation: false rejects the new text. Commit: takes the text on Enter (without one the
    // text goes to the item's string). Filter: sees every message first; true: handled, with
    // *pResult the answer.
    typedef bool (*pCbInplaceEditValidate)(CInPlaceEditWnd& edit, LPARAM lCookie, const CString& strOld,
                                           const CString& strNew);
    typedef void (*pCbInplaceEditCommit)(CInPlaceEditWnd& edit, LPARAM lCookie, const CString& strText);
    typedef bool (*pCbInplaceEditFilter)(LRESULT* pResult, UINT nMsg, WPARAM wParam, LPARAM lParam,
                                         CInPlaceEditWnd& edit, LPARAM lCookie);

    // One menu item. A command item keeps only its id and the window whose command profile
    // holds its texts, icon and state; a custom item (KIND_CUSTOM) keeps its own.
    class MENUITEMDATA {
    public:
        enum : BYTE {   // state flags
            STATE_HIGHLIGHTED = 0x01,
            STATE_DISPLAYED = 0x02,        // set by the layout pass
            STATE_ALWAYS_DISPLAYED = 0x04, // never hidden as rarely used
            STATE_COMBINE_CHILD = 0x08,    // its sub-menu opens joined to the item
            STATE_OWN_WIDTH = 0x10,        // no icon or accelerator column
            STATE_ALWAYS_ENABLED = 0x20,
            STATE_CHECKED = 0x80,
        };
        enum : BYTE {   // kind flags
            KIND_RADIO = 0x01,
            KIND_ENABLED = 0x02,
            KIND_INDETERMINATE = 0x04,
            KIND_CUSTOM = 0x10,
        };
        enum : BYTE {   // edit flags
            EDIT_ENABLED = 0x01,
            EDIT_ACTIVE = 0x02,
        };
        typedef bool (*pCbCmdDeliver)(MENUITEMDATA& item);   // true: handled, nothing delivered
        typedef void (*pCbInplace)(MENUITEMDATA& item);

        MENUITEMDATA();
        MENUITEMDATA(const MENUITEMDATA& other);
        MENUITEMDATA& operator=(const MENUITEMDATA& other);
        ~MENUITEMDATA();

        bool IsSeparator() const { return m_nCmdID == 0; }
        bool IsPopup() const { return m_nCmdID == 0xFFFFFFFF; }
        bool IsInplaceEdit() const { return m_pInplaceEditStr != NULL; }
        bool IsCustom() const { return (m_nKindFlags & KIND_CUSTOM) != 0; }
        bool IsEnabled() const { return (m_nKindFlags & KIND_ENABLED) != 0; }
        bool IsDisplayed() const { return (m_nStateFlags & (STATE_DISPLAYED | STATE_ALWAYS_DISPLAYED)) != 0; }
        bool IsChecked() const { return (m_nStateFlags & STATE_CHECKED) != 0; }
        bool IsRadio() const { return (m_nKindFlags & KIND_RADIO) != 0; }
        // -1 for a separator, a sub-menu or an in-place edit item, else the command id.
        UINT GetCmdDeliverID() const;
        bool IsExecutable() const;
        void SetText(LPCTSTR lpszText);
        // A TAB splits the text: what follows it becomes the accelerator text.
        void SetTextWithAccel(LPCTSTR lpszText);
        // Upper-case mnemonic of the text, 0 for none.
        void UpdateAccessChar();
        // The command's icon when the item shows it, else the item's own; NULL for none.
        CExtCmdIcon* GetIconPtr();
        // NULL for separators, sub-menus and custom items.
        CExtCmdItem* GetCmd() const;
        // From the command item of the target's profile; false (a separator again) for a
        // separator, a negative id or an unknown command.
        bool UpdateFromCmd(UINT nCmdID, int nIndex = -1);
        // From position nPos of a Windows menu; false when it cannot be read or names an unknown
        // command. A sub-menu gets a new, empty child popup.
        bool UpdateFromMenu(HWND hWndCmdTarget, HMENU hMenu, int nPos);
        // Width, height and icon column from the text, accelerator and icon (menu font).
        void Measure();

        CExtPopupMenuWnd* m_pWndChild;   // owned by the menu that holds the item
        int m_nItemIndex;
        UINT m_nCmdID;
        CString m_sItemText;
        CString m_sAccelText;
        CExtCmdIcon m_iconPopup;
        int m_nWidth;
        int m_nHeight;
        int m_nIconAreaWidth;
        BYTE m_nStateFlags;
        BYTE m_nKindFlags;
        pCbCmdDeliver m_pCbCmdDeliver;
        pCbInplace m_pCbInplace;
        TCHAR m_cAccessChar;
        HWND m_hWndCmdTarget;
        CWnd* m_pInplaceEditWnd;
        // The in-place edit's words: the string edited (non-NULL marks an in-place edit item),
        // then what the edit is built with. All pointer-sized.
        CString* m_pInplaceEditStr;
        pCbInplaceEditValidate m_pCbInplaceEditValidate;
        pCbInplaceEditCommit m_pCbInplaceEditCommit;
        pCbInplaceEditFilter m_pCbInplaceEditFilter;
        LPARAM m_lInplaceEditCookie;
        int m_nInplaceEditWidth;
        BYTE m_nEditFlags;
        CString m_sInplaceEditText;
    };

    // The state refresh of one item through the framework's update handlers.
    class CExtPopupMenuCmdUI : public CCmdUI {
    public:
        CExtPopupMenuCmdUI(CExtPopupMenuWnd& menu, int nItemIndex);
        void Enable(BOOL bOn = TRUE) override;
        void SetCheck(int nCheck = 1) override;
        void SetRadio(BOOL bOn = TRUE) override;
        void SetText(LPCTSTR lpszText) override;

        CExtPopupMenuWnd& m_menu;
        int m_nItemIndex;
        MENUITEMDATA& m_item;
    };

    // The owner-paint callback type (the button's face where the popup joins it) is the base
    // window's pCbPaintCombinedContent, as are its cookie and callback fields.

    enum : BYTE {   // menu state
        MENU_TOPLEVEL = 0x01,
        MENU_SCROLLING = 0x02,
        MENU_HAS_HIDDEN = 0x04,
        MENU_EXPANDED = 0x08,
    };

    CExtPopupMenuWnd();
    ~CExtPopupMenuWnd() override;
    CExtPopupMenuWnd(const CExtPopupMenuWnd&) = delete;
    CExtPopupMenuWnd& operator=(const CExtPopupMenuWnd&) = delete;

    // ---- the menu and its items ----
    virtual int GetCurIndex() const { return m_nCurIndex; }
    virtual HWND GetOwnerHwnd() const override { return m_hWndCmdReceiver; }
    // From a menu resource (its first sub-menu when bPopupMenu), as a top-level menu.
    virtual bool LoadMenu(HWND hWndCmdReceiver, UINT nIDResource, bool bPopupMenu = true);
    // A new Windows popup menu the caller owns; sub-menus exported too when bDeep.
    virtual HMENU ExportToMenu(bool bDeep = true) const;
    // Registers the menu's commands with the owner's profile, then builds the items (of its
    // first sub-menu when bPopupMenu). A NULL owner keeps the current one.
    virtual bool UpdateFromMenu(HWND hWndCmdReceiver, CMenu* pBuildMenu, bool bPopupMenu = true, bool bTopLevel = true);
    // Appends the window list of the MDI frame above pWndStartSearchMDIFrame (NULL: the owner).
    virtual bool UpdateMdiWindowsMenu(CWnd* pWndStartSearchMDIFrame = NULL);
    virtual void SetCmdTargetToAllItems(HWND hWndSpecCmdReceiver = NULL, bool bOnlyThisLevel = false);
    virtual int GetItemCount() const { return (int)m_items_all.GetSize(); }
    virtual UINT ItemGetCmdID(int nPos) const;
    virtual HICON ItemGetIcon(int nPos);
    virtual CString ItemGetText(int nPos) const;
    virtual CString ItemGetAccelText(int nPos) const;
    virtual int ItemFindPosForCmdID(UINT nCmdID, int nPosStart = -1) const;
    virtual bool ItemSetPopupIcon(int nPos, HICON hIcon = NULL);
    virtual bool ItemSetPopupText(int nPos, LPCTSTR lpszText);
    virtual bool ItemSetAccelText(int nPos, LPCTSTR lpszText);
    virtual CExtPopupMenuWnd* ItemGetPopup(int nPos);
    virtual const CExtPopupMenuWnd* ItemGetPopupConst(int nPos) const;
    virtual bool ItemIsDisplayed(int nPos) const;
    virtual void ItemSetDisplayed(int nPos, bool bForceDisplayed = true);
    // A negative index removes every item.
    virtual bool ItemRemove(int nPos = -1);
    // nCmdID 0: a separator; 0xFFFFFFFF: a sub-menu; else a command known to the target's
    // profile. nPos -1 appends; beyond the count fails and changes nothing.
    virtual bool InsertItem(UINT nCmdID, int nPos = -1, LPCTSTR lpszText = NULL, HICON hIcon = NULL,
                            HWND hWndSpecCmdReceiver = NULL);
    // An item with its own texts and icon (nCheck: 1 checked, 2 indeterminate, 3 radio).
    virtual bool InsertCustomItem(UINT nCmdID, int nPos, LPCTSTR lpszText, LPCTSTR lpszAccelText,
                                  const CExtCmdIcon& icon, int nCheck = 0, HWND hWndSpecCmdReceiver = NULL);
    // The popup (NULL: a new one) becomes a sub-menu of this one, which then owns it.
    virtual bool InsertPopupMenu(CExtPopupMenuWnd* pPopup, int nPos = -1, LPCTSTR lpszText = NULL, HICON hIcon = NULL);
    virtual int ItemFindByAccessChar(TCHAR chrAccess, int nStartIdx = -1) const;
    virtual int ItemFindByText(LPCTSTR lpszText, int nStartIdx = -1) const;
    virtual bool AreAllItemsHidden() const;
    // An empty top-level menu for the owner; false when it already is one, is a sub-menu or
    // has items.
    virtual bool CreatePopupMenu(HWND hWndCmdReceiver);
    // Records the request and answers as standIn() says (see the top of this file). True: the
    // popup is gone; false: the caller still owns it. With a result pointer the chosen command
    // (0 for none) is written there before the call returns.
    virtual bool TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT lpRectExclude = NULL, LPVOID pCbPaintCombinedCookie = NULL,
                                pCbPaintCombinedContent pCbPaintCombinedContent = NULL, UINT* lpnResultCmdID = NULL,
                                bool bPaintCombinedEnabled = false);
    // Clears the items (sub-menus destroyed), then builds them from the menu (NULL: only clear).
    virtual bool BuildItems(CMenu* pBuildMenu, bool bTopLevel);
    // The items' states from the owner's update handlers.
    virtual void UpdateCmdUI();
    virtual void ResetState();
    // The enabled state of the window commands (move, size, close ...) from the owner window.
    virtual void UpdateSystemMenuStates();
    virtual void ItemFocusCancel(bool bRepaint);
    virtual void ItemFocusSet(int nPos, bool bOpenSubMenu = false, bool bRepaint = true, bool bSelectAnyInChild = false);
    // Renumbers the items and marks them displayed (the layout of the second part hides the
    // rarely used ones here).
    virtual void RecalcItems();
    // Inserts a copy of the record (nPos -1 appends).
    virtual MENUITEMDATA& InsertItemData(int nPos, MENUITEMDATA& mi);
    virtual CExtPopupMenuSite& GetSite() const { return CExtPopupMenuSite::g_DefPopupMenuSite; }

    // Throws the framework's not-supported exception for an index out of range.
    MENUITEMDATA& GetItemAt(int nPos);
    const MENUITEMDATA& GetItemAt(int nPos) const;
    int ItemGetCount() const { return GetItemCount(); }
    CExtPopupMenuWnd* GetParentMenu() const { return m_pWndParentMenu; }
    bool IsTopLevel() const { return (m_nMenuState & MENU_TOPLEVEL) != 0; }
    void SetOwnerValue(int nValue) { m_nLeftAreaWidth = nValue; }
    int GetOwnerValue() const { return m_nLeftAreaWidth; }
    UINT GetTrackFlags() const { return m_dwTrackFlags; }

    // The names the bars and dialogs called these by before the menus came.
    HWND GetOwnerWindow() const { return GetOwnerHwnd(); }
    bool InsertSubMenu(CExtPopupMenuWnd* pSubMenu, int nPos, LPCTSTR lpszText, HICON hIcon = NULL);
    bool RemoveItem(int nIndex) { return nIndex >= 0 && ItemRemove(nIndex); }

    // ---- statics ----
    static bool IsAnyMenuTracked();
    static void CancelMenuTracking();
    // Dispatches the thread's waiting messages (a quit message ends the pumping and is posted
    // again); with bIdle the thread's idle processing then runs while it asks for more.
    static void PumpWaitingMessages(bool bIdle = false);
    // Alt held (bit 29 of the key flags) or a modifier key down.
    static bool IsKeyEventWithModifier(LPARAM lKeyFlags);
    // Both are windows, pass the checks asked for, and an ancestor of the first that is a popup
    // or visible is the second or a popup or visible ancestor of it; false while a menu is
    // tracked when bFailIfMenuTracked.
    static bool AreWindowsInSameTopLevel(HWND hWnd1, HWND hWnd2, bool bCheckEnabled = false, bool bCheckVisible = false,
                                         bool bFailIfMenuTracked = false);

    // Library switches.
    static bool g_bUseFirstLetterAsAccessChar;   // a text without "&" takes its first letter (off)
    static bool g_bFixedFrameSysMenu;            // the window commands act as for a fixed frame (off)

    // Registered messages a popup sends its owner window.
    static const UINT g_nMsgPrepareMenu;
    static const UINT g_nMsgPopupNext;
    static const UINT g_nMsgPopupPrev;
    static const UINT g_nMsgNotifyMenuExpanded;
    static const UINT g_nMsgNotifyMenuClosed;
    static const UINT g_nMsgPopupDrawItem;
    static const UINT g_nMsgPopupDrawLeftArea;
    static const UINT g_nMsgCreateInplaceEdit;

    // What TrackPopupMenu answers and records until the menus track for real; set and read by
    // tests.
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

    // The tool bar whose tracked button dropped the menu, NULL when none.
    CWnd* m_pDroppedFromBar = NULL;

    // ---- what the site asks of a popup (tracking proper comes with the second part) ----
    HWND GetSiteHwnd() const override { return m_hWnd; }
    bool HandleMouseWheel(UINT nMsg, MOUSEHOOKSTRUCT* pMHS, bool& bPass) override;
    bool HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass) override;
    bool IsPointInMenu(CPoint ptClient) override;
    void CloseMenuTree(bool bKeepOwnWindow) override;
    void ClearItems() override { BuildItems(NULL, true); }
    IExtPopupSiteMenu* GetParentSiteMenu() const override { return m_pWndParentMenu; }
    HWND GetTipHwnd() const override { return m_wndToolTip.GetSafeHwnd(); }

    // ---- what the painters ask ----
    CWnd* QueryDroppedFromBar() const override { return m_pDroppedFromBar; }
    int QueryLastItemIconAreaWidth() const override;

    BOOL DestroyWindow() override;

    // ---- the base window's questions ----
    // Track flag 0x4000 here or in a parent menu.
    bool IsTrackedWithoutSite() const override;
    // Track flag 0x2000 (context-help mode) here or in a parent menu.
    bool IsHelpCursorForced() const override;
    // The base's switch, unless tracked with flag 0x1000 (no shadow).
    bool IsShadowWanted() const override;

    enum : UINT {   // track flags read by this part
        TMF_NO_CMD_UI = 0x0400,
        TMF_NO_SHADOW = 0x1000,
        TMF_HELP_MODE = 0x2000,
        TMF_WITHOUT_SITE = 0x4000,
    };

protected:
    // The running top of the tree (this menu without a parent).
    CExtPopupMenuWnd* GetTopLevelMenu();
    void DeleteChild(MENUITEMDATA& mi);
    bool InsertRecentFiles(int nRecentPos);
    void DescribeItems(std::vector<CExtPopupMenuTrackRecord::Item>& out) const;

    CExtPopupMenuTipWnd m_wndToolTip;
    int m_nCurIndex;
    int m_nDelayedFocusItemIndex;
    int m_nLastMousePick;
    BYTE m_nMenuState;
    int m_nWaitingExpandTickCount;
    UINT m_dwTrackFlags;
    HWND m_hWndCmdReceiver;
    int m_nDyScrollOffset;
    CExtPopupMenuWnd* m_pWndParentMenu;
    CRect m_rcScrollTop, m_rcScrollBottom, m_rcExpandBtn;
    int m_nScrollingDirection;
    int m_nLeftAreaWidth;
    int m_nCombineAreaState;
    CRgn m_rgnWnd;
    CRect m_rcClient;
    CArray<MENUITEMDATA, MENUITEMDATA&> m_items_all;
};
