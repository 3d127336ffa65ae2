// The menu bar of an MDI frame (the framework's CMDIFrameWnd) under Xvfb: a document window
// maximised by a real double click brings the document button first and the control area last,
// restoring takes them away; the control area's caption buttons minimise, restore and close the
// window when clicked for real, and a press on them ends on every path with the capture given
// back; the document button opens the window's system menu as the library's popup. A table of
// document windows gives the control area's layout, tips and chevron entries; pictures per look.
#include "orv/UiTest.h"
#include "TestLooks.h"
#include "orv/TestEnv.h"
#include <afxdocking.h>
#include "CExtBarMdiDocButton.h"
#include "CExtBarMdiRightButton.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtMenuControlBar.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuSite.h"
#include "CExtPopupMenuWnd.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include "mdi_bar_test_resources.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kProfile[] = "mdi bar test";
const UINT kMenuBarID = 32771;
const DWORD kMenuBarStyle = 0x5640283C;
// The frame menu's pull-downs.
const int kMenuButtons = 3;
const DWORD kDocStyle = WS_CHILD | WS_OVERLAPPEDWINDOW;

bool Is24() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }
CExtPopupMenuSite& Site() { return CExtPopupMenuSite::g_DefPopupMenuSite; }
CExtPopupMenuWnd* TopMenu() { return dynamic_cast<CExtPopupMenuWnd*>(Site().GetTopMenu()); }
bool Ready(const CExtPopupMenuWnd* p) {
    return p != NULL && p->GetSafeHwnd() != NULL && ::IsWindowVisible(p->GetSafeHwnd()) && p->IsAnimationFinished() &&
           Site().GetAnimatedMenu() == NULL && Site().GetCapturedMenu() == p;
}
bool Closed() { return Site().IsEmpty() && !Site().AreHooksInstalled() && !CExtPopupMenuWnd::IsAnyMenuTracked(); }
bool NativeMenuShown() {
    for (HWND h = ::FindWindowA("#32768", NULL); h != NULL; h = ::FindWindowExA(NULL, h, "#32768", NULL))
        if (::IsWindowVisible(h))
            return true;
    return false;
}

// A mouse button event that carries its point (a late pointer event may have moved the cursor).
void ButtonAt(POINT pt, DWORD dwFlags) {
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwFlags;
    ::SendInput(1, &in, sizeof in);
}

// Waits until the input sent so far was taken from the queue and handled.
void Settle() {
    orvtest::pumpUntil([] { return HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSEBUTTON | QS_POSTMESSAGE)) == 0; }, 3000);
    orvtest::pumpWaiting();
}

// Document windows: deleted with their windows; the names of those deleted are kept.
std::vector<std::string> g_deleted;

class DocWnd : public CMDIChildWnd {
public:
    ~DocWnd() override { g_deleted.push_back(m_strTitle.str()); }
};

// The frame: an MDI frame whose menu the menu bar takes. Its PreTranslateMessage hands the keys
// to the menu bar first, as the GUI's frame does.
class MdiFrame : public CMDIFrameWnd {
public:
    bool Build() {
        if (!Create(NULL, "MDI menu bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 630, 430), NULL,
                    MAKEINTRESOURCE(IDR_MDB_MENU)))
            return false;
        if (!g_CmdManager->ProfileSetup(kProfile, m_hWnd))
            return false;
        if (!g_CmdManager->UpdateFromMenu(kProfile, ::GetMenu(m_hWnd)))
            return false;
        if (!CExtControlBar::FrameEnableDocking(this))
            return false;
        if (!m_menuBar.Create(NULL, this, kMenuBarID, kMenuBarStyle))
            return false;
        m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
        RecalcLayout();
        return true;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (m_menuBar.GetSafeHwnd() != NULL && m_menuBar.TranslateKeyboardMessage(pMsg))
            return TRUE;
        return CMDIFrameWnd::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
        if (nMsg == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU)
            return 0;   // the system's keyboard menu loop would run over ours
        return CMDIFrameWnd::WindowProc(nMsg, wParam, lParam);
    }

    CExtMenuControlBar m_menuBar;
};

