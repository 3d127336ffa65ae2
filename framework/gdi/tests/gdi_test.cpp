// The GDI wrappers drawing into a 32-bit DIB, read back by pixel. Runs on a 24-bit and on an
// 8-bit (palette) display: the memory DCs are made compatible with the screen either way.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "gdi_test_resources.h"
#include "CBitmap.h"
#include "CBrush.h"
#include "CDC.h"
#include "CFont.h"
#include "CImageList.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kYellow = RGB(255, 255, 0);

int DisplayDepth() {
    std::string depth = orvtest::env("ORV_DISPLAY_DEPTH");
    return depth.empty() ? 24 : atoi(depth.c_str());
}

// A top-down 32-bit DIB section selected into a memory DC compatible with the screen, filled
// white; pixels are read straight from its bits.
class DibCanvas {
public:
    DibCanvas(int cx, int cy) : m_cx(cx), m_cy(cy) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = -cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        m_bitmap.Attach(::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0));
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.CreateCompatibleDC(NULL);
        m_pOldBitmap = m_dc.SelectObject(&m_bitmap);
        m_pOldBitmapHandle = m_pOldBitmap->GetSafeHandle();
        m_dc.FillSolidRect(0, 0, cx, cy, kWhite);
    }
    ~DibCanvas() { ::SelectObject(m_dc, m_pOldBitmapHandle); }

    bool Valid() const { return m_pBits != NULL && m_dc.GetSafeHdc() != NULL; }
    CDC& dc() { return m_dc; }
    COLORREF At(int x, int y) {
        ::GdiFlush();
        DWORD v = m_pBits[y * m_cx + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF color, const RECT& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) == color;
        return n;
    }
    void Keep(const std::string& name) {
        ::GdiFlush();
        orvtest::savePicture(name + "_" + std::to_string(DisplayDepth()), m_cx, m_cy,
                             reinterpret_cast<const unsigned int*>(m_pBits));
    }

    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap = NULL;

private:
    int m_cx, m_cy;
    DWORD* m_pBits = NULL;
    CDC m_dc;
    HGDIOBJ m_pOldBitmapHandle = NULL;
};

