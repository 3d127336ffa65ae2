// The holder and the painters' tables: installing, the OS and visual-style answers through the
// seam, colour lookup, blended brushes, fonts and their re-initialisation on system changes.
#include "orv/gtest.h"
#include "RenderHarness.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"

namespace {

using orvtest::ScopedPainter;
using orvtest::ScopedSysColors;
using orvtest::ScopedSystemAnswers;
using orvtest::XpLunaSystem;
typedef CExtPaintManagerHolder H;

class PainterTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
};

// A painter that counts its destruction and its (re)initialisation.
class CountingPainter : public CExtPaintManager {
public:
    explicit CountingPainter(int* pDeleted) : m_pDeleted(pDeleted) {}
    ~CountingPainter() override { ++*m_pDeleted; }
    void InitTranslatedColors() override {
        ++m_nInits;
        CExtPaintManager::InitTranslatedColors();
    }
    int m_nInits = 0;

private:
    int* m_pDeleted;
};

TEST_F(PainterTest, TheHolderStartsWithTheXpLook) {
    // installed during static initialisation, before any test ran
    ASSERT_NE(nullptr, g_PaintManager.GetPaintManager());
    EXPECT_EQ(2, g_PaintManager->GetThemeKind());
}

TEST_F(PainterTest, InstallingTheSamePainterKeepsItAndNullInstallsXp) {
    int nDeleted = 0;
    CountingPainter* p = new CountingPainter(&nDeleted);
    ASSERT_TRUE(g_PaintManager.InstallPaintManager(p));
    EXPECT_EQ(p, g_PaintManager.GetPaintManager());
    EXPECT_EQ(1, p->m_nInits);
    EXPECT_TRUE(g_PaintManager.InstallPaintManager(p));   // again: nothing happens
    EXPECT_EQ(p, g_PaintManager.GetPaintManager());
    EXPECT_EQ(1, p->m_nInits);
    EXPECT_EQ(0, nDeleted);
    EXPECT_TRUE(g_PaintManager.InstallPaintManager(NULL));
    EXPECT_EQ(1, nDeleted);   // the old one is deleted
    EXPECT_TRUE(g_PaintManager->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)));
    EXPECT_TRUE(g_PaintManager.EnsureInstalled());
}

