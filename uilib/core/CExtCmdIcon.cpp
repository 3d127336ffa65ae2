#include "CExtCmdIcon.h"
#include "ExtBitmapUtil.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"
#include <set>
#include <vector>

// ---------------------------------------------------------------- BitmapPart

void CExtCmdIcon::BitmapPart::Attach(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRect, bool bCopy)
{
    if (hBitmap == NULL) {
        Empty();
        return;
    }
    if (hBitmap == m_hBitmap && pRect == NULL) {
        m_clrTransparent = clrTransparent;
        return;
    }
    HBITMAP hNew = hBitmap;
    if (bCopy || pRect != NULL) {
        hNew = CExtBitmapUtil::CopyBitmapPart(hBitmap, pRect);
        if (hNew == NULL) {
            Empty();
            return;
        }
    }
    Empty();
    m_hBitmap = hNew;
    m_clrTransparent = clrTransparent;
    BITMAP bm = {};
    ::GetObjectA(m_hBitmap, sizeof(bm), &bm);
    m_cx = bm.bmWidth;
    m_cy = bm.bmHeight;
}

void CExtCmdIcon::BitmapPart::Empty()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = NULL;
    m_cx = m_cy = 0;
}

HICON CExtCmdIcon::BitmapPart::CreateHICON() const
{
    return m_hBitmap != NULL ? CExtBitmapUtil::CreateIconFromBitmap(m_hBitmap, m_clrTransparent) : NULL;
}

// ---------------------------------------------------------------- IconPart

namespace {

HICON DuplicateIcon(HICON hIcon)
{
    ICONINFO ii = {};
    if (!::GetIconInfo(hIcon, &ii))
        return NULL;
    HICON hCopy = ::CreateIconIndirect(&ii);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return hCopy;
}

}  // namespace

void CExtCmdIcon::IconPart::Attach(HICON hIcon, bool bCopy)
{
    HICON hNew = hIcon;
    if (hIcon != NULL && bCopy)
        hNew = DuplicateIcon(hIcon);
    Empty();
    if (hNew == NULL)
        return;
    m_hIcon = hNew;
    ICONINFO ii = {};
    if (::GetIconInfo(m_hIcon, &ii)) {
        // an icon's size is twice its hot spot; icons without a centred hot spot take their
        // bitmap's size
        m_cx = (int)((ii.xHotspot & 0xFF) * 2);
        m_cy = (int)((ii.yHotspot & 0xFF) * 2);
        if (m_cx == 0 || m_cy == 0) {
            BITMAP bm = {};
            if (ii.hbmColor != NULL) {
                ::GetObjectA(ii.hbmColor, sizeof(bm), &bm);
                m_cx = bm.bmWidth;
                m_cy = bm.bmHeight;
            } else if (ii.hbmMask != NULL) {
                ::GetObjectA(ii.hbmMask, sizeof(bm), &bm);
                m_cx = bm.bmWidth;
                m_cy = bm.bmHeight / 2;  // a monochrome icon's mask holds AND and XOR halves
            }
        }
        if (ii.hbmColor != NULL)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask != NULL)
            ::DeleteObject(ii.hbmMask);
    }
}

void CExtCmdIcon::IconPart::Empty()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    m_cx = m_cy = 0;
}

HICON CExtCmdIcon::IconPart::Detach()
{
    HICON h = m_hIcon;
    m_hIcon = NULL;
    m_cx = m_cy = 0;
    return h;
}

void CExtCmdIcon::IconPart::Paint(HDC hDC, int x, int y, UINT nStateFlags, HBRUSH hBrush) const
{
    if (m_hIcon == NULL)
        return;
    ::DrawStateA(hDC, hBrush, NULL, (LPARAM)m_hIcon, 0, x, y, m_cx, m_cy, nStateFlags);
}

// ---------------------------------------------------------------- CExtCmdIcon

CExtCmdIcon::CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRect, bool bCopy)
{
    m_bitmap.Attach(hBitmap, clrTransparent, pRect, bCopy);
}

