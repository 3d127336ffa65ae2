// Command items: state flags, system ranges, usage statistics, texts from resources, command UI.
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtCmdItem.h"
#include "CExtCmdItemUI.h"
#include "CExtCmdProfile.h"
#include "core_test_resources.h"

TEST(CmdItem, CheckRadioAndIndeterminateExcludeEachOther)
{
    CExtCmdItem item(10);
    item.SetCheck(true);
    item.SetRadio(true);
    EXPECT_EQ(CExtCmdItem::STATE_RADIO, item.m_dwStateFlags);
    item.SetIndeterminate(true);
    EXPECT_TRUE(item.IsIndeterminate());
    EXPECT_FALSE(item.IsRadio());
    item.SetCheck(false);
    EXPECT_EQ(0u, item.m_dwStateFlags);
    item.Enable(false);
    EXPECT_EQ(CExtCmdItem::STATE_DISABLED, item.m_dwStateFlags);
    EXPECT_FALSE(item.IsEnabled());
    item.SetStateBit21(true);
    item.SetStateBit6(true);
    EXPECT_EQ(CExtCmdItem::STATE_DISABLED | 0x00200000u | 0x40u, item.m_dwStateFlags);
    item.SetStateBit21(false);
    EXPECT_FALSE(item.GetStateBit21());
}

TEST(CmdItem, SystemRangesAreAlwaysVisibleAndNeverFrozen)
{
    struct Case {
        UINT id;
        bool system;
    } cases[] = {{0xFF00, true},  {0xFF09, true}, {0xFF0A, false}, {0xE110, true},  {0xE11F, true},
                 {0xE120, false}, {0xF000, true}, {0xF1EF, true},  {0xF1F0, false}, {0xE210, true},
                 {0xE21F, true},  {0xE20F, false}, {100, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CExtCmdItem item(c.id);
        item.SetUsageFrozen(true);
        EXPECT_EQ(c.system, item.IsAlwaysVisible());
        EXPECT_EQ(!c.system, item.IsUsageFrozen());
    }
}

TEST(CmdItem, UsageCountsPercentagesAndStorage)
{
    CExtCmdProfile profile("p");
    CExtCmdItem a(1), b(2), sys(0xF020);
    ASSERT_TRUE(profile.SetCommand(&a));
    ASSERT_TRUE(profile.SetCommand(&b));
    ASSERT_TRUE(profile.SetCommand(&sys));
    CExtCmdItem* pA = profile.GetCommand(1);
    CExtCmdItem* pB = profile.GetCommand(2);
    CExtCmdItem* pSys = profile.GetCommand(0xF020);

    // with a total of 0 every command that is not always visible is rarely used
    EXPECT_EQ(0u, pA->GetUsagePercent());
    EXPECT_TRUE(pA->IsRarelyUsed());
    EXPECT_FALSE(pSys->IsRarelyUsed());

    for (int i = 0; i < 9; ++i)
        pA->IncrementUsageCount();
    pB->IncrementUsageCount();
    pSys->IncrementUsageCount();  // always visible: not counted
    EXPECT_EQ(10u, profile.m_nTotalTickCount);
    EXPECT_EQ(90u, pA->GetUsagePercent());
    EXPECT_EQ(10u, pB->GetUsagePercent());
    EXPECT_FALSE(pB->IsRarelyUsed());  // 10 is not below 10
    pB->SetRarelyUsedPercent(250);
    EXPECT_EQ(100u, profile.m_nRarelyUsedPercent);
    EXPECT_TRUE(pA->IsRarelyUsed());
    pB->SetRarelyUsedPercent(10);

    pB->SetUsageFrozen(true);
    pB->IncrementUsageCount();
    EXPECT_EQ(1u, pB->GetUsageCount());
    pB->ResetUsageCount();
    EXPECT_EQ(1u, pB->GetUsageCount());
    EXPECT_FALSE(pB->IsUsageStored());
    EXPECT_TRUE(pA->IsUsageStored());
    pA->SetStateBit6(true);
    EXPECT_FALSE(pA->IsUsageStored());

    // counts from a stored archive can be large: the percentage is computed in 64 bits
    pA->m_nUsageTickCount = 3000000000u;
    profile.m_nTotalTickCount = 4000000000u;
    EXPECT_EQ(75u, pA->GetUsagePercent());

    // the total reaching 0xFFFFFFFE halves the total and every count
    pA->SetStateBit6(false);
    profile.m_nTotalTickCount = 0xFFFFFFFDu;
    pA->m_nUsageTickCount = 101;
    pA->IncrementUsageCount();
    EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalTickCount);
    EXPECT_EQ(51u, pA->GetUsageCount());
    EXPECT_EQ(0u, pB->GetUsageCount());  // 1 halved
}

