// Command icons painted into a 32-bit DIB in the four modes, tint cache, conversions.
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtCmdIcon.h"
#include "ExtBitmapUtil.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

// 16 x 16: a red 8 x 8 square at (4, 4) on the transparent colour
HBITMAP RedSquare()
{
    COLORREF* pBits = NULL;
    HBITMAP h = CExtBitmapUtil::CreateFilled32(16, 16, kKey, &pBits);
    DWORD* p = (DWORD*)pBits;
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            p[y * 16 + x] = CExtBitmapUtil::ToDib(kRed);
    return h;
}

// A white 32-bit canvas with a DC.
struct Canvas {
    CDC dc;
    HBITMAP hBitmap = NULL;
    HGDIOBJ hOld = NULL;
    Canvas()
    {
        hBitmap = CExtBitmapUtil::CreateFilled32(32, 32, kWhite);
        dc.CreateCompatibleDC(NULL);
        hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    }
    ~Canvas()
    {
        ::SelectObject(dc.GetSafeHdc(), hOld);
        dc.DeleteDC();
        ::DeleteObject(hBitmap);
    }
    COLORREF at(int x, int y) { return ::GetPixel(dc.GetSafeHdc(), x, y); }
};

}  // namespace

TEST(CmdIcon, PaintModesByPixel)
{
    HBRUSH hBlue = ::CreateSolidBrush(kBlue);
    // tinted rendering of red (L = 0.3, factor 0): v = 76, channel (3 * tint * 76 / 255 + 76) / 4
    const COLORREF kTinted = RGB(19, 19, 76);
    struct Case {
        const char* name;
        bool fromIcon;
        COLORREF tint;
        CExtCmdIcon::PaintMode mode;
        COLORREF centre;  // CLR_INVALID: neither red nor white (the system's disabled look)
    } cases[] = {
        {"normal", false, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintNormal, kRed},
        {"normal from an icon", true, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintNormal, kRed},
        {"disabled", false, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintDisabled, CLR_INVALID},
        {"monochrome", false, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintMonochrome, kBlue},
        {"monochrome from an icon", true, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintMonochrome, kBlue},
        {"tinted", false, kBlue, CExtCmdIcon::ePaintDisabledTinted, kTinted},
        {"tinted from an icon", true, kBlue, CExtCmdIcon::ePaintDisabledTinted, kTinted},
        {"no tint: monochrome", false, CExtCmdIcon::s_clrNone, CExtCmdIcon::ePaintDisabledTinted, kBlue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtCmdIcon icon;
        if (c.fromIcon) {
            HICON h = CExtBitmapUtil::CreateIconFromBitmap(RedSquare(), kKey);
            icon.AssignFromHICON(h, false);
        } else {
            icon.AssignFromHBITMAP(RedSquare(), kKey);
        }
        ASSERT_EQ(CSize(16, 16), icon.GetSize());
        icon.SetTintColor(c.tint);
        icon.SetTintFactor(0.0);
        Canvas canvas;
        icon.Paint(canvas.dc, CPoint(8, 8), c.mode, hBlue);
        EXPECT_EQ(kWhite, canvas.at(9, 9));    // transparent part of the image
        EXPECT_EQ(kWhite, canvas.at(30, 30));  // outside it
        const COLORREF centre = canvas.at(16, 16);
        if (c.centre == CLR_INVALID) {
            EXPECT_NE(kRed, centre);
            EXPECT_NE(kWhite, centre);
        } else {
            EXPECT_EQ(c.centre, centre);
        }
    }
    ::DeleteObject(hBlue);
}

TEST(CmdIcon, TintCacheFollowsColourAndFactor)
{
    CExtCmdIcon icon(RedSquare(), kKey);
    EXPECT_EQ(nullptr, icon.GetDisabledHICON());  // no tint colour
    icon.SetTintColor(kBlue);
    HICON h1 = icon.GetDisabledHICON();
    ASSERT_NE(nullptr, h1);
    EXPECT_EQ(kBlue, icon.SetTintColor(kBlue));
    EXPECT_EQ(h1, icon.GetDisabledHICON());  // same colour: the cache stays
    icon.SetTintFactor(0.5);
    HICON h2 = icon.GetDisabledHICON();
    ASSERT_NE(nullptr, h2);
    // a changed factor rebuilds: L = 0.3 + 0.7 * 0.5 = 0.65, v = 165
    Canvas canvas;
    icon.Paint(canvas.dc, CPoint(0, 0), CExtCmdIcon::ePaintDisabledTinted);
    const int v = 165;
    EXPECT_EQ(RGB(v / 4, v / 4, (3 * v + v) / 4), canvas.at(8, 8));
    icon.Empty();
    EXPECT_EQ(CExtCmdIcon::s_clrNone, icon.GetTintColor());
    EXPECT_EQ(1.4, icon.GetTintFactor());
}

TEST(CmdIcon, ConversionsAndEmptyImages)
{
    CExtCmdIcon empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(CSize(0, 0), empty.GetSize());
    EXPECT_EQ(nullptr, empty.DetachAsHICON());
    EXPECT_EQ(1.4, empty.GetTintFactor());

    CExtCmdIcon icon(RedSquare(), kKey);
    EXPECT_TRUE(icon.IsBitmapBased());
    HICON hIcon = icon.GetHICON();
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(hIcon, icon.GetHICON());  // kept
    CExtCmdIcon copy(icon);
    EXPECT_TRUE(copy.IsBitmapBased());
    EXPECT_NE(icon.GetBitmap(), copy.GetBitmap());
    HICON hDetached = icon.DetachAsHICON();
    EXPECT_EQ(hIcon, hDetached);
    EXPECT_TRUE(icon.IsEmpty());

    CExtCmdIcon fromIcon(hDetached, true);
    ::DestroyIcon(hDetached);
    EXPECT_FALSE(fromIcon.IsBitmapBased());
    EXPECT_EQ(CSize(16, 16), fromIcon.GetSize());
    HBITMAP h32 = NULL;
    COLORREF clr = 0;
    COLORREF* pBits = NULL;
    ASSERT_TRUE(fromIcon.ExtractBitmap32(h32, clr, 0, &pBits));
    EXPECT_EQ(kKey, clr);
    EXPECT_EQ(CExtBitmapUtil::ToDib(kKey), ((DWORD*)pBits)[0] & 0xFFFFFF);
    EXPECT_EQ(CExtBitmapUtil::ToDib(kRed), ((DWORD*)pBits)[5 * 16 + 5] & 0xFFFFFF);
    ::DeleteObject(h32);

    // an image that uses magenta itself gets another transparent colour
    COLORREF* pMag = NULL;
    HBITMAP hMag = CExtBitmapUtil::CreateFilled32(4, 4, RGB(0, 0, 1), &pMag);
    ((DWORD*)pMag)[5] = CExtBitmapUtil::ToDib(kKey);
    CExtCmdIcon magenta(CExtBitmapUtil::CreateIconFromBitmap(hMag, RGB(0, 0, 1)), false);
    ::DeleteObject(hMag);
    ASSERT_TRUE(magenta.ExtractBitmap32(h32, clr));
    EXPECT_NE(kKey, clr);
    ::DeleteObject(h32);

    CExtCmdIcon scaled;
    ASSERT_TRUE(scaled.CreateScaledCopy(fromIcon, 32, 32));
    EXPECT_EQ(CSize(32, 32), scaled.GetSize());
    Canvas canvas;
    scaled.Paint(canvas.dc, CPoint(0, 0));
    EXPECT_EQ(kRed, canvas.at(16, 16));
    EXPECT_EQ(kWhite, canvas.at(2, 2));

    CExtCmdIcon blank;
    ASSERT_TRUE(blank.CreateEmptyImage(24, 16));
    EXPECT_EQ(CSize(24, 16), blank.GetSize());
    EXPECT_EQ(kKey, blank.GetTransparentColor());
    EXPECT_EQ(32, blank.GetBitsPerPixel());
    EXPECT_FALSE(blank.CreateEmptyImage(0, 16));
    EXPECT_TRUE(blank.IsEmpty());
}
