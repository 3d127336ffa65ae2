// Once-per-module log4cxx configuration from "log4cxx.cfg" in the running program's folder.
// Every logger of a module is obtained through getLogger, so the configuration always happens
// before the first logger exists:
//     LogSetup::getLogger(LogSetup::instance(), logger_, "monitor.MonitorItemManager");
#pragma once

#include <string>

#include "orv/log4cxx.h"

class LogSetup {
public:
    // Configures log4cxx on the first call. Expected first on the host's start-up thread.
    static LogSetup& instance();

    static void getLogger(LogSetup& setup, log4cxx::LoggerPtr& logger, const char* name);

    // Windows path of the configuration file: the program's folder + "log4cxx.cfg".
    static std::string configPath();

    // Configures log4cxx from a Windows path. A missing, unreadable or rejected file prints
    // "Bad configuration file : " and the reason to standard output and leaves logging as
    // log4cxx has it. Returns false in that case.
    static bool configure(const std::string& windowsPath);

    LogSetup(const LogSetup&) = delete;
    LogSetup& operator=(const LogSetup&) = delete;

private:
    LogSetup();
};
