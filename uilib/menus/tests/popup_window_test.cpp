// The popup base window on a real display: the screen behind it captured before it shows, the
// opening animation of every effect frame by frame (a strip picture per effect), the final look
// with its shadow over the captured screen, the sound at the end, and the plain paths of a
// palette (8-bit) display.
#include "orv/TestEnv.h"
#include "TestLooks.h"
#include "orv/UiTest.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupBaseWnd.h"
#include "CExtPopupMenuSite.h"
#include "CExtPopupMenuTipWnd.h"
#include "CExtSoundPlayer.h"
#include "ExtToolBarStandIns.h"
#include <string>
#include <vector>

namespace {

const int kStripe = 8;
// Colours of the display's fixed palette, so an 8-bit display shows them undithered.
const COLORREF kStripeA = RGB(0, 0, 128), kStripeB = RGB(255, 255, 0);
const COLORREF kBody = RGB(128, 0, 0), kMark = RGB(255, 255, 255);

bool Is24() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

// The window behind the popups: vertical stripes, so every pixel of the screen behind a popup
// is known.
struct StripedOwner {
    HWND hWnd = NULL;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC hdc = ::BeginPaint(h, &ps);
            RECT rc;
            ::GetClientRect(h, &rc);
            for (int x = 0; x < rc.right; x += kStripe) {
                RECT r = {x, 0, x + kStripe, rc.bottom};
                HBRUSH hbr = ::CreateSolidBrush((x / kStripe) % 2 ? kStripeB : kStripeA);
                ::FillRect(hdc, &r, hbr);
                ::DeleteObject(hbr);
            }
            ::EndPaint(h, &ps);
            return 0;
        }
        if (m == WM_ERASEBKGND)
            return 1;
        return ::DefWindowProcA(h, m, w, l);
    }
    // The colour the owner shows at a screen point.
    COLORREF At(POINT ptScreen) const
    {
        POINT pt = ptScreen;
        ::ScreenToClient(hWnd, &pt);
        return (pt.x / kStripe) % 2 ? kStripeB : kStripeA;
    }
    // Waits until the display shows the owner's stripes all over rc (screen coordinates): Wine
    // hands a window's drawing to the display from its message loop, a little later.
    bool WaitShown(const CRect& rc) const
    {
        return orvtest::pumpUntil([&] {
            HDC hdc = ::GetDC(NULL);
            bool bShown = true;
            for (int y = rc.top; y < rc.bottom && bShown; y += 11)
                for (int x = rc.left; x < rc.right && bShown; x += 13)
                    bShown = ::GetPixel(hdc, x, y) == ::GetNearestColor(hdc, At(CPoint(x, y)));
            ::ReleaseDC(NULL, hdc);
            return bShown;
        });
    }
};

// Records the sound codes instead of playing them.
class RecordingSoundPlayer : public CExtSoundPlayer {
public:
    std::vector<int> codes;
    void PlayMenuSound(int nSoundCode) override { codes.push_back(nSoundCode); }
};

// A popup that paints a red body with a white mark in its top-left quarter and its shadow, and
// keeps every animation frame it shows.
class TestPopupWnd : public CExtPopupBaseWnd {
public:
    struct Frame {
        int nPercent;
        std::vector<DWORD> frame, image, background;   // bottom-up, as composed
    };
    std::vector<Frame> frames;
    std::vector<ExpandBand> bands;   // what GetExpandBands answers
    int nFinalPaints = 0;
    int nImagePaints = 0;
    bool bUseRenderer = true;

