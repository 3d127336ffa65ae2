// The GUI profile store against a table of profile.cfg files: missing values and defaults, the
// visible-column list, what is written back (and when not: a file that could not be read, or
// read whole), and values the file format cannot hold.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <memory>

#include "GuiTestSupport.h"
#include "ProfileStore.h"

namespace {

const char kDefaults[] = "0|1|1|144~146~147~154~160~151~153~155~149~|1|1|1||0||||80|15|2|0|0|";

bool writeFile(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = text.empty() ||
              WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok;
}

// All seventeen values, each followed by '|', as the store holds them.
std::string values(const ProfileStore& store)
{
    std::string all;
    for (int i = 0; i < ProfileValueCount; ++i)
        all += store.getString(i) + "|";
    return all;
}

// The columns a profile without a column list shows.
const size_t kDefaultColumns = 9;

const char kUserFile[] = "0|0|0|146~149~|0|0|0||1|proxy.example.test|me|pw|3128|20|1|2|1|";

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = orvtest::makeScratchFolder("profile") + "\\profile.cfg"; }
    std::string path_;
};

}  // namespace

TEST_F(ProfileStoreTest, LoadsWhatTheFileHoldsAndTakesDefaultsForTheRest)
{
    struct Case {
        const char* what;
        const char* file;   // null: no file
        const char* values;
        std::vector<int> columns;
    } cases[] = {
        {"no file", nullptr, kDefaults, {144, 146, 147, 154, 160, 151, 153, 155, 149}},
        {"empty file", "", kDefaults, {144, 146, 147, 154, 160, 151, 153, 155, 149}},
        {"two values", "1|0|", "1|0|1|144~146~147~154~160~151~153~155~149~|1|1|1||0||||80|15|2|0|0|",
         {144, 146, 147, 154, 160, 151, 153, 155, 149}},
        {"a last value without its bar is lost", "0|1|2",
         "0|1|1|144~146~147~154~160~151~153~155~149~|1|1|1||0||||80|15|2|0|0|",
         {144, 146, 147, 154, 160, 151, 153, 155, 149}},
        {"one column", "0|1|0|146~|", "0|1|0|146~|1|1|1||0||||80|15|2|0|0|", {146}},
        {"no column", "0|1|0||", "0|1|0||1|1|1||0||||80|15|2|0|0|", {}},
        {"an empty column piece reads as 0", "0|1|0|146~~149|", "0|1|0|146~~149|1|1|1||0||||80|15|2|0|0|",
         {146, 0, 149}},
        {"all seventeen and more", "9|8|7|6~|5|4|3|2|1|proxy|user|pw|8080|20|3|2|1|extra|",
         "9|8|7|6~|5|4|3|2|1|proxy|user|pw|8080|20|3|2|1|", {6}},
    };
    for (const Case& c : cases) {
        DeleteFileA(path_.c_str());
        if (c.file) {
            ASSERT_TRUE(writeFile(path_, c.file));
        }
        ProfileStore store(path_);
        EXPECT_EQ(c.values, values(store)) << c.what;
        EXPECT_EQ(c.columns, store.getColumns()) << c.what;
    }
}

TEST_F(ProfileStoreTest, ReadsNumbersAndHandlesPositionsOutsideTheList)
{
    ASSERT_TRUE(writeFile(path_, "0|1|1|146~|1|1|1||0|proxy|||x80|15|2|0|0|extra|"));
    ProfileStore store(path_);
    EXPECT_EQ(0, store.getInt(ProfileRunAsService)) << "empty reads as 0";
    EXPECT_EQ(0, store.getInt(ProfileProxyPort)) << "not a number reads as 0";
    EXPECT_EQ(15, store.getInt(ProfileColumnPadding));
    EXPECT_EQ("extra", store.getString(17)) << "extra values are kept in memory";
    EXPECT_EQ("", store.getString(18));
    EXPECT_EQ("", store.getString(-1));
    EXPECT_FALSE(store.setString(18, "x"));
    EXPECT_EQ("", store.getString(18));
    EXPECT_TRUE(store.setInt(ProfileTheme, -3));
    EXPECT_EQ("-3", store.getString(ProfileTheme));
    EXPECT_EQ("", ProfileStore::defaultValue(17));
    EXPECT_EQ("80", ProfileStore::defaultValue(ProfileProxyPort));
}

