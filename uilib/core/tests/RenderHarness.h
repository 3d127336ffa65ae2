// Render harness of the UI library's tests: installs a painter, paints elements into a 32-bit
// DIB on a memory DC compatible with the screen (so the painters see the display's depth: run
// the test on a 24-bit and on an 8-bit display), probes pixels and keeps each picture as a PNG
// (build/screenshots/NAME_DEPTH.png) for a person to look at.
//
// Library uilib_render_harness; later UI tests link it too.
#pragma once
#include "CExtPaintManagerHolder.h"
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace orvtest {

// The depth the test's display was started with (the gui harness's DEPTH option), 24 unless
// said otherwise.
int DisplayDepth();

// A top-down 32-bit DIB selected into a memory DC compatible with the screen.
class RenderCanvas {
public:
    RenderCanvas(int cx, int cy, COLORREF clrBackground = RGB(255, 255, 255));
    ~RenderCanvas();
    RenderCanvas(const RenderCanvas&) = delete;
    RenderCanvas& operator=(const RenderCanvas&) = delete;

    bool Valid() const { return m_pBits != NULL; }
    CDC& dc() { return m_dc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Fill(COLORREF clr);

    // The pixel as a COLORREF; 0xFFFFFFFF outside the canvas.
    COLORREF At(int x, int y) const;
    // Pixels of exactly this colour in the rectangle (clipped to the canvas).
    int Count(COLORREF clr, const RECT& rc) const;
    // Pixels in the rectangle that are not this colour.
    int CountOther(COLORREF clr, const RECT& rc) const;
    // The bounding box of the pixels of this colour in the rectangle (empty when none).
    CRect Bounds(COLORREF clr, const RECT& rc) const;

    // Keeps the picture as NAME_DEPTH.png, scaled up by nScale so small elements can be seen.
    bool Keep(const std::string& name, int nScale = 3) const;

private:
    int m_cx, m_cy;
    DWORD* m_pBits = NULL;
    HBITMAP m_hBitmap = NULL;
    HGDIOBJ m_hOldBitmap = NULL;
    CDC m_dc;
};

// Installs a painter for the life of the object (NULL: the default XP look), then the
// default again.
class ScopedPainter {
public:
    explicit ScopedPainter(CExtPaintManager* pPainter);
    ~ScopedPainter();
    CExtPaintManager* operator->() const { return g_PaintManager.GetPaintManager(); }
    CExtPaintManager& operator*() const { return *g_PaintManager.GetPaintManager(); }
};

// System answers of Windows XP SP2 with a Luna visual style in the given colour scheme
// ("normalcolor" is the blue one), with taskband colours.
class XpLunaSystem : public CExtPaintManagerHolder::SystemAnswers {
public:
    explicit XpLunaSystem(const char* pszColorName = "normalcolor",
                          const char* pszThemeFile = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles");
    BOOL GetVersion(OSVERSIONINFOA& osvi) override;
    HMODULE BindUxThemeModule() override;
    FARPROC GetUxThemeProc(HMODULE hModule, LPCSTR lpszName) override;
    BOOL IsAppThemed(CExtPaintManagerHolder& holder) override;
    BOOL GetCurrentThemeName(CExtPaintManagerHolder& holder, CString& strFile,
                             CString& strColor) override;
    bool GetTaskbandColors(CExtPaintManagerHolder& holder, COLORREF* pColors) override;

    OSVERSIONINFOA m_version;
    CString m_strFile, m_strColor;
    // the blue taskband of Windows XP unless a test changes them
    COLORREF m_taskband[CExtPaintManagerHolder::TaskbandColorCount] = {
        RGB(255, 255, 255), RGB(241, 239, 226), RGB(172, 168, 153), RGB(113, 111, 100),
        RGB(236, 233, 216), RGB(0, 84, 227), RGB(61, 149, 255)};
};

// Gives the holder other system answers for the life of the object, then the real ones.
class ScopedSystemAnswers {
public:
    explicit ScopedSystemAnswers(CExtPaintManagerHolder::SystemAnswers* pAnswers) {
        g_PaintManager.SetSystemAnswers(pAnswers);
    }
    // the real answers again, and the painter re-initialised with them
    ~ScopedSystemAnswers() {
        g_PaintManager.SetSystemAnswers(NULL);
        g_PaintManager->OnThemeChanged(0, 0);
    }
};

// Sets system colours for the life of the object (the test's own prefix and display), then
// puts the old ones back; the painter is re-initialised both times.
class ScopedSysColors {
public:
    ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colors);
    ~ScopedSysColors();

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_old;
};

}  // namespace orvtest
