// The hyperlink button opening its address by real clicks, against handlers registered in the
// test's own prefix: the HTML page handler, the protocols and a file type all start a small
// recorder program (link_recorder.cpp) that writes down its command line; never a browser.
// Also the command line built from a registered one, the bounded registry reads, and what
// Wine's Internet-shortcut object does with the link's call.
#include <objbase.h>
#include <intshcut.h>
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "CExtHyperLinkButton.h"
#include "CExtPaintManagerHolder.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kRecorderName[] = "uilib_dialogs_colour_link_recorder.exe";

void SetClassesValue(const std::string& key, const std::string& value, const char* name = NULL)
{
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL))
        << key;
    ::RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(hKey);
}

// The handlers of this prefix: each starts the recorder with a word that names the handler.
struct Handlers {
    std::string recorder;   // the recorder's Windows path
    std::string record;     // the file it writes to
    std::string folder;

    Handlers()
    {
        folder = orvtest::makeScratchFolder("links");
        record = folder + "\\record.txt";
        ::SetEnvironmentVariableA("ORV_LINK_RECORD", record.c_str());
        recorder = orvtest::windowsPath(orvtest::env("ORV_BINARY_DIR") + "/stage/" + kRecorderName);
        const std::string quoted = "\"" + recorder + "\"";
        SetClassesValue(".htm", "htmlfile");
        // the placeholder in quotes followed by more words: cut before the placeholder
        SetClassesValue("htmlfile\\shell\\open\\command", quoted + " page \"%1\" dropped");
        SetClassesValue("htmlfile\\shell\\print\\command", quoted + " page-print %1");
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\edit");   // as in a fresh prefix
        for (const char* scheme : {"http", "https", "orvlink"}) {
            SetClassesValue(scheme, std::string("URL:") + scheme);
            SetClassesValue(scheme, "", "URL Protocol");
            SetClassesValue(std::string(scheme) + "\\shell\\open\\command", quoted + " shell \"%1\"");
        }
        SetClassesValue(".orvpage", "orvpagefile");
        SetClassesValue("orvpagefile\\shell\\open\\command", quoted + " file \"%1\"");
    }

    // The recorded command lines, the recorder's own path left out.
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        const std::string text = orvtest::readFile(record);
        const std::string prefix = "\"" + recorder + "\" ";
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find('\n', at);
            if (end == std::string::npos)
                break;   // a line still being written
            std::string line = text.substr(at, end - at);
            if (line.compare(0, prefix.size(), prefix) == 0)
                line = line.substr(prefix.size());
            out.push_back(line);
            at = end + 1;
        }
        return out;
    }
    // Waits until count lines were recorded.
    bool waitForLines(size_t count) const
    {
        return orvtest::pumpUntil([&] { return lines().size() >= count; }, 10000);
    }
};

// Puts the page handler's open command back when a test that changed it ends, however it ends.
struct RestoreOpenCommand {
    ~RestoreOpenCommand();
};

Handlers& TheHandlers()
{
    static Handlers handlers;
    return handlers;
}

RestoreOpenCommand::~RestoreOpenCommand()
{
    SetClassesValue("htmlfile\\shell\\open\\command", "\"" + TheHandlers().recorder + "\" page \"%1\" dropped");
}

// A link that notes each way it tries and what the way answered.
class RecordingLink : public CExtHyperLinkButton {
public:
    std::vector<std::string> ways;
    bool OpenViaInternetShortcut(LPCTSTR a, int v, bool e) override { return Note("shortcut", CExtHyperLinkButton::OpenViaInternetShortcut(a, v, e)); }
    bool OpenViaShellExecute(LPCTSTR a, int v, bool e) override { return Note("shell", CExtHyperLinkButton::OpenViaShellExecute(a, v, e)); }
    bool OpenViaHtmlHandler(LPCTSTR a, int v, bool e) override { return Note("page", CExtHyperLinkButton::OpenViaHtmlHandler(a, v, e)); }
    std::string Ways() const
    {
        std::string s;
        for (const std::string& w : ways)
            s += (s.empty() ? "" : " ") + w;
        return s;
    }
    bool Done() const { return ways.size() == 3 || (!ways.empty() && ways.back().back() == '+'); }

private:
    bool Note(const char* way, bool bOpened)
    {
        ways.push_back(std::string(way) + (bOpened ? "+" : "-"));
        return bOpened;
    }
};

