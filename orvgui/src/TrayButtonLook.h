// How the tray caption button looks and where it sits, apart from the window that shows it: its
// rectangle from the window's styles and the system metrics, the picture cell for its state, the
// Luna colour scheme's bitmap by theme name, and its three ways of drawing (scheme bitmap,
// visual styles, classic frame and glyph). CDialogMinTrayBtn uses these.
#pragma once

#include <windows.h>

class ThemeLibrary;

class TrayButtonLook {
public:
    // The system metrics the layout reads.
    struct Metrics {
        int cyCaption;     // SM_CYCAPTION
        int cySmCaption;   // SM_CYSMCAPTION
        int cxFrame, cyFrame;         // SM_CXFRAME, SM_CYFRAME
        int cxDlgFrame, cyDlgFrame;   // SM_CXDLGFRAME, SM_CYDLGFRAME
        static Metrics System();
    };
    enum { kCellSize = 21, kCellCount = 8, kWindowPartMinButton = 15 };

    // The button in window coordinates for a window of that width.
    static RECT Layout(DWORD style, DWORD exStyle, int windowWidth, bool classic, const Metrics& metrics);
    // Whether a point in window coordinates hits the button (its rectangle less 2 pixels at top
    // and bottom).
    static bool HitTest(const RECT& button, POINT point);
    // Picture cell 1..8: 1 normal, 2 hover, 3 pressed, 4 disabled; 4 more when the caption is
    // inactive.
    static int CellIndex(bool enabled, bool hover, bool pressed, bool active);
    // The scheme bitmap's resource name for a theme file and colour name, or null.
    static const char* SchemeBitmapName(const char* themeFile, const char* colorName);
    // The classic glyph's bar inside the frame (already shrunk by 2) for a button of height h.
    static RECT ClassicGlyph(const RECT& inner, int height, bool pressed);

    // The blending function of MSIMG32, bound once; null when missing.
    typedef BOOL(WINAPI* TransparentBltFunction)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    static TransparentBltFunction TransparentBlt();

    static void DrawBitmap(HDC dc, const RECT& button, HBITMAP scheme, int cell);
    static void DrawThemed(ThemeLibrary& theme, HWND window, HDC dc, const RECT& button, int cell);
    static void DrawClassic(HDC dc, const RECT& button, bool pressed, bool enabled);
};
