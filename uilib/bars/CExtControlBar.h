// The dockable, resizable control bar every bar of the UI library stands on (the menu bar, the
// tool bars, panels and every resizable bar). It adds to the framework's CControlBar
//  - three sizes of its own (docked in a horizontal row, in a vertical column, floating) and the
//    layout that shares a dock row's length among the resizable bars in it;
//  - the process-wide list of all bars, guarded by one critical section;
//  - the frame set-up that puts the library's outer dock bars on the frame's four sides;
//  - show/hide commands, status prompts, the help hit test and the bars context menu;
//  - the row queries the docking code asks (neighbours, row edges, the rows of a dock bar).
//  - its frame (splitters, caption, caption buttons), row and column resizing and the drag loop.
// The drop targets come with a later layer.
//
// Virtual operations a tool bar overrides for its duties are listed in README.md.
#pragma once
#include <afxwin.h>
#include <afxdocking.h>
#include <CCriticalSection.h>
#include <CArchive.h>
#include <CDockState.h>
#include "ExtBarPaintQuery.h"

class CExtPopupMenuWnd;
class CExtDockBar;
class CExtDockOuterBar;
class CExtBarNcAreaButton;

class CExtControlBar : public CControlBar, public IExtBarPaintQuery {
    DECLARE_DYNCREATE(CExtControlBar)
public:
    CExtControlBar();
    ~CExtControlBar() override;

    // ---- Option bits (m_nOptions) ----
    enum Options : BYTE {
        optHorzCaption = 0x01,   // caption across the top also in a horizontal row
        optEraseBkgnd = 0x02,    // WM_ERASEBKGND erases
        optInDialog = 0x04,      // hosted in a dialog, not in a frame
        optFrameLayout = 0x08,   // takes part in the frame's layout (WM_SIZEPARENT)
        optClosing = 0x10,       // the window is going; also guards the command-UI update
        optInBarsMenu = 0x20,    // listed in the bars context menu
        optFixedSize = 0x40,     // a fixed-size bar
    };
    // ---- Tracking bits (m_nTracking) ----
    enum Tracking : BYTE {
        trackRowResizing = 0x01,
        trackColumnResizing = 0x02,
        trackDragging = 0x04,
        trackFitChild = 0x08,     // fit the first child window to the client area
        trackReparenting = 0x10,  // the parent window changes: WM_SIZE skips the re-layout
    };

    // A tool bar's docking-position record, kept by the tool bar and read by the outer dock bar
    // (order of the bar in its row, its preferred rectangle and lengths).
    struct DockPos_t {
        WORD m_nOrder = 1;
        CRect m_rcPreferred = CRect(0, 0, 0, 0);
        int m_nPreferredWidth = 0;
        int m_nPreferredHeight = 0;
    };

    // A popup-menu notification to the owner frame ("CExtControlBar::g_nMsgConstructPopupMenu",
    // WPARAM the record's address).
    struct POPUP_MENU_EVENT_DATA {
        POPUP_MENU_EVENT_DATA(WORD nEventId, CExtPopupMenuWnd* pPopup, CWnd* pWndEventSrc,
                              const POINT& ptScreen, UINT nMsgID, DWORD dwFlags = 0);
        virtual ~POPUP_MENU_EVENT_DATA() = default;
        // Event ids 0 to 6, 11 and 14 are bars menus.
        bool IsControlBarMenuListNotification() const;
        // Sends the record to the frame that owns the bar; answers whether it took it.
        bool NotifyTarget(bool bPreNotify);

        WORD m_nEventId;
        CExtPopupMenuWnd* m_pPopupMenuWnd;
        CWnd* m_pWndEventSrc;
        UINT m_nMsgID;
        DWORD m_dwFlags;
        CWnd* m_pWndInitialTarget = NULL;
        BYTE m_nBits = 0;   // bit 0: sent before the menu is filled by default
        CPoint m_ptScreen;
    };
    enum PopupMenuEvent : WORD {
        eventBarsMenuOfDockBar = 0,
        eventControlBarClient = 1,
        eventControlBarNc = 2,
    };

    static const UINT g_nMsgQueryRepositionCalcEffect;
    static const UINT g_nMsgQueryIcon;
    static const UINT g_nMsgPutToPopupMenu;
    static const UINT g_nMsgConstructPopupMenu;
    static const UINT g_nMsgDrawTackedArea;