TEST_F(PainterTest, TheFourLooksAndTheirSmallAnswers) {
    struct Case {
        CRuntimeClass* pClass;
        int kind, spacing;
        CSize offset;
        bool studio;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), 1, 6, CSize(1, 1), false},
        {RUNTIME_CLASS(CExtPaintManagerXP), 2, 3, CSize(0, 0), false},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 3, 3, CSize(0, 0), false},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), 4, 3, CSize(0, 0), true},
    };
    for (const Case& c : cases) {
        // created by name, as the program's theme choice may be
        CObject* pObject = CRuntimeClass::CreateObject(c.pClass->m_lpszClassName);
        ASSERT_NE(nullptr, pObject) << c.pClass->m_lpszClassName;
        ScopedPainter painter(static_cast<CExtPaintManager*>(pObject));
        EXPECT_EQ(c.kind, painter->GetThemeKind()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(c.spacing, painter->GetMenuSpacing()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(c.offset, painter->GetPushedContentOffset()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(c.studio, painter->IsStudioStyle()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(CSize(6, 6), painter->GetMarkerSize());
    }
    ScopedPainter office(new CExtPaintManagerOffice2003);
    EXPECT_GE(office->GetMenuCheckHeight(), 18);
    EXPECT_EQ(CSize(0, -1), static_cast<CExtPaintManagerOffice2003&>(*office).GetBarLayoutAdjust(true));
    EXPECT_EQ(CSize(0, 0), static_cast<CExtPaintManagerOffice2003&>(*office).GetBarLayoutAdjust(false));
}

// ---- the OS and visual-style seam ----------------------------------------------------------

TEST_F(PainterTest, WineAnswersForItself) {
    // Wine: an NT system of major 6 (or later) and no Luna style
    EXPECT_TRUE(g_PaintManager.IsWinNT());
    EXPECT_TRUE(g_PaintManager.IsWinNT5OrLater());
    EXPECT_EQ(H::LunaNone, g_PaintManager.m_eLunaScheme);
    EXPECT_EQ(0, g_PaintManager.m_nUxThemeFlags & H::UxTaskbandColors);
    EXPECT_NE(0, g_PaintManager.m_nUxThemeFlags & H::UxAllowed);
    EXPECT_NE(nullptr, g_PaintManager.m_pfnGradientFill);
}

TEST_F(PainterTest, XpBlueThroughTheSeam) {
    XpLunaSystem xp("NormalColor");
    ScopedSystemAnswers answers(&xp);
    EXPECT_EQ(CString("Windows XP v.5.1 (build 2600) Service Pack 2"), g_PaintManager.m_strOsVer);
    EXPECT_EQ(H::OsWinNT, g_PaintManager.m_nOsFlagsA);
    EXPECT_EQ(H::OsWinXP | H::OsWinNT4OrLater | H::OsWinNT5OrLater | H::OsNewerThan2000,
              g_PaintManager.m_nOsFlagsB);
    EXPECT_EQ(H::UxBound | H::UxAppThemed | H::UxTaskbandColors | H::UxAllowed,
              g_PaintManager.m_nUxThemeFlags);
    EXPECT_EQ(H::LunaNormalColor, g_PaintManager.m_eLunaScheme);
    EXPECT_EQ(RGB(0, 84, 227), g_PaintManager.m_clrTaskband[5]);
    CExtPaintManagerOffice2003 office;
    CExtPaintManagerStudio2005 studio;
    EXPECT_TRUE(office.UseLunaColors());
    EXPECT_TRUE(studio.UseLunaColors());
}

TEST_F(PainterTest, LunaSchemesAndOtherSystemsTable) {
    struct Case {
        const char* color;
        const char* file;
        int scheme;
        bool office, studio;
    };
    const Case cases[] = {
        {"normalcolor", "C:\\x\\luna.msstyles", H::LunaNormalColor, true, true},
        {"HomeStead", "C:\\x\\Luna.MSSTYLES", H::LunaHomestead, true, false},
        {"metallic", "C:\\x\\luna.msstyles", H::LunaMetallic, true, true},
        {"normalcolor", "C:\\x\\royale.msstyles", H::LunaNone, false, false},
        {"blue", "C:\\x\\luna.msstyles", H::LunaNone, false, false},
    };
    for (const Case& c : cases) {
        XpLunaSystem xp(c.color, c.file);
        ScopedSystemAnswers answers(&xp);
        EXPECT_EQ(c.scheme, g_PaintManager.m_eLunaScheme) << c.color << " " << c.file;
        EXPECT_EQ(c.office, CExtPaintManagerOffice2003().UseLunaColors()) << c.color;
        EXPECT_EQ(c.studio, CExtPaintManagerStudio2005().UseLunaColors()) << c.color;
        EXPECT_TRUE(CExtPaintManagerXP().UseLunaColors()) << c.color;
    }

    struct Os {
        DWORD platform, major, minor;
        const char* text;
        BYTE a, b;
    };
    const Os systems[] = {
        {VER_PLATFORM_WIN32_NT, 5, 0, "Windows 2000 v.5.0 (build 2600) Service Pack 2",
         H::OsWinNT | H::OsWin2000, H::OsWinNT4OrLater | H::OsWinNT5OrLater},
        {VER_PLATFORM_WIN32_NT, 5, 2, " v.5.2 (build 2600) Service Pack 2", H::OsWinNT,
         H::OsWinNT4OrLater | H::OsWinNT5OrLater | H::OsNewerThan2000},
        {VER_PLATFORM_WIN32_NT, 4, 0, "Windows NT v.4.0 (build 2600) Service Pack 2",
         H::OsWinNT | H::OsWinNT4, H::OsWinNT4OrLater},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, "Windows 95 v.4.0 (build 2600) Service Pack 2",
         H::OsWin9x | H::OsWin95, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, "Windows 98 v.4.10 (build 2600) Service Pack 2",
         H::OsWin9x | H::OsWin98 | H::OsWin98OrLater, 0},
        {VER_PLATFORM_WIN32_WINDOWS, 5, 0, "Windows 98 or later v.5.0 (build 2600) Service Pack 2",
         H::OsWin9x | H::OsWin98OrLater, 0},
    };
    for (const Os& os : systems) {
        XpLunaSystem sys;
        sys.m_version.dwPlatformId = os.platform;
        sys.m_version.dwMajorVersion = os.major;
        sys.m_version.dwMinorVersion = os.minor;
        ScopedSystemAnswers answers(&sys);
        EXPECT_EQ(CString(os.text), g_PaintManager.m_strOsVer);
        EXPECT_EQ(os.a, g_PaintManager.m_nOsFlagsA) << os.text;
        EXPECT_EQ(os.b, g_PaintManager.m_nOsFlagsB) << os.text;
        // the Office 2003 icon tint needs NT 5 or later
        CExtPaintManagerOffice2003 office;
        EXPECT_EQ((os.b & H::OsWinNT5OrLater) != 0, office.GetIconTintColor() != (COLORREF)-1)
            << os.text;
    }
}

// ---- colours, brushes, fonts ---------------------------------------------------------------

TEST_F(PainterTest, ClassicColorLookupTable) {
    ScopedPainter painter(new CExtPaintManager);
    struct Case {
        int index;
        int sysColor;
    };
    const Case cases[] = {
        {0, 0},          {15, COLOR_3DFACE},      {49, 49},
        {50, COLOR_3DFACE},  // past the table
        {-3, COLOR_3DFACE},
        {1000, COLOR_3DFACE}, {1001, COLOR_3DFACE},   {1002, COLOR_3DLIGHT},
        {1004, COLOR_3DHILIGHT}, {1005, COLOR_3DHILIGHT}, {1006, COLOR_3DSHADOW},
        {1007, COLOR_3DSHADOW}, {1008, COLOR_3DDKSHADOW}, {1010, COLOR_WINDOWTEXT},
        {1011, COLOR_WINDOWTEXT}, {2000, COLOR_3DFACE}, {2002, COLOR_3DLIGHT},
        {2004, COLOR_3DHILIGHT}, {2006, COLOR_3DSHADOW}, {2008, COLOR_3DDKSHADOW},
        {2010, COLOR_3DSHADOW},  // not the window text like 1010
        {1500, COLOR_3DFACE}, {2001, COLOR_3DFACE},     // no entry
    };
    for (const Case& c : cases)
        EXPECT_EQ(::GetSysColor(c.sysColor), painter->GetColor(c.index)) << "index " << c.index;
    // brushes: system brushes by number, the face brush for anything else (theme indexes too)
    EXPECT_EQ(::GetSysColorBrush(COLOR_WINDOW), painter->GetBrush(COLOR_WINDOW));
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), painter->GetBrush(1000));
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), painter->GetBrush(50));
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DFACE), painter->GetBrush(-1));
    // numbers the system has no brush for still answer a brush
    EXPECT_NE(nullptr, painter->GetBrush(40));
}

