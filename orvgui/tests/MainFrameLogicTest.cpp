// The main frame's rules that need no window: which item commands are enabled for a selection,
// and the bar-layout file (missing, damaged, loaded; a save that fails keeps the old file).
#include "orv/gtest.h"

#include <afxwin.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "BarLayoutFile.h"
#include "MainFrameCommandStates.h"
#include "orv/TestEnv.h"
#include "resource.h"

namespace {

typedef std::map<UINT, bool> States;

States AsMap(const std::vector<CommandState>& states)
{
    States map;
    for (const CommandState& state : states) {
        EXPECT_EQ(0u, map.count(state.id)) << "command " << state.id << " set twice";
        map[state.id] = state.enabled;
    }
    return map;
}

CommandSelection Item(int type, bool active = true, bool busy = false)
{
    CommandSelection selection;
    selection.selected = true;
    selection.type = type;
    selection.active = active;
    selection.busy = busy;
    return selection;
}

const int kPing = 0, kHttp = 1, kHttps = 2, kSmtp = 3, kPort = 6;

// ---- the tool bar ----

TEST(MainFrameCommandStates, ToolBarPerSelection)
{
    const struct {
        const char* name;
        bool enable;
        CommandSelection selection;
        size_t items;
        // expected: properties, delete, run now, suspend, activate, clear, log, run all
        bool properties, run_now, suspend, activate, run_all;
    } cases[] = {
        {"no item at all", false, CommandSelection(), 0, false, false, false, false, false},
        {"first item added, none selected", false, CommandSelection(), 1, false, false, false, false, true},
        {"an active Ping item", true, Item(kPing), 2, true, true, true, false, true},
        {"an active HTTP item", true, Item(kHttp), 2, true, true, true, false, true},
        {"a suspended item", true, Item(kPort, false), 2, true, false, false, true, true},
        {"a busy item", true, Item(kPort, true, true), 2, true, false, true, false, true},
        {"a suspended busy item", true, Item(kPort, false, true), 2, true, false, false, true, true},
        {"selection lost with items left", false, Item(kPort), 3, false, false, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        States states = AsMap(MainFrameCommandStates::toolBar(c.enable, c.selection, c.items));
        EXPECT_EQ(c.properties, states.at(ID_PROPERTIES_TB));
        EXPECT_EQ(c.properties, states.at(ID_DELETE_TB));
        EXPECT_EQ(c.properties, states.at(ID_CLEAR_STATS_TB));
        EXPECT_EQ(c.properties, states.at(ID_VIEW_LOG_TB));
        EXPECT_EQ(c.properties, states.at(ID_REPORT_MANAGER_TB));
        EXPECT_EQ(c.properties, states.at(ID_DEFAULT_REPORT_TB));
        EXPECT_EQ(c.run_now, states.at(ID_RUN_NOW_TB));
        EXPECT_EQ(c.suspend, states.at(ID_SUSPEND_TB));
        EXPECT_EQ(c.activate, states.at(ID_ACTIVATE_TB));
        EXPECT_EQ(c.run_all, states.at(ID_RUN_ALL_TB));
        EXPECT_EQ(0u, states.count(ID_NEW_ITEM_TB)) << "adding an item is always possible";
    }
}

// ---- the menus ----

TEST(MainFrameCommandStates, MenusPerSelection)
{
    const UINT kFollowing[] = {ID_PROPERTIES, ID_DELETE,       ID_SUSPEND,        ID_ACTIVATE,
                               ID_CLEAR_STATS, ID_RESET_ALARM, ID_VIEW_LOG,       ID_LAST_RESPONSE,
                               ID_REPORT_MANAGER, ID_DEFAULT_REPORT};
    const struct {
        const char* name;
        bool enable;
        CommandSelection selection;
        bool lastPage;
    } cases[] = {
        {"no item", false, CommandSelection(), false},
        {"a Ping item", true, Item(kPing), false},
        {"an HTTP item", true, Item(kHttp), true},
        {"an HTTPS item", true, Item(kHttps), true},
        {"an SMTP item", true, Item(kSmtp), false},
        {"a suspended HTTP item", true, Item(kHttp, false), true},
        // the page follows the selection, not the argument
        {"an HTTP item while the commands are switched off", false, Item(kHttp), true},
        {"a Port item while the commands are switched on", true, Item(kPort), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        States states = AsMap(MainFrameCommandStates::menuItems(c.enable, c.selection));
        for (UINT id : kFollowing)
            EXPECT_EQ(c.enable, states.at(id)) << id;
        EXPECT_EQ(c.lastPage, states.at(ID_LAST_PAGE));
        for (UINT id : {ID_NEW_ITEM, ID_APP_EXIT_ITEM, ID_PREFERENCES, ID_INTERNET_OPTIONS, ID_RESET_ALL_ALARMS})
            EXPECT_EQ(0u, states.count(id)) << id << " does not depend on the selection";
    }
}

TEST(MainFrameCommandStates, ContextMenuAndRunNow)
{
    for (bool selected : {false, true}) {
        States states = AsMap(MainFrameCommandStates::contextMenu(selected));
        for (UINT id : {ID_CTX_PROPERTIES, ID_CTX_DELETE, ID_CTX_RUN_NOW, ID_CTX_SUSPEND, ID_CTX_ACTIVATE,
                        ID_CTX_CLEAR_STATS})
            EXPECT_EQ(selected, states.at(id)) << id;
        EXPECT_EQ(0u, states.count(ID_CTX_RUN_ALL)) << "Run all now does not need a selection";
    }
    const struct {
        CommandSelection selection;
        bool enabled;
    } cases[] = {{Item(kPort), true}, {Item(kPort, true, true), false}, {Item(kPort, false), false}};
    for (const auto& c : cases)
        EXPECT_EQ(c.enabled, MainFrameCommandStates::runNowEnabled(c.selection))
            << "active " << c.selection.active << " busy " << c.selection.busy;
}

// ---- the bar-layout file ----

class BarLayoutFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = orvtest::makeScratchFolder("orvgui_bar_layout") + "\\";
        path = (folder + "gui_profile.cfg").c_str();
    }
    std::string Contents(const CString& file) { return orvtest::readFile(std::string((LPCTSTR)file)); }
    static void Write(const CString& file, const std::string& text)
    {
        HANDLE h = ::CreateFileA(file, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        DWORD written = 0;
        ::WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
        ::CloseHandle(h);
    }
    static bool Exists(const CString& file) { return ::GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES; }

    static bool WriteLayout(CArchive& ar, const char* text)
    {
        ar << CString(text);
        return true;
    }

    std::string folder;
    CString path;
};

TEST_F(BarLayoutFileTest, SavedLayoutLoadsBack)
{
    ASSERT_TRUE(BarLayoutFile::Save(path, [](CArchive& ar) { return WriteLayout(ar, "bars at the top"); }));
    EXPECT_FALSE(Exists(BarLayoutFile::TemporaryPath(path)));
    CString read;
    EXPECT_EQ(BarLayoutFile::Loaded, BarLayoutFile::Load(path, [&](CArchive& ar) {
                  ar >> read;
                  return true;
              }));
    EXPECT_STREQ("bars at the top", read);
    // a second save puts a new file in place of the first (a handle on the old one still reads it)
    orvtest::HeldFile old(std::string((LPCTSTR)path));
    const std::string first = Contents(path);
    ASSERT_TRUE(BarLayoutFile::Save(path, [](CArchive& ar) { return WriteLayout(ar, "bars on the left"); }));
    BarLayoutFile::Load(path, [&](CArchive& ar) {
        ar >> read;
        return true;
    });
    EXPECT_STREQ("bars on the left", read);
    EXPECT_EQ(first, old.read());
}

TEST_F(BarLayoutFileTest, LoadTellsMissingFromDamaged)
{
    bool called = false;
    EXPECT_EQ(BarLayoutFile::Missing, BarLayoutFile::Load(path, [&](CArchive&) { return called = true; }));
    EXPECT_FALSE(called) << "nothing is read from a file that is not there";

    const struct {
        const char* name;
        std::string contents;
        bool accepted;   // what the reader says of what it read
    } cases[] = {
        {"refused by the reader", std::string("\x05garbage", 8), false},
        {"ends early", std::string("\x20short", 6), true},
        {"empty", std::string(), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(path, c.contents);
        EXPECT_EQ(BarLayoutFile::Damaged, BarLayoutFile::Load(path, [&](CArchive& ar) {
                      CString text;
                      ar >> text;   // a string longer than the file throws
                      DWORD more = 0;
                      ar >> more;
                      return c.accepted;
                  }));
    }
}

TEST_F(BarLayoutFileTest, FailedSaveKeepsTheOldFile)
{
    ASSERT_TRUE(BarLayoutFile::Save(path, [](CArchive& ar) { return WriteLayout(ar, "the good layout"); }));
    const std::string good = Contents(path);
    const struct {
        const char* name;
        BarLayoutFile::Serializer write;
    } cases[] = {
        {"the writer refuses", [](CArchive& ar) {
             ar << CString("half a layout");
             return false;
         }},
        {"the writer throws", [](CArchive& ar) -> bool {
             ar << CString("half a layout");
             AfxThrowArchiveException(CArchiveException::genericException);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(BarLayoutFile::Save(path, c.write));
        EXPECT_EQ(good, Contents(path));
        EXPECT_FALSE(Exists(BarLayoutFile::TemporaryPath(path)));
    }
    // a file that cannot be made: the folder is not there
    EXPECT_FALSE(BarLayoutFile::Save((folder + "missing\\gui_profile.cfg").c_str(),
                                     [](CArchive& ar) { return WriteLayout(ar, "x"); }));
    EXPECT_EQ(good, Contents(path));
}

}  // namespace
