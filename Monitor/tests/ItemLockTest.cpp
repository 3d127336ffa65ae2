// A worker thread records results while a host thread saves and reads the same item: every
// saved file and every locked read must show one consistent state.
#include "orv/gtest.h"

#include <atomic>

#include "ItemFiles.h"
#include "Monitor/MonitorItemLock.h"
#include "MonitorItemSettingsImpl.h"
#include "ValueCodec.h"

namespace {

const int kResults = 3000;

struct WorkerArgs {
    MonitorItemSettings* item;
    std::atomic<bool> done{false};
};

// Long, varying messages make a torn copy visible.
std::string messageFor(int i)
{
    return std::string(200 + i % 50, static_cast<char>('a' + i % 26)) + "#" + std::to_string(i);
}

DWORD WINAPI recordResults(LPVOID param)
{
    WorkerArgs* args = static_cast<WorkerArgs*>(param);
    for (int i = 0; i < kResults; ++i) {
        {
            MonitorItemLock hold(args->item);
            args->item->getStatus().busy = 1;
        }
        args->item->addResult(1700000000 + i, 200, messageFor(i), i % 100, i % 3 != 0);
        MonitorItemLock hold(args->item);
        args->item->getStatus().busy = 0;
    }
    args->done = true;
    return 0;
}

std::vector<std::string> splitValues(const std::string& text)
{
    std::vector<std::string> values;
    std::string::size_type start = 0, end;
    while ((end = text.find('|', start)) != std::string::npos) {
        values.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return values;
}

TEST(ItemLock, SavesAndReadsSeeWholeResults)
{
    const std::string folder = itemtest::scratch("lock");
    MonitorItemSettingsImpl item(folder);
    WorkerArgs args;
    args.item = &item;
    HANDLE thread = CreateThread(nullptr, 0, recordResults, &args, 0, nullptr);
    ASSERT_NE(nullptr, thread);

    int saves = 0;
    while (!args.done) {
        item.save();
        ++saves;
        const std::vector<std::string> values =
            splitValues(itemtest::readBytes(folder + "\\statistics.cfg"));
        ASSERT_EQ(7u, values.size());
        const MonitorItemSettings::History history = ValueCodec::decodeHistory(values[1]);
        const int total = ValueCodec::readInt(values[0]);
        ASSERT_EQ(static_cast<int>(history.size()), total) << "save " << saves;
        if (total > 0) {
            ASSERT_EQ(messageFor(total - 1), history.back().message) << "save " << saves;
            ASSERT_EQ(messageFor(total - 1), values[6]) << "save " << saves;
        }

        // A locked reader walks the history while the worker would otherwise grow it.
        MonitorItemLock hold(item);
        int count = 0;
        for (auto it = item.historyBegin(); it != item.historyEnd(); ++it)
            ASSERT_EQ(messageFor(count++), it->message);
        ASSERT_EQ(item.getStatus().totalChecks, count);
        if (count > 0) {
            ASSERT_EQ(messageFor(count - 1), item.getStatus().lastMessage);
        }
    }
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    EXPECT_EQ(kResults, item.getStatus().totalChecks);
    EXPECT_EQ(0, item.getStatus().busy);
}

}  // namespace
