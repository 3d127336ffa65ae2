// A save writes only the files whose bytes changed, whichever way the item was changed: records
// edited in place through the references the item hands out, results, statistics reset.
#include "orv/gtest.h"

#include <functional>

#include "ItemFiles.h"
#include "MonitorItemSettingsImpl.h"

using itemtest::readBytes;
using itemtest::writeBytes;

namespace {

const char kMarker[] = "marker: not written since";

struct ChangeCase {
    const char* name;
    std::function<void(MonitorItemSettingsImpl&)> change;
    bool optionsWritten;
    bool statisticsWritten;
};

class UnchangedSave : public ::testing::TestWithParam<ChangeCase> {};

// The files are replaced by a marker after a first save: a later save that writes a file
// replaces the marker, one that writes nothing leaves it.
TEST_P(UnchangedSave, WritesOnlyTheChangedFiles)
{
    const ChangeCase& c = GetParam();
    const std::string folder = itemtest::scratch(std::string("unchanged_") + c.name);
    const std::string options = folder + "\\options.cfg";
    const std::string statistics = folder + "\\statistics.cfg";
    writeBytes(options, "Router|192.168.0.1|");
    writeBytes(statistics, "1|1700000000^200^Success^312^1^]|0|0|1700000000|312|Success|");

    MonitorItemSettingsImpl item(folder + "\\");
    item.save();
    writeBytes(options, kMarker);
    writeBytes(statistics, kMarker);

    c.change(item);
    item.save();
    EXPECT_EQ(c.optionsWritten, readBytes(options) != kMarker);
    EXPECT_EQ(c.statisticsWritten, readBytes(statistics) != kMarker);
    EXPECT_FALSE(itemtest::pathExists(options + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, UnchangedSave,
    ::testing::Values(
        ChangeCase{"nothing", [](MonitorItemSettingsImpl&) {}, false, false},
        ChangeCase{"name_in_place",
                   [](MonitorItemSettingsImpl& i) { i.getGeneral().name += "!"; }, true, false},
        ChangeCase{"recipient_added",
                   [](MonitorItemSettingsImpl& i) {
                       i.getMailAction().recipients.push_back("a@x.org");
                   },
                   true, false},
        ChangeCase{"flag_in_place",
                   [](MonitorItemSettingsImpl& i) { i.getSmtp().reservedFlag = true; }, true,
                   false},
        ChangeCase{"status_in_place",
                   [](MonitorItemSettingsImpl& i) { i.getStatus().failedChecks = 9; }, false,
                   true},
        // Live state that is not stored changes no file.
        ChangeCase{"live_state_only",
                   [](MonitorItemSettingsImpl& i) {
                       i.getStatus().busy = 1;
                       i.getStatus().nextRunTime = 99;
                   },
                   false, false},
        ChangeCase{"result", [](MonitorItemSettingsImpl& i) {
                       i.addResult(1700000060, 1, "Timed out", 0, false);
                   },
                   false, true},
        // The reset writes statistics.cfg at once with "N/A" times; the save after it writes
        // them as numbers, and the next save has nothing left to write.
        ChangeCase{"reset_then_save",
                   [](MonitorItemSettingsImpl& i) {
                       i.resetStatistics();
                       i.save();
                       writeBytes(i.getDirectory() + "statistics.cfg", kMarker);
                   },
                   false, false},
        // Changed and changed back: the bytes are the same, so nothing is written.
        ChangeCase{"changed_back",
                   [](MonitorItemSettingsImpl& i) {
                       i.getGeneral().interval = 99;
                       i.getGeneral().interval = 20;
                   },
                   false, false}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return info.param.name; });

// Results recorded one by one give the same file as the same history written whole: on an item
// read from a file (whose history text is re-encoded at its first save) and on a new one.
TEST(UnchangedSave, HistoryKeptEntryByEntryIsTheHistoryWrittenWhole)
{
    const std::string expected =
        "3|1700000000^200^Success^312^1^]"
        "1700000060^1^bad \x1b" "5Dreply\x1b" "5E^0^0^]"
        "-5^404^HTTP/1.1 404 Not Found^95^0^]|2|-5|1700000000|95|HTTP/1.1 404 Not Found|";
    for (bool fromFile : {true, false}) {
        const std::string folder = itemtest::scratch(fromFile ? "history_file" : "history_new");
        const std::string statistics = folder + "\\statistics.cfg";
        if (fromFile)
            // The same first entry in a form that is not the written one: leading zeros.
            writeBytes(statistics, "1|01700000000^0200^Success^312^1^]|0|N/A|1700000000|312|Success|");
        MonitorItemSettingsImpl item(folder + "\\");
        if (!fromFile)
            item.addResult(1700000000, 200, "Success", 312, true);
        item.save();
        item.addResult(1700000060, 1, "bad ]reply^", 0, false);
        item.save();
        item.addResult(-5, 404, "HTTP/1.1 404 Not Found", 95, false);
        item.save();
        EXPECT_EQ(expected, readBytes(statistics)) << (fromFile ? "from file" : "new item");
    }
}

}  // namespace
