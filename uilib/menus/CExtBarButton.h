// One item of a tool bar: a command button, a separator (command 0), a drop-down button with a
// menu, or a host for a child control placed on the bar. The button keeps only command ids and
// its style and layout bits; texts, icons, tips and states come from the bar's command profile.
// It measures and paints itself through the current painter, opens its drop-down as a library
// popup menu, delivers its command to the bar's owner and answers tool-tip and help hit tests.
// The bar (CExtToolControlBar) creates, lays out, routes the mouse to and deletes its buttons.
#pragma once
#include <afxwin.h>
#include "ExtBarButtonPaintQuery.h"
#include "CExtMouseCaptureSink.h"

#ifndef TBBS_SEPARATOR
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002
#define TBBS_CHECKED 0x00010000
#define TBBS_PRESSED 0x00020000
#define TBBS_DISABLED 0x00040000
#define TBBS_HIDDEN 0x00080000
#define TBBS_INDETERMINATE 0x00100000
#endif

class CExtToolControlBar;
class CExtPopupMenuWnd;
class CExtCmdIcon;
class CExtCmdItem;

class CExtBarButton : public CObject, public IExtBarButtonPaintQuery {
    DECLARE_DYNCREATE(CExtBarButton)
public:
    explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, DWORD dwStyle = 0);
    ~CExtBarButton() override;

    // ---- layout bits (m_nLayoutFlags) and behaviour bits (m_nBehaviourFlags) ----
    enum : BYTE {
        layWrap0 = 0x01, layWrap1 = 0x02, layWrap2 = 0x04, layVisible = 0x08, layHover = 0x10,
        layCtrlAutoDestroyed = 0x20, layVertDocked = 0x40, layMenuContainer = 0x80,
    };
    enum : BYTE {
        behOwnsMenu = 0x01, behAppendDocuments = 0x02, behSeparatedDropDown = 0x04, behAutoChangeCommand = 0x08,
        behDropDownPressed = 0x10, behAlwaysHorizontal = 0x20, behCtrlVisibleVert = 0x40, behTrackingPressed = 0x80,
    };
    // Widths of a separator and of a drop-down arrow part along the bar.
    enum { kSeparatorExtent = 6, kDropDownExtent = 11 };

    CExtToolControlBar* GetBar() const { return m_pBar; }

    virtual void SyncCtrlState();
    virtual bool IsLargeIcons() const;
    virtual bool IsShowTips() const;
    virtual bool IsShowTipShortcuts() const;
    virtual UINT GetCommandId(bool bEffective = false) const { return bEffective ? m_nEffectiveCmdID : m_nCmdID; }
    virtual void SetCommandId(UINT nCmdID, bool bEffectiveOnly = false, bool bRelayout = false);
    virtual bool IsSeparatedDropDown() const { return (m_nBehaviourFlags & behSeparatedDropDown) != 0; }
    virtual void SetSeparatedDropDown(bool bOn = true) { SetBehaviourFlag(behSeparatedDropDown, bOn, false); }
    virtual bool IsAutoChangeCommand() const { return (m_nBehaviourFlags & behAutoChangeCommand) != 0; }
    virtual void SetAutoChangeCommand(bool bOn = true) { SetBehaviourFlag(behAutoChangeCommand, bOn, false); }
    virtual bool IsAlwaysHorizontal() const { return (m_nBehaviourFlags & behAlwaysHorizontal) != 0; }
    virtual void SetAlwaysHorizontal(bool bOn = true) { SetBehaviourFlag(behAlwaysHorizontal, bOn, false); }
    virtual bool IsCtrlVisibleVert() const { return (m_nBehaviourFlags & behCtrlVisibleVert) != 0; }
    virtual void SetCtrlVisibleVert(bool bOn = true) { SetBehaviourFlag(behCtrlVisibleVert, bOn, true); }
    virtual CWnd* GetCtrl() const { return m_pCtrl; }
    virtual void SetCtrl(CWnd* pCtrl, bool bAutoDestroyed = false);
    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual void SetStyle(DWORD dwStyle);
    virtual void ModifyStyle(DWORD dwAdd, DWORD dwRemove = 0);
    virtual void MarkTrackingPressed() { m_nBehaviourFlags |= behTrackingPressed; }
    virtual void ClearTrackingPressed() { m_nBehaviourFlags &= (BYTE)~behTrackingPressed; }
    virtual bool IsTrackingPressed() const { return (m_nBehaviourFlags & behTrackingPressed) != 0; }
    virtual void SetVertDocked(bool bOn) { SetLayoutFlag(layVertDocked, bOn); }
    virtual bool IsLineBreak(int nWrapIndex) const { return (m_nLayoutFlags & WrapBit(nWrapIndex)) != 0; }
    virtual void SetLineBreak(int nWrapIndex, bool bOn) { SetLayoutFlag(WrapBit(nWrapIndex), bOn); }
    virtual bool IsSeparator() const { return (GetStyle() & TBBS_SEPARATOR) != 0; }
    virtual bool IsDisabled() const { return (GetStyle() & TBBS_DISABLED) != 0; }
    virtual bool IsIndeterminate() const { return (GetStyle() & TBBS_INDETERMINATE) != 0; }
    virtual bool IsPressed() const { return (GetStyle() & (TBBS_CHECKED | TBBS_PRESSED)) != 0; }
    virtual void Show(bool bShow = true) { SetLayoutFlag(layVisible, bShow); SyncCtrlState(); }
    virtual bool IsVisible() const { return (m_nLayoutFlags & layVisible) != 0; }
    virtual void SetHover(bool bHover = true) { SetLayoutFlag(layHover, bHover); SyncCtrlState(); }
    virtual bool IsHover() const { return (m_nLayoutFlags & layHover) != 0; }
    // The tool-bar text of the command, cut before its first tab; empty for a separator.
    virtual CString GetText() const;
    virtual void SetRect(const RECT& rc);
    virtual CRect GetRect() const { return m_rc; }
    virtual CRect GetDropDownRect() const;
    virtual CSize GetSize() const { return m_size; }
    virtual void SetMenu(HMENU hMenu, bool bContainer, bool bOwns);
    virtual HMENU GetMenu() const { return m_hMenu; }
    virtual void SetAppendDocumentList(bool bOn = true) { SetBehaviourFlag(behAppendDocuments, bOn, false); }
    virtual bool IsAppendDocumentList() const { return (m_nBehaviourFlags & behAppendDocuments) != 0; }
    virtual bool HasDropDownMenu(bool bUnused = false) const;
    virtual bool IsMenuContainer() const { return (m_nLayoutFlags & layMenuContainer) != 0; }
    virtual CSize MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz);
    virtual bool AppendToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual CExtCmdIcon* GetCommandIcon() const;
    virtual CWnd* GetCommandTarget() const;
    virtual void Paint(CDC* pDC, bool bHorz);
    virtual UINT TrackDropDownMenu(CPoint point, bool bSelectAny);
    virtual void HandleHover(CPoint point, bool bOn);
    virtual void HandleClick(CPoint point, bool bDown);
    virtual void DeliverCommand();
    virtual INT_PTR FillToolTipInfo(CPoint point, TOOLINFOA* pTI);
    virtual int GetHelpHitId(CPoint point);
    virtual void UpdateCommandUI(CWnd* pTarget, BOOL bDisableIfNoHandler, int nIndex);
    virtual bool IsCommandButton() const;
    virtual void RefreshButton(bool bUpdateNow = false);
    virtual UINT GetPopupAlignment() const;
    virtual bool HandleSetCursor(CPoint point) { (void)point; return false; }

    // The command item of the effective (or own) command in the bar's profile, NULL for none.
    CExtCmdItem* GetCmdItem(bool bEffective = true) const;
    // The text as it is measured and shown: "&&" is one "&", a lone "&" (an access mark) goes.
    static CString StripAccessMarks(const CString& sText);
    // A zero-filled heap copy of sText for a tool tip (the framework frees it with free);
    // LPSTR_TEXTCALLBACK when it cannot be made.
    static LPSTR CopyTipText(const CString& sText);

    // ---- IExtBarButtonPaintQuery ----
    ButtonKind QueryButtonKind() const override { return kindButton; }
    CWnd* QueryButtonBar() const override;
    CRect QueryButtonRect() const override { return GetRect(); }
    bool QuerySeparatedDropDown() const override { return IsSeparatedDropDown(); }

