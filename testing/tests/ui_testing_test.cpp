// The window-test helpers themselves: real clicks and keys reach the window under them, the
// recorder compares what arrived with a table and prints both when they differ, and a script
// goes on inside a modal loop.
#include <orv/UiTest.h>

namespace {

struct Windows {
    HWND parent = NULL, button = NULL;
    Windows()
    {
        parent = ::CreateWindowExA(0, "#32770", "helpers", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200,
                                   NULL, NULL, NULL, NULL);
        button = ::CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 120, 40, parent,
                                   (HMENU)1001, NULL, NULL);
        ::SetForegroundWindow(parent);
    }
    ~Windows() { ::DestroyWindow(parent); }
};

}  // namespace

TEST(UiTesting, RealInputReachesTheWindowAndTheRecorderComparesTables)
{
    orvtest::uiApp();
    Windows w;
    orvtest::MessageRecorder parent(w.parent, {WM_COMMAND});
    ASSERT_TRUE(orvtest::click(orvtest::centreOf(w.button), w.button));
    ASSERT_TRUE(parent.waitFor(1));
    EXPECT_TRUE(parent.matches({{WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED), (LPARAM)w.button}}));

    // a table that differs names both sides
    ::testing::AssertionResult wrong = parent.matches({{WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED)}, {WM_KEYDOWN}});
    EXPECT_FALSE(wrong);
    const std::string text = wrong.message();
    EXPECT_NE(std::string::npos, text.find("expected 2 message(s)")) << text;
    EXPECT_NE(std::string::npos, text.find("received 1")) << text;
    EXPECT_NE(std::string::npos, text.find("WM_KEYDOWN")) << text;
    EXPECT_NE(std::string::npos, text.find("0x3E9")) << text;   // the control id that came

    // a key with modifiers arrives with them held, in order
    orvtest::MessageRecorder keys(w.button, {WM_KEYDOWN, WM_KEYUP});
    ::SetFocus(w.button);
    orvtest::pressKey('K', orvtest::kCtrl | orvtest::kShift);
    ASSERT_TRUE(keys.waitFor(6));
    EXPECT_TRUE(keys.matches({{WM_KEYDOWN, VK_SHIFT},
                              {WM_KEYDOWN, VK_CONTROL},
                              {WM_KEYDOWN, 'K'},
                              {WM_KEYUP, 'K'},
                              {WM_KEYUP, VK_CONTROL},
                              {WM_KEYUP, VK_SHIFT}}));
}

TEST(UiTesting, AScriptGoesOnInsideAModalLoop)
{
    orvtest::uiApp();
    orvtest::Script script({});
    // the message box runs its own loop; the script's timer closes it from inside
    EXPECT_EQ(IDOK, ::MessageBoxA(NULL, "from the script", "box", MB_OK));
    ASSERT_EQ(1u, script.boxes.texts.size());
    EXPECT_EQ("from the script", script.boxes.texts[0]);
}
