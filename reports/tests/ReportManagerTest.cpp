// The report definitions under load and on disk: worker threads copying the default report while
// another thread edits it, and reports.cfg written through a new file, read within a bound, kept
// when it cannot be read, and never leaving the program without its built-in reports.
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <windows.h>

#include <string>
#include <vector>

#include "reports/Report.h"
#include "reports/ReportManager.h"

namespace {

const char* const kBuiltIns[] = {"Downtime report", "Failure report", "Sucess report",
                                 "Summary report"};

// One edit's whole state, spread over every kind of member, so a torn copy shows.
void applyGeneration(Report& report, int generation)
{
    report.name = "Report " + std::to_string(generation);
    report.outputPath = "C:\\reports\\" + std::string(40 + generation % 200, 'a' + generation % 26);
    report.outputType = generation % 3;
    report.start = generation;
    report.end = generation * 2;
    report.columns.assign(1 + generation % 50, generation);
}

// Empty when the copy is one whole generation, else what is wrong with it.
std::string tornParts(const Report& copy)
{
    if (copy.name.compare(0, 7, "Report ") != 0)
        return "name \"" + copy.name + "\"";
    const int generation = std::atoi(copy.name.c_str() + 7);
    Report whole;
    applyGeneration(whole, generation);
    std::string torn;
    if (copy.outputPath != whole.outputPath)
        torn += " output path";
    if (copy.outputType != whole.outputType)
        torn += " output type";
    if (copy.start != whole.start || copy.end != whole.end)
        torn += " range";
    if (copy.columns != whole.columns)
        torn += " columns";
    return torn.empty() ? torn : "generation " + std::to_string(generation) + ":" + torn;
}

struct CopyingThread {
    ReportManager* manager = nullptr;
    volatile LONG* stop = nullptr;
    volatile LONG copies = 0;
    std::string firstTear;

    static DWORD WINAPI run(LPVOID self)
    {
        CopyingThread& me = *static_cast<CopyingThread*>(self);
        Report copy;
        while (!InterlockedCompareExchange(me.stop, 0, 0)) {
            if (!me.manager->copyDefaultReport(copy))
                continue;
            InterlockedIncrement(&me.copies);
            const std::string torn = tornParts(copy);
            if (!torn.empty() && me.firstTear.empty())
                me.firstTear = torn;
        }
        return 0;
    }
};

bool writeBytes(const std::string& path, const std::string& bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

std::vector<std::string> names(ReportManager& manager)
{
    std::vector<std::string> all;
    for (ReportManager::Iterator it = manager.beginReports(); it != manager.endReports(); ++it)
        all.push_back(it->first);
    return all;
}

}  // namespace

TEST(ReportManagerThreads, WorkersCopyTheDefaultReportWholeWhileAnotherThreadEditsIt)
{
    ReportManager manager;
    ASSERT_TRUE(manager.editReport("Downtime report", [](Report& r) { applyGeneration(r, 0); }));
    manager.setDefaultReport("Report 0");

    volatile LONG stop = 0;
    CopyingThread copiers[4];
    HANDLE threads[4];
    for (int i = 0; i < 4; ++i) {
        copiers[i].manager = &manager;
        copiers[i].stop = &stop;
        threads[i] = CreateThread(nullptr, 0, &CopyingThread::run, &copiers[i], 0, nullptr);
        ASSERT_NE(nullptr, threads[i]);
    }
    // The editing thread renames and refills the default report, as the report dialog does, at
    // least kEdits times and until every copying thread has copied kCopies times meanwhile.
    const int kEdits = 20000;
    const LONG kCopies = 2000;
    auto copying = [&] {
        for (const CopyingThread& copier : copiers)
            if (InterlockedCompareExchange(const_cast<volatile LONG*>(&copier.copies), 0, 0) <
                kCopies)
                return true;
        return false;
    };
    int generation = 1;
    bool edited = true;
    for (; edited && (generation <= kEdits || copying()) && generation < 100 * kEdits;
         ++generation) {
        const std::string current = "Report " + std::to_string(generation - 1);
        edited = manager.editReport(current, [generation](Report& r) {
            applyGeneration(r, generation);
        });
    }
    InterlockedExchange(&stop, 1);
    EXPECT_TRUE(edited) << "an edit found no definition";
    ASSERT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(4, threads, TRUE, 30000));
    for (int i = 0; i < 4; ++i) {
        CloseHandle(threads[i]);
        EXPECT_EQ("", copiers[i].firstTear) << "thread " << i;
        EXPECT_GE(copiers[i].copies, kCopies) << "thread " << i;
    }
    Report last;
    ASSERT_TRUE(manager.copyReport("Report " + std::to_string(generation - 1), last));
    EXPECT_EQ("", tornParts(last));
    EXPECT_EQ(manager.getDefaultReport(), manager.getReport(last.name));
}

class ReportStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = orvtest::makeScratchFolder("report-store") + "\\";
        path_ = folder_ + "reports.cfg";
    }
    std::string folder_;
    std::string path_;
};

TEST_F(ReportStoreTest, AFileHoldingNoReportGivesTheBuiltInsBack)
{
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"empty", ""},
        {"damaged", std::string("\0\0\0\xff garbage|report|x\r\n", 23)},
        {"a default line only", "default|Weekly\r\n"},
    };
    const std::vector<std::string> builtIns(std::begin(kBuiltIns), std::end(kBuiltIns));
    for (const Case& c : cases) {
        ASSERT_TRUE(writeBytes(path_, c.file)) << c.what;
        ReportManager manager;
        EXPECT_TRUE(manager.setDataFolder(folder_)) << c.what;
        EXPECT_EQ(builtIns, names(manager)) << c.what;
        EXPECT_EQ(manager.getReport("Downtime report"), manager.getDefaultReport()) << c.what;

        // Written back, they are there at the next start too.
        ASSERT_TRUE(manager.flushReports()) << c.what;
        ReportManager next;
        EXPECT_TRUE(next.setDataFolder(folder_)) << c.what;
        EXPECT_EQ(builtIns, names(next)) << c.what;
    }
}

TEST_F(ReportStoreTest, AFileThatCannotBeReadIsKeptUntilAReportChanges)
{
    const std::string stored = "default|Weekly\r\nreport|Weekly||0|1|1|0|0~0|61209~\r\n";
    ASSERT_TRUE(writeBytes(path_, stored));
    HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ReportManager manager;
    EXPECT_FALSE(manager.setDataFolder(folder_));
    CloseHandle(held);
    EXPECT_EQ(4u, manager.size()) << "the built-ins stand in meanwhile";
    EXPECT_FALSE(manager.flushReports());
    EXPECT_EQ(stored, orvtest::readFile(path_));

    manager.setDefaultReport("Summary report");   // the user's choice: written
    EXPECT_TRUE(manager.flushReports());
    ReportManager next;
    ASSERT_TRUE(next.setDataFolder(folder_));
    EXPECT_EQ(next.getReport("Summary report"), next.getDefaultReport());
}

TEST_F(ReportStoreTest, ALoadReadsAtMostItsBoundAndAnOversizedFileIsNotWrittenBack)
{
    std::string millionColumns;
    for (int i = 0; i < 1000000; ++i)
        millionColumns += "61209~";
    struct Case {
        const char* what;
        std::string file;
        std::size_t columns;
    } cases[] = {
        {"a 1 MB name", "report|" + std::string(1 << 20, 'n') + "||0|1|1|0|0~0|61209~\r\n", 0},
        {"a million columns", "report|Wide||0|1|1|0|0~0|" + millionColumns + "\r\n",
         ReportManager::kMaxColumns},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(writeBytes(path_, c.file)) << c.what;
        ReportManager manager;
        EXPECT_TRUE(manager.setDataFolder(folder_)) << c.what;
        std::size_t held = 0;
        for (ReportManager::Iterator it = manager.beginReports(); it != manager.endReports(); ++it)
            held += it->first.size() + it->second->columns.size() * sizeof(int);
        EXPECT_LE(held, ReportManager::kMaxFileBytes) << c.what;
        const Report* wide = manager.getReport("Wide");
        EXPECT_EQ(c.columns, wide ? wide->columns.size() : 0u) << c.what;
        EXPECT_FALSE(manager.flushReports()) << c.what;
        EXPECT_EQ(c.file.size(), orvtest::readFile(path_).size()) << c.what << ": written back";
    }
}

TEST_F(ReportStoreTest, AFlushPutsANewFileInPlaceOfTheOld)
{
    ReportManager manager;
    ASSERT_TRUE(manager.setDataFolder(folder_));
    ASSERT_TRUE(manager.flushReports());
    const std::string before = orvtest::readFile(path_);
    orvtest::HeldFile old(path_);
    ASSERT_TRUE(old.isOpen());
    manager.deleteReport("Failure report");
    ASSERT_TRUE(manager.flushReports());
    EXPECT_EQ(before, old.read()) << "the old file was truncated and rewritten in place";
    EXPECT_NE(before, orvtest::readFile(path_));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((path_ + ".tmp").c_str()));
    ReportManager next;
    ASSERT_TRUE(next.setDataFolder(folder_));
    EXPECT_EQ(3u, next.size());
    EXPECT_EQ(nullptr, next.getReport("Failure report"));
}
