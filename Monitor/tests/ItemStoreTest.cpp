// The item store: loading a data folder, naming new item folders, deleting and removing items
// with their folders, temporary items and what release reports about leaked ones.
#include "orv/gtest.h"

#include <algorithm>
#include <set>

#include "ItemFiles.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemSettingsImpl.h"
#include "orv/TestEnv.h"

using itemtest::pathExists;
using itemtest::readBytes;
using itemtest::writeBytes;

namespace {

std::string nameOf(MonitorItemSettings* item)
{
    MonitorItemSettingsImpl* stored = dynamic_cast<MonitorItemSettingsImpl*>(item);
    return stored ? stored->getName() : "<not stored>";
}

std::set<std::string> loadedNames(MonitorItemManager* store)
{
    std::set<std::string> names;
    for (auto it = store->begin(); it != store->end(); ++it)
        names.insert(nameOf(*it));
    return names;
}

std::size_t itemCount(MonitorItemManager* store)
{
    return static_cast<std::size_t>(store->end() - store->begin());
}

// Gives each test a store of its own.
class ItemStore : public ::testing::Test {
protected:
    void SetUp() override { store_ = MonitorItemManager::instance(); }
    void TearDown() override
    {
        store_->unloadAll();
        store_->release();
    }
    MonitorItemManager* store_ = nullptr;
};

struct Entry {
    const char* name;
    enum { Folder, ItemFolder, File } kind;
};

struct LoadCase {
    const char* name;
    std::vector<Entry> entries;
    std::set<std::string> loaded;
    const char* nextFolder;
};

class ItemStoreLoad : public ItemStore, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(ItemStoreLoad, LoadsItemFoldersAndNumbersTheNextOne)
{
    const LoadCase& c = GetParam();
    const std::string data = itemtest::scratch(std::string("load_") + c.name);
    for (const Entry& e : c.entries) {
        const std::string path = data + "\\" + e.name;
        if (e.kind == Entry::File) {
            writeBytes(path, "not a folder");
            continue;
        }
        CreateDirectoryA(path.c_str(), nullptr);
        if (e.kind == Entry::ItemFolder)
            writeBytes(path + "\\options.cfg", std::string(e.name) + "|host|");
    }
    EXPECT_EQ(0, store_->load(data));
    EXPECT_EQ(c.loaded, loadedNames(store_));
    for (auto it = store_->begin(); it != store_->end(); ++it) {
        EXPECT_EQ(nameOf(*it), (*it)->getGeneral().name);
        EXPECT_EQ(data + "\\" + nameOf(*it) + "\\", (*it)->getDirectory());
    }

