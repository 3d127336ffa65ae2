#include "WorkerManagerImpl.h"

#include <malloc.h>

#include <vector>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"
#include "FtpWorker.h"
#include "HttpWorker.h"
#include "PingWorker.h"
#include "Pop3Worker.h"
#include "PortWorker.h"
#include "SmtpWorker.h"
#include "workers/CommonWorkerImpl.h"
#include "workers/ScopedLock.h"

namespace {

// Set when the manager is destroyed at process exit: a worker that ends after that must not
// reach for it.
volatile LONG gManagerGone = 0;

WorkerManagerImpl& theManager()
{
    static WorkerManagerImpl manager;
    return manager;
}

}  // namespace

WorkerManager* WorkerManager::instance()
{
    return &theManager();
}

// Checks read up to 16 MB of a page and 64 MB of a mail listing from whatever server they are
// pointed at. The allocator maps blocks that large on their own and unmaps them when freed, but by
// default it raises that bound to the largest block freed so far (up to 32 MB): after one large
// page, the next large reads come from its heaps, which keep them after they are freed. A fixed
// bound keeps every large block going back to the system.
namespace {
const int kOwnMappingBytes = 256 * 1024;
}  // namespace

WorkerManagerImpl::WorkerManagerImpl() : useProxy_(false), stopAllTimeoutMs_(30000)
{
    mallopt(M_MMAP_THRESHOLD, kOwnMappingBytes);
    InitializeCriticalSection(&lock_);
    InitializeCriticalSection(&proxyLock_);
    LogSetup::getLogger(LogSetup::instance(), logger_, "worker.WorkerManagerImpl");
    LOG4CXX_DEBUG(logger_, "Creating unique instance");
}

WorkerManagerImpl::~WorkerManagerImpl()
{
    InterlockedExchange(&gManagerGone, 1);
    LOG4CXX_DEBUG(logger_, "Destroying unique instance");
    workers_.clear();
    DeleteCriticalSection(&proxyLock_);
    DeleteCriticalSection(&lock_);
}

Worker* WorkerManagerImpl::newWorkerFor(MonitorItemSettings* item, int type)
{
    switch (type) {
    case ItemPing: return new PingWorker(item);
    case ItemHttp: return new HttpWorker(item);
    case ItemHttps: {
        HttpWorker* https = new HttpWorker(item);
        https->setSecureMode(true);
        return https;
    }
    case ItemFtp: return new FtpWorker(item);
    case ItemPort: return new PortWorker(item);
    case ItemSmtp: return new SmtpWorker(item);
    case ItemPop3: return new Pop3Worker(item);
    default: return nullptr;
    }
}

Worker* WorkerManagerImpl::createWorker(MonitorItemSettings* item)
{
    if (!item)
        return nullptr;
    ScopedLock guard(lock_);
    int type;
    {
        MonitorItemLock itemLock(item);
        type = item->getGeneral().type;
    }
    Worker* worker = newWorkerFor(item, type);
    if (worker)
        workers_.insert(std::make_pair(item, worker));
    return worker;
}

void WorkerManagerImpl::forget(Worker* worker)
{
    ScopedLock guard(lock_);
    for (auto it = workers_.begin(); it != workers_.end(); ++it) {
        if (it->second == worker) {
            workers_.erase(it);
            return;
        }
    }
}

void WorkerManagerImpl::removeWorker(Worker* worker)
{
    forget(worker);
}

void WorkerManagerImpl::detachWorker(Worker* worker)
{
    forget(worker);
}

void WorkerManagerImpl::workerEnding(CommonWorkerImpl* worker)
{
    if (InterlockedCompareExchange(&gManagerGone, 0, 0) != 0)
        return;
    WorkerManagerImpl& manager = theManager();
    ScopedLock guard(manager.lock_);
    manager.forget(worker);
    manager.running_.erase(worker);
}

