// Shared paint routines that draw or convert bitmaps: the stored BMP form (and damaged
// headers), transparent copies, bitmap parts, icons, colour tables, the memory DC, gradients
// and the bounded paint-message pump.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "RenderHarness.h"
#include "CExtMemoryDC.h"
#include <vector>

namespace {

typedef CExtPaintManager PM;
using orvtest::RenderCanvas;

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kWhite = RGB(255, 255, 255);

class BitmapTest : public ::testing::Test {
protected:
    void TearDown() override { AfxDeleteTempMaps(); }
};

// A DIB section of the depth with a colour table of distinct colours where it has one, and a
// pattern in which every pixel's value depends on its place.
HBITMAP MakeDib(int bpp, int cx, int cy) {
    struct {
        BITMAPINFOHEADER bih;
        RGBQUAD colors[256];
    } info = {};
    info.bih.biSize = sizeof(BITMAPINFOHEADER);
    info.bih.biWidth = cx;
    info.bih.biHeight = cy;
    info.bih.biPlanes = 1;
    info.bih.biBitCount = (WORD)bpp;
    info.bih.biCompression = BI_RGB;
    const int nColors = bpp <= 8 ? 1 << bpp : 0;
    for (int i = 0; i < nColors; i++) {
        info.colors[i].rgbRed = (BYTE)(i * 37);
        info.colors[i].rgbGreen = (BYTE)(255 - i * 11);
        info.colors[i].rgbBlue = (BYTE)(i * 5 + 3);
    }
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, (BITMAPINFO*)&info, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hbm == NULL)
        return NULL;
    const int stride = ((cx * bpp + 31) / 32) * 4;
    BYTE* p = static_cast<BYTE*>(pBits);
    for (int i = 0; i < stride * cy; i++)
        p[i] = (BYTE)(i * 7 + i / stride * 13);
    if (bpp == 32)   // keep the unused byte 0, as GetDIBits hands it back
        for (int i = 3; i < stride * cy; i += 4)
            p[i] = 0;
    return hbm;
}

// Every pixel as a 32-bit value, for comparing two bitmaps of any depth.
std::vector<DWORD> Pixels32(HBITMAP hbm) {
    BITMAP bm;
    ::GetObjectA(hbm, sizeof bm, &bm);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> px((size_t)bm.bmWidth * bm.bmHeight);
    HDC hdc = ::CreateCompatibleDC(NULL);
    ::GetDIBits(hdc, hbm, 0, bm.bmHeight, px.data(), &bi, DIB_RGB_COLORS);
    ::DeleteDC(hdc);
    for (DWORD& v : px)
        v &= 0xFFFFFF;
    return px;
}

std::vector<BYTE> Store(HBITMAP hbm) {
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(PM::SerializeBitmap(hbm, ar));
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

HBITMAP Load(std::vector<BYTE> bytes, DWORD nRawSize = 0, bool* pResult = NULL) {
    if (bytes.empty())
        bytes.push_back(0);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    HBITMAP hbm = (HBITMAP)(UINT_PTR)1;   // must be replaced
    bool ok = PM::SerializeBitmap(hbm, ar, nRawSize);
    if (pResult != NULL)
        *pResult = ok;
    return ok ? hbm : NULL;
}

TEST_F(BitmapTest, StoredFormRoundTripsAtEveryDepth) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        for (CSize size : {CSize(1, 1), CSize(13, 7), CSize(64, 3)}) {
            HBITMAP hbm = MakeDib(bpp, size.cx, size.cy);
            ASSERT_NE(nullptr, hbm) << bpp;
            std::vector<BYTE> bytes = Store(hbm);
            // "BM", the total size, then the pixels' offset after the header and colour table
            ASSERT_GE(bytes.size(), 54u);
            EXPECT_EQ('B', bytes[0]);
            EXPECT_EQ('M', bytes[1]);
            EXPECT_EQ(bytes.size(), *(DWORD*)&bytes[2]) << bpp;
            const DWORD nColors = bpp <= 8 ? 1u << bpp : 0;
            EXPECT_EQ(14 + 40 + nColors * 4, *(DWORD*)&bytes[10]) << bpp;
            EXPECT_EQ((WORD)bpp, *(WORD*)&bytes[28]);

            HBITMAP back = Load(bytes);
            ASSERT_NE(nullptr, back) << bpp << " bits, " << size.cx << "x" << size.cy;
            BITMAP bm;
            ::GetObjectA(back, sizeof bm, &bm);
            EXPECT_EQ(size.cx, bm.bmWidth);
            EXPECT_EQ(size.cy, bm.bmHeight);
            EXPECT_EQ(bpp, bm.bmBitsPixel);
            EXPECT_EQ(Pixels32(hbm), Pixels32(back)) << bpp << " bits";
            // stored again, the same bytes
            EXPECT_EQ(bytes, Store(back)) << bpp << " bits";

            // the raw form (as in a resource): no file header, the size given
            std::vector<BYTE> raw(bytes.begin() + 14, bytes.end());
            HBITMAP fromRaw = Load(raw, (DWORD)raw.size());
            ASSERT_NE(nullptr, fromRaw) << bpp;
            EXPECT_EQ(Pixels32(hbm), Pixels32(fromRaw)) << bpp << " bits, raw";
            ::DeleteObject(fromRaw);
            ::DeleteObject(back);
            ::DeleteObject(hbm);
        }
    }
}

