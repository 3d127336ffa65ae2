// The colour tables of the XP and Office 2003 looks, per display depth (the test runs on a
// 24-bit and on an 8-bit display) and with or without the blue Luna style (through the seam).
#include "orv/gtest.h"
#include "RenderHarness.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include <map>
#include <memory>

namespace {

using orvtest::ScopedPainter;
using orvtest::ScopedSysColors;
using orvtest::ScopedSystemAnswers;
using orvtest::XpLunaSystem;
typedef CExtPaintManagerHolder H;
typedef CExtPaintManagerOffice2003 O;

COLORREF Shift(COLORREF clr, double dH, double dL, double dS) {
    return CExtPaintManager::AdjustColorHsl(clr, dH, dL, dS);
}

// The table position a theme colour is mapped to; -1 when it has none.
int PositionOf(CExtPaintManager& painter, int nIndex) {
    int nPos = -1;
    return painter.GetTranslatedIndex(nIndex, nPos) ? nPos : -1;
}

std::vector<int> GradientIndexes(CExtPaintManager& painter) {
    O& o = static_cast<O&>(painter);
    return {o.m_nIdxClrMlaNormLeft,    o.m_nIdxClrMlaNormRight, o.m_nIdxClrMlaRarelyLeft,
            o.m_nIdxClrMlaRarelyRight, o.m_nIdxClrBtnHoverLeft, o.m_nIdxClrBtnHoverRight,
            o.m_nIdxClrTbFillMargin};
}

// Every theme colour the looks map, with its value.
std::map<int, COLORREF> ThemeColors(CExtPaintManager& painter) {
    std::map<int, COLORREF> m;
    for (int n = 1000; n < 3100; n++)
        if (PositionOf(painter, n) >= 0)
            m[n] = painter.GetColor(n);
    return m;
}

const std::vector<int> kNoGradients(7, -1);

class ThemeColorsTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(ThemeColorsTest, Office2003FromTheSystemColors) {
    // Wine runs no Luna style, so the system colours are the source
    ScopedSysColors colors({{COLOR_WINDOW, RGB(255, 255, 255)},
                            {COLOR_3DFACE, RGB(212, 208, 200)},
                            {COLOR_3DSHADOW, RGB(128, 128, 128)},
                            {COLOR_BTNTEXT, RGB(0, 0, 0)},
                            {COLOR_HIGHLIGHT, RGB(10, 36, 106)}});
    std::map<int, COLORREF> xp;
    {
        ScopedPainter painter(new CExtPaintManagerXP);
        xp = ThemeColors(*painter);
    }
    ScopedPainter painter(new O);
    EXPECT_FALSE(static_cast<O&>(*painter).UseLunaColors());
    EXPECT_EQ(kNoGradients, GradientIndexes(*painter));
    if (orvtest::DisplayDepth() <= 8) {
        // the XP colours and the shadow for 3014, nothing else
        std::map<int, COLORREF> want = xp;
        want[3014] = RGB(128, 128, 128);
        EXPECT_EQ(want, ThemeColors(*painter));
        return;
    }
    // colours that follow a system colour point at its own position
    const struct {
        int index, sysColor;
    } follows[] = {{3000, COLOR_WINDOW}, {3001, COLOR_3DFACE}, {3002, COLOR_WINDOW},
                   {3010, COLOR_WINDOW}, {3012, COLOR_WINDOW}, {3013, COLOR_BTNTEXT},
                   {3014, COLOR_3DSHADOW}, {3015, COLOR_WINDOW}, {3018, COLOR_3DFACE}};
    for (const auto& f : follows)
        EXPECT_EQ(f.sysColor, PositionOf(*painter, f.index)) << f.index;
    // the XP part asks this look whether it uses the Luna colours: without the taskband
    // colours it does not, so its selection is the desaturated one, unlike the plain XP look's
    const COLORREF sel = RGB(10, 36, 106);
    xp[1001] = Shift(sel, 0, 0.7, -0.7);
    xp[2003] = Shift(sel, 0, 0.5, -0.7);
    // computed once
    const COLORREF grey = RGB(128, 128, 128), face = RGB(212, 208, 200);
    const struct {
        int index;
        COLORREF clr;
    } computed[] = {{3003, Shift(grey, 0, 0.2, 0)},   {3004, Shift(grey, 0, 0.7, 0.1)},
                    {3005, Shift(grey, 0, -0.05, 0)}, {3006, Shift(xp[2003], 0, 0.3, 0)},
                    {3008, Shift(xp[2003], 0, 0.6, 0)}, {3011, Shift(face, 0, -0.2, 0)},
                    {3016, xp[2000]},                 {3017, xp[2001]}};
    for (const auto& c : computed) {
        EXPECT_EQ(c.clr, painter->GetColor(c.index)) << c.index;
        EXPECT_GE(PositionOf(*painter, c.index), 50) << c.index;
    }
    // the two light gradient ends share one entry each
    EXPECT_EQ(PositionOf(*painter, 3006), PositionOf(*painter, 3007));
    EXPECT_EQ(PositionOf(*painter, 3008), PositionOf(*painter, 3009));
    EXPECT_EQ(-1, PositionOf(*painter, 3019));
    // the XP part is untouched, the system colours too
    for (const auto& e : xp)
        EXPECT_EQ(e.second, painter->GetColor(e.first)) << e.first;
    EXPECT_EQ(face, painter->GetColor(COLOR_3DFACE));
}

// The base colours the Luna branch derives from XP's blue taskband.
void LunaBaseColors(COLORREF& a, COLORREF& b) {
    double h, s, l, h1, s1, l1, h3, s3, l3;
    CExtPaintManager::RgbToHsl(RGB(0, 84, 227), h, s, l);
    CExtPaintManager::RgbToHsl(RGB(255, 255, 255), h1, s1, l1);
    CExtPaintManager::RgbToHsl(RGB(172, 168, 153), h3, s3, l3);
    a = CExtPaintManager::HslToRgb(h, (l1 + l3) / 2, s);
    b = Shift(RGB(61, 149, 255), 0.01, 0, 0);
}

TEST_F(ThemeColorsTest, Office2003FromTheLunaSchemes) {
    COLORREF a, b;
    LunaBaseColors(a, b);
    for (const char* scheme : {"normalcolor", "homestead", "metallic"}) {
        SCOPED_TRACE(scheme);
        XpLunaSystem xp(scheme);
        ScopedSystemAnswers answers(&xp);
        ScopedPainter painter(new O);
        O& office = static_cast<O&>(*painter);
        ASSERT_TRUE(office.UseLunaColors());
        COLORREF ga, gb;
        ASSERT_TRUE(office.GetLunaBaseColors(ga, gb));
        EXPECT_EQ(a, ga);
        EXPECT_EQ(b, gb);
        if (orvtest::DisplayDepth() <= 8) {
            // a palette display takes no scheme colours at all
            EXPECT_EQ(kNoGradients, GradientIndexes(*painter));
            EXPECT_EQ(::GetSysColor(COLOR_3DFACE), painter->GetColor(COLOR_3DFACE));
            EXPECT_EQ(-1, PositionOf(*painter, 3000));
            EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), painter->GetColor(3014));
            continue;
        }
        const bool bMetallic = std::string(scheme) == "metallic";
        const COLORREF face = Shift(a, 0, 0.2, 0);
        const struct {
            int index;
            COLORREF clr;
        } cases[] = {
            {1000, face},
            {1001, Shift(b, 0.02, 0.6, 0.45)},
            {1006, Shift(a, 0, -0.25, 0)},
            {2000, face},
            {2003, Shift(b, 0, -0.3, 0.45)},
            {2004, Shift(a, 0, -0.5, 0)},   // the last of its three writes
            {2009, Shift(a, 0, 0.5, 0)},
            {3000, bMetallic ? Shift(a, 0.1, 0.8, 0) : Shift(a, 0, 0.43, 0)},
            {3001, bMetallic ? Shift(a, 0.1, 0.4, 0) : a},
            {3003, Shift(a, 0, -0.6, 0)},
            {3007, Shift(b, 0, -0.05, 0)},
            {3008, Shift(b, 0, 0.3, 0)},
            {3013, Shift(a, 0, -0.97, 0)},
            {3016, face},
            {3018, Shift(a, 0, -0.25, 0)},
            {3023, Shift(b, 0, -0.3, 0.75)},
            {3024, Shift(b, 0, 0.5, 0)},
            // the 3D system colours of the table take the scheme's tint
            {COLOR_3DFACE, face},
            {COLOR_3DHILIGHT, Shift(face, 0, 0.75, 0)},
            {COLOR_3DSHADOW, Shift(face, 0, -0.45, 0.1)},
            {COLOR_3DDKSHADOW, Shift(face, 0, -0.75, 0)},
        };
        for (const auto& c : cases)
            EXPECT_EQ(c.clr, painter->GetColor(c.index)) << c.index;
        // every edge is one border colour
        const int nBorder = PositionOf(*painter, 1002);
        for (int n : {1003, 1004, 1005, 1006, 1007, 1008, 1009, 2006, 2008})
            EXPECT_EQ(nBorder, PositionOf(*painter, n)) << n;
        EXPECT_EQ(COLOR_WINDOWTEXT, PositionOf(*painter, 1011));
        EXPECT_EQ(COLOR_3DSHADOW, PositionOf(*painter, 3014));
        // the menu column and button hover gradients
        const std::vector<int> want = {3019, 3020, 3021, 3022, 3023, 3024, -1};
        EXPECT_EQ(want, GradientIndexes(*painter));
    }
}

