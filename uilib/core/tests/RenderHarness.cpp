// Render harness of the UI library's tests.
#include "RenderHarness.h"
#include "CExtPaintManagerXP.h"
#include "orv/TestEnv.h"
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace orvtest {

int DisplayDepth() {
    std::string depth = env("ORV_DISPLAY_DEPTH");
    return depth.empty() ? 24 : atoi(depth.c_str());
}

RenderCanvas::RenderCanvas(int cx, int cy, COLORREF clrBackground) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (m_hBitmap == NULL || pBits == NULL || !m_dc.CreateCompatibleDC(NULL))
        return;
    m_pBits = static_cast<DWORD*>(pBits);
    m_hOldBitmap = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    Fill(clrBackground);
}

RenderCanvas::~RenderCanvas() {
    if (m_hOldBitmap != NULL)
        ::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
    m_dc.DeleteDC();
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

void RenderCanvas::Fill(COLORREF clr) { m_dc.FillSolidRect(0, 0, m_cx, m_cy, clr); }

COLORREF RenderCanvas::At(int x, int y) const {
    if (m_pBits == NULL || x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return 0xFFFFFFFF;
    ::GdiFlush();
    DWORD v = m_pBits[y * m_cx + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int RenderCanvas::Count(COLORREF clr, const RECT& rc) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            n += At(x, y) == clr;
    return n;
}

int RenderCanvas::CountOther(COLORREF clr, const RECT& rc) const {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++) {
            COLORREF c = At(x, y);
            n += c != clr && c != 0xFFFFFFFF;
        }
    return n;
}

CRect RenderCanvas::Bounds(COLORREF clr, const RECT& rc) const {
    CRect r(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (At(x, y) == clr) {
                r.left = std::min<int>(r.left, x);
                r.top = std::min<int>(r.top, y);
                r.right = std::max<int>(r.right, x + 1);
                r.bottom = std::max<int>(r.bottom, y + 1);
            }
    return r.left == INT_MAX ? CRect(0, 0, 0, 0) : r;
}

bool RenderCanvas::Keep(const std::string& name, int nScale) const {
    if (m_pBits == NULL)
        return false;
    ::GdiFlush();
    if (nScale < 1)
        nScale = 1;
    std::vector<unsigned int> scaled((size_t)m_cx * nScale * m_cy * nScale);
    for (int y = 0; y < m_cy * nScale; y++)
        for (int x = 0; x < m_cx * nScale; x++)
            // opaque: icons and inverted pixels leave values in the fourth byte, which the
            // converter would otherwise read as transparency
            scaled[(size_t)y * m_cx * nScale + x] =
                m_pBits[(y / nScale) * m_cx + x / nScale] | 0xFF000000u;
    return savePicture(name + "_" + std::to_string(DisplayDepth()), m_cx * nScale,
                       m_cy * nScale, scaled.data());
}

ScopedPainter::ScopedPainter(CExtPaintManager* pPainter) {
    g_PaintManager.InstallPaintManager(pPainter != NULL ? pPainter : new CExtPaintManagerXP);
}

ScopedPainter::~ScopedPainter() { g_PaintManager.InstallPaintManager(NULL); }

// ---- Windows XP with a Luna style ----------------------------------------------------------

namespace {
BOOL WINAPI FakeUxProc() { return TRUE; }
const HMODULE kFakeUxTheme = reinterpret_cast<HMODULE>(static_cast<UINT_PTR>(0x7E000000));
}  // namespace

XpLunaSystem::XpLunaSystem(const char* pszColorName, const char* pszThemeFile)
    : m_strFile(pszThemeFile), m_strColor(pszColorName) {
    memset(&m_version, 0, sizeof m_version);
    m_version.dwOSVersionInfoSize = sizeof m_version;
    m_version.dwMajorVersion = 5;
    m_version.dwMinorVersion = 1;
    m_version.dwBuildNumber = 2600;
    m_version.dwPlatformId = VER_PLATFORM_WIN32_NT;
    lstrcpynA(m_version.szCSDVersion, "Service Pack 2", sizeof m_version.szCSDVersion);
}

BOOL XpLunaSystem::GetVersion(OSVERSIONINFOA& osvi) {
    osvi = m_version;
    return TRUE;
}

HMODULE XpLunaSystem::BindUxThemeModule() { return kFakeUxTheme; }

// Every entry point is present; the holder only calls the ones below through these answers.
FARPROC XpLunaSystem::GetUxThemeProc(HMODULE, LPCSTR) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeUxProc));
}

BOOL XpLunaSystem::IsAppThemed(CExtPaintManagerHolder&) { return TRUE; }

BOOL XpLunaSystem::GetCurrentThemeName(CExtPaintManagerHolder&, CString& strFile,
                                       CString& strColor) {
    strFile = m_strFile;
    strColor = m_strColor;
    return TRUE;
}

bool XpLunaSystem::GetTaskbandColors(CExtPaintManagerHolder&, COLORREF* pColors) {
    memcpy(pColors, m_taskband, sizeof m_taskband);
    return true;
}

ScopedSysColors::ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colors) {
    std::vector<COLORREF> values;
    for (const auto& c : colors) {
        m_indexes.push_back(c.first);
        m_old.push_back(::GetSysColor(c.first));
        values.push_back(c.second);
    }
    ::SetSysColors((int)m_indexes.size(), m_indexes.data(), values.data());
    g_PaintManager->OnSysColorChange();
}

ScopedSysColors::~ScopedSysColors() {
    ::SetSysColors((int)m_indexes.size(), m_indexes.data(), m_old.data());
    g_PaintManager->OnSysColorChange();
}

}  // namespace orvtest
