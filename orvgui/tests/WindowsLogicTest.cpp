// The GUI windows' rules that need no window: the list's sort order, its row colours, the version
// tests, the tray button's layout, picture cell, scheme and glyph, and the help map.
#include "orv/gtest.h"

#include <algorithm>
#include <string>
#include <vector>

#include "CChildView.h"
#include "CCommonListCtrl.h"
#include "ContextHelpMap.h"
#include "FeedbackCheck.h"
#include "OsVersion.h"
#include "TrayButtonLook.h"

// ---- the list's comparison ----

TEST(ListSortOrder, ClassifiesBothTextsAndAnswersASignedOrder)
{
    struct Case {
        const char* first;
        const char* second;
        int ascending;   // expected answer when ascending
    };
    const Case cases[] = {
        {"5", "12", -1},           // numbers by value, not by text
        {"12", "5", 1},
        {"7", "7", 0},
        {"-3", "2", -1},
        {"120 ms", "95 ms", 1},    // leading digits count
        {"0", "5", 1},             // "0" is a text: after every number
        {"5", "0", -1},
        {"N/A", "17", 1},          // so is "N/A"
        {"17", "N/A", -1},
        {"N/A", "0", 1},           // texts by bytes: '0' (0x30) before 'N' (0x4E)
        {"Down", "Up", -1},
        {"Up", "Down", 1},
        {"down", "Down", 1},       // case counts
        {"", "a", -1},
        {"same", "same", 0},
        {"007", "7", -1},          // equal values: by text, so the order stays total
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " vs " + c.second);
        int expected = c.ascending;
        EXPECT_EQ(expected, CCommonListCtrl::CompareCellTexts(c.first, c.second, true));
        EXPECT_EQ(-expected, CCommonListCtrl::CompareCellTexts(c.first, c.second, false));
        EXPECT_EQ(-expected, CCommonListCtrl::CompareCellTexts(c.second, c.first, true));
    }
}

TEST(ListSortOrder, SortsAMixedColumnIntoOneConsistentOrder)
{
    std::vector<std::string> texts = {"N/A", "100", "0", "9", "Down", "25", "N/A", "3", "Up", "0"};
    std::sort(texts.begin(), texts.end(), [](const std::string& a, const std::string& b) {
        return CCommonListCtrl::CompareCellTexts(a.c_str(), b.c_str(), true) < 0;
    });
    EXPECT_EQ((std::vector<std::string>{"3", "9", "25", "100", "0", "0", "Down", "N/A", "N/A", "Up"}), texts);
}

TEST(ListColors, BlendsRoundPerChannel)
{
    // soft = (highlight + 3 window + 2) / 4, faint = (h + 7 w + 4) / 8, half = (h + w + 1) / 2
    const COLORREF highlight = RGB(10, 36, 106), window = RGB(255, 255, 255);
    EXPECT_EQ(RGB((10 + 765 + 2) / 4, (36 + 765 + 2) / 4, (106 + 765 + 2) / 4),
              CCommonListCtrl::Blend(highlight, 1, window, 3));
    EXPECT_EQ(RGB((10 + 1785 + 4) / 8, (36 + 1785 + 4) / 8, (106 + 1785 + 4) / 8),
              CCommonListCtrl::Blend(highlight, 1, window, 7));
    EXPECT_EQ(RGB((10 + 255 + 1) / 2, (36 + 255 + 1) / 2, (106 + 255 + 1) / 2),
              CCommonListCtrl::Blend(highlight, 1, window, 1));
    EXPECT_EQ(RGB(255, 0, 0), CCommonListCtrl::Blend(RGB(255, 0, 0), 1, RGB(255, 0, 0), 7));
}

TEST(ItemListView, ColumnWidthIsSevenPixelsPerCaptionCharacterPlusThePadding)
{
    // "URL/IP" keeps the nine blanks of its caption
    EXPECT_EQ(15 * 7, CChildView::ColumnWidth(static_cast<int>(std::string("URL/IP         ").size()), 0));
    EXPECT_EQ(6 * 7 + 20, CChildView::ColumnWidth(6, 20));
    EXPECT_EQ(0, CChildView::ColumnWidth(0, 0));
}

