// Static bitmap routines of CExtPaintManager: transparent copies, bitmap parts, icons from
// bitmaps, colour tables, packed DIBs and the BMP stored form.
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtMemoryDC.h"
#include <commctrl.h>
#include <vector>

namespace {

// Limits of a bitmap read from a file or an archive: generous for toolbar strips and marker
// pictures, small enough that a damaged header cannot ask for gigabytes.
const LONG kMaxBitmapSide = 0x7FFF;
const ULONGLONG kMaxBitmapBytes = 256ull * 1024 * 1024;
const DWORD kMaxInfoHeaderSize = 1024;

struct ScreenDC {
    HDC hdc = ::GetDC(NULL);
    ~ScreenDC() {
        if (hdc != NULL)
            ::ReleaseDC(NULL, hdc);
    }
};

// A memory DC with one object selected, put back and deleted on the way out.
struct SelectedDC {
    HDC hdc;
    HGDIOBJ hOld = NULL;
    explicit SelectedDC(HGDIOBJ hObject) : hdc(::CreateCompatibleDC(NULL)) {
        if (hdc != NULL && hObject != NULL)
            hOld = ::SelectObject(hdc, hObject);
    }
    ~SelectedDC() {
        if (hdc != NULL) {
            if (hOld != NULL)
                ::SelectObject(hdc, hOld);
            ::DeleteDC(hdc);
        }
    }
    bool ok() const { return hdc != NULL && hOld != NULL; }
};

ULONGLONG DibStride(LONG nWidth, WORD nBitCount) {
    return (((ULONGLONG)nWidth * nBitCount + 31) / 32) * 4;
}

// A 32-bit bottom-up DIB section of the size; pixels out.
HBITMAP Create32(int cx, int cy, COLORREF** ppPixels) {
    BITMAPINFOHEADER bih;
    memset(&bih, 0, sizeof bih);
    bih.biSize = sizeof bih;
    bih.biWidth = cx;
    bih.biHeight = cy;
    bih.biPlanes = 1;
    bih.biBitCount = 32;
    bih.biCompression = BI_RGB;
    bih.biSizeImage = (DWORD)(cx * cy);
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hbm != NULL && pBits == NULL) {
        ::DeleteObject(hbm);
        return NULL;
    }
    if (ppPixels != NULL)
        *ppPixels = static_cast<COLORREF*>(pBits);
    return hbm;
}

// DIB pixels are BGRX; a COLORREF is RGB with red in the low byte.
inline COLORREF PixelToColor(DWORD v) { return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF); }
inline DWORD ColorToPixel(COLORREF c) {
    return ((DWORD)GetRValue(c) << 16) | ((DWORD)GetGValue(c) << 8) | GetBValue(c);
}

int BitmapBitsPerPixel(HBITMAP hBitmap) {
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof bm, &bm) == 0)
        return 0;
    return bm.bmBitsPixel * bm.bmPlanes;
}

}  // namespace

// ---- transparent copy ----------------------------------------------------------------------

