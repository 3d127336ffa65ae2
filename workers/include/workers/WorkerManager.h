// The workers library's entry point for the hosts: one worker per item, created by the item's
// type, and the operations the GUI and the service apply to it. Hosts call stopAll before they
// unload their items: when it returns, no worker touches an item any more, except the items for
// which isRunning still answers true (a worker that did not end within stopAll's bound): those
// are saved but must not be freed.
#pragma once

#include <string>

class MonitorItemSettings;
class Worker;

class WorkerManager {
public:
    // The process-wide manager, created on the first call.
    static WorkerManager* instance();

    virtual ~WorkerManager() {}

    // A new, not yet started worker for the item's type (Ping, HTTP, HTTPS, SMTP, POP3, FTP,
    // Port); null for a type it does not know. An item that already has a worker keeps the mapped
    // one; the new worker is returned all the same, unmapped.
    virtual Worker* createWorker(MonitorItemSettings* item) = 0;
    // Forgets the worker (first entry in item order); the worker itself is left alone.
    virtual void removeWorker(Worker* worker) = 0;
    virtual void setProxy(bool use, const std::string& proxy, const std::string& user,
                          const std::string& password) = 0;
    virtual void getProxy(bool& use, std::string& proxy, std::string& user,
                          std::string& password) = 0;
    virtual void startWorker(Worker* worker) = 0;
    // Asks the item's worker to end at its next sleep and forgets it.
    virtual void stopWorker(MonitorItemSettings* item) = 0;
    virtual void suspendWorker(MonitorItemSettings* item) = 0;
    virtual void resumeWorker(MonitorItemSettings* item) = 0;
    // Stops every worker whose thread is still running (suspended ones, ones forgotten by
    // stopWorker or replaced by recreateWorker, and test runs too) and waits until their threads
    // have ended, at most 30 seconds; workers that did not end by then are logged by item, and
    // isRunning tells their items.
    virtual void stopAll() = 0;
    // The item's worker runs its next cycle now.
    virtual void wakeWorker(MonitorItemSettings* item) = 0;
    // The last page an HTTP or HTTPS item's worker downloaded; empty for other items.
    virtual std::string getLastPage(MonitorItemSettings* item) = 0;
    // Same as removeWorker; what a test run uses so that stopAll does not reach its worker.
    virtual void detachWorker(Worker* worker) = 0;
    // Replaces the item's worker by a new one for its current settings, with the same notifiers,
    // and starts it (suspended when the old one was). The old worker is stopped; the new one
    // begins its first cycle, and so calls the notifiers, only once the old thread has ended.
    // For a type with no check the old worker keeps its notifiers and releases them as it ends.
    virtual void recreateWorker(MonitorItemSettings* item) = 0;
    // A started worker of the item has not yet ended: the item must not be freed.
    virtual bool isRunning(MonitorItemSettings* item) = 0;
};
