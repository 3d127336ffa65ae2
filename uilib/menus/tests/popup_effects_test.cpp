// The popups' animation and shadow arithmetic without windows: the effect a popup plays, the
// ticks, what a frame pixel shows per effect, the shadow bands and the trims where a popup joins
// its owner's area.
#include "orv/gtest.h"
#include "ExtPopupEffects.h"

namespace {

TEST(PopupEffectsTest, EffectChosenForTheScreen)
{
    struct Case {
        int nEffect, nBpp, nRandom;
        int nResult;
        bool bFinished;
    } cases[] = {
        {0, 24, 0, 0, true},      {-1, 24, 0, -1, false}, {-2, 24, 0, -2, false}, {4, 24, 0, 4, false},
        {10, 32, 0, 10, false},   {11, 24, 0, 0, true},   {-3, 24, 0, 0, true},   {1, 24, 0, 4, false},
        {1, 24, 1, 4, false},     {1, 24, 13, 2, false},  {1, 24, 21, 10, false}, {1, 24, 22, 4, false},
        {5, 8, 0, 0, true},       {4, 8, 0, 0, true},     {1, 8, 2, 0, true},     {-1, 8, 0, -1, false},
        {-2, 8, 0, -2, false},    {7, 16, 0, 7, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nEffect << " at " << c.nBpp << " bits, random " << c.nRandom);
        bool bFinished = !c.bFinished;
        EXPECT_EQ(c.nResult, ExtPopupChooseEffect(c.nEffect, c.nBpp, c.nRandom, bFinished));
        EXPECT_EQ(c.bFinished, bFinished);
    }
}

// Six frames (0, 20, .. 100 percent), finished on the sixth tick, however late the ticks come.
TEST(PopupEffectsTest, TicksStepTwentyPercent)
{
    for (DWORD nElapsed : {0u, 30u, 31u, 1000u}) {
        SCOPED_TRACE(nElapsed);
        int nPercent = 0;
        std::vector<int> seen;
        bool bFinished = false;
        for (int i = 0; i < 6 && !bFinished; ++i) {
            nPercent = ExtPopupAnimationStep(kPopupEffectFade, nPercent, nElapsed, bFinished);
            seen.push_back(nPercent);
        }
        EXPECT_EQ((std::vector<int>{20, 40, 60, 80, 100, 101}), seen);
        EXPECT_TRUE(bFinished);
    }
    bool bFinished = true;
    EXPECT_EQ(40, ExtPopupAnimationStep(kPopupEffectNone, 40, 30, bFinished));
    EXPECT_FALSE(bFinished);
    EXPECT_EQ(0, ExtPopupAnimationStep(kPopupEffectNoneFramed, 0, 30, bFinished));
    EXPECT_TRUE(bFinished);
    EXPECT_EQ(101, ExtPopupAnimationStep(kPopupEffectExpand, 100, 0, bFinished));
    EXPECT_TRUE(bFinished);
}

TEST(PopupEffectsTest, BlindsPixels)
{
    struct Case {
        int x, y, p;
        ExtFramePixel result;
    } cases[] = {
        {0, 0, 0, kFrameBackground},  {0, 0, 1, kFrameImage},       {15, 0, 50, kFrameImage},
        {16, 0, 50, kFrameBackground}, {31, 0, 5, kFrameBackground}, {31, 31, 5, kFrameImage},   // line already open
        {32, 0, 1, kFrameImage},      {48, 64, 50, kFrameBackground},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " at " << c.p);
        EXPECT_EQ(c.result, ExtPopupBlindsPixel(c.x, c.y, c.p));
    }
    // The last frame shows the whole menu, the first none of it.
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(kFrameImage, ExtPopupBlindsPixel(x, y, 100)) << x << "," << y;
            ASSERT_EQ(kFrameBackground, ExtPopupBlindsPixel(x, y, 0)) << x << "," << y;
        }
}

