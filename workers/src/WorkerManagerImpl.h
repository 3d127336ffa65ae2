// The one WorkerManager: the map from item to worker under one recursive lock, and the proxy
// settings the HTTP and FTP checks read.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "DescriptorBudget.h"
#include "orv/log4cxx.h"
#include "workers/WorkerManager.h"

class CommonWorkerImpl;

class WorkerManagerImpl : public WorkerManager {
public:
    WorkerManagerImpl();
    ~WorkerManagerImpl() override;

    Worker* createWorker(MonitorItemSettings* item) override;
    void removeWorker(Worker* worker) override;
    void setProxy(bool use, const std::string& proxy, const std::string& user,
                  const std::string& password) override;
    void getProxy(bool& use, std::string& proxy, std::string& user, std::string& password) override;
    void startWorker(Worker* worker) override;
    void stopWorker(MonitorItemSettings* item) override;
    void suspendWorker(MonitorItemSettings* item) override;
    void resumeWorker(MonitorItemSettings* item) override;
    void stopAll() override;
    void wakeWorker(MonitorItemSettings* item) override;
    std::string getLastPage(MonitorItemSettings* item) override;
    void detachWorker(Worker* worker) override;
    void recreateWorker(MonitorItemSettings* item) override;
    bool isRunning(MonitorItemSettings* item) override;

    // Called by a worker on its own thread just before it deletes itself: its entries go, so no
    // host call can reach the deleted object.
    static void workerEnding(CommonWorkerImpl* worker);

    // How long stopAll waits for the threads (30 s); tests shorten it.
    void setStopAllTimeout(DWORD ms) { stopAllTimeoutMs_ = ms; }
    // The worker mapped for the item, or null.
    Worker* findWorker(MonitorItemSettings* item);

private:
    // The worker for an item type; null for a type with no check.
    static Worker* newWorkerFor(MonitorItemSettings* item, int type);
    void forget(Worker* worker);
    // Starts the worker's thread and keeps it among the running workers until it ends; refuses
    // (and logs why) when the process's file descriptors would not last for it.
    bool startTracked(CommonWorkerImpl* worker);

    std::string proxy_;
    std::string proxyUser_;
    std::string proxyPassword_;
    bool useProxy_;
    log4cxx::LoggerPtr logger_;
    std::map<MonitorItemSettings*, Worker*> workers_;
    // Every started worker whose thread has not yet reached its end, mapped or not, with its item.
    std::map<CommonWorkerImpl*, MonitorItemSettings*> running_;

    CRITICAL_SECTION lock_;
    // Workers read the proxy from their own threads: a lock of its own keeps them off the map's.
    CRITICAL_SECTION proxyLock_;
    DWORD stopAllTimeoutMs_;
    DescriptorBudget descriptors_;   // under lock_
};