TEST_F(BitmapTest, DamagedHeadersAreRefused) {
    HBITMAP hbm = MakeDib(8, 16, 8);
    const std::vector<BYTE> good = Store(hbm);
    ::DeleteObject(hbm);
    ASSERT_NE(nullptr, Load(good));
    // offsets: file header 0..13, info header from 14 (size 14, width 18, height 22, planes 26,
    // bit count 28, compression 30, image size 34, colours used 46)
    struct Damage {
        const char* what;
        size_t offset;
        int size;   // 2 or 4 bytes, 0: cut the data to offset bytes
        DWORD value;
    };
    const Damage cases[] = {
        {"not BM", 0, 2, 0x4D41},
        {"info header too short", 14, 4, 12},
        {"info header absurdly long", 14, 4, 0x100000},
        {"two planes", 26, 2, 2},
        {"bit count 3", 28, 2, 3},
        {"bit count 0", 28, 2, 0},
        {"bit count 64", 28, 2, 64},
        {"run-length compressed", 30, 4, BI_RLE8},
        {"bit fields on 8 bits", 30, 4, BI_BITFIELDS},
        {"width 0", 18, 4, 0},
        {"negative width", 18, 4, (DWORD)-16},
        {"height 0", 22, 4, 0},
        {"width beyond the bound", 18, 4, 100000},
        {"height of the most negative value", 22, 4, 0x80000000},
        {"32767 x 32767 asks for more than the data", 18, 4, 32767},
        {"more colours than 8 bits have", 46, 4, 300},
        {"pixels said to start inside the header", 10, 4, 20},
        {"pixels said to start past the data", 10, 4, 0x7FFFFFF0},
        {"cut in the file header", 10, 0, 0},
        {"cut in the info header", 30, 0, 0},
        {"cut in the colour table", 200, 0, 0},
        {"cut in the pixels", good.size() - 1, 0, 0},
        {"empty", 0, 0, 0},
    };
    for (const Damage& d : cases) {
        std::vector<BYTE> bytes = good;
        if (d.size == 0)
            bytes.resize(d.offset);
        else if (d.size == 2)
            *(WORD*)&bytes[d.offset] = (WORD)d.value;
        else
            *(DWORD*)&bytes[d.offset] = d.value;
        bool ok = true;
        HBITMAP back = Load(bytes, 0, &ok);
        EXPECT_FALSE(ok) << d.what;
        EXPECT_EQ(nullptr, back) << d.what;
    }
    // the raw form checks against the size it is given
    std::vector<BYTE> raw(good.begin() + 14, good.end());
    bool ok = true;
    EXPECT_EQ(nullptr, Load(raw, (DWORD)raw.size() - 1, &ok));
    EXPECT_FALSE(ok);
}