    // ---- Creation ----
    // No name and an id that is neither 0 nor 0xFFFFFFFF: the command's menu text (without "&")
    // from the parent's command profile, else the id's string resource; cut at the first line feed.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                        CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                        CBRS_SIZE_DYNAMIC | CBRS_HIDE_INPLACE);
    // The bar's window text for a bar created without one (see Create).
    static CString BarNameFromCommand(CWnd* pParentWnd, UINT nID);
    // Puts the library's outer dock bars on the frame's sides (a side that has one keeps it).
    static bool FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                   bool bUseExtMiniFrames = true);
    static bool RegisterBarWindowClass();
    // Registers one of the library's window classes (the default window procedure, an arrow
    // cursor) unless it is there already.
    static bool RegisterLibraryWindowClass(LPCSTR lpszClassName, UINT nClassStyle = CS_GLOBALCLASS | CS_DBLCLKS);

    // ---- The process-wide list of bars ----
    // A copy of the list, taken under its lock.
    static void GetAllBars(CArray<CExtControlBar*, CExtControlBar*>& arr);
    static INT_PTR GetAllBarsCount();
    // The list's lock (re-entrant on the GUI thread): walkers hold it for the whole walk.
    static CCriticalSection& GetAllBarsLock();

    // ---- Own virtual operations ----
    virtual void InsertToBarsMenu(CExtPopupMenuWnd* pPopup);
    virtual bool IsDockSiteInPrintPreview();
    virtual bool EnsureBarVisible();
    virtual bool IsFixedSizeBar() const { return (m_nOptions & optFixedSize) != 0; }
    virtual bool IsFixedModeBar() const { return IsFixedSizeBar(); }
    virtual bool IsWholeRowBar() const { return false; }
    virtual int GetMinExtentHorz() const;
    virtual int GetMinExtentVert() const;
    virtual CSize GetFloatingMinTrackSize() const { return CSize(80, 60); }
    virtual CSize GetMinSize() const { return CSize(GetMinExtentHorz(), GetMinExtentVert()); }
    virtual DockPos_t* GetDockPosRecord() { return NULL; }
    // The hook with one argument: a stored docking-position record handed back to the bar.
    virtual void SetDockPosRecord(const DockPos_t* pRecord) { (void)pRecord; }
    virtual void SyncDockPosWithOuterBar();
    virtual void ResetDockPosRecord();
    virtual bool CanStretchAcrossRow() const { return false; }
    virtual void RecalcParentFrameLayout();
    virtual void RecalcNonClientArea();
    virtual bool IsShowContentWhileDragging() const;
    virtual bool IsRowResizingLive() const;
    virtual bool IsColumnResizingLive() const { return IsRowResizingLive(); }
    virtual void FitSingleChild(int cx = -1, int cy = -1, bool bRepaint = true);
    virtual bool NeedsOwnRow() const { return false; }
    virtual bool IsThemedBackground(CWnd* pWnd) const { (void)pWnd; return false; }
    virtual void ToggleBarVisibility(bool bToggle);
    virtual void UpdateBarVisibilityUI(CCmdUI* pCmdUI, bool bCheckByVisibility);
    virtual void GetCaptionText(CString& strText) const;
    // The item under the client point: -1 none; -2 and -3 are answers the help hit test maps.
    virtual int HitTestItem(CPoint point) const { (void)point; return -1; }

    // ---- Docking side (from the dock bar's id, else from the style) ----
    bool IsDockedAtTop() const;
    bool IsDockedAtBottom() const;
    bool IsDockedAtLeft() const;
    bool IsDockedAtRight() const;
    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    bool IsDocked() const;
    bool IsFloating() const;

    // ---- Lookup and row queries ----
    // Bars of pFrame that pass the filter (see the bars README), without duplicates.
    static void FindBarsByFilter(CExtControlBar* pExclude, CFrameWnd* pFrame,
                                 CArray<CExtControlBar*, CExtControlBar*>& arr, DWORD dwFilter,
                                 int x = 0, int y = 0);
    static CControlBar* GetRowNeighbour(CControlBar* pBar, bool bForward, bool bExtBarsOnly,
                                        bool bSkipFixedSize);
    static CControlBar* GetRowEdgeBar(CControlBar* pBar, bool bLast, bool bExtBarsOnly,
                                      bool bSkipFixedSize);
    void GetRowBars(CArray<CControlBar*, CControlBar*>& arr, CRect* pRcUnion = NULL,
                    int* pnThisIdx = NULL, bool* pbHaveResizable = NULL, bool* pbRowFull = NULL) const;
    void GetRowBarsAll(CArray<CExtControlBar*, CExtControlBar*>& arr, bool bSkipFixedSize,
                       CRect* pRcUnion = NULL, int* pnThisIdx = NULL, bool* pbHaveResizable = NULL,
                       bool* pbRowFull = NULL) const;
    void GetAdjacentRowBars(bool bNext, CArray<CControlBar*, CControlBar*>& arr, CRect* pRcUnion = NULL,
                            int* pnRowIdx = NULL, bool* pbHaveResizable = NULL, bool* pbRowFull = NULL) const;
    bool IsFirstInRow(bool bResizableOnly) const;
    bool IsLastInRow(bool bResizableOnly) const;
    CFrameWnd* GetDockingFrame() const;
    static CFrameWnd* GetDockSiteFrame(const CControlBar* pBar);
    UINT GetDockSideId() const;
    // The circle of the bar's dock bar (0 for the outer dock bars), -1 when it has none.
    int GetDockBarCircle() const;

    // ---- Row sizing ----
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    CSize CalcStateSize(bool bHorz);
    bool IsMinimizedInRow() const;
    bool IsOnlyExpandedInRow() const;
    bool IsSingleInRow(bool bExcludeFixedSize, bool bOnlyFixedSize) const;
    void MinimizeInRow();
    void MaximizeInRow();
    void MakeSingleInRow();
    // The bar's length along its row and the minimum of that length.
    int GetLengthInRow() const;
    void SetLengthInRow(int nLength);
    int GetMinLengthInRow() const;

    // ---- Visibility, prompts, help ----
    static BOOL ShowHideBarCommand(CFrameWnd* pFrame, UINT nBarID, bool bToggle);
    static void ShowHideBarUpdate(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bCheckByVisibility);
    static void ShowCommandPrompt(CWnd* pWnd, UINT nCmdID);
    static void RedrawFloatingFrames(CFrameWnd* pFrame);
    static void RefreshDockedBarFrames(CFrameWnd* pFrame);
    static bool IsFrameInHelpMode(CWnd* pWnd);
    static bool IsFrameInPrintPreview(CFrameWnd* pFrame);
    void RestoreFocusToFrame();
    // nVisible: the visibility the window is taking (WM_SHOWWINDOW comes before the change);
    // -1 reads it from the window.
    void SyncContainerVisibility(int nVisible = -1);
    void RedistributeRowSpace(int nVisible = -1);

    // ---- The bars context menu ----
    static bool FillBarsContextMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventId,
                                    CWnd* pWndEventSrc, UINT nMsgID, DWORD dwFlags);

    // ---- bar-state archive (ExtBarStateArchive.cpp; the stored form is in README.md) ----
    // Sizes and places the library keeps for a bar that the framework's dock state names.
    struct OuterItemData_t {
        DWORD m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
        CPoint m_ptFloatPos = CPoint(0, 0);
        CSize m_sizeDockedH = CSize(200, 200);
        CSize m_sizeDockedV = CSize(200, 200);
        CSize m_sizeFloated = CSize(200, 200);
        DockPos_t m_dockPos;
        bool m_bFloating = false;
        void Serialize(CArchive& ar);
    };
    // One resizable bar or container (with the bars inside it) of an inner circle or a floating
    // container, as stored.
    class InternalDockStateBar : public CObject {
    public:
        enum : DWORD { kindMask = 0x0F, kindBar = 1, kindContainer = 2, flagVisible = 0x10, flagFloating = 0x20,
                       flagRowBreak = 0x40, flagInContainer = 0x80 };
        InternalDockStateBar() { SetDefaults(); }
        ~InternalDockStateBar() override { Reset(); }
        void Reset();
        void SetDefaults();
        void CaptureFromBar(CExtControlBar* pBar, InternalDockStateBar* pParent);
        // Throws CResourceException when a mini frame cannot be made.
        void RestoreBar(CFrameWnd* pFrame, InternalDockStateBar* pParent);
        void CopyLayoutToBar(CFrameWnd* pFrame, InternalDockStateBar* pParent);
        void FinishRestore(CFrameWnd* pFrame, InternalDockStateBar* pParent);
        // Reading checks every field it can (ids, kind, nesting, counts against the bytes
        // left) and throws CArchiveException for a damaged record; nDepth 0 is a top record.
        void Serialize(CArchive& ar, int nDepth);
        void Serialize(CArchive& ar) override { Serialize(ar, 0); }
        // The bars of this record and its children, for docking them at their defaults.
        void CollectBarIds(CDWordArray& arr) const;

        int m_nBarID, m_nDockBarID, m_nCircleNo, m_nMRUWidth;
        DWORD m_dwBarStyle, m_dwFlags, m_dwMRUFloatStyle, m_dwFrameStyle, m_dwLayoutWord;
        CPoint m_ptFloatPos, m_ptMRUFloatPos;
        CRect m_rcMRUDockPos, m_rcFrame, m_rcBar;
        CSize m_sizeDockedH, m_sizeDockedV, m_sizeFloated;
        CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrChildren;
        CExtControlBar* m_pRestoredBar = NULL;
    };
    // The whole frame: its placement, the framework's dock state, the rows and the records.
    class InternalDockStateSite : public CObject {
    public:
        explicit InternalDockStateSite(CFrameWnd* pFrame);
        ~InternalDockStateSite() override;
        void Reset();
        void CaptureFromFrame();
        // Answers false (the frame laid out again, the bars not yet placed docked at their
        // defaults) when applying failed; throws nothing.
        bool ApplyToFrame(bool bPlaceFrame);
        void Serialize(CArchive& ar) override;

        CArray<OuterItemData_t, const OuterItemData_t&> m_arrOuterItems;
        CFrameWnd* m_pFrame;
        WINDOWPLACEMENT m_wp;
        CDockState* m_pDockState;
        CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrBars;
    };
    // A tool bar's docking-position record in the archive: a WORD (bit 0: empty), then unless
    // empty a DWORD 1, the preferred rectangle, the two preferred lengths and the order.
    static void SerializeDockPos(CArchive& ar, DockPos_t& rec);
    // Saves (storing archive) or loads the bar layout of pFrame. A load reads and checks the
    // whole archive before it changes anything; with pFrameWp the stored placement is copied out
    // and the frame is placed. False: the frame is already being saved or loaded, the archive is
    // damaged, or applying it failed (the frame then lays out with every bar docked).
    static bool SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFrameWp = NULL);
    static bool IsFrameStateSerializing(CFrameWnd* pFrame, bool* pbLoading = NULL);
    static bool RegisterFrameStateSerializing(CFrameWnd* pFrame, bool bLoading);
    static bool UnregisterFrameStateSerializing(CFrameWnd* pFrame);
    static void CaptureFrameDockState(CFrameWnd* pFrame, CDockState& state,
                                      CArray<OuterItemData_t, const OuterItemData_t&>& arrRows);
    static void ApplyFrameDockState(CFrameWnd* pFrame, CDockState& state,
                                    CArray<OuterItemData_t, const OuterItemData_t&>& arrRows);

    // ---- Command-UI updates ----
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // The update a resizable dialog or UpdateChildBarsCmdUI runs: nothing while the bar closes.
    void GuardedUpdateCmdUI(BOOL bDisableIfNoHndler);
    static BOOL PreTranslateChildBars(CWnd* pWnd, MSG* pMsg);
    static void UpdateChildBarsCmdUI(CWnd* pWnd, BOOL bDisableIfNoHndler);

    // ---- IExtBarPaintQuery ----
    BarKind QueryBarKind() const override { return kindControlBar; }
    bool QueryDockedHorizontally() const override { return IsDockedHorizontally(); }
    bool QueryDockedVertically() const override { return IsDockedVertically(); }
    bool QueryDocked() const override { return IsDocked(); }
    bool QueryFloating() const override { return IsFloating(); }
    CWnd* QueryDockSite() const override { return m_pDockSite; }
    DWORD QueryBarStyle() const override { return m_dwStyle; }
    DWORD QueryPaintOptOuts() const override { return 0; }
    CObject* QueryMenuTrackingButton() const override { return NULL; }


    // ---- Non-client area and caption buttons (CExtControlBarNcArea.cpp) ----
    // Whether the bar shows a caption (across the top) or a side gripper while docked.
    virtual bool IsBarWithGripper(bool* pbHorzCaption = NULL, bool* pbHasGripper = NULL) const;
    // Which edges of a docked resizable bar may carry a splitter.
    void CalcNcSplitterEdges(bool* pbLeft, bool* pbTop, bool* pbRight, bool* pbBottom) const;
    void DoPaint(CDC* pDC) override;
    virtual void FillBarClientArea(CDC& dc, const RECT& rc);
    // The caption button under the screen point: its hit code (HTCLIENT for none). With ppBtn
    // (a query) the first button hit is stored there.
    UINT HitTestCaptionButtons(CPoint ptScreen, CExtBarNcAreaButton** ppBtn = NULL);
    void PaintCaptionButtons(CDC& dc);
    virtual void CreateCaptionButtons();
    virtual void LayoutCaptionButtons();
    virtual void AdjustCaptionTextRect(CRect& rcText);
    void DestroyCaptionButtons();
    INT_PTR GetCaptionButtonCount() const { return m_arrCaptionButtons.GetSize(); }
    CExtBarNcAreaButton* GetCaptionButton(INT_PTR nIndex) const { return m_arrCaptionButtons[nIndex]; }
    CArray<CExtBarNcAreaButton*, CExtBarNcAreaButton*> m_arrCaptionButtons;

    // ---- Row and column resizing, the drag loop (CExtControlBarLoops.cpp) ----
    // One drop target of a drag.
    class InternalDraggingState_t : public CObject {
    public:
        explicit InternalDraggingState_t(CExtControlBar* pBar = NULL) : m_pBar(pBar) {}
        bool operator==(const InternalDraggingState_t& other) const;
        bool operator!=(const InternalDraggingState_t& other) const { return !(*this == other); }
        bool IsEmpty() const { return (m_nBits & 1) != 0; }
        void SetEmpty(bool bEmpty = true) { m_nBits = (BYTE)(bEmpty ? (m_nBits | 1) : (m_nBits & ~1)); }
        void Clear(CExtControlBar* pBar);
        void Assign(const InternalDraggingState_t& other);
        enum : DWORD { kindFloat = 0, kindUnchanged = 13 };
        BYTE m_nBits = 1;            // bit 0 empty; bit 1 set by the drop-target computation
        DWORD m_eTarget = kindFloat;
        DWORD m_eCursor = 0;         // 1 horizontal sizing cursor, 2 vertical, else the move cursor
        DWORD m_nCircle = 0;
        CRect m_rcTarget = CRect(0, 0, 0, 0);   // screen
        CExtControlBar* m_pBar;
        void* m_pTarget = NULL;      // a bar or a dock bar (a pointer: this is a 64-bit build)
    };
    static InternalDraggingState_t& DragCandidateState();
    static InternalDraggingState_t& DragShownState();
    // The bar being dragged anywhere in the process, or NULL.
    static CExtControlBar* GetCurrentDragBar();

    virtual void RowResizingStart();
    virtual void RowResizingUpdate();
    virtual void RowResizingStop(BOOL bCancel);
    virtual void ColumnResizingStart();
    virtual void ColumnResizingUpdate();
    virtual void ColumnResizingStop(BOOL bCancel);
    virtual bool IsColumnSplitterActive() const;
    virtual bool IsLeadingSplitterActive() const;
    virtual void DrawRowTracker(BOOL bErase);
    virtual void DrawColumnTracker(BOOL bErase);
    virtual void DraggingStart(const POINT* pptScreen, const POINT* pptGrabOffset, int cxThreshold = 1,
                               int cyThreshold = 1);
    virtual void DraggingStop(BOOL bCancel);
    virtual void UpdateDraggingState(const POINT* pptScreen, BOOL bCtrlDown);
    virtual void OnTrackingBegin();
    virtual void OnTrackingEnd(const InternalDraggingState_t& shown, const InternalDraggingState_t& candidate,
                               BOOL bCancel);
    virtual void SetCursorAtPoint(const POINT* pptClient);
    // The mouse-move dispatcher: true when a mode or a hot caption button took the move.
    virtual bool OnMouseClickEvent(UINT nFlags, int x, int y);
    // The thickness of the bar's dock row: the horizontal size's cy in a row, the vertical
    // size's cx in a column.
    int GetRowThickness() const;
    void SetRowThickness(int nThickness);

    // ---- Drop targets, docking operations and the tool-bar drag path ----
    // (CExtControlBarDropTarget.cpp, CExtControlBarDocking.cpp, CExtControlBarFixedDrag.cpp)
    // Where a dragged bar would land: the kind of a drop target (InternalDraggingState_t::m_eTarget).
    enum DropKind : DWORD {
        dropFloat = 0,
        dropSplitTop = 1, dropSplitBottom = 2, dropSplitLeft = 3, dropSplitRight = 4,
        dropInnerTop = 5, dropInnerBottom = 6, dropInnerLeft = 7, dropInnerRight = 8,
        dropOuterTop = 9, dropOuterBottom = 10, dropOuterLeft = 11, dropOuterRight = 12,
        dropUnchanged = 13,
        dropMarkerOuterTop = 14,   // ... 17: a frame marker, circle 1 emptied first
        dropMarkerInnerTop = 18,   // ... 21: a marker beside a window that is no bar (the view)
        dropMarkerBarTop = 22,     // ... 25: a marker over a bar, split beside it
        dropLast = 25,
    };
    // The record "CExtControlBar::g_nMsgDrawTackedArea" carries (WPARAM its address): a frame
    // that draws the outline itself sets bit 1 of m_nFlags.
    struct TackedAreaRecord {
        CExtControlBar* m_pBar;
        CDC* m_pDC;
        int m_nDrawKind;    // 0 and 1 fill the rectangle, 2 draws a frame
        CRect m_rc;         // in the DC's coordinates
        BYTE m_nFlags;      // bit 0 erasing, bit 1 handled
    };
    // The bar being floated by FloatControlBar, NULL at any other time.
    static CExtControlBar* GetBarBeingFloated();
    // The target of a drag at the screen point into state (bCtrl: the loop saw Ctrl held).
    virtual void ComputeDropTarget(InternalDraggingState_t& state, int x, int y, bool bCtrl);
    void DrawTrackingOutline(const InternalDraggingState_t& state, bool bErasing);
    static void DrawTackedArea(TackedAreaRecord& rec);
    // Whether the geometric frame zones and the splits beside other bars apply to this bar.
    virtual bool CanDockAtFrameZones() const { return !IsFixedModeBar(); }
    // The frame's bar layout as a query: the rectangle left for the view (rectParam) when
    // nMode is reposQuery; otherwise the windows are placed.
    static void RepositionBarsQuery(CFrameWnd* pFrame, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                                    UINT nMode, CRect& rectParam, const CRect* pRectClient, bool bStretch);
    // Carries a drop target out; bFinal at the drag's end (live drags apply on every move).
    virtual bool ApplyDraggingState(InternalDraggingState_t& state, bool bFinal);
    // Called on the target bar: pBar and this bar share a new container, pBar on the given side
    // taking nPercent of this bar's place.
    virtual bool DockIntoNewContainer(CExtControlBar* pBar, UINT nDockBarID, int nPercent);
    // A new mini frame for this bar (throws the framework's resource exception on failure).
    virtual CFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The double-click action: docked to floating (resizable bars), the dock context's toggle
    // (fixed-mode bars).
    virtual void ToggleFloatingState();
    // Floats the bar with its mini frame's top-left at (x, y) (screen).
    virtual void FloatControlBar(int x, int y, DWORD dwStyle = CBRS_ALIGN_TOP);
    void FloatAtLastPosition(DWORD dwStyle = CBRS_ALIGN_TOP);
    // Docks at a side of the frame (NULL: the dock site): in circle 1, emptied first, or in a new
    // innermost circle.
    virtual bool DockAtFrameSide(UINT nDockBarID, bool bInnermost = false, CFrameWnd* pFrame = NULL,
                                 bool bRecalc = true);
    // Docks beside pTarget in a new container (nPercent of the target's place, on that side).
    virtual bool DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nDockBarID, bool bRecalc = true);
    // Docks pBar next to this bar: along its row (bAcross false) or across it, after or before.
    virtual bool DockBarNextToThis(CExtControlBar* pBar, bool bAcross, bool bAfter, CFrameWnd* pFrame = NULL,
                                   bool bRecalc = true);
    // Docks at the inner edge of the side's dock bar of nCircle (0: the outer dock bar).
    virtual bool DockIntoCircle(UINT nDockBarID, UINT nCircle, CFrameWnd* pFrame = NULL, bool bRecalc = true);
    virtual bool QueryCustomDocking(DWORD, DWORD, DWORD, DWORD) { return false; }
    // The tool-bar drag path: the bar moves at every pointer move (no outline).
    virtual void DockFixedBarAt(InternalDraggingState_t& state, int x, int y, bool bForceFloat);
    bool TryDockFixedBarInto(InternalDraggingState_t& state, int x, int y, CExtDockBar* pDockBar);
    void FloatFixedBarAt(InternalDraggingState_t& state, int x, int y);
    // Moves the whole row of pBarInRow just before or after the row of pOther (same dock bar).
    static void MoveRowNextTo(CControlBar* pBarInRow, CControlBar* pOther);
    static void RefreshDockBarAfterRowChange(CFrameWnd* pFrame, CExtDockBar* pDockBar);
    // Where the bar was docked before it floated (side id, circle): a double click on its mini
    // frame's caption docks it back there.
    UINT m_nMRUDockSideId = 0;
    UINT m_nMRUDockCircle = 1;