CExtCmdIcon::CExtCmdIcon(HICON hIcon, bool bCopy) { AssignFromHICON(hIcon, bCopy); }

CExtCmdIcon::CExtCmdIcon(const CExtCmdIcon& other) { AssignFromOther(other); }

CExtCmdIcon& CExtCmdIcon::operator=(const CExtCmdIcon& other)
{
    AssignFromOther(other);
    return *this;
}

CExtCmdIcon::~CExtCmdIcon()
{
    m_disabled.Empty();
    m_icon.Empty();
    m_bitmap.Empty();
}

bool CExtCmdIcon::IsEmpty() const { return m_bitmap.IsEmpty() && m_icon.IsEmpty(); }

void CExtCmdIcon::Empty()
{
    m_disabled.Empty();
    m_icon.Empty();
    m_bitmap.Empty();
    m_clrTint = s_clrNone;
    m_dTintFactor = 1.4;
}

void CExtCmdIcon::AssignFromOther(const CExtCmdIcon& other)
{
    if (&other == this)
        return;
    m_disabled.Empty();
    if (!other.m_bitmap.IsEmpty()) {
        m_bitmap.Attach(other.m_bitmap.GetBitmap(), other.m_bitmap.GetTransparentColor(), NULL, true);
        m_icon.Empty();
    } else {
        m_bitmap.Empty();
        m_icon.Attach(other.m_icon.GetIcon(), true);
    }
    m_clrTint = other.m_clrTint;
    m_dTintFactor = other.m_dTintFactor;
}

void CExtCmdIcon::AssignFromHICON(HICON hIcon, bool bCopy)
{
    m_disabled.Empty();
    m_bitmap.Empty();
    m_icon.Attach(hIcon, bCopy);
}

void CExtCmdIcon::AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRect, bool bCopy)
{
    m_icon.Empty();
    m_disabled.Empty();
    m_bitmap.Attach(hBitmap, clrTransparent, pRect, bCopy);
}

CSize CExtCmdIcon::GetSize() const
{
    if (!m_bitmap.IsEmpty())
        return m_bitmap.GetSize();
    if (!m_icon.IsEmpty())
        return m_icon.GetSize();
    return CSize(0, 0);
}

bool CExtCmdIcon::IsBitmapBased() const { return !m_bitmap.IsEmpty(); }
HBITMAP CExtCmdIcon::GetBitmap() const { return m_bitmap.GetBitmap(); }
COLORREF CExtCmdIcon::GetTransparentColor() const { return m_bitmap.GetTransparentColor(); }

