// One item of a popup menu: its record, its texts and access character, where its icon and
// command come from, and its size.
#include "CExtPopupMenuWnd.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"

typedef CExtPopupMenuWnd::MENUITEMDATA MENUITEMDATA;

MENUITEMDATA::MENUITEMDATA()
    : m_pWndChild(NULL), m_nItemIndex(-100), m_nCmdID(0), m_nWidth(0), m_nHeight(0), m_nIconAreaWidth(0),
      m_nStateFlags(0), m_nKindFlags(KIND_ENABLED), m_pCbCmdDeliver(NULL), m_pCbInplace(NULL), m_cAccessChar(0),
      m_hWndCmdTarget(NULL), m_pInplaceEditWnd(NULL), m_pInplaceEditStr(NULL), m_pCbInplaceEditValidate(NULL),
      m_pCbInplaceEditCommit(NULL), m_pCbInplaceEditFilter(NULL), m_lInplaceEditCookie(0), m_nInplaceEditWidth(0),
      m_nEditFlags(EDIT_ENABLED)
{
}

MENUITEMDATA::MENUITEMDATA(const MENUITEMDATA& other) : MENUITEMDATA() { *this = other; }

MENUITEMDATA& MENUITEMDATA::operator=(const MENUITEMDATA& other)
{
    if (this == &other)
        return *this;
    m_pWndChild = other.m_pWndChild;
    m_nItemIndex = other.m_nItemIndex;
    m_nCmdID = other.m_nCmdID;
    m_sItemText = other.m_sItemText;
    m_sAccelText = other.m_sAccelText;
    m_iconPopup = other.m_iconPopup;
    m_nWidth = other.m_nWidth;
    m_nHeight = other.m_nHeight;
    m_nIconAreaWidth = other.m_nIconAreaWidth;
    m_nStateFlags = other.m_nStateFlags;
    m_nKindFlags = other.m_nKindFlags;
    m_pCbCmdDeliver = other.m_pCbCmdDeliver;
    m_pCbInplace = other.m_pCbInplace;
    m_cAccessChar = other.m_cAccessChar;
    m_hWndCmdTarget = other.m_hWndCmdTarget;
    m_pInplaceEditWnd = other.m_pInplaceEditWnd;
    m_pInplaceEditStr = other.m_pInplaceEditStr;
    m_pCbInplaceEditValidate = other.m_pCbInplaceEditValidate;
    m_pCbInplaceEditCommit = other.m_pCbInplaceEditCommit;
    m_pCbInplaceEditFilter = other.m_pCbInplaceEditFilter;
    m_lInplaceEditCookie = other.m_lInplaceEditCookie;
    m_nInplaceEditWidth = other.m_nInplaceEditWidth;
    m_nEditFlags = other.m_nEditFlags;
    m_sInplaceEditText = other.m_sInplaceEditText;
    return *this;
}

// The child popup belongs to the menu holding the item (records are copied in and out of the
// item array), so a record never deletes it.
MENUITEMDATA::~MENUITEMDATA() = default;

UINT MENUITEMDATA::GetCmdDeliverID() const
{
    if (IsSeparator() || IsPopup() || IsInplaceEdit())
        return (UINT)-1;
    return m_nCmdID;
}

bool MENUITEMDATA::IsExecutable() const
{
    return m_nCmdID != 0 && m_nCmdID != 0xFFFFFFFF && !IsInplaceEdit();
}

void MENUITEMDATA::SetText(LPCTSTR lpszText)
{
    if (IsSeparator())
        return;
    m_sItemText = lpszText != NULL ? lpszText : "";
}

void MENUITEMDATA::SetTextWithAccel(LPCTSTR lpszText)
{
    SetText(lpszText);
    const int nTab = m_sItemText.Find('\t');
    if (nTab >= 0) {
        m_sAccelText = m_sItemText.Mid(nTab + 1);
        m_sItemText = m_sItemText.Left(nTab);
    }
}

void MENUITEMDATA::UpdateAccessChar()
{
    m_cAccessChar = 0;
    if (m_sItemText.IsEmpty())
        return;
    const int nAmp = m_sItemText.Find('&');
    TCHAR ch = 0;
    if (nAmp >= 0) {
        if (nAmp + 1 < m_sItemText.GetLength())
            ch = m_sItemText[nAmp + 1];
    } else if (CExtPopupMenuWnd::g_bUseFirstLetterAsAccessChar) {
        ch = m_sItemText[0];
    }
    if (ch != 0)
        ch = (TCHAR)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)(BYTE)ch);
    m_cAccessChar = ch;
}

CExtCmdItem* MENUITEMDATA::GetCmd() const
{
    if (IsSeparator() || IsPopup() || IsCustom())
        return NULL;
    // a window bound to no profile uses the default one, as the command manager does
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdTarget);
    return g_CmdManager->GetCommand(profile, m_nCmdID);
}