TEST_F(PainterTest, InstallColorStoresOrAppends) {
    ScopedPainter painter(new CExtPaintManager);
    const int nSize = painter->GetColorTableSize();
    EXPECT_EQ(50, nSize);
    EXPECT_EQ(nSize, painter->InstallColor(RGB(1, 2, 3)));
    EXPECT_EQ(RGB(1, 2, 3), painter->GetColor(nSize));
    EXPECT_EQ(7, painter->InstallColor(RGB(4, 5, 6), 7));
    EXPECT_EQ(RGB(4, 5, 6), painter->GetColor(7));
    EXPECT_EQ(nSize + 1, painter->InstallColor(RGB(7, 8, 9), 5000));
}

TEST_F(PainterTest, XpColorsFromTheSystemColors) {
    ScopedSysColors colors({{COLOR_WINDOW, RGB(255, 255, 255)},
                            {COLOR_3DFACE, RGB(212, 208, 200)},
                            {COLOR_3DSHADOW, RGB(128, 128, 128)},
                            {COLOR_3DDKSHADOW, RGB(64, 64, 64)},
                            {COLOR_HIGHLIGHT, RGB(10, 36, 106)},
                            {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)}});
    ScopedPainter painter(new CExtPaintManagerXP);
    EXPECT_EQ(DSS_MONO, painter->GetDisabledTextStyle());
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_EQ(RGB(249, 248, 247), painter->GetColor(2001));   // dark window from white
        EXPECT_EQ(RGB(249, 248, 247), painter->GetColor(2008));
        EXPECT_EQ(RGB(212 * 857 / 1000, 208 * 857 / 1000, 200 * 857 / 1000), painter->GetColor(2002));
        EXPECT_EQ(RGB(112, 112, 112), painter->GetColor(1006));   // (3 x 128 + 64) / 4
        EXPECT_EQ(painter->GetColor(1006), painter->GetColor(1004));
        EXPECT_EQ(RGB(0, 0, 0), painter->GetColor(1011));
        EXPECT_EQ(CExtPaintManager::AdjustColorHsl(RGB(212, 208, 200), 0, 0.2, 0),
                  painter->GetColor(1000));
        // Wine binds the visual styles, so the selection takes the luna variant
        EXPECT_EQ(CExtPaintManager::AdjustColorHsl(RGB(10, 36, 106), 0, 0.4, 0),
                  painter->GetColor(2003));
        EXPECT_EQ(RGB(10, 36, 106), painter->GetColor(2004));   // the selection frame
    } else {
        // a palette display: plain system colours only
        EXPECT_EQ(RGB(255, 255, 255), painter->GetColor(2001));
        EXPECT_EQ(RGB(128, 128, 128), painter->GetColor(2002));
        EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), painter->GetColor(1011));
        EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), painter->GetColor(2004));
    }
    EXPECT_EQ(RGB(255, 255, 255), painter->GetColor(2006));   // highlight text, last write wins
    EXPECT_EQ(::GetSysColor(COLOR_3DDKSHADOW), painter->GetColor(2007));
    EXPECT_EQ(painter->GetColor(1000), painter->GetColor(2009));
}