TEST_F(BitmapTest, FilesAndResources) {
    // the resource: 8 x 4, red x * 32, green y * 64, blue 200
    HBITMAP hRes = PM::LoadBitmapResource(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(1));
    ASSERT_NE(nullptr, hRes);
    std::vector<DWORD> px = Pixels32(hRes);   // bottom-up rows
    ASSERT_EQ(32u, px.size());
    auto at = [&](int x, int y) { return px[(size_t)(3 - y) * 8 + x]; };
    EXPECT_EQ(0x00C8u, at(0, 0));                      // blue 200 only
    EXPECT_EQ((DWORD)((3 * 32) << 16 | (2 * 64) << 8 | 200), at(3, 2));
    EXPECT_EQ(nullptr, PM::LoadBitmapResource(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(99)));

    // a file written from it and read back
    std::string folder = orvtest::makeScratchFolder("bitmaps");
    std::string path = folder + "\\probe.bmp";
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ASSERT_TRUE(PM::SerializeBitmap(hRes, ar));
        ar.Close();
    }
    HBITMAP hFile = PM::LoadBitmapFile(path.c_str());
    ASSERT_NE(nullptr, hFile);
    EXPECT_EQ(px, Pixels32(hFile));
    EXPECT_EQ(nullptr, PM::LoadBitmapFile((folder + "\\missing.bmp").c_str()));
    // a damaged file answers NULL too
    {
        CFile file((folder + "\\bad.bmp").c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write("BM\x10\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xff\xff\xff\x7f", 22);
    }
    EXPECT_EQ(nullptr, PM::LoadBitmapFile((folder + "\\bad.bmp").c_str()));
    ::DeleteObject(hFile);
    ::DeleteObject(hRes);
}

// An 8 x 8 picture: magenta with a blue 4 x 4 square at (2, 2).
HBITMAP MakeKeyed(COLORREF** ppPixels = NULL) {
    COLORREF* p = NULL;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = 8;
    bi.bmiHeader.biHeight = -8;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pv = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pv, NULL, 0);
    p = static_cast<COLORREF*>(pv);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            p[y * 8 + x] = (x >= 2 && x < 6 && y >= 2 && y < 6) ? 0x0000FF : 0xFF00FF;   // BGRX
    if (ppPixels != NULL)
        *ppPixels = p;
    return hbm;
}

