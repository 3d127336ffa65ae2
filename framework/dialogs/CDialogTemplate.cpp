#include "CDialogTemplate.h"
#include <cstring>
#include <vector>

namespace {

// The header of DLGTEMPLATEEX (the system headers do not declare it).
#pragma pack(push, 1)
struct DLGTEMPLATEEX_HEAD {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x, y, cx, cy;
};
struct DLGITEMTEMPLATEEX_HEAD {
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
};
#pragma pack(pop)

const BYTE* AlignDword(const BYTE* p, const BYTE* pBase)
{
    return pBase + ((p - pBase + 3) & ~(INT_PTR)3);
}

// Skips a "string or ordinal" field: 0, 0xFFFF + WORD, or a NUL-ended wide string.
const WORD* SkipSzOrOrd(const WORD* p)
{
    if (*p == 0xFFFF)
        return p + 2;
    return p + ::lstrlenW(reinterpret_cast<LPCWSTR>(p)) + 1;
}

const WORD* SkipString(const WORD* p)
{
    return p + ::lstrlenW(reinterpret_cast<LPCWSTR>(p)) + 1;
}

// Where the font block starts (just after the title), whether or not there is one.
const BYTE* FontBlock(const DLGTEMPLATE* pTemplate)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(pTemplate);
    const WORD* pw = CDialogTemplate::IsDialogEx(pTemplate)
                         ? reinterpret_cast<const WORD*>(p + sizeof(DLGTEMPLATEEX_HEAD))
                         : reinterpret_cast<const WORD*>(p + sizeof(DLGTEMPLATE));
    pw = SkipSzOrOrd(pw);   // menu
    pw = SkipSzOrOrd(pw);   // class
    pw = SkipString(pw);    // title
    return reinterpret_cast<const BYTE*>(pw);
}

// Where the first item starts (DWORD-aligned after the header).
const BYTE* FirstItem(const DLGTEMPLATE* pTemplate)
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(pTemplate);
    const BYTE* p = FontBlock(pTemplate);
    if (CDialogTemplate::HasFont(pTemplate)) {
        const WORD* pw = reinterpret_cast<const WORD*>(p);
        pw += CDialogTemplate::IsDialogEx(pTemplate) ? 3 : 1;  // size (+ weight, italic and charset)
        p = reinterpret_cast<const BYTE*>(SkipString(pw));
    }
    return AlignDword(p, pBase);
}

// The byte just after an item (not aligned).
const BYTE* ItemEnd(const BYTE* pItem, BOOL bDialogEx)
{
    const WORD* pw = reinterpret_cast<const WORD*>(
        pItem + (bDialogEx ? sizeof(DLGITEMTEMPLATEEX_HEAD) : sizeof(DLGITEMTEMPLATE)));
    pw = SkipSzOrOrd(pw);  // class
    pw = SkipSzOrOrd(pw);  // title
    WORD cbExtra = *pw++;
    return reinterpret_cast<const BYTE*>(pw) + cbExtra;
}

void AppendWide(std::vector<BYTE>& out, LPCSTR lpsz)
{
    int nChars = ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, NULL, 0);
    std::vector<WCHAR> wide((size_t)(nChars > 0 ? nChars : 1), 0);
    if (nChars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, lpsz, -1, wide.data(), nChars);
    const BYTE* p = reinterpret_cast<const BYTE*>(wide.data());
    out.insert(out.end(), p, p + wide.size() * sizeof(WCHAR));
}

template <class T>
void AppendValue(std::vector<BYTE>& out, T value)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&value);
    out.insert(out.end(), p, p + sizeof value);
}

}  // namespace

// ---- Static readers ------------------------------------------------------------------------------

DWORD CDialogTemplate::GetStyle(const DLGTEMPLATE* pTemplate)
{
    if (IsDialogEx(pTemplate))
        return reinterpret_cast<const DLGTEMPLATEEX_HEAD*>(pTemplate)->style;
    return pTemplate->style;
}

void CDialogTemplate::SetStyle(DLGTEMPLATE* pTemplate, DWORD dwStyle)
{
    if (IsDialogEx(pTemplate))
        reinterpret_cast<DLGTEMPLATEEX_HEAD*>(pTemplate)->style = dwStyle;
    else
        pTemplate->style = dwStyle;
}

DWORD CDialogTemplate::GetExStyle(const DLGTEMPLATE* pTemplate)
{
    if (IsDialogEx(pTemplate))
        return reinterpret_cast<const DLGTEMPLATEEX_HEAD*>(pTemplate)->exStyle;
    return pTemplate->dwExtendedStyle;
}

void CDialogTemplate::SetExStyle(DLGTEMPLATE* pTemplate, DWORD dwExStyle)
{
    if (IsDialogEx(pTemplate))
        reinterpret_cast<DLGTEMPLATEEX_HEAD*>(pTemplate)->exStyle = dwExStyle;
    else
        pTemplate->dwExtendedStyle = dwExStyle;
}

