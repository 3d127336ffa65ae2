// The item view-model: the cell text of every column id from fixed records (in a fixed time zone,
// set by the test's environment), the column order and captions, and the wrapper list.
#include "orv/gtest.h"

#include "ColumnIdSequence.h"
#include "GuiTestSupport.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"

namespace {

// 1700000000 is 2023-11-14 22:13:20 UTC; the test runs with TZ=Asia/Kolkata (UTC+05:30).
const std::time_t kFailure = 1700000000;
const std::time_t kSuccess = 1700003600;
const std::time_t kNextRun = 1700007200;

class MonitorItemWrapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        guitest::scratchProfileFolder();
        ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
        item_ = MonitorItemManager::instance()->createTemporaryItem("cells");
        ItemGeneralSettings& general = item_->getGeneral();
        general.name = "Shop";
        general.address = "shop.example.test";
        general.interval = 5;
        general.intervalUnit = UnitMinutes;
        general.type = ItemHttps;
        ItemStatus& status = item_->getStatus();
        status.totalChecks = 7;
        status.failedChecks = 2;
        status.lastFailureTime = kFailure;
        status.lastSuccessTime = kSuccess;
        status.nextRunTime = kNextRun;
        status.lastResponseMs = 1999;
        status.averageResponseMs = 2500.9f;
        status.lastMessage = "HTTP/1.1 200 OK";
        status.consecutiveFailures = 0;
        status.consecutiveSuccesses = 5;
        status.active = true;
        status.busy = 0;
        status.failed = 0;
    }
    void TearDown() override
    {
        ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
        MonitorItemManager::instance()->deleteTemporaryItem(item_);
    }

    MonitorItemSettings* item_ = nullptr;
};

}  // namespace

TEST_F(MonitorItemWrapperTest, EveryColumnIdGivesItsCellText)
{
    MonitorItemWrapper wrapper(item_);
    const struct {
        int id;
        const char* text;
    } cells[] = {
        {144, "2"},
        {145, "Down"},
        {146, "Shop"},
        {147, "shop.example.test"},
        {148, "5 Minutes"},
        {149, "Sleeping"},
        {151, "1 seconds"},
        {153, "2 seconds"},
        {154, "7"},
        {155, "28.57"},
        {156, ""},
        {157, "05:43:20, Wednesday, November 15, 2023"},
        {158, ""},
        {159, "HTTP/1.1 200 OK"},
        {160, "2"},
        {161, "HTTPS (Secure page download)"},
        {162, "03:43:20, Wednesday, November 15, 2023"},
        {163, "04:43:20, Wednesday, November 15, 2023"},
        {166, "0"},
        {167, "5"},
        {150, ""},
        {143, ""},
        {168, ""},
    };
    for (const auto& cell : cells)
        EXPECT_EQ(cell.text, wrapper.getColumnText(cell.id)) << "column " << cell.id;
}

TEST_F(MonitorItemWrapperTest, CellsFollowTheItemsStateAndTheProfilesTimeUnit)
{
    MonitorItemWrapper wrapper(item_);
    ItemStatus& status = item_->getStatus();
    struct Case {
        const char* what;
        bool active;
        int busy, failed, unit, intervalUnit, type;
        const char* status, *action, *nextRun, *last, *avg, *frequency, *watchType;
    } cases[] = {
        {"suspended", false, 0, 0, 0, UnitSeconds, ItemPing, "0", "Suspended", "N/A", "1 seconds",
         "2 seconds", "5 Seconds", "Ping"},
        {"running, failed, milliseconds", true, 1, 1, 1, UnitDays, ItemPort, "1", "Running",
         "05:43:20, Wednesday, November 15, 2023", "1999 miliseconds", "2500 miliseconds", "5 Days",
         "Port"},
        {"unknown unit and type", true, 0, 0, 0, 9, 7, "2", "Sleeping",
         "05:43:20, Wednesday, November 15, 2023", "1 seconds", "2 seconds", "5 ", ""},
    };
    for (const Case& c : cases) {
        status.active = c.active;
        status.busy = c.busy;
        status.failed = c.failed;
        item_->getGeneral().intervalUnit = c.intervalUnit;
        item_->getGeneral().type = c.type;
        ProfileStore::instance()->setInt(ProfileTimeUnit, c.unit);
        EXPECT_EQ(c.status, wrapper.getColumnText(144)) << c.what;
        EXPECT_EQ(c.action, wrapper.getColumnText(149)) << c.what;
        EXPECT_EQ(c.nextRun, wrapper.getColumnText(157)) << c.what;
        EXPECT_EQ(c.last, wrapper.getColumnText(151)) << c.what;
        EXPECT_EQ(c.avg, wrapper.getColumnText(153)) << c.what;
        EXPECT_EQ(c.frequency, wrapper.getColumnText(148)) << c.what;
        EXPECT_EQ(c.watchType, wrapper.getColumnText(161)) << c.what;
    }
}