struct MdiBarTest : ::testing::Test {
    MdiFrame* pFrame = nullptr;
    HWND hFrame = NULL;

    void Open() {
        orvtest::uiApp("MDI menu bar tests");
        CExtToolControlBar::g_bMenuTracking = false;
        g_deleted.clear();
        pFrame = new MdiFrame;
        ASSERT_TRUE(pFrame->Build());
        hFrame = pFrame->m_hWnd;
        AfxGetApp()->m_pMainWnd = pFrame;
        pFrame->UpdateWindow();
        pFrame->SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == hFrame; }));
        orvtest::pumpWaiting();
    }
    void Close() {
        CExtPopupMenuWnd::CancelMenuTracking();
        AfxGetApp()->m_pMainWnd = nullptr;
        if (::IsWindow(hFrame)) {
            g_CmdManager->ProfileWndRemove(hFrame, true);
            pFrame->DestroyWindow();
        }
        orvtest::pumpWaiting();
        CExtToolControlBar::g_bMenuTracking = false;
        hFrame = NULL;
        pFrame = nullptr;
    }
    void TearDown() override {
        Close();
        g_PaintManager.InstallPaintManager(NULL);
    }
    CExtMenuControlBar& Bar() { return pFrame->m_menuBar; }

    // A document window with the window class's icon only (no icon of its own), shown and active.
    DocWnd* MakeDoc(const char* title, DWORD dwStyle = kDocStyle, const CRect& rc = CRect(10, 10, 260, 190)) {
        static LPCTSTR lpszClass = NULL;
        if (lpszClass == NULL)
            lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1),
                                            ::LoadIconA(NULL, (LPCSTR)IDI_WARNING));
        DocWnd* p = new DocWnd;
        if (!p->Create(lpszClass, title, dwStyle | WS_VISIBLE, rc, pFrame))
            return nullptr;
        orvtest::pumpWaiting();
        return p;
    }
    // The bar shows the document button first and the control area last (true), or neither.
    bool HasMdiButtons() {
        const int n = Bar().GetButtonsCount();
        return n >= 2 && Bar().GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
               !Bar().GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)) &&
               Bar().GetButton(n - 1)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
    }
    bool HasNoMdiButtons() { return Bar().GetMdiDocButton() == NULL && Bar().GetMdiRightButton() == NULL; }
    // The screen point of a caption button of the control area (its centre).
    POINT CaptionButtonPoint(UINT nSysCmd) {
        CExtBarMdiRightButton* pRight = Bar().GetMdiRightButton();
        if (pRight == NULL)
            return POINT{-1, -1};
        CExtBarMdiRightButton::MdiButtonsInfo info;
        pRight->GetButtonsInfo(info, true);
        return orvtest::screenPoint(Bar().m_hWnd, info.RectOf(nSysCmd).CenterPoint());
    }
    // The caption of a document window (its middle), in screen coordinates.
    POINT CaptionPoint(HWND hWnd) {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        return POINT{rc.CenterPoint().x, rc.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2};
    }
    // Maximised by a real double click on its caption, until the bar shows its buttons.
    bool MaximiseByDoubleClick(CMDIChildWnd* pDoc) {
        const HWND hDoc = pDoc->m_hWnd;
        const POINT pt = CaptionPoint(hDoc);
        if (::SendMessageA(hDoc, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)) != HTCAPTION)
            return false;
        // the first press starts the system's move loop: the whole double click is queued at
        // once, each event at the caption's point (a late pointer event cannot move the window)
        if (!orvtest::moveUntil(pt, [&] {
                POINT now = {};
                ::GetCursorPos(&now);
                return orvtest::lastMouseTarget() == hDoc && now.x == pt.x && now.y == pt.y;
            }))
            return false;
        for (DWORD dwFlags : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
            ButtonAt(pt, dwFlags);
        return orvtest::pumpUntil([&] { return ::IsZoomed(hDoc) && HasMdiButtons(); });
    }
    // The open menu: the button whose pull-down it is, -2 the frame's system menu, -3 another.
    int OpenMenu() {
        if (!Ready(TopMenu()))
            return -1;
        if (Bar().m_nBtnIdxMenuTracking >= 0)
            return Bar().m_nBtnIdxMenuTracking;
        return TopMenu()->GetOwnerHwnd() == hFrame ? -2 : -3;
    }
};

}  // namespace