TEST_F(BitmapTest, TransparentCopyKeepsTheDestinationUnderTheKeyColour) {
    RenderCanvas canvas(40, 20, kGreen);
    ASSERT_TRUE(canvas.Valid());
    HBITMAP hbm = MakeKeyed();
    CDC src;
    src.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(src.GetSafeHdc(), hbm);
    PM::TransparentBlt(canvas.dc(), 1, 1, -1, -1, src, 0, 0, 8, 8, kMagenta);
    PM::TransparentBlt(canvas.dc(), 20, 1, 16, 16, src, 0, 0, 8, 8, kMagenta);   // stretched
    ::SelectObject(src.GetSafeHdc(), hOld);
    canvas.Keep("transparent_blt");
    EXPECT_EQ(0, canvas.Count(kMagenta, CRect(0, 0, 40, 20)));
    EXPECT_EQ(16, canvas.Count(kBlue, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(canvas.Bounds(kBlue, CRect(0, 0, 10, 10)) == CRect(3, 3, 7, 7));
    EXPECT_TRUE(canvas.Bounds(kBlue, CRect(18, 0, 40, 20)) == CRect(24, 5, 32, 13));
    EXPECT_EQ(kGreen, canvas.At(1, 1));
    EXPECT_EQ(kGreen, canvas.At(20, 1));
    ::DeleteObject(hbm);
}

TEST_F(BitmapTest, BitmapPartsIconsAndColorTables) {
    HBITMAP hbm = MakeKeyed();
    COLORREF* pPixels = NULL;
    CRect part(2, 2, 6, 4);
    HBITMAP hPart = PM::CopyBitmapPart(hbm, &part, &pPixels);
    ASSERT_NE(nullptr, hPart);
    ASSERT_NE(nullptr, pPixels);
    BITMAP bm;
    ::GetObjectA(hPart, sizeof bm, &bm);
    EXPECT_EQ(4, bm.bmWidth);
    EXPECT_EQ(2, bm.bmHeight);
    EXPECT_EQ(32, bm.bmBitsPixel);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(0x0000FFu, pPixels[i] & 0xFFFFFF) << i;
    EXPECT_EQ(nullptr, PM::CopyBitmapPart(NULL, NULL));
    CRect none(3, 3, 3, 9);
    EXPECT_EQ(nullptr, PM::CopyBitmapPart(hbm, &none));

    // colours: two in the picture, one in the part
    CMap<COLORREF, COLORREF, DWORD, DWORD> map;
    EXPECT_EQ(32, PM::CollectBitmapColors(hbm, map));
    EXPECT_EQ(2, map.GetCount());
    DWORD n = 0;
    EXPECT_TRUE(map.Lookup(kBlue, n));
    EXPECT_EQ(16u, n);
    CArray<COLORREF, COLORREF> table;
    EXPECT_EQ(32, PM::BuildBitmapColorTable(hPart, table, false));
    ASSERT_EQ(1, table.GetSize());
    EXPECT_EQ(kBlue, table[0]);
    HBITMAP h4 = MakeDib(4, 4, 4);
    EXPECT_EQ(4, PM::BuildBitmapColorTable(h4, table, false));
    EXPECT_EQ(16, table.GetSize());
    EXPECT_EQ(RGB(37, 244, 8), table[1]);
    ::DeleteObject(h4);
    EXPECT_EQ(0, PM::BuildBitmapColorTable(NULL, table, true));
    EXPECT_EQ(0, table.GetSize());

    // an icon: the key colour becomes transparent
    HICON hIcon = PM::CreateIconFromBitmap(hbm, kMagenta, NULL, false);
    ASSERT_NE(nullptr, hIcon);
    RenderCanvas canvas(12, 12, kGreen);
    ::DrawIconEx(canvas.dc().GetSafeHdc(), 2, 2, hIcon, 8, 8, 0, NULL, DI_NORMAL);
    canvas.Keep("icon_from_bitmap");
    EXPECT_EQ(kGreen, canvas.At(2, 2));
    EXPECT_EQ(kBlue, canvas.At(5, 5));
    EXPECT_EQ(0, canvas.Count(kMagenta, CRect(0, 0, 12, 12)));
    ::DestroyIcon(hIcon);

    // the classic toolbar grey becomes the face colour; the key colour stays transparent
    COLORREF* px = NULL;
    HBITMAP hGrey = MakeKeyed(&px);
    for (int i = 0; i < 8; i++)
        px[i] = 0xC0C0C0;   // top row grey
    HICON hMapped = PM::CreateIconFromBitmap(hGrey, kMagenta, NULL, true);
    ASSERT_NE(nullptr, hMapped);
    RenderCanvas mapped(8, 8, kGreen);
    ::DrawIconEx(mapped.dc().GetSafeHdc(), 0, 0, hMapped, 8, 8, 0, NULL, DI_NORMAL);
    if (orvtest::DisplayDepth() > 8) {
        EXPECT_EQ(::GetSysColor(COLOR_3DFACE), mapped.At(3, 0));
    } else {
        // the icon is made for the palette display: the face's nearest colour, not the grey
        EXPECT_NE(RGB(192, 192, 192), mapped.At(3, 0));
        EXPECT_NE(kGreen, mapped.At(3, 0));
    }
    EXPECT_EQ(kGreen, mapped.At(0, 7));
    ::DestroyIcon(hMapped);
    ::DeleteObject(hGrey);
    ::DeleteObject(hPart);
    ::DeleteObject(hbm);
}

TEST_F(BitmapTest, MemoryDCBuffersAndCopiesOnceAtTheEnd) {
    RenderCanvas canvas(30, 30, kWhite);
    CDC& target = canvas.dc();
    target.SetBkColor(kGreen);
    const CRect rc(5, 5, 25, 25);
    {
        CExtMemoryDC mdc(&target, &rc);   // buffered, filled with the background colour
        ASSERT_TRUE(mdc.IsMemDC());
        mdc.FillSolidRect(10, 10, 4, 4, kBlue);   // in the target's coordinates
        EXPECT_EQ(kWhite, canvas.At(10, 10));     // nothing on the target yet
    }
    EXPECT_EQ(kBlue, canvas.At(10, 10));
    EXPECT_EQ(kGreen, canvas.At(5, 5));
    EXPECT_EQ(kWhite, canvas.At(4, 4));
    EXPECT_EQ(kWhite, canvas.At(25, 25));

    canvas.Fill(kWhite);
    {
        CExtMemoryDC mdc(&target, &rc);
        mdc.FillSolidRect(&rc, kBlue);
        mdc.ReleaseTarget();   // let go first: nothing is copied
    }
    EXPECT_EQ(0, canvas.Count(kBlue, CRect(0, 0, 30, 30)));

    canvas.dc().FillSolidRect(7, 7, 2, 2, kMagenta);
    {
        CExtMemoryDC mdc(&target, &rc, CExtMemoryDC::MDCOPT_TO_MEMORY |
                                           CExtMemoryDC::MDCOPT_FILL_BITS |
                                           CExtMemoryDC::MDCOPT_FORCE_DIB);
        EXPECT_NE(nullptr, mdc.GetDibSurface());
        EXPECT_EQ(kMagenta, mdc.GetPixel(7, 7));   // the target's picture came along
        mdc.FillSolidRect(20, 20, 2, 2, kBlue);
    }
    EXPECT_EQ(kMagenta, canvas.At(8, 8));
    EXPECT_EQ(kBlue, canvas.At(21, 21));

    {
        CExtMemoryDC mdc(&target, &rc, 0);   // unbuffered: straight onto the target
        EXPECT_FALSE(mdc.IsMemDC());
        mdc.FillSolidRect(12, 12, 1, 1, kGreen);
        EXPECT_EQ(kGreen, canvas.At(12, 12));
    }
    EXPECT_NE(nullptr, target.GetSafeHdc());   // the borrowed handle was not deleted
    target.FillSolidRect(0, 0, 1, 1, kBlue);
    EXPECT_EQ(kBlue, canvas.At(0, 0));
}

// The banded fill (no GradientFill), including rectangles too narrow for the 8-bit band rule.
TEST_F(BitmapTest, BandedGradientsOnNarrowAndWideRectangles) {
    auto saved = g_PaintManager.m_pfnGradientFill;
    g_PaintManager.m_pfnGradientFill = NULL;
    RenderCanvas canvas(60, 40, kWhite);
    const bool bLow = orvtest::DisplayDepth() <= 8;
    struct Case {
        CRect rc;
        bool vertical;
        UINT steps;
    };
    const Case cases[] = {
        {CRect(0, 0, 3, 5), false, 256},  {CRect(5, 0, 7, 5), false, 256},
        {CRect(10, 0, 11, 5), true, 256}, {CRect(12, 0, 15, 3), true, 256},
        {CRect(0, 10, 40, 14), false, 256}, {CRect(0, 16, 40, 18), false, 0},
        {CRect(50, 0, 54, 40), true, 256},
    };
    for (const Case& c : cases)
        PM::FillGradientRect(canvas.dc(), c.rc, RGB(0, 0, 0), RGB(240, 240, 240), c.vertical,
                             c.steps);
    g_PaintManager.m_pfnGradientFill = saved;
    canvas.Keep("gradient_bands");
    for (const Case& c : cases) {
        // every pixel of the rectangle painted, none outside it
        EXPECT_EQ(0, canvas.Count(kWhite, c.rc)) << c.rc.left << "," << c.rc.top;
        std::vector<COLORREF> seen;
        const int n = c.vertical ? c.rc.Height() : c.rc.Width();
        for (int i = 0; i < n; i++) {
            COLORREF clr = c.vertical ? canvas.At(c.rc.left, c.rc.top + i)
                                      : canvas.At(c.rc.left + i, c.rc.top);
            if (seen.empty() || seen.back() != clr)
                seen.push_back(clr);
        }
        UINT bands = PM::GradientBandCount(n, c.steps, bLow);
        EXPECT_EQ(bands, seen.size()) << c.rc.left << "," << c.rc.top;
        // the first colour at the start (left, or bottom for a vertical fill)
        COLORREF first = c.vertical ? canvas.At(c.rc.left, c.rc.bottom - 1)
                                    : canvas.At(c.rc.left, c.rc.top);
        EXPECT_EQ(RGB(0, 0, 0), first);
    }
    EXPECT_EQ(kWhite, canvas.At(3, 0));
    EXPECT_EQ(kWhite, canvas.At(40, 12));
}

TEST_F(BitmapTest, SystemGradientFillRunsFromTheFirstColour) {
    ASSERT_NE(nullptr, g_PaintManager.m_pfnGradientFill);
    RenderCanvas canvas(64, 64, kWhite);
    PM::FillGradientRect(canvas.dc(), CRect(0, 0, 64, 10), RGB(0, 0, 0), RGB(0, 0, 252), false);
    PM::FillGradientRect(canvas.dc(), CRect(0, 20, 10, 64), RGB(0, 0, 0), RGB(0, 0, 252), true);
    canvas.Keep("gradient_system");
    EXPECT_LT(GetBValue(canvas.At(0, 5)), 8);
    EXPECT_GT(GetBValue(canvas.At(63, 5)), 240);
    // vertical: the first colour ends at the bottom
    EXPECT_LT(GetBValue(canvas.At(5, 63)), 8);
    EXPECT_GT(GetBValue(canvas.At(5, 20)), 240);
}

// ---- windows -------------------------------------------------------------------------------

int g_nPaints = 0;      // of windows that validate
int g_nBadPaints = 0;   // of the window that never does

LRESULT CALLBACK NeverValidates(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        ++g_nBadPaints;   // and leaves the update region alone
        return 0;
    }
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK Validates(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT)
        ++g_nPaints;
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);   // BeginPaint/EndPaint validate
}