void CExtPaintManager::TransparentBlt(CDC& dcDest, int x, int y, int cx, int cy, CDC& dcSrc,
                                      int xSrc, int ySrc, int cxSrc, int cySrc,
                                      COLORREF clrTransparent) {
    if (cx < 0)
        cx = cxSrc;
    if (cy < 0)
        cy = cySrc;
    if (cx <= 0 || cy <= 0 || cxSrc <= 0 || cySrc <= 0)
        return;
    CRect rc(0, 0, cx, cy);
    CExtMemoryDC dcImage(&dcDest, &rc, CExtMemoryDC::MDCOPT_TO_MEMORY |
                                           CExtMemoryDC::MDCOPT_FILL_SURFACE);
    CExtMemoryDC dcMask(&dcDest, &rc, CExtMemoryDC::MDCOPT_TO_MEMORY |
                                          CExtMemoryDC::MDCOPT_FORCE_BLACK);
    if (dcImage.GetSafeHdc() == NULL || dcMask.GetSafeHdc() == NULL) {
        dcImage.ReleaseTarget();
        dcMask.ReleaseTarget();
        return;
    }
    if (cx != cxSrc || cy != cySrc)
        dcImage.StretchBlt(0, 0, cx, cy, &dcSrc, xSrc, ySrc, cxSrc, cySrc, SRCCOPY);
    else
        dcImage.BitBlt(0, 0, cx, cy, &dcSrc, xSrc, ySrc, SRCCOPY);
    // mask: white where the picture has the transparent colour
    COLORREF clrOldImageBk = dcImage.SetBkColor(clrTransparent);
    dcMask.BitBlt(0, 0, cx, cy, &dcImage, 0, 0, SRCCOPY);
    // picture: black where transparent
    dcImage.SetBkColor(RGB(0, 0, 0));
    COLORREF clrOldImageText = dcImage.SetTextColor(RGB(255, 255, 255));
    dcImage.BitBlt(0, 0, cx, cy, &dcMask, 0, 0, SRCAND);
    dcImage.SetBkColor(clrOldImageBk);
    dcImage.SetTextColor(clrOldImageText);
    // destination: cleared through the mask, then the picture painted in
    COLORREF clrOldBk = dcDest.SetBkColor(RGB(255, 255, 255));
    COLORREF clrOldText = dcDest.SetTextColor(RGB(0, 0, 0));
    dcDest.BitBlt(x, y, cx, cy, &dcMask, 0, 0, SRCAND);
    dcDest.BitBlt(x, y, cx, cy, &dcImage, 0, 0, SRCPAINT);
    dcDest.SetBkColor(clrOldBk);
    dcDest.SetTextColor(clrOldText);
    // the two buffers were only scratch: nothing is copied back
    dcImage.ReleaseTarget();
    dcMask.ReleaseTarget();
}

// ---- bitmap parts and icons ----------------------------------------------------------------

HBITMAP CExtPaintManager::CopyBitmapPart(HBITMAP hBitmap, const RECT* pRect, COLORREF** ppPixels) {
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof bm, &bm) == 0)
        return NULL;
    CRect rc = pRect != NULL ? CRect(*pRect) : CRect(0, 0, bm.bmWidth, bm.bmHeight);
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return NULL;
    HBITMAP hbmNew;
    if (ppPixels != NULL) {
        hbmNew = Create32(rc.Width(), rc.Height(), ppPixels);
    } else {
        ScreenDC screen;
        hbmNew = ::CreateCompatibleBitmap(screen.hdc, rc.Width(), rc.Height());
    }
    if (hbmNew == NULL)
        return NULL;
    SelectedDC src(hBitmap), dst(hbmNew);
    if (!src.ok() || !dst.ok() ||
        !::BitBlt(dst.hdc, 0, 0, rc.Width(), rc.Height(), src.hdc, rc.left, rc.top, SRCCOPY)) {
        ::DeleteObject(hbmNew);
        if (ppPixels != NULL)
            *ppPixels = NULL;
        return NULL;
    }
    ::GdiFlush();
    return hbmNew;
}