    bool Create(HWND hWndOwner, const CRect& rc)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(NULL, IDC_ARROW));
        return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(),
                        hWndOwner, NULL) != FALSE;
    }
    CRect Body() const
    {
        CRect rc;
        GetClientRect(&rc);
        const int s = GetShadowSize();
        rc.right -= s;
        rc.bottom -= s;
        return rc;
    }
    void PaintPopup(CDC& dc, bool bFinal) override
    {
        ++(bFinal ? nFinalPaints : nImagePaints);
        const CRect rcBody = Body();
        dc.FillSolidRect(rcBody, kBody);
        dc.FillSolidRect(CRect(rcBody.left + 4, rcBody.top + 4, rcBody.CenterPoint().x, rcBody.CenterPoint().y), kMark);
        m_ShadowMain.Paint(dc, rcBody, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), GetShadowSize(), 75, 100, true, true, true);
    }
    void PaintAnimationFrame(CDC& dc) override
    {
        if (!bUseRenderer) {
            CExtPopupBaseWnd::PaintAnimationFrame(dc);
            return;
        }
        RenderAnimationFrame(dc);
        if (m_pBitsFrame == NULL)
            return;
        CRect rc;
        GetClientRect(&rc);
        const size_t n = (size_t)rc.Width() * rc.Height();
        ::GdiFlush();
        frames.push_back({GetAnimationPercent(), std::vector<DWORD>(m_pBitsFrame, m_pBitsFrame + n),
                          std::vector<DWORD>(m_pBitsImage, m_pBitsImage + n),
                          std::vector<DWORD>(m_pBitsBackground, m_pBitsBackground + n)});
    }
    void GetExpandBands(CArray<ExpandBand, const ExpandBand&>& arrBands) const override
    {
        arrBands.RemoveAll();
        for (const ExpandBand& b : bands)
            arrBands.Add(b);
    }
    // Joins the popup to an owner area (screen coordinates).
    void Join(const CRect& rcOwner)
    {
        m_rcExcludeArea = rcOwner;
        m_nPopupFlags |= POPUP_FLAG_EXCLUDE_AREA;
    }
    // Shows the popup as the popup menus do: the animation set up, then shown without activation.
    void Open()
    {
        StartAnimation();
        SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    bool BitmapsReleased() const { return m_pBitsFrame == NULL && m_pBitsImage == NULL && m_pBitsBackground == NULL; }
};

// A 0x00RRGGBB DIB word as a COLORREF.
COLORREF FromDib(DWORD dw) { return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF); }

// Saves the frames side by side (each w x h, bottom-up) as one picture.
void SaveStrip(const std::string& name, int w, int h, const std::vector<TestPopupWnd::Frame>& frames)
{
    if (frames.empty())
        return;
    const int nGap = 4, W = (int)frames.size() * (w + nGap);
    std::vector<unsigned int> strip((size_t)W * h, 0x404040);
    for (size_t f = 0; f < frames.size(); ++f)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                strip[(size_t)y * W + f * (w + nGap) + x] = frames[f].frame[(size_t)(h - 1 - y) * w + x];
    orvtest::savePicture(name, W, h, strip.data());
}

class PopupWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        orvtest::uiApp();
        g_PaintManager.EnsureInstalled();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = StripedOwner::Proc;
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = "OrvTestStripedOwner";
        ::RegisterClassA(&wc);
    }
    void SetUp() override
    {
        m_pOldPlayer = g_pExtSoundPlayer;
        g_pExtSoundPlayer = &m_sounds;
        m_owner.hWnd = ::CreateWindowExA(0, "OrvTestStripedOwner", "owner", WS_POPUP | WS_VISIBLE, 40, 40, 520, 420, NULL,
                                         NULL, NULL, NULL);
        ASSERT_TRUE(m_owner.hWnd != NULL);
        ::UpdateWindow(m_owner.hWnd);
        orvtest::pumpWaiting();
        m_nOldDefault = CExtPopupBaseWnd::g_nDefaultAnimation;
    }
    void TearDown() override
    {
        CExtPopupBaseWnd::g_nDefaultAnimation = m_nOldDefault;
        g_pExtSoundPlayer = m_pOldPlayer;
        CExtPopupMenuSite::g_DefPopupMenuSite.CancelTracking();
        EXPECT_FALSE(CExtPopupMenuSite::g_DefPopupMenuSite.AreHooksInstalled());
        EXPECT_EQ(NULL, ::GetCapture());
        ::DestroyWindow(m_owner.hWnd);
        orvtest::pumpWaiting();
    }
    // Opens a popup with the effect over the owner and waits until its animation has ended and
    // its final look is painted.
    bool OpenAndFinish(TestPopupWnd& popup, int nEffect, const CRect& rc = CRect(120, 110, 280, 230))
    {
        if (!m_owner.WaitShown(rc) || !popup.Create(m_owner.hWnd, rc))
            return false;
        popup.SetAnimationEffect(nEffect);
        popup.SetSoundCode(CExtSoundPlayer::__ON_MENU_POPUP_DISPLAYED);
        popup.Open();
        return orvtest::pumpUntil([&] { return popup.IsAnimationFinished() && popup.nFinalPaints > 0; }, 5000);
    }

    StripedOwner m_owner;
    RecordingSoundPlayer m_sounds;
    CExtSoundPlayer* m_pOldPlayer = NULL;
    int m_nOldDefault = 0;
};

