// Command profiles: filling from menus and toolbar resources, icons, usage archives.
#include <orv/gtest.h>
#include <afxwin.h>
#include <algorithm>
#include <vector>
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtCmdProfile.h"
#include "ExtBitmapUtil.h"
#include "TestRegistryKey.h"
#include "core_test_resources.h"

namespace {

struct MenuItemSpec {
    const char* text;  // NULL: separator
    UINT id;           // 0 with children: popup
    std::vector<MenuItemSpec> children;
};

HMENU BuildMenu(const std::vector<MenuItemSpec>& items)
{
    HMENU h = ::CreatePopupMenu();
    for (const MenuItemSpec& it : items) {
        if (it.text == NULL)
            ::AppendMenuA(h, MF_SEPARATOR, 0, NULL);
        else if (!it.children.empty())
            ::AppendMenuA(h, MF_POPUP | MF_STRING, (UINT_PTR)BuildMenu(it.children), it.text);
        else
            ::AppendMenuA(h, MF_STRING, it.id, it.text);
    }
    return h;
}

std::vector<UINT> Ids(const CExtCmdProfile& p)
{
    CArray<UINT, UINT> a;
    p.GetCommandIDs(a);
    std::vector<UINT> v(a.GetData(), a.GetData() + a.GetSize());
    std::sort(v.begin(), v.end());
    return v;
}

CExtCmdIcon* SolidIcon(COLORREF clr)
{
    HBITMAP h = CExtBitmapUtil::CreateFilled32(4, 4, clr);
    return new CExtCmdIcon(h, RGB(255, 0, 255));
}

COLORREF IconColor(CExtCmdIcon* p)
{
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, p->GetBitmap());
    const COLORREF c = ::GetPixel(hdc, 1, 1);
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    return c;
}

std::vector<BYTE> Store(CExtCmdProfile& p)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        EXPECT_TRUE(p.Serialize(ar));
        ar.Close();
    }
    std::vector<BYTE> v((size_t)file.GetLength());
    file.SeekToBegin();
    file.Read(v.data(), (UINT)v.size());
    return v;
}

bool Load(CExtCmdProfile& p, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    return p.Serialize(ar);
}

void PutDword(std::vector<BYTE>& v, DWORD d)
{
    for (int i = 0; i < 4; ++i)
        v.push_back((BYTE)(d >> (8 * i)));
}

}  // namespace

