// A program that logs through the set-up, for the tests that start it from another folder.
#include <iostream>

#include "Monitor/LogSetup.h"

int main()
{
    log4cxx::LoggerPtr logger;
    LogSetup::getLogger(LogSetup::instance(), logger, "monitor.Probe");
    // A second module-level request must not configure again.
    log4cxx::LoggerPtr again;
    LogSetup::getLogger(LogSetup::instance(), again, "monitor.ProbeAgain");
    LOG4CXX_INFO(logger, "probe ran");
    LOG4CXX_WARN(again, "probe ran again");
    std::cout << "probe done" << std::endl;
    return 0;
}
