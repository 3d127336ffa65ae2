// Shared by the GUI data-layer tests.
#pragma once

#include <string>

#include "orv/TestEnv.h"
#include "orv/log4cxx.h"
#include "ProfileStore.h"

namespace guitest {

// The process-wide profile store kept in a scratch folder (set before its first use), returned
// with its trailing backslash.
inline const std::string& scratchProfileFolder()
{
    static const std::string folder = [] {
        std::string made = orvtest::makeScratchFolder("gui-profile") + "\\";
        ProfileStore::setDataFolder(made);
        return made;
    }();
    return folder;
}

// The lines one logger writes while the object lives ("LEVEL message" each), in a file of the
// test's own.
class LogCapture {
public:
    LogCapture(const std::string& loggerName, const std::string& fileName)
        : path_(orvtest::fixtureDir() + "/" + fileName),
          appender_(new log4cxx::FileAppender(
              log4cxx::LayoutPtr(new log4cxx::PatternLayout("%p %m%n")), path_, false)),
          logger_(log4cxx::Logger::getLogger(loggerName)), level_(logger_->getLevel())
    {
        // every level is recorded, whatever the program's configuration lets through
        logger_->setLevel(log4cxx::Level::getAll());
        logger_->addAppender(appender_);
    }
    ~LogCapture() { stop(); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    // Stops recording and gives what was logged.
    std::string text()
    {
        stop();
        return orvtest::readFile(orvtest::windowsPath(path_));
    }

private:
    void stop()
    {
        if (!appender_)
            return;
        logger_->removeAppender(appender_);
        logger_->setLevel(level_);
        appender_->close();
        appender_ = log4cxx::AppenderPtr();
    }

    std::string path_;
    log4cxx::AppenderPtr appender_;
    log4cxx::LoggerPtr logger_;
    log4cxx::LevelPtr level_;   // the logger's own level before (null: inherited)
};

}  // namespace guitest