// ---- every effect, frame by frame ------------------------------------------------------------------

struct EffectCase {
    int nEffect;
    bool bFirstIsBackground;   // the 0 % frame shows only the screen behind
    bool bLastIsImage;         // the 100 % frame shows the whole popup
};

const EffectCase kEffects[] = {
    {-1, false, true},   // drawn at once through the frames
    {2, true, true},     {3, true, true},  {4, true, true},  {5, true, true},  {6, true, true},
    {7, true, false},    // noise: a random share of pixels is still behind
    {8, true, true},     // blinds: the fully opened lines show the popup
    {9, true, false},    // growing circles leave the cell corners
    {10, false, false},  // shrinking circles start with the popup around them
};

TEST_F(PopupWindowTest, EveryEffectAnimatesFromTheCapturedScreenToThePopup)
{
    CExtPopupBaseWnd::g_nDefaultAnimation = 0;
    for (const EffectCase& c : kEffects) {
        SCOPED_TRACE("effect " + std::to_string(c.nEffect));
        m_sounds.codes.clear();
        TestPopupWnd popup;
        ASSERT_TRUE(OpenAndFinish(popup, c.nEffect));
        const CRect rcWindow = [&] { CRect r; popup.GetWindowRect(&r); return r; }();
        const int w = rcWindow.Width(), h = rcWindow.Height();
        if (!Is24()) {
            // A palette display plays nothing but -1 (drawn through the frames).
            if (c.nEffect != -1) {
                EXPECT_TRUE(popup.frames.empty());
                EXPECT_EQ(0, popup.nImagePaints);
            }
            // Without an animation there is no end of one to sound.
            EXPECT_EQ(c.nEffect == -1 ? 1u : 0u, m_sounds.codes.size());
            popup.DestroyWindow();
            continue;
        }
        ASSERT_FALSE(popup.frames.empty());
        SaveStrip("menus_effect_" + std::to_string(c.nEffect) + "_24", w, h, popup.frames);

        // The background is the owner's stripes as they were before the popup showed.
        const TestPopupWnd::Frame& first = popup.frames.front();
        int nWrongBackground = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (FromDib(first.background[(size_t)(h - 1 - y) * w + x]) !=
                    m_owner.At(CPoint(rcWindow.left + x, rcWindow.top + y)))
                    ++nWrongBackground;
        EXPECT_EQ(0, nWrongBackground);

        // Progress runs 0, 20, ... 100, one frame per tick.
        std::vector<int> percents;
        for (const auto& f : popup.frames)
            percents.push_back(f.nPercent);
        if (c.nEffect == -1)
            EXPECT_EQ(std::vector<int>{0}, percents);
        else
            EXPECT_EQ((std::vector<int>{0, 20, 40, 60, 80, 100}), percents);
        EXPECT_EQ(c.bFirstIsBackground, first.frame == first.background);
        EXPECT_EQ(c.bLastIsImage, popup.frames.back().frame == popup.frames.back().image);

        // Afterwards: the sound, the default effect back, the bitmaps gone.
        EXPECT_EQ(std::vector<int>{CExtSoundPlayer::__ON_MENU_POPUP_DISPLAYED}, m_sounds.codes);
        EXPECT_EQ(0, popup.GetSoundCode());
        EXPECT_EQ(0, popup.GetAnimationEffect());
        EXPECT_TRUE(popup.BitmapsReleased());
        popup.DestroyWindow();
    }
}