// ---- OS version ----

TEST(OsVersionTable, EachTestMatchesItsPlatformAndVersion)
{
    struct Case {
        DWORD platform, major, minor;
        const char* name;   // the one version test (besides 9x/NT) that holds
    };
    const Case cases[] = {
        {1, 4, 0, "95"}, {1, 4, 10, "98"}, {1, 4, 90, "Me"}, {1, 4, 3, ""},
        {2, 4, 0, "NT4"}, {2, 4, 7, "NT4"}, {2, 5, 0, "2000"}, {2, 5, 1, "XP"},
        {2, 5, 2, ""}, {2, 6, 1, ""}, {0, 5, 1, ""},
    };
    for (const Case& c : cases) {
        OSVERSIONINFOA info = {};
        info.dwPlatformId = c.platform;
        info.dwMajorVersion = c.major;
        info.dwMinorVersion = c.minor;
        OsVersion v(info);
        std::string name = c.name;
        SCOPED_TRACE(std::to_string(c.platform) + " " + std::to_string(c.major) + "." + std::to_string(c.minor));
        EXPECT_EQ(c.platform == 1, v.win9x());
        EXPECT_EQ(c.platform == 2, v.nt());
        EXPECT_EQ(name == "95", v.win95());
        EXPECT_EQ(name == "98", v.win98());
        EXPECT_EQ(name == "Me", v.winMe());
        EXPECT_EQ(name == "NT4", v.nt4());
        EXPECT_EQ(name == "2000", v.win2000());
        EXPECT_EQ(name == "XP", v.winXP());
    }
    // the running system answers through the same tests (Wine reports a later NT)
    EXPECT_TRUE(OsVersion::isNT());
    EXPECT_FALSE(OsVersion::isWinXP());
}

// ---- tray caption button ----

