// The label: the text-drawing flags each static style and text asks for (seen by a deriving
// class's DrawLabelText), an empty text that paints only the background, and one repaint for a
// text or enabled-state change.
#include "CExtLabel.h"
#include "CExtResDlg.h"
#include "DialogsTestApp.h"
#include "dialogs_test_resources.h"

namespace {

// A deriving label that replaces the text drawing, as the GUI's own label does.
class RecordingLabel : public CExtLabel {
public:
    struct Call {
        CString text;
        UINT flags;
        bool enabled;
    };
    std::vector<Call> calls;
    void DrawLabelText(CDC& dc, const RECT& rcText, LPCTSTR strText, UINT nFlags, bool bEnabled) override
    {
        calls.push_back({strText, nFlags, bEnabled});
        CExtLabel::DrawLabelText(dc, rcText, strText, nFlags, bEnabled);
    }
};

struct Labels {
    CExtResDlg dlg;
    Labels()
    {
        dlgtest::App();
        EXPECT_TRUE(dlg.Create(IDD_CHECKS));
        dlg.SetWindowPos(NULL, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        orvtest::pumpWaiting();
    }
    ~Labels()
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
    }
    bool make(RecordingLabel& label, const char* text, DWORD style)
    {
        return label.Create(text, WS_CHILD | WS_VISIBLE | style, CRect(200, 150, 330, 190), &dlg, 0xFFFF) != FALSE;
    }
};

// Every pixel of a window's client area as the screen shows it.
std::vector<COLORREF> ClientPixels(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    std::vector<COLORREF> px;
    HDC hdc = ::GetDC(hWnd);
    for (int y = 0; y < rc.bottom; y++)
        for (int x = 0; x < rc.right; x++)
            px.push_back(::GetPixel(hdc, x, y));
    ::ReleaseDC(hWnd, hdc);
    return px;
}

}  // namespace

TEST(Label, DrawTextFlagsFollowTheStyleAndText)
{
    struct Case {
        const char* name;
        DWORD style;
        const char* text;
        UINT flags;
    } cases[] = {
        {"left", SS_LEFT, "plain", DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
        {"centre", SS_CENTER, "plain", DT_CENTER | DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
        {"right", SS_RIGHT, "plain", DT_RIGHT | DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
        {"no wrap", SS_LEFTNOWORDWRAP, "plain", DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS},
        {"tab", SS_LEFT, "a\tb", DT_WORDBREAK | DT_EXPANDTABS | DT_VCENTER | DT_END_ELLIPSIS},
        {"centre image", SS_LEFT | SS_CENTERIMAGE, "one line",
         DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
        {"centre image two lines", SS_RIGHT | SS_CENTERIMAGE, "one\r\ntwo", DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS},
        {"centre image with tab", SS_CENTER | SS_CENTERIMAGE, "a\tb\r\nc", DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS},
    };
    Labels l;
    for (const Case& c : cases) {
        RecordingLabel label;
        ASSERT_TRUE(l.make(label, c.text, c.style)) << c.name;
        label.UpdateWindow();
        ASSERT_FALSE(label.calls.empty()) << c.name;
        EXPECT_EQ(c.flags, label.calls.back().flags) << c.name;
        EXPECT_STREQ(c.text, label.calls.back().text) << c.name;
        EXPECT_TRUE(label.calls.back().enabled) << c.name;
        label.DestroyWindow();
    }
}

TEST(Label, AnEmptyTextPaintsOnlyTheBackground)
{
    Labels l;
    RecordingLabel label;
    ASSERT_TRUE(l.make(label, "", SS_CENTER));
    label.UpdateWindow();
    EXPECT_TRUE(label.calls.empty());
    const std::vector<COLORREF> empty = ClientPixels(label.m_hWnd);
    for (COLORREF c : empty)
        ASSERT_EQ(empty[0], c);
    // the same label with a text shows ink on that background
    label.SetWindowText("Ink");
    label.UpdateWindow();
    const std::vector<COLORREF> inked = ClientPixels(label.m_hWnd);
    EXPECT_NE(inked.end(), std::find_if(inked.begin(), inked.end(), [&](COLORREF c) { return c != empty[0]; }));
}

TEST(Label, ATextOrEnabledChangeRepaintsOnce)
{
    Labels l;
    RecordingLabel label;
    ASSERT_TRUE(l.make(label, "before", SS_LEFT));
    label.UpdateWindow();
    l.dlg.UpdateWindow();
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* text;
        bool enabled;
    } cases[] = {
        {"text", [&] { label.SetWindowText("after"); }, "after", true},
        {"disable", [&] { label.EnableWindow(FALSE); }, "after", false},
        {"enable", [&] { label.EnableWindow(TRUE); }, "after", true},
    };
    for (const Case& c : cases) {
        orvtest::MessageRecorder paints(label.m_hWnd, {WM_PAINT});
        label.calls.clear();
        c.act();
        // the area it covers in the dialog is invalid too
        CRect rcInParent = dlgtest::RectInParent(label.m_hWnd), rcUpdate;
        EXPECT_TRUE(::GetUpdateRect(l.dlg.m_hWnd, &rcUpdate, FALSE)) << c.name;
        EXPECT_TRUE(rcUpdate.PtInRect(rcInParent.CenterPoint())) << c.name;
        ASSERT_TRUE(paints.waitFor(1)) << c.name;
        orvtest::pumpWaiting();
        EXPECT_EQ(1u, paints.received().size()) << c.name;
        ASSERT_EQ(1u, label.calls.size()) << c.name;
        EXPECT_STREQ(c.text, label.calls[0].text) << c.name;
        EXPECT_EQ(c.enabled, label.calls[0].enabled) << c.name;
    }
}