TEST(PopupEffectsTest, CirclePixels)
{
    struct Case {
        bool bShrinking;
        int x, y, p;
        ExtFramePixel result;
    } cases[] = {
        {false, 16, 16, 0, kFrameUnchanged}, {false, 16, 16, 100, kFrameImage}, {false, 0, 0, 100, kFrameBackground},
        {false, 23, 16, 50, kFrameImage},    {false, 24, 16, 50, kFrameBackground},
        {false, 48, 48, 50, kFrameImage},    // the next cell's centre
        {true, 16, 16, 100, kFrameUnchanged}, {true, 16, 16, 0, kFrameBackground}, {true, 0, 0, 0, kFrameImage},
        {true, 16, 20, 50, kFrameBackground}, {true, 16, 24, 50, kFrameImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.bShrinking ? "shrinking " : "growing ") << c.x << "," << c.y << " at " << c.p);
        EXPECT_EQ(c.result, ExtPopupCirclesPixel(c.bShrinking, c.x, c.y, c.p));
    }
}

TEST(PopupEffectsTest, NoiseAndFadePixels)
{
    EXPECT_FALSE(ExtPopupNoiseTakesImage(0, 5));
    EXPECT_FALSE(ExtPopupNoiseTakesImage(20, 11));
    EXPECT_TRUE(ExtPopupNoiseTakesImage(20, 12));
    EXPECT_FALSE(ExtPopupNoiseTakesImage(20, 31));
    EXPECT_TRUE(ExtPopupNoiseTakesImage(20, 39));

    EXPECT_EQ(0x102030u, ExtPopupFadePixel(0x102030, 0x302010, 0));
    EXPECT_EQ(0x302010u, ExtPopupFadePixel(0x102030, 0x302010, 100));
    EXPECT_EQ(0x202020u, ExtPopupFadePixel(0x102030, 0x302010, 50));
    EXPECT_EQ(0x7F7F7Fu, ExtPopupFadePixel(0x000000, 0xFFFFFF, 50));
}

TEST(PopupShadowTest, BandsAndRoundedEnds)
{
    std::vector<int> bands;
    for (int k = 0; k < 4; ++k)
        bands.push_back(ExtShadowBandPercent(k, 4, 75, 100));
    EXPECT_EQ((std::vector<int>{75, 81, 87, 93}), bands);
    EXPECT_EQ(75, ExtShadowBandPercent(0, 1, 75, 100));

    EXPECT_EQ(75, ExtShadowCornerPercent(0, 0, 4, 75, 100));
    EXPECT_EQ(87, ExtShadowCornerPercent(2, 2, 4, 75, 100));
    EXPECT_EQ(100, ExtShadowCornerPercent(4, 0, 4, 75, 100));
    EXPECT_EQ(-1, ExtShadowCornerPercent(3, 3, 4, 75, 100));
}

TEST(PopupShadowTest, DarkeningMatchesTintChannels)
{
    EXPECT_EQ(0x964B25u, ExtShadowDarkenPixel(0xC86432, 75, (COLORREF)-1));
    EXPECT_EQ(0x964B25u, ExtShadowDarkenPixel(0xC86432, 75, RGB(0, 0, 0)));
    EXPECT_EQ(0xC86432u, ExtShadowDarkenPixel(0xC86432, 75, RGB(255, 255, 255)));
    // a red tint keeps the red channel only (the pixel is 0x00RRGGBB, the tint a COLORREF)
    EXPECT_EQ(0x644B4Bu, ExtShadowDarkenPixel(0x646464, 75, RGB(255, 0, 0)));
    EXPECT_EQ(0x4B4B64u, ExtShadowDarkenPixel(0x646464, 75, RGB(0, 0, 255)));
}

