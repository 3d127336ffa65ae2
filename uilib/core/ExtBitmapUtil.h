// Bitmap routines of the command layer: 32-bit copies of (a part of) a bitmap, icons made from a
// bitmap and its transparent colour, and bitmaps made from a packed-DIB bitmap resource.
#pragma once
#include <afx.h>

class CExtBitmapUtil {
public:
    // A 32-bit top-down DIB section holding the given rectangle of the bitmap (NULL: all of it);
    // NULL when the bitmap is NULL, the rectangle is empty or GDI fails. ppBits receives the
    // section's pixels when given.
    static HBITMAP CopyBitmapPart(HBITMAP hBitmap, const RECT* pRect = NULL, COLORREF** ppBits = NULL);
    // A 32-bit top-down DIB section of the size filled with the colour.
    static HBITMAP CreateFilled32(int cx, int cy, COLORREF clr, COLORREF** ppBits = NULL);
    // An icon of the bitmap's size: every pixel equal to the transparent colour is masked out.
    static HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent);
    // A bitmap from a bitmap resource (a packed DIB: info header, colour table, pixels); NULL
    // when the resource is missing or its header is not sound.
    static HBITMAP LoadBitmapResource(HINSTANCE hInst, HRSRC hRsrc);
    // Pixel (x, y) of a 32-bit top-down buffer as a COLORREF (and back).
    static COLORREF FromDib(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }
    static DWORD ToDib(COLORREF clr) { return (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr); }
};