// 1. A real double click maximises a document window: the document button comes first and the
// control area last; clicks on the control area restore, minimise and close the window, and each
// time the buttons go with the maximised state.
TEST_F(MdiBarTest, MaximisingAddsTheButtonsAndTheirClicksAct) {
    Open();
    ASSERT_EQ(kMenuButtons, Bar().GetButtonsCount());
    ASSERT_TRUE(Bar().IsMdiMode());
    DocWnd* pDoc = MakeDoc("First");
    ASSERT_NE(nullptr, pDoc);
    const HWND hDoc = pDoc->m_hWnd;
    ASSERT_TRUE(orvtest::pumpUntil([&] { return Bar().GetHookedWindow() == hDoc; }));
    EXPECT_TRUE(HasNoMdiButtons()) << "a document window that is not maximised brings no buttons";

    ASSERT_TRUE(MaximiseByDoubleClick(pDoc)) << orvtest::recentMouseMessages();
    ASSERT_EQ(kMenuButtons + 2, Bar().GetButtonsCount());
    EXPECT_EQ("&File", std::string((LPCTSTR)Bar().GetButton(1)->GetText())) << "the pull-downs follow the document button";
    CExtBarMdiDocButton* pDocButton = Bar().GetMdiDocButton();
    ASSERT_NE(nullptr, pDocButton);
    EXPECT_EQ(hDoc, pDocButton->GetChildWnd());
    EXPECT_NE(nullptr, pDocButton->GetCommandIcon()) << "the document's icon, from its window class";
    EXPECT_EQ(CSize(16, 16), pDocButton->GetCommandIcon()->GetSize());
    EXPECT_EQ(pDoc, pDocButton->GetCommandTarget());
    // the control area ends one pixel inside the bar's right edge
    CRect rcClient, rcRight;
    Bar().GetClientRect(&rcClient);
    rcRight = Bar().GetMdiRightButton()->GetRect();
    EXPECT_EQ(rcClient.right - 1, rcRight.right);
    EXPECT_LT(Bar().GetButton(kMenuButtons)->GetRect().right, rcRight.left);

    struct Step {
        const char* name;
        UINT nSysCmd;                // the caption button clicked
        bool (*after)(HWND);         // the document window's state afterwards
    };
    const Step steps[] = {
        {"restore", SC_RESTORE, [](HWND h) { return ::IsWindow(h) && !::IsZoomed(h) && !::IsIconic(h); }},
        {"minimise", SC_MINIMIZE, [](HWND h) { return ::IsWindow(h) && ::IsIconic(h) != FALSE; }},
        {"close", SC_CLOSE, [](HWND h) { return !::IsWindow(h); }},
    };
    for (const Step& s : steps) {
        if (::IsIconic(hDoc)) {
            // a minimised window that was maximised comes back maximised, and its buttons with it
            pDoc->MDIRestore();
            ASSERT_TRUE(orvtest::pumpUntil([&] { return ::IsZoomed(hDoc) && HasMdiButtons(); })) << s.name;
        }
        if (!::IsZoomed(hDoc)) {
            ASSERT_TRUE(MaximiseByDoubleClick(pDoc))
                << s.name << ": zoomed " << ::IsZoomed(hDoc) << ", buttons " << Bar().GetButtonsCount() << ", hooked "
                << (Bar().GetHookedWindow() == hDoc) << ", " << orvtest::recentMouseMessages();
        }
        const POINT pt = CaptionButtonPoint(s.nSysCmd);
        ASSERT_TRUE(orvtest::moveTo(pt, Bar().m_hWnd)) << s.name;
        ButtonAt(pt, MOUSEEVENTF_LEFTDOWN);
        const int nRight = Bar().GetButtonsCount() - 1;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return Bar().m_nBtnIdxCapture == nRight; })) << s.name;
        EXPECT_EQ(Bar().m_hWnd, CExtMouseCaptureSink::GetCapture()) << s.name;
        EXPECT_TRUE(::IsZoomed(hDoc)) << s.name << ": nothing acts on the press";
        ButtonAt(pt, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return s.after(hDoc) && HasNoMdiButtons(); }))
            << s.name << ": " << orvtest::recentMouseMessages();
        EXPECT_EQ(kMenuButtons, Bar().GetButtonsCount()) << s.name;
        EXPECT_EQ(NULL, ::GetCapture()) << s.name;
    }
    EXPECT_EQ(std::vector<std::string>{"First"}, g_deleted);
}

