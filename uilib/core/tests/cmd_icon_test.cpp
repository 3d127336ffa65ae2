// Command icons painted into a 32-bit DIB in the four modes, tint cache, conversions.
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtCmdIcon.h"
#include "ExtBitmapUtil.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "RenderHarness.h"

using orvtest::ScopedPainter;
#include <vector>

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
    // every mode side by side, kept as a picture
    orvtest::RenderCanvas sheet(20 * (int)(sizeof(cases) / sizeof(cases[0])), 20);
    int nCase = 0;
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
        icon.Paint(sheet.dc(), CPoint(20 * nCase++ + 2, 2), c.mode, hBlue);
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
    EXPECT_TRUE(sheet.Keep("cmd_icon_modes"));
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

namespace {

COLORREF PixelOf(HBITMAP h, int x, int y)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, h);
    const COLORREF c = ::GetPixel(hdc, x, y);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return c;
}

std::vector<BYTE> Stored(CExtCmdIcon& icon)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        icon.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> v((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(v.data(), (UINT)v.size());
    return v;
}

void LoadFrom(CExtCmdIcon& icon, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    icon.Serialize(ar);
}

}  // namespace

TEST(CmdIcon, CheckAndRadioMarkImages)
{
    ScopedPainter painter(new CExtPaintManager);
    CExtCmdIcon icon;
    COLORREF* pBits = NULL;
    ASSERT_TRUE(icon.CreateCheckMarkImage(16, 16, kBlue, (COLORREF)-1, &pBits));
    EXPECT_NE(nullptr, pBits);
    EXPECT_EQ(kKey, icon.GetTransparentColor());
    // the 7 x 7 glyph's top-left corner is at (5, 5): its first row has only the last pixel
    EXPECT_EQ(kKey, PixelOf(icon.GetBitmap(), 5, 5));
    EXPECT_EQ(kBlue, PixelOf(icon.GetBitmap(), 11, 5));
    EXPECT_EQ(kBlue, PixelOf(icon.GetBitmap(), 5, 7));
    EXPECT_EQ(kKey, PixelOf(icon.GetBitmap(), 4, 7));
    EXPECT_EQ(kKey, PixelOf(icon.GetBitmap(), 12, 5));

    ASSERT_TRUE(icon.CreateCheckMarkImage(16, 16, kKey));
    EXPECT_EQ(RGB(128, 255, 128), icon.GetTransparentColor());
    ASSERT_TRUE(icon.CreateCheckMarkImage(16, 16));
    EXPECT_EQ(painter->GetColor(1010), PixelOf(icon.GetBitmap(), 11, 5));
    EXPECT_FALSE(icon.CreateCheckMarkImage(0, 16));
    EXPECT_TRUE(icon.IsEmpty());

    ASSERT_TRUE(icon.CreateAltMarkImage(16, 16, kBlue, kWhite));
    EXPECT_EQ(kBlue, PixelOf(icon.GetBitmap(), 8, 8));
    EXPECT_EQ(kWhite, PixelOf(icon.GetBitmap(), 1, 1));
}

TEST(CmdIcon, ThemeTintComesFromThePainter)
{
    CExtCmdIcon icon(RedSquare(), kKey);
    {
        ScopedPainter office(new CExtPaintManagerOffice2003);
        icon.ApplyThemeTint();
        EXPECT_EQ(office->GetIconTintColor(), icon.GetTintColor());
        EXPECT_NE(CExtCmdIcon::s_clrNone, icon.GetTintColor());
        EXPECT_EQ(0.7, icon.GetTintFactor());
        EXPECT_NE(nullptr, icon.GetDisabledHICON());
    }
    // a command's icon follows a theme change passed through the manager and its profile
    CExtCmdManager mgr;
    CExtCmdItem item(5);
    ASSERT_TRUE(mgr.SetCommand(NULL, &item));
    HICON h = CExtBitmapUtil::CreateIconFromBitmap(RedSquare(), kKey);
    ASSERT_TRUE(mgr.SetCommandIcon(NULL, 5, h, false));
    ::DestroyIcon(h);
    {
        ScopedPainter office(new CExtPaintManagerOffice2003);
        mgr.OnThemeChanged(0, 0);
        EXPECT_EQ(office->GetIconTintColor(), mgr.GetCommandIcon(NULL, 5)->GetTintColor());
    }
    ScopedPainter classic(new CExtPaintManager);
    mgr.OnSysColorChange();
    EXPECT_EQ(CExtCmdIcon::s_clrNone, mgr.GetCommandIcon(NULL, 5)->GetTintColor());
    EXPECT_EQ(nullptr, mgr.GetCommandIcon(NULL, 5)->GetDisabledHICON());
}

TEST(CmdIcon, StoredForms)
{
    CExtCmdIcon empty;
    EXPECT_EQ(std::vector<BYTE>{0}, Stored(empty));

    CExtCmdIcon bitmap(RedSquare(), kKey);
    const std::vector<BYTE> b = Stored(bitmap);
    ASSERT_GT(b.size(), 1u + 14 + 40 + 4);
    EXPECT_EQ(1, b[0]);
    EXPECT_EQ('B', b[1]);
    EXPECT_EQ('M', b[2]);
    EXPECT_EQ(0, memcmp(&b[b.size() - 4], "\xFF\x00\xFF\x00", 4));  // the transparent colour
    CExtCmdIcon back;
    back.SetTintColor(kBlue);
    LoadFrom(back, b);
    EXPECT_TRUE(back.IsBitmapBased());
    EXPECT_EQ(kKey, back.GetTransparentColor());
    EXPECT_EQ(CSize(16, 16), back.GetSize());
    EXPECT_EQ(CExtCmdIcon::s_clrNone, back.GetTintColor());
    EXPECT_EQ(kRed, PixelOf(back.GetBitmap(), 6, 6));

    CExtCmdIcon icon(CExtBitmapUtil::CreateIconFromBitmap(RedSquare(), kKey), false);
    const std::vector<BYTE> i = Stored(icon);
    EXPECT_EQ(2, i[0]);
    EXPECT_EQ(1 | 2 | 4, i[1]);
    CExtCmdIcon iconBack;
    LoadFrom(iconBack, i);
    EXPECT_FALSE(iconBack.IsBitmapBased());
    EXPECT_EQ(CSize(16, 16), iconBack.GetSize());
    Canvas canvas;
    iconBack.Paint(canvas.dc, CPoint(0, 0));
    EXPECT_EQ(kRed, canvas.at(8, 8));
    EXPECT_EQ(kWhite, canvas.at(1, 1));

    // a damaged header is refused with an archive error
    std::vector<BYTE> bad = b;
    bad[1 + 14] = 3;  // info header size
    CExtCmdIcon victim;
    bool thrown = false;
    try {
        LoadFrom(victim, bad);
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(victim.IsEmpty());
}