TEST_F(ProfileStoreTest, DestructionWritesTheColumnsAndSeventeenValues)
{
    ASSERT_TRUE(writeFile(path_, "0|1|1|146~|1|1|1||0|proxy|||80|15|2|0|0|extra|"));
    {
        ProfileStore store(path_);
        store.setColumns({144, 149});
        EXPECT_TRUE(store.setString(ProfileProxyAddress, "proxy.example.test"));
        EXPECT_TRUE(store.setInt(ProfileTimeUnit, 1));
        EXPECT_EQ("146~", store.getString(ProfileColumns)) << "columns reach the value at the end";
    }
    EXPECT_EQ("0|1|1|144~149~|1|1|1||0|proxy.example.test|||80|15|2|0|1|", orvtest::readFile(path_));

    ProfileStore again(path_);
    EXPECT_EQ(std::vector<int>({144, 149}), again.getColumns());
    EXPECT_EQ(1, again.getInt(ProfileTimeUnit));
}

// The program saves its store at the end of shut-down (the process-wide store's destructor does
// not run at a Winelib program's exit): that save carries the columns too.
TEST_F(ProfileStoreTest, AnExplicitSaveWritesTheColumnsAsTheListLeftThem)
{
    ASSERT_TRUE(writeFile(path_, "0|1|1|146~|1|1|1||0|||||15|2|0|0|"));
    ProfileStore store(path_);
    store.setColumns({149, 144});
    ASSERT_TRUE(store.setInt(ProfileFirstRun, 0));
    ASSERT_TRUE(store.save());
    EXPECT_EQ("0|1|0|149~144~|1|1|1||0|||||15|2|0|0|", orvtest::readFile(path_));
}

// After that save the process-wide store is destroyed at the process's end, where a Winelib
// program can no longer make file calls: a store saved and unchanged since writes nothing then;
// one changed after its save still writes.
TEST_F(ProfileStoreTest, DestructionWritesOnlyWhatNoSaveHasWrittenYet)
{
    ASSERT_TRUE(writeFile(path_, "0|1|1|146~|1|1|1||0|||||15|2|0|0|"));
    {
        ProfileStore store(path_);
        ASSERT_TRUE(store.setInt(ProfileFirstRun, 0));
        ASSERT_TRUE(store.save());
        ASSERT_TRUE(writeFile(path_, "written by hand"));
    }
    EXPECT_EQ("written by hand", orvtest::readFile(path_)) << "saved and unchanged: nothing written";
    {
        ProfileStore store(path_);
        ASSERT_TRUE(store.save());
        ASSERT_TRUE(store.setInt(ProfileTheme, 3));
    }
    EXPECT_EQ(3, ProfileStore(path_).getInt(ProfileTheme)) << "changed after its save: written";
}

TEST_F(ProfileStoreTest, RefusesValuesHoldingTheFileSeparatorsSoNoLaterValueShifts)
{
    {
        ProfileStore store(path_);
        EXPECT_TRUE(store.setString(ProfileProxyPassword, "s3cret"));
        EXPECT_FALSE(store.setString(ProfileProxyPassword, "pa|ss")) << "'|' ends a value";
        EXPECT_FALSE(store.setString(ProfileProxyUser, "me~you")) << "'~' splits the columns";
        EXPECT_FALSE(store.setString(ProfileProxyAddress, "|"));
        EXPECT_TRUE(store.setString(ProfileColumns, "144~149~")) << "'~' is position 3's own";
        EXPECT_FALSE(store.setString(ProfileColumns, "144|149~"));
        EXPECT_EQ("s3cret", store.getString(ProfileProxyPassword));
        EXPECT_EQ("", store.getString(ProfileProxyUser));
        EXPECT_FALSE(ProfileStore::isStorable(ProfileProxyPassword, "a|b"));
        EXPECT_TRUE(ProfileStore::isStorable(ProfileProxyPassword, "a b"));
        EXPECT_STRNE("", ProfileStore::kRefusedValue);
        EXPECT_TRUE(store.save());
    }
    ProfileStore reloaded(path_);
    EXPECT_EQ("s3cret", reloaded.getString(ProfileProxyPassword));
    EXPECT_EQ("80", reloaded.getString(ProfileProxyPort));
    EXPECT_EQ("0", reloaded.getString(ProfileTimeUnit));
}

