// One command of a command profile: identifier, texts for menus, toolbar buttons, tool tips, the
// status bar and the accelerator column, the index of its icon in the profile's icon array,
// state flags and a usage count from which menus decide which commands are rarely used.
#pragma once
#include <afxwin.h>

class CExtCmdProfile;
class CCmdTarget;

class CExtCmdItem {
public:
    enum e_state_t : DWORD {
        STATE_DISABLED = 0x00000001,
        STATE_CHECK = 0x00000002,
        STATE_RADIO = 0x00000004,
        STATE_INDETERMINATE = 0x00000008,
        STATE_ALWAYS_VISIBLE = 0x00000010,
        STATE_USAGE_FROZEN = 0x00000020,
        STATE_BIT6 = 0x00000040,
        STATE_BIT7 = 0x00000080,
        STATE_BIT8 = 0x00000100,
        STATE_BIT9 = 0x00000200,
        STATE_BIT14 = 0x00004000,
        STATE_BIT15 = 0x00008000,
        STATE_BIT16 = 0x00010000,
        STATE_BIT17 = 0x00020000,
        STATE_BIT18 = 0x00040000,
        STATE_BIT19 = 0x00080000,
        STATE_BIT20 = 0x00100000,
        STATE_BIT21 = 0x00200000,
    };

    explicit CExtCmdItem(UINT nCmdID = (UINT)-1);
    CExtCmdItem(const CExtCmdItem& other);
    CExtCmdItem& operator=(const CExtCmdItem& other)
    {
        AssignFrom(other);
        return *this;
    }

    virtual void AssignFrom(const CExtCmdItem& other);
    virtual void AssignNonEmpty(const CExtCmdItem& other);
    virtual void NormalizeUsage();
    virtual ~CExtCmdItem() = default;
    virtual void ClearTips();
    virtual bool UpdateTextsFromResource();
    virtual void FillMissingFrom(const CExtCmdItem& other);
    virtual void SetAlwaysVisible(bool bOn = true);
    virtual bool IsAlwaysVisible() const;
    virtual bool IsRarelyUsed() const;
    virtual void SetUsageFrozen(bool bOn = true);
    virtual bool IsUsageFrozen() const;
    virtual void Enable(bool bOn = true);
    virtual bool IsEnabled() const;
    virtual void SetCheck(bool bOn = true);
    virtual bool IsChecked() const;
    virtual void SetRadio(bool bOn = true);
    virtual bool IsRadio() const;
    virtual void SetIndeterminate(bool bOn = true);
    virtual bool IsIndeterminate() const;
#define ORV_EXT_STATE_BIT(n)                                                                                  \
    virtual void SetStateBit##n(bool bOn = true) { SetFlag(STATE_BIT##n, bOn); }                             \
    virtual bool GetStateBit##n() const { return (m_dwStateFlags & STATE_BIT##n) != 0; }
    ORV_EXT_STATE_BIT(6)
    ORV_EXT_STATE_BIT(7)
    ORV_EXT_STATE_BIT(8)
    ORV_EXT_STATE_BIT(9)
    ORV_EXT_STATE_BIT(14)
    ORV_EXT_STATE_BIT(15)
    ORV_EXT_STATE_BIT(16)
    ORV_EXT_STATE_BIT(17)
    ORV_EXT_STATE_BIT(18)
    ORV_EXT_STATE_BIT(19)
    ORV_EXT_STATE_BIT(20)
    ORV_EXT_STATE_BIT(21)
#undef ORV_EXT_STATE_BIT
    // Runs the target's update handler for the command (system commands are just enabled);
    // answers whether a handler ran.
    virtual bool UpdateFromCmdTarget(CCmdTarget* pTarget, UINT nIndex = 0);
    virtual bool DeliverToOwner(CWnd* pWnd, bool bSend = false);
    virtual bool DeliverTo(CWnd* pWnd, bool bSend = false);
    // WM_SYSCOMMAND with the cursor position for window system commands, else WM_COMMAND; sent
    // or posted. Counts one use first.
    virtual bool Deliver(HWND hWnd, bool bSend = false);
    virtual UINT GetUsageCount() const;
    virtual UINT GetUsagePercent() const;
    virtual void IncrementUsageCount();
    virtual void ResetUsageCount();
    virtual UINT GetProfileUsageTotal() const;
    virtual UINT GetRarelyUsedPercent() const;
    virtual void SetRarelyUsedPercent(UINT nPercent);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, int cx, int cy);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual CString GetDisplayText() const { return GetText(); }
    virtual CString GetText() const;
    virtual CString GetStatusTipText() const { return m_sTipStatus; }
    virtual bool IsUsageStored() const;

    // Window list, recent files, window system commands and object verbs.
    static bool IsSystemCommand(UINT nCmdID);
    static bool IsWindowSystemCommand(UINT nCmdID) { return nCmdID >= 0xF000 && nCmdID <= 0xF1EF; }
    // Whether commands without an update handler are disabled by UpdateFromCmdTarget.
    static bool g_bDisableCmdIfNoHandler;

    CExtCmdProfile* m_pProfile = NULL;
    UINT m_nCmdID;
    int m_nIconIdx = -1;
    DWORD m_dwStateFlags = 0;
    CString m_sMenuText, m_sToolbarText, m_sTipTool, m_sTipStatus, m_sAccelText;
    DWORD m_nLParam = 0;  // the caller's own value, copied with the item
    UINT m_nUsageTickCount = 0;

private:
    void SetFlag(DWORD dwFlag, bool bOn)
    {
        if (bOn)
            m_dwStateFlags |= dwFlag;
        else
            m_dwStateFlags &= ~dwFlag;
    }
};