TEST_F(PopupWindowTest, FinalLookIsThePopupWithItsShadowOverTheScreenBehind)
{
    TestPopupWnd popup;
    ASSERT_TRUE(OpenAndFinish(popup, 0));
    orvtest::Picture picture;
    ASSERT_TRUE(orvtest::screenshot(Is24() ? "menus_popup_final_24" : "menus_popup_final_8", &picture));
    if (!Is24())
        return;   // a palette display shows other colours: the picture is what counts there
    CRect rcWindow;
    popup.GetWindowRect(&rcWindow);
    const CRect rcBody(rcWindow.left, rcWindow.top, rcWindow.right - popup.GetShadowSize(), rcWindow.bottom - popup.GetShadowSize());
    EXPECT_EQ(kBody, picture.pixel(rcBody.right - 3, rcBody.bottom - 3));
    EXPECT_EQ(kMark, picture.pixel(rcBody.left + 6, rcBody.top + 6));
    // Under the shadow's middle the stripes are darker than they were, away from it unchanged.
    const int y = rcBody.bottom + 1, x = rcBody.CenterPoint().x;
    const COLORREF crWas = m_owner.At(CPoint(x, y)), crNow = picture.pixel(x, y);
    EXPECT_NE(crWas, crNow);
    EXPECT_LE(GetRValue(crNow) + GetGValue(crNow) + GetBValue(crNow), GetRValue(crWas) + GetGValue(crWas) + GetBValue(crWas));
    EXPECT_EQ(m_owner.At(CPoint(rcBody.left, y)), picture.pixel(rcBody.left, y));   // left of the shadow
}

TEST_F(PopupWindowTest, HiddenPopupPaintsNothing)
{
    TestPopupWnd popup;
    ASSERT_TRUE(popup.Create(m_owner.hWnd, CRect(120, 110, 280, 230)));
    popup.SetAnimationEffect(4);
    popup.StartAnimation();
    popup.SendMessage(WM_PAINT);
    popup.Invalidate(FALSE);
    popup.SendMessage(WM_PAINT);
    EXPECT_EQ(0, popup.nFinalPaints);
    EXPECT_EQ(0, popup.nImagePaints);
    EXPECT_TRUE(popup.frames.empty());
    popup.DestroyWindow();
}

// A row (top-down y) of a bottom-up frame of width w and height h.
std::vector<DWORD> Row(const std::vector<DWORD>& bits, int w, int h, int y)
{
    const size_t i = (size_t)(h - 1 - y) * w;
    return std::vector<DWORD>(bits.begin() + i, bits.begin() + i + w);
}

