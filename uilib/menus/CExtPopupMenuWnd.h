// The UI library's owner-drawn popup menu: the menu object with its items, built from a Windows
// menu (recent-file and MDI window lists included) or item by item, whose texts, icons and
// states come from the command manager's profile of the menu's owner window; its tracking
// (placement, input through the popup-menu site's hooks, timers, the modal loop, the ending and
// the command's delivery), its layout and its painting through the paint manager; and the
// statics the bars, buttons and dialogs ask while menus are open.
//
// Ownership: TrackPopupMenu answering true took the menu (the site deletes it when the tree
// closes); false leaves the menu to the caller, who deletes it.
//
// Tests that only want to know what a caller asked for switch the recording seam on
// (standIn().bRecording): TrackPopupMenu then shows nothing, records the request in standIn()
// and answers what the test set there.
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
    // Opens the menu as the top of a new tree (flags TMF_*; x, y screen, negative: the cursor;
    // the exclude rectangle is the owner's area to open beside). True: the site took the menu
    // and deletes it when the tree closes (with TMF_MODAL, when the call returns it has closed);
    // false: the caller still owns it and deletes it. With a result pointer the chosen command
    // (0 for none) is written there when the tree ends. Recording seam: see the top of the file.
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
    // The layout pass: icon column, which items show (rarely used ones hidden until the menu
    // expands, separators without an item between them or at the end hidden), content size.
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

    // What the owner gets with g_nMsgPrepareMenu (wParam; lParam is the menu).
    struct MsgPrepareMenuData {
        enum : BYTE {
            PREPARE_UPDATE_CMD_UI = 0x01,   // the owner asks for the items' states once more
            PREPARE_CANCEL = 0x02,          // the owner cancels the menu
        };
        BYTE nFlags;
        CExtPopupMenuWnd* pPopup;
    };
    // What an item's command target gets with g_nMsgCreateInplaceEdit (wParam): it may create
    // the item's edit itself and store it in *ppEdit.
    struct MsgCreateInplaceEditData {
        CWnd** ppEdit;
        CExtPopupMenuWnd* pPopup;
        MENUITEMDATA* pItem;   // the edit's words
        CRect rcEdit;
    };

    // What the owner gets with g_nMsgPopupDrawItem (lParam): non-zero answered means it drew
    // the item. nFlags bit 0: offered to the owner; bit 1: a sub-menu item.
    struct MsgDrawItemData {
        CDC* pDC;
        CRect rcItem;
        MENUITEMDATA* pItem;
        CExtPopupMenuWnd* pPopup;
        BYTE nFlags;
    };
    // What the owner gets with g_nMsgPopupDrawLeftArea (lParam).
    struct MsgDrawLeftAreaData {
        CDC* pDC;
        CRect rcLeftArea;
        CExtPopupMenuWnd* pPopup;
    };

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
        // TrackPopupMenu only records (kept by ResetStandIn: a test program switches it on once).
        bool bRecording = false;
        // Called while the popup is "tracked" (IsAnyMenuTracked answers true), before the
        // answer; a test paints the combined area or closes the owner here.
        std::function<void(CExtPopupMenuWnd& popup, const CExtPopupMenuTrackRecord& record)> onTrack;
        std::vector<CExtPopupMenuTrackRecord> tracked;   // every TrackPopupMenu call, in order
        int nLive = 0;                   // popup objects alive
        int nCancelCalls = 0;
    };
    static StandIn& standIn();
    // Back to the defaults, records cleared (nLive and bRecording are kept).
    static void ResetStandIn();

    // The tool bar whose tracked button dropped the menu, NULL when none.
    CWnd* m_pDroppedFromBar = NULL;

    // ---- what the site asks of a popup ----
    HWND GetSiteHwnd() const override { return m_hWnd; }
    // The wheel never reaches the windows under an open menu (true, always).
    bool HandleMouseWheel(UINT nMsg, MOUSEHOOKSTRUCT* pMHS, bool& bPass) override;
    // The mouse and key handlers (a derived popup replaces them): true when handled; bPass set
    // asks the site to hand the event on to its window.
    bool HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass) override;
    bool IsPointInMenu(CPoint ptClient) override;
    // Closes the open sub-menus and, unless bKeepOwnWindow, destroys this menu's window (the
    // site ends with the top menu's window).
    void CloseMenuTree(bool bKeepOwnWindow) override;
    void ClearItems() override { BuildItems(NULL, true); }
    IExtPopupSiteMenu* GetParentSiteMenu() const override { return m_pWndParentMenu; }
    HWND GetTipHwnd() const override { return m_wndToolTip.GetSafeHwnd(); }

    // ---- tracking (a derived popup replaces the size, placement, window, hit test, painting
    // and handlers; the rest is shared) ----
    // Shows the menu (top of a tree or a sub-menu): prepare message, hidden items, placement,
    // window, first highlight, animation, input. False: nothing is shown.
    virtual bool OpenPopup(UINT nFlags, int x, int y, LPCRECT lpRectExclude = NULL, LPVOID pCbPaintCombinedCookie = NULL,
                           pCbPaintCombinedContent pCbPaintCombinedContent = NULL, bool bPaintCombinedEnabled = false);
    // The window, placed by CalcWindowRect, owned by pWndParent (in-place edits made too).
    virtual bool CreatePopupWindow(CWnd* pWndParent);
    // The window's screen rectangle: alignment against the exclude rectangle, joining, flips,
    // kept inside the work area, scroll buttons when too tall; sets the joint and region.
    using CWnd::CalcWindowRect;
    virtual CRect CalcWindowRect();
    // The window size for the current content (shadow included).
    virtual CSize CalcMenuSize();
    // The item index under a client point, or HIT_* (HIT_NOTHING, the scroll buttons, the
    // expand button); *pbInEdit: on the in-place edit area, *pbInArrow: on a sub-menu arrow.
    virtual int HitTest(const CPoint& ptClient, bool* pbInEdit = NULL, bool* pbInArrow = NULL);
    // Whether the menu may open as a sub-menu now.
    virtual bool CanOpenAsSubmenu() const { return true; }
    // Ends the whole tree; nCmdID (0: none) goes to the result pointer and, posted, to the
    // target (NULL: the owner) unless the target is gone or TMF_NO_COMMAND is set.
    virtual void EndTracking(UINT nCmdID, HWND hWndTarget = NULL);
    // GET_* direction → item index or HIT_* pseudo index.
    virtual int GetNextItem(int nDirection) const;
    // Opens the item's sub-menu 500 ms later if the cursor is still on it (-1 cancels).
    virtual void ItemFocusDelay(int nPos);
    virtual bool StartScrolling(int nPseudoIndex);
    // Shows the rarely used items.
    virtual void ExpandHiddenItems();
    // This menu takes (gives back) the input of the site's hooks.
    void CaptureInput();
    void ReleaseInput();
    static IExtPopupSiteMenu* GetCapturedMenu() { return CExtPopupMenuSite::g_DefPopupMenuSite.GetCapturedMenu(); }
    bool IsTipVisible() const;
    void HideTip(bool bStopDelay = true);

    // ---- layout ----
    // Upper bound of the scroll offset is 0; this is its lower bound.
    virtual int GetMinScrollPos();
    // The scroll and expand buttons from the client rectangle.
    virtual void RecalcServiceRects();
    // Client rectangle of an item or pseudo index (empty when not shown).
    CRect GetItemRect(int nIndex) const;
    // The part of the client area where items are seen: inside the border, below the scroll-up
    // button and above the scroll-down and expand buttons while they are shown. An item that
    // reaches beyond it is cut at its edge.
    CRect GetItemsViewRect();
    // The in-place edit area of an item (client coordinates).
    CRect GetItemEditRect(int nIndex) const;
    CSize GetContentSize() const { return m_sizeFullItems; }
    int GetScrollOffset() const { return m_nDyScrollOffset; }
    bool IsScrolling() const { return (m_nMenuState & MENU_SCROLLING) != 0; }
    bool HasHiddenItems() const { return (m_nMenuState & MENU_HAS_HIDDEN) != 0; }
    bool IsExpanded() const { return (m_nMenuState & MENU_EXPANDED) != 0; }
    // The width of the icon column (largest item icon area, at least 22).
    int GetIconColumnWidth() const { return m_nIconColumnWidth; }
    // 1 below the owner, 2 above, 3 to its left, 4 to its right; 0 not joined.
    int GetCombineAreaState() const { return m_nCombineAreaState; }
    // Whether a shown item is a rarely used one the expansion brought (painted distinctly).
    bool IsItemRarelyShown(int nPos) const;

    // ---- painting ----
    void PaintPopup(CDC& dc, bool bFinal) override;
    void PaintAnimationFrame(CDC& dc) override { RenderAnimationFrame(dc); }
    void GetExpandBands(CArray<ExpandBand, const ExpandBand&>& arrBands) const override;
    void ReleaseAnimationBitmaps() override;
    bool IsOwnerItemPainter() const override;
    // Paints the parent menu's item under a sub-menu's joint (cookie: the item index).
    static bool PaintOwnerItem(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcExclude);

    enum : int {   // pseudo indices of HitTest and GetNextItem
        HIT_NOTHING = -1,
        HIT_SCROLL_UP = -2,
        HIT_SCROLL_DOWN = -3,
        HIT_EXPAND = -4,
    };
    enum : int {   // GetNextItem directions
        GET_NONE = 0,
        GET_CURRENT = 1,
        GET_NEXT = 2,
        GET_PREV = 3,
        GET_PAGE_UP = 4,
        GET_PAGE_DOWN = 5,
    };
    enum : UINT_PTR {
        ID_TIMER_DELAY_EXPAND = 667,   // open the pending item's sub-menu
        ID_TIMER_SCROLLING = 668,      // scroll while the mouse rests on a scroll button
        ID_TIMER_EXPAND_HOVER = 670,   // count the rest on the expand button
    };

    // Library switches (process-wide).
    static bool g_bMenuExpanding;          // hide rarely used items until expanded (on)
    static bool g_bMenuHighlightRarely;    // paint expanded rarely used items distinctly (on)
    static bool g_bMenuExpandOnHover;      // resting on the expand button expands (on)
    static bool g_bMenuShowItemTips;       // tips of command items (on)
    static bool g_bMenuExpandAnimation;    // the expanded items grow in (on)
    static bool g_bMenuIdleProcessing;     // idle processing in the modal loop (off)
    static bool g_bMenuLargeIcons;         // icons at double size (off)
    static int g_nMenuAnimation;           // the menus' opening effect (the base's default)

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

    enum : UINT {   // track flags
        TMF_ALIGN_MASK = 0x000F,
        TMF_ALIGN_NONE = 0x0000,
        TMF_ALIGN_RIGHT = 0x0001,
        TMF_ALIGN_HCENTER = 0x0002,
        TMF_ALIGN_LEFT = 0x0003,
        TMF_ALIGN_BOTTOM = 0x0004,
        TMF_ALIGN_VCENTER = 0x0005,
        TMF_ALIGN_TOP = 0x0006,
        TMF_COMBINE = 0x0010,
        TMF_COMBINE_BY_LOOK = 0x0020,
        TMF_SELECT_ANY = 0x0040,
        TMF_MODAL = 0x0080,
        TMF_SHOW_ALL = 0x0100,
        TMF_NO_COMMAND = 0x0200,
        TMF_OWNER_DRAW = 0x0800,
        TMF_NO_CMD_UI = 0x0400,
        TMF_NO_SHADOW = 0x1000,
        TMF_HELP_MODE = 0x2000,
        TMF_WITHOUT_SITE = 0x4000,
    };

