// Helpers shared by the button and menu painting tests.
#pragma once
#include "orv/gtest.h"
#include "RenderHarness.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerStudio2005.h"

namespace orvtest {

// A 16 x 16 opaque icon of one colour.
inline HICON MakeSolidIcon(COLORREF clr, int cx = 16, int cy = 16) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hColor = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    DWORD* px = static_cast<DWORD*>(pBits);
    for (int i = 0; i < cx * cy; i++)
        px[i] = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
    HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hMask);
    ::PatBlt(hdc, 0, 0, cx, cy, BLACKNESS);   // all opaque
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ICONINFO ii = {};
    ii.fIcon = TRUE;
    ii.hbmColor = hColor;
    ii.hbmMask = hMask;
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColor);
    ::DeleteObject(hMask);
    return hIcon;
}

// The background the probing tests paint on: a colour no look uses.
const COLORREF kBack = RGB(0, 128, 128);

// The painter installed now.
inline CExtPaintManager& pm() { return *g_PaintManager.GetPaintManager(); }

// A new painter of a look: 0 classic, 1 XP, 2 Office 2003, 3 Studio 2005.
inline CExtPaintManager* NewLook(int nLook) {
    switch (nLook) {
    case 0: return new CExtPaintManager;
    case 1: return new CExtPaintManagerXP;
    case 2: return new CExtPaintManagerOffice2003;
    default: return new CExtPaintManagerStudio2005;
    }
}

// Whether the painters see more than 256 colours (the test runs on both kinds of display).
inline bool HighColor() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

// Painting tests free the framework's temporary objects after each test.
class PaintTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
};

inline std::string RectText(const CRect& rc) {
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
           std::to_string(rc.right) + "," + std::to_string(rc.bottom) + ")";
}

}  // namespace orvtest