class GdiTest : public ::testing::Test {
protected:
    void SetUp() override { AfxDeleteTempMaps(); }
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(GdiTest, TheDisplayHasTheDepthAskedFor) {
    HDC hScreen = ::GetDC(NULL);
    int bits = ::GetDeviceCaps(hScreen, BITSPIXEL) * ::GetDeviceCaps(hScreen, PLANES);
    ::ReleaseDC(NULL, hScreen);
    // Wine reports 32 bits per pixel for a 24-bit X display
    if (DisplayDepth() == 8) {
        EXPECT_EQ(8, bits);
    } else {
        EXPECT_GE(bits, 24);
    }
}

// FillSolidRect fills exactly its rectangle; Draw3dRect gives the top and left edges one colour
// and the right and bottom edges (with the top-right and bottom-left corners) the other.
TEST_F(GdiTest, FillSolidRectAndDraw3dRectEdges) {
    DibCanvas canvas(64, 48);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    dc.FillSolidRect(CRect(4, 4, 20, 14), kBlue);
    dc.Draw3dRect(CRect(30, 10, 40, 30), kRed, kGreen);
    struct Probe { int x, y; COLORREF expected; const char* what; };
    const Probe probes[] = {
        {4, 4, kBlue, "fill top-left"},        {19, 13, kBlue, "fill bottom-right"},
        {3, 4, kWhite, "left of the fill"},     {20, 13, kWhite, "right of the fill"},
        {19, 14, kWhite, "below the fill"},     {4, 3, kWhite, "above the fill"},
        {30, 10, kRed, "3d top-left corner"},   {38, 10, kRed, "3d top edge"},
        {30, 28, kRed, "3d left edge"},         {39, 10, kGreen, "3d top-right corner"},
        {30, 29, kGreen, "3d bottom-left corner"}, {39, 29, kGreen, "3d bottom-right corner"},
        {39, 20, kGreen, "3d right edge"},      {35, 29, kGreen, "3d bottom edge"},
        {35, 20, kWhite, "3d inside"},          {40, 20, kWhite, "right of the 3d frame"},
        {35, 30, kWhite, "below the 3d frame"}, {29, 20, kWhite, "left of the 3d frame"},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(p.expected, canvas.At(p.x, p.y)) << p.what << " at " << p.x << "," << p.y;
    EXPECT_EQ(kGreen, dc.GetBkColor()) << "the last fill's colour stays the background colour";
    canvas.Keep("gdi_solid_and_3d");
}

// Every kind of object SelectObject gives back is a wrapper of the right class holding the old
// handle; it is a temporary unless the program has a wrapper of its own, and freeing it leaves
// the GDI object alive.
TEST_F(GdiTest, SelectObjectAnswersTemporariesOfTheRightClass) {
    DibCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    CFont font;
    ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kBlue);

    HGDIOBJ hDefaultFont = ::GetCurrentObject(dc, OBJ_FONT);
    CFont* pOldFont = dc.SelectObject(&font);
    ASSERT_TRUE(pOldFont != NULL);
    EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));
    EXPECT_EQ(hDefaultFont, pOldFont->m_hObject);
    EXPECT_EQ(pOldFont, AfxGetGdiObjectMap()->LookupTemporary(hDefaultFont));

    HGDIOBJ hDefaultPen = ::GetCurrentObject(dc, OBJ_PEN);
    CPen* pOldPen = dc.SelectObject(&pen);
    EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
    EXPECT_EQ(hDefaultPen, pOldPen->m_hObject);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    EXPECT_TRUE(pOldBrush->IsKindOf(RUNTIME_CLASS(CBrush)));
    CGdiObject* pStock = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(&brush, pStock) << "the program's own wrapper comes back, not a temporary";
    EXPECT_TRUE(canvas.m_pOldBitmap->IsKindOf(RUNTIME_CLASS(CBitmap)));

    // putting the program's font back answers the program's object
    EXPECT_EQ(&font, dc.SelectObject(pOldFont));
    // a handler is still running: nothing is freed
    {
        CTempMapDispatch dispatch;
        EXPECT_FALSE(AfxDeleteTempMaps());
        EXPECT_EQ(pOldFont, AfxGetGdiObjectMap()->LookupTemporary(hDefaultFont));
    }
    EXPECT_TRUE(AfxDeleteTempMaps());
    EXPECT_TRUE(AfxGetGdiObjectMap()->LookupTemporary(hDefaultFont) == NULL);
    EXPECT_EQ(OBJ_FONT, (int)::GetObjectType(hDefaultFont)) << "freeing a temporary deleted the font";
    EXPECT_EQ(OBJ_BITMAP, (int)::GetObjectType(canvas.m_bitmap.m_hObject));
    LOGFONT lf;
    ASSERT_NE(0, font.GetLogFont(&lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    ::SelectObject(dc, hDefaultPen);
    ::SelectObject(dc, ::GetStockObject(WHITE_BRUSH));
}

TEST_F(GdiTest, DCWrappersFromHandles) {
    HDC hDC = ::CreateCompatibleDC(NULL);
    ASSERT_TRUE(hDC != NULL);
    CDC* pTemp = CDC::FromHandle(hDC);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hDC, pTemp->m_hDC);
    EXPECT_EQ(hDC, pTemp->m_hAttribDC);
    EXPECT_EQ(pTemp, CDC::FromHandle(hDC));
    EXPECT_TRUE(AfxDeleteTempMaps());
    EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC)) << "freeing the temporary deleted the DC";

    {
        CDC owner;
        ASSERT_TRUE(owner.Attach(hDC));
        EXPECT_EQ(&owner, CDC::FromHandle(hDC));
        EXPECT_EQ(hDC, owner.Detach());
        EXPECT_TRUE(AfxGetDCMap()->LookupPermanent(hDC) == NULL);
        ASSERT_TRUE(owner.Attach(hDC));
    }   // the owner deletes its DC
    EXPECT_EQ(0, (int)::GetObjectType(hDC));
    EXPECT_TRUE(CDC::FromHandle(NULL) == NULL);
    CDC* volatile pNone = NULL;
    EXPECT_TRUE(pNone->GetSafeHdc() == NULL);
}