TEST(TrayButtonLayout, FollowsCaptionFrameAndBoxes)
{
    TrayButtonLook::Metrics m = {};
    m.cyCaption = 19;
    m.cySmCaption = 15;
    m.cxFrame = 4, m.cyFrame = 4, m.cxDlgFrame = 3, m.cyDlgFrame = 3;
    struct Case {
        DWORD style, exStyle;
        bool classic;
        RECT expected;
        const char* what;
    };
    // size = 18: width 14 (+2 classic), height 14
    const Case cases[] = {
        {WS_OVERLAPPEDWINDOW, 0, false, {400 - 32 - 4 - 32, 6, 400 - 32 - 4 - 32 + 14, 20}, "sizing, boxes, themed"},
        {WS_OVERLAPPEDWINDOW, 0, true, {400 - 36 - 4 - 34, 6, 400 - 36 - 4 - 34 + 16, 20}, "sizing, boxes, classic"},
        {WS_CAPTION | WS_SYSMENU, 0, false, {400 - 32 - 3, 5, 400 - 32 - 3 + 14, 19}, "dialog frame, close only"},
        {WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_TOOLWINDOW, false,
         {400 - 24 - 4, 6, 400 - 24 - 4 + 10, 16}, "tool window ignores its boxes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RECT r = TrayButtonLook::Layout(c.style, c.exStyle, 400, c.classic, m);
        EXPECT_EQ(c.expected.left, r.left);
        EXPECT_EQ(c.expected.top, r.top);
        EXPECT_EQ(c.expected.right, r.right);
        EXPECT_EQ(c.expected.bottom, r.bottom);
    }
    // a tiny caption still gives a button of at least 8 - 4 pixels
    m.cyCaption = 3;
    RECT tiny = TrayButtonLook::Layout(WS_CAPTION, 0, 100, false, m);
    EXPECT_EQ(4, tiny.bottom - tiny.top);
}

TEST(TrayButtonLayout, HitTestLeavesTwoPixelsAtTopAndBottom)
{
    RECT button = {100, 6, 114, 20};
    struct Case {
        POINT p;
        bool hit;
    };
    const Case cases[] = {{{100, 8}, true}, {{113, 17}, true}, {{100, 7}, false}, {{100, 18}, false},
                          {{99, 10}, false}, {{114, 10}, false}};
    for (const Case& c : cases)
        EXPECT_EQ(c.hit, TrayButtonLook::HitTest(button, c.p)) << c.p.x << "," << c.p.y;
}

TEST(TrayButtonCells, StateGivesTheCell)
{
    struct Case {
        bool enabled, hover, pressed, active;
        int cell;
    };
    const Case cases[] = {
        {true, false, false, true, 1}, {true, true, false, true, 2},  {true, true, true, true, 3},
        {false, true, true, true, 4},  {true, false, false, false, 5}, {true, true, false, false, 6},
        {true, true, true, false, 7},  {false, false, false, false, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cell, TrayButtonLook::CellIndex(c.enabled, c.hover, c.pressed, c.active));
}

TEST(TrayButtonCells, OnlyTheThreeLunaSchemesHaveABitmap)
{
    struct Case {
        const char* file;
        const char* color;
        const char* bitmap;
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", "NormalColor", "TRAYBUTTON_LUNA_BLUE_BMP"},
        {"C:\\x\\LUNA.MSSTYLES", "Metallic", "TRAYBUTTON_LUNA_METALLIC_BMP"},
        {"luna.msstyles", "HomeStead", "TRAYBUTTON_LUNA_HOMESTEAD_BMP"},
        {"C:\\x\\Luna.msstyles", "Silver", nullptr},
        {"C:\\windows\\resources\\themes\\light\\light.msstyles", "Blue", nullptr},
        {"C:\\x\\Royale.msstyles", "NormalColor", nullptr},
    };
    for (const Case& c : cases) {
        const char* got = TrayButtonLook::SchemeBitmapName(c.file, c.color);
        EXPECT_EQ(std::string(c.bitmap ? c.bitmap : "-"), std::string(got ? got : "-")) << c.file << " " << c.color;
    }
}

TEST(TrayButtonCells, ClassicGlyphGrowsWithTheButton)
{
    struct Case {
        int height;
        int thickness;
        int inset;
    };
    // thickness 1 below 14 (h + 4), 2 below 20, then (h - 16) / 8 + 2; inset 0 below 12, then (h - 8) / 8 + 1
    const Case cases[] = {{7, 1, 0}, {8, 1, 1}, {9, 1, 1}, {15, 2, 1}, {16, 2, 2}, {24, 3, 3}, {40, 5, 5}};
    for (const Case& c : cases) {
        RECT inner = {0, 0, 40, c.height - 4};
        RECT bar = TrayButtonLook::ClassicGlyph(inner, c.height, false);
        int length = (3 * c.thickness + 1) / 2;
        SCOPED_TRACE(c.height);
        EXPECT_EQ(c.thickness, bar.bottom - bar.top);
        EXPECT_EQ(inner.bottom - c.inset - length, bar.bottom);
        EXPECT_EQ(c.inset + length, bar.left);
        RECT pressed = TrayButtonLook::ClassicGlyph(inner, c.height, true);
        EXPECT_EQ(bar.left + 1, pressed.left);
        EXPECT_EQ(bar.top + 1, pressed.top);
    }
}

// ---- context help ----

namespace {

struct HelpCall {
    UINT command;
    ULONG_PTR data;
    std::string file;
};
std::vector<HelpCall> helpCalls;
std::vector<std::string> helpMessages;
bool helpFilePresent = true;

const ContextHelpMap::Engine kRecorder = {
    [](HWND, const char* file, UINT command, ULONG_PTR data) -> BOOL {
        helpCalls.push_back({command, data, file});
        return TRUE;
    },
    [](HWND, const char* text) { helpMessages.push_back(text); },
    [](const std::string&) { return helpFilePresent; },
};

struct HelpFixture : ::testing::Test {
    void SetUp() override
    {
        helpCalls.clear();
        helpMessages.clear();
        helpFilePresent = true;
        ContextHelpMap::setEngine(&kRecorder);
    }
    void TearDown() override { ContextHelpMap::setEngine(nullptr); }
};

}  // namespace

TEST_F(HelpFixture, EveryWindowOfTheMapOpensItsTopic)
{
    const unsigned pairs[][2] = {{130, 18}, {133, 10}, {135, 23}, {136, 36}, {138, 37}, {143, 34},
                                 {148, 40}, {152, 24}, {153, 25}, {170, 7},  {173, 8},  {174, 9},
                                 {205, 41}, {206, 44}, {211, 45}, {212, 46}, {213, 47}, {214, 38}};
    for (const auto& pair : pairs) {
        helpCalls.clear();
        ContextHelpMap::showHelp(nullptr, pair[0]);
        ASSERT_EQ(1u, helpCalls.size()) << pair[0];
        EXPECT_EQ(static_cast<UINT>(HELP_CONTEXT), helpCalls[0].command);
        EXPECT_EQ(pair[1], helpCalls[0].data) << pair[0];
    }
    const std::string file = ContextHelpMap::helpFile();
    EXPECT_EQ(file, helpCalls[0].file);
    EXPECT_EQ("\\helpfile.hlp", file.substr(file.size() - 13));
    EXPECT_TRUE(helpMessages.empty());
}

TEST_F(HelpFixture, AnUnknownWindowOpensTheContents)
{
    for (unsigned id : {0u, 137u, 140u, 168u, 183u, 100u}) {
        helpCalls.clear();
        ContextHelpMap::showHelp(nullptr, id);
        ASSERT_EQ(1u, helpCalls.size());
        EXPECT_EQ(static_cast<UINT>(HELP_FINDER), helpCalls[0].command);
        EXPECT_EQ(0u, helpCalls[0].data);
    }
}

TEST_F(HelpFixture, AMissingHelpFileGivesOneMessageOfOursAndNoEngineCall)
{
    helpFilePresent = false;
    ContextHelpMap::showHelp(nullptr, 148);
    ContextHelpMap::showContents(nullptr);
    EXPECT_TRUE(helpCalls.empty());
    ASSERT_EQ(2u, helpMessages.size());
    EXPECT_EQ(std::string(ContextHelpMap::kMissingHelpFile) + ContextHelpMap::helpFile(), helpMessages[0]);
}

// ---- the feedback form's checks ----

TEST(FeedbackChecks, AddressNeedsAnAtAfterTheFirstCharacterAndADotFromTheFourth)
{
    const struct {
        const char* address;
        bool accepted;
    } cases[] = {
        {"a@b.cd", true},            // "@" second, first "." fourth
        {"ab@c.de", true},
        {"@ab.cd", false},           // starts with "@"
        {"a@.bcd", false},           // first "." third
        {"a.b@c.de", false},         // first "." before the fourth, a later one after "@"
        {"abc.d@e", true},           // only positions count, not their order
        {"abcdef", false},           // neither
        {"ab@cdef", false},          // no "."
        {"abc.def", false},          // no "@"
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.accepted, FeedbackCheck::isAcceptableAddress(c.address)) << '"' << c.address << '"';
}

TEST(FeedbackChecks, TheFirstFailingCheckIsShownInTheFormsOrder)
{
    const struct {
        const char* address;
        const char* subject;
        const char* body;
        const char* message;   // null: sent
    } cases[] = {
        {"", "", "", FeedbackCheck::kNoAddress},
        {"@", "", "", FeedbackCheck::kNoSubject},          // a bad address is checked last
        {"@", "Hi", "", FeedbackCheck::kNoBody},
        {"@", "Hi", "Text", FeedbackCheck::kBadAddress},
        {"me@host.example", "", "Text", FeedbackCheck::kNoSubject},
        {"me@host.example", "Hi", "Text", nullptr},
    };
    for (const auto& c : cases) {
        const char* message = FeedbackCheck::firstFailure(c.address, c.subject, c.body);
        EXPECT_STREQ(c.message, message) << c.address << " / " << c.subject << " / " << c.body;
    }
    EXPECT_STREQ("Please enter a valid email address! ", FeedbackCheck::kBadAddress);
}