bool CExtCmdIcon::ExtractBitmap32(HBITMAP& hBitmapOut, COLORREF& clrTransparentOut, int nOption,
                                  COLORREF** ppBits) const
{
    (void)nOption;
    hBitmapOut = NULL;
    clrTransparentOut = RGB(0, 0, 0);
    if (IsEmpty())
        return false;
    COLORREF* pBits = NULL;
    if (!m_bitmap.IsEmpty()) {
        hBitmapOut = CExtBitmapUtil::CopyBitmapPart(m_bitmap.GetBitmap(), NULL, &pBits);
        if (hBitmapOut == NULL)
            return false;
        clrTransparentOut = m_bitmap.GetTransparentColor();
        if (ppBits != NULL)
            *ppBits = pBits;
        return true;
    }
    // Icon: draw it over black and over white; pixels that differ are the transparent ones.
    const CSize size = m_icon.GetSize();
    COLORREF *pBlack = NULL, *pWhite = NULL;
    HBITMAP hBlack = CExtBitmapUtil::CreateFilled32(size.cx, size.cy, RGB(0, 0, 0), &pBlack);
    HBITMAP hWhite = CExtBitmapUtil::CreateFilled32(size.cx, size.cy, RGB(255, 255, 255), &pWhite);
    if (hBlack == NULL || hWhite == NULL) {
        if (hBlack != NULL)
            ::DeleteObject(hBlack);
        if (hWhite != NULL)
            ::DeleteObject(hWhite);
        return false;
    }
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, hBlack);
    ::DrawIconEx(hdc, 0, 0, m_icon.GetIcon(), size.cx, size.cy, 0, NULL, DI_NORMAL);
    ::SelectObject(hdc, hWhite);
    ::DrawIconEx(hdc, 0, 0, m_icon.GetIcon(), size.cx, size.cy, 0, NULL, DI_NORMAL);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    ::GdiFlush();
    const size_t n = (size_t)size.cx * size.cy;
    std::vector<bool> transparent(n);
    std::set<DWORD> used;
    DWORD* b = (DWORD*)pBlack;
    const DWORD* w = (const DWORD*)pWhite;
    for (size_t i = 0; i < n; ++i) {
        transparent[i] = (b[i] & 0xFFFFFF) != (w[i] & 0xFFFFFF);
        if (!transparent[i])
            used.insert(b[i] & 0xFFFFFF);
    }
    // magenta unless the image uses it, then the first colour counting up that it does not
    DWORD key = CExtBitmapUtil::ToDib(RGB(255, 0, 255));
    while (used.count(key) != 0)
        key = (key + 1) & 0xFFFFFF;
    for (size_t i = 0; i < n; ++i)
        if (transparent[i])
            b[i] = key;
    ::DeleteObject(hWhite);
    hBitmapOut = hBlack;
    clrTransparentOut = CExtBitmapUtil::FromDib(key);
    if (ppBits != NULL)
        *ppBits = pBlack;
    return true;
}

HICON CExtCmdIcon::GetHICON(bool bFlag)
{
    (void)bFlag;
    if (m_icon.IsEmpty() && !m_bitmap.IsEmpty())
        m_icon.Attach(m_bitmap.CreateHICON(), false);
    return m_icon.GetIcon();
}

HICON CExtCmdIcon::DetachAsHICON(bool bFlag)
{
    if (IsEmpty())
        return NULL;
    m_disabled.Empty();
    HICON h = GetHICON(bFlag);
    m_icon.Detach();
    m_bitmap.Empty();
    (void)h;
    return h;
}

HICON CExtCmdIcon::GetDisabledHICON()
{
    if (m_clrTint == s_clrNone)
        return NULL;
    if (m_disabled.IsEmpty())
        BuildDisabledHICON();
    return m_disabled.GetIcon();
}

void CExtCmdIcon::ApplyThemeTint()
{
    // the classic and XP looks answer no tint (-1), Office 2003 and Studio 2005 a colour
    CExtPaintManager* pPainter = g_PaintManager.GetPaintManager();
    SetTintColor(pPainter != NULL ? pPainter->GetIconTintColor() : s_clrNone);
    if (pPainter != NULL)
        SetTintFactor(pPainter->GetIconTintFactor());
    if (!IsEmpty() && IsBitmapBased())
        m_icon.Empty();
}

bool CExtCmdIcon::BuildDisabledHICON()
{
    m_disabled.Empty();
    if (m_clrTint == s_clrNone || IsEmpty())
        return false;
    HBITMAP hBitmap = NULL;
    COLORREF clrTransparent = 0;
    COLORREF* pBitsRef = NULL;
    if (!ExtractBitmap32(hBitmap, clrTransparent, 0, &pBitsRef))
        return false;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    DWORD* pBits = (DWORD*)pBitsRef;
    const DWORD key = CExtBitmapUtil::ToDib(clrTransparent);
    const double f = m_dTintFactor;
    const int tint[3] = {GetRValue(m_clrTint), GetGValue(m_clrTint), GetBValue(m_clrTint)};
    for (size_t i = 0, n = (size_t)bm.bmWidth * bm.bmHeight; i < n; ++i) {
        const DWORD px = pBits[i] & 0xFFFFFF;
        if (px == key)
            continue;
        const COLORREF c = CExtBitmapUtil::FromDib(px);
        double L = (0.3 * GetRValue(c) + 0.5 * GetGValue(c) + 0.2 * GetBValue(c)) / 255.0;
        if (f > 0)
            L = L + (1.0 - L) * f;
        else if (f < 0)
            L = L * (1.0 + f);
        if (L < 0)
            L = 0;
        if (L > 1)
            L = 1;
        const int v = (int)(L * 255.0);
        int ch[3];
        for (int k = 0; k < 3; ++k)
            ch[k] = (3 * ::MulDiv(tint[k], v, 255) + v) / 4;
        pBits[i] = CExtBitmapUtil::ToDib(RGB(ch[0], ch[1], ch[2]));
    }
    HICON hIcon = CExtBitmapUtil::CreateIconFromBitmap(hBitmap, clrTransparent);
    ::DeleteObject(hBitmap);
    if (hIcon == NULL)
        return false;
    m_disabled.Attach(hIcon, false);
    return true;
}

