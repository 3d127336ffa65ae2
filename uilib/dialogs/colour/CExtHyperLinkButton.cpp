// Hyperlink button (see CExtHyperLinkButton.h).
#include "CExtHyperLinkButton.h"
#include <algorithm>
#include <objbase.h>
#include <shellapi.h>
#include <intshcut.h>
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtHyperLinkButton, CExtButton)

namespace {

// The shell's Internet-shortcut object and its URL interface (the headers declare no GUIDs).
const GUID kClsidInternetShortcut = {0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
const GUID kIidUniformResourceLocatorA = {0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};

bool StartsWithNoCase(LPCTSTR lpszText, LPCTSTR lpszPrefix, int nCount)
{
    if (lstrlenA(lpszText) < nCount)
        return false;
    return ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, lpszText, nCount, lpszPrefix, nCount) == CSTR_EQUAL;
}

}  // namespace

CExtHyperLinkButton::CExtHyperLinkButton()
    : m_nLinkFlags(LINK_SHOW_VISITED), m_nTextAlign(DT_LEFT), m_clrVisited(RGB(128, 0, 128)), m_bUnderlineAlways(false)
{
    m_clrTextNormal = RGB(0, 0, 255);
    m_clrTextHover = RGB(255, 0, 0);
    SetBtnCursor(32649);   // IDC_HAND
}

CExtHyperLinkButton::~CExtHyperLinkButton() = default;

CString CExtHyperLinkButton::GetText() const
{
    CString strText;
    if (m_hWnd != NULL)
        GetWindowText(strText);
    return strText;
}

COLORREF CExtHyperLinkButton::GetTextColor(bool bVisited, bool bEnabled, bool, bool bFocused, bool bHover, bool bPushed)
{
    if (!bEnabled)
        return m_clrTextDisabled != (COLORREF)-1 ? m_clrTextDisabled : g_PaintManager->GetColor(16);
    COLORREF clr = m_clrTextNormal;
    if (bHover || bPushed || bFocused)
        clr = m_clrTextHover;
    else if (bVisited)
        clr = m_clrVisited;
    return clr != (COLORREF)-1 ? clr : g_PaintManager->GetColor(18);
}

// ---- clicks ----

void CExtHyperLinkButton::DoClick(bool bSelectFirstItem, bool bOnArrowPart)
{
    if (m_nLinkFlags & LINK_PUSH_BUTTON) {
        HWND hWnd = m_hWnd;
        CExtButton::DoClick(bSelectFirstItem, bOnArrowPart);
        // the parent may have destroyed the link in its handler
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return;
        m_nLinkFlags |= LINK_VISITED;
        InvalidateRect(NULL, TRUE);
        return;
    }
    CString strTarget = m_strURL;
    if (strTarget.IsEmpty()) {
        strTarget = GetText();
        strTarget.Trim();
    }
    Navigate(strTarget, VERB_OPEN, false);
}

bool CExtHyperLinkButton::IsWebAddress(LPCTSTR lpszAddress)
{
    if (lpszAddress == NULL)
        return false;
    return StartsWithNoCase(lpszAddress, "http://", 7) || StartsWithNoCase(lpszAddress, "file://", 7) ||
           StartsWithNoCase(lpszAddress, "www.", 4) || StartsWithNoCase(lpszAddress, "web.", 4);
}

bool CExtHyperLinkButton::Navigate(LPCTSTR lpszAddress, int nVerb, bool bShowErrors)
{
    if (lpszAddress == NULL || *lpszAddress == '\0')
        return false;
    HWND hWnd = m_hWnd;
    bool bOpened;
    if (IsWebAddress(lpszAddress))
        bOpened = OpenViaHtmlHandler(lpszAddress, nVerb, bShowErrors) ||
                  OpenViaInternetShortcut(lpszAddress, nVerb, bShowErrors) ||
                  OpenViaShellExecute(lpszAddress, nVerb, bShowErrors);
    else
        bOpened = OpenViaInternetShortcut(lpszAddress, nVerb, false) || OpenViaShellExecute(lpszAddress, nVerb, false) ||
                  OpenViaHtmlHandler(lpszAddress, nVerb, false);
    if (!bOpened)
        return false;
    m_nLinkFlags |= LINK_VISITED;
    if (hWnd != NULL && ::IsWindow(hWnd))
        InvalidateRect(NULL, TRUE);
    return true;
}

LPCSTR CExtHyperLinkButton::VerbName(int nVerb)
{
    switch (nVerb) {
    case VERB_OPEN:
        return "open";
    case VERB_EDIT:
        return "edit";
    case VERB_PRINT:
        return "print";
    default:
        return NULL;
    }
}

