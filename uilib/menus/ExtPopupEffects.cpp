#include "ExtPopupEffects.h"
#include <cmath>

int ExtPopupChooseEffect(int nEffect, int nScreenBitsPerPixel, int nRandom, bool& bFinished)
{
    if ((nEffect < 0 || nEffect > 10) && nEffect != kPopupEffectNoneFramed && nEffect != kPopupEffectExpand)
        nEffect = kPopupEffectNone;
    if (nEffect == kPopupEffectRandom) {
        nEffect = nRandom % 11;
        if (nEffect < 0)
            nEffect = -nEffect;
        if (nEffect == 0 || nEffect == 1)
            nEffect = kPopupEffectFade;
    }
    if (nScreenBitsPerPixel <= 8 && nEffect != kPopupEffectNoneFramed && nEffect != kPopupEffectExpand) {
        bFinished = true;
        return kPopupEffectNone;
    }
    bFinished = (nEffect == kPopupEffectNone);
    return nEffect;
}

int ExtPopupAnimationStep(int nEffect, int nPercent, DWORD nElapsedMs, bool& bFinished)
{
    bFinished = false;
    const int nTicks = (int)((double)nElapsedMs * 0.0333333 + 0.5);
    if (nEffect == kPopupEffectExpand || (nEffect >= 2 && nEffect <= 10)) {
        nPercent += 20;
        if (nPercent > 20 * nTicks + 100)
            nPercent = 101;
        bFinished = nPercent > 100;
        if (bFinished)
            nPercent = 101;   // progress runs 0..101
    } else if (nEffect == kPopupEffectNoneFramed) {
        bFinished = true;
    }
    return nPercent;
}

namespace {

int GridPercent(int n) { return n * 100 / 32; }

}  // namespace

ExtFramePixel ExtPopupBlindsPixel(int x, int yFromBottom, int nPercent)
{
    const int r = yFromBottom % 32, c = x % 32;
    // A line whose blind is fully open shows the popup (showing the background there would make
    // the whole menu vanish just before its final paint).
    if (100 - GridPercent(r) < nPercent)
        return kFrameImage;
    return GridPercent(c) < nPercent ? kFrameImage : kFrameBackground;
}

ExtFramePixel ExtPopupCirclesPixel(bool bShrinking, int x, int yFromBottom, int nPercent)
{
    const double dRadius = (bShrinking ? (100 - nPercent) : nPercent) * 16 / 100.0;
    if (!(dRadius > 0.0))
        return kFrameUnchanged;
    const int dx = std::abs(x % 32 - 16), dy = std::abs(yFromBottom % 32 - 16);
    const bool bInside = std::sqrt((double)(dx * dx + dy * dy)) < dRadius;
    if (bShrinking)
        return bInside ? kFrameBackground : kFrameImage;
    return bInside ? kFrameImage : kFrameBackground;
}

bool ExtPopupNoiseTakesImage(int nDelta, int nRandom)
{
    if (nDelta <= 0)
        return false;
    return (nRandom % nDelta) > nDelta / 2 + 1;
}

DWORD ExtPopupFadePixel(DWORD dwBackground, DWORD dwImage, int nPercent)
{
    DWORD dwResult = 0;
    for (int nShift = 0; nShift < 24; nShift += 8) {
        const int b = (dwBackground >> nShift) & 0xFF, i = (dwImage >> nShift) & 0xFF;
        dwResult |= (DWORD)((b * (100 - nPercent) + i * nPercent) / 100) << nShift;
    }
    return dwResult;
}

int ExtShadowBandPercent(int k, int nSize, int nDarkest, int nLightest)
{
    return nDarkest + k * (nLightest - nDarkest) / nSize;
}

int ExtShadowCornerPercent(int i, int j, int nSize, int nDarkest, int nLightest)
{
    if (i * i + j * j > nSize * nSize)
        return -1;
    const int nDistance = (int)std::floor(std::sqrt((double)(i * i + j * j)));
    return nDarkest + nDistance * (nLightest - nDarkest) / nSize;
}

