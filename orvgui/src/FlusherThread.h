// The GUI's periodic saving: every period (120 seconds) each registered item writes its files, so
// that statistics gathered by the workers survive a crash. The list is touched by the GUI thread
// (add, remove) and this thread, always under the lock; remove therefore waits for a running pass,
// so a removed item is never saved afterwards.
//
// Shut-down calls stopAndWait before the workers are stopped and the items unloaded: a save still
// running then would touch freed items.
#pragma once

#include <windows.h>

#include <vector>

#include "workers/Thread.h"

class MonitorItemSettings;

class FlusherThread : public Thread {
public:
    static constexpr int kPeriodSeconds = 120;

    // The process-wide thread (not started); destroyed at program exit.
    static FlusherThread* instance();

    explicit FlusherThread(int periodSeconds = kPeriodSeconds);
    // Stops the thread and waits for it, so that no pass outlives the list.
    ~FlusherThread() override;

    // Appends the item (an item added twice is saved twice per pass).
    void add(MonitorItemSettings* item);
    // Removes the first entry of the item; an absent item is ignored.
    void remove(MonitorItemSettings* item);

    // Asks the thread to stop, waits until it has ended (a save in progress finishes first) and
    // forgets every item; from then on no item is saved again. Safe to call more than once, also
    // on a thread never started. Not from the thread itself.
    void stopAndWait();

protected:
    // Sleeps a period first; a stop (or wake) ends it, also between two saves of a pass.
    void run() override;

private:
    int periodSeconds_;
    CRITICAL_SECTION lock_;
    std::vector<MonitorItemSettings*> items_;
};
