// A stored item built from its folder: defaults, every record field through save and load,
// hand-written files, and how saving treats a missing folder or a stale temporary file.
#include "orv/gtest.h"

#include <memory>

#include "ItemFiles.h"
#include "MonitorItemSettingsImpl.h"

using itemtest::readBytes;
using itemtest::writeBytes;

namespace {

// Gives every field a value different from its default.
void fillEveryField(MonitorItemSettings& item)
{
    ItemGeneralSettings& g = item.getGeneral();
    g.name = "Mail server";
    g.address = "mail.example.org";
    g.interval = 45;
    g.intervalUnit = UnitMinutes;
    g.enabled = true;
    g.type = ItemSmtp;
    g.port = 2525;
    g.timeoutMs = 1234;
    FtpSettings& f = item.getFtp();
    f.userName = "fu";
    f.password = "fp";
    f.downloadLocalFile = "C:\\dl.txt";
    f.downloadRemoteFile = "/dl.txt";
    f.uploadLocalFile = "C:\\ul.txt";
    f.uploadRemoteFile = "/ul.txt";
    HttpSettings& h = item.getHttp();
    h.searchText = "needle | with pipe";
    h.caseSensitive = true;
    h.saveSuccessfulPages = true;
    h.saveFailedPages = true;
    h.reservedText1 = "r1";
    h.reservedText2 = "r2";
    Pop3Settings& p = item.getPop3();
    p.userName = "pu";
    p.password = "p|w$d";
    p.headerOnly = true;
    p.headerSearchText = "From:";
    p.bodySearchText = "body";
    SmtpSettings& s = item.getSmtp();
    s.to = "to@y.org";
    s.from = "from@x.org";
    s.subject = "subject";
    s.body = "line 1\r\n|line 2|\r\n";
    s.authUser = "au";
    s.authPassword = "ap";
    s.reservedFlag = true;
    AlarmTrigger& a = item.getAlarmTrigger();
    a.enabled = false;
    a.failureThreshold = 999999;
    a.autoReset = false;
    a.resetThreshold = 0;
    CommandAction& c = item.getCommandAction();
    c.program = "C:\\x.bat";
    c.programEnabled = true;
    c.url = "http://u/";
    c.urlEnabled = true;
    MailAction& m = item.getMailAction();
    m.recipients = {"a@x.org", "b@y.org", "dollar$in@z.org"};
    m.enabled = true;
    m.sendSms = true;
    m.reservedFlag1 = true;
    m.reservedFlag2 = true;
    m.attachReport = true;
    SoundAction& so = item.getSoundAction();
    so.soundFile = "C:\\d.wav";
    so.enabled = true;
    so.loop = true;
    VisualAction& v = item.getVisualAction();
    v.text = "look";
    v.enabled = true;
    ItemStatus& st = item.getStatus();
    st.totalChecks = 17;
    st.failedChecks = 4;
    st.lastFailureTime = 1700000300;
    st.lastSuccessTime = 1700000200;
    st.lastResponseMs = 88;
    st.lastMessage = "last | message";
}

void expectEveryField(MonitorItemSettings& item)
{
    ItemGeneralSettings& g = item.getGeneral();
    EXPECT_EQ("Mail server", g.name);
    EXPECT_EQ("mail.example.org", g.address);
    EXPECT_EQ(45, g.interval);
    EXPECT_EQ(UnitMinutes, g.intervalUnit);
    EXPECT_TRUE(g.enabled);
    EXPECT_EQ(ItemSmtp, g.type);
    EXPECT_EQ(2525, g.port);
    EXPECT_EQ(1234, g.timeoutMs);
    FtpSettings& f = item.getFtp();
    EXPECT_EQ("fu", f.userName);
    EXPECT_EQ("fp", f.password);
    EXPECT_EQ("C:\\dl.txt", f.downloadLocalFile);
    EXPECT_EQ("/dl.txt", f.downloadRemoteFile);
    EXPECT_EQ("C:\\ul.txt", f.uploadLocalFile);
    EXPECT_EQ("/ul.txt", f.uploadRemoteFile);
    HttpSettings& h = item.getHttp();
    EXPECT_EQ("needle | with pipe", h.searchText);
    EXPECT_TRUE(h.caseSensitive);
    EXPECT_TRUE(h.saveSuccessfulPages);
    EXPECT_TRUE(h.saveFailedPages);
    EXPECT_EQ("r1", h.reservedText1);
    EXPECT_EQ("r2", h.reservedText2);
    Pop3Settings& p = item.getPop3();
    EXPECT_EQ("pu", p.userName);
    EXPECT_EQ("p|w$d", p.password);
    EXPECT_TRUE(p.headerOnly);
    EXPECT_EQ("From:", p.headerSearchText);
    EXPECT_EQ("body", p.bodySearchText);
    SmtpSettings& s = item.getSmtp();
    EXPECT_EQ("to@y.org", s.to);
    EXPECT_EQ("from@x.org", s.from);
    EXPECT_EQ("subject", s.subject);
    EXPECT_EQ("line 1\r\n|line 2|\r\n", s.body);
    EXPECT_EQ("au", s.authUser);
    EXPECT_EQ("ap", s.authPassword);
    EXPECT_TRUE(s.reservedFlag);
    AlarmTrigger& a = item.getAlarmTrigger();
    EXPECT_FALSE(a.enabled);
    EXPECT_EQ(999999, a.failureThreshold);
    EXPECT_FALSE(a.autoReset);
    EXPECT_EQ(0, a.resetThreshold);
    CommandAction& c = item.getCommandAction();
    EXPECT_EQ("C:\\x.bat", c.program);
    EXPECT_TRUE(c.programEnabled);
    EXPECT_EQ("http://u/", c.url);
    EXPECT_TRUE(c.urlEnabled);
    MailAction& m = item.getMailAction();
    EXPECT_EQ((std::vector<std::string>{"a@x.org", "b@y.org", "dollar$in@z.org"}), m.recipients);
    EXPECT_TRUE(m.enabled);
    EXPECT_TRUE(m.sendSms);
    EXPECT_TRUE(m.reservedFlag1);
    EXPECT_TRUE(m.reservedFlag2);
    EXPECT_TRUE(m.attachReport);
    SoundAction& so = item.getSoundAction();
    EXPECT_EQ("C:\\d.wav", so.soundFile);
    EXPECT_TRUE(so.enabled);
    EXPECT_TRUE(so.loop);
    VisualAction& v = item.getVisualAction();
    EXPECT_EQ("look", v.text);
    EXPECT_TRUE(v.enabled);
    ItemStatus& st = item.getStatus();
    EXPECT_EQ(17, st.totalChecks);
    EXPECT_EQ(4, st.failedChecks);
    EXPECT_EQ(1700000300, st.lastFailureTime);
    EXPECT_EQ(1700000200, st.lastSuccessTime);
    EXPECT_EQ(88, st.lastResponseMs);
    EXPECT_EQ("last | message", st.lastMessage);
}

TEST(StoredItem, NewItemHasItsDefaults)
{
    const std::string folder = itemtest::scratch("new_item");
    MonitorItemSettingsImpl item(folder);
    EXPECT_EQ(folder + "\\", item.getDirectory());
    EXPECT_EQ(folder + "\\actlog.txt", item.getLogPath());

    ItemGeneralSettings& g = item.getGeneral();
    EXPECT_EQ("", g.name);
    EXPECT_EQ("", g.address);
    EXPECT_EQ(20, g.interval);
    EXPECT_EQ(0, g.intervalUnit);
    EXPECT_FALSE(g.enabled);
    EXPECT_EQ(ItemPing, g.type);
    EXPECT_EQ(0, g.port);
    EXPECT_EQ(5000, g.timeoutMs);
    AlarmTrigger& a = item.getAlarmTrigger();
    EXPECT_TRUE(a.enabled);
    EXPECT_EQ(3, a.failureThreshold);
    EXPECT_TRUE(a.autoReset);
    EXPECT_EQ(1, a.resetThreshold);
    EXPECT_TRUE(item.getMailAction().recipients.empty());
    EXPECT_FALSE(item.getMailAction().enabled);
    EXPECT_FALSE(item.getHttp().saveFailedPages);
    ItemStatus& st = item.getStatus();
    EXPECT_TRUE(st.active);
    EXPECT_EQ(0, st.totalChecks);
    EXPECT_EQ(0, st.failedChecks);
    EXPECT_EQ(0, st.lastFailureTime);
    EXPECT_EQ(0, st.lastSuccessTime);
    EXPECT_EQ("", st.lastMessage);
    EXPECT_EQ(0, st.busy);
    EXPECT_EQ(0, st.failed);
    EXPECT_EQ(0.0f, st.averageResponseMs);
    EXPECT_EQ(0, st.nextRunTime);
    EXPECT_TRUE(item.historyBegin() == item.historyEnd());
}

TEST(StoredItem, EveryFieldSurvivesSaveAndLoad)
{
    const std::string folder = itemtest::scratch("every_field");
    {
        MonitorItemSettingsImpl item(folder);
        fillEveryField(item);
        item.addResult(1700000400, 250, "-ERR [AUTH] bad ^ login", 33, false);
        item.save();
    }
    MonitorItemSettingsImpl loaded(folder);
    // addResult moved these on; the rest are as filled in.
    loaded.getStatus().totalChecks -= 1;
    loaded.getStatus().failedChecks -= 1;
    loaded.getStatus().lastFailureTime = 1700000300;
    loaded.getStatus().lastResponseMs = 88;
    loaded.getStatus().lastMessage = "last | message";
    expectEveryField(loaded);

    ASSERT_EQ(1, loaded.historyEnd() - loaded.historyBegin());
    const ResultRecord& r = *loaded.historyBegin();
    EXPECT_EQ(1700000400, r.time);
    EXPECT_EQ(250, r.code);
    EXPECT_EQ("-ERR [AUTH] bad ^ login", r.message);
    EXPECT_EQ(33, r.responseMs);
    EXPECT_FALSE(r.ok);
    // Live state is not stored.
    EXPECT_EQ(0, loaded.getStatus().consecutiveFailures);
    EXPECT_EQ(0.0f, loaded.getStatus().averageResponseMs);
}

TEST(StoredItem, RecordsAreSharedAndPathsAreCopies)
{
    const std::string folder = itemtest::scratch("shared_records");
    MonitorItemSettingsImpl item(folder);
    item.getGeneral().name = "changed";
    EXPECT_EQ("changed", item.getGeneral().name);
    EXPECT_EQ(&item.getStatus(), &item.getStatus());
    std::string directory = item.getDirectory();
    std::string log = item.getLogPath();
    directory += "x";
    log += "x";
    EXPECT_EQ(folder + "\\", item.getDirectory());
    EXPECT_EQ(folder + "\\actlog.txt", item.getLogPath());
}

// Folders handed over with extra separators give single-backslash paths.
TEST(StoredItem, NormalisesTheFolderPath)
{
    const std::string folder = itemtest::scratch("folder_forms");
    const std::string forms[] = {folder, folder + "\\", folder + "\\\\", folder + "/"};
    for (const std::string& form : forms) {
        MonitorItemSettingsImpl item(form);
        EXPECT_EQ(folder + "\\", item.getDirectory()) << "given " << form;
    }
}

TEST(StoredItem, HandWrittenFilesLoad)
{
    const std::string folder = itemtest::scratch("hand_written");
    writeBytes(folder + "\\options.cfg",
               "Router|10.0.0.1|1|2|3|6|700|" + std::string(19, '|') +
                   "first@x.org$ second@y.org trailing words$|0|0||0||8080|");
    MonitorItemSettingsImpl item(folder);
    EXPECT_EQ("Router", item.getGeneral().name);
    EXPECT_EQ("10.0.0.1", item.getGeneral().address);
    EXPECT_TRUE(item.getGeneral().enabled);
    EXPECT_EQ(2, item.getGeneral().interval);
    EXPECT_EQ(UnitHours, item.getGeneral().intervalUnit);
    EXPECT_EQ(ItemPort, item.getGeneral().type);
    EXPECT_EQ(700, item.getGeneral().timeoutMs);
    EXPECT_EQ(8080, item.getGeneral().port);
    // Present but empty values read as 0, not as the new-item defaults.
    EXPECT_FALSE(item.getAlarmTrigger().enabled);
    EXPECT_EQ(0, item.getAlarmTrigger().failureThreshold);
    EXPECT_EQ((std::vector<std::string>{"first@x.org", "second@y.org"}),
              item.getMailAction().recipients);
    // No statistics.cfg: nothing recorded yet.
    EXPECT_EQ(0, item.getStatus().totalChecks);
    EXPECT_EQ(0, item.getStatus().lastSuccessTime);
    EXPECT_TRUE(item.historyBegin() == item.historyEnd());
}

TEST(StoredItem, StatisticsWithNaTimesReadAsZero)
{
    const std::string folder = itemtest::scratch("na_times");
    writeBytes(folder + "\\statistics.cfg", "2|10^1^ok^5^1^]20^1^down^0^0^]|1|N/A|N/A|0|down|");
    MonitorItemSettingsImpl item(folder);
    EXPECT_EQ(2, item.getStatus().totalChecks);
    EXPECT_EQ(1, item.getStatus().failedChecks);
    EXPECT_EQ(0, item.getStatus().lastFailureTime);
    EXPECT_EQ(0, item.getStatus().lastSuccessTime);
    EXPECT_EQ("down", item.getStatus().lastMessage);
    EXPECT_EQ(2, item.historyEnd() - item.historyBegin());
    item.save();
    EXPECT_EQ("2|10^1^ok^5^1^]20^1^down^0^0^]|1|0|0|0|down|",
              readBytes(folder + "\\statistics.cfg"));
}

// Saving never creates the folder: a removed item folder stays removed.
TEST(StoredItem, SaveIntoAMissingFolderWritesNothing)
{
    const std::string parent = itemtest::scratch("missing_folder");
    const std::string folder = parent + "\\gone";
    {
        MonitorItemSettingsImpl item(folder);
        item.getGeneral().name = "x";
        item.save();
    }
    EXPECT_FALSE(itemtest::pathExists(folder));
}

// A save goes through a temporary file: a leftover of a crashed save neither disturbs loading
// nor survives the next save, and a save that cannot write keeps the old file whole.
TEST(StoredItem, SaveReplacesFilesInOneStep)
{
    const std::string folder = itemtest::scratch("atomic_save");
    const std::string options = folder + "\\options.cfg";
    {
        MonitorItemSettingsImpl item(folder);
        item.getGeneral().name = "old";
    }
    const std::string oldBytes = readBytes(options);
    ASSERT_NE(std::string::npos, oldBytes.find("old|"));

    writeBytes(options + ".tmp", "half-written garb");
    {
        MonitorItemSettingsImpl item(folder);
        EXPECT_EQ("old", item.getGeneral().name);
        item.getGeneral().name = "new";
        item.save();
        EXPECT_FALSE(itemtest::pathExists(options + ".tmp"));
        EXPECT_EQ("new", MonitorItemSettingsImpl(folder).getGeneral().name);
    }

    // The temporary path is taken by a folder: the write fails and the file stays as it was.
    const std::string newBytes = readBytes(options);
    ASSERT_TRUE(CreateDirectoryA((options + ".tmp").c_str(), nullptr));
    {
        MonitorItemSettingsImpl item(folder);
        item.getGeneral().name = "lost";
        item.save();
        EXPECT_EQ(newBytes, readBytes(options));
    }
    EXPECT_EQ(newBytes, readBytes(options));
}

struct OpenReader {
    const char* name;
    DWORD share;
    bool letsGo;   // the reader closes the file once the save has begun, else after it
};

class StoredItemOpenElsewhere : public ::testing::TestWithParam<OpenReader> {};

struct HeldFile {
    HANDLE file;
    std::string temporary;
};

// Closes the held file as soon as the save's temporary file appears.
DWORD WINAPI closeWhenSaving(void* context)
{
    HeldFile* held = static_cast<HeldFile*>(context);
    while (!itemtest::pathExists(held->temporary))
        Sleep(1);
    CloseHandle(held->file);
    return 0;
}

// A file that another program has open for reading is still replaced: at once when it lets the
// file be deleted, else as soon as it lets go (within the save's few retries).
TEST_P(StoredItemOpenElsewhere, SaveReplacesTheFile)
{
    const OpenReader& open = GetParam();
    const std::string folder = itemtest::scratch(std::string("open_") + open.name);
    const std::string options = folder + "\\options.cfg";
    MonitorItemSettingsImpl item(folder);
    item.save();
    HeldFile held = {CreateFileA(options.c_str(), GENERIC_READ, open.share, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                     options + ".tmp"};
    ASSERT_NE(INVALID_HANDLE_VALUE, held.file);
    HANDLE closer = nullptr;
    if (open.letsGo) {
        closer = CreateThread(nullptr, 0, closeWhenSaving, &held, 0, nullptr);
        ASSERT_NE(nullptr, closer);
    }
    item.getGeneral().name = "while open";
    item.save();
    if (closer) {
        WaitForSingleObject(closer, INFINITE);
        CloseHandle(closer);
    } else {
        CloseHandle(held.file);
    }
    EXPECT_EQ("while open", MonitorItemSettingsImpl(folder).getGeneral().name);
    EXPECT_FALSE(itemtest::pathExists(options + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Readers, StoredItemOpenElsewhere,
    ::testing::Values(
        OpenReader{"sharing_delete", FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, false},
        OpenReader{"not_sharing_delete", FILE_SHARE_READ | FILE_SHARE_WRITE, true}),
    [](const ::testing::TestParamInfo<OpenReader>& info) { return info.param.name; });

}  // namespace