class LinkTest : public ::testing::Test {
protected:
    CWnd parent;
    RecordingLink link;
    const Handlers& handlers = TheHandlers();
    int nClicks = 0;

    void SetUp() override
    {
        orvtest::uiApp("colour buttons test");
        ::CoInitialize(NULL);
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "links", WS_POPUP | WS_VISIBLE, 60, 60, 420, 80, NULL, NULL));
        HWND hButton = ::CreateWindowExA(0, "BUTTON", "link", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 380, 24,
                                         parent.m_hWnd, (HMENU)101, NULL, NULL);
        ASSERT_TRUE(hButton != NULL);
        ASSERT_TRUE(link.SubclassWindow(hButton));
        parent.SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == parent.m_hWnd; }));
    }
    void TearDown() override
    {
        if (link.m_hWnd != NULL)
            link.DestroyWindow();
        parent.DestroyWindow();
        AfxDeleteTempMaps();
        ::CoUninitialize();
    }
    // A real click on the link; answers when every way it took has answered. Clicks in a row
    // land a few pixels apart: two at one point would make a double click, no second click.
    void Click()
    {
        link.ways.clear();
        const POINT client = {20 + 9 * (nClicks++ % 8), 12};
        ASSERT_TRUE(orvtest::click(orvtest::screenPoint(link.m_hWnd, client), link.m_hWnd));
        ASSERT_TRUE(orvtest::pumpUntil([&] { return link.Done(); }));
    }
};

}  // namespace

// 1. A table of addresses clicked for real: the ways in their order (+ opened, - not), the
//    command line the recorder got, and the visited bit.
TEST_F(LinkTest, ClickOpensTheAddressTheWayItsFormAsks)
{
    const std::string page = handlers.folder + "\\report.orvpage";
    HANDLE hFile = ::CreateFileA(page.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);
    struct Case {
        std::string address;   // empty: the text is opened
        std::string text;
        std::string ways;
        std::string recorded;  // empty: nothing starts
    } cases[] = {
        // web addresses, in any letter case: the page handler first, cut before its placeholder
        {"http://example.test/a", "", "page+", "page  \"http://example.test/a\""},
        {"HTTP://EXAMPLE.TEST/B", "", "page+", "page  \"HTTP://EXAMPLE.TEST/B\""},
        {"Www.example.test", "", "page+", "page  \"Www.example.test\""},
        {"wEB.example.test/x?a=1&b=2", "", "page+", "page  \"wEB.example.test/x?a=1&b=2\""},
        {"FILE://Z:/tmp/x.htm", "", "page+", "page  \"FILE://Z:/tmp/x.htm\""},
        // a quote inside cannot end the argument
        {"www.example.test/say\"hi\" --flag", "", "page+", "page  \"www.example.test/say%22hi%22 --flag\""},
        // blank-padded text of a link without an address: the trimmed text
        {"", "   www.example.test/padded \t ", "page+", "page  \"www.example.test/padded\""},
        // other schemes: the shortcut object first (Wine's refuses the call), then the shell
        {"https://example.test/", "", "shortcut- shell+", "shell \"https://example.test/\""},
        {"orvlink:item/42", "", "shortcut- shell+", "shell \"orvlink:item/42\""},
        {"", " orvlink:text ", "shortcut- shell+", "shell \"orvlink:text\""},
        // a scheme nobody handles: last the page handler
        {"nosuch-scheme:x", "", "shortcut- shell- page+", "page  \"nosuch-scheme:x\""},
        // file paths: the shell by the file's type; a missing file ends at the page handler
        {page, "", "shortcut- shell+", "file \"" + page + "\""},
        {"C:\\no\\such\\folder\\gone.orvpage", "", "shortcut- shell- page+",
         "page  \"C:\\no\\such\\folder\\gone.orvpage\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address.empty() ? "text '" + c.text + "'" : c.address);
        link.m_strURL = c.address.c_str();
        link.SetWindowText(c.text.empty() ? "link" : c.text.c_str());
        link.m_nLinkFlags &= ~CExtHyperLinkButton::LINK_VISITED;
        const size_t nBefore = handlers.lines().size();
        Click();
        EXPECT_EQ(c.ways, link.Ways());
        ASSERT_TRUE(handlers.waitForLines(nBefore + 1));
        const std::vector<std::string> lines = handlers.lines();
        EXPECT_EQ(nBefore + 1, lines.size());
        EXPECT_EQ(c.recorded, lines.back());
        EXPECT_TRUE(link.IsVisited());
    }
}

// 2. No way opens the address: false, the visited bit stays as it was, nothing starts, no message.
TEST_F(LinkTest, AnAddressNoWayOpensLeavesTheLinkUnvisited)
{
    RestoreOpenCommand restore;
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "htmlfile\\shell\\open");
    link.m_strURL = "nosuch-scheme:y";
    const size_t nBefore = handlers.lines().size();
    Click();
    EXPECT_EQ("shortcut- shell- page-", link.Ways());
    EXPECT_FALSE(link.IsVisited());
    // visited stays set too
    link.m_nLinkFlags |= CExtHyperLinkButton::LINK_VISITED;
    Click();
    EXPECT_TRUE(link.IsVisited());
    // in push-button mode a click notifies the parent and marks the link visited, opening nothing
    link.m_nLinkFlags = CExtHyperLinkButton::LINK_PUSH_BUTTON | CExtHyperLinkButton::LINK_SHOW_VISITED;
    link.ways.clear();
    ASSERT_TRUE(orvtest::click(orvtest::screenPoint(link.m_hWnd, {200, 12}), link.m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return link.IsVisited(); }));
    EXPECT_EQ("", link.Ways());
    orvtest::pumpWaiting();
    EXPECT_EQ(nBefore, handlers.lines().size());
}