HICON CExtPaintManager::CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent,
                                             const RECT* pRect, bool bMap3DColors) {
    COLORREF* pPixels = NULL;
    HBITMAP hbm = CopyBitmapPart(hBitmap, pRect, &pPixels);
    if (hbm == NULL)
        return NULL;
    BITMAP bm;
    ::GetObjectA(hbm, sizeof bm, &bm);
    const int cx = bm.bmWidth, cy = bm.bmHeight, n = cx * cy;
    DWORD* px = reinterpret_cast<DWORD*>(pPixels);
    const DWORD transparent = ColorToPixel(clrTransparent);
    if (bMap3DColors) {
        const COLORREF from[3] = {RGB(128, 128, 128), RGB(192, 192, 192), RGB(223, 223, 223)};
        const int to[3] = {COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DLIGHT};
        for (int k = 0; k < 3; k++) {
            COLORREF clrSys = ::GetSysColor(to[k]);
            if (from[k] == clrTransparent || clrSys == from[k])
                continue;
            const DWORD vFrom = ColorToPixel(from[k]), vTo = ColorToPixel(clrSys);
            for (int i = 0; i < n; i++)
                if ((px[i] & 0xFFFFFF) == vFrom)
                    px[i] = vTo;
        }
    }
    HICON hIcon = NULL;
    const BYTE flagsA = g_PaintManager.m_nOsFlagsA;
    const bool bByHand = (flagsA & CExtPaintManagerHolder::OsWin9x) != 0 ||
                         ((flagsA & CExtPaintManagerHolder::OsWinNT) != 0 &&
                          !g_PaintManager.IsWinNT5OrLater());
    if (bByHand) {
        HBITMAP hbmMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
        if (hbmMask != NULL) {
            {
                SelectedDC mask(hbmMask);
                ::PatBlt(mask.hdc, 0, 0, cx, cy, WHITENESS);
                for (int y = 0; y < cy; y++)
                    for (int x = 0; x < cx; x++) {
                        DWORD& v = px[(cy - 1 - y) * cx + x];   // bottom-up rows
                        if ((v & 0xFFFFFF) != transparent)
                            ::SetPixelV(mask.hdc, x, y, RGB(0, 0, 0));
                        else
                            v = 0;
                    }
            }
            ICONINFO ii;
            memset(&ii, 0, sizeof ii);
            ii.fIcon = TRUE;
            ii.hbmMask = hbmMask;
            ii.hbmColor = hbm;
            hIcon = ::CreateIconIndirect(&ii);
            ::DeleteObject(hbmMask);
        }
    } else {
        HIMAGELIST hil = ::ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 1, 0);
        if (hil != NULL) {
            if (::ImageList_AddMasked(hil, hbm, clrTransparent) >= 0)
                hIcon = ::ImageList_GetIcon(hil, 0, ILD_NORMAL);
            ::ImageList_Destroy(hil);
        }
    }
    ::DeleteObject(hbm);
    return hIcon;
}

// ---- colours of a bitmap -------------------------------------------------------------------

int CExtPaintManager::CollectBitmapColors(HBITMAP hBitmap,
                                          CMap<COLORREF, COLORREF, DWORD, DWORD>& map) {
    map.RemoveAll();
    COLORREF* pPixels = NULL;
    HBITMAP hbm = CopyBitmapPart(hBitmap, NULL, &pPixels);
    if (hbm == NULL)
        return 0;
    BITMAP bm;
    ::GetObjectA(hbm, sizeof bm, &bm);
    const DWORD* px = reinterpret_cast<const DWORD*>(pPixels);
    for (int i = 0, n = bm.bmWidth * bm.bmHeight; i < n; i++) {
        COLORREF clr = PixelToColor(px[i]);
        DWORD nCount = 0;
        map.Lookup(clr, nCount);
        map.SetAt(clr, nCount + 1);
    }
    ::DeleteObject(hbm);
    return BitmapBitsPerPixel(hBitmap);
}