TEST(CmdProfile, FillsFromMenuShapes)
{
    struct Case {
        const char* name;
        std::vector<MenuItemSpec> menu;
        bool recurse;
        std::vector<UINT> ids;
        UINT checkId;
        const char* menuText;
        const char* accelText;
    } cases[] = {
        {"caption and key", {{"&Open...\tCtrl+O", 11, {}}}, true, {11}, 11, "&Open...", "Ctrl+O"},
        {"last tab splits", {{" A\tB\t C ", 12, {}}}, true, {12}, 12, "A\tB", "C"},
        {"line breaks removed", {{"Two\r\nLines", 13, {}}}, true, {13}, 13, "TwoLines", ""},
        {"separator adds nothing", {{NULL, 0, {}}, {"X", 14, {}}}, true, {14}, 14, "X", ""},
        {"popup adds only its children",
         {{"&File", 0, {{"New", 21, {}}, {"Sub", 0, {{"Deep", 22, {}}}}}}},
         true,
         {21, 22},
         22,
         "Deep",
         ""},
        {"no recursion skips popups", {{"&File", 0, {{"New", 21, {}}}}, {"Top", 23, {}}}, false, {23}, 23, "Top", ""},
        {"empty text", {{"", 24, {}}}, true, {24}, 24, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtCmdProfile profile("p");
        HMENU h = BuildMenu(c.menu);
        EXPECT_TRUE(profile.UpdateFromMenu(h, false, c.recurse, false));
        ::DestroyMenu(h);
        EXPECT_EQ(c.ids, Ids(profile));
        CExtCmdItem* p = profile.GetCommand(c.checkId);
        ASSERT_NE(nullptr, p);
        EXPECT_STREQ(c.menuText, p->m_sMenuText);
        EXPECT_STREQ(c.accelText, p->m_sAccelText);
        EXPECT_EQ(&profile, p->m_pProfile);
    }
    CExtCmdProfile profile("p");
    HMENU hEmpty = ::CreatePopupMenu();
    EXPECT_TRUE(profile.UpdateFromMenu(hEmpty));
    ::DestroyMenu(hEmpty);
    EXPECT_FALSE(profile.UpdateFromMenu(NULL));
    EXPECT_FALSE(profile.UpdateFromMenu((HMENU)(UINT_PTR)0x1234));
}

TEST(CmdProfile, MenuResourceWithTextsAndReplace)
{
    CExtCmdProfile profile("p");
    ASSERT_TRUE(profile.UpdateFromMenuResource(IDR_MENU_BOTH));
    EXPECT_EQ((std::vector<UINT>{ID_CMD_OPEN, ID_CMD_SAVE, ID_CMD_RECENT}), Ids(profile));
    CExtCmdItem* pOpen = profile.GetCommand(ID_CMD_OPEN);
    EXPECT_STREQ("&Open...", pOpen->m_sMenuText);
    EXPECT_STREQ("Ctrl+O", pOpen->m_sAccelText);
    EXPECT_STREQ("Open", pOpen->m_sTipTool);
    EXPECT_STREQ("Opens an existing document", pOpen->m_sTipStatus);
    EXPECT_FALSE(profile.UpdateFromMenuResource(777));

    // without replace the stored texts stay and only empty ones are filled
    HMENU h = BuildMenu({{"Changed\tF3", ID_CMD_OPEN, {}}, {"Saving", ID_CMD_SAVE, {}}});
    profile.GetCommand(ID_CMD_SAVE)->m_sAccelText.Empty();
    profile.UpdateFromMenu(h, false, true, false);
    EXPECT_STREQ("&Open...", pOpen->m_sMenuText);
    EXPECT_STREQ("Ctrl+O", pOpen->m_sAccelText);
    // with replace non-empty texts overwrite, empty ones do not
    profile.UpdateFromMenu(h, true, true, false);
    ::DestroyMenu(h);
    EXPECT_STREQ("Changed", pOpen->m_sMenuText);
    EXPECT_STREQ("F3", pOpen->m_sAccelText);
    EXPECT_STREQ("Open", pOpen->m_sTipTool);
}

TEST(CmdProfile, ToolBarResourceCutsOneIconPerButton)
{
    CExtCmdProfile profile("p");
    UINT* pIDs = NULL;
    INT nCount = 0;
    ASSERT_TRUE(profile.UpdateFromToolBarResource(IDR_TOOLBAR, &pIDs, &nCount));
    ASSERT_EQ(3, nCount);
    EXPECT_EQ((std::vector<UINT>{ID_CMD_OPEN, 0, ID_CMD_SAVE}), std::vector<UINT>(pIDs, pIDs + 3));
    delete[] pIDs;
    ASSERT_EQ(2, profile.GetIconCount());
    CExtCmdIcon* pOpen = profile.GetCommandIcon(ID_CMD_OPEN);
    CExtCmdIcon* pSave = profile.GetCommandIcon(ID_CMD_SAVE);
    ASSERT_NE(nullptr, pOpen);
    ASSERT_NE(nullptr, pSave);
    EXPECT_EQ(CSize(16, 15), pOpen->GetSize());
    EXPECT_EQ(RGB(192, 192, 192), pOpen->GetTransparentColor());
    HDC hdc = ::CreateCompatibleDC(NULL);
    HGDIOBJ old = ::SelectObject(hdc, pOpen->GetBitmap());
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(hdc, 8, 7));  // cut from x = 0
    EXPECT_EQ(RGB(192, 192, 192), ::GetPixel(hdc, 0, 0));
    ::SelectObject(hdc, pSave->GetBitmap());
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(hdc, 8, 7));  // cut from x = 16
    ::SelectObject(hdc, old);
    ::DeleteDC(hdc);
    EXPECT_STREQ("Open", profile.GetCommand(ID_CMD_OPEN)->m_sTipTool);
    EXPECT_FALSE(profile.UpdateFromToolBarResource(0));
    EXPECT_FALSE(profile.UpdateFromToolBarResource(IDR_MENU_BOTH));  // no toolbar resource of that name
}