void CExtCmdIcon::Paint(CDC& dc, const POINT& pt, PaintMode nMode, HBRUSH hBrush)
{
    if (IsEmpty())
        return;
    HDC hDC = dc.GetSafeHdc();
    const int x = pt.x, y = pt.y;
    if (nMode == ePaintDisabledTinted && ::GetDeviceCaps(hDC, BITSPIXEL) > 8) {
        HICON hDisabled = GetDisabledHICON();
        if (hDisabled != NULL) {
            m_disabled.Paint(hDC, x, y, DST_ICON | DSS_NORMAL, NULL);
            return;
        }
    }
    if (GetHICON() == NULL)
        return;
    UINT nFlags = DST_ICON | DSS_NORMAL;
    if (nMode == ePaintDisabled)
        nFlags = DST_ICON | DSS_DISABLED;
    else if (nMode == ePaintMonochrome || nMode == ePaintDisabledTinted)
        nFlags = DST_ICON | DSS_MONO;
    m_icon.Paint(hDC, x, y, nFlags, nMode == ePaintMonochrome || nMode == ePaintDisabledTinted ? hBrush : NULL);
}

int CExtCmdIcon::GetBitsPerPixel() const
{
    BITMAP bm = {};
    if (!m_bitmap.IsEmpty()) {
        ::GetObjectA(m_bitmap.GetBitmap(), sizeof(bm), &bm);
        return bm.bmBitsPixel;
    }
    if (m_icon.IsEmpty())
        return 0;
    ICONINFO ii = {};
    if (!::GetIconInfo(m_icon.GetIcon(), &ii))
        return 0;
    int bpp = 0;
    if (ii.hbmColor != NULL) {
        ::GetObjectA(ii.hbmColor, sizeof(bm), &bm);
        bpp = bm.bmBitsPixel;
        ::DeleteObject(ii.hbmColor);
    }
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return bpp;
}

