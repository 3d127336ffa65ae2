// addResult and resetStatistics on stored items; what the in-memory item does instead.
#include "orv/gtest.h"

#include "ItemFiles.h"
#include "MonitorItemSettingsImpl.h"
#include "TemporaryMonitorItemSettingsImpl.h"

using itemtest::readBytes;

namespace {

struct Check {
    bool ok;
    int responseMs;
};

struct RecordingCase {
    const char* name;
    std::vector<Check> checks;
    float average;
    int consecutiveSuccesses;
    int consecutiveFailures;
    int failedChecks;
};

class ResultRecording : public ::testing::TestWithParam<RecordingCase> {};

TEST_P(ResultRecording, KeepsTheRunningStatistics)
{
    const RecordingCase& c = GetParam();
    MonitorItemSettingsImpl item(itemtest::scratch(std::string("recording_") + c.name));
    std::time_t time = 1700000000;
    for (const Check& check : c.checks)
        item.addResult(time += 60, check.ok ? 200 : 0, check.ok ? "up" : "down", check.responseMs,
                       check.ok);
    const ItemStatus& s = item.getStatus();
    EXPECT_EQ(c.average, s.averageResponseMs);
    EXPECT_EQ(c.consecutiveSuccesses, s.consecutiveSuccesses);
    EXPECT_EQ(c.consecutiveFailures, s.consecutiveFailures);
    EXPECT_EQ(c.failedChecks, s.failedChecks);
    EXPECT_EQ(static_cast<int>(c.checks.size()), s.totalChecks);
    EXPECT_EQ(static_cast<long>(c.checks.size()), item.historyEnd() - item.historyBegin());
    EXPECT_EQ(c.checks.back().responseMs, s.lastResponseMs);
    EXPECT_EQ(c.checks.back().ok ? "up" : "down", s.lastMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ResultRecording,
    ::testing::Values(
        // Zero means "not measured": left out, and 351 / 2 is truncated.
        RecordingCase{"zero_left_out", {{true, 100}, {true, 0}, {true, 251}}, 175, 3, 0, 0},
        RecordingCase{"fail_fail_ok_fail",
                      {{false, 10}, {false, 10}, {true, 10}, {false, 10}}, 10, 0, 1, 3},
        RecordingCase{"run_of_successes", {{false, 5}, {true, 1}, {true, 2}, {true, 4}}, 3, 3, 0,
                      1},
        RecordingCase{"only_zero_times", {{false, 0}, {false, 0}}, 0, 0, 2, 2},
        RecordingCase{"negative_times_left_out", {{true, -5}, {true, 9}}, 9, 2, 0, 0},
        // The sum of many long times does not overflow a 32-bit int.
        RecordingCase{"large_times",
                      {{true, 2000000000}, {true, 2000000000}, {true, 2000000001}},
                      2000000000.0f, 3, 0, 0}),
    [](const ::testing::TestParamInfo<RecordingCase>& info) { return info.param.name; });

TEST(ResultRecordingTimes, SuccessAndFailureTimesFollowTheirChecks)
{
    MonitorItemSettingsImpl item(itemtest::scratch("recording_times"));
    item.addResult(1000, 0, "down", 0, false);
    EXPECT_EQ(1000, item.getStatus().lastFailureTime);
    EXPECT_EQ(0, item.getStatus().lastSuccessTime);
    EXPECT_EQ(0, item.getStatus().consecutiveSuccesses);
    item.addResult(1060, 200, "up", 7, true);
    EXPECT_EQ(1000, item.getStatus().lastFailureTime);
    EXPECT_EQ(1060, item.getStatus().lastSuccessTime);

    const ResultRecord& r = *(item.historyEnd() - 1);
    EXPECT_EQ(1060, r.time);
    EXPECT_EQ(200, r.code);
    EXPECT_EQ("up", r.message);
    EXPECT_EQ(7, r.responseMs);
    EXPECT_TRUE(r.ok);
}

// Recording changes memory only; the files follow at the next save.
TEST(ResultRecordingTimes, RecordingWritesNoFile)
{
    const std::string folder = itemtest::scratch("recording_no_file");
    MonitorItemSettingsImpl item(folder);
    item.addResult(1000, 1, "x", 3, true);
    EXPECT_EQ("<missing>", readBytes(folder + "\\statistics.cfg"));
    item.save();
    EXPECT_EQ("1|1000^1^x^3^1^]|0|0|1000|3|x|", readBytes(folder + "\\statistics.cfg"));
}

TEST(ResetStatistics, ClearsStatisticsAndWritesTheFileAtOnce)
{
    const std::string folder = itemtest::scratch("reset");
    MonitorItemSettingsImpl item(folder);
    item.getGeneral().name = "kept";
    item.save();
    const std::string options = readBytes(folder + "\\options.cfg");
    item.addResult(1000, 200, "up", 50, true);
    item.addResult(1060, 0, "down", 0, false);
    item.getStatus().busy = 1;
    item.getStatus().failed = 1;
    item.getStatus().nextRunTime = 1120;

    item.resetStatistics();
    EXPECT_EQ("0||0|N/A|N/A|0||", readBytes(folder + "\\statistics.cfg"));
    EXPECT_EQ(options, readBytes(folder + "\\options.cfg"));
    const ItemStatus& s = item.getStatus();
    EXPECT_TRUE(item.historyBegin() == item.historyEnd());
    EXPECT_EQ(0, s.totalChecks);
    EXPECT_EQ(0, s.failedChecks);
    EXPECT_EQ(0, s.lastFailureTime);
    EXPECT_EQ(0, s.lastSuccessTime);
    EXPECT_EQ(0, s.lastResponseMs);
    EXPECT_EQ("", s.lastMessage);
    EXPECT_EQ(0.0f, s.averageResponseMs);
    EXPECT_EQ(0, s.consecutiveFailures);
    EXPECT_EQ(0, s.consecutiveSuccesses);
    // Live state and settings are not statistics.
    EXPECT_EQ(1, s.busy);
    EXPECT_EQ(1, s.failed);
    EXPECT_EQ(1120, s.nextRunTime);
    EXPECT_TRUE(s.active);
    EXPECT_EQ("kept", item.getGeneral().name);

    item.save();
    EXPECT_EQ("0||0|0|0|0||", readBytes(folder + "\\statistics.cfg"));
}

TEST(TemporaryItem, RecordsAndStoresNothing)
{
    TemporaryMonitorItemSettingsImpl item;
    EXPECT_EQ("", item.getGeneral().name);
    EXPECT_EQ(0, item.getGeneral().interval);
    EXPECT_EQ(0, item.getGeneral().timeoutMs);
    EXPECT_FALSE(item.getAlarmTrigger().enabled);
    EXPECT_EQ(0, item.getAlarmTrigger().failureThreshold);
    EXPECT_FALSE(item.getStatus().active);

    item.addResult(1000, 200, "up", 5, true);
    item.addResult(1060, 0, "down", 5, false);
    EXPECT_TRUE(item.historyBegin() == item.historyEnd());
    EXPECT_EQ(0, item.getStatus().totalChecks);
    EXPECT_EQ(0, item.getStatus().failedChecks);
    EXPECT_EQ("", item.getStatus().lastMessage);
    item.getStatus().totalChecks = 4;
    item.resetStatistics();
    EXPECT_EQ(4, item.getStatus().totalChecks);
    EXPECT_EQ("c:\\", item.getDirectory());
}

// Each call hands out the same path and clears the file a test run left there.
TEST(TemporaryItem, LogPathIsClearedOnEveryCall)
{
    TemporaryMonitorItemSettingsImpl item;
    const std::string path = item.getLogPath();
    EXPECT_EQ("temp.cfg", path.substr(path.size() - 8));
    EXPECT_EQ(std::string::npos, path.find("\\\\"));
    itemtest::writeBytes(path, "old log");
    ASSERT_TRUE(itemtest::pathExists(path));
    EXPECT_EQ(path, item.getLogPath());
    EXPECT_FALSE(itemtest::pathExists(path));
}

}  // namespace