protected:
    // Notes the side and circle the bar is docked in (m_nMRUDockSideId, m_nMRUDockCircle).
    void RememberDockPlace();
    // FloatControlBar's work; may throw.
    void FloatControlBarAt(int x, int y, DWORD dwStyle);
public:

protected:
    // Non-client and mouse messages (answers true when it handled the message).
    bool HandleNcAndMouseMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    void NcCalcSize(RECT* pRect);
    UINT NcHitTest(CPoint ptScreen);
    void NcPaint();
    // A screen point in window coordinates (where the splitter rectangles are kept); false when
    // the bar has no non-client area.
    bool NcPointFromScreen(CPoint ptScreen, CPoint& pt) const;
    // Whether a leading splitter goes before the bar: the bar right before it in the row is not
    // resizable and an earlier resizable bar exists in the row.
    bool HasLeadingSplitter() const;
    // The modal loop of row and column resizing (nMode: trackRowResizing or trackColumnResizing).
    void RunResizeLoop(BYTE nMode);
    // Leaves a resize mode (its tracking bit and the capture); false when it was not on.
    bool EndResizeMode(BYTE nMode);
    void DrawTrackerRect(const CRect& rcScreen);
public:
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    // ---- Fields (values after construction in the constructor) ----
    BYTE m_nOptions;
    int m_nCaptionHeight;
    int m_nGripperWidth;
    int m_nSeparatorHeight;   // splitter thickness across a row
    int m_nSeparatorWidth;    // splitter thickness along a row
    int m_nMinHW;             // minimal horizontal extent
    int m_nMinVH;             // minimal vertical extent
    int m_nTrackerOffset;
    int m_nMetricOffset;
    CSize m_sizeDockedH;      // docked in a horizontal row: cx along, cy thickness
    CSize m_sizeDockedV;      // docked in a vertical column: cx thickness, cy along
    CSize m_sizeFloated;
    CRect m_rcGrip;
    CRect m_rcRowResize;
    CRect m_rcRowRecalc;
    CRect m_rcRowRecalcUp;
    BYTE m_nTracking;
    int m_nDelayedRowUpdateMetric;  // the row-space memo: length owed when the bar reappears
    CPoint m_ptFloatHelper;
    CPoint m_ptHelperDragOffsetFloated;
    CPoint m_ptHelperDragOffsetDockedH;
    CPoint m_ptHelperDragOffsetDockedV;
    BYTE m_nStates;
    CPoint m_ptDraggingLast;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The bars context menu for a right click (event 1 client area, 2 non-client area).
    bool TrackBarsContextMenu(WORD nEventId);
    // The first resizable bar of a row lays the row out (CalcDynamicLayout).
    void LayoutRow();

private:
    // The row of m_pDockBar's array that holds pBar: [start, end) (end is the row's NULL).
    static bool FindRow(const CControlBar* pBar, int& nStart, int& nEnd, int& nIndex);
};

// Layout helpers that answer from a bar or a null pointer.
inline bool ExtIsPlaceHolder(const void* p) { return p != NULL && (UINT_PTR)p < 0x10000; }
// The window's rectangle on the screen; empty for a null pointer or a window not created.
inline CRect ExtWindowRectOf(const CWnd* pWnd) {
    CRect rc(0, 0, 0, 0);
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        ::GetWindowRect(pWnd->m_hWnd, &rc);
    return rc;
}
// Whether the window is a floating frame of docked bars (the framework's or the library's).
inline bool ExtIsMiniDockFrame(const CWnd* pWnd) {
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
}