TEST_F(ThemeColorsTest, Office2003SetUpRepeatsAndLeavesTheSchemeCleanly) {
    XpLunaSystem xp;
    ScopedSystemAnswers answers(&xp);
    ScopedPainter painter(new O);
    const std::map<int, COLORREF> first = ThemeColors(*painter);
    const int nSize = painter->GetColorTableSize();
    const COLORREF face = painter->GetColor(COLOR_3DFACE);
    painter->OnSysColorChange();
    painter->OnThemeChanged(0, 0);
    EXPECT_EQ(first, ThemeColors(*painter));
    EXPECT_EQ(nSize, painter->GetColorTableSize());
    EXPECT_EQ(face, painter->GetColor(COLOR_3DFACE));
    // the style is switched off: the system's own colours and no gradients again
    g_PaintManager.SetSystemAnswers(NULL);
    painter->OnThemeChanged(0, 0);
    EXPECT_FALSE(static_cast<O&>(*painter).UseLunaColors());
    EXPECT_EQ(kNoGradients, GradientIndexes(*painter));
    for (int n : {COLOR_3DFACE, COLOR_3DLIGHT, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW})
        EXPECT_EQ(::GetSysColor(n), painter->GetColor(n)) << n;
}

TEST_F(ThemeColorsTest, XpWithTheLunaStyle) {
    // the XP look takes the Luna selection with any scheme; at 8 bits the plain copies
    ScopedSysColors colors({{COLOR_HIGHLIGHT, RGB(49, 106, 197)}, {COLOR_3DFACE, RGB(236, 233, 216)}});
    XpLunaSystem xp("homestead");
    ScopedSystemAnswers answers(&xp);
    ScopedPainter painter(new CExtPaintManagerXP);
    ASSERT_TRUE(static_cast<CExtPaintManagerXP&>(*painter).UseLunaColors());
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_EQ(Shift(RGB(49, 106, 197), 0, 0.65, 0), painter->GetColor(1001));
        EXPECT_EQ(Shift(RGB(49, 106, 197), 0, 0.4, 0), painter->GetColor(2003));
        EXPECT_EQ(RGB(49, 106, 197), painter->GetColor(2004));
    } else {
        EXPECT_EQ(RGB(236, 233, 216), painter->GetColor(1001));
        EXPECT_EQ(::GetSysColor(COLOR_BTNTEXT), painter->GetColor(2004));
    }
    // the XP look never recolours the system entries
    EXPECT_EQ(RGB(236, 233, 216), painter->GetColor(COLOR_3DFACE));
    EXPECT_EQ(-1, PositionOf(*painter, 3000));
}