TEST(CmdItem, TextsFromStringResources)
{
    struct Case {
        UINT id;
        bool ok;
        const char* status;
        const char* tip;
    } cases[] = {
        {ID_CMD_OPEN, true, "Opens an existing document", "Open"},
        {ID_CMD_SAVE, true, "Saves the document", ""},
        {ID_CMD_TIPS, true, "Status  part", "Tool tip"},
        {IDS_MISSING, false, "", ""},
        {0, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CExtCmdItem item(c.id);
        item.m_sTipTool = "old tip";
        EXPECT_EQ(c.ok, item.UpdateTextsFromResource());
        EXPECT_STREQ(c.status, item.m_sTipStatus);
        EXPECT_STREQ(c.tip, item.m_sTipTool);
    }
}

TEST(CmdItem, CopiesAndMerges)
{
    CExtCmdItem a(5);
    a.m_sMenuText = "Menu";
    a.m_sToolbarText = "Bar";
    a.m_nIconIdx = 3;
    a.m_nLParam = 77;
    a.m_nUsageTickCount = 4;
    CExtCmdItem copy(a);
    EXPECT_EQ(5u, copy.m_nCmdID);
    EXPECT_EQ(3, copy.m_nIconIdx);
    EXPECT_EQ(77u, copy.m_nLParam);
    EXPECT_EQ(4u, copy.m_nUsageTickCount);

    CExtCmdItem b(5);
    b.m_sMenuText = "Other";
    b.m_sTipTool = "Tip";
    b.FillMissingFrom(a);
    EXPECT_STREQ("Other", b.m_sMenuText);
    EXPECT_STREQ("", b.m_sToolbarText);  // never taken by FillMissingFrom
    EXPECT_EQ(3, b.m_nIconIdx);
    b.AssignNonEmpty(a);
    EXPECT_STREQ("Menu", b.m_sMenuText);
    EXPECT_STREQ("Bar", b.m_sToolbarText);
    EXPECT_STREQ("Tip", b.m_sTipTool);

    CExtCmdItem t(6);
    EXPECT_STREQ("", t.GetText());
    t.m_sToolbarText = "bar";
    EXPECT_STREQ("bar", t.GetText());
    t.m_sTipTool = "tip";
    EXPECT_STREQ("tip", t.GetText());
    t.m_sMenuText = "menu";
    EXPECT_STREQ("menu", t.GetDisplayText());
}

namespace {

class UpdateTarget : public CCmdTarget {
public:
    int check = 1;
    void OnUpdateOpen(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(check);
        pCmdUI->SetText("Renamed");
    }
    void OnSave() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdateTarget, CCmdTarget)
    ON_UPDATE_COMMAND_UI(ID_CMD_OPEN, OnUpdateOpen)
    ON_COMMAND(ID_CMD_SAVE, OnSave)
END_MESSAGE_MAP()

}  // namespace

TEST(CmdItem, CommandUpdatesThroughTheFrameworkRouting)
{
    UpdateTarget target;
    CExtCmdItem open(ID_CMD_OPEN);
    EXPECT_TRUE(open.UpdateFromCmdTarget(&target));
    EXPECT_FALSE(open.IsEnabled());
    EXPECT_TRUE(open.IsChecked());
    EXPECT_STREQ("Renamed", open.m_sMenuText);
    target.check = 2;
    open.UpdateFromCmdTarget(&target);
    EXPECT_TRUE(open.IsIndeterminate());
    EXPECT_FALSE(open.IsChecked());

    // no update handler: enabled when a command handler exists, else disabled
    CExtCmdItem save(ID_CMD_SAVE), none(999);
    save.Enable(false);
    EXPECT_FALSE(save.UpdateFromCmdTarget(&target));
    EXPECT_TRUE(save.IsEnabled());
    EXPECT_FALSE(none.UpdateFromCmdTarget(&target));
    EXPECT_FALSE(none.IsEnabled());
    // window system commands are simply enabled
    CExtCmdItem close(SC_CLOSE);
    close.Enable(false);
    EXPECT_TRUE(close.UpdateFromCmdTarget(&target));
    EXPECT_TRUE(close.IsEnabled());

    CExtCmdItemUI ui(&none);
    EXPECT_EQ(999u, ui.m_nID);
    ui.SetRadio(TRUE);
    EXPECT_TRUE(none.IsRadio());
}