// 3. The command line made from a registered one: cut at the placeholder, the address quoted
//    with its quotes written %22, and a line over the bound refused whole.
TEST(LinkCommandLine, CutQuotedAndBounded)
{
    struct Case {
        const char* registered;
        std::string address;
        bool built;
        std::string line;
    } cases[] = {
        {"\"C:\\b.exe\" -x \"%1\" -y", "http://a", true, "\"C:\\b.exe\" -x  \"http://a\""},
        {"b.exe %1 -y", "http://a", true, "b.exe  \"http://a\""},
        {"b.exe %1 \"%1\"", "http://a", true, "b.exe %1  \"http://a\""},   // the quoted one first
        {"b.exe", "http://a", true, "b.exe \"http://a\""},
        {"b.exe %1", "a\"b\"", true, "b.exe  \"a%22b%22\""},
        {"b.exe %1", "a\" & calc \"", true, "b.exe  \"a%22 & calc %22\""},
        {"b.exe %1", "C:\\dir\\", true, "b.exe  \"C:\\dir\\\\\""},   // the closing quote stays one
        {"b.exe %1", "", true, "b.exe  \"\""},
        // "b.exe  \"" + address + "\"" is 9 characters besides the address
        {"b.exe %1", std::string(CExtHyperLinkButton::MAX_COMMAND_LINE - 9, 'x'), true, ""},
        {"b.exe %1", std::string(CExtHyperLinkButton::MAX_COMMAND_LINE - 8, 'x'), false, ""},
        {"b.exe %1", std::string(100000, 'x'), false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.registered) + " + " + c.address.substr(0, 40));
        CString strLine = "untouched";
        const std::string shown = c.address.size() > 100 ? "(long)" : c.address;
        SCOPED_TRACE(shown);
        EXPECT_EQ(c.built, CExtHyperLinkButton::BuildHandlerCommandLine(c.registered, c.address.c_str(), strLine));
        if (!c.built) {
            EXPECT_STREQ("untouched", strLine);
        } else if (!c.line.empty()) {
            EXPECT_EQ(c.line, std::string((LPCTSTR)strLine));
        } else {
            EXPECT_EQ(CExtHyperLinkButton::MAX_COMMAND_LINE, strLine.GetLength());
        }
    }
}