TEST_F(ThemeColorsTest, Studio2005FromItsFixedPairOnTheBlueScheme) {
    XpLunaSystem xp("normalcolor");
    ScopedSystemAnswers answers(&xp);
    ScopedPainter painter(new CExtPaintManagerStudio2005);
    EXPECT_EQ(4, painter->GetThemeKind());
    EXPECT_TRUE(painter->IsStudioStyle());
    if (orvtest::DisplayDepth() <= 8) {
        // a palette display: the Office 2003 colours
        ScopedPainter office(new O);
        const std::map<int, COLORREF> officeColors = ThemeColors(*office);
        ScopedPainter studio(new CExtPaintManagerStudio2005);
        EXPECT_EQ(officeColors, ThemeColors(*studio));
        return;
    }
    const COLORREF F = RGB(225, 225, 210), A = RGB(49, 106, 197);
    COLORREF L = Shift(F, 0, 0.95, -0.05);
    L = RGB(GetRValue(L) + ::MulDiv(255 - GetRValue(L), 40, 100), GetGValue(L) + ::MulDiv(255 - GetGValue(L), 20, 100),
            GetBValue(L));
    const COLORREF T = RGB(225 * 999 / 1000, 225 * 995 / 1000, 210 * 995 / 1000);
    const COLORREF D = RGB(GetRValue(T) * 857 / 1000, GetGValue(T) * 857 / 1000, GetBValue(T) * 857 / 1000);
    const std::map<int, COLORREF> expected = {
        {1000, F}, {1001, Shift(A, 0, 0.7, 0)}, {1002, L}, {1006, L}, {1009, L},
        {1010, ::GetSysColor(COLOR_WINDOWTEXT)}, {2000, F}, {2001, L}, {2002, D},
        {2003, Shift(A, 0, 0.5, 0)}, {2004, A}, {2005, T}, {2006, ::GetSysColor(COLOR_BTNTEXT)},
        {2007, Shift(F, 0, -0.5, 0)}, {2008, L}, {2009, F},
        {3000, Shift(F, 0, 0.8, 0)}, {3001, Shift(F, 0, 0.15, 0)}, {3005, Shift(F, 0, -0.4, -0.4)},
        {3007, Shift(A, 0, 0.7, 0)}, {3009, Shift(A, 0, 0.5, 0)}, {3013, Shift(F, 0, -0.97, 0)},
        {3016, Shift(F, 0, -0.2, -0.1)}, {3018, Shift(F, 0, -0.4, -0.1)}, {3024, Shift(A, 0, 0.5, 0)},
        // the 3D colours of its own table
        {COLOR_3DFACE, F}, {COLOR_3DLIGHT, Shift(F, 0, 0.1, 0)}, {COLOR_3DHILIGHT, Shift(F, 0, 0.95, 0)},
        {COLOR_3DSHADOW, Shift(F, 0, -0.3, -0.5)}, {COLOR_3DDKSHADOW, Shift(F, 0, -0.7, -0.5)},
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.second, painter->GetColor(e.first)) << e.first;
    // 3014 and 2010 follow this table's shadow; the edges share one entry
    EXPECT_EQ(painter->GetColor(COLOR_3DSHADOW), painter->GetColor(3014));
    EXPECT_EQ(PositionOf(*painter, 1002), PositionOf(*painter, 2008));
    EXPECT_NE(PositionOf(*painter, 3006), PositionOf(*painter, 3007));
    const std::vector<int> gradients = {3019, 3020, 3021, 3022, 3023, 3024, 3005};
    EXPECT_EQ(gradients, GradientIndexes(*painter));
    // the colours do not depend on the taskband colours
    const std::map<int, COLORREF> first = ThemeColors(*painter);
    for (COLORREF& c : xp.m_taskband)
        c = RGB(10, 20, 30);
    painter->OnThemeChanged(0, 0);
    EXPECT_EQ(first, ThemeColors(*painter));
}