// A system without visual styles (the seam binds no module): the XP look does not take the
// Luna variant, and its selection colours are desaturated.
class NoVisualStyles : public CExtPaintManagerHolder::SystemAnswers {
public:
    HMODULE BindUxThemeModule() override { return NULL; }
};

TEST_F(PainterTest, XpSelectionWithoutVisualStyles) {
    NoVisualStyles none;
    ScopedSystemAnswers answers(&none);
    EXPECT_EQ(0, g_PaintManager.m_nUxThemeFlags & (H::UxBound | H::UxAppThemed));
    ScopedSysColors colors({{COLOR_HIGHLIGHT, RGB(10, 36, 106)}});
    ScopedPainter painter(new CExtPaintManagerXP);
    EXPECT_FALSE(static_cast<CExtPaintManagerXP&>(*painter).UseLunaColors());
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_EQ(CExtPaintManager::AdjustColorHsl(RGB(10, 36, 106), 0, 0.7, -0.7),
                  painter->GetColor(1001));
        EXPECT_EQ(CExtPaintManager::AdjustColorHsl(RGB(10, 36, 106), 0, 0.5, -0.7),
                  painter->GetColor(2003));
    }
}

TEST_F(PainterTest, MonitorOfThePrimaryDisplay) {
    CExtPaintManager::MonitorParms mp;
    CExtPaintManager::GetMonitorParmsFromPoint(mp, CPoint(10, 10));
    EXPECT_TRUE(mp.m_bPrimaryMonitor);
    CRect rcDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    EXPECT_TRUE(rcDesktop == mp.m_rcMonitor);
    EXPECT_TRUE(mp.m_rcWorkArea.Width() > 0 && mp.m_rcWorkArea.Height() > 0);
    // far to the right: moved back until its right edge meets the work area's
    CRect rc = CExtPaintManager::FitRectToMonitor(CRect(50000, 10, 50100, 60), true, false);
    EXPECT_EQ(mp.m_rcWorkArea.right, rc.right);
    EXPECT_EQ(100, rc.Width());
    CExtPaintManager::MonitorParms fromWnd;
    CExtPaintManager::GetMonitorParmsFromWnd(fromWnd, NULL);
    EXPECT_TRUE(fromWnd.m_rcMonitor == mp.m_rcMonitor);
}