int CExtPaintManager::BuildBitmapColorTable(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arr,
                                            bool bDropRepeats) {
    arr.RemoveAll();
    if (hBitmap == NULL)
        return 0;
    const int nBpp = BitmapBitsPerPixel(hBitmap);
    if (nBpp <= 0)
        return 0;
    if (nBpp <= 8) {
        HGLOBAL hDib = BitmapToPackedDib(hBitmap, NULL);
        if (hDib == NULL)
            return nBpp;
        const BITMAPINFO* pbi = static_cast<const BITMAPINFO*>(::GlobalLock(hDib));
        if (pbi != NULL) {
            const int nColors = 1 << nBpp;
            for (int i = 0; i < nColors; i++) {
                const RGBQUAD& q = pbi->bmiColors[i];
                COLORREF clr = RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
                bool bSeen = false;
                if (bDropRepeats)
                    for (INT_PTR k = 0; k < arr.GetSize() && !bSeen; k++)
                        bSeen = arr[k] == clr;
                if (!bSeen)
                    arr.Add(clr);
            }
            ::GlobalUnlock(hDib);
        }
        ::GlobalFree(hDib);
        return nBpp;
    }
    CMap<COLORREF, COLORREF, DWORD, DWORD> map(10);
    map.InitHashTable(17);
    if (CollectBitmapColors(hBitmap, map) == 0)
        return 0;
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        COLORREF clr;
        DWORD nCount;
        map.GetNextAssoc(pos, clr, nCount);
        arr.Add(clr);
    }
    return nBpp;
}

// ---- packed DIBs and the stored form -------------------------------------------------------

HGLOBAL CExtPaintManager::BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette) {
    BITMAP bm;
    if (hBitmap == NULL || ::GetObjectA(hBitmap, sizeof bm, &bm) == 0)
        return NULL;
    WORD nBpp = (WORD)(bm.bmBitsPixel * bm.bmPlanes);
    if (nBpp <= 1)
        nBpp = 1;
    else if (nBpp <= 4)
        nBpp = 4;
    else if (nBpp <= 8)
        nBpp = 8;
    else if (nBpp <= 16)
        nBpp = 16;
    else if (nBpp <= 24)
        nBpp = 24;
    else
        nBpp = 32;
    const DWORD nColors = nBpp <= 8 ? (1u << nBpp) : 0;
    struct {
        BITMAPINFOHEADER bih;
        RGBQUAD colors[256];
    } info;
    memset(&info, 0, sizeof info);
    info.bih.biSize = sizeof(BITMAPINFOHEADER);
    info.bih.biWidth = bm.bmWidth;
    info.bih.biHeight = bm.bmHeight;
    info.bih.biPlanes = 1;
    info.bih.biBitCount = nBpp;
    info.bih.biCompression = BI_RGB;
    const ULONGLONG nImage = DibStride(bm.bmWidth, nBpp) * (ULONGLONG)bm.bmHeight;
    if (nImage > kMaxBitmapBytes)
        return NULL;
    info.bih.biSizeImage = (DWORD)nImage;
    info.bih.biClrUsed = 0;

    HDC hdc = ::CreateCompatibleDC(NULL);
    if (hdc == NULL)
        return NULL;
    HPALETTE hPal = hPalette != NULL ? hPalette : (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    HPALETTE hOldPal = ::SelectPalette(hdc, hPal, FALSE);
    ::RealizePalette(hdc);
    // first call sizes (and checks) the header, the second fills the block
    HGLOBAL hDib = NULL;
    if (::GetDIBits(hdc, hBitmap, 0, (UINT)bm.bmHeight, NULL, (BITMAPINFO*)&info,
                    DIB_RGB_COLORS) != 0) {
        info.bih.biSizeImage = (DWORD)nImage;
        const SIZE_T nHeader = sizeof(BITMAPINFOHEADER) + nColors * sizeof(RGBQUAD);
        hDib = ::GlobalAlloc(GMEM_MOVEABLE, nHeader + (SIZE_T)nImage);
        BYTE* p = hDib != NULL ? static_cast<BYTE*>(::GlobalLock(hDib)) : NULL;
        if (p != NULL) {
            memcpy(p, &info, nHeader);
            BITMAPINFO* pbi = reinterpret_cast<BITMAPINFO*>(p);
            pbi->bmiHeader.biClrUsed = 0;
            if (::GetDIBits(hdc, hBitmap, 0, (UINT)bm.bmHeight, p + nHeader, pbi,
                            DIB_RGB_COLORS) == 0) {
                ::GlobalUnlock(hDib);
                ::GlobalFree(hDib);
                hDib = NULL;
            } else {
                pbi->bmiHeader.biSizeImage = (DWORD)nImage;
                pbi->bmiHeader.biClrUsed = 0;
                ::GlobalUnlock(hDib);
            }
        } else if (hDib != NULL) {
            ::GlobalFree(hDib);
            hDib = NULL;
        }
    }
    ::SelectPalette(hdc, hOldPal, FALSE);
    ::DeleteDC(hdc);
    return hDib;
}

static bool StoreBitmap(HBITMAP hBitmap, CArchive& ar) {
    HGLOBAL hDib = CExtPaintManager::BitmapToPackedDib(hBitmap, NULL);
    if (hDib == NULL)
        return false;
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDib));
    if (p == NULL) {
        ::GlobalFree(hDib);
        return false;
    }
    const BITMAPINFOHEADER* pbih = reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const DWORD nColors = pbih->biBitCount <= 8 ? (1u << pbih->biBitCount) : 0;
    const DWORD nHeader = pbih->biSize + nColors * (DWORD)sizeof(RGBQUAD);
    const DWORD nTotal = nHeader + pbih->biSizeImage;
    try {
        ar << (WORD)0x4D42;   // "BM"
        ar << (DWORD)(14 + nTotal);
        ar << (WORD)0 << (WORD)0;
        ar << (DWORD)(14 + nHeader);
        ar.Write(p, nTotal);
    } catch (...) {
        ::GlobalUnlock(hDib);
        ::GlobalFree(hDib);
        throw;
    }
    ::GlobalUnlock(hDib);
    ::GlobalFree(hDib);
    return true;
}

