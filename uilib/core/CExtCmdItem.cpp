#include "CExtCmdItem.h"
#include "CExtCmdItemUI.h"
#include "CExtCmdIcon.h"
#include "CExtCmdProfile.h"
#include "CExtResourceManager.h"

bool CExtCmdItem::g_bDisableCmdIfNoHandler = true;

CExtCmdItem::CExtCmdItem(UINT nCmdID) : m_nCmdID(nCmdID) {}

CExtCmdItem::CExtCmdItem(const CExtCmdItem& other) : m_nCmdID((UINT)-1)
{
    AssignFrom(other);
}

bool CExtCmdItem::IsSystemCommand(UINT nCmdID)
{
    return (nCmdID >= 0xFF00 && nCmdID <= 0xFF09) || (nCmdID >= 0xE110 && nCmdID <= 0xE11F) ||
           IsWindowSystemCommand(nCmdID) || (nCmdID >= 0xE210 && nCmdID <= 0xE21F);
}

void CExtCmdItem::AssignFrom(const CExtCmdItem& other)
{
    if (&other == this)
        return;
    m_pProfile = other.m_pProfile;
    m_nCmdID = other.m_nCmdID;
    m_dwStateFlags = other.m_dwStateFlags;
    m_nIconIdx = other.m_nIconIdx;
    m_sMenuText = other.m_sMenuText;
    m_sToolbarText = other.m_sToolbarText;
    m_sTipTool = other.m_sTipTool;
    m_sTipStatus = other.m_sTipStatus;
    m_sAccelText = other.m_sAccelText;
    m_nLParam = other.m_nLParam;
    m_nUsageTickCount = other.m_nUsageTickCount;
}

void CExtCmdItem::AssignNonEmpty(const CExtCmdItem& other)
{
    if (other.m_nIconIdx >= 0)
        m_nIconIdx = other.m_nIconIdx;
    if (!other.m_sMenuText.IsEmpty())
        m_sMenuText = other.m_sMenuText;
    if (!other.m_sToolbarText.IsEmpty())
        m_sToolbarText = other.m_sToolbarText;
    if (!other.m_sTipTool.IsEmpty())
        m_sTipTool = other.m_sTipTool;
    if (!other.m_sTipStatus.IsEmpty())
        m_sTipStatus = other.m_sTipStatus;
    if (!other.m_sAccelText.IsEmpty())
        m_sAccelText = other.m_sAccelText;
}

void CExtCmdItem::NormalizeUsage()
{
    if (m_pProfile != NULL)
        m_pProfile->NormalizeUsage();
}

void CExtCmdItem::ClearTips()
{
    m_sTipTool.Empty();
    m_sTipStatus.Empty();
}

bool CExtCmdItem::UpdateTextsFromResource()
{
    ClearTips();
    if ((int)m_nCmdID < 1)
        return false;
    CString text;
    if (!g_ResourceManager->LoadStringDefault(text, m_nCmdID))
        return false;
    text.Replace('\t', ' ');
    text.Remove('\r');
    text.Trim();
    if (text.IsEmpty())
        return false;
    const int nLF = text.ReverseFind('\n');
    if (nLF >= 0) {
        m_sTipTool = text.Mid(nLF + 1);
        m_sTipTool.Trim();
        m_sTipStatus = text.Left(nLF);
        m_sTipStatus.Trim();
    } else {
        m_sTipStatus = text;
    }
    return true;
}

void CExtCmdItem::FillMissingFrom(const CExtCmdItem& other)
{
    if (m_nIconIdx < 0)
        m_nIconIdx = other.m_nIconIdx;
    if (m_sMenuText.IsEmpty())
        m_sMenuText = other.m_sMenuText;
    if (m_sTipTool.IsEmpty())
        m_sTipTool = other.m_sTipTool;
    if (m_sTipStatus.IsEmpty())
        m_sTipStatus = other.m_sTipStatus;
    if (m_sAccelText.IsEmpty())
        m_sAccelText = other.m_sAccelText;
}

void CExtCmdItem::SetAlwaysVisible(bool bOn) { SetFlag(STATE_ALWAYS_VISIBLE, bOn); }

bool CExtCmdItem::IsAlwaysVisible() const
{
    return IsSystemCommand(m_nCmdID) || (m_dwStateFlags & STATE_ALWAYS_VISIBLE) != 0;
}

bool CExtCmdItem::IsRarelyUsed() const
{
    if (IsAlwaysVisible())
        return false;
    return GetUsagePercent() < GetRarelyUsedPercent();
}

void CExtCmdItem::SetUsageFrozen(bool bOn) { SetFlag(STATE_USAGE_FROZEN, bOn); }

bool CExtCmdItem::IsUsageFrozen() const
{
    return !IsSystemCommand(m_nCmdID) && (m_dwStateFlags & STATE_USAGE_FROZEN) != 0;
}

void CExtCmdItem::Enable(bool bOn) { SetFlag(STATE_DISABLED, !bOn); }
bool CExtCmdItem::IsEnabled() const { return (m_dwStateFlags & STATE_DISABLED) == 0; }

void CExtCmdItem::SetCheck(bool bOn)
{
    SetFlag(STATE_CHECK | STATE_RADIO | STATE_INDETERMINATE, false);
    SetFlag(STATE_CHECK, bOn);
}
bool CExtCmdItem::IsChecked() const { return (m_dwStateFlags & STATE_CHECK) != 0; }

