#include "CBitmap.h"
#include "CDC.h"
#include <commctrl.h>

IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)

namespace {
HINSTANCE FindBitmapModule(LPCTSTR lpszResourceName) {
    HINSTANCE hResource = AfxGetResourceHandle();
    if (::FindResourceA(hResource, lpszResourceName, (LPCSTR)RT_BITMAP) != NULL)
        return hResource;
    return AfxGetInstanceHandle();
}
}  // namespace

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    return Attach(::LoadBitmapA(FindBitmapModule(lpszResourceName), lpszResourceName));
}

BOOL CBitmap::LoadMappedBitmap(UINT nIDBitmap, UINT nFlags, LPCOLORMAP lpColorMap, int nMapSize) {
    HINSTANCE hModule = FindBitmapModule(MAKEINTRESOURCEA(nIDBitmap));
    return Attach(::CreateMappedBitmap(hModule, (INT_PTR)nIDBitmap, nFlags, lpColorMap, nMapSize));
}

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount,
                           const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) {
    return Attach(::CreateBitmapIndirect(lpBitmap));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), nWidth, nHeight));
}

CSize CBitmap::GetSize() const {
    BITMAP bm;
    if (m_hObject == NULL || GetBitmap(&bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}