TEST_F(PopupWindowTest, SlidingPopupComesOutOfTheOwnerItJoins)
{
    if (!Is24())
        return;   // a palette display does not slide
    const CRect rcPopup(120, 110, 280, 230);
    const struct {
        const char* name;
        CRect rcOwner;
        bool bFromBelow;
    } cases[] = {
        {"owner above", CRect(120, 90, 200, 110), false},
        {"owner below", CRect(120, 230, 200, 250), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestPopupWnd popup;
        popup.Join(c.rcOwner);
        ASSERT_TRUE(OpenAndFinish(popup, 3, rcPopup));
        const int w = rcPopup.Width(), h = rcPopup.Height();
        const TestPopupWnd::Frame* pFrame = NULL;
        for (const auto& f : popup.frames)
            if (f.nPercent == 40)
                pFrame = &f;
        ASSERT_TRUE(pFrame != NULL);
        // At 40 % the popup shows 40 % of its height, the part that is nearest its owner
        // furthest out, and the rest of the frame is still the screen behind.
        const int dy = h * 60 / 100;
        if (!c.bFromBelow) {
            EXPECT_EQ(Row(pFrame->image, w, h, dy + 5), Row(pFrame->frame, w, h, 5));
            EXPECT_EQ(Row(pFrame->background, w, h, h - 5), Row(pFrame->frame, w, h, h - 5));
        } else {
            EXPECT_EQ(Row(pFrame->image, w, h, 5), Row(pFrame->frame, w, h, dy + 5));
            EXPECT_EQ(Row(pFrame->background, w, h, 5), Row(pFrame->frame, w, h, 5));
        }
        popup.DestroyWindow();
    }
}

TEST_F(PopupWindowTest, ExpandGrowsTheNewItemsInPlace)
{
    TestPopupWnd popup;
    // Rows 0-29 an item already shown, 30-59 a newly shown one, 60-89 one shown before.
    popup.bands = {{0, 30, false}, {30, 30, true}, {60, 30, false}};
    const CRect rc(120, 110, 280, 230);
    ASSERT_TRUE(OpenAndFinish(popup, -2, rc));
    SaveStrip(Is24() ? "menus_effect_-2_24" : "menus_effect_-2_8", rc.Width(), rc.Height(), popup.frames);
    ASSERT_EQ(6u, popup.frames.size());
    const int w = rc.Width(), h = rc.Height();
    const TestPopupWnd::Frame& f0 = popup.frames.front();
    for (int y : {0, 29})
        EXPECT_EQ(Row(f0.image, w, h, y), Row(f0.frame, w, h, y)) << "row " << y;
    // The new item has no height yet: what lies below it moved up by its height.
    for (int y : {30, 59, 89})
        EXPECT_EQ(Row(f0.image, w, h, y + 30), Row(f0.frame, w, h, y)) << "row " << y;
    EXPECT_EQ(Row(f0.background, w, h, h - 1), Row(f0.frame, w, h, h - 1));
    const TestPopupWnd::Frame& fLast = popup.frames.back();
    EXPECT_EQ(100, fLast.nPercent);
    EXPECT_TRUE(fLast.frame == fLast.image);
    popup.DestroyWindow();
}

TEST_F(PopupWindowTest, ShownPopupThatGrowsAnimatesOverTheRealScreen)
{
    // A menu that expands its hidden items grows while shown: the screen behind its new part is
    // read then, and the part it already covered keeps what was captured when it showed.
    TestPopupWnd popup;
    const CRect rcSmall(120, 110, 280, 200), rcGrown(120, 110, 300, 260);
    ASSERT_TRUE(m_owner.WaitShown(rcGrown));
    ASSERT_TRUE(OpenAndFinish(popup, 0, rcSmall));
    popup.bands = {{0, 40, false}, {40, 60, true}, {100, 40, false}};
    popup.SetWindowPos(NULL, rcGrown.left, rcGrown.top, rcGrown.Width(), rcGrown.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
    popup.SetAnimationEffect(-2);
    popup.StartAnimation();
    popup.Invalidate(FALSE);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return popup.IsAnimationFinished() && !popup.frames.empty(); }));
    if (!Is24())
        return;   // the palette display's colours are not compared
    const int w = rcGrown.Width(), h = rcGrown.Height();
    const TestPopupWnd::Frame& first = popup.frames.front();
    int nWrongBackground = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (FromDib(first.background[(size_t)(h - 1 - y) * w + x]) != m_owner.At(CPoint(rcGrown.left + x, rcGrown.top + y)))
                ++nWrongBackground;
    EXPECT_EQ(0, nWrongBackground);
    popup.DestroyWindow();
}