bool WorkerManagerImpl::startTracked(CommonWorkerImpl* worker)
{
    ScopedLock guard(lock_);
    if (running_.count(worker) == 0) {
        // Past the process's descriptors every check of every item would fail for want of a
        // socket: this item is not checked instead, and the running ones go on truthfully.
        std::string why;
        if (!descriptors_.admit(running_.size(), why)) {
            // Only the host thread (which is here) writes an item's name, so no lock is needed;
            // the item's lock could be held by a worker still ending on it (recreateWorker).
            const ItemGeneralSettings& general = worker->getItem()->getGeneral();
            LOG4CXX_ERROR(logger_, (boost::format("Cannot start the worker of item %1% (%2%): %3%; the item is "
                                                  "not checked") % general.name % general.address % why).str());
            SetLastError(ERROR_TOO_MANY_OPEN_FILES);
            return false;
        }
    }
    // Entered before the thread runs, so that even a thread that ends at once leaves it again.
    bool fresh = running_.insert(std::make_pair(worker, worker->getItem())).second;
    if (worker->start())
        return true;
    DWORD error = GetLastError();
    if (fresh)
        running_.erase(worker);
    LOG4CXX_ERROR(logger_, (boost::format("Cannot start worker thread: error %1%") % error).str());
    return false;
}

bool WorkerManagerImpl::isRunning(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    for (const auto& entry : running_) {
        if (entry.second == item)
            return true;
    }
    return false;
}

Worker* WorkerManagerImpl::findWorker(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    return it == workers_.end() ? nullptr : it->second;
}

void WorkerManagerImpl::setProxy(bool use, const std::string& proxy, const std::string& user,
                                 const std::string& password)
{
    ScopedLock guard(proxyLock_);
    useProxy_ = use;
    proxy_ = proxy;
    proxyUser_ = user;
    proxyPassword_ = password;
}

void WorkerManagerImpl::getProxy(bool& use, std::string& proxy, std::string& user,
                                 std::string& password)
{
    ScopedLock guard(proxyLock_);
    use = useProxy_;
    proxy = proxy_;
    user = proxyUser_;
    password = proxyPassword_;
}

void WorkerManagerImpl::startWorker(Worker* worker)
{
    ScopedLock guard(lock_);
    if (CommonWorkerImpl* common = dynamic_cast<CommonWorkerImpl*>(worker)) {
        startTracked(common);   // logs its own failure
        return;
    }
    Thread* thread = dynamic_cast<Thread*>(worker);
    if (thread && !thread->start())
        LOG4CXX_ERROR(logger_, (boost::format("Cannot start worker thread: error %1%") % GetLastError()).str());
}

void WorkerManagerImpl::stopWorker(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end())
        return;
    Thread* thread = dynamic_cast<Thread*>(it->second);
    if (!thread)
        return;
    thread->stop();
    workers_.erase(it);
}

void WorkerManagerImpl::suspendWorker(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end())
        return;
    if (Thread* thread = dynamic_cast<Thread*>(it->second))
        thread->suspend();
}

void WorkerManagerImpl::resumeWorker(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end())
        return;
    if (Thread* thread = dynamic_cast<Thread*>(it->second))
        thread->resume();
}

void WorkerManagerImpl::wakeWorker(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end())
        return;
    if (Thread* thread = dynamic_cast<Thread*>(it->second))
        thread->wake();
}

std::string WorkerManagerImpl::getLastPage(MonitorItemSettings* item)
{
    if (!item)
        return std::string();
    int type;
    {
        MonitorItemLock itemLock(item);
        type = item->getGeneral().type;
    }
    if (type != ItemHttp && type != ItemHttps)
        return std::string();
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end())
        return std::string();
    CommonWorkerImpl* worker = dynamic_cast<CommonWorkerImpl*>(it->second);
    return worker ? worker->getLastPage() : std::string();
}