// Reads one BMP image. Every size comes from the data, so each is checked, in 64 bits, before
// it is used: the header size, one plane, a known bit count and compression, positive bounded
// sides, a colour count within the bit count, and an image no larger than the bytes present.
static bool LoadBitmap(HBITMAP& hBitmap, CArchive& ar, DWORD nRawSize) {
    ULONGLONG nAvailable = nRawSize != 0 ? nRawSize : ar.GetBytesLeft();
    DWORD nOffBits = 0;
    if (nRawSize == 0) {
        if (nAvailable < 14)
            return false;
        WORD wType, wReserved1, wReserved2;
        DWORD nFileSize;
        ar >> wType >> nFileSize >> wReserved1 >> wReserved2 >> nOffBits;
        if (wType != 0x4D42)
            return false;
        nAvailable -= 14;
    }
    if (nAvailable < sizeof(BITMAPINFOHEADER))
        return false;
    DWORD biSize;
    ar >> biSize;
    if (biSize < sizeof(BITMAPINFOHEADER) || biSize > kMaxInfoHeaderSize || biSize > nAvailable)
        return false;
    std::vector<BYTE> header(biSize);
    memcpy(header.data(), &biSize, sizeof biSize);
    if (ar.Read(header.data() + sizeof biSize, biSize - sizeof biSize) != biSize - sizeof biSize)
        return false;
    nAvailable -= biSize;
    BITMAPINFOHEADER bih;
    memcpy(&bih, header.data(), sizeof bih);

    const WORD nBpp = bih.biBitCount;
    if (bih.biPlanes != 1)
        return false;
    if (nBpp != 1 && nBpp != 4 && nBpp != 8 && nBpp != 16 && nBpp != 24 && nBpp != 32)
        return false;
    const bool bBitfields = bih.biCompression == BI_BITFIELDS;
    if (bih.biCompression != BI_RGB && !(bBitfields && (nBpp == 16 || nBpp == 32)))
        return false;
    // a negative height is a top-down picture
    const LONGLONG cy64 = bih.biHeight < 0 ? -(LONGLONG)bih.biHeight : (LONGLONG)bih.biHeight;
    if (bih.biWidth <= 0 || bih.biWidth > kMaxBitmapSide || cy64 <= 0 || cy64 > kMaxBitmapSide)
        return false;
    const LONG cy = (LONG)cy64;
    DWORD nColors = bih.biClrUsed;
    if (nBpp <= 8) {
        if (nColors == 0)
            nColors = 1u << nBpp;
        if (nColors > (1u << nBpp))
            return false;
    } else if (nColors > 256) {
        return false;
    }
    // masks follow a plain 40-byte header; a longer header holds them itself
    const DWORD nMasks = bBitfields && biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    const ULONGLONG nTable = (ULONGLONG)(nMasks + nColors) * 4;
    const ULONGLONG nImage = DibStride(bih.biWidth, nBpp) * (ULONGLONG)cy;
    if (nImage > kMaxBitmapBytes || nTable > nAvailable)
        return false;
    ULONGLONG nGap = 0;
    if (nOffBits != 0) {
        const ULONGLONG nPixelsAt = 14 + (ULONGLONG)biSize + nTable;
        if (nOffBits < nPixelsAt)
            return false;
        nGap = nOffBits - nPixelsAt;
    }
    if (nTable + nGap + nImage > nAvailable)
        return false;

    struct {
        BITMAPINFOHEADER bih;
        DWORD table[3 + 256];
    } info;
    memset(&info, 0, sizeof info);
    info.bih = bih;
    info.bih.biSize = sizeof(BITMAPINFOHEADER);
    info.bih.biSizeImage = 0;
    info.bih.biClrUsed = nColors;
    if (bBitfields && nMasks == 0)   // masks from the longer header
        memcpy(info.table, header.data() + sizeof(BITMAPINFOHEADER), 12);
    if (ar.Read(info.table + (bBitfields && nMasks == 0 ? 3 : 0), (UINT)nTable) != nTable)
        return false;
    BYTE skip[256];
    for (ULONGLONG left = nGap; left > 0;) {
        UINT n = left > sizeof skip ? (UINT)sizeof skip : (UINT)left;
        if (ar.Read(skip, n) != n)
            return false;
        left -= n;
    }
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hbm == NULL || pBits == NULL) {
        if (hbm != NULL)
            ::DeleteObject(hbm);
        return false;
    }
    if (ar.Read(pBits, (UINT)nImage) != nImage) {
        ::DeleteObject(hbm);
        return false;
    }
    hBitmap = hbm;
    return true;
}