// The shadow in each look: its first band darkens the screen behind to 75 percent, tinted by the
// look's shadow colour where it has one.
TEST_F(PopupWindowTest, ShadowInEveryLook)
{
    const auto& looks = kTestLooks;
    for (const auto& look : looks) {
        SCOPED_TRACE(look.name);
        ASSERT_TRUE(g_PaintManager.InstallPaintManager(look.make()));
        TestPopupWnd popup;
        const CRect rc(120, 110, 280, 230);
        ASSERT_TRUE(OpenAndFinish(popup, 0, rc));
        orvtest::Picture picture;
        ASSERT_TRUE(orvtest::screenshot(std::string("menus_shadow_screen_") + look.name + (Is24() ? "_24" : "_8"), &picture));
        // The popup and a margin as a picture of its own.
        const CRect rcShot(rc.left - 10, rc.top - 10, rc.right + 10, rc.bottom + 10);
        std::vector<unsigned int> shot;
        for (int y = rcShot.top; y < rcShot.bottom; ++y)
            for (int x = rcShot.left; x < rcShot.right; ++x) {
                const COLORREF cr = picture.pixel(x, y);
                shot.push_back((unsigned)GetRValue(cr) << 16 | (unsigned)GetGValue(cr) << 8 | GetBValue(cr));
            }
        orvtest::savePicture(std::string("menus_shadow_") + look.name + (Is24() ? "_24" : "_8"), rcShot.Width(),
                             rcShot.Height(), shot.data());
        const int s = popup.GetShadowSize();
        ASSERT_EQ(4, s);
        const CRect rcBody(rc.left, rc.top, rc.right - s, rc.bottom - s);
        const COLORREF crTint = g_PaintManager->GetShadowAdjustColor();
        for (const CPoint pt : {CPoint(rcBody.CenterPoint().x, rcBody.bottom), CPoint(rcBody.right, rcBody.CenterPoint().y)}) {
            const COLORREF crBehind = m_owner.At(pt);
            const COLORREF crShown = picture.pixel(pt.x, pt.y);
            if (Is24()) {
                const DWORD dw = ExtShadowDarkenPixel((DWORD)GetRValue(crBehind) << 16 | (DWORD)GetGValue(crBehind) << 8 |
                                                          GetBValue(crBehind),
                                                      75, crTint);
                EXPECT_EQ(FromDib(dw), crShown) << pt.x << "," << pt.y;
            }
        }
        // Beyond the shadow the screen is untouched. (The pictures of a palette display come
        // through the display's own colour map: only a person judges them.)
        if (Is24()) {
            EXPECT_EQ(m_owner.At(CPoint(rc.right + 2, rc.CenterPoint().y)), picture.pixel(rc.right + 2, rc.CenterPoint().y));
        }
        popup.DestroyWindow();
    }
    g_PaintManager.InstallPaintManager(NULL);
}

TEST_F(PopupWindowTest, ClickOnThePopupLeavesTheOwnerActive)
{
    ::SetForegroundWindow(m_owner.hWnd);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetActiveWindow() == m_owner.hWnd; }));
    TestPopupWnd popup;
    ASSERT_TRUE(OpenAndFinish(popup, 0));
    ASSERT_TRUE(orvtest::click(orvtest::centreOf(popup.GetSafeHwnd()), popup.GetSafeHwnd()));
    orvtest::pumpWaiting();
    EXPECT_EQ(m_owner.hWnd, ::GetActiveWindow());
    popup.DestroyWindow();
}

// ---- the popup as a popup of the site's tree --------------------------------------------------------

// A popup of the site's tree that keeps its tip; the site owns (and deletes) the top of a tree.
class SitePopupWnd : public TestPopupWnd, public IExtPopupSiteMenu {
public:
    CExtPopupMenuTipWnd tip;
    int nCloseTree = 0;
    std::vector<UINT> clicks;
    bool* pDeleted = NULL;
    ~SitePopupWnd() override
    {
        if (pDeleted != NULL)
            *pDeleted = true;
    }
    HWND GetSiteHwnd() const override { return m_hWnd; }
    bool HandleMouseWheel(UINT, MOUSEHOOKSTRUCT*, bool&) override { return true; }
    bool HandleMouseMove(UINT, CPoint pt, bool&) override { return IsPointInMenu(pt); }
    bool HandleMouseClick(UINT nMsg, CPoint pt, bool&) override
    {
        if (!IsPointInMenu(pt))
            return false;
        clicks.push_back(nMsg);
        return true;
    }
    bool HandleKeyDown(UINT, UINT, UINT, bool&) override { return true; }
    bool IsPointInMenu(CPoint pt) override
    {
        CRect rc;
        GetClientRect(&rc);
        return rc.PtInRect(pt) != FALSE;
    }
    void CloseMenuTree(bool) override
    {
        ++nCloseTree;
        PostMessage(WM_CLOSE);
    }
    void ClearItems() override {}
    IExtPopupSiteMenu* GetParentSiteMenu() const override { return NULL; }
    HWND GetTipHwnd() const override { return tip.GetSafeHwnd(); }
    HWND GetOwnerHwnd() const override { return ::GetParent(m_hWnd); }

protected:
    // The end of the top popup's window closes the tree (the site deletes the popup).
    void PostNcDestroy() override
    {
        CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
        if (site.IsTopMenu(this) && !site.IsShutdownMode())
            site.Done();
    }
};