// 4. Registry values are read whole into a bounded buffer: up to 260 characters, text only.
TEST(LinkRegistry, ValuesAreReadWholeOrRefused)
{
    const char kKey[] = "orvtest.linkvalue";
    struct Case {
        DWORD type;
        std::string data;   // written with its terminator unless noTerminator
        bool noTerminator;
        bool read;
    } cases[] = {
        {REG_SZ, "htmlfile", false, true},
        {REG_SZ, std::string(260, 'v'), false, true},
        {REG_SZ, std::string(260, 'v'), true, true},   // a full buffer without its terminator
        {REG_SZ, std::string(259, 'v'), true, true},
        {REG_SZ, std::string(261, 'v'), false, false},
        {REG_SZ, std::string(5000, 'v'), false, false},
        {REG_EXPAND_SZ, "page", false, true},
        {REG_DWORD, std::string(4, '\x01'), true, false},
        {REG_BINARY, "binary", false, false},
        {REG_SZ, "", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " of " + std::to_string(c.data.size()));
        HKEY hKey = NULL;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL));
        ::RegSetValueExA(hKey, NULL, 0, c.type, (const BYTE*)c.data.c_str(), (DWORD)c.data.size() + (c.noTerminator ? 0 : 1));
        ::RegCloseKey(hKey);
        CString strValue;
        EXPECT_EQ(c.read, CExtHyperLinkButton::ReadClassesValue(kKey, strValue));
        if (c.read) {
            EXPECT_EQ(c.data, std::string((LPCTSTR)strValue));
        }
    }
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kKey);
    CString strValue;
    EXPECT_FALSE(CExtHyperLinkButton::ReadClassesValue(kKey, strValue));
}