TEST_F(ProfileStoreTest, TheProcessWideStoreIsCalledThroughItsLock)
{
    const std::string& folder = guitest::scratchProfileFolder();
    EXPECT_EQ(folder + "profile.cfg", ProfileStore::instance()->filePath());
    EXPECT_TRUE(ProfileStore::instance()->setInt(ProfileTimeUnit, 1));
    EXPECT_EQ(1, ProfileStore::instance()->getInt(ProfileTimeUnit));
    ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
}

TEST_F(ProfileStoreTest, AFileHeldAtStartUpIsNeverOverwrittenWithDefaults)
{
    ASSERT_TRUE(writeFile(path_, kUserFile));
    guitest::LogCapture log("orv.ProfileStore", "profile-held.log");
    {
        // A scanner or a backup holds the file, sharing nothing, while the program starts.
        HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        std::unique_ptr<ProfileStore> store(new ProfileStore(path_));
        CloseHandle(held);
        EXPECT_TRUE(store->unreadable());
        EXPECT_EQ(kDefaults, values(*store)) << "the defaults stand in meanwhile";
        // At exit the list view stores the columns it shows: those it was given.
        store->setColumns(store->getColumns());
        EXPECT_FALSE(store->save());
    }
    EXPECT_EQ(kUserFile, orvtest::readFile(path_));
    const std::string text = log.text();
    EXPECT_THAT(text, ::testing::HasSubstr("ERROR " + path_ + " could not be read (error 32)"));

    // A setting changed after such a start is what the user asked for: it is written.
    HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::unique_ptr<ProfileStore> store(new ProfileStore(path_));
    CloseHandle(held);
    EXPECT_TRUE(store->setInt(ProfileTheme, 3));
    store.reset();
    EXPECT_EQ("0|1|1|144~146~147~154~160~151~153~155~149~|1|1|1||0||||80|15|2|3|0|",
              orvtest::readFile(path_));
}

TEST_F(ProfileStoreTest, ALoadReadsAtMostItsCapAndLeavesAnOversizedFileAlone)
{
    std::string million;
    for (int i = 0; i < 1000000; ++i)
        million += "1~";
    struct Case {
        const char* what;
        std::string file;
        bool oversized;
        size_t columns;
    } cases[] = {
        // only the start of an oversized file is read: a value cut by the limit is not taken
        {"a 1 MB value", "0|1|1|146~|" + std::string(1 << 20, 'x') + "|", true, 1},
        {"a million columns", "0|1|1|" + million + "|", true, kDefaultColumns},
        {"a thousand columns", "0|1|1|" + million.substr(0, 2000) + "|", false,
         ProfileStore::kMaxColumns},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(writeFile(path_, c.file)) << c.what;
        {
            ProfileStore store(path_);
            EXPECT_EQ(c.oversized, store.unreadable()) << c.what;
            size_t held = 0;
            for (int i = 0; i < ProfileValueCount + 2; ++i)
                held += store.getString(i).size();
            EXPECT_LE(held, ProfileStore::kMaxFileBytes) << c.what;
            EXPECT_EQ(c.columns, store.getColumns().size()) << c.what;
        }
        if (c.oversized) {
            EXPECT_EQ(c.file, orvtest::readFile(path_)) << c.what << ": written back";
        }
    }
}

TEST_F(ProfileStoreTest, ASaveWritesANewFileInPlaceOfTheOld)
{
    ASSERT_TRUE(writeFile(path_, kUserFile));
    orvtest::HeldFile old(path_);
    ASSERT_TRUE(old.isOpen());
    {
        ProfileStore store(path_);
        EXPECT_TRUE(store.setInt(ProfileTheme, 3));
        ASSERT_TRUE(store.save());
    }
    EXPECT_EQ(kUserFile, old.read()) << "the old file was truncated and rewritten in place";
    EXPECT_EQ("0|0|0|146~149~|0|0|0||1|proxy.example.test|me|pw|3128|20|1|3|1|",
              orvtest::readFile(path_));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path_ + ".tmp").c_str()));
}
