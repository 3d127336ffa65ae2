#include "ExtBitmapUtil.h"
#include "CExtPaintManager.h"
#include <string>

namespace {

HBITMAP MakeSection(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pv = NULL;
    HBITMAP h = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pv, NULL, 0);
    *ppBits = (DWORD*)pv;
    return h;
}

}  // namespace

HBITMAP CExtBitmapUtil::CopyBitmapPart(HBITMAP hBitmap, const RECT* pRect, COLORREF** ppBits)
{
    if (hBitmap == NULL)
        return NULL;
    BITMAP bm = {};
    if (::GetObjectA(hBitmap, sizeof(bm), &bm) == 0)
        return NULL;
    RECT rc = {0, 0, bm.bmWidth, bm.bmHeight};
    if (pRect != NULL)
        rc = *pRect;
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return NULL;
    DWORD* pBits = NULL;
    HBITMAP hCopy = MakeSection(cx, cy, &pBits);
    if (hCopy == NULL)
        return NULL;
    HDC hSrc = ::CreateCompatibleDC(NULL);
    HDC hDst = ::CreateCompatibleDC(NULL);
    HGDIOBJ oldSrc = ::SelectObject(hSrc, hBitmap);
    HGDIOBJ oldDst = ::SelectObject(hDst, hCopy);
    ::BitBlt(hDst, 0, 0, cx, cy, hSrc, rc.left, rc.top, SRCCOPY);
    ::SelectObject(hSrc, oldSrc);
    ::SelectObject(hDst, oldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);
    ::GdiFlush();
    if (ppBits != NULL)
        *ppBits = (COLORREF*)pBits;
    return hCopy;
}

HBITMAP CExtBitmapUtil::CreateFilled32(int cx, int cy, COLORREF clr, COLORREF** ppBits)
{
    if (cx <= 0 || cy <= 0)
        return NULL;
    DWORD* pBits = NULL;
    HBITMAP h = MakeSection(cx, cy, &pBits);
    if (h == NULL)
        return NULL;
    const DWORD px = ToDib(clr);
    for (size_t i = 0, n = (size_t)cx * cy; i < n; ++i)
        pBits[i] = px;
    if (ppBits != NULL)
        *ppBits = (COLORREF*)pBits;
    return h;
}

HICON CExtBitmapUtil::CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent)
{
    COLORREF* pBitsRef = NULL;
    HBITMAP hColor = CopyBitmapPart(hBitmap, NULL, &pBitsRef);
    if (hColor == NULL)
        return NULL;
    BITMAP bm = {};
    ::GetObjectA(hColor, sizeof(bm), &bm);
    DWORD* pBits = (DWORD*)pBitsRef;
    // monochrome mask: 1 where transparent; rows padded to 16 bits
    const int stride = ((bm.bmWidth + 15) / 16) * 2;
    std::string mask((size_t)stride * bm.bmHeight, '\0');
    const DWORD key = ToDib(clrTransparent);
    for (int y = 0; y < bm.bmHeight; ++y) {
        for (int x = 0; x < bm.bmWidth; ++x) {
            DWORD& px = pBits[(size_t)y * bm.bmWidth + x];
            if ((px & 0xFFFFFF) == key) {
                mask[(size_t)y * stride + x / 8] |= (char)(0x80 >> (x % 8));
                px = 0;  // transparent pixels draw nothing over the screen (XOR with 0)
            }
        }
    }
    HBITMAP hMask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, mask.data());
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = hColor;
    ii.hbmMask = hMask;
    HICON hIcon = hMask != NULL ? ::CreateIconIndirect(&ii) : NULL;
    ::DeleteObject(hColor);
    if (hMask != NULL)
        ::DeleteObject(hMask);
    return hIcon;
}

HBITMAP CExtBitmapUtil::LoadBitmapResource(HINSTANCE hInst, HRSRC hRsrc)
{
    // A bitmap resource is a BMP image without its file header; the painter's checked loader
    // reads it from a memory file over the resource's bytes.
    if (hRsrc == NULL)
        return NULL;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const DWORD nSize = ::SizeofResource(hInst, hRsrc);
    BYTE* p = hGlobal != NULL ? (BYTE*)::LockResource(hGlobal) : NULL;
    if (p == NULL || nSize == 0)
        return NULL;
    HBITMAP h = NULL;
    try {
        CMemFile file(p, nSize);
        CArchive ar(&file, CArchive::load);
        if (!CExtPaintManager::SerializeBitmap(h, ar, nSize))
            h = NULL;
        ar.Abort();
        file.Detach();
    } catch (CException* e) {
        e->Delete();
        h = NULL;
    }
    return h;
}