// 2. The document button opens the document's system menu as the library's popup joined to the
// button (never the system's own menu); the keyboard moves between it, the frame's system menu
// and the pull-downs; the control area is passed over.
TEST_F(MdiBarTest, DocumentButtonOpensTheDocumentsSystemMenu) {
    Open();
    DocWnd* pDoc = MakeDoc("Doc");
    ASSERT_NE(nullptr, pDoc);
    pDoc->MDIMaximize();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return HasMdiButtons(); }));
    CRect rc = Bar().GetMdiDocButton()->GetRect();
    const POINT pt = orvtest::screenPoint(Bar().m_hWnd, rc.CenterPoint());
    ASSERT_TRUE(orvtest::queueClick(pt, Bar().m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == 0; })) << orvtest::recentMouseMessages();
    EXPECT_EQ(pDoc->m_hWnd, TopMenu()->GetOwnerHwnd()) << "its commands go to the document window";
    EXPECT_GE(TopMenu()->ItemFindPosForCmdID(SC_CLOSE), 0);
    EXPECT_TRUE(Bar().IsSysMenuTracking());
    EXPECT_FALSE(NativeMenuShown());

    struct Key {
        const char* name;
        WORD vk;
        int open;   // the open menu afterwards: a button, or -2 the frame's system menu
    };
    const int nLastPullDown = kMenuButtons;   // Help, before the control area
    const Key keys[] = {
        {"Right from the document's menu opens File", VK_RIGHT, 1},
        {"Left from File opens the document's menu", VK_LEFT, 0},
        {"Left from the document's menu opens the frame's system menu", VK_LEFT, -2},
        {"Left from the frame's system menu opens the last pull-down", VK_LEFT, nLastPullDown},
        {"Right from the last pull-down passes the control area", VK_RIGHT, -2},
        {"Right from the frame's system menu opens the document's", VK_RIGHT, 0},
    };
    for (const Key& k : keys) {
        Settle();
        ASSERT_TRUE(orvtest::pumpUntil([] { return Ready(TopMenu()); }, 3000)) << k.name;
        orvtest::pumpUntil([] { return false; }, 2 * CExtPopupMenuSite::g_nPopupMinKeyInterval + 10);
        orvtest::pressKey(k.vk);
        EXPECT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == k.open; }, 3000)) << k.name << ": " << OpenMenu();
        EXPECT_FALSE(NativeMenuShown()) << k.name;
    }
    orvtest::pressKey(VK_ESCAPE);
    EXPECT_TRUE(orvtest::pumpUntil([] { return Closed(); }));

    // Alt+minus opens it from the keyboard
    Settle();
    orvtest::pressKey(VK_OEM_MINUS, orvtest::kAlt);
    EXPECT_TRUE(orvtest::pumpUntil([&] { return OpenMenu() == 0; }, 3000)) << OpenMenu();

    // the document window closing while its menu is open leaves no menu, hook or capture
    pDoc->MDIDestroy();
    EXPECT_TRUE(orvtest::pumpUntil([&] { return Closed() && HasNoMdiButtons(); }));
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
}