TEST_F(ThemeColorsTest, Studio2005UsesTheOffice2003ColoursOtherwise) {
    // Office 2003 from the system colours, and from the silver scheme
    std::map<int, COLORREF> officeSystem, officeSilver;
    {
        ScopedPainter painter(new O);
        officeSystem = ThemeColors(*painter);
    }
    {
        XpLunaSystem xp("metallic");
        ScopedSystemAnswers answers(&xp);
        ScopedPainter painter(new O);
        officeSilver = ThemeColors(*painter);
    }
    struct Case {
        const char* scheme;   // NULL: the system's own answers
        const std::map<int, COLORREF>& expected;
    };
    // the olive scheme is not one of the look's: the Office 2003 colours of the system branch
    const Case cases[] = {{NULL, officeSystem}, {"homestead", officeSystem}, {"metallic", officeSilver}};
    for (const Case& c : cases) {
        std::unique_ptr<XpLunaSystem> xp;
        std::unique_ptr<ScopedSystemAnswers> answers;
        if (c.scheme != NULL) {
            xp.reset(new XpLunaSystem(c.scheme));
            answers.reset(new ScopedSystemAnswers(xp.get()));
        }
        ScopedPainter painter(new CExtPaintManagerStudio2005);
        EXPECT_EQ(c.expected, ThemeColors(*painter)) << (c.scheme ? c.scheme : "system");
        EXPECT_TRUE(painter->IsStudioStyle());
        EXPECT_EQ(4, painter->GetThemeKind());
    }
}

}  // namespace