DWORD ExtShadowDarkenPixel(DWORD dwPixel, int nPercent, COLORREF crTint)
{
    const int r = (dwPixel >> 16) & 0xFF, g = (dwPixel >> 8) & 0xFF, b = dwPixel & 0xFF;
    int pr = nPercent, pg = nPercent, pb = nPercent;
    if (crTint != (COLORREF)-1) {
        auto scale = [&](int t) {
            const int v = (100 - nPercent) * t / 255 + nPercent;
            return v < 100 ? v : 100;
        };
        pr = scale(GetRValue(crTint));
        pg = scale(GetGValue(crTint));
        pb = scale(GetBValue(crTint));
    }
    return (DWORD)(r * pr / 100) << 16 | (DWORD)(g * pg / 100) << 8 | (DWORD)(b * pb / 100);
}

ExtShadowTrims ExtShadowCalcTrims(const CRect& rcPopup, const CRect& e1, const CRect& e2, int nSize)
{
    ExtShadowTrims t;
    if (e1.IsRectEmpty() || e2.IsRectEmpty())
        return t;
    if (e1.right == e2.right) {
        t.dwFlags |= e1.top >= e2.top ? ExtShadowTrims::T6 : ExtShadowTrims::T2;
    } else if (e1.left == e2.left) {
        if (e2.bottom >= e1.top - 1 && e2.top < e1.top && e2.right >= e1.right) {
            t.dwFlags |= ExtShadowTrims::T5;
        } else if (e1.bottom >= e2.top - 1 && e1.top < e2.top && e1.right >= e2.right) {
            t.dwFlags |= ExtShadowTrims::T1;
            t.nX = rcPopup.right - e1.right + e2.right;
        }
    } else if (e1.bottom == e2.bottom) {
        t.dwFlags |= e1.left >= e2.left ? ExtShadowTrims::T4 : ExtShadowTrims::T3;
    } else if (e1.right == e2.left + 1) {
        t.dwFlags |= ExtShadowTrims::T7;
        t.nY0 = e2.bottom - e1.top + rcPopup.top;
        t.nY1 = t.nY0 + nSize;
    } else if (e1.left == e2.right - 1) {
        t.dwFlags |= ExtShadowTrims::T1;
        t.nX = 0;
    }
    return t;
}

void ExtShadowBottomSpan(const ExtShadowTrims& t, int k, int nSize, int nWidth, int& nFrom, int& nTo)
{
    nFrom = 2 * nSize + 1;
    if (t.dwFlags & ExtShadowTrims::T4)
        nFrom -= nSize;
    if (t.dwFlags & ExtShadowTrims::T1)
        nFrom -= 2 * nSize - k;
    nFrom += t.nX;
    nTo = nWidth + ((t.dwFlags & ExtShadowTrims::T3) ? nSize : 0);
}

void ExtShadowRightSpan(const ExtShadowTrims& t, int k, int nSize, int nHeight, int& nFrom, int& nTo, int& nSkipFrom,
                        int& nSkipTo)
{
    nFrom = 2 * nSize + 1;
    if (t.dwFlags & ExtShadowTrims::T6)
        nFrom -= nSize;
    if (t.dwFlags & ExtShadowTrims::T5)
        nFrom -= 2 * nSize - k;
    nTo = nHeight + ((t.dwFlags & ExtShadowTrims::T2) ? nSize : 0);
    nSkipFrom = 1;
    nSkipTo = 0;
    if (t.dwFlags & ExtShadowTrims::T7) {
        nSkipFrom = t.nY0;
        nSkipTo = k - nSize + t.nY1;
    }
}

bool ExtShadowDrawsCorner(const ExtShadowTrims& t)
{
    return (t.dwFlags & (ExtShadowTrims::T2 | ExtShadowTrims::T3)) == 0;
}

bool ExtShadowDrawsBottomLeft(const ExtShadowTrims& t)
{
    return (t.dwFlags & (ExtShadowTrims::T1 | ExtShadowTrims::T4)) == 0;
}

bool ExtShadowDrawsRightTop(const ExtShadowTrims& t)
{
    return (t.dwFlags & (ExtShadowTrims::T5 | ExtShadowTrims::T6)) == 0;
}