TEST(CmdProfile, ToolBarResourceWhoseBitmapCannotHoldItsButtonsIsRefused)
{
    const struct {
        const char* what;
        UINT id;
    } cases[] = {
        {"three buttons on a strip of two", IDR_TOOLBAR_NARROW},
        {"buttons higher than the strip", IDR_TOOLBAR_LOW},
        {"no button width", IDR_TOOLBAR_NO_SIZE},
    };
    for (const auto& c : cases) {
        CExtCmdProfile profile("p");
        CExtCmdItem known(ID_CMD_OPEN);
        ASSERT_TRUE(profile.SetCommand(&known));
        UINT* pIDs = (UINT*)&known;   // cleared on failure too
        INT nCount = 99;
        EXPECT_FALSE(profile.UpdateFromToolBarResource(c.id, &pIDs, &nCount, true)) << c.what;
        EXPECT_EQ(nullptr, pIDs) << c.what;
        EXPECT_EQ(0, nCount) << c.what;
        // nothing changed: no images, no new commands
        EXPECT_EQ(0, profile.GetIconCount()) << c.what;
        EXPECT_EQ(1, profile.GetCommandCount()) << c.what;
        EXPECT_EQ(nullptr, profile.GetCommandIcon(ID_CMD_OPEN)) << c.what;
    }
}

TEST(CmdProfile, RemovingACommandCompactsTheIconIndexes)
{
    CExtCmdProfile profile("p");
    const COLORREF colours[3] = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0)};
    for (UINT id = 1; id <= 3; ++id) {
        CExtCmdItem item(id);
        ASSERT_TRUE(profile.SetCommand(&item));
        ASSERT_TRUE(profile.SetCommandIcon(id, SolidIcon(colours[id - 1]), true));
    }
    bool removed = true;
    EXPECT_TRUE(profile.RemoveCommand(99, &removed));
    EXPECT_FALSE(removed);
    EXPECT_FALSE(profile.RemoveCommand(0, &removed));
    ASSERT_TRUE(profile.RemoveCommand(1, &removed));
    EXPECT_TRUE(removed);
    ASSERT_EQ(2, profile.GetIconCount());
    EXPECT_EQ(0, profile.GetCommand(2)->m_nIconIdx);
    EXPECT_EQ(1, profile.GetCommand(3)->m_nIconIdx);
    EXPECT_EQ(colours[2], IconColor(profile.GetCommandIcon(3)));

    // replacing, copying and removing an icon
    CExtCmdIcon* pGiven = SolidIcon(RGB(40, 0, 0));
    ASSERT_TRUE(profile.SetCommandIcon(2, pGiven, false));
    EXPECT_NE(pGiven, profile.GetCommandIcon(2));
    EXPECT_EQ(RGB(40, 0, 0), IconColor(profile.GetCommandIcon(2)));
    delete pGiven;
    CExtCmdIcon empty;
    ASSERT_TRUE(profile.SetCommandIcon(2, &empty, false));  // empty: removes
    EXPECT_EQ(-1, profile.GetCommand(2)->m_nIconIdx);
    EXPECT_EQ(0, profile.GetCommand(3)->m_nIconIdx);
    EXPECT_FALSE(profile.SetCommandIcon(50, SolidIcon(0), true));
}

