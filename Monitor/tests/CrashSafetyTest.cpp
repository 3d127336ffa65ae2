// A process killed while it saves leaves the old or the new file, never a cut one.
#include "orv/gtest.h"

#include "ItemFiles.h"
#include "Monitor/MonitorItemManager.h"
#include "ProbeProcess.h"
#include "ValueCodec.h"

namespace {

std::vector<std::string> splitValues(const std::string& text)
{
    std::vector<std::string> values;
    std::string::size_type start = 0, end;
    while ((end = text.find('|', start)) != std::string::npos) {
        values.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start != text.size())
        values.push_back("<unterminated>" + text.substr(start, 40));
    return values;
}

TEST(CrashSafety, KilledSaveLeavesAWholeFile)
{
    const std::string base = itemtest::scratch("crash");
    const std::string data = base + "\\data";
    CreateDirectoryA(data.c_str(), nullptr);
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(data);
    MonitorItemSettings* item = store->createItem("");
    item->getGeneral().name = "gen 0";
    item->getSmtp().body.assign(1 << 21, 'a');
    store->unloadAll();
    store->release();

    int newest = 0;
    for (unsigned round = 0; round < 6; ++round) {
        itemtest::ProbeRun run = itemtest::runProbe("save_probe", base, base,
                                                    "\"" + data + "\"", 40 + 37 * round);
        ASSERT_TRUE(run.killed) << "exit code " << run.exitCode << ", output " << run.output;

        const std::vector<std::string> values =
            splitValues(itemtest::readBytes(data + "\\Item_1\\options.cfg"));
        ASSERT_EQ(51u, values.size()) << "round " << round;
        ASSERT_EQ("gen ", values[0].substr(0, 4)) << "round " << round;
        const int generation = ValueCodec::readInt(values[0].substr(4));
        const std::string body(1 << 21, static_cast<char>('a' + generation % 26));
        ASSERT_TRUE(values[47] == body) << "round " << round << ": body of " << values[0]
                                        << " has " << values[47].size() << " bytes";
        newest = std::max(newest, generation);
    }
    // The program did save while it ran; otherwise nothing was shown.
    EXPECT_GT(newest, 0);
}

}  // namespace