void CExtCmdItem::SetRadio(bool bOn)
{
    SetFlag(STATE_CHECK | STATE_RADIO | STATE_INDETERMINATE, false);
    SetFlag(STATE_RADIO, bOn);
}
bool CExtCmdItem::IsRadio() const { return (m_dwStateFlags & STATE_RADIO) != 0; }

void CExtCmdItem::SetIndeterminate(bool bOn)
{
    SetFlag(STATE_CHECK | STATE_RADIO | STATE_INDETERMINATE, false);
    SetFlag(STATE_INDETERMINATE, bOn);
}
bool CExtCmdItem::IsIndeterminate() const { return (m_dwStateFlags & STATE_INDETERMINATE) != 0; }

bool CExtCmdItem::UpdateFromCmdTarget(CCmdTarget* pTarget, UINT nIndex)
{
    CExtCmdItemUI cmdUI(this);
    if (IsWindowSystemCommand(m_nCmdID) || (m_nCmdID >= 0xFF00 && m_nCmdID <= 0xFF09)) {
        Enable(true);
        return true;
    }
    cmdUI.m_nIndex = nIndex;
    return cmdUI.DoUpdate(pTarget, g_bDisableCmdIfNoHandler ? TRUE : FALSE) != FALSE;
}

bool CExtCmdItem::DeliverToOwner(CWnd* pWnd, bool bSend)
{
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    HWND hTarget = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    if (hTarget == NULL)
        hTarget = ::GetParent(pWnd->GetSafeHwnd());
    return Deliver(hTarget, bSend);
}

bool CExtCmdItem::DeliverTo(CWnd* pWnd, bool bSend)
{
    return Deliver(pWnd != NULL ? pWnd->GetSafeHwnd() : NULL, bSend);
}

bool CExtCmdItem::Deliver(HWND hWnd, bool bSend)
{
    if (hWnd == NULL)
        return false;
    IncrementUsageCount();
    UINT nMsg = WM_COMMAND;
    WPARAM wParam = m_nCmdID;
    LPARAM lParam = 0;
    if (IsWindowSystemCommand(m_nCmdID)) {
        POINT pt = {0, 0};
        ::GetCursorPos(&pt);
        nMsg = WM_SYSCOMMAND;
        lParam = MAKELPARAM((WORD)(SHORT)pt.x, (WORD)(SHORT)pt.y);
    }
    if (bSend)
        return ::SendMessageA(hWnd, nMsg, wParam, lParam) != 0;
    return ::PostMessageA(hWnd, nMsg, wParam, lParam) != FALSE;
}

UINT CExtCmdItem::GetUsageCount() const { return m_nUsageTickCount; }

UINT CExtCmdItem::GetUsagePercent() const
{
    const UINT nTotal = GetProfileUsageTotal();
    if (nTotal == 0)
        return 0;
    // counts come from stored archives and may be large: count * 100 needs more than 32 bits
    return (UINT)(((ULONGLONG)m_nUsageTickCount * 100) / nTotal);
}

void CExtCmdItem::IncrementUsageCount()
{
    if (IsAlwaysVisible() || IsUsageFrozen())
        return;
    ++m_nUsageTickCount;
    if (m_pProfile != NULL)
        ++m_pProfile->m_nTotalTickCount;
    NormalizeUsage();
}

void CExtCmdItem::ResetUsageCount()
{
    if (IsAlwaysVisible())
        return;
    if (!IsUsageFrozen())
        m_nUsageTickCount = 0;
}

UINT CExtCmdItem::GetProfileUsageTotal() const { return m_pProfile != NULL ? m_pProfile->m_nTotalTickCount : 0; }

UINT CExtCmdItem::GetRarelyUsedPercent() const
{
    return m_pProfile != NULL ? m_pProfile->m_nRarelyUsedPercent : 10;
}

void CExtCmdItem::SetRarelyUsedPercent(UINT nPercent)
{
    if (m_pProfile != NULL)
        m_pProfile->m_nRarelyUsedPercent = nPercent > 100 ? 100 : nPercent;
}

void CExtCmdItem::OnSysColorChange()
{
    CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->ApplyThemeTint();
}

void CExtCmdItem::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnSettingChange(uFlags, lpszSection);
}

void CExtCmdItem::OnDisplayChange(int nDepthBPP, int cx, int cy)
{
    CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnDisplayChange(nDepthBPP, cx, cy);
}

void CExtCmdItem::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    CExtCmdIcon* pIcon = m_pProfile != NULL ? m_pProfile->GetCommandIcon(m_nCmdID) : NULL;
    if (pIcon != NULL)
        pIcon->OnThemeChanged(wParam, lParam);
}

CString CExtCmdItem::GetText() const
{
    if (!m_sMenuText.IsEmpty())
        return m_sMenuText;
    if (!m_sTipTool.IsEmpty())
        return m_sTipTool;
    return m_sToolbarText;
}

bool CExtCmdItem::IsUsageStored() const
{
    if (IsAlwaysVisible() || IsUsageFrozen() || GetStateBit6() || IsWindowSystemCommand(m_nCmdID))
        return false;
    return m_nUsageTickCount != 0;
}