TEST(CmdProfile, AllocAndSetCommand)
{
    CExtCmdProfile profile("p");
    CExtCmdItem a(0xFFFE), b(0xFFFD);
    profile.SetCommand(&a);
    profile.SetCommand(&b);
    CExtCmdItem* p = profile.AllocCommand(0);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(0xFFFCu, p->m_nCmdID);
    EXPECT_EQ(nullptr, profile.AllocCommand(0xFFFE));
    EXPECT_EQ(3, profile.GetCommandCount());
    CExtCmdItem bad(0);
    bool added = true;
    EXPECT_FALSE(profile.SetCommand(&bad, false, &added));
    EXPECT_FALSE(added);
    CExtCmdItem neg(0x80000000u);
    EXPECT_FALSE(profile.SetCommand(&neg));

    const UINT visible[] = {0xFFFE, 0xF020, 0xFFFD, 0};
    EXPECT_FALSE(profile.SetCommandsAlwaysVisible(visible));
    EXPECT_TRUE(profile.GetCommand(0xFFFD)->IsAlwaysVisible());
    const UINT known[] = {0xFFFC, 0};
    EXPECT_TRUE(profile.SetCommandsAlwaysVisible(known));
    EXPECT_FALSE(profile.SetCommandsAlwaysVisible(NULL));

    profile.GetCommand(0xFFFC)->m_dwStateFlags |= 0x40;
    profile.GetCommand(0xFFFD)->m_dwStateFlags |= 0x41;
    profile.RemoveCommandsByFlags(0x41, true);
    EXPECT_EQ((std::vector<UINT>{0xFFFC, 0xFFFE}), Ids(profile));
    profile.RemoveCommandsByFlags(0x41, false);
    EXPECT_EQ((std::vector<UINT>{0xFFFE}), Ids(profile));
}

TEST(CmdProfile, AStoredCopyNeverPointsAtAnotherProfilesIcon)
{
    CExtCmdProfile source("source"), target("target");
    for (UINT id = 1; id <= 2; ++id) {
        CExtCmdItem item(id);
        source.SetCommand(&item);
        source.SetCommandIcon(id, SolidIcon(RGB(id * 50, 0, 0)), true);
    }
    // a new copy and a replacing copy from another profile bring no icon index with them
    ASSERT_TRUE(target.SetCommand(source.GetCommand(2)));
    EXPECT_EQ(-1, target.GetCommand(2)->m_nIconIdx);
    EXPECT_EQ(nullptr, target.GetCommandIcon(2));
    CExtCmdItem plain(1);
    target.SetCommand(&plain);
    target.SetCommandIcon(1, SolidIcon(RGB(0, 0, 200)), true);
    ASSERT_TRUE(target.SetCommand(source.GetCommand(2), true));
    ASSERT_TRUE(target.SetCommand(source.GetCommand(1), true));
    EXPECT_EQ(0, target.GetCommand(1)->m_nIconIdx);
    EXPECT_EQ(RGB(0, 0, 200), IconColor(target.GetCommandIcon(1)));
    EXPECT_EQ(nullptr, target.GetCommandIcon(2));

    // a whole-profile copy keeps indexes and icons together
    CExtCmdProfile copy;
    copy.AssignFrom(source);
    EXPECT_STREQ("source", copy.m_sName);
    ASSERT_EQ(2, copy.GetIconCount());
    EXPECT_EQ(RGB(100, 0, 0), IconColor(copy.GetCommandIcon(2)));
    EXPECT_NE(source.GetCommandIcon(2), copy.GetCommandIcon(2));
    EXPECT_EQ(&copy, copy.GetCommand(2)->m_pProfile);
}

TEST(CmdProfile, UsageArchiveRoundTripIsByteExact)
{
    CExtCmdProfile profile("p");
    for (UINT id : {5u, 6u, 7u, 0xF020u}) {
        CExtCmdItem item(id);
        profile.SetCommand(&item);
    }
    profile.GetCommand(5)->m_nUsageTickCount = 3;
    profile.GetCommand(6)->m_nUsageTickCount = 0;  // not stored
    profile.GetCommand(7)->m_nUsageTickCount = 9;
    profile.GetCommand(0xF020)->m_nUsageTickCount = 4;  // system command: not stored
    profile.m_nTotalTickCount = 12;
    const std::vector<BYTE> bytes = Store(profile);

    std::vector<BYTE> expected;
    const char header[] = "Orvel-UI (v. 2.2.7.1) command profile";
    expected.push_back((BYTE)(sizeof(header) - 1));
    expected.insert(expected.end(), header, header + sizeof(header) - 1);
    PutDword(expected, 0x02020701);
    PutDword(expected, 0x0202);
    for (int i = 0; i < 4; ++i)
        PutDword(expected, 0);
    PutDword(expected, 12);
    // the map's walk: bucket 0 holds 5, 6 and 7, the latest added first (6 has no usage)
    PutDword(expected, 7);
    PutDword(expected, 9);
    PutDword(expected, 5);
    PutDword(expected, 3);
    PutDword(expected, 0);
    EXPECT_EQ(0x25, bytes[0]);
    EXPECT_EQ(expected, bytes);

    CExtCmdProfile other("p");
    for (UINT id : {5u, 6u, 7u}) {
        CExtCmdItem item(id);
        other.SetCommand(&item);
    }
    ASSERT_TRUE(Load(other, bytes));
    EXPECT_EQ(12u, other.m_nTotalTickCount);
    EXPECT_EQ(3u, other.GetCommand(5)->GetUsageCount());
    EXPECT_EQ(9u, other.GetCommand(7)->GetUsageCount());
    EXPECT_EQ(bytes, Store(other));
}