TEST_F(MonitorItemWrapperTest, ANewItemShowsNoChecksAndNoTimes)
{
    MonitorItemSettings* fresh = MonitorItemManager::instance()->createTemporaryItem("fresh");
    MonitorItemWrapper wrapper(fresh);
    EXPECT_EQ("0", wrapper.getColumnText(154));
    EXPECT_EQ("0.00", wrapper.getColumnText(155));
    EXPECT_EQ("N/A", wrapper.getColumnText(162));
    EXPECT_EQ("N/A", wrapper.getColumnText(163));
    EXPECT_EQ("N/A", wrapper.getColumnText(157));
    EXPECT_EQ("0", wrapper.getColumnText(144));
    EXPECT_TRUE(wrapper.isVisible());
    wrapper.setVisible(false);
    EXPECT_FALSE(wrapper.isVisible());
    MonitorItemManager::instance()->deleteTemporaryItem(fresh);
}

TEST(ColumnIdSequence, WalksTheColumnsInOrderAndFindsThemByCaption)
{
    std::vector<int> walked;
    for (int id = ColumnIdSequence::next(ColumnIdSequence::kNone); id != ColumnIdSequence::kEnd;
         id = ColumnIdSequence::next(id))
        walked.push_back(id);
    EXPECT_EQ(std::vector<int>({144, 145, 146, 147, 148, 149, 151, 153, 154, 155, 156, 157, 158,
                                159, 160, 161, 162, 163, 166, 167}),
              walked);
    EXPECT_EQ(143, ColumnIdSequence::next(168));
    EXPECT_EQ(143, ColumnIdSequence::next(150));

    EXPECT_EQ(146, ColumnIdSequence::fromCaption("item name"));
    EXPECT_EQ(155, ColumnIdSequence::fromCaption("FAILURE %"));
    EXPECT_EQ(147, ColumnIdSequence::fromCaption("URL/IP         "));
    EXPECT_EQ(143, ColumnIdSequence::fromCaption("URL/IP"));
    EXPECT_EQ(143, ColumnIdSequence::fromCaption("Nothing like it"));
}

TEST(MonitorItemWrapperManager, WrapsTheStoredItemsAddsRemovesAndChecksAddresses)
{
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(orvtest::makeScratchFolder("wrapped"));
    MonitorItemSettings* first = store->createItem();
    first->getGeneral().address = "a.example.test";
    MonitorItemSettings* second = store->createItem();
    second->getGeneral().address = "b.example.test";
    {
        MonitorItemWrapperManager manager;
        ASSERT_EQ(2u, manager.count());
        EXPECT_EQ(first, (*manager.begin())->getItem());
        EXPECT_EQ(second, (*(manager.begin() + 1))->getItem());

        EXPECT_TRUE(manager.addressExists("a.example.test"));
        EXPECT_FALSE(manager.addressExists("A.example.test"));
        EXPECT_FALSE(manager.addressTaken("a.example.test", "a.example.test"));
        EXPECT_TRUE(manager.addressTaken("c.example.test", "b.example.test"));
        EXPECT_FALSE(manager.addressTaken("a.example.test", "c.example.test"));

        MonitorItemSettings* third = store->createItem();
        third->getGeneral().address = "c.example.test";
        MonitorItemWrapper* added = manager.add(third);
        EXPECT_EQ(3u, manager.count());
        EXPECT_TRUE(manager.addressExists("c.example.test"));

        MonitorItemWrapper stranger(first);
        manager.remove(&stranger);
        EXPECT_EQ(3u, manager.count());
        manager.remove(*manager.begin());
        EXPECT_EQ(2u, manager.count());
        EXPECT_FALSE(manager.addressExists("a.example.test"));
        EXPECT_EQ(added, *(manager.begin() + 1));
        size_t stored = 0;
        for (MonitorItemManager::ItemIterator it = store->begin(); it != store->end(); ++it)
            ++stored;
        EXPECT_EQ(2u, stored) << "the removed item left the store's list";
    }
    store->unloadAll();
    store->release();
}
