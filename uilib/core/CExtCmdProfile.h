// One named set of command items and the command icons that belong to them. Filled from menus
// and toolbar resources; keeps usage statistics, which it stores in an archive record and, through
// the registry archive, in the registry.
#pragma once
#include <afxwin.h>

class CExtCmdItem;
class CExtCmdIcon;

class CExtCmdProfile {
public:
    explicit CExtCmdProfile(LPCTSTR lpszName = NULL);
    CExtCmdProfile(const CExtCmdProfile&) = delete;
    CExtCmdProfile& operator=(const CExtCmdProfile&) = delete;
    virtual ~CExtCmdProfile();

    virtual bool SetCommand(const CExtCmdItem* pCmd, bool bReplace = false, bool* pbWasAddedNew = NULL);
    virtual bool RemoveCommand(UINT nCmdID, bool* pbWasRemoved = NULL);
    virtual void Clear();
    virtual void RemoveCommandsByFlags(DWORD dwMask, bool bExact = false);
    virtual CExtCmdItem* AllocCommand(UINT nCmdID = 0);
    virtual CExtCmdItem* GetCommand(UINT nCmdID);
    virtual bool SetCommandIcon(UINT nCmdID, CExtCmdIcon* pIcon, bool bTakeOwnership);
    virtual CExtCmdIcon* GetCommandIcon(UINT nCmdID);
    virtual bool IsCommand(UINT nCmdID);
    virtual bool UpdateFromMenuResource(UINT nMenuResourceID, bool bReplace = false, bool bLoadTexts = true);
    virtual bool UpdateFromMenu(HMENU hMenu, bool bReplace = false, bool bRecurse = true, bool bLoadTexts = true);
    // The caller frees *ppIDs with delete[].
    virtual bool UpdateFromToolBarResource(UINT nToolBarResourceID, UINT** ppIDs = NULL, INT* pnCount = NULL,
                                           bool bReplace = false, bool bLoadTexts = true,
                                           COLORREF clrTransparent = RGB(192, 192, 192));
    // Commands, tool-bar texts and icons from a live window of the system's tool-bar control:
    // false without its window or image list; an item that has an icon keeps it.
    virtual bool UpdateFromToolBar(CWnd& wndToolBar, bool bReplace = false, bool bLoadTexts = true);
    // Commands listed up to a 0 get SetAlwaysVisible(bOn); false when one is a window system
    // command or unknown (those are skipped).
    virtual bool SetCommandsAlwaysVisible(const UINT* pIDs, bool bOn = true);
    virtual bool Serialize(CArchive& ar);
    virtual bool SerializeToRegistry(LPCTSTR lpszCompany, LPCTSTR lpszApplication, bool bSave);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual void ResetUsageStatistics();
    virtual void AssignFrom(const CExtCmdProfile& other);
    virtual CExtCmdItem* CreateItemCopy(const CExtCmdItem* pCmd);

    // Halves the usage total and every count once the total reaches 0xFFFFFFFE.
    void NormalizeUsage();
    INT_PTR GetIconCount() const { return m_icons.GetSize(); }
    CExtCmdIcon* GetIconAt(INT_PTR nIndex) const { return m_icons[nIndex]; }
    INT_PTR GetCommandCount() const { return m_cmds.GetCount(); }
    // Every command, in the map's walk order.
    void GetCommandIDs(CArray<UINT, UINT>& ids) const;

    static bool IsValidID(UINT nCmdID) { return nCmdID >= 1 && nCmdID <= 0x7FFFFFFF; }

    CString m_sName;
    UINT m_nRarelyUsedPercent = 10;
    UINT m_nTotalTickCount = 0;
    DWORD m_dwUserData = 0;

private:
    void DeleteAllIcons();
    void DeleteAllItems();
    // removes icon nIndex and lowers every index above it
    void RemoveIconAt(int nIndex);

    CMap<UINT, UINT, CExtCmdItem*, CExtCmdItem*> m_cmds;
    CArray<CExtCmdIcon*, CExtCmdIcon*> m_icons;
};