TEST_F(PopupWindowTest, AnimatedPopupOfTheTreeHandsBackTheSiteSlotWhenDone)
{
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    bool bDeleted = false;
    SitePopupWnd* pPopup = new SitePopupWnd;
    pPopup->pDeleted = &bDeleted;
    ASSERT_TRUE(pPopup->Create(m_owner.hWnd, CRect(120, 110, 280, 230)));
    site.SetInstance(pPopup);
    site.SetCapturedMenu(pPopup);
    pPopup->SetAnimationEffect(Is24() ? 3 : -1);
    site.SetAnimatedMenu(pPopup);
    pPopup->Open();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return pPopup->IsAnimationFinished() && pPopup->nFinalPaints > 0; }));
    EXPECT_EQ(NULL, site.GetAnimatedMenu());
    EXPECT_EQ(pPopup, site.GetTopMenu());
    site.Done();
    EXPECT_TRUE(bDeleted);
}

TEST_F(PopupWindowTest, ClickOnTheRealTipKeepsTheTree)
{
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    bool bDeleted = false;
    SitePopupWnd* pPopup = new SitePopupWnd;
    pPopup->pDeleted = &bDeleted;
    ASSERT_TRUE(pPopup->Create(m_owner.hWnd, CRect(200, 200, 360, 320)));
    pPopup->SetAnimationEffect(0);
    site.SetInstance(pPopup);
    site.SetCapturedMenu(pPopup);
    pPopup->Open();
    pPopup->tip.SetText("Starts the checks of the selected item");
    ASSERT_TRUE(pPopup->tip.Show(pPopup, CRect(220, 240, 340, 258)));
    HWND hTip = pPopup->tip.GetSafeHwnd();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::IsWindowVisible(hTip) != FALSE; }, 5000));
    orvtest::pumpWaiting();
    orvtest::screenshot(Is24() ? "menus_tip_over_popup_24" : "menus_tip_over_popup_8");
    // The middle of the balloon's body, away from its rounded corners.
    CRect rcTip;
    ::GetWindowRect(hTip, &rcTip);
    const POINT ptTip = {rcTip.left + 30, rcTip.top + 12 + ((pPopup->tip.GetPlacementFlags() & 2) ? 25 : 0)};
    ASSERT_EQ(hTip, ::WindowFromPoint(ptTip));
    orvtest::click(ptTip, hTip);
    orvtest::pumpWaiting();
    EXPECT_EQ(0, pPopup->nCloseTree);
    EXPECT_FALSE(bDeleted);
    EXPECT_EQ(pPopup, site.GetTopMenu());
    // A click beside both closes it.
    orvtest::click(CPoint(60, 60), m_owner.hWnd);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return bDeleted; }));
    EXPECT_EQ(NULL, site.GetTopMenu());
}

// ---- the tip -------------------------------------------------------------------------------------------

TEST_F(PopupWindowTest, TipTextIsTrimmed)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{NULL, ""}, {"", ""}, {" \t \r\n", ""}, {"  Run now\t", "Run now"}, {"a  b", "a  b"}};
    CExtPopupMenuTipWnd tip;
    for (const auto& c : cases) {
        tip.SetText(c.in);
        EXPECT_STREQ(c.out, (LPCTSTR)tip.GetText());
    }
}