WORD CDialogTemplate::GetItemCount(const DLGTEMPLATE* pTemplate)
{
    if (IsDialogEx(pTemplate))
        return reinterpret_cast<const DLGTEMPLATEEX_HEAD*>(pTemplate)->cDlgItems;
    return pTemplate->cdit;
}

BOOL CDialogTemplate::HasFont(const DLGTEMPLATE* pTemplate)
{
    // DS_SHELLFONT includes DS_SETFONT
    return (GetStyle(pTemplate) & DS_SETFONT) != 0;
}

BYTE* CDialogTemplate::GetFontSizeField(const DLGTEMPLATE* pTemplate)
{
    if (!HasFont(pTemplate))
        return NULL;
    return const_cast<BYTE*>(FontBlock(pTemplate));
}

UINT CDialogTemplate::GetTemplateSize(const DLGTEMPLATE* pTemplate)
{
    const BYTE* pBase = reinterpret_cast<const BYTE*>(pTemplate);
    const BOOL bDialogEx = IsDialogEx(pTemplate);
    const BYTE* p = FirstItem(pTemplate);
    const BYTE* pEnd = p;
    for (WORD i = 0, n = GetItemCount(pTemplate); i < n; i++) {
        pEnd = ItemEnd(p, bDialogEx);
        p = AlignDword(pEnd, pBase);
    }
    if (GetItemCount(pTemplate) == 0) {
        // no items: the template ends with its header (the font's face, when there is one)
        pEnd = FontBlock(pTemplate);
        if (HasFont(pTemplate)) {
            const WORD* pw = reinterpret_cast<const WORD*>(pEnd) + (bDialogEx ? 3 : 1);
            pEnd = reinterpret_cast<const BYTE*>(SkipString(pw));
        }
    }
    return (UINT)(pEnd - pBase);
}

BOOL CDialogTemplate::GetFont(const DLGTEMPLATE* pTemplate, CString& strFaceName, WORD& nFontSize)
{
    const BYTE* pFont = GetFontSizeField(pTemplate);
    if (pFont == NULL)
        return FALSE;
    const WORD* pw = reinterpret_cast<const WORD*>(pFont);
    nFontSize = *pw;
    pw += IsDialogEx(pTemplate) ? 3 : 1;
    int nLen = ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(pw), -1, NULL, 0, NULL, NULL);
    strFaceName.Empty();
    if (nLen > 1) {
        ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<LPCWSTR>(pw), -1, strFaceName.GetBuffer(nLen), nLen, NULL,
                              NULL);
        strFaceName.ReleaseBuffer();
    }
    return TRUE;
}

// ---- The copy ----------------------------------------------------------------------------------

CDialogTemplate::CDialogTemplate(const DLGTEMPLATE* pTemplate)
    : m_hTemplate(NULL), m_dwTemplateSize(0), m_bSystemFont(FALSE)
{
    if (pTemplate != NULL)
        SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

CDialogTemplate::CDialogTemplate(HGLOBAL hGlobalTemplate)
    : m_hTemplate(NULL), m_dwTemplateSize(0), m_bSystemFont(FALSE)
{
    if (hGlobalTemplate != NULL) {
        const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(hGlobalTemplate));
        if (pTemplate != NULL) {
            SetTemplate(pTemplate, GetTemplateSize(pTemplate));
            ::GlobalUnlock(hGlobalTemplate);
        }
    }
}

CDialogTemplate::~CDialogTemplate()
{
    if (m_hTemplate != NULL)
        ::GlobalFree(m_hTemplate);
}

BOOL CDialogTemplate::Load(LPCTSTR lpszResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResource, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszResource, RT_DIALOG);
    if (hResource == NULL)
        return FALSE;
    const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(hInst, hResource)));
    return pTemplate != NULL && SetTemplate(pTemplate, GetTemplateSize(pTemplate));
}

BOOL CDialogTemplate::SetTemplate(const DLGTEMPLATE* pTemplate, UINT cb)
{
    HGLOBAL hNew = ::GlobalAlloc(GMEM_MOVEABLE, cb);
    if (hNew == NULL)
        return FALSE;
    void* p = ::GlobalLock(hNew);
    memcpy(p, pTemplate, cb);
    ::GlobalUnlock(hNew);
    if (m_hTemplate != NULL)
        ::GlobalFree(m_hTemplate);
    m_hTemplate = hNew;
    m_dwTemplateSize = cb;
    m_bSystemFont = FALSE;
    return TRUE;
}

HGLOBAL CDialogTemplate::Detach()
{
    HGLOBAL hTemplate = m_hTemplate;
    m_hTemplate = NULL;
    m_dwTemplateSize = 0;
    return hTemplate;
}

BOOL CDialogTemplate::HasFont() const
{
    if (m_hTemplate == NULL)
        return FALSE;
    const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(m_hTemplate));
    BOOL bHasFont = HasFont(pTemplate);
    ::GlobalUnlock(m_hTemplate);
    return bHasFont;
}

