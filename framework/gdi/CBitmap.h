// Bitmap wrapper: device-dependent bitmaps, bitmaps loaded from resources, and DIB sections
// (made with ::CreateDIBSection and given to Attach).
#pragma once
#include "CGdiObject.h"
#include <commctrl.h>

class CDC;

class CBitmap : public CGdiObject {
    DECLARE_DYNAMIC(CBitmap)
public:
    CBitmap() = default;

    static CBitmap* PASCAL FromHandle(HBITMAP hBitmap) {
        return static_cast<CBitmap*>(CGdiObject::FromHandle(hBitmap));
    }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }

    // From the resource module first, then the program (AfxGetResourceHandle,
    // AfxGetInstanceHandle).
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
    // A resource bitmap with the standard button colours mapped to the current system colours
    // (or through lpColorMap).
    BOOL LoadMappedBitmap(UINT nIDBitmap, UINT nFlags = 0, LPCOLORMAP lpColorMap = NULL,
                          int nMapSize = 0);
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateBitmapIndirect(LPBITMAP lpBitmap);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);

    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    CSize GetSize() const;   // width and height, (0, 0) without a bitmap
};