TEST_F(PopupWindowTest, TipFlipsAtTheWorkAreaCornersAndStaysInside)
{
    CRect rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    const int cx = 120, cy = 22;   // a menu item
    const struct {
        const char* name;
        CPoint pt;       // target's top-left
        BYTE nFlags;
    } cases[] = {
        {"top_left", CPoint(rcWork.left, rcWork.top), CExtPopupMenuTipWnd::FLIP_HORIZONTAL | CExtPopupMenuTipWnd::FLIP_VERTICAL},
        {"top_right", CPoint(rcWork.right - cx, rcWork.top), CExtPopupMenuTipWnd::FLIP_VERTICAL},
        {"bottom_left", CPoint(rcWork.left, rcWork.bottom - cy), CExtPopupMenuTipWnd::FLIP_HORIZONTAL},
        {"bottom_right", CPoint(rcWork.right - cx, rcWork.bottom - cy), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CExtPopupMenuTipWnd tip;
        tip.SetText("Suspends the checks of the item");
        const CRect rcTarget(c.pt, CSize(cx, cy));
        ASSERT_TRUE(tip.Show(CWnd::FromHandle(m_owner.hWnd), rcTarget));
        EXPECT_EQ(c.nFlags, tip.GetPlacementFlags());
        ASSERT_TRUE(orvtest::pumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 5000));
        orvtest::pumpWaiting();
        CRect rcTip;
        tip.GetWindowRect(&rcTip);
        CRect rcInside;
        EXPECT_TRUE(rcInside.IntersectRect(rcTip, rcWork) && rcInside == rcTip);
        HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(tip.GetSafeHwnd(), hRgn));
        ::DeleteObject(hRgn);
        orvtest::Picture picture;
        ASSERT_TRUE(orvtest::screenshot(std::string("menus_tip_") + c.name + (Is24() ? "_24" : "_8"), &picture));
        if (Is24()) {
            // The body shows the tip background inside its frame.
            const int yBody = rcTip.top + ((tip.GetPlacementFlags() & CExtPopupMenuTipWnd::FLIP_VERTICAL) ? 25 : 0);
            EXPECT_EQ(::GetSysColor(COLOR_INFOBK) & 0xFFFFFF, picture.pixel(rcTip.right - 8, yBody + 6));
        }
        tip.Hide();
        EXPECT_FALSE(tip.IsWindowVisible());
        tip.DestroyWindow();
    }
}

TEST_F(PopupWindowTest, TipShowsOnlyTheLastItemAfterItsDelay)
{
    CExtPopupMenuTipWnd tip;
    CWnd* pOwner = CWnd::FromHandle(m_owner.hWnd);
    tip.SetText("First item");
    ASSERT_TRUE(tip.Show(pOwner, CRect(300, 300, 400, 318)));
    tip.SetText("Second item, a longer text");
    const DWORD nShown = ::GetTickCount();
    ASSERT_TRUE(tip.Show(pOwner, CRect(300, 340, 400, 358)));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return tip.IsWindowVisible() != FALSE; }, 5000));
    EXPECT_GE(::GetTickCount() - nShown, 900u);
    EXPECT_EQ(CRect(300, 340, 400, 358), tip.m_rcExcludeArea);
    CRect rcTip;
    tip.GetWindowRect(&rcTip);
    EXPECT_GT(rcTip.bottom, 340);   // placed for the second item, not the first
    // Hidden before its second is up: it does not show.
    tip.Hide();
    ASSERT_TRUE(tip.Show(pOwner, CRect(300, 300, 400, 318)));
    tip.Hide();
    EXPECT_TRUE(tip.m_rcExcludeArea.IsRectEmpty());
    EXPECT_FALSE(tip.IsWindowVisible());
    EXPECT_FALSE(::KillTimer(tip.GetSafeHwnd(), CExtPopupBaseWnd::ID_TIMER_DELAY_SHOW));   // no show pending
    tip.DestroyWindow();
}

}  // namespace