// 3. A press on a caption button of the control area ends on every path without acting, and the
// bar gives the capture back: the release elsewhere, Esc, another window taking the capture, the
// document window or the bar going.
TEST_F(MdiBarTest, APressOnTheControlAreaEndsOnEveryPath) {
    struct Case {
        const char* name;
        int how;
    };
    enum { releaseElsewhere, escape, captureTaken, documentGone, barGone };
    const Case cases[] = {
        {"released off the button", releaseElsewhere},
        {"Esc", escape},
        {"the capture taken by another window", captureTaken},
        {"the document window closed", documentGone},
        {"the bar destroyed", barGone},
    };
    for (const Case& c : cases) {
        Open();
        DocWnd* pDoc = MakeDoc("Pressed");
        ASSERT_NE(nullptr, pDoc) << c.name;
        const HWND hDoc = pDoc->m_hWnd;
        pDoc->MDIMaximize();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return HasMdiButtons(); })) << c.name;
        const HWND hBar = Bar().m_hWnd;
        const POINT pt = CaptionButtonPoint(SC_CLOSE);
        ASSERT_TRUE(orvtest::moveTo(pt, hBar)) << c.name;
        ButtonAt(pt, MOUSEEVENTF_LEFTDOWN);
        const int nRight = Bar().GetButtonsCount() - 1;
        ASSERT_TRUE(orvtest::pumpUntil([&] { return Bar().m_nBtnIdxCapture == nRight; })) << c.name;
        EXPECT_EQ(hBar, CExtMouseCaptureSink::GetCapture()) << c.name;
        EXPECT_EQ(nRight, Bar().m_nBtnIdxCapture) << c.name;
        EXPECT_NE(0u, Bar().GetButtonStyle(nRight) & TBBS_PRESSED) << c.name;

        POINT ptUp = pt;
        switch (c.how) {
        case releaseElsewhere:
            ptUp = orvtest::screenPoint(hFrame, POINT{300, 250});
            ButtonAt(ptUp, MOUSEEVENTF_MOVE);
            break;
        case escape:
            orvtest::pressKey(VK_ESCAPE);
            break;
        case captureTaken:
            ::SetCapture(hFrame);
            break;
        case documentGone:
            pDoc->MDIDestroy();
            break;
        case barGone:
            Bar().DestroyWindow();
            break;
        }
        if (c.how != releaseElsewhere) {
            EXPECT_TRUE(orvtest::pumpUntil([&] {
                return CExtMouseCaptureSink::GetCapture() != hBar && (!::IsWindow(hBar) || Bar().m_nBtnIdxCapture < 0);
            })) << c.name;
        }
        ButtonAt(ptUp, MOUSEEVENTF_LEFTUP);
        Settle();
        if (c.how == captureTaken && ::GetCapture() == hFrame)
            ::ReleaseCapture();
        // a pointer resting on a button may hold the capture for its hover (to hear it leave),
        // never for a press
        if (::IsWindow(hBar) && ::GetCapture() == hBar) {
            EXPECT_GE(Bar().m_nBtnIdxHover, 0) << c.name << ": the bar holds the capture for nothing";
        }
        if (::IsWindow(hBar)) {
            EXPECT_EQ(-1, Bar().m_nBtnIdxCapture) << c.name;
            for (int i = 0; i < Bar().GetButtonsCount(); i++)
                EXPECT_EQ(0u, Bar().GetButtonStyle(i) & TBBS_PRESSED) << c.name << ": button " << i;
        }
        if (c.how == documentGone) {
            EXPECT_TRUE(orvtest::pumpUntil([&] { return HasNoMdiButtons(); })) << c.name;
        } else {
            EXPECT_TRUE(::IsWindow(hDoc) && ::IsZoomed(hDoc)) << c.name << ": the press must not act";
        }
        // Esc reaches the window with the focus again: no keyboard hook of the press is left
        Close();
    }
}