// SaveDC/RestoreDC bring back the colours, the mode and the selected objects.
TEST_F(GdiTest, SaveAndRestoreTheState) {
    DibCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    dc.SetTextColor(kBlue);
    dc.SetBkMode(OPAQUE);
    HGDIOBJ hPen = ::GetCurrentObject(dc, OBJ_PEN);
    int saved = dc.SaveDC();
    ASSERT_NE(0, saved);
    CPen red(PS_SOLID, 1, kRed);
    dc.SelectObject(&red);
    dc.SetTextColor(kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.SetViewportOrg(3, 4);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(kBlue, dc.GetTextColor());
    EXPECT_EQ(OPAQUE, dc.GetBkMode());
    EXPECT_EQ(hPen, ::GetCurrentObject(dc, OBJ_PEN));
    EXPECT_EQ(CPoint(0, 0), dc.GetViewportOrg());
}

// The extents read back are those that map logical points to the device (as an off-screen
// buffer copies them from the DC it stands for).
TEST_F(GdiTest, MappingExtentsReadBack) {
    DibCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    EXPECT_EQ(CSize(1, 1), dc.GetWindowExt());  // MM_TEXT
    EXPECT_EQ(CSize(1, 1), dc.GetViewportExt());
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(200, 100);
    dc.SetViewportExt(100, -50);
    EXPECT_EQ(CSize(200, 100), dc.GetWindowExt());
    EXPECT_EQ(CSize(100, -50), dc.GetViewportExt());
    CPoint point(200, 100);
    dc.LPtoDP(&point);
    EXPECT_EQ(CPoint(100, -50), point);
}

// The cosmetic PS_ALTERNATE pen (through ExtCreatePen) sets every other pixel; the halftone
// brush alternates in both directions.
TEST_F(GdiTest, AlternatePenAndHalftoneBrush) {
    DibCanvas canvas(40, 20);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    LOGBRUSH lb = {BS_SOLID, kBlack, 0};
    CPen alternate;
    ASSERT_TRUE(alternate.CreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &lb));
    CPen* pOld = dc.SelectObject(&alternate);
    dc.MoveTo(0, 2);
    dc.LineTo(20, 2);
    dc.SelectObject(pOld);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(x % 2 == 0 ? kBlack : kWhite, canvas.At(x, 2)) << "x " << x;
    EXPECT_EQ(kWhite, canvas.At(20, 2)) << "the line's end point is not drawn";

    CBrush* pHalftone = CDC::GetHalftoneBrush();
    ASSERT_TRUE(pHalftone->GetSafeHandle() != NULL);
    EXPECT_EQ(pHalftone, CDC::GetHalftoneBrush());
    dc.SetTextColor(kBlack);
    dc.SetBkColor(kWhite);
    dc.FillRect(CRect(24, 4, 32, 12), pHalftone);
    for (int y = 4; y < 6; ++y)
        for (int x = 24; x < 28; ++x)
            EXPECT_NE(canvas.At(x, y), canvas.At(x + 1, y)) << x << "," << y;
    EXPECT_NE(canvas.At(24, 4), canvas.At(24, 5));
    EXPECT_EQ(canvas.At(24, 4), canvas.At(25, 5));
    EXPECT_EQ(32, canvas.Count(kBlack, CRect(24, 4, 32, 12)));
    canvas.Keep("gdi_pen_and_halftone");
}

