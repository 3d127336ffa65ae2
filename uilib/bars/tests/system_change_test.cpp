// A system change (colours, settings, display, theme) told to every window of a frame with
// docked and floating bars, with and without the library's status bar: the painter and the
// command manager's profiles hear of it once, with the message's values, through the one window
// that forwards for the frame (the status bar, else the top outer dock bar).
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "BarsFixture.h"
#include "CExtCmdManager.h"
#include "CExtCmdProfile.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManagerXP.h"
#include "CExtStatusControlBar.h"
#include "RenderHarness.h"
#include <map>
#include <string>
#include <vector>

using namespace barstest;

namespace {

// What reached the painter or a profile from outside: calls per kind and the values of the last
// call. A handler's own calls of its kin (the painter's setting, display and theme handlers
// re-read the colours) do not count.
struct Heard {
    std::map<std::string, int> calls;
    std::string last;
    int nDepth = 0;

    template <class Base>
    void Note(const char* pszKind, const std::string& values, Base callBase) {
        if (nDepth == 0) {
            calls[pszKind]++;
            last = std::string(pszKind) + values;
        }
        nDepth++;
        callBase();
        nDepth--;
    }
    void Clear() {
        calls.clear();
        last.clear();
    }
};

std::string Values(long long a, long long b, long long c = 0) {
    return " " + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
}

std::string SettingValues(UINT uFlags, LPCTSTR lpszSection) {
    return " " + std::to_string(uFlags) + "," + (lpszSection != NULL ? lpszSection : "(null)");
}

Heard g_painter, g_profile;

class CountingPainter : public CExtPaintManagerXP {
public:
    using Base = CExtPaintManagerXP;
    void OnSysColorChange() override { g_painter.Note("colours", "", [&] { Base::OnSysColorChange(); }); }
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) override {
        g_painter.Note("settings", SettingValues(uFlags, lpszSection),
                       [&] { Base::OnSettingChange(uFlags, lpszSection); });
    }
    void OnDisplayChange(INT nDepthBPP, INT cx, INT cy) override {
        g_painter.Note("display", Values(nDepthBPP, cx, cy), [&] { Base::OnDisplayChange(nDepthBPP, cx, cy); });
    }
    void OnThemeChanged(WPARAM wParam, LPARAM lParam) override {
        g_painter.Note("theme", Values((long long)wParam, (long long)lParam),
                       [&] { Base::OnThemeChanged(wParam, lParam); });
    }
};

class CountingProfile : public CExtCmdProfile {
public:
    using Base = CExtCmdProfile;
    explicit CountingProfile(LPCTSTR lpszName) : CExtCmdProfile(lpszName) {}
    void OnSysColorChange() override { g_profile.Note("colours", "", [&] { Base::OnSysColorChange(); }); }
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) override {
        g_profile.Note("settings", SettingValues(uFlags, lpszSection),
                       [&] { Base::OnSettingChange(uFlags, lpszSection); });
    }
    void OnDisplayChange(int nDepthBPP, int cx, int cy) override {
        g_profile.Note("display", Values(nDepthBPP, cx, cy), [&] { Base::OnDisplayChange(nDepthBPP, cx, cy); });
    }
    void OnThemeChanged(WPARAM wParam, LPARAM lParam) override {
        g_profile.Note("theme", Values((long long)wParam, (long long)lParam),
                       [&] { Base::OnThemeChanged(wParam, lParam); });
    }
};

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// As the system tells every top-level window of the program (the frame and the floating frames
// alike), and each passes the change on to all the windows inside it.
void TellEveryWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<HWND> topLevel;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectTopLevel, (LPARAM)&topLevel);
    for (HWND hWnd : topLevel) {
        if (!::IsWindow(hWnd))
            continue;
        ::SendMessage(hWnd, message, wParam, lParam);
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd))
            pWnd->SendMessageToDescendants(message, wParam, lParam, TRUE, TRUE);
    }
}

// A frame with a panel docked at the top, a panel floating in the library's floating frame and
// (bStatus) the library's status bar; the painter and a profile bound to the frame count calls.
struct ChangeFrame {
    CExtStatusControlBar status;   // outlives the frame's window
    Docking d;
    ColourPanel* pDocked = nullptr;
    ColourPanel* pFloating = nullptr;
    orvtest::ScopedPainter painter{new CountingPainter};