bool CExtCmdIcon::CreateScaledCopy(const CExtCmdIcon& source, int cx, int cy)
{
    if (&source == this || source.IsEmpty() || cx <= 0 || cy <= 0)
        return false;
    HBITMAP hSrc = NULL;
    COLORREF clrTransparent = 0;
    if (!source.ExtractBitmap32(hSrc, clrTransparent))
        return false;
    HBITMAP hDst = CExtBitmapUtil::CreateFilled32(cx, cy, clrTransparent);
    if (hDst == NULL) {
        ::DeleteObject(hSrc);
        return false;
    }
    BITMAP bm = {};
    ::GetObjectA(hSrc, sizeof(bm), &bm);
    HDC hdcSrc = ::CreateCompatibleDC(NULL), hdcDst = ::CreateCompatibleDC(NULL);
    HGDIOBJ oldSrc = ::SelectObject(hdcSrc, hSrc), oldDst = ::SelectObject(hdcDst, hDst);
    ::SetStretchBltMode(hdcDst, COLORONCOLOR);
    ::StretchBlt(hdcDst, 0, 0, cx, cy, hdcSrc, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(hdcSrc, oldSrc);
    ::SelectObject(hdcDst, oldDst);
    ::DeleteDC(hdcSrc);
    ::DeleteDC(hdcDst);
    ::DeleteObject(hSrc);
    const COLORREF clrTint = source.m_clrTint;
    const double dFactor = source.m_dTintFactor;
    AssignFromHBITMAP(hDst, clrTransparent);
    m_clrTint = clrTint;
    m_dTintFactor = dFactor;
    return true;
}

COLORREF CExtCmdIcon::SetTintColor(COLORREF clr)
{
    const COLORREF old = m_clrTint;
    if (clr != m_clrTint) {
        m_clrTint = clr;
        m_disabled.Empty();
    }
    return old;
}

double CExtCmdIcon::SetTintFactor(double d)
{
    const double old = m_dTintFactor;
    if (d != m_dTintFactor) {
        m_dTintFactor = d;
        m_disabled.Empty();
    }
    return old;
}

bool CExtCmdIcon::CreateEmptyImage(int cx, int cy, COLORREF clrTransparent, COLORREF** ppBits)
{
    Empty();
    if (clrTransparent == s_clrNone)
        clrTransparent = RGB(255, 0, 255);
    HBITMAP h = CExtBitmapUtil::CreateFilled32(cx, cy, clrTransparent, ppBits);
    if (h == NULL)
        return false;
    m_bitmap.Attach(h, clrTransparent);
    return true;
}

namespace {

void StoreBitmap(CArchive& ar, HBITMAP hBitmap)
{
    HBITMAP h = hBitmap;
    if (!CExtPaintManager::SerializeBitmap(h, ar))
        AfxThrowArchiveException(CArchiveException::genericException);
}

HBITMAP LoadBitmap(CArchive& ar)
{
    HBITMAP h = NULL;
    if (!CExtPaintManager::SerializeBitmap(h, ar) || h == NULL)
        AfxThrowArchiveException(CArchiveException::badSchema);
    return h;
}

}  // namespace

void CExtCmdIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (IsEmpty()) {
            ar << (BYTE)0;
            return;
        }
        if (!m_bitmap.IsEmpty()) {
            ar << (BYTE)1;
            StoreBitmap(ar, m_bitmap.GetBitmap());
            ar << (DWORD)m_bitmap.GetTransparentColor();
            return;
        }
        ar << (BYTE)2;
        ICONINFO ii = {};
        if (!::GetIconInfo(m_icon.GetIcon(), &ii))
            AfxThrowArchiveException(CArchiveException::genericException);
        const BYTE flags = (BYTE)((ii.fIcon ? 1 : 0) | (ii.hbmColor != NULL ? 2 : 0) | (ii.hbmMask != NULL ? 4 : 0));
        try {
            ar << flags;
            ar << (DWORD)ii.xHotspot;
            ar << (DWORD)ii.yHotspot;
            if (ii.hbmColor != NULL)
                StoreBitmap(ar, ii.hbmColor);
            if (ii.hbmMask != NULL)
                StoreBitmap(ar, ii.hbmMask);
        } catch (...) {
            if (ii.hbmColor != NULL)
                ::DeleteObject(ii.hbmColor);
            if (ii.hbmMask != NULL)
                ::DeleteObject(ii.hbmMask);
            throw;
        }
        if (ii.hbmColor != NULL)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask != NULL)
            ::DeleteObject(ii.hbmMask);
        return;
    }
    Empty();
    BYTE kind = 0;
    ar >> kind;
    if ((kind & 1) != 0) {
        HBITMAP h = LoadBitmap(ar);
        DWORD clr = 0;
        try {
            ar >> clr;
        } catch (...) {
            ::DeleteObject(h);
            throw;
        }
        m_bitmap.Attach(h, (COLORREF)clr);
    }
    if ((kind & 2) != 0) {
        BYTE flags = 0;
        DWORD x = 0, y = 0;
        ar >> flags >> x >> y;
        ICONINFO ii = {};
        ii.fIcon = (flags & 1) != 0;
        ii.xHotspot = x;
        ii.yHotspot = y;
        try {
            if ((flags & 2) != 0)
                ii.hbmColor = LoadBitmap(ar);
            if ((flags & 4) != 0)
                ii.hbmMask = LoadBitmap(ar);
        } catch (...) {
            if (ii.hbmColor != NULL)
                ::DeleteObject(ii.hbmColor);
            throw;
        }
        HICON hIcon = ii.hbmMask != NULL ? ::CreateIconIndirect(&ii) : NULL;
        if (ii.hbmColor != NULL)
            ::DeleteObject(ii.hbmColor);
        if (ii.hbmMask != NULL)
            ::DeleteObject(ii.hbmMask);
        if (hIcon == NULL)
            AfxThrowArchiveException(CArchiveException::badSchema);
        m_icon.Attach(hIcon, false);
    }
}