TEST_F(PainterTest, ReinitialisingDoesNotGrowTheColorTable) {
    ScopedPainter painter(new CExtPaintManagerXP);
    const int nSize = painter->GetColorTableSize();
    EXPECT_GT(nSize, 50);
    for (int i = 0; i < 5; i++) {
        painter->OnSysColorChange();
        painter->OnSettingChange(0, NULL);
        painter->OnDisplayChange(32, 1280, 1024);
        painter->OnThemeChanged(0, 0);
    }
    EXPECT_EQ(nSize, painter->GetColorTableSize());
}

TEST_F(PainterTest, SystemColorChangesReachTheTablesAndBrushes) {
    ScopedPainter painter(new CExtPaintManager);
    {
        ScopedSysColors colors({{COLOR_3DFACE, RGB(192, 192, 192)},
                                {COLOR_3DHILIGHT, RGB(255, 255, 255)},
                                {COLOR_3DSHADOW, RGB(128, 128, 128)}});
        g_PaintManager.OnSysColorChange(NULL);   // through the forwarder
        EXPECT_EQ(RGB(192, 192, 192), painter->GetColor(1000));
        LOGBRUSH lb;
        if (orvtest::DisplayDepth() > 8) {
            struct Case {
                int brush;
                COLORREF clr;
            };
            const Case cases[] = {{0, RGB(223, 223, 223)},   // 192 + 63 / 2
                                  {4, RGB(230, 230, 230)},   // 192 + MulDiv(63, 3, 5)
                                  {8, RGB(242, 242, 242)},   // 192 + MulDiv(63, 4, 5)
                                  {2, RGB(160, 160, 160)},   // 128 + 64 / 2
                                  {6, RGB(154, 154, 154)},   // 128 + MulDiv(64, 2, 5)
                                  {10, RGB(141, 141, 141)}};
            for (const Case& c : cases) {
                ASSERT_NE(0, painter->GetBlendedBrush(c.brush).GetLogBrush(&lb));
                EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle) << "brush " << c.brush;
                EXPECT_EQ(c.clr, lb.lbColor) << "brush " << c.brush;
            }
        } else {
            // pattern brushes of half-tone bitmaps on a palette display
            ASSERT_NE(0, painter->GetBlendedBrush(0).GetLogBrush(&lb));
            EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle);
        }
    }
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), painter->GetColor(1000));
}

TEST_F(PainterTest, HalftoneBitmapIsACheckerboard) {
    HBITMAP hbm = CExtPaintManager::CreateHalftoneBitmap(RGB(0, 0, 255), RGB(255, 0, 0), 1, 1,
                                                         0, 0, (COLORREF)-1);
    ASSERT_NE(nullptr, hbm);
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    int nWrong = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            COLORREF want = ((x + y) & 1) ? RGB(255, 0, 0) : RGB(0, 0, 255);
            nWrong += ::GetNearestColor(hdc, want) != ::GetPixel(hdc, x, y);
        }
    EXPECT_EQ(0, nWrong);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);
}

