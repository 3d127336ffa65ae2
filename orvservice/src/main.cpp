// orvservice: "-i" installs the service, "-u" uninstalls it, no argument runs it under the
// service control manager; any other argument does nothing.
#include <windows.h>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "MyService.h"

namespace {

const char kServiceName[] = "Orvane";
// Shared with the GUI program: whichever holds it keeps the other from running the items.
const char kStartUpMutex[] = "OrvaneStartUpMutex";

}  // namespace

int main(int argc, char** argv)
{
    log4cxx::LoggerPtr logger;
    LogSetup::getLogger(LogSetup::instance(), logger, "service.main");
    LOG4CXX_INFO(logger, "Starting ORV service");

    MyService* service =
        new MyService(kServiceName, NTService::serviceMainEntry, NTService::controlHandlerEntry);
    NTService::setInstance(service);

    if (argc > 1) {
        if (lstrcmpiA(argv[1], "-i") == 0)
            service->install();
        else if (lstrcmpiA(argv[1], "-u") == 0)
            service->uninstall();
    } else {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, kStartUpMutex);
        if (GetLastError() == ERROR_ALREADY_EXISTS)
            LOG4CXX_FATAL(logger, "Application is running, cannot start service");
        else
            service->startDispatcher();
        if (mutex) {
            ReleaseMutex(mutex);
            CloseHandle(mutex);
        }
    }

    int code = service->getExitCode();
    LOG4CXX_INFO(logger, (boost::format("Exiting ORV service with code %1%") % code).str());
    NTService::setInstance(nullptr);
    delete service;
    return code;
}
