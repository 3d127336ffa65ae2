// One worker as the hosts hold it (from WorkerManager::createWorker). A worker deletes itself when
// its thread ends; hosts never delete it. attach, detach and setTestMode belong before the start.
#pragma once

class Notifier;

class Worker {
public:
    virtual ~Worker() {}
    // Adds the notifier unless it is already attached.
    virtual void attach(Notifier* notifier) = 0;
    // Removes the notifier when attached; the others keep their order.
    virtual void detach(Notifier* notifier) = 0;
    // Test mode: one test cycle reported as texts (events 0, 1, 2, 4), notifiers left to the caller.
    virtual void setTestMode(bool testMode) = 0;
};