TEST(CmdProfile, BadOrTruncatedArchivesLeaveTheProfileAsItWas)
{
    CExtCmdProfile profile("p");
    CExtCmdItem item(5);
    profile.SetCommand(&item);
    profile.GetCommand(5)->m_nUsageTickCount = 8;
    profile.m_nTotalTickCount = 8;
    CExtCmdProfile writer("w");
    writer.SetCommand(&item);
    writer.GetCommand(5)->m_nUsageTickCount = 2;
    CExtCmdItem more(6);
    writer.SetCommand(&more);
    writer.GetCommand(6)->m_nUsageTickCount = 1;
    writer.m_nTotalTickCount = 3;
    const std::vector<BYTE> whole = Store(writer);

    for (size_t cut : {whole.size() - 1, whole.size() - 4, whole.size() - 9, (size_t)50, (size_t)10, (size_t)0}) {
        SCOPED_TRACE(cut);
        EXPECT_FALSE(Load(profile, std::vector<BYTE>(whole.begin(), whole.begin() + cut)));
        EXPECT_EQ(8u, profile.m_nTotalTickCount);
        EXPECT_EQ(8u, profile.GetCommand(5)->GetUsageCount());
    }
    std::vector<BYTE> wrongVersion = whole;
    wrongVersion[1 + 0x25 + 4] = 0x03;  // short version 0x0203
    EXPECT_FALSE(Load(profile, wrongVersion));
    EXPECT_EQ(8u, profile.m_nTotalTickCount);

    // a record with only the header, versions, reserved words, total and end mark sets the total
    CExtCmdProfile emptyWriter("e");
    emptyWriter.m_nTotalTickCount = 44;
    ASSERT_TRUE(Load(profile, Store(emptyWriter)));
    EXPECT_EQ(44u, profile.m_nTotalTickCount);
    EXPECT_EQ(8u, profile.GetCommand(5)->GetUsageCount());

    // a stored command the profile does not hold is skipped
    ASSERT_TRUE(Load(profile, whole));
    EXPECT_EQ(3u, profile.m_nTotalTickCount);
    EXPECT_EQ(2u, profile.GetCommand(5)->GetUsageCount());
    EXPECT_EQ(nullptr, profile.GetCommand(6));
}

TEST(CmdProfile, RegistryRoundTrip)
{
    TestRegistryKey reg;
    CExtCmdProfile profile("main frame");
    CExtCmdItem item(5);
    profile.SetCommand(&item);
    profile.GetCommand(5)->m_nUsageTickCount = 6;
    profile.m_nTotalTickCount = 6;
    ASSERT_TRUE(profile.SerializeToRegistry(reg.company(), "App", true));
    EXPECT_TRUE(reg.exists());

    profile.GetCommand(5)->m_nUsageTickCount = 0;
    profile.m_nTotalTickCount = 0;
    ASSERT_TRUE(profile.SerializeToRegistry(reg.company(), "App", false));
    EXPECT_EQ(6u, profile.m_nTotalTickCount);
    EXPECT_EQ(6u, profile.GetCommand(5)->GetUsageCount());

    CExtCmdProfile stranger("nobody");
    EXPECT_FALSE(stranger.SerializeToRegistry(reg.company(), "App", false));

    // the stored bytes are the archive record under the profile's key
    CMemFile file;
    ASSERT_TRUE(RegistryArchiveRead(file, RegistryKeyPath("CommandManager", "main frame", reg.company(), "App")));
    EXPECT_EQ(Store(profile).size(), (size_t)file.GetLength());
}