HWND MakeWindow(const char* pszClass, WNDPROC proc) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = pszClass;
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(0, pszClass, "paint", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60,
                                  NULL, NULL, wc.hInstance, NULL);
    return hWnd;
}

TEST_F(BitmapTest, PaintMessagesAreDrainedWithABound) {
    HWND hGood = MakeWindow("OrvPaintValidates", Validates);
    ASSERT_NE(nullptr, hGood);
    ::InvalidateRect(hGood, NULL, TRUE);
    g_nPaints = 0;
    PM::PassPaintMessages();
    // painted (once, or again if the display exposed it meanwhile) and left valid
    EXPECT_GE(g_nPaints, 1);
    EXPECT_LT(g_nPaints, 10);
    EXPECT_FALSE(::GetUpdateRect(hGood, NULL, FALSE));

    HWND hBad = MakeWindow("OrvPaintNeverValidates", NeverValidates);
    ASSERT_NE(nullptr, hBad);
    ::InvalidateRect(hBad, NULL, TRUE);
    g_nBadPaints = g_nPaints = 0;
    PM::PassPaintMessages(false, false, true, 50);   // returns although the window stays dirty
    EXPECT_EQ(50, g_nBadPaints + g_nPaints);
    EXPECT_GE(g_nBadPaints, 40);
    g_nBadPaints = g_nPaints = 0;
    PM::PassPaintMessages();
    EXPECT_EQ((int)PM::PassPaintMessagesLimit, g_nBadPaints + g_nPaints);
    ::ValidateRect(hBad, NULL);
    ::DestroyWindow(hBad);
    ::DestroyWindow(hGood);
}