// How a shadow is trimmed where the popup joins the owner's two areas E1 and E2 (popup
// 0,0-100,200, shadow size 4).
TEST(PopupShadowTest, JoiningTrims)
{
    typedef ExtShadowTrims T;
    struct Case {
        const char* name;
        CRect e1, e2;
        DWORD dwFlags;
        int nX, nY0;
        // band 0: bottom strip from..to, right strip from..to, skipped rows; ends drawn
        int nBottomFrom, nBottomTo, nRightFrom, nRightTo, nSkipFrom, nSkipTo;
        bool bCorner, bBottomLeft, bRightTop;
    } cases[] = {
        {"no second area", CRect(10, 50, 60, 70), CRect(), 0, 0, 0, 9, 100, 9, 200, 1, 0, true, true, true},
        {"same right, E1 lower", CRect(10, 50, 60, 70), CRect(20, 40, 60, 80), T::T6, 0, 0, 9, 100, 5, 200, 1, 0, true, true, false},
        {"same right, E1 higher", CRect(10, 30, 60, 70), CRect(20, 40, 60, 80), T::T2, 0, 0, 9, 100, 9, 204, 1, 0, false, true, true},
        {"same left, E2 above", CRect(10, 50, 60, 70), CRect(10, 30, 80, 50), T::T5, 0, 0, 9, 100, 1, 200, 1, 0, true, true, false},
        {"same left, E1 above", CRect(10, 30, 80, 50), CRect(10, 50, 60, 70), T::T1, 80, 0, 81, 100, 9, 200, 1, 0, true, false, true},
        {"same left, apart", CRect(10, 10, 60, 20), CRect(10, 100, 80, 120), 0, 0, 0, 9, 100, 9, 200, 1, 0, true, true, true},
        {"same bottom, E1 right of E2", CRect(30, 10, 70, 50), CRect(20, 20, 60, 50), T::T4, 0, 0, 5, 100, 9, 200, 1, 0, true, false, true},
        {"same bottom, E1 left of E2", CRect(10, 10, 70, 50), CRect(20, 20, 60, 50), T::T3, 0, 0, 9, 104, 9, 200, 1, 0, false, true, true},
        {"E2 joins E1's right", CRect(10, 40, 51, 60), CRect(50, 10, 90, 30), T::T7, 0, -10, 9, 100, 9, 200, -10, -10, true, true, true},
        {"E2 joins E1's left", CRect(59, 40, 90, 60), CRect(10, 10, 60, 30), T::T1, 0, 0, 1, 100, 9, 200, 1, 0, true, false, true},
        {"unrelated", CRect(10, 10, 20, 20), CRect(50, 50, 70, 70), 0, 0, 0, 9, 100, 9, 200, 1, 0, true, true, true},
    };
    const CRect rcPopup(0, 0, 100, 200);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const T t = ExtShadowCalcTrims(rcPopup, c.e1, c.e2, 4);
        EXPECT_EQ(c.dwFlags, t.dwFlags);
        EXPECT_EQ(c.nX, t.nX);
        EXPECT_EQ(c.nY0, t.nY0);
        if (t.dwFlags & T::T7) {
            EXPECT_EQ(c.nY0 + 4, t.nY1);
        }
        int nFrom, nTo, nSkipFrom, nSkipTo;
        ExtShadowBottomSpan(t, 0, 4, rcPopup.Width(), nFrom, nTo);
        EXPECT_EQ(c.nBottomFrom, nFrom);
        EXPECT_EQ(c.nBottomTo, nTo);
        ExtShadowRightSpan(t, 0, 4, rcPopup.Height(), nFrom, nTo, nSkipFrom, nSkipTo);
        EXPECT_EQ(c.nRightFrom, nFrom);
        EXPECT_EQ(c.nRightTo, nTo);
        EXPECT_EQ(c.nSkipFrom, nSkipFrom);
        EXPECT_EQ(c.nSkipTo, nSkipTo);
        EXPECT_EQ(c.bCorner, ExtShadowDrawsCorner(t));
        EXPECT_EQ(c.bBottomLeft, ExtShadowDrawsBottomLeft(t));
        EXPECT_EQ(c.bRightTop, ExtShadowDrawsRightTop(t));
    }
    // the outer bands of a T1 or T5 trim start further out, one pixel per band
    const T t5 = ExtShadowCalcTrims(rcPopup, CRect(10, 50, 60, 70), CRect(10, 30, 80, 50), 4);
    int nFrom, nTo, nSkipFrom, nSkipTo;
    ExtShadowRightSpan(t5, 3, 4, 200, nFrom, nTo, nSkipFrom, nSkipTo);
    EXPECT_EQ(4, nFrom);
}

}  // namespace