protected:
    // The running top of the tree (this menu without a parent).
    CExtPopupMenuWnd* GetTopLevelMenu();
    // A submenu item without a command, or an enabled (or always enabled) command.
    bool IsItemSelectable(int nPos) const;
    // Offset the item to lie between the scroll buttons.
    void EnsureItemVisible(int nPos);
    void OnScrollTick();
    void OnExpandHoverTick();
    void OnDelayExpandTick();
    void ShowItemTip(int nPos);
    // The background, border and left area (a derived popup paints its own content over it).
    void PaintPopupFrame(CDC& dc);
    // The shadow onto what the DC holds.
    void PaintPopupShadow(CDC& dc);
    void PaintItem(CDC& dc, int nPos, const CRect& rcItem);
    HWND GetPromptHwnd() const;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
    void DeleteChild(MENUITEMDATA& mi);
    bool InsertRecentFiles(int nRecentPos);
    void DescribeItems(std::vector<CExtPopupMenuTrackRecord::Item>& out) const;
    // TrackPopupMenu while the recording seam is on.
    bool RecordTrack(UINT nFlags, int x, int y, LPCRECT lpRectExclude, LPVOID pCbPaintCombinedCookie,
                     pCbPaintCombinedContent pCbPaintCombinedContent, UINT* lpnResultCmdID, bool bPaintCombinedEnabled);
    // The lower bound of the scroll offset for a client area nClientHeight high.
    int GetMinScrollPosFor(int nClientHeight) const;
    void PostNcDestroy() override;

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
    CSize m_sizeFullItems;     // content width and height
    int m_nIconColumnWidth;
    int m_nHoverIndex;         // the item highlighted by hover, -1 none
    bool m_bExcludeGiven;      // opened beside an exclude rectangle (else at a point)
    bool m_bCombine;           // joined to the exclude rectangle
    bool m_bWindowMade;        // its window was made once: closing gives the idle prompt back
    CArray<MENUITEMDATA, MENUITEMDATA&> m_items_all;
};
