// Periodic saving with a short period: every registered item is saved each pass, a removed one no
// more, and a stop ends the thread at once, also in the middle of a pass.
#include "orv/gtest.h"

#include <windows.h>

#include "FlusherThread.h"
#include "Monitor/MonitorItemManager.h"

namespace {

// An item that counts its saves (and can hold a save until a gate opens); everything else goes to
// a temporary item.
class CountingItem : public MonitorItemSettings {
public:
    CountingItem() : inner_(MonitorItemManager::instance()->createTemporaryItem("counting")) {}
    ~CountingItem() override { MonitorItemManager::instance()->deleteTemporaryItem(inner_); }

    volatile LONG saves = 0;
    HANDLE entered = nullptr;   // set when a save starts
    HANDLE gate = nullptr;      // a save waits for it

    void save() override
    {
        if (entered)
            SetEvent(entered);
        if (gate)
            WaitForSingleObject(gate, 10000);
        InterlockedIncrement(&saves);
    }

    ItemGeneralSettings& getGeneral() override { return inner_->getGeneral(); }
    FtpSettings& getFtp() override { return inner_->getFtp(); }
    HttpSettings& getHttp() override { return inner_->getHttp(); }
    Pop3Settings& getPop3() override { return inner_->getPop3(); }
    SmtpSettings& getSmtp() override { return inner_->getSmtp(); }
    AlarmTrigger& getAlarmTrigger() override { return inner_->getAlarmTrigger(); }
    CommandAction& getCommandAction() override { return inner_->getCommandAction(); }
    MailAction& getMailAction() override { return inner_->getMailAction(); }
    SoundAction& getSoundAction() override { return inner_->getSoundAction(); }
    VisualAction& getVisualAction() override { return inner_->getVisualAction(); }
    ItemStatus& getStatus() override { return inner_->getStatus(); }
    std::string getLogPath() override { return inner_->getLogPath(); }
    std::string getDirectory() override { return inner_->getDirectory(); }
    void addResult(std::time_t time, int code, const std::string& message, int responseMs,
                   bool ok) override
    {
        inner_->addResult(time, code, message, responseMs, ok);
    }
    void resetStatistics() override { inner_->resetStatistics(); }
    HistoryIterator historyBegin() override { return inner_->historyBegin(); }
    HistoryIterator historyEnd() override { return inner_->historyEnd(); }
    void lock() override { inner_->lock(); }
    void unlock() override { inner_->unlock(); }

private:
    MonitorItemSettings* inner_;
};

bool waitForSaves(CountingItem& item, LONG count, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); item.saves < count;) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

}  // namespace

TEST(FlusherThread, SavesEveryRegisteredItemEachPeriodAndNoRemovedOne)
{
    CountingItem a, b, removed;
    FlusherThread flusher(1);
    flusher.add(&a);
    flusher.add(&removed);
    flusher.add(&b);
    flusher.add(&b);
    flusher.remove(&removed);
    flusher.remove(&removed);   // absent: ignored

    DWORD started = GetTickCount();
    ASSERT_TRUE(flusher.start());
    ASSERT_TRUE(waitForSaves(a, 2, 5000));
    EXPECT_GE(GetTickCount() - started, 1900u) << "nothing is saved before the first period";
    ASSERT_TRUE(waitForSaves(b, 4, 5000)) << "an item added twice is saved twice a pass";
    EXPECT_EQ(0, removed.saves);

    flusher.stop();
    HANDLE thread = flusher.duplicateHandle();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 2000));
    CloseHandle(thread);
}

TEST(FlusherThread, AStopDuringAPassEndsItAfterTheItemBeingSaved)
{
    CountingItem first, second;
    first.entered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    first.gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    FlusherThread flusher(1);
    flusher.add(&first);
    flusher.add(&second);
    ASSERT_TRUE(flusher.start());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(first.entered, 5000));

    flusher.stop();
    SetEvent(first.gate);
    HANDLE thread = flusher.duplicateHandle();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 2000));
    CloseHandle(thread);
    EXPECT_EQ(1, first.saves);
    EXPECT_EQ(0, second.saves);
    CloseHandle(first.entered);
    CloseHandle(first.gate);
}

TEST(FlusherThread, WithNothingRegisteredItOnlySleepsAndStopsAtOnce)
{
    FlusherThread flusher(1);
    ASSERT_TRUE(flusher.start());
    Sleep(1200);
    DWORD asked = GetTickCount();
    flusher.stop();
    HANDLE thread = flusher.duplicateHandle();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 2000));
    EXPECT_LT(GetTickCount() - asked, 1000u);
    CloseHandle(thread);
}

TEST(FlusherThread, StopAndWaitLetsTheSaveInProgressEndBeforeTheItemsGo)
{
    CountingItem* first = new CountingItem;
    CountingItem* second = new CountingItem;
    first->entered = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    first->gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE entered = first->entered;
    HANDLE gate = first->gate;
    FlusherThread flusher(1);
    flusher.add(first);
    flusher.add(second);
    ASSERT_TRUE(flusher.start());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(entered, 5000));

    // Shut-down asks on a thread of its own; the save is held at the gate meanwhile.
    struct Stopper {
        static DWORD WINAPI run(LPVOID flusher)
        {
            static_cast<FlusherThread*>(flusher)->stopAndWait();
            return 0;
        }
    };
    HANDLE stopper = CreateThread(nullptr, 0, &Stopper::run, &flusher, 0, nullptr);
    ASSERT_NE(nullptr, stopper);
    // While the save holds, stopAndWait cannot have returned, whenever this thread looks.
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(stopper, 300));
    EXPECT_EQ(0, first->saves);
    SetEvent(gate);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(stopper, 5000));
    CloseHandle(stopper);

    // The save ended before stopAndWait returned, and nothing runs any more: the items may go.
    EXPECT_EQ(1, first->saves);
    EXPECT_EQ(0, second->saves);
    delete first;
    delete second;
    HANDLE thread = flusher.duplicateHandle();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 0));
    CloseHandle(thread);

    // Items registered afterwards are never saved, and a second call returns at once.
    CountingItem late;
    flusher.add(&late);
    flusher.stopAndWait();
    EXPECT_EQ(0, late.saves);
    CloseHandle(entered);
    CloseHandle(gate);
}

TEST(FlusherThread, StopAndWaitOnAThreadNeverStartedReturnsAtOnce)
{
    CountingItem item;
    FlusherThread flusher(1);
    flusher.add(&item);
    flusher.stopAndWait();
    ASSERT_TRUE(flusher.start());   // a stop is never lost: the thread ends at its first sleep
    HANDLE thread = flusher.duplicateHandle();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 2000));
    CloseHandle(thread);
    EXPECT_EQ(0, item.saves);
}
