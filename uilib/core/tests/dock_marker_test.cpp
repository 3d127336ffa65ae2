// Docking markers: the built-in pictures, shapes cut from their key colour, tinting, records,
// marker windows under the test's display (and what is left when making one fails), and the
// drop highlight blended into a small buffer.
#include "PaintProbe.h"
#include "CExtDynDockMarkerWnd.h"
#include "ExtBitmapUtil.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include <functional>
#include <memory>
#include <vector>

namespace {

typedef CExtPaintManager PM;
typedef CExtPaintManager::DockMarker Marker;
using namespace orvtest;

const COLORREF kKey = PM::DockMarkerKeyColor;

// A bitmap's pixels, top-down, as COLORREFs.
std::vector<COLORREF> Pixels(HBITMAP hBitmap, int& cx, int& cy) {
    COLORREF* pBits = NULL;
    HBITMAP hCopy = CExtBitmapUtil::CopyBitmapPart(hBitmap, NULL, &pBits);
    BITMAP bm = {};
    ::GetObjectA(hCopy, sizeof bm, &bm);
    cx = bm.bmWidth;
    cy = bm.bmHeight;
    std::vector<COLORREF> out;
    for (int i = 0; i < cx * cy; i++)
        out.push_back(CExtBitmapUtil::FromDib(pBits[i]));
    ::DeleteObject(hCopy);
    return out;
}

// A 32-bit DIB section from top-down COLORREFs.
HBITMAP MakeBitmap(int cx, int cy, const std::function<COLORREF(int, int)>& color) {
    COLORREF* pBits = NULL;
    HBITMAP h = CExtBitmapUtil::CreateFilled32(cx, cy, 0, &pBits);
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pBits[y * cx + x] = CExtBitmapUtil::ToDib(color(x, y));
    return h;
}

HBITMAP LoadPicture(int eKind) {
    const BYTE* pData = NULL;
    size_t nSize = 0;
    if (!PM::GetDockMarkerPicture(eKind, pData, nSize))
        return NULL;
    return PM::LoadBitmapFromMemory(pData, nSize);
}

// Whether the region holds exactly the pixels the predicate names.
int RegionMismatches(HRGN hRgn, int cx, int cy, const std::function<bool(int, int)>& expected) {
    int n = 0;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            n += (::PtInRegion(hRgn, x, y) != FALSE) != expected(x, y);
    return n;
}

BOOL CALLBACK CollectMarkerWindow(HWND h, LPARAM lParam) {
    char name[64] = "";
    ::GetClassNameA(h, name, sizeof name);
    if (strcmp(name, CExtDynDockMarkerWnd::kClassName) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(h);
    return TRUE;
}

// The marker windows there are, made by anyone.
std::vector<HWND> MarkerWindows() {
    std::vector<HWND> found;
    ::EnumWindows(CollectMarkerWindow, (LPARAM)&found);
    return found;
}

class DockMarkerTest : public orvtest::PaintTest {};

TEST_F(DockMarkerTest, BuiltInPictures) {
    struct Case {
        int kind;
        int cx, cy;
        size_t bytes;
    };
    const Case cases[] = {{0, 43, 30, 4015}, {1, 43, 30, 4015}, {2, 30, 43, 4011}, {3, 30, 43, 4011}, {4, 83, 83, 20971}};
    for (const Case& c : cases) {
        const BYTE* pData = NULL;
        size_t nSize = 0;
        ASSERT_TRUE(PM::GetDockMarkerPicture(c.kind, pData, nSize)) << c.kind;
        EXPECT_EQ(c.bytes, nSize) << c.kind;
        EXPECT_EQ('B', pData[0]);
        EXPECT_EQ('M', pData[1]);
        EXPECT_EQ(24, pData[28]) << c.kind;   // bits per pixel
        HBITMAP h = PM::LoadBitmapFromMemory(pData, nSize);
        ASSERT_TRUE(h != NULL) << c.kind;
        int cx, cy;
        const std::vector<COLORREF> px = Pixels(h, cx, cy);
        EXPECT_EQ(c.cx, cx) << c.kind;
        EXPECT_EQ(c.cy, cy) << c.kind;
        // the corners are the key colour, the middle is not
        EXPECT_EQ(kKey, px[0]) << c.kind;
        EXPECT_EQ(kKey, px[(size_t)cx * cy - 1]) << c.kind;
        EXPECT_NE(kKey, px[(size_t)(cy / 2) * cx + cx / 2]) << c.kind;
        ::DeleteObject(h);
    }
    const BYTE* pData = NULL;
    size_t nSize = 0;
    EXPECT_FALSE(PM::GetDockMarkerPicture(5, pData, nSize));
    // a damaged image does not load
    ASSERT_TRUE(PM::GetDockMarkerPicture(0, pData, nSize));
    std::vector<BYTE> cut(pData, pData + 100);
    EXPECT_TRUE(PM::LoadBitmapFromMemory(cut.data(), cut.size()) == NULL);
}

TEST_F(DockMarkerTest, RegionIsTheNonKeyPixels) {
    // the built-in pictures
    for (int kind = 0; kind <= 4; kind++) {
        HBITMAP h = LoadPicture(kind);
        int cx, cy;
        const std::vector<COLORREF> px = Pixels(h, cx, cy);
        HRGN hRgn = PM::BitmapToRegion(h, kKey, 0);
        ASSERT_TRUE(hRgn != NULL) << kind;
        EXPECT_EQ(0, RegionMismatches(hRgn, cx, cy, [&](int x, int y) { return px[(size_t)y * cx + x] != kKey; }))
            << kind;
        ::DeleteObject(hRgn);
        ::DeleteObject(h);
    }
    struct Case {
        const char* name;
        int cx, cy;
        std::function<COLORREF(int, int)> color;
        COLORREF key;
        int tolerance;
        std::function<bool(int, int)> inside;
    };
    const Case cases[] = {
        // a checkerboard: 2,400 runs, more than one batch of rectangles
        {"checkerboard", 120, 40, [](int x, int y) { return (x + y) % 2 ? RGB(0, 0, 255) : kKey; }, kKey, 0,
         [](int x, int y) { return (x + y) % 2 != 0; }},
        // all key: an empty shape
        {"all key", 10, 10, [](int, int) { return kKey; }, kKey, 0, [](int, int) { return false; }},
        // no key: the whole picture
        {"no key", 10, 10, [](int, int) { return RGB(1, 2, 3); }, kKey, 0, [](int, int) { return true; }},
        // a tolerance takes in near colours: key 250..255 in red (capped), 0..5 in blue
        {"tolerance", 16, 1, [](int x, int) { return x < 8 ? RGB(250 + x % 6, 255, x % 6) : RGB(244 + x - 8, 255, 0); },
         RGB(250, 255, 0), 5, [](int x, int) { return x >= 8 && 244 + x - 8 < 250; }},
        // near 255 the range stops there: nothing wraps round to the dark values
        {"cap", 4, 1, [](int x, int) { return x == 0 ? RGB(255, 255, 0) : RGB(x, 255, 0); }, RGB(250, 255, 0), 250,
         [](int x, int) { return x != 0; }},
    };
    for (const Case& c : cases) {
        HBITMAP h = MakeBitmap(c.cx, c.cy, c.color);
        HRGN hRgn = PM::BitmapToRegion(h, c.key, c.tolerance);
        ASSERT_TRUE(hRgn != NULL) << c.name;
        EXPECT_EQ(0, RegionMismatches(hRgn, c.cx, c.cy, c.inside)) << c.name;
        ::DeleteObject(hRgn);
        ::DeleteObject(h);
    }
    EXPECT_TRUE(PM::BitmapToRegion(NULL, kKey, 0) == NULL);
}

TEST_F(DockMarkerTest, AdjustBitmapHslKeepsTheKey) {
    auto color = [](int x, int y) { return (x + y) % 3 == 0 ? kKey : RGB(40 + 10 * x, 80, 120 + 10 * y); };
    // all deltas 0: nothing changes, success
    CBitmap bmp;
    bmp.Attach(MakeBitmap(6, 6, color));
    HGDIOBJ hBefore = bmp.GetSafeHandle();
    EXPECT_TRUE(PM::AdjustBitmapHsl(bmp, kKey, 0, 0.0, 0.0, 0.0));
    EXPECT_EQ(hBefore, bmp.GetSafeHandle());
    // lighter: every pixel but the key moved by the same rule as a single colour
    EXPECT_TRUE(PM::AdjustBitmapHsl(bmp, kKey, 0, 0.0, 0.35, 0.0));
    int cx, cy;
    const std::vector<COLORREF> px = Pixels((HBITMAP)bmp.GetSafeHandle(), cx, cy);
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < 6; x++) {
            const COLORREF was = color(x, y);
            EXPECT_EQ(was == kKey ? kKey : PM::AdjustColorHsl(was, 0.0, 0.35, 0.0), px[y * 6 + x]) << x << "," << y;
        }
    CBitmap empty;
    EXPECT_FALSE(PM::AdjustBitmapHsl(empty, kKey, 0, 0.0, 0.35, 0.0));
}

TEST_F(DockMarkerTest, MarkerRecordsAndPlacement) {
    ScopedPainter painter(new CExtPaintManagerXP);
    struct Case {
        int kind;
        CRect target;
        std::vector<std::pair<int, CRect>> children;   // kind and placement, in order
        CRect placement;
    };
    const Case cases[] = {
        {0, CRect(100, 100, 300, 200), {}, CRect(178, 100, 221, 130)},
        {1, CRect(100, 100, 300, 200), {}, CRect(178, 170, 221, 200)},
        {2, CRect(100, 100, 300, 200), {}, CRect(100, 128, 130, 171)},
        {3, CRect(100, 100, 300, 200), {}, CRect(270, 128, 300, 171)},
        {4, CRect(100, 100, 300, 200), {}, CRect(158, 108, 241, 191)},
        {5, CRect(0, 0, 200, 100), {{0, CRect(78, 0, 121, 30)}, {1, CRect(78, 70, 121, 100)}, {2, CRect(0, 28, 30, 71)}, {3, CRect(170, 28, 200, 71)}},
         CRect(0, 0, 200, 100)},
        // a small target still gets the full square of 95 x 95; the arrows lie on the
        // centre picture's rim
        {6, CRect(0, 0, 10, 10), {{4, CRect(-36, -36, 47, 47)}, {0, CRect(-16, -42, 27, -12)}, {1, CRect(-16, 23, 27, 53)}, {2, CRect(-42, -16, -12, 27)}, {3, CRect(23, -16, 53, 27)}},
         CRect(-42, -42, 53, 53)},
    };
    for (const Case& c : cases) {
        Marker m;
        ASSERT_TRUE(m.Build(c.kind, c.target)) << c.kind;
        EXPECT_EQ(c.kind, m.m_eKind);
        EXPECT_EQ(RectText(c.placement), RectText(m.m_rcPlacement)) << c.kind;
        ASSERT_EQ((INT_PTR)c.children.size(), m.m_arrChildren.GetSize()) << c.kind;
        for (size_t i = 0; i < c.children.size(); i++) {
            EXPECT_EQ(c.children[i].first, m.m_arrChildren[i]->m_eKind) << c.kind << " " << i;
            EXPECT_EQ(RectText(c.children[i].second), RectText(m.m_arrChildren[i]->m_rcPlacement)) << c.kind << " " << i;
            EXPECT_TRUE(m.m_arrChildren[i]->m_rgn.GetSafeHandle() != NULL);
        }
        if (c.children.empty()) {
            EXPECT_TRUE(m.m_bmpActive.GetSafeHandle() != NULL);
            EXPECT_TRUE(m.m_bmpIdle.GetSafeHandle() != NULL);
        }
        m.Clear();
        EXPECT_EQ(-1, m.m_eKind);
        EXPECT_EQ(0, m.m_arrChildren.GetSize());
        EXPECT_TRUE(m.m_bmpActive.GetSafeHandle() == NULL);
        EXPECT_TRUE(m.m_rcPlacement.IsRectEmpty());
    }
    Marker bad;
    EXPECT_FALSE(bad.Build(7, CRect(0, 0, 10, 10)));
    EXPECT_FALSE(bad.Build(-1, CRect(0, 0, 10, 10)));
    EXPECT_EQ(-1, bad.m_eKind);
}

TEST_F(DockMarkerTest, TintPerLookAndScheme) {
    // a pixel of the arrow's panel in the top picture, as loaded
    HBITMAP hRaw = LoadPicture(0);
    int cx, cy;
    const std::vector<COLORREF> raw = Pixels(hRaw, cx, cy);
    ::DeleteObject(hRaw);
    const int x = 5, y = 15;
    const COLORREF panel = raw[(size_t)y * cx + x];
    ASSERT_NE(kKey, panel);
    struct Case {
        const char* name;
        int look;
        const char* scheme;   // NULL: the system's own answers
        double idle[2][3];    // up to two HSL steps for the idle picture (H, L, S)
        double active[3];
    };
    const bool high = HighColor();
    const Case cases[] = {
        {"classic", 0, NULL, {{0, high ? 0.35 : 0.3, high ? 0 : -1.0}, {0, 0, 0}}, {0, high ? 0 : -0.15, high ? 0 : -1.0}},
        {"xp", 1, NULL, {{0, high ? 0.35 : 0.3, high ? 0 : -1.0}, {0, 0, 0}}, {0, high ? 0 : -0.15, high ? 0 : -1.0}},
        {"office2003_blue", 2, "normalcolor", {{0, high ? 0.35 : 0.3, high ? 0 : -1.0}, {0, 0, 0}}, {0, high ? 0 : -0.15, high ? 0 : -1.0}},
        {"office2003_olive", 2, "homestead", {{0, high ? 0.35 : 0.3, high ? 0 : -1.0}, {high ? 0.6 : 0, 0, high ? -0.45 : 0}},
         {high ? 0.6 : 0, high ? 0 : -0.15, high ? -0.45 : -1.0}},
        {"studio2005_silver", 3, "metallic", {{0, high ? 0.35 : 0.3, high ? 0 : -1.0}, {0, 0, high ? -0.85 : 0}},
         {0, high ? 0 : -0.15, high ? -0.85 : -1.0}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<orvtest::XpLunaSystem> xp;
        std::unique_ptr<orvtest::ScopedSystemAnswers> answers;
        if (c.scheme != NULL) {
            xp.reset(new orvtest::XpLunaSystem(c.scheme));
            answers.reset(new orvtest::ScopedSystemAnswers(xp.get()));
        }
        ScopedPainter painter(NewLook(c.look));
        Marker m;
        ASSERT_TRUE(m.Build(0, CRect(0, 0, 100, 100))) << c.name;
        const COLORREF idle = Pixels((HBITMAP)m.m_bmpIdle.GetSafeHandle(), cx, cy)[(size_t)y * cx + x];
        const COLORREF active = Pixels((HBITMAP)m.m_bmpActive.GetSafeHandle(), cx, cy)[(size_t)y * cx + x];
        COLORREF expectIdle = PM::AdjustColorHsl(panel, c.idle[0][0], c.idle[0][1], c.idle[0][2]);
        if (c.idle[1][0] != 0 || c.idle[1][2] != 0)
            expectIdle = PM::AdjustColorHsl(expectIdle, c.idle[1][0], c.idle[1][1], c.idle[1][2]);
        const COLORREF expectActive = (c.active[0] == 0 && c.active[1] == 0 && c.active[2] == 0)
                                          ? panel
                                          : PM::AdjustColorHsl(panel, c.active[0], c.active[1], c.active[2]);
        EXPECT_EQ(expectIdle, idle) << c.name;
        EXPECT_EQ(expectActive, active) << c.name;
        // the key stays: the shape survives the tint
        EXPECT_EQ(kKey, Pixels((HBITMAP)m.m_bmpIdle.GetSafeHandle(), cx, cy)[0]) << c.name;
        // the centre picture is never tinted
        Marker centre;
        ASSERT_TRUE(centre.Build(4, CRect(0, 0, 100, 100)));
        HBITMAP hCentre = LoadPicture(4);
        EXPECT_EQ(Pixels(hCentre, cx, cy), Pixels((HBITMAP)centre.m_bmpIdle.GetSafeHandle(), cx, cy)) << c.name;
        ::DeleteObject(hCentre);
    }
}

TEST_F(DockMarkerTest, MarkerWindowsAreShapedTopmostAndDestroyed) {
    ScopedPainter painter(new CExtPaintManagerXP);
    ASSERT_TRUE(MarkerWindows().empty());
    CExtDynDockMarkerWnd::Array arr;
    const CRect target(200, 150, 400, 350);
    ASSERT_TRUE(pm().BuildDockMarker(Marker::KindCross, target, NULL, arr));
    ASSERT_EQ(5, arr.GetSize());
    Marker expected;
    ASSERT_TRUE(expected.Build(Marker::KindCross, target));
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtDynDockMarkerWnd* pWnd = arr[i];
        const Marker* pRecord = expected.m_arrChildren[i];
        HWND h = pWnd->GetSafeHwnd();
        ASSERT_TRUE(::IsWindow(h)) << i;
        EXPECT_EQ(pRecord->m_eKind, pWnd->GetKind()) << i;
        EXPECT_TRUE(::IsWindowVisible(h)) << i;
        EXPECT_NE(0, ::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) << i;
        EXPECT_NE(0, (DWORD)::GetWindowLongA(h, GWL_STYLE) & WS_POPUP) << i;
        EXPECT_EQ(CExtDynDockMarkerWnd::GetSharedOwner(), ::GetWindow(h, GW_OWNER)) << i;
        CRect rcWindow;
        ::GetWindowRect(h, &rcWindow);
        EXPECT_EQ(RectText(pRecord->m_rcPlacement), RectText(rcWindow)) << i;
        // the window's shape is its picture's non-key pixels
        HBITMAP hPicture = LoadPicture(pRecord->m_eKind);
        int cx, cy;
        const std::vector<COLORREF> px = Pixels(hPicture, cx, cy);
        ::DeleteObject(hPicture);
        HRGN hShape = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(ERROR, ::GetWindowRgn(h, hShape)) << i;
        EXPECT_EQ(0, RegionMismatches(hShape, cx, cy, [&](int x, int y) { return px[(size_t)y * cx + x] != kKey; }))
            << i;
        ::DeleteObject(hShape);
        pWnd->SetHighlighted(true);
        EXPECT_TRUE(pWnd->IsHighlighted());
    }
    EXPECT_EQ(5u, MarkerWindows().size());
    // building again replaces the old windows
    ASSERT_TRUE(pm().BuildDockMarker(Marker::KindEdges, target, NULL, arr));
    EXPECT_EQ(4, arr.GetSize());
    EXPECT_EQ(4u, MarkerWindows().size());
    CExtDynDockMarkerWnd::DestroyMarkers(arr);
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_TRUE(MarkerWindows().empty());
    // an unknown kind builds nothing and leaves nothing
    EXPECT_FALSE(pm().BuildDockMarker(9, target, NULL, arr));
    EXPECT_EQ(0, arr.GetSize());
}

// A look whose n-th marker window cannot be made.
class FailingPainter : public CExtPaintManagerXP {
public:
    explicit FailingPainter(int nFailAt) : m_nFailAt(nFailAt) {}
    int m_nFailAt, m_nCalls = 0;

protected:
    CExtDynDockMarkerWnd* CreateDockMarkerWnd(CWnd* pWndOwner, int eKind, HBITMAP hActive,
                                              HBITMAP hIdle, HRGN hRgn, const RECT& rc) override {
        if (++m_nCalls == m_nFailAt) {
            // as a window whose creation failed: it takes the handles and has no window
            CExtDynDockMarkerWnd* pWnd = CExtPaintManagerXP::CreateDockMarkerWnd(pWndOwner, eKind, hActive, hIdle, hRgn, rc);
            pWnd->DestroyWindow();
            return pWnd;
        }
        return CExtPaintManagerXP::CreateDockMarkerWnd(pWndOwner, eKind, hActive, hIdle, hRgn, rc);
    }
};

TEST_F(DockMarkerTest, FailureHalfWayLeavesNoWindows) {
    for (int failAt : {1, 3, 5}) {
        FailingPainter* pPainter = new FailingPainter(failAt);
        ScopedPainter painter(pPainter);
        CExtDynDockMarkerWnd::Array arr;
        // windows left over from an earlier build are destroyed first, too
        ASSERT_TRUE(CExtPaintManager().BuildDockMarker(Marker::KindTop, CRect(0, 0, 100, 100), NULL, arr));
        ASSERT_EQ(1u, MarkerWindows().size());
        EXPECT_FALSE(pm().BuildDockMarker(Marker::KindCross, CRect(200, 150, 400, 350), NULL, arr)) << failAt;
        EXPECT_EQ(failAt, pPainter->m_nCalls) << failAt;
        EXPECT_EQ(0, arr.GetSize()) << failAt;
        EXPECT_TRUE(MarkerWindows().empty()) << failAt;
    }
}

// ---- the drop highlight on an 8 x 8 buffer ---------------------------------------------------

TEST_F(DockMarkerTest, HighlightBlend) {
    const COLORREF hi = RGB(0, 0, 200), border = RGB(200, 100, 0);
    const COLORREF start = RGB(100, 150, 250);
    auto mix = [](COLORREF px, COLORREF to) {
        return PM::AdjustColorHsl(RGB(std::min(GetRValue(px) + (GetRValue(to) - GetRValue(px)) / 2, 255),
                                      std::min(GetGValue(px) + (GetGValue(to) - GetGValue(px)) / 2, 255),
                                      std::min(GetBValue(px) + (GetBValue(to) - GetBValue(px)) / 2, 255)),
                                  0.0, 0.1, 0.0);
    };
    struct Case {
        const char* name;
        bool limit;
        CRect rc1, rc2;
        int width;
        // per row, top to bottom: '.' untouched, 'h' highlight, 'b' border
        const char* rows[8];
    };
    const Case cases[] = {
        {"whole buffer", false, CRect(2, 2, 3, 3), CRect(), 0,
         {"hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh"}},
        {"whole buffer, border", false, CRect(2, 2, 3, 3), CRect(), 1,
         {"bbbbbbbb", "bhhhhhhb", "bhhhhhhb", "bhhhhhhb", "bhhhhhhb", "bhhhhhhb", "bhhhhhhb", "bbbbbbbb"}},
        {"one rectangle", true, CRect(1, 1, 6, 4), CRect(), 1,
         {"........", ".bbbbb..", ".bhhhb..", ".bbbbb..", "........", "........", "........", "........"}},
        // a tab below: the first rectangle's bottom edge opens over the tab's inner columns
        {"tab below", true, CRect(0, 0, 8, 4), CRect(2, 4, 6, 8), 1,
         {"bbbbbbbb", "bhhhhhhb", "bhhhhhhb", "bbbhhbbb", "..bhhb..", "..bhhb..", "..bhhb..", "..bbbb.."}},
        {"no border", true, CRect(0, 0, 8, 4), CRect(2, 4, 6, 8), 0,
         {"hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "hhhhhhhh", "..hhhh..", "..hhhh..", "..hhhh..", "..hhhh.."}},
    };
    ScopedPainter painter(new CExtPaintManagerXP);
    for (const Case& c : cases) {
        DWORD buffer[64];
        const DWORD startPixel = CExtBitmapUtil::ToDib(start);
        for (DWORD& px : buffer)
            px = startPixel;
        pm().PaintDockMarker(buffer, 8, 8, c.limit, c.rc1, c.rc2, hi, border, c.width);
        for (int y = 0; y < 8; y++) {
            for (int x = 0; x < 8; x++) {
                // rows are stored bottom-up
                const COLORREF got = CExtBitmapUtil::FromDib(buffer[(7 - y) * 8 + x]);
                const char want = c.rows[y][x];
                COLORREF expected = start;
                if (HighColor()) {
                    if (want != '.')
                        expected = mix(start, want == 'b' ? border : hi);
                } else if (want != '.' && (x & 1) != (y & 1)) {
                    // a palette display: a 50 % dither of the shadow colour
                    expected = pm().GetColor(COLOR_3DSHADOW);
                }
                EXPECT_EQ(expected, got) << c.name << " at " << x << "," << y;
            }
        }
    }
    if (!HighColor())
        return;
    // default colours: the selection colour, and the face for the border
    DWORD buffer[64] = {};
    pm().PaintDockMarker(buffer, 8, 8, false, CRect(), CRect(), (COLORREF)-1, (COLORREF)-1, 1);
    const DWORD corner = buffer[0], middle = buffer[4 * 8 + 4];
    auto asColor = CExtBitmapUtil::FromDib;
    EXPECT_EQ(mix(RGB(0, 0, 0), ::GetSysColor(COLOR_3DFACE)), asColor(corner));
    EXPECT_EQ(mix(RGB(0, 0, 0), ::GetSysColor(COLOR_HIGHLIGHT)), asColor(middle));
    // Office 2003 on the blue Luna scheme: navy
    orvtest::XpLunaSystem xp("normalcolor");
    orvtest::ScopedSystemAnswers answers(&xp);
    ScopedPainter office(new CExtPaintManagerOffice2003);
    DWORD navy[4] = {};
    pm().PaintDockMarker(navy, 2, 2, false, CRect(), CRect(), (COLORREF)-1, (COLORREF)-1, 0);
    EXPECT_EQ(mix(RGB(0, 0, 0), RGB(0, 0, 128)), asColor(navy[0]));
}

}  // namespace