bool CExtPaintManager::SerializeBitmap(HBITMAP& hBitmap, CArchive& ar, DWORD nRawSize) {
    try {
        if (ar.IsStoring())
            return StoreBitmap(hBitmap, ar);
        hBitmap = NULL;
        return LoadBitmap(hBitmap, ar, nRawSize);
    } catch (CException* e) {
        e->Delete();
        if (ar.IsLoading() && hBitmap != NULL) {
            ::DeleteObject(hBitmap);
            hBitmap = NULL;
        }
        return false;
    }
}

HBITMAP CExtPaintManager::LoadBitmapFile(LPCTSTR lpszPath) {
    HBITMAP hBitmap = NULL;
    try {
        CFile file;
        if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
            return NULL;
        CArchive ar(&file, CArchive::load, 4096);
        if (!SerializeBitmap(hBitmap, ar))
            hBitmap = NULL;
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    return hBitmap;
}

HBITMAP CExtPaintManager::LoadBitmapResource(HINSTANCE hInst, LPCTSTR lpszResource) {
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResource, (LPCSTR)RT_BITMAP);
    if (hRsrc == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const BYTE* p = hGlobal != NULL ? static_cast<const BYTE*>(::LockResource(hGlobal)) : NULL;
    const DWORD nSize = ::SizeofResource(hInst, hRsrc);
    if (p == NULL || nSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    try {
        CMemFile file(const_cast<BYTE*>(p), nSize);
        CArchive ar(&file, CArchive::load, 4096);
        if (!SerializeBitmap(hBitmap, ar, nSize))
            hBitmap = NULL;
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return NULL;
    }
    return hBitmap;
}