TEST_F(GdiTest, RegionsHitTestCombineAndClip) {
    // a right triangle with its right angle at the top-left
    const POINT triangle[] = {{0, 0}, {40, 0}, {0, 40}};
    CRgn rgn;
    ASSERT_TRUE(rgn.CreatePolygonRgn(triangle, 3, ALTERNATE));
    struct Hit { int x, y; BOOL inside; };
    const Hit hits[] = {{1, 1, TRUE}, {10, 10, TRUE}, {38, 0, TRUE}, {25, 25, FALSE},
                        {40, 0, FALSE}, {-1, 5, FALSE}, {0, 39, TRUE}, {30, 30, FALSE}};
    for (const Hit& h : hits)
        EXPECT_EQ(h.inside, rgn.PtInRegion(h.x, h.y)) << h.x << "," << h.y;

    // a frame: a rectangle minus its inside
    CRgn outer, inner, frame;
    outer.CreateRectRgn(0, 0, 20, 20);
    inner.CreateRectRgn(5, 5, 15, 15);
    frame.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(COMPLEXREGION, frame.CombineRgn(&outer, &inner, RGN_DIFF));
    EXPECT_TRUE(frame.PtInRegion(2, 10));
    EXPECT_FALSE(frame.PtInRegion(10, 10));
    CRect box;
    EXPECT_EQ(COMPLEXREGION, frame.GetRgnBox(&box));
    EXPECT_EQ(CRect(0, 0, 20, 20), box);

    // the same region back from its rectangles
    int nBytes = frame.GetRegionData(NULL, 0);
    ASSERT_GT(nBytes, 0);
    std::string data((size_t)nBytes, '\0');
    ASSERT_EQ(nBytes, frame.GetRegionData(reinterpret_cast<RGNDATA*>(&data[0]), nBytes));
    CRgn copy;
    ASSERT_TRUE(copy.CreateFromData(NULL, nBytes, reinterpret_cast<RGNDATA*>(&data[0])));
    EXPECT_TRUE(copy.EqualRgn(&frame));
    copy.OffsetRgn(30, 0);
    EXPECT_FALSE(copy.EqualRgn(&frame));

    DibCanvas canvas(60, 30);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    CBrush red(kRed);
    EXPECT_TRUE(dc.FillRgn(&frame, &red));
    EXPECT_EQ(20 * 20 - 10 * 10, canvas.Count(kRed, CRect(0, 0, 60, 30)));
    // clipped to the moved copy, a fill over everything paints only the copy's frame
    EXPECT_EQ(COMPLEXREGION, dc.SelectClipRgn(&copy));
    CRect clip;
    dc.GetClipBox(&clip);
    EXPECT_EQ(CRect(30, 0, 50, 20), clip);
    EXPECT_TRUE(dc.RectVisible(CRect(30, 0, 32, 2)));
    EXPECT_FALSE(dc.RectVisible(CRect(36, 6, 44, 14)));
    dc.FillSolidRect(0, 0, 60, 30, kBlue);
    EXPECT_EQ(300, canvas.Count(kBlue, CRect(0, 0, 60, 30)));
    EXPECT_EQ(kWhite, canvas.At(40, 10));
    dc.SelectClipRgn(NULL);
    dc.ExcludeClipRect(0, 0, 55, 30);
    dc.FillSolidRect(0, 0, 60, 30, kYellow);
    EXPECT_EQ(5 * 30, canvas.Count(kYellow, CRect(0, 0, 60, 30)));
    canvas.Keep("gdi_regions");
}

// A masked image list draws its images with the mask colour left transparent, for the colour
// formats the UI uses.
TEST_F(GdiTest, MaskedImageListDrawsTransparently) {
    const UINT formats[] = {ILC_COLOR8 | ILC_MASK, ILC_COLOR24 | ILC_MASK, ILC_COLOR32 | ILC_MASK};
    DibCanvas canvas(3 * 40, 40);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    dc.FillSolidRect(0, 0, 3 * 40, 40, kYellow);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(testing::Message() << "format 0x" << std::hex << formats[i]);
        // two 16x16 images side by side: red with a magenta (transparent) centre, then blue
        DibCanvas strip(32, 16);
        ASSERT_TRUE(strip.Valid());
        strip.dc().FillSolidRect(0, 0, 16, 16, kRed);
        strip.dc().FillSolidRect(4, 4, 8, 8, kMagenta);
        strip.dc().FillSolidRect(16, 0, 16, 16, kBlue);
        CBitmap images;
        ASSERT_TRUE(images.Attach(::CopyImage(strip.m_bitmap.m_hObject, IMAGE_BITMAP, 0, 0, 0)));

        CImageList list;
        ASSERT_TRUE(list.Create(16, 16, formats[i], 2, 1));
        ASSERT_EQ(0, list.Add(&images, kMagenta));
        EXPECT_EQ(2, list.GetImageCount());
        EXPECT_EQ(&list, CImageList::FromHandle(list.GetSafeHandle()));
        list.SetBkColor(CLR_NONE);
        int x = i * 40 + 4;
        EXPECT_TRUE(list.Draw(&dc, 0, CPoint(x, 4), ILD_TRANSPARENT));
        EXPECT_TRUE(list.Draw(&dc, 1, CPoint(x + 16, 4), ILD_NORMAL));
        EXPECT_EQ(kRed, canvas.At(x, 4));
        EXPECT_EQ(kRed, canvas.At(x + 15, 19));
        EXPECT_EQ(kYellow, canvas.At(x + 8, 12)) << "the mask colour was drawn";
        EXPECT_EQ(kBlue, canvas.At(x + 20, 10));
        EXPECT_EQ(kYellow, canvas.At(x, 22));
    }
    // a temporary image-list wrapper is freed without destroying the list
    HIMAGELIST hList = ImageList_Create(8, 8, ILC_COLOR32, 1, 1);
    CImageList* pTemp = CImageList::FromHandle(hList);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hList, pTemp->m_hImageList);
    EXPECT_TRUE(AfxDeleteTempMaps());
    EXPECT_EQ(0, ImageList_GetImageCount(hList));
    EXPECT_TRUE(ImageList_Destroy(hList));
    canvas.Keep("gdi_image_list");
}