TEST_F(PainterTest, FontTable) {
    ScopedPainter painter(new CExtPaintManager);
    LOGFONTA lf[CExtPaintManager::FontCount];
    for (int i = 0; i < CExtPaintManager::FontCount; i++)
        ASSERT_NE(0, painter->GetFont(i).GetLogFont(&lf[i])) << "font " << i;
    // the prefix has Tahoma, so the menu font takes it
    EXPECT_STREQ("Tahoma", lf[CExtPaintManager::FontNormal].lfFaceName);
    EXPECT_EQ(2700, lf[CExtPaintManager::FontNormalVert].lfEscapement);
    EXPECT_EQ(900, lf[CExtPaintManager::FontNormalVertX].lfEscapement);
    EXPECT_EQ(900, lf[CExtPaintManager::FontBold].lfWeight);
    EXPECT_EQ(900, lf[CExtPaintManager::FontBoldVert].lfWeight);
    EXPECT_EQ(2700, lf[CExtPaintManager::FontBoldVert].lfEscapement);
    for (int i = 0; i < 6; i++) {
        LONG want = lf[i].lfHeight < -11 ? -11 : lf[i].lfHeight;
        EXPECT_EQ(want, lf[CExtPaintManager::FontSmall + i].lfHeight) << "small font " << i;
        EXPECT_EQ(lf[i].lfEscapement, lf[CExtPaintManager::FontSmall + i].lfEscapement);
    }
    EXPECT_STREQ("Marlett", lf[CExtPaintManager::FontMarlett].lfFaceName);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, lf[CExtPaintManager::FontMarlett].lfHeight);
    EXPECT_EQ(SYMBOL_CHARSET, lf[CExtPaintManager::FontMarlett].lfCharSet);
    EXPECT_GT(painter->GetTextHeight(true), 2);
    EXPECT_EQ(painter->GetTextHeight(true), painter->GetTextHeight(false));

    // A font setting change re-creates the fonts: new handles, same faces.
    HGDIOBJ hOld = painter->GetFont(0).GetSafeHandle();
    g_PaintManager.OnSettingChange(NULL, SPI_SETNONCLIENTMETRICS, "WindowMetrics");
    EXPECT_NE(nullptr, painter->GetFont(0).GetSafeHandle());
    LOGFONTA lfAfter;
    painter->GetFont(0).GetLogFont(&lfAfter);
    EXPECT_STREQ(lf[0].lfFaceName, lfAfter.lfFaceName);
    (void)hOld;

    // the glyph font really is Marlett in this prefix
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(&painter->GetFont(CExtPaintManager::FontMarlett));
    char face[LF_FACESIZE] = "";
    dc.GetTextFace(LF_FACESIZE, face);
    dc.SelectObject(pOld);
    EXPECT_STREQ("Marlett", face);
}

TEST_F(PainterTest, MenuFontWithoutTahomaPreferenceKeepsTheSystemFace) {
    HFONT hPlain = CExtPaintManager::CreateDefaultMenuFont(false);
    HFONT hTahoma = CExtPaintManager::CreateDefaultMenuFont(true);
    ASSERT_NE(nullptr, hPlain);
    ASSERT_NE(nullptr, hTahoma);
    LOGFONTA a, b;
    ::GetObjectA(hPlain, sizeof a, &a);
    ::GetObjectA(hTahoma, sizeof b, &b);
    NONCLIENTMETRICSA ncm = {};
    ncm.cbSize = 340;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0));
    EXPECT_STREQ(ncm.lfMenuFont.lfFaceName, a.lfFaceName);
    EXPECT_STREQ("Tahoma", b.lfFaceName);
    EXPECT_EQ(a.lfHeight, b.lfHeight);
    ::DeleteObject(hPlain);
    ::DeleteObject(hTahoma);
}

}  // namespace