void WorkerManagerImpl::stopAll()
{
    struct Stopping {
        HANDLE thread;
        std::string item;
    };
    std::vector<Stopping> stopping;
    {
        ScopedLock guard(lock_);
        // Every running worker, not only the mapped ones: a worker forgotten by stopWorker or
        // replaced by recreateWorker may still be finishing a check on its item.
        for (auto& entry : running_) {
            CommonWorkerImpl* worker = entry.first;
            // The duplicate stays valid after the worker has deleted itself and closed its own.
            HANDLE handle = worker->duplicateHandle();
            worker->stop();   // also ends a suspended worker's parked sleep
            if (!handle)
                continue;
            // Only the host thread (which is here) writes an item's name, so no lock is needed;
            // the item's lock could be held by a worker that is still winding down.
            const ItemGeneralSettings& general = entry.second->getGeneral();
            stopping.push_back(Stopping{handle, general.name + " (" + general.address + ")"});
        }
        for (auto& entry : workers_) {
            // Mapped but never started: nothing runs, yet a later start must not begin work.
            if (Thread* thread = dynamic_cast<Thread*>(entry.second))
                thread->stop();
        }
        workers_.clear();
    }

    // Waited for outside the lock: an ending worker takes it to leave the map.
    DWORD started = GetTickCount();
    for (size_t first = 0; first < stopping.size(); first += MAXIMUM_WAIT_OBJECTS) {
        std::vector<HANDLE> chunk;
        for (size_t i = first; i < stopping.size() && chunk.size() < MAXIMUM_WAIT_OBJECTS; ++i)
            chunk.push_back(stopping[i].thread);
        DWORD spent = GetTickCount() - started;
        DWORD left = spent >= stopAllTimeoutMs_ ? 0 : stopAllTimeoutMs_ - spent;
        DWORD result = WaitForMultipleObjects(static_cast<DWORD>(chunk.size()), chunk.data(), TRUE, left);
        LOG4CXX_INFO(logger_, (boost::format("WaitForMultipleObjects returned %1%.") % result).str());
        if (result == WAIT_FAILED)
            LOG4CXX_INFO(logger_, (boost::format("Wait failed with the error: %1%.") % GetLastError()).str());
    }
    for (const Stopping& s : stopping) {
        if (WaitForSingleObject(s.thread, 0) != WAIT_OBJECT_0)
            LOG4CXX_ERROR(logger_, (boost::format("Worker of item %1% did not end within %2% ms") %
                                    s.item % stopAllTimeoutMs_).str());
        CloseHandle(s.thread);
    }
}

void WorkerManagerImpl::recreateWorker(MonitorItemSettings* item)
{
    // Held throughout: the old worker cannot pass workerEnding, and so cannot release its
    // notifiers, while they are handed over.
    ScopedLock guard(lock_);
    auto it = workers_.find(item);
    if (it == workers_.end()) {
        LOG4CXX_ERROR(logger_, "Cannot find worker");
        return;
    }
    Worker* old = it->second;
    workers_.erase(it);
    Thread* thread = dynamic_cast<Thread*>(old);
    if (!thread) {
        LOG4CXX_ERROR(logger_, "Dynamic cast failed!!!");
        return;
    }
    CommonWorkerImpl* common = dynamic_cast<CommonWorkerImpl*>(old);
    if (!common) {
        LOG4CXX_ERROR(logger_, "Dynamic cast 1 failed!!!");
        return;
    }
    thread->stop();

    Worker* replacement = createWorker(item);
    CommonWorkerImpl* successor = dynamic_cast<CommonWorkerImpl*>(replacement);
    if (!successor) {
        // The item's new type has no check: the old worker keeps its notifiers and releases
        // them itself once it can no longer call them.
        LOG4CXX_ERROR(logger_, "Cannot create a worker for the item's type");
        return;
    }
    // The old worker must not release what the new one takes over; the new one waits for the
    // old thread to end before its first cycle, so no notifier is ever called by both.
    common->getNotifierList().setOwns(false);
    successor->setPredecessor(common->duplicateHandle());
    for (int i = common->suspendCount(); i > 0; --i)
        successor->suspend();   // the user's suspension outlives the new settings
    for (Notifier* n : common->getNotifierList().entries())
        successor->attach(n);
    startWorker(successor);
}