    MonitorItemSettings* created = store_->createItem("");
    EXPECT_EQ(c.nextFolder, nameOf(created));
    EXPECT_EQ(data + "\\" + c.nextFolder + "\\", created->getDirectory());
    EXPECT_TRUE(itemtest::pathExists(data + "\\" + c.nextFolder));
    EXPECT_EQ(created, *(store_->end() - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, ItemStoreLoad,
    ::testing::Values(
        LoadCase{"empty", {}, {}, "Item_1"},
        LoadCase{"mixed",
                 {{"Item_3", Entry::ItemFolder}, {"Item_7", Entry::Folder},
                  {"Item_x", Entry::Folder}, {"Reports", Entry::Folder},
                  {"profile.cfg", Entry::File}},
                 {"Item_3"}, "Item_8"},
        LoadCase{"own_name", {{"MyItem", Entry::ItemFolder}}, {"MyItem"}, "Item_1"},
        LoadCase{"two_items",
                 {{"Item_2", Entry::ItemFolder}, {"Item_11", Entry::ItemFolder}},
                 {"Item_2", "Item_11"}, "Item_12"},
        LoadCase{"leading_zeros", {{"Item_0012", Entry::ItemFolder}}, {"Item_0012"}, "Item_13"},
        LoadCase{"letter_case", {{"item_5", Entry::ItemFolder}}, {"item_5"}, "Item_1"},
        // A file of that name would block the folder a new item needs.
        LoadCase{"file_named_like_an_item",
                 {{"Item_2", Entry::ItemFolder}, {"Item_9", Entry::File}}, {"Item_2"},
                 "Item_10"}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

// A data folder large enough to be read by several threads: every item is read from its own
// folder, in the order the folder lists them, and folders without options.cfg are no items.
TEST_F(ItemStore, ManyItemsLoadInFolderOrderEachFromItsOwnFiles)
{
    const std::string data = itemtest::scratch("load_many");
    std::set<std::string> expected;
    for (int i = 1; i <= 300; ++i) {
        const std::string name = "Item_" + std::to_string(i);
        const std::string folder = data + "\\" + name;
        CreateDirectoryA(folder.c_str(), nullptr);
        if (i % 7 == 0)
            continue;  // a folder without options.cfg
        writeBytes(folder + "\\options.cfg", name + "|addr " + std::to_string(i) + "|");
        writeBytes(folder + "\\statistics.cfg",
                   std::to_string(i) + "|1^200^m" + std::to_string(i) + "^5^1^]|0|0|1|5||");
        expected.insert(name);
    }
    store_->load(data);

    std::vector<std::string> listed;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((data + "\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    do {
        if (expected.count(found.cFileName))
            listed.push_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);

    std::vector<std::string> loaded;
    for (auto it = store_->begin(); it != store_->end(); ++it) {
        const std::string name = nameOf(*it);
        loaded.push_back(name);
        const int number = std::stoi(name.substr(5));
        EXPECT_EQ(name, (*it)->getGeneral().name);
        EXPECT_EQ("addr " + std::to_string(number), (*it)->getGeneral().address);
        EXPECT_EQ(number, (*it)->getStatus().totalChecks);
        ASSERT_EQ(1, (*it)->historyEnd() - (*it)->historyBegin());
        EXPECT_EQ("m" + std::to_string(number), (*it)->historyBegin()->message);
    }
    EXPECT_EQ(listed, loaded);
    EXPECT_EQ("Item_301", nameOf(store_->createItem("")));
}

TEST_F(ItemStore, LoadAddsToTheItemsAlreadyListed)
{
    const std::string first = itemtest::scratch("load_first");
    const std::string second = itemtest::scratch("load_second");
    CreateDirectoryA((first + "\\Item_1").c_str(), nullptr);
    writeBytes(first + "\\Item_1\\options.cfg", "one|");
    CreateDirectoryA((second + "\\Item_4").c_str(), nullptr);
    writeBytes(second + "\\Item_4\\options.cfg", "four|");
    store_->load(first);
    store_->load(second);
    ASSERT_EQ(2u, itemCount(store_));
    EXPECT_EQ("one", (*store_->begin())->getGeneral().name);
    EXPECT_EQ("four", (*(store_->begin() + 1))->getGeneral().name);
    // Deleting the first item removes its own folder, not one of that name in the newer folder.
    CreateDirectoryA((second + "\\Item_1").c_str(), nullptr);
    store_->deleteItem(*store_->begin());
    EXPECT_FALSE(pathExists(first + "\\Item_1"));
    EXPECT_TRUE(pathExists(second + "\\Item_1"));
}

TEST_F(ItemStore, DataFolderWithTrailingBackslashGivesCleanPaths)
{
    const std::string data = itemtest::scratch("trailing");
    store_->load(data + "\\");
    MonitorItemSettings* item = store_->createItem("");
    EXPECT_EQ(data + "\\Item_1\\", item->getDirectory());
    EXPECT_EQ(data + "\\Item_1\\actlog.txt", item->getLogPath());
    EXPECT_EQ(std::string::npos, item->getDirectory().find("\\\\"));
}

// unloadAll saves every item; a new store reads them back.
TEST_F(ItemStore, UnloadSavesAndLoadReadsBack)
{
    const std::string data = itemtest::scratch("unload");
    store_->load(data);
    MonitorItemSettings* a = store_->createItem("");
    MonitorItemSettings* b = store_->createItem("");
    a->getGeneral().name = "Alpha";
    a->getGeneral().type = ItemHttp;
    a->addResult(1000, 200, "OK", 40, true);
    b->getGeneral().name = "Beta";
    EXPECT_EQ(0, store_->unloadAll());
    EXPECT_TRUE(store_->begin() == store_->end());
    EXPECT_NE(std::string::npos, readBytes(data + "\\Item_1\\options.cfg").find("Alpha|"));

    store_->release();
    store_ = MonitorItemManager::instance();
    store_->load(data);
    ASSERT_EQ(2u, itemCount(store_));
    std::set<std::string> names;
    for (auto it = store_->begin(); it != store_->end(); ++it) {
        names.insert((*it)->getGeneral().name);
        if ((*it)->getGeneral().name == "Alpha") {
            EXPECT_EQ(ItemHttp, (*it)->getGeneral().type);
            EXPECT_EQ(1, (*it)->getStatus().totalChecks);
        }
    }
    EXPECT_EQ((std::set<std::string>{"Alpha", "Beta"}), names);
    EXPECT_EQ("Item_3", nameOf(store_->createItem("")));
}

// Enough items that several threads save them at once: each item's own values, in both of its
// files, end up in its own folder.
TEST_F(ItemStore, ManyItemsUnloadTogetherEachIntoItsOwnFiles)
{
    const std::string data = itemtest::scratch("unload_many");
    store_->load(data);
    const int count = 400;
    for (int i = 1; i <= count; ++i) {
        MonitorItemSettings* item = store_->createItem("");
        item->getGeneral().name = "Watch " + std::to_string(i);
        item->getGeneral().port = i;
        item->addResult(1000 + i, 200, "reply " + std::to_string(i), i, i % 3 != 0);
    }
    EXPECT_EQ(0, store_->unloadAll());
    EXPECT_TRUE(store_->begin() == store_->end());

    store_->release();
    store_ = MonitorItemManager::instance();
    store_->load(data);
    ASSERT_EQ(static_cast<std::size_t>(count), itemCount(store_));
    std::set<int> seen;
    for (auto it = store_->begin(); it != store_->end(); ++it) {
        MonitorItemSettings* item = *it;
        const int number = std::stoi(nameOf(item).substr(5));
        SCOPED_TRACE(nameOf(item));
        seen.insert(number);
        EXPECT_EQ("Watch " + std::to_string(number), item->getGeneral().name);
        EXPECT_EQ(number, item->getGeneral().port);
        EXPECT_EQ(1, item->getStatus().totalChecks);
        EXPECT_EQ(number % 3 != 0 ? 0 : 1, item->getStatus().failedChecks);
        ASSERT_EQ(1, item->historyEnd() - item->historyBegin());
        EXPECT_EQ(1000 + number, item->historyBegin()->time);
        EXPECT_EQ("reply " + std::to_string(number), item->historyBegin()->message);
        EXPECT_EQ(number, item->historyBegin()->responseMs);
    }
    EXPECT_EQ(static_cast<std::size_t>(count), seen.size());
}

TEST_F(ItemStore, NewItemsNeverTakeOverAFolderThatExists)
{
    // The counter went past the largest 32-bit number, and another folder appeared after load:
    // each new item still gets a folder of its own.
    const std::string data = itemtest::scratch("counter");
    CreateDirectoryA((data + "\\Item_2147483647").c_str(), nullptr);
    writeBytes(data + "\\Item_2147483647\\options.cfg", "Last|10.0.0.1|");
    store_->load(data);
    MonitorItemSettings* first = store_->createItem("");
    EXPECT_EQ("Item_2147483648", nameOf(first));
    EXPECT_TRUE(pathExists(data + "\\Item_2147483648"));
    CreateDirectoryA((data + "\\Item_2147483649").c_str(), nullptr);
    writeBytes(data + "\\Item_2147483649\\options.cfg", "Theirs|10.0.0.2|");
    MonitorItemSettings* second = store_->createItem("");
    EXPECT_EQ("Item_2147483650", nameOf(second));
    second->getGeneral().name = "Mine";
    second->save();
    EXPECT_EQ("Theirs|10.0.0.2|", readBytes(data + "\\Item_2147483649\\options.cfg"));
    EXPECT_EQ(3u, itemCount(store_));
}

TEST_F(ItemStore, AFileThatCannotBeReadIsNeverSavedOver)
{
    const std::string data = itemtest::scratch("unreadable");
    const std::string folder = data + "\\Item_1";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string options = "Mine|10.0.0.1|1|30|1|6|2000|";
    const std::string statistics = "7|1000^200^Success^40^1^]|0|N/A|1000|40|Success|";
    writeBytes(folder + "\\options.cfg", options);
    writeBytes(folder + "\\statistics.cfg", statistics);
    {
        // Another program holds the options file (no sharing) while the item loads.
        HANDLE held = CreateFileA((folder + "\\options.cfg").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        store_->load(data);
        CloseHandle(held);
    }
    ASSERT_EQ(1u, itemCount(store_));
    MonitorItemSettings* item = *store_->begin();
    EXPECT_EQ("", item->getGeneral().name);        // defaults stand in for what could not be read
    EXPECT_EQ(7, item->getStatus().totalChecks);   // the readable file was read
    item->addResult(2000, 200, "Success", 50, true);
    item->save();
    EXPECT_EQ(options, readBytes(folder + "\\options.cfg"));   // the user's settings survive
    EXPECT_NE(statistics, readBytes(folder + "\\statistics.cfg"));
    EXPECT_EQ(0, store_->unloadAll());
    EXPECT_EQ(options, readBytes(folder + "\\options.cfg"));
}

TEST_F(ItemStore, AnAbandonedItemIsSavedAndLeftAliveForTheWorkerStillUsingIt)
{
    const std::string data = itemtest::scratch("abandon");
    store_->load(data);
    MonitorItemSettings* busy = store_->createItem("");
    MonitorItemSettings* idle = store_->createItem("");
    busy->getGeneral().name = "Still checked";
    store_->abandonItem(busy);
    EXPECT_NE(std::string::npos, readBytes(data + "\\Item_1\\options.cfg").find("Still checked|"));
    ASSERT_EQ(1u, itemCount(store_));
    EXPECT_EQ(idle, *store_->begin());
    store_->unloadAll();
    store_->release();
    store_ = MonitorItemManager::instance();
    // a worker that did not end may still record into it
    busy->addResult(1000, 200, "Success", 10, true);
    EXPECT_EQ(1, busy->getStatus().totalChecks);
    EXPECT_TRUE(pathExists(data + "\\Item_1"));
}

TEST_F(ItemStore, DeleteItemRemovesItsFolderTree)
{
    const std::string data = itemtest::scratch("delete");
    store_->load(data);
    MonitorItemSettings* doomed = store_->createItem("");
    MonitorItemSettings* kept = store_->createItem("");
    const std::string folder = data + "\\Item_1";
    doomed->save();
    CreateDirectoryA((folder + "\\Sucessful Pages").c_str(), nullptr);
    CreateDirectoryA((folder + "\\Sucessful Pages\\deeper").c_str(), nullptr);
    writeBytes(folder + "\\Sucessful Pages\\page.html", "<html>");
    writeBytes(folder + "\\Sucessful Pages\\deeper\\x.txt", "x");
    writeBytes(folder + "\\actlog.txt", "log");
    SetFileAttributesA((folder + "\\actlog.txt").c_str(), FILE_ATTRIBUTE_READONLY);

    store_->deleteItem(doomed);
    EXPECT_FALSE(pathExists(folder));
    ASSERT_EQ(1u, itemCount(store_));
    EXPECT_EQ(kept, *store_->begin());
    EXPECT_TRUE(pathExists(data + "\\Item_2"));
    EXPECT_TRUE(pathExists(data));
}

TEST_F(ItemStore, UnknownItemsAreIgnored)
{
    const std::string data = itemtest::scratch("unknown");
    store_->load(data);
    MonitorItemSettings* item = store_->createItem("");
    MonitorItemSettings* temporary = store_->createTemporaryItem("t");
    store_->deleteItem(temporary);
    store_->removeItem(temporary);
    store_->deleteTemporaryItem(item);
    store_->deleteItem(nullptr);
    EXPECT_EQ(1u, itemCount(store_));
    EXPECT_TRUE(pathExists(data + "\\Item_1"));
    EXPECT_EQ("t", temporary->getGeneral().name);
    store_->deleteTemporaryItem(temporary);
}

// A removed item stays usable (its worker may still run) until release deletes it and its folder.
TEST_F(ItemStore, RemovedItemLivesUntilRelease)
{
    const std::string data = itemtest::scratch("remove");
    store_->load(data);
    MonitorItemSettings* item = store_->createItem("");
    store_->removeItem(item);
    EXPECT_TRUE(store_->begin() == store_->end());
    item->addResult(1000, 1, "still running", 3, true);
    item->save();
    EXPECT_NE(std::string::npos,
              readBytes(data + "\\Item_1\\statistics.cfg").find("still running"));

    store_->unloadAll();   // not the removed item's business
    EXPECT_EQ(1, item->getStatus().totalChecks);
    EXPECT_TRUE(pathExists(data + "\\Item_1"));
    store_->release();
    store_ = MonitorItemManager::instance();
    EXPECT_FALSE(pathExists(data + "\\Item_1"));
    EXPECT_TRUE(pathExists(data));
}

TEST_F(ItemStore, TemporaryItemsAreKeptApart)
{
    store_->load(itemtest::scratch("temporary"));
    MonitorItemSettings* temporary = store_->createTemporaryItem("Editing");
    EXPECT_EQ("Editing", temporary->getGeneral().name);
    EXPECT_EQ("c:\\", temporary->getDirectory());
    EXPECT_TRUE(store_->begin() == store_->end());
    store_->deleteTemporaryItem(temporary);
}

TEST_F(ItemStore, InstanceIsOneStoreUntilReleased)
{
    EXPECT_EQ(store_, MonitorItemManager::instance());
    store_->load(itemtest::scratch("instance"));
    EXPECT_EQ("Item_1", nameOf(store_->createItem("")));
    store_->unloadAll();
    store_->release();
    store_ = MonitorItemManager::instance();
    // A new store starts counting afresh from what it loads.
    store_->load(itemtest::scratch("instance_again"));
    EXPECT_EQ("Item_1", nameOf(store_->createItem("")));
}

// release reports temporary items that their host never deleted, then frees them.
TEST(ItemStoreLog, ReleaseReportsLeakedTemporaryItems)
{
    const std::string unixFolder = orvtest::fixtureDir() + "/leak_log";
    const std::string folder = orvtest::windowsPath(unixFolder);
    itemtest::scratch("leak_log");
    writeBytes(folder + "\\log4cxx.cfg",
               "log4j.rootLogger=DEBUG, file\n"
               "log4j.appender.file=org.apache.log4j.FileAppender\n"
               "log4j.appender.file.File=" + unixFolder + "/store.log\n"
               "log4j.appender.file.Append=false\n"
               "log4j.appender.file.ImmediateFlush=true\n"
               "log4j.appender.file.layout=org.apache.log4j.PatternLayout\n"
               "log4j.appender.file.layout.ConversionPattern=%p %c %m%n\n");
    LogSetup::instance();
    ASSERT_TRUE(LogSetup::configure(folder + "\\log4cxx.cfg"));

    MonitorItemManager* store = MonitorItemManager::instance();
    store->createTemporaryItem("First");
    MonitorItemSettings* freed = store->createTemporaryItem("Freed");
    store->createTemporaryItem("Second");
    store->deleteTemporaryItem(freed);
    store->release();

    EXPECT_EQ("DEBUG monitor.MonitorItemManager Creating unique instance\n"
              "DEBUG monitor.MonitorItemManager Destroying unique instance\n"
              "DEBUG monitor.MonitorItemManager 2 temporary items leaked.Leak summary below.\n"
              "WARN monitor.MonitorItemManager Temporary item leaked: First \n"
              "WARN monitor.MonitorItemManager Temporary item leaked: Second \n",
              readBytes(folder + "\\store.log"));

    // Close the log file again for the tests that follow.
    writeBytes(folder + "\\off.cfg", "log4j.rootLogger=OFF\n");
    LogSetup::configure(folder + "\\off.cfg");
}

}  // namespace
