// The UI library's resizable property sheet (tabbed or wizard): the anchor and window-state
// layers over a resource-template sheet, which lays out the system's own sheet window once it
// is made: the tab control and the pages follow the sheet's size, separators stay at the bottom,
// the push buttons are re-skinned as library buttons and stay at the bottom-right, 10 pixels
// further left than the system put them. The sheet cannot be sized below its size at set-up nor
// beyond the work area, keeps every page on the same rectangle when the user moves between
// pages, switches pages with Ctrl+Tab and Ctrl+Shift+Tab (without wrapping round), and saves
// its placement when it is closed.
#pragma once
#include "CExtButton.h"
#include "CExtResPS.h"
#include "CExtWA.h"
#include "CExtWS.h"

class CExtResizablePropertySheet : public CExtWA<CExtWS<CExtResPS>> {
    DECLARE_DYNCREATE(CExtResizablePropertySheet)
public:
    // The library button that re-skins one push button of the sheet window. Made on the heap
    // for each button and attached by subclassing; it deletes itself after its window is gone.
    class CButtonInSheetHook : public CExtButton {
    public:
        CButtonInSheetHook();
        ~CButtonInSheetHook() override;

    protected:
        void PostNcDestroy() override;
        // Answers the dialog manager as the push button it replaces: default or not, by its
        // remembered type. An owner-drawn button answers as a plain button, and the dialog
        // manager then never tells it that the default moved (the look stayed on the button
        // that was default when the sheet was set up).
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    };

    CExtResizablePropertySheet();
    explicit CExtResizablePropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CExtResizablePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CExtResizablePropertySheet() override;

    // Anchors the page (NULL, or a page without a window: the active one) over the rectangle of
    // a page already anchored, unless it is anchored itself; then arranges the layout.
    void SyncActivePageLayout(CPropertyPage* pPage = NULL);
    // Whether the deferred set-up of the layout has run (and the window not gone since).
    bool IsLayoutSetUp() const { return (m_nSheetFlags & SHEET_LAYOUT_SET_UP) != 0; }

    // Ctrl+Tab and Ctrl+Shift+Tab switch pages, Tab and Shift+Tab move the focus; all four are
    // consumed, also on the last or first page.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    enum : BYTE {
        SHEET_LAYOUT_SET_UP = 0x01,
    };
    // The message the sheet posts itself on creation to lay itself out once the system has made
    // its children.
    enum : UINT { WM_SHEET_SET_UP = WM_USER + 10 };

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The last step of the set-up: the placement of a top-level sheet restored, a child sheet's
    // hook called, the frame refreshed and the layout arranged.
    virtual void InitLayout();
    // Called for a sheet embedded as a child window after its layout changed.
    virtual void OnLayoutHook() {}

    // The deferred set-up (anchors, re-skinned buttons, limits, first layout).
    void SetUpLayout();
    static void DrawTabClassic(HWND hWndTab);
    // After Back or Next: the new page takes the rectangle of the page it replaced.
    void KeepPageRectangle();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    // A child sheet: the tab control fills the new size and the layout follows.
    void FitChildSheet(int cx, int cy);
    // Whether Ctrl+Tab (ID_WIZNEXT) or Ctrl+Shift+Tab (ID_WIZBACK) may take that step: not when
    // the sheet shows that button disabled or hidden.
    bool IsStepAllowed(UINT nID) const;

    BYTE m_nSheetFlags;
    HWND m_hWndPageBeforeMove;   // the active page when Back or Next was asked for

    DECLARE_MESSAGE_MAP()
};
