#include "CDC.h"
#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"

IMPLEMENT_DYNCREATE(CDC, CObject)

namespace {

CDC* NewTempDC(HDC hDC) {
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = hDC;
    return pDC;
}

void DetachTempDC(CDC* pDC) { pDC->m_hDC = pDC->m_hAttribDC = NULL; }

// Callers pass optional objects as NULL pointers and ask them for their handle. Inside a
// member function the compiler takes `this` to be non-null and drops such a test, so the
// test lives here, in a function kept out of every optimisation across calls.
__attribute__((noipa)) HDC SafeHdcOf(const CDC* pDC) { return pDC != NULL ? pDC->m_hDC : NULL; }

}  // namespace

CHandleMap<CDC, HDC>* AFXAPI AfxGetDCMap(BOOL bCreate) {
    return CHandleMap<CDC, HDC>::ForThread(bCreate, &NewTempDC, &DetachTempDC);
}

CDC::~CDC() {
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

HDC CDC::GetSafeHdc() const { return SafeHdcOf(this); }

CDC* PASCAL CDC::FromHandle(HDC hDC) {
    CHandleMap<CDC, HDC>* pMap = AfxGetDCMap();
    return pMap != NULL ? pMap->FromHandle(hDC) : NULL;
}

BOOL CDC::Attach(HDC hDC) {
    ASSERT(m_hDC == NULL);
    if (hDC == NULL)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    if (CHandleMap<CDC, HDC>* pMap = AfxGetDCMap())
        pMap->SetPermanent(hDC, this);
    return TRUE;
}

HDC CDC::Detach() {
    HDC hDC = m_hDC;
    if (hDC != NULL) {
        CHandleMap<CDC, HDC>* pMap = AfxGetDCMap(FALSE);
        if (pMap != NULL && pMap->LookupPermanent(hDC) == this)
            pMap->RemoveHandle(hDC);
    }
    m_hDC = m_hAttribDC = NULL;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) { return Attach(::CreateCompatibleDC(pDC->GetSafeHdc())); }

BOOL CDC::DeleteDC() {
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* pPen) {
    return CPen::FromHandle((HPEN)::SelectObject(m_hDC, pPen->GetSafeHandle()));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    return CBrush::FromHandle((HBRUSH)::SelectObject(m_hDC, pBrush->GetSafeHandle()));
}

CFont* CDC::SelectObject(CFont* pFont) {
    return CFont::FromHandle((HFONT)::SelectObject(m_hDC, pFont->GetSafeHandle()));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    return CBitmap::FromHandle((HBITMAP)::SelectObject(m_hDC, pBitmap->GetSafeHandle()));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
    HGDIOBJ hObject = pObject->GetSafeHandle();
    // a region is not swapped in but copied into the clip region: no object comes back
    if (hObject != NULL && ::GetObjectType(hObject) == OBJ_REGION) {
        ::SelectClipRgn(m_hDC, (HRGN)hObject);
        return NULL;
    }
    return CGdiObject::FromHandle(::SelectObject(m_hDC, hObject));
}

int CDC::SelectObject(CRgn* pRgn) {
    // SelectObject answers the region type in the handle's place for regions
    return (int)(INT_PTR)::SelectObject(m_hDC, pRgn->GetSafeHandle());
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(nIndex)));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, (HPALETTE)pPalette->GetSafeHandle(), bForceBackground));
}

int CDC::SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), nMode);
}

CPoint CDC::GetWindowOrg() const {
    POINT point = {0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y) {
    POINT point = {0, 0};
    ::SetWindowOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::GetViewportOrg() const {
    POINT point = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT point = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight) {
    POINT point = {0, 0};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &point);
    return point;
}

CSize CDC::GetWindowExt() const {
    SIZE size = {0, 0};
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::GetViewportExt() const {
    SIZE size = {0, 0};
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy) {
    SIZE size = {0, 0};
    ::SetWindowExtEx(m_hDC, cx, cy, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy) {
    SIZE size = {0, 0};
    ::SetViewportExtEx(m_hDC, cx, cy, &size);
    return size;
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const {
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush) {
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags,
                     (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush) {
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y,
                        size.cx, size.cy, nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText,
                    int nTextLen, CBrush* pBrush) {
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen,
                     (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FillRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    ::FrameRect(m_hDC, lpRect, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
    return ::FillRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
    return ::FrameRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), (HBRUSH)pBrush->GetSafeHandle(),
                      nWidth, nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()); }

CPoint CDC::GetCurrentPosition() const {
    POINT point = {0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::MoveTo(int x, int y) {
    POINT point = {0, 0};
    ::MoveToEx(m_hDC, x, y, &point);
    return point;
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                 DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC->GetSafeHdc(), xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor) {
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor) {
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left,
               lpRect->bottom - lpRect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

namespace {
HBRUSH CreateHalftoneBrush() {
    // rows alternate 0x55 and 0xAA: every other pixel, shifted by one on each row
    WORD pattern[8];
    for (int i = 0; i < 8; ++i)
        pattern[i] = (WORD)((i & 1) ? 0xAA : 0x55);
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern);
    if (hBitmap == NULL)
        return NULL;
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    ::DeleteObject(hBitmap);
    return hBrush;
}
}  // namespace

CBrush* PASCAL CDC::GetHalftoneBrush() {
    static CBrush s_brush;
    static const bool s_made = s_brush.Attach(CreateHalftoneBrush()) != FALSE;
    (void)s_made;
    return &s_brush;
}