BOOL CDialogTemplate::GetFont(CString& strFaceName, WORD& nFontSize) const
{
    if (m_hTemplate == NULL)
        return FALSE;
    const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(m_hTemplate));
    BOOL bResult = GetFont(pTemplate, strFaceName, nFontSize);
    ::GlobalUnlock(m_hTemplate);
    return bResult;
}

BOOL CDialogTemplate::SetFont(LPCTSTR lpFaceName, WORD nFontSize)
{
    if (m_hTemplate == NULL || lpFaceName == NULL)
        return FALSE;
    const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(m_hTemplate));
    const BYTE* pBase = reinterpret_cast<const BYTE*>(pTemplate);
    const BOOL bDialogEx = IsDialogEx(pTemplate);
    const BOOL bHadFont = HasFont(pTemplate);
    const BYTE* pFont = FontBlock(pTemplate);
    const BYTE* pItems = FirstItem(pTemplate);
    const UINT cbTotal = GetTemplateSize(pTemplate);

    // the header up to the font, then the new font, then the items as they were
    std::vector<BYTE> out(pBase, pFont);
    WORD wWeight = FW_NORMAL;
    BYTE bItalic = FALSE, bCharSet = DEFAULT_CHARSET;
    if (bDialogEx && bHadFont) {
        const WORD* pw = reinterpret_cast<const WORD*>(pFont);
        wWeight = pw[1];
        bItalic = LOBYTE(pw[2]);
        bCharSet = HIBYTE(pw[2]);
    }
    AppendValue<WORD>(out, nFontSize);
    if (bDialogEx) {
        AppendValue<WORD>(out, wWeight);
        AppendValue<BYTE>(out, bItalic);
        AppendValue<BYTE>(out, bCharSet);
    }
    AppendWide(out, lpFaceName);
    while (out.size() % 4 != 0)
        out.push_back(0);
    if (cbTotal > (UINT)(pItems - pBase))
        out.insert(out.end(), pItems, pBase + cbTotal);
    ::GlobalUnlock(m_hTemplate);

    DLGTEMPLATE* pNew = reinterpret_cast<DLGTEMPLATE*>(out.data());
    SetStyle(pNew, GetStyle(pNew) | DS_SETFONT);
    return SetTemplate(pNew, (UINT)out.size());
}

BOOL CDialogTemplate::SetSystemFont(WORD nFontSize)
{
    LOGFONTA lf = {};
    HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == NULL || ::GetObjectA(hFont, sizeof lf, &lf) == 0)
        lstrcpyA(lf.lfFaceName, "MS Shell Dlg");
    if (nFontSize == 0) {
        HDC hDC = ::GetDC(NULL);
        int nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
        nFontSize = (WORD)(nHeight != 0 ? ::MulDiv(nHeight, 72, ::GetDeviceCaps(hDC, LOGPIXELSY)) : 8);
        ::ReleaseDC(NULL, hDC);
    }
    BOOL bResult = SetFont(lf.lfFaceName, nFontSize);
    m_bSystemFont = bResult;
    return bResult;
}

void CDialogTemplate::GetSizeInDialogUnits(SIZE* pSize) const
{
    pSize->cx = pSize->cy = 0;
    if (m_hTemplate == NULL)
        return;
    const DLGTEMPLATE* pTemplate = static_cast<const DLGTEMPLATE*>(::GlobalLock(m_hTemplate));
    if (IsDialogEx(pTemplate)) {
        pSize->cx = reinterpret_cast<const DLGTEMPLATEEX_HEAD*>(pTemplate)->cx;
        pSize->cy = reinterpret_cast<const DLGTEMPLATEEX_HEAD*>(pTemplate)->cy;
    } else {
        pSize->cx = pTemplate->cx;
        pSize->cy = pTemplate->cy;
    }
    ::GlobalUnlock(m_hTemplate);
}

void CDialogTemplate::GetSizeInPixels(SIZE* pSize) const
{
    GetSizeInDialogUnits(pSize);
    // dialog units of the template's font: average character width / 4 and height / 8
    CString strFace;
    WORD nSize = 0;
    HDC hDC = ::GetDC(NULL);
    HFONT hFont = NULL;
    if (GetFont(strFace, nSize))
        hFont = ::CreateFontA(-::MulDiv(nSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                              DEFAULT_CHARSET, 0, 0, 0, 0, strFace);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : ::GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm;
    ::GetTextMetricsA(hDC, &tm);
    SIZE size;
    ::GetTextExtentPoint32A(hDC, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    int cxChar = (size.cx / 26 + 1) / 2;
    ::SelectObject(hDC, hOld);
    if (hFont != NULL)
        ::DeleteObject(hFont);
    ::ReleaseDC(NULL, hDC);
    pSize->cx = ::MulDiv(pSize->cx, cxChar, 4);
    pSize->cy = ::MulDiv(pSize->cy, tm.tmHeight, 8);
}