CExtCmdIcon* MENUITEMDATA::GetIconPtr()
{
    if (!IsSeparator() && !IsPopup() && !IsCustom() && m_iconPopup.IsEmpty()) {
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWndCmdTarget);
        CExtCmdIcon* pIcon = g_CmdManager->GetCommandIcon(profile, m_nCmdID);
        return pIcon != NULL && !pIcon->IsEmpty() ? pIcon : NULL;
    }
    return m_iconPopup.IsEmpty() ? NULL : &m_iconPopup;
}

bool MENUITEMDATA::UpdateFromCmd(UINT nCmdID, int nIndex)
{
    m_sItemText.Empty();
    m_sAccelText.Empty();
    m_nCmdID = nCmdID;
    CExtCmdItem* pCmd = nCmdID == 0 || (int)nCmdID < 0 ? NULL : GetCmd();
    if (pCmd == NULL) {
        m_nCmdID = 0;
        m_nItemIndex = -100;
        return false;
    }
    if (nIndex >= 0)
        m_nItemIndex = nIndex;
    m_sItemText = pCmd->m_sMenuText;
    m_sAccelText = pCmd->m_sAccelText;
    UpdateAccessChar();
    Measure();
    return true;
}

bool MENUITEMDATA::UpdateFromMenu(HWND hWndCmdTarget, HMENU hMenu, int nPos)
{
    char szText[1024] = "";
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
    mii.dwTypeData = szText;
    mii.cch = sizeof szText - 1;
    if (!::GetMenuItemInfoA(hMenu, nPos, TRUE, &mii))
        return false;
    m_nItemIndex = nPos;
    m_hWndCmdTarget = hWndCmdTarget;
    if ((mii.fType & MFT_SEPARATOR) != 0) {
        m_sItemText.Empty();
        m_sAccelText.Empty();
        m_nCmdID = 0;
        Measure();
        return true;
    }
    if (mii.hSubMenu != NULL) {
        m_pWndChild = new CExtPopupMenuWnd;
        m_pWndChild->m_hWndCmdReceiver = hWndCmdTarget;
        m_nCmdID = 0xFFFFFFFF;
    } else {
        if ((int)mii.wID < 1)
            return false;
        m_nCmdID = mii.wID;
        CExtCmdItem* pCmd = GetCmd();
        if (pCmd == NULL)
            return false;
        if (szText[0] == '\0') {
            CString strText = pCmd->m_sMenuText;
            if (strText.IsEmpty())
                strText = pCmd->m_sToolbarText;
            lstrcpynA(szText, strText, sizeof szText);
        }
    }
    m_sAccelText.Empty();
    SetTextWithAccel(szText);
    UpdateAccessChar();
    Measure();
    return true;
}

void MENUITEMDATA::Measure()
{
    m_nIconAreaWidth = 16;
    if (IsSeparator()) {
        m_nWidth = 0;
        m_nHeight = g_PaintManager->GetMenuSpacing();
        return;
    }
    CString strMeasure = m_sItemText;
    if (!IsInplaceEdit())
        strMeasure += m_sAccelText;
    strMeasure.Remove('&');
    CRect rcText(0, 0, 0, 0);
    HDC hDC = ::GetDC(NULL);
    if (hDC != NULL) {
        HGDIOBJ hOldFont = ::SelectObject(hDC, g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle());
        ::DrawTextA(hDC, strMeasure.IsEmpty() ? " " : (LPCTSTR)strMeasure, -1, &rcText, DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(NULL, hDC);
    }
    if (strMeasure.IsEmpty())
        rcText.right = rcText.left;
    const bool bOwnWidth = (m_nStateFlags & STATE_OWN_WIDTH) != 0;
    int nIconWidth = 0, nIconCandidate = 0;
    CExtCmdIcon* pIcon = bOwnWidth ? NULL : GetIconPtr();
    if (pIcon != NULL) {
        CSize sz = pIcon->GetSize();
        if (CExtPopupMenuWnd::g_bMenuLargeIcons)
            sz = CSize(sz.cx * 2, sz.cy * 2);
        sz.cx = std::max(16, (int)sz.cx);
        sz.cy = std::max(16, (int)sz.cy);
        if (sz.cx < 19 && sz.cy < sz.cx)
            sz.cy = sz.cx;
        nIconWidth = sz.cx;
        nIconCandidate = sz.cy + 4;
    }
    m_nHeight = std::max(22, std::max(rcText.Height() + 4, nIconCandidate));
    if (bOwnWidth)
        m_nHeight -= 2;
    m_nIconAreaWidth = std::max(nIconWidth, m_nHeight);
    if (m_pCbInplace != NULL && !IsSeparator() && !IsPopup())
        m_nIconAreaWidth = m_nIconAreaWidth * 2 + 4;
    m_nWidth = rcText.Width() + 21;
    if (IsInplaceEdit())
        m_nWidth += m_nInplaceEditWidth + 12;
    else if (bOwnWidth)
        m_nWidth += 10;
    else
        m_nWidth += m_nIconAreaWidth + 16;
}