// 4. The control area's layout per document window: which caption buttons it has and in which
// order, its size, the tips of its buttons and its entries in the chevron's menu; a document
// window without a system menu gets no document button; with no document window the area
// measures 1 by 1 and offers nothing.
TEST_F(MdiBarTest, ControlAreaLayoutTable) {
    Open();
    struct Case {
        const char* name;
        DWORD dwStyle;
        DWORD dwExStyle;
        bool greyClose;
        bool docButton;                  // the document button shows
        std::vector<UINT> buttons;       // the caption buttons along the row
        std::vector<UINT> tips;          // their tip ids, in the same order
        std::vector<UINT> entries;       // the chevron's menu entries
    };
    const DWORD kCloseOnly = WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    const Case cases[] = {
        {"minimise and maximise boxes", kDocStyle, 0, false, true,
         {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}, {0xEF02, 0xEF12, 0xEF06}, {SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE}},
        {"close only", kCloseOnly, 0, false, true, {SC_CLOSE}, {0xEF06}, {SC_CLOSE}},
        {"maximise without minimise", kCloseOnly | WS_MAXIMIZEBOX, 0, false, true,
         {SC_MAXIMIZE, SC_CLOSE}, {0xEF03, 0xEF06}, {SC_RESTORE, SC_CLOSE}},
        {"greyed close", kDocStyle, 0, true, true, {SC_MINIMIZE, SC_RESTORE}, {0xEF02, 0xEF12},
         {SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE}},
        {"help with the maximise box", kCloseOnly | WS_MAXIMIZEBOX, WS_EX_CONTEXTHELP, false, true,
         {SC_CONTEXTHELP, SC_MAXIMIZE, SC_CLOSE}, {0xE145, 0xEF03, 0xEF06}, {SC_RESTORE, SC_CLOSE}},
        {"no system menu", WS_CHILD | WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, false, false,
         {SC_MINIMIZE, SC_RESTORE}, {0xEF02, 0xEF12}, {SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE}},
    };
    for (const Case& c : cases) {
        DocWnd* pDoc = MakeDoc(c.name, c.dwStyle);
        ASSERT_NE(nullptr, pDoc) << c.name;
        if (c.dwExStyle != 0)
            ::SetWindowLongPtrA(pDoc->m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrA(pDoc->m_hWnd, GWL_EXSTYLE) | c.dwExStyle);
        if (c.greyClose)
            ::EnableMenuItem(::GetSystemMenu(pDoc->m_hWnd, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        pDoc->MDIMaximize();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::IsZoomed(pDoc->m_hWnd) && Bar().GetMdiRightButton() != NULL; }))
            << c.name;
        Bar().UpdateMdiButtons(true);
        orvtest::pumpWaiting();
        EXPECT_EQ(c.docButton, Bar().GetMdiDocButton() != NULL) << c.name;
        CExtBarMdiRightButton* pRight = Bar().GetMdiRightButton();
        ASSERT_NE(nullptr, pRight) << c.name;
        EXPECT_EQ(pDoc->m_hWnd, pRight->GetChildWnd()) << c.name;

        CExtBarMdiRightButton::MdiButtonsInfo info;
        ASSERT_TRUE(pRight->GetButtonsInfo(info, true)) << c.name;
        std::vector<std::pair<int, UINT>> placed;
        for (UINT nCmd : {SC_CONTEXTHELP, SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE, SC_CLOSE})
            if (!info.RectOf(nCmd).IsRectEmpty())
                placed.push_back({info.RectOf(nCmd).left, nCmd});
        std::sort(placed.begin(), placed.end());
        std::vector<UINT> along;
        for (const auto& p : placed)
            along.push_back(p.second);
        EXPECT_EQ(c.buttons, along) << c.name;
        // 2 and a step of the button's width and 2 per caption button along the row
        const int n = (int)c.buttons.size();
        EXPECT_EQ(2 + n * (info.m_cxButton + 2), info.m_cxTotal) << c.name;
        EXPECT_EQ(CSize(info.m_cxTotal, std::max(info.m_cyTotal, 20)), pRight->GetSize()) << c.name;
        EXPECT_EQ(std::max(::GetSystemMetrics(SM_CXSMSIZE) + 1, 18) - 2, info.m_cxButton) << c.name;

        std::vector<UINT> tips;
        for (UINT nCmd : c.buttons) {
            TOOLINFOA ti = {};
            ti.cbSize = sizeof ti;
            const CRect rcButton = info.RectOf(nCmd);
            const INT_PTR nID = pRight->FillToolTipInfo(rcButton.CenterPoint(), &ti);
            tips.push_back((UINT)nID);
            EXPECT_EQ(rcButton, CRect(ti.rect)) << c.name;
            if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA) {
                EXPECT_GT(strlen(ti.lpszText), 4u) << c.name;
                free(ti.lpszText);
            }
        }
        EXPECT_EQ(c.tips, tips) << c.name;
        EXPECT_EQ(-1, pRight->FillToolTipInfo(CPoint(pRight->GetRect().left, pRight->GetRect().top - 5), NULL))
            << c.name << ": no caption button there";

        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->CreatePopupMenu(hFrame));
        ASSERT_TRUE(pRight->AppendToPopupMenu(pPopup)) << c.name;
        std::vector<UINT> entries;
        for (int i = 0; i < pPopup->GetItemCount(); i++) {
            entries.push_back(pPopup->ItemGetCmdID(i));
            EXPECT_EQ(pDoc->m_hWnd, pPopup->GetItemAt(i).m_hWndCmdTarget) << c.name << ": entry " << i;
        }
        EXPECT_EQ(c.entries, entries) << c.name;
        delete pPopup;

        pDoc->MDIDestroy();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return HasNoMdiButtons(); })) << c.name;
    }
    // no document window at all
    CExtBarMdiRightButton orphan(&Bar(), 1);
    CClientDC dc(&Bar());
    EXPECT_EQ(CSize(1, 1), orphan.MeasureButton(&dc, CSize(23, 20), true));
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->CreatePopupMenu(hFrame));
    EXPECT_FALSE(orphan.AppendToPopupMenu(pPopup));
    EXPECT_EQ(0, pPopup->GetItemCount());
    delete pPopup;
}