// Text, shapes and a round trip through a bitmap the display owns (8 bits per pixel on a
// palette display): what the UI's painters draw, kept as a picture.
TEST_F(GdiTest, GalleryOfShapesTextAndBlits) {
    DibCanvas canvas(240, 120);
    ASSERT_TRUE(canvas.Valid());
    CDC& dc = canvas.dc();
    CBrush green(kGreen);
    CPen blue(PS_SOLID, 1, kBlue);
    CBrush* pOldBrush = dc.SelectObject(&green);
    CPen* pOldPen = dc.SelectObject(&blue);
    dc.Rectangle(4, 4, 40, 30);
    dc.Ellipse(44, 4, 84, 30);
    dc.RoundRect(88, 4, 128, 30, 10, 10);
    const POINT diamond[] = {{150, 4}, {166, 17}, {150, 30}, {134, 17}};
    dc.Polygon(diamond, 4);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
    EXPECT_EQ(kBlue, canvas.At(4, 4));
    EXPECT_EQ(kGreen, canvas.At(20, 17));
    EXPECT_EQ(kGreen, canvas.At(64, 17));
    EXPECT_EQ(kWhite, canvas.At(45, 5)) << "outside the ellipse";
    EXPECT_EQ(kGreen, canvas.At(150, 17));

    CFont font;
    ASSERT_TRUE(font.CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma"));
    CFont* pOldFont = dc.SelectObject(&font);
    CSize extent = dc.GetTextExtent(CString("Orvane"));
    EXPECT_GT(extent.cx, 20);
    EXPECT_GT(extent.cy, 8);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(extent.cy, tm.tmHeight);
    dc.SetTextColor(kBlack);
    dc.SetBkMode(TRANSPARENT);
    CRect textRect(4, 36, 120, 56);
    EXPECT_GT(dc.DrawText(CString("Orvane"), textRect, DT_LEFT | DT_TOP | DT_SINGLELINE), 0);
    EXPECT_GT(canvas.Count(kBlack, textRect), 10);
    EXPECT_TRUE(dc.DrawState(CPoint(124, 36), CSize(0, 0), "&Disabled", DSS_DISABLED, TRUE, 0,
                             (HBRUSH)NULL));
    dc.SelectObject(pOldFont);
    dc.Draw3dRect(CRect(170, 4, 236, 30), ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
    dc.FillSolidRect(180, 10, 20, 14, kRed);

    // through a bitmap compatible with the screen and back: pure red is in every palette
    HDC hScreen = ::GetDC(NULL);
    CDC* pScreen = CDC::FromHandle(hScreen);
    CDC screenCopy;
    ASSERT_TRUE(screenCopy.CreateCompatibleDC(pScreen));
    CBitmap deviceBitmap;
    ASSERT_TRUE(deviceBitmap.CreateCompatibleBitmap(pScreen, 240, 60));
    BITMAP bm;
    ASSERT_NE(0, deviceBitmap.GetBitmap(&bm));
    EXPECT_EQ(CSize(240, 60), deviceBitmap.GetSize());
    if (DisplayDepth() == 8) {
        EXPECT_EQ(8, bm.bmBitsPixel);
    }
    CBitmap* pOld = screenCopy.SelectObject(&deviceBitmap);
    EXPECT_TRUE(screenCopy.BitBlt(0, 0, 240, 60, &dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(dc.StretchBlt(0, 60, 120, 30, &screenCopy, 0, 0, 240, 60, SRCCOPY));
    EXPECT_TRUE(dc.BitBlt(120, 60, 120, 60, &screenCopy, 120, 0, SRCCOPY));
    screenCopy.SelectObject(pOld);
    EXPECT_EQ(kRed, canvas.At(185, 75)) << "the red cell after the round trip";
    EXPECT_EQ(kGreen, canvas.At(10, 60 + 8)) << "the rectangle, half size";
    EXPECT_EQ(kRed, dc.GetNearestColor(kRed));
    ::ReleaseDC(NULL, hScreen);
    canvas.Keep("gdi_gallery");
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The colours of a bitmap, read through a DIB.
std::vector<COLORREF> PixelsOf(CBitmap& bitmap, int cx, int cy) {
    DibCanvas canvas(cx, cy);
    CDC source;
    source.CreateCompatibleDC(NULL);
    CBitmap* pOld = source.SelectObject(&bitmap);
    canvas.dc().BitBlt(0, 0, cx, cy, &source, 0, 0, SRCCOPY);
    source.SelectObject(pOld);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            pixels.push_back(canvas.At(x, y));
    return pixels;
}

// Bitmaps come from the resource module when it has them, else from the program; the mapped
// load turns the four standard button colours into the system's.
TEST_F(GdiTest, BitmapsFromResources) {
    const std::vector<COLORREF> stored = {kBlack, RGB(128, 128, 128), RGB(192, 192, 192), kWhite,
                                          kMagenta, kRed, kMagenta, kBlue};
    // a resource module without the bitmaps: the program's are found instead
    HINSTANCE hPrevious = AfxGetResourceHandle();
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    CBitmap byId, byName, missing;
    EXPECT_TRUE(byId.LoadBitmap(IDB_COLOURS));
    EXPECT_TRUE(byName.LoadBitmap("COLOURS"));
    EXPECT_FALSE(missing.LoadBitmap(IDB_MISSING));
    EXPECT_TRUE(missing.GetSafeHandle() == NULL);
    AfxSetResourceHandle(hPrevious);
    ASSERT_EQ(CSize(8, 2), byId.GetSize());
    std::vector<COLORREF> expected = stored;
    expected.insert(expected.end(), stored.begin(), stored.end());
    EXPECT_EQ(expected, PixelsOf(byId, 8, 2));
    EXPECT_EQ(expected, PixelsOf(byName, 8, 2));

    CBitmap mapped;
    ASSERT_TRUE(mapped.LoadMappedBitmap(IDB_COLOURS));
    std::vector<COLORREF> pixels = PixelsOf(mapped, 8, 2);
    const int mappedTo[] = {COLOR_BTNTEXT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
    for (int i = 0; i < 4; ++i) {
        COLORREF system = ::GetSysColor(mappedTo[i]);
        if (DisplayDepth() > 8) {
            EXPECT_EQ(system, pixels[i]) << "column " << i;
        } else {
            // the bitmap is the display's, so a system colour outside the palette comes out as
            // a palette colour close to it (and far from the grey it replaced)
            EXPECT_TRUE(Near(system, pixels[i], 16)) << "column " << i << ": " << std::hex << pixels[i];
        }
    }
    for (int i = 4; i < 8; ++i)
        EXPECT_EQ(stored[i], pixels[i]) << "column " << i << " is not a button colour";

    // as the list view's image lists are made: 8-bit colour with a mask, the bitmap added with
    // magenta as the transparent colour, 4 pixels a picture
    CImageList list;
    ASSERT_TRUE(list.Create(4, 2, ILC_COLOR8 | ILC_MASK, 8, 1));
    EXPECT_EQ(0, list.Add(&byId, kMagenta));
    EXPECT_EQ(2, list.GetImageCount());
    list.SetBkColor(CLR_NONE);
    DibCanvas canvas(4, 2);
    ASSERT_TRUE(canvas.Valid());
    canvas.dc().FillSolidRect(0, 0, 4, 2, kYellow);
    EXPECT_TRUE(list.Draw(&canvas.dc(), 1, CPoint(0, 0), ILD_TRANSPARENT));
    const COLORREF drawn[] = {kYellow, kRed, kYellow, kBlue};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(drawn[i], canvas.At(i, 1)) << "column " << i;
}

TEST_F(GdiTest, PaletteEntries) {
    const PALETTEENTRY colours[3] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};
    std::string buffer(offsetof(LOGPALETTE, palPalEntry) + sizeof colours, '\0');
    LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(&buffer[0]);
    pLog->palVersion = 0x300;
    pLog->palNumEntries = 3;
    memcpy(&buffer[offsetof(LOGPALETTE, palPalEntry)], colours, sizeof colours);
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(pLog));
    EXPECT_EQ(3, palette.GetEntryCount());
    EXPECT_EQ(2u, palette.GetNearestPaletteIndex(RGB(10, 10, 240)));
    PALETTEENTRY back[3];
    ASSERT_EQ(3u, palette.GetPaletteEntries(0, 3, back));
    EXPECT_EQ(255, back[1].peGreen);

    DibCanvas canvas(4, 4);
    ASSERT_TRUE(canvas.Valid());
    CPalette* pOld = canvas.dc().SelectPalette(&palette, FALSE);
    ASSERT_TRUE(pOld != NULL);
    EXPECT_TRUE(pOld->IsKindOf(RUNTIME_CLASS(CPalette)));
    EXPECT_EQ(&palette, canvas.dc().SelectPalette(pOld, FALSE));
}

}  // namespace
