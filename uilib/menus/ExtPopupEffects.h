// The arithmetic of the popups' opening animations and soft shadows, as functions over plain
// numbers: which effect a popup gets, how far a tick advances it, what each pixel of a frame
// shows, how dark each shadow band is, and which parts of a shadow are left out where a popup
// joins its owner's area.
#pragma once
#include "afxwin.h"

// The opening effects.
enum : int {
    kPopupEffectExpand = -2,
    kPopupEffectNoneFramed = -1,
    kPopupEffectNone = 0,
    kPopupEffectRandom = 1,
    kPopupEffectSlideDiagonal = 2,
    kPopupEffectSlideVertical = 3,
    kPopupEffectFade = 4,
    kPopupEffectUnfold = 5,
    kPopupEffectUnfoldVertical = 6,
    kPopupEffectNoise = 7,
    kPopupEffectBlinds = 8,
    kPopupEffectCircles = 9,
    kPopupEffectShrinkingCircles = 10,
};

// The effect a popup really plays: unknown codes become none, random picks one of 2..10 (fade
// for 0 and 1 of nRandom % 11, so it comes three times as often), a screen of 8 bits per pixel
// or fewer plays none (but keeps -1 and -2). bFinished: nothing is left to animate.
int ExtPopupChooseEffect(int nEffect, int nScreenBitsPerPixel, int nRandom, bool& bFinished);

// One animation tick: the percent after it (101 when finished). Each tick steps 20 percent,
// however late it comes, but never further than the elapsed time allows (20 per 30 ms past 100).
int ExtPopupAnimationStep(int nEffect, int nPercent, DWORD nElapsedMs, bool& bFinished);

// What one pixel of a frame shows.
enum ExtFramePixel { kFrameBackground, kFrameImage, kFrameUnchanged };

// The blinds (32-pixel grid): x counted from the popup's left edge, y from its bottom edge.
// Lines whose blind has fully opened show the popup.
ExtFramePixel ExtPopupBlindsPixel(int x, int yFromBottom, int nPercent);
// Growing (bShrinking false) or shrinking circles in a 32-pixel grid, cells from the bottom-left.
ExtFramePixel ExtPopupCirclesPixel(bool bShrinking, int x, int yFromBottom, int nPercent);
// The dissolve: with d the percent gained since the last frame and nRandom a random number,
// whether the pixel takes the popup's (otherwise it keeps its last frame value).
bool ExtPopupNoiseTakesImage(int nDelta, int nRandom);
// Fade: the two 32-bit pixels mixed channel by channel.
DWORD ExtPopupFadePixel(DWORD dwBackground, DWORD dwImage, int nPercent);

// The darkening percent of shadow band k (0 at the popup's edge); 75, 81, 87, 93 for size 4
// between 75 and 100.
int ExtShadowBandPercent(int k, int nSize, int nDarkest, int nLightest);
// The percent of a pixel (i, j) away from a rounded end's centre; -1 outside the quarter circle.
int ExtShadowCornerPercent(int i, int j, int nSize, int nDarkest, int nLightest);
// A 32-bit DIB pixel (0x00RRGGBB) darkened to nPercent, tinted by crTint (a COLORREF; (COLORREF)-1
// for no tint).
DWORD ExtShadowDarkenPixel(DWORD dwPixel, int nPercent, COLORREF crTint);

// Which parts of a popup's shadow are left out where it joins the owner's areas E1 and E2.
struct ExtShadowTrims {
    enum : DWORD { T1 = 0x01, T2 = 0x02, T3 = 0x04, T4 = 0x08, T5 = 0x10, T6 = 0x20, T7 = 0x40 };
    DWORD dwFlags = 0;
    int nX = 0;          // with T1: where the bottom strip starts
    int nY0 = 0, nY1 = 0;   // with T7: the rows of the right strip skipped
};
// All rectangles in the same coordinates; no trims unless both areas are non-empty.
ExtShadowTrims ExtShadowCalcTrims(const CRect& rcPopup, const CRect& rcExclude1, const CRect& rcExclude2, int nSize);
// The span of band k of the bottom strip: x from nFrom while x < nTo (popup coordinates, w the width).
void ExtShadowBottomSpan(const ExtShadowTrims& trims, int k, int nSize, int nWidth, int& nFrom, int& nTo);
// The span of band k of the right strip: y from nFrom while y < nTo (h the height), except the
// rows nSkipFrom..nSkipTo (inclusive) when nSkipFrom <= nSkipTo.
void ExtShadowRightSpan(const ExtShadowTrims& trims, int k, int nSize, int nHeight, int& nFrom, int& nTo, int& nSkipFrom,
                        int& nSkipTo);
// Which rounded ends are drawn.
bool ExtShadowDrawsCorner(const ExtShadowTrims& trims);        // bottom-right
bool ExtShadowDrawsBottomLeft(const ExtShadowTrims& trims);    // left end of the bottom strip
bool ExtShadowDrawsRightTop(const ExtShadowTrims& trims);      // top end of the right strip