// 5. The document button is never disabled, whatever its command's update handler says.
TEST_F(MdiBarTest, DocumentButtonIsNeverDisabled) {
    Open();
    DocWnd* pDoc = MakeDoc("Enabled");
    ASSERT_NE(nullptr, pDoc);
    pDoc->MDIMaximize();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return HasMdiButtons(); }));
    CExtBarMdiDocButton* p = Bar().GetMdiDocButton();
    p->SetStyle(TBBS_DISABLED);
    EXPECT_FALSE(p->IsDisabled());
    p->ModifyStyle(TBBS_DISABLED | TBBS_PRESSED);
    EXPECT_FALSE(p->IsDisabled());
    EXPECT_NE(0u, p->GetStyle() & TBBS_PRESSED);
    p->ModifyStyle(0, TBBS_PRESSED);
    // an idle update of the frame's commands leaves the buttons enabled
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(Bar().GetMdiDocButton()->IsDisabled());
    EXPECT_FALSE(Bar().GetMdiRightButton()->IsDisabled());
}

// 6. The bar with a maximised document window in each look, kept as
// mdi_buttons_<look>_<depth>.png; the control area reads as a light area with dark glyphs.
TEST_F(MdiBarTest, PicturesPerLook) {
    Open();
    DocWnd* pDoc = MakeDoc("Pictured");
    ASSERT_NE(nullptr, pDoc);
    pDoc->MDIMaximize();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return HasMdiButtons(); }));
    const auto& looks = kTestLooks;
    for (const TestLook& look : looks) {
        g_PaintManager.InstallPaintManager(look.make());
        pFrame->RecalcLayout();
        ::RedrawWindow(hFrame, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        orvtest::pumpWaiting();
        // the pointer over the close button: it is drawn hot
        const POINT ptClose = CaptionButtonPoint(SC_CLOSE);
        ASSERT_TRUE(orvtest::moveUntil(ptClose, [&] { return Bar().m_nBtnIdxHover == Bar().GetButtonsCount() - 1; }))
            << look.name;
        orvtest::pumpWaiting();
        orvtest::Picture shot;
        const std::string name = std::string("mdi_buttons_") + look.name + (Is24() ? "_24" : "_8");
        ASSERT_TRUE(orvtest::screenshot(name, &shot)) << name;
        CRect rcArea = Bar().GetMdiRightButton()->GetRect();
        Bar().ClientToScreen(&rcArea);
        EXPECT_EQ("", shot.lightAreaProblem(rcArea.left, rcArea.top, rcArea.right, rcArea.bottom, 3))
            << look.name << ": the control area";
        // leave the bar so that the next look starts without a hot button
        ASSERT_TRUE(orvtest::moveUntil(orvtest::screenPoint(hFrame, POINT{300, 300}),
                                       [&] { return Bar().m_nBtnIdxHover < 0; }))
            << look.name;
    }
}
