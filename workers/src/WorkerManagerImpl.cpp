#include "WorkerManagerImpl.h"

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

WorkerManagerImpl::WorkerManagerImpl() : useProxy_(false), stopAllTimeoutMs_(30000)
{
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

void WorkerManagerImpl::workerEnding(Worker* worker)
{
    if (InterlockedCompareExchange(&gManagerGone, 0, 0) == 0)
        theManager().forget(worker);
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
        for (auto& entry : workers_) {
            Thread* thread = dynamic_cast<Thread*>(entry.second);
            if (!thread)
                continue;
            // The duplicate stays valid after the worker has deleted itself and closed its own.
            HANDLE handle = thread->duplicateHandle();
            thread->stop();
            // A suspended worker could never see its stop: resume it as often as it was
            // suspended (ResumeThread answers the count before the call).
            for (int i = 0; i < 128 && thread->resume() > 1; ++i) {
            }
            if (!handle)
                continue;   // never started: nothing runs that could touch the item
            // Only the host thread (which is here) writes an item's name, so no lock is needed;
            // the item's lock could be held by a worker that is still winding down.
            const ItemGeneralSettings& general = entry.first->getGeneral();
            stopping.push_back(Stopping{handle, general.name + " (" + general.address + ")"});
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
    std::vector<Notifier*> notifiers;
    {
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
        // The old worker must not release what the new one takes over.
        common->getNotifierList().setOwns(false);
        notifiers = common->getNotifierList().entries();
        thread->stop();
    }

    Worker* replacement = createWorker(item);
    if (!replacement) {
        // The item's new type has no check: nobody owns the notifiers any more, so they are
        // released here as the old worker would have done.
        LOG4CXX_ERROR(logger_, "Cannot create a worker for the item's type");
        for (Notifier* n : notifiers)
            n->release();
        return;
    }
    for (Notifier* n : notifiers)
        replacement->attach(n);
    startWorker(replacement);
}