// ---- the three ways ----

bool CExtHyperLinkButton::OpenViaInternetShortcut(LPCTSTR lpszAddress, int nVerb, bool)
{
    IUniformResourceLocatorA* pURL = NULL;
    if (FAILED(::CoCreateInstance(kClsidInternetShortcut, NULL, CLSCTX_INPROC_SERVER, kIidUniformResourceLocatorA,
                                  (void**)&pURL)) ||
        pURL == NULL)
        return false;
    bool bOpened = false;
    if (SUCCEEDED(pURL->SetURL(lpszAddress, IURL_SETURL_FL_GUESS_PROTOCOL))) {
        // the record's real size: 24 bytes on a 64-bit system (the object checks it)
        URLINVOKECOMMANDINFOA info = {};
        info.dwcbSize = sizeof info;
        info.dwFlags = IURL_INVOKECOMMAND_FL_ALLOW_UI;
        info.hwndParent = ::GetDesktopWindow();
        info.pcszVerb = VerbName(nVerb);
        bOpened = SUCCEEDED(pURL->InvokeCommand(&info));
    }
    pURL->Release();
    return bOpened;
}

bool CExtHyperLinkButton::OpenViaShellExecute(LPCTSTR lpszAddress, int nVerb, bool bShowErrors)
{
    const UINT nResult =
        (UINT)(UINT_PTR)::ShellExecuteA(::GetDesktopWindow(), VerbName(nVerb), lpszAddress, NULL, NULL, SW_SHOW);
    if (nResult > 32)
        return true;
    if (bShowErrors)
        ShowOpenError(nResult);
    return false;
}

bool CExtHyperLinkButton::ReadClassesValue(LPCTSTR lpszKey, CString& strValue)
{
    strValue.Empty();
    HKEY hKey = NULL;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, lpszKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return false;
    // room for the longest value, its terminator, and one character more to see a longer one
    char szValue[MAX_REGISTRY_VALUE + 2];
    DWORD dwType = 0, cbValue = MAX_REGISTRY_VALUE + 1;
    const LONG nResult = ::RegQueryValueExA(hKey, NULL, NULL, &dwType, (LPBYTE)szValue, &cbValue);
    ::RegCloseKey(hKey);
    // a value too long for the buffer answers ERROR_MORE_DATA: refused, not cut
    if (nResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ) || cbValue > MAX_REGISTRY_VALUE + 1)
        return false;
    szValue[cbValue] = '\0';   // a stored text need not carry its terminator
    if (lstrlenA(szValue) > MAX_REGISTRY_VALUE)
        return false;
    strValue = szValue;
    return !strValue.IsEmpty();
}

bool CExtHyperLinkButton::BuildHandlerCommandLine(LPCTSTR lpszRegistered, LPCTSTR lpszAddress, CString& strCommandLine)
{
    CString strLine = lpszRegistered;
    int nCut = strLine.Find("\"%1\"");
    if (nCut < 0)
        nCut = strLine.Find("%1");
    if (nCut >= 0)
        strLine = strLine.Left(nCut);
    // One argument whatever the address holds: quoted, a quote inside written as %22 (as in an
    // address), and backslashes before the closing quote doubled so that it still closes.
    CString strAddress = lpszAddress;
    strAddress.Replace("\"", "%22");
    int nTrailing = 0;
    while (nTrailing < strAddress.GetLength() && strAddress[strAddress.GetLength() - 1 - nTrailing] == '\\')
        ++nTrailing;
    strLine += " \"";
    strLine += strAddress;
    for (int i = 0; i < nTrailing; ++i)
        strLine += '\\';
    strLine += '"';
    if (strLine.GetLength() > MAX_COMMAND_LINE)
        return false;
    strCommandLine = strLine;
    return true;
}

bool CExtHyperLinkButton::OpenViaHtmlHandler(LPCTSTR lpszAddress, int nVerb, bool bShowErrors)
{
    static const char* const kCommandKeys[] = {"\\shell\\open\\command", "\\shell\\edit\\command",
                                               "\\shell\\print\\command"};
    if (nVerb < VERB_OPEN || nVerb > VERB_PRINT)
        return false;
    CString strType, strRegistered, strCommandLine;
    if (!ReadClassesValue(".htm", strType))
        return false;
    if (!ReadClassesValue(strType + kCommandKeys[nVerb], strRegistered))
        return false;
    if (!BuildHandlerCommandLine(strRegistered, lpszAddress, strCommandLine))
        return false;
    const UINT nResult = ::WinExec(strCommandLine, SW_SHOW);
    if (nResult > 32)
        return true;
    if (bShowErrors)
        ShowOpenError(nResult);
    return false;
}

