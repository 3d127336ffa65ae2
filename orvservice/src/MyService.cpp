#include "MyService.h"

#include <vector>

#include <boost/format.hpp>

#include "MailAlarmNotifier.h"
#include "mailqueue/MailSender.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemManager.h"
#include "ServiceHelperFile.h"
#include "reports/ResourceInitializer.h"
#include "workers/ScopedLock.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

MyService::MyService(const std::string& name, ServiceMainEntry serviceMain,
                     ControlHandlerEntry handler)
    : NTService(name, serviceMain, handler),
      items_(MonitorItemManager::instance()),
      workers_(WorkerManager::instance()),
      stopEvent_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      stopping_(false),
      released_(false)
{
    LogSetup::getLogger(LogSetup::instance(), serviceLogger_, "service.MyService");
    InitializeCriticalSection(&jobLock_);
    setControlsAccepted(SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN);
}

MyService::~MyService()
{
    DeleteCriticalSection(&jobLock_);
    if (stopEvent_)
        CloseHandle(stopEvent_);
    serviceLogger_ = log4cxx::LoggerPtr();
}

DWORD MyService::startDelayMs()
{
    const std::string key = "SYSTEM\\CurrentControlSet\\Services\\" + getName() + "\\Parameters";
    DWORD delay = kStartDelayMs;
    DWORD value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    HKEY parameters;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &parameters) ==
        ERROR_SUCCESS) {
        if (RegQueryValueExA(parameters, "StartDelay", nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof value)
            delay = value;
        RegCloseKey(parameters);
    }
    return delay;
}

int MyService::run()
{
    // Lives as long as the process: the reports may rely on it at any later moment.
    new ResourceInitializer();

    if (WaitForSingleObject(stopEvent_, startDelayMs()) == WAIT_OBJECT_0) {
        LOG4CXX_INFO(serviceLogger_, "Stopped before the job started");
        return 0;
    }
    LOG4CXX_INFO(serviceLogger_, "Starting job");

    const std::string helperPath = ServiceHelperFile::pathBesideProgram();
    std::string dataFolder;
    if (!ServiceHelperFile::readFirstLine(helperPath, dataFolder)) {
        LOG4CXX_FATAL(serviceLogger_, (boost::format("Cannot open %1% for reading") % helperPath).str());
        return -1;
    }

    {
        ScopedLock guard(jobLock_);
        if (stopping_) {
            LOG4CXX_INFO(serviceLogger_, "Stopped before the job started");
            return 0;
        }
        items_->load(dataFolder);
        for (MonitorItemManager::ItemIterator it = items_->begin(); it != items_->end(); ++it) {
            Worker* worker = workers_->createWorker(*it);
            if (!worker)
                continue;   // a type with no check
            worker->attach(new MailAlarmNotifier(*it, dataFolder));
            workers_->startWorker(worker);
        }
    }

    LOG4CXX_INFO(serviceLogger_, "Ending job");
    return 0;
}

void MyService::onStop()
{
    SetEvent(stopEvent_);
    {
        // Waits for a run that is loading items to have started its workers.
        ScopedLock guard(jobLock_);
        stopping_ = true;
        if (!released_) {
            released_ = true;
            // stopAll waits for the worker threads, within a bound: an item whose worker has not
            // ended by then is saved but never freed, since that worker may still write to it.
            workers_->stopAll();
            std::vector<MonitorItemSettings*> inUse;
            for (MonitorItemManager::ItemIterator it = items_->begin(); it != items_->end(); ++it) {
                if (workers_->isRunning(*it))
                    inUse.push_back(*it);
            }
            for (MonitorItemSettings* item : inUse)
                items_->abandonItem(item);
            items_->unloadAll();
            items_->release();
        }
    }
    MailSender* mail = MailSender::existingInstance();
    if (mail && !mail->drain(kMailDrainMs))
        LOG4CXX_ERROR(serviceLogger_, "Not every alarm mail could be sent before the service ended");
}