protected:
    static BYTE WrapBit(int nWrapIndex) { return nWrapIndex == 0 ? layWrap0 : nWrapIndex == 1 ? layWrap1 : layWrap2; }
    void SetLayoutFlag(BYTE nBit, bool bOn) { m_nLayoutFlags = (BYTE)(bOn ? (m_nLayoutFlags | nBit) : (m_nLayoutFlags & ~nBit)); }
    void SetBehaviourFlag(BYTE nBit, bool bOn, bool bAlwaysSync);
    // The popup-menu flags of a drop-down opened from this button.
    UINT DropDownTrackFlags(bool bSelectAny) const;
    // Ends a drop-down whose popup could not be tracked: the caller still owns it.
    void DropDownFailed(CExtPopupMenuWnd* pPopup);
    // Opens a built popup beside the button (point: where the bar was pressed, in its client
    // coordinates) as the bar's tracked drop-down; runs the popup's modal loop when the flags ask
    // for one. False when the popup was refused: it is deleted and the bars' tracking ended.
    bool TrackDroppedPopup(CExtPopupMenuWnd* pPopup, CPoint point, int nIndex, UINT nFlags, UINT* pResult = NULL);
    // Whether the control window shows in the current orientation.
    bool IsCtrlShown() const;

    CExtToolControlBar* m_pBar;
    UINT m_nCmdID;
    UINT m_nEffectiveCmdID;
    DWORD m_dwStyle;
    CSize m_size;
    CRect m_rc;
    BYTE m_nLayoutFlags;
    BYTE m_nBehaviourFlags;
    CWnd* m_pCtrl;
    HMENU m_hMenu;

    friend class CExtToolControlBar;
};