    explicit ChangeFrame(bool bStatus) {
        EXPECT_TRUE(g_CmdManager->ProfileSetup("system change test", d.hWndFrame,
                                               new CountingProfile("system change test")));
        pDocked = d.AddPanel(ID_PANEL_FIRST, "Docked");
        d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(pDocked);
        pFloating = d.AddPanel(ID_PANEL_FIRST + 1, "Floating", RGB(80, 170, 80));
        pFloating->m_sizeFloated = CSize(180, 120);
        d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(pFloating);
        d.pFrame->RecalcLayout();
        d.pFrame->FloatControlBar(pFloating, CPoint(700, 200));
        if (bStatus) {
            static const UINT kIndicators[] = {0};
            EXPECT_TRUE(status.Create(d.pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
            EXPECT_TRUE(status.SetIndicators(kIndicators, 1));
        }
        d.pFrame->RecalcLayout();
        orvtest::pumpWaiting();
        g_painter.Clear();
        g_profile.Clear();
    }
    ~ChangeFrame() {
        if (::IsWindow(d.hWndFrame))
            g_CmdManager->ProfileWndRemove(d.hWndFrame, true);
    }
    CExtMiniDockFrameWnd* Mini() const {
        return DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pFloating->GetParentFrame());
    }
    CWnd* OuterTop() {
        return CWnd::FromHandlePermanent(::GetDlgItem(d.hWndFrame, AFX_IDW_DOCKBAR_TOP));
    }
};

}  // namespace

TEST(SystemChanges, ReachThePainterAndTheProfilesOncePerFrame) {
    struct Change {
        const char* kind;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string values;   // as the painter and the profiles must get them
    };
    static const char kSection[] = "WindowMetrics";
    const std::vector<Change> changes = {
        {"colours", WM_SYSCOLORCHANGE, 0, 0, ""},
        {"settings", WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, (LPARAM)kSection, " 42,WindowMetrics"},
        {"display", WM_DISPLAYCHANGE, 16, MAKELPARAM(1280, 1024), " 16,1280,1024"},
        {"theme", WM_THEMECHANGED, 3, 5, " 3,5,0"},
    };
    for (bool bStatus : {true, false}) {
        ChangeFrame f(bStatus);
        ASSERT_NE(nullptr, f.Mini()) << "the panel floats in the library's frame";
        for (const Change& c : changes) {
            SCOPED_TRACE(std::string(c.kind) + (bStatus ? ", with the status bar" : ", outer dock bars only"));
            g_painter.Clear();
            g_profile.Clear();
            TellEveryWindow(c.message, c.wParam, c.lParam);
            const std::map<std::string, int> once = {{c.kind, 1}};
            EXPECT_EQ(once, g_painter.calls);
            EXPECT_EQ(once, g_profile.calls);
            EXPECT_EQ(c.kind + c.values, g_painter.last);
            EXPECT_EQ(c.kind + c.values, g_profile.last);
        }
    }
}

TEST(SystemChanges, OneWindowOfTheFrameForwards) {
    for (bool bStatus : {true, false}) {
        ChangeFrame f(bStatus);
        ASSERT_NE(nullptr, f.Mini());
        CWnd* pForwarder = bStatus ? static_cast<CWnd*>(&f.status) : f.OuterTop();
        ASSERT_NE(nullptr, pForwarder);
        struct Case {
            const char* what;
            CWnd* pWnd;
        };
        const Case cases[] = {
            {"frame", f.d.pFrame},
            {"status bar", bStatus ? static_cast<CWnd*>(&f.status) : nullptr},
            {"top outer dock bar", f.OuterTop()},
            {"bottom outer dock bar", CWnd::FromHandlePermanent(::GetDlgItem(f.d.hWndFrame, AFX_IDW_DOCKBAR_BOTTOM))},
            {"inner dock bar", f.d.Dock(AFX_IDW_DOCKBAR_TOP, 1)},
            {"docked panel", f.pDocked},
            {"floating frame", f.Mini()},
            {"floating frame's dock bar", f.pFloating->GetParent()},
            {"floating panel", f.pFloating},
        };
        for (const Case& c : cases) {
            if (c.pWnd == nullptr)
                continue;
            EXPECT_EQ(c.pWnd == pForwarder, CExtPaintManagerHolder::IsDesignatedForwarder(c.pWnd))
                << c.what << (bStatus ? ", with the status bar" : ", outer dock bars only");
        }
    }
}