// 5. Wine's Internet-shortcut object: it takes the address, but its InvokeCommand answers
//    E_NOTIMPL unless the flags are exactly 2 (use the default verb), so the link's call (flags
//    1, allow a user interface) never opens anything, whatever the record's size says.
TEST_F(LinkTest, WineInternetShortcutRefusesTheCallWithFlagsOne)
{
    static const GUID kClsid = {0xFBF23B40, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
    static const GUID kIid = {0xFBF23B80, 0xE3F0, 0x101B, {0x84, 0x88, 0x00, 0xAA, 0x00, 0x3E, 0x56, 0xF8}};
    IUniformResourceLocatorA* pURL = NULL;
    ASSERT_EQ(S_OK, ::CoCreateInstance(kClsid, NULL, CLSCTX_INPROC_SERVER, kIid, (void**)&pURL));
    ASSERT_EQ(S_OK, pURL->SetURL("orvlink:shortcut", IURL_SETURL_FL_GUESS_PROTOCOL));
    EXPECT_EQ(24u, sizeof(URLINVOKECOMMANDINFOA));
    const size_t nBefore = handlers.lines().size();
    struct Case {
        DWORD size, flags;
        const char* verb;
        HRESULT hr;
    } cases[] = {
        {sizeof(URLINVOKECOMMANDINFOA), IURL_INVOKECOMMAND_FL_ALLOW_UI, "open", E_NOTIMPL},
        {sizeof(URLINVOKECOMMANDINFOA), IURL_INVOKECOMMAND_FL_ALLOW_UI, "print", E_NOTIMPL},
        {sizeof(URLINVOKECOMMANDINFOA), 0, "open", E_NOTIMPL},
        {sizeof(URLINVOKECOMMANDINFOA), 3, NULL, E_NOTIMPL},
        {16, IURL_INVOKECOMMAND_FL_ALLOW_UI, "open", E_NOTIMPL},   // the size is not looked at
    };
    for (const Case& c : cases) {
        URLINVOKECOMMANDINFOA info = {};
        info.dwcbSize = c.size;
        info.dwFlags = c.flags;
        info.hwndParent = ::GetDesktopWindow();
        info.pcszVerb = c.verb;
        EXPECT_EQ(c.hr, pURL->InvokeCommand(&info)) << "size " << c.size << " flags " << c.flags;
    }
    EXPECT_EQ(nBefore, handlers.lines().size());
    // flags 2: the object opens the address through the shell (the protocol's handler)
    URLINVOKECOMMANDINFOA info = {};
    info.dwcbSize = sizeof info;
    info.dwFlags = IURL_INVOKECOMMAND_FL_USE_DEFAULT_VERB;
    info.hwndParent = ::GetDesktopWindow();
    EXPECT_EQ(S_OK, pURL->InvokeCommand(&info));
    pURL->Release();
    ASSERT_TRUE(handlers.waitForLines(nBefore + 1));
    EXPECT_EQ("shell \"orvlink:shortcut\"", handlers.lines().back());
}

// 6. The verbs: print takes the page handler's print command (a bare placeholder), edit has no
//    command in a fresh prefix and ends in failure, a number outside 0 to 2 skips the page handler
//    and gives the shell no verb (its default, open).
TEST_F(LinkTest, VerbsPickTheHandlersCommand)
{
    struct Case {
        const char* address;
        int verb;
        bool opened;
        std::string ways;
        std::string recorded;
    } cases[] = {
        {"www.example.test/print", CExtHyperLinkButton::VERB_PRINT, true, "page+", "page-print  \"www.example.test/print\""},
        {"www.example.test/edit", CExtHyperLinkButton::VERB_EDIT, false, "page- shortcut- shell-", ""},
        {"orvlink:verb/7", 7, true, "shortcut- shell+", "shell \"orvlink:verb/7\""},
        // the system's shell takes "www." for a web address of its own and opens it by http
        {"www.example.test/seven", 7, true, "page- shortcut- shell+", "shell \"http://www.example.test/seven\""},
        {"web.example.test/seven", 7, false, "page- shortcut- shell-", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        link.ways.clear();
        link.m_nLinkFlags &= ~CExtHyperLinkButton::LINK_VISITED;
        const size_t nBefore = handlers.lines().size();
        EXPECT_EQ(c.opened, link.Navigate(c.address, c.verb, false));
        EXPECT_EQ(c.ways, link.Ways());
        EXPECT_EQ(c.opened, link.IsVisited());
        if (c.opened) {
            ASSERT_TRUE(handlers.waitForLines(nBefore + 1));
            EXPECT_EQ(c.recorded, handlers.lines().back());
        } else {
            orvtest::pumpWaiting();
            EXPECT_EQ(nBefore, handlers.lines().size());
        }
    }
}

// 7. Asked to show errors, a web address that no way opens shows one message per failing
//    command-line or shell attempt (the shortcut object shows none); a click shows none.
TEST_F(LinkTest, ErrorMessagesOnlyWhenAsked)
{
    RestoreOpenCommand restore;
    SetClassesValue("htmlfile\\shell\\open\\command", "\"Z:\\no\\such\\browser.exe\" \"%1\"");
    bool bOpened = true;
    orvtest::Script script({{"navigate", [&] {
                                 bOpened = link.Navigate("web.example.test/missing", CExtHyperLinkButton::VERB_OPEN, true);
                                 return true;
                             }}});
    EXPECT_TRUE(script.run()) << script.failure;
    EXPECT_FALSE(bOpened);
    EXPECT_EQ("page- shortcut- shell-", link.Ways());
    ASSERT_EQ(2u, script.boxes.texts.size());
    for (const std::string& text : script.boxes.texts)
        EXPECT_EQ(0u, text.find("Unable to open hyper link:\n")) << text;
    EXPECT_EQ("Unable to open hyper link:\nFile was not found.", script.boxes.texts[0]);

    link.m_strURL = "web.example.test/missing";
    orvtest::Script clicked({{"click", [&] {
                                  Click();
                                  return true;
                              }}});
    EXPECT_TRUE(clicked.run()) << clicked.failure;
    EXPECT_EQ("page- shortcut- shell-", link.Ways());
    EXPECT_TRUE(clicked.boxes.texts.empty());
}

// 8. The link's colours and underline by state, painted by the link into a memory DC: blue,
//    purple once visited (only with the show-visited bit), red and underlined while hovered,
//    the paint manager's colour when disabled.
TEST_F(LinkTest, TextColourAndUnderlineFollowTheState)
{
    link.SetWindowText("Monitor home page");
    CRect rc;
    link.GetClientRect(&rc);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    unsigned int* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    auto count = [&](COLORREF clr) {
        const unsigned int bgrx = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        int n = 0;
        for (int i = 0; i < rc.Width() * rc.Height(); i++)
            n += (pBits[i] & 0xFFFFFF) == bgrx;
        return n;
    };
    // the longest run of one colour along a row: the underline
    auto longestRun = [&](COLORREF clr) {
        const unsigned int bgrx = (GetRValue(clr) << 16) | (GetGValue(clr) << 8) | GetBValue(clr);
        int best = 0;
        for (int y = 0; y < rc.Height(); y++)
            for (int x = 0, run = 0; x < rc.Width(); x++) {
                run = (pBits[y * rc.Width() + x] & 0xFFFFFF) == bgrx ? run + 1 : 0;
                best = std::max(best, run);
            }
        return best;
    };
    const COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kPurple = RGB(128, 0, 128);
    struct Case {
        const char* name;
        BYTE linkFlags;
        BYTE stateFlags;
        bool enabled;
        COLORREF colour;
        bool underlined;
    } cases[] = {
        {"normal", CExtHyperLinkButton::LINK_SHOW_VISITED, 0, true, kBlue, false},
        {"visited", CExtHyperLinkButton::LINK_SHOW_VISITED | CExtHyperLinkButton::LINK_VISITED, 0, true, kPurple, false},
        {"visited, not shown", CExtHyperLinkButton::LINK_VISITED, 0, true, kBlue, false},
        {"hover", CExtHyperLinkButton::LINK_SHOW_VISITED | CExtHyperLinkButton::LINK_VISITED, CExtButton::STATE_HOVER, true, kRed, true},
        {"pushed", 0, CExtButton::STATE_PUSHED, true, kRed, true},
        {"disabled", 0, 0, false, g_PaintManager->GetColor(16), false},
    };
    ::SetFocus(parent.m_hWnd);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        link.m_nLinkFlags = c.linkFlags;
        link.m_nStateFlags = (BYTE)((link.m_nStateFlags & ~(CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED)) | c.stateFlags);
        link.EnableWindow(c.enabled);
        link.PaintButton(dc, false);
        EXPECT_GT(count(c.colour), 20);
        for (COLORREF other : {kBlue, kRed, kPurple})
            if (other != c.colour) {
                EXPECT_EQ(0, count(other));
            }
        if (c.underlined) {
            EXPECT_GT(longestRun(c.colour), 60);
        } else {
            EXPECT_LT(longestRun(c.colour), 20);
        }
    }
    link.EnableWindow(TRUE);
    link.m_nStateFlags &= ~(CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hBitmap);
}

// 9. The focus rectangle hugs the text: for a short left-aligned text it ends after the text;
//    a text that does not fit ends in an ellipsis and its focus rectangle spans the whole width
//    (the deflated width plus the 2-pixel margins).
TEST_F(LinkTest, FocusRectangleFollowsTheText)
{
    CRect rc;
    link.GetClientRect(&rc);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = rc.Width();
    bmi.bmiHeader.biHeight = -rc.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    unsigned int* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&pBits, NULL, 0);
    ASSERT_TRUE(hBitmap != NULL);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBitmap);
    // pixels of a column that differ from the background (the corner pixel of a row with no text)
    auto marked = [&](int x) {
        const unsigned int bg = pBits[(rc.Height() - 1) * rc.Width() + rc.Width() / 2] & 0xFFFFFF;
        int n = 0;
        for (int y = 0; y < rc.Height(); y++)
            n += (pBits[y * rc.Width() + x] & 0xFFFFFF) != bg;
        return n;
    };
    link.SetFocus();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == link.m_hWnd; }));
    struct Case {
        std::string text;
        bool reachesRight;
    } cases[] = {{"short", false}, {std::string(40, 'W') + " does not fit", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        link.SetWindowText(c.text.c_str());
        link.PaintButton(dc, false);
        EXPECT_GT(marked(0), 5);   // the rectangle's left edge sits on the client's left edge
        EXPECT_EQ(c.reachesRight, marked(rc.Width() - 1) > 5);
    }
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hBitmap);
}