TEST_F(BitmapTest, TransparentChildControlsAndChildExclusion) {
    HWND hParent = MakeWindow("OrvPaintParent", Validates);
    ASSERT_NE(nullptr, hParent);
    struct Child {
        const char* cls;
        DWORD style;
        bool transparent;
    };
    const Child children[] = {
        {"Static", 0, true},           {"Button", BS_PUSHBUTTON, true},
        {"Button", BS_GROUPBOX, true}, {"Button", BS_OWNERDRAW, false},
        {"Edit", 0, false},            {"msctls_trackbar32", 0, true},
    };
    std::vector<HWND> hwnds;
    int x = 0;
    for (const Child& c : children) {
        HWND h = ::CreateWindowExA(0, c.cls, "", WS_CHILD | WS_VISIBLE | c.style, x, 0, 10, 10,
                                   hParent, NULL, NULL, NULL);
        ASSERT_NE(nullptr, h) << c.cls;
        EXPECT_EQ(c.transparent, PM::IsTransparentChildControl(h)) << c.cls << " " << c.style;
        hwnds.push_back(h);
        x += 12;
    }
    // every child excluded: painting the whole parent leaves the children's rectangles alone
    RenderCanvas canvas(100, 60, kWhite);
    PM::ExcludeChildAreas(&canvas.dc(), hParent);
    canvas.dc().FillSolidRect(0, 0, 100, 60, kBlue);
    EXPECT_EQ(kWhite, canvas.At(5, 5));
    EXPECT_EQ(kBlue, canvas.At(5, 20));
    // with the transparent-control filter only the edit and owner-drawn button stay out
    RenderCanvas filtered(100, 60, kWhite);
    PM::ExcludeChildAreas(&filtered.dc(), hParent, &PM::IsTransparentChildControl);
    filtered.dc().FillSolidRect(0, 0, 100, 60, kBlue);
    EXPECT_EQ(kBlue, filtered.At(5, 5));     // static
    EXPECT_EQ(kWhite, filtered.At(41, 5));   // owner-drawn button
    EXPECT_EQ(kWhite, filtered.At(53, 5));   // edit
    ::DestroyWindow(hParent);
}

}  // namespace