CString CExtHyperLinkButton::ErrorText(UINT nCode)
{
    switch (nCode) {
    case 0:
        return "OS is out of memory or resources.";
    case 2:
        return "File was not found.";
    case 3:
        return "Path was not found.";
    case 5:
        return "OS denied access to the file.";
    case 8:
        return "Not enough memory.";
    case 11:
        return "EXE file is invalid (must run on other platform or error in its image).";
    case 26:
        return "A sharing violation occurred.";
    case 27:
        return "The filename association is incomplete or invalid.";
    case 28:
        return "DDE transaction could not be completed due to request timed out.";
    case 29:
        return "DDE transaction failed.";
    case 30:
        return "DDE transaction was not completed due to other DDE transactions.";
    case 31:
        return "There is no application associated with the given filename extension.";
    case 32:
        return "DLL was not found.";
    default: {
        CString strText;
        strText.Format("Unknown Error (%d=0x%X) occurred.", (int)nCode, nCode);
        return strText;
    }
    }
}

void CExtHyperLinkButton::ShowOpenError(UINT nCode) const
{
    CString strMessage;
    strMessage.Format("Unable to open hyper link:\n%s", (LPCTSTR)ErrorText(nCode));
    ::MessageBoxA(m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL, strMessage, NULL, MB_ICONHAND | MB_OK);
}

// ---- painting ----

void CExtHyperLinkButton::PaintButton(CDC& dc, bool)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    bool bBackground = false;
    if (g_PaintManager->NeedsDockerBackground(this)) {
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
        bBackground = g_PaintManager->PaintDockerBackground(dc, this);
    }
    if (!bBackground)
        dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
    const bool bFocused = ::GetFocus() == m_hWnd;
    const bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0;
    const bool bEnabled = IsButtonEnabled();
    const bool bHover = (m_nStateFlags & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsAnyMenuTracked();
    const bool bVisited = (m_nLinkFlags & LINK_VISITED) && (m_nLinkFlags & LINK_SHOW_VISITED);
    PaintText(dc, rcClient, bVisited, bEnabled, (m_nStateFlags & STATE_FOCUS_RECT) != 0, bFocused, bHover, bPushed);
}

void CExtHyperLinkButton::PaintText(CDC& dc, const CRect& rcArea, bool bVisited, bool bEnabled, bool bFocusAllowed,
                                    bool bFocused, bool bHover, bool bPushed)
{
    const CString strText = GetText();
    if (strText.IsEmpty())
        return;
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    HFONT hFont = (HFONT)g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle();
    HFONT hUnderlined = NULL;
    if (bHover || bPushed || bFocused || m_bUnderlineAlways) {
        LOGFONTA lf = {};
        if (hFont != NULL && ::GetObjectA(hFont, sizeof lf, &lf) != 0) {
            lf.lfUnderline = TRUE;
            hUnderlined = ::CreateFontIndirectA(&lf);
        }
    }
    HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), hUnderlined != NULL ? hUnderlined : hFont);
    const COLORREF clrOld = dc.SetTextColor(GetTextColor(bVisited, bEnabled, bFocusAllowed, bFocused, bHover, bPushed));
    CRect rcText = rcArea;
    rcText.DeflateRect(2, 2);
    CRect rcFocus;
    if (bFocusAllowed) {
        CRect rcMeasure = rcText;
        dc.DrawText(strText, -1, &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
        const int cxText = rcMeasure.Width();
        const int cx = std::min(cxText, rcText.Width());
        const int cy = std::min(rcMeasure.Height(), rcText.Height());
        rcFocus.SetRect(rcText.left, rcText.top, rcText.left + cx, rcText.top + cy);
        rcFocus.OffsetRect(0, (rcArea.Height() - cy) / 2);
        const int nSpare = rcArea.Width() - cxText - 4;
        if (m_nTextAlign & DT_RIGHT)
            rcFocus.OffsetRect(nSpare, 0);
        else if (m_nTextAlign & DT_CENTER)
            rcFocus.OffsetRect(nSpare / 2, 0);
        rcFocus.InflateRect(2, 2, 2, 1);
    }
    dc.DrawText(strText, -1, &rcText, m_nTextAlign | DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    dc.SetTextColor(clrOld);
    ::SelectObject(dc.GetSafeHdc(), hOldFont);
    if (hUnderlined != NULL)
        ::DeleteObject(hUnderlined);
    dc.SetBkMode(nOldMode);
    if (bFocusAllowed && bFocused)
        dc.DrawFocusRect(&rcFocus);
}