int CExtCmdIcon::CollectColors(CMap<COLORREF, COLORREF, DWORD, DWORD>& map) const
{
    if (!m_bitmap.IsEmpty())
        return CExtPaintManager::CollectBitmapColors(m_bitmap.GetBitmap(), map);
    map.RemoveAll();
    if (m_icon.IsEmpty())
        return 0;
    ICONINFO ii = {};
    if (!::GetIconInfo(m_icon.GetIcon(), &ii))
        return 0;
    const int n = CExtPaintManager::CollectBitmapColors(ii.hbmColor != NULL ? ii.hbmColor : ii.hbmMask, map);
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return n;
}

bool CExtCmdIcon::CreateCheckMarkImage(int cx, int cy, COLORREF clrMark, COLORREF clrTransparent, COLORREF** ppBits)
{
    return CreateMarkImage(true, cx, cy, clrMark, clrTransparent, ppBits);
}

bool CExtCmdIcon::CreateAltMarkImage(int cx, int cy, COLORREF clrMark, COLORREF clrTransparent, COLORREF** ppBits)
{
    return CreateMarkImage(false, cx, cy, clrMark, clrTransparent, ppBits);
}

bool CExtCmdIcon::CreateMarkImage(bool bCheck, int cx, int cy, COLORREF clrMark, COLORREF clrTransparent,
                                  COLORREF** ppBits)
{
    Empty();
    if (cx < 1 || cy < 1)
        return false;
    if (!g_PaintManager.EnsureInstalled())
        return false;
    CExtPaintManager* pPainter = g_PaintManager.GetPaintManager();
    if (clrMark == s_clrNone)
        clrMark = pPainter->GetColor(1010);
    if (clrTransparent == s_clrNone)
        clrTransparent = clrMark == RGB(255, 0, 255) ? RGB(128, 255, 128) : RGB(255, 0, 255);
    COLORREF* pBits = NULL;
    HBITMAP hBitmap = CExtBitmapUtil::CreateFilled32(cx, cy, clrTransparent, &pBits);
    if (hBitmap == NULL)
        return false;
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL)) {
        ::DeleteObject(hBitmap);
        return false;
    }
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    if (bCheck) {
        const COLORREF colors[2] = {0, clrMark};
        pPainter->PaintGlyph(dc, CPoint(cx / 2 - 3, cy / 2 - 3), CExtPaintManager::g_CheckMark, colors);
    } else {
        // the menu's radio dot: a filled round dot 6 pixels across, centred
        CBrush brush;
        brush.CreateSolidBrush(clrMark);
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, clrMark);
        CBrush* pOldBrush = dc.SelectObject(&brush);
        CPen* pOldPen = dc.SelectObject(&pen);
        dc.Ellipse(cx / 2 - 3, cy / 2 - 3, cx / 2 + 3, cy / 2 + 3);
        dc.SelectObject(pOldPen);
        dc.SelectObject(pOldBrush);
    }
    ::SelectObject(dc.GetSafeHdc(), hOld);
    dc.DeleteDC();
    ::GdiFlush();
    if (ppBits != NULL)
        *ppBits = pBits;
    m_bitmap.Attach(hBitmap, clrTransparent);
    return true;
}
