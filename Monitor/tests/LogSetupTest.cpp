// The log set-up of a program: the configuration file comes from the program's own folder,
// whatever the working folder, and a missing one is reported once on standard output.
#include "orv/gtest.h"

#include "ItemFiles.h"
#include "ProbeProcess.h"
#include "Monitor/LogSetup.h"
#include "orv/TestEnv.h"

using itemtest::ProbeRun;
using itemtest::readBytes;
using itemtest::runProbe;
using itemtest::writeBytes;

namespace {

std::string fileAppenderConfig(const std::string& unixLog)
{
    return "log4j.rootLogger=DEBUG, file\n"
           "log4j.appender.file=org.apache.log4j.FileAppender\n"
           "log4j.appender.file.File=" + unixLog + "\n"
           "log4j.appender.file.ImmediateFlush=true\n"
           "log4j.appender.file.layout=org.apache.log4j.PatternLayout\n"
           "log4j.appender.file.layout.ConversionPattern=%p %c %m%n\n";
}

TEST(LogSetup, ReadsTheConfigurationBesideTheProgram)
{
    const std::string unixBase = orvtest::fixtureDir() + "/log_beside";
    itemtest::scratch("log_beside");
    const std::string base = orvtest::windowsPath(unixBase);
    const std::string program = base + "\\program";
    const std::string work = base + "\\work";
    CreateDirectoryA(program.c_str(), nullptr);
    CreateDirectoryA(work.c_str(), nullptr);
    writeBytes(program + "\\log4cxx.cfg", fileAppenderConfig(unixBase + "/program/probe.log"));
    // A configuration in the working folder is not the program's.
    writeBytes(work + "\\log4cxx.cfg", fileAppenderConfig(unixBase + "/work/wrong.log"));

    ProbeRun run = runProbe("log_probe", program, work, "");
    EXPECT_EQ(0ul, run.exitCode);
    EXPECT_EQ("probe done\n", run.output);
    EXPECT_EQ("INFO monitor.Probe probe ran\nWARN monitor.ProbeAgain probe ran again\n",
              readBytes(program + "\\probe.log"));
    EXPECT_FALSE(itemtest::pathExists(work + "\\wrong.log"));
}

TEST(LogSetup, MissingConfigurationIsReportedOnceAndTheProgramRunsOn)
{
    const std::string base = itemtest::scratch("log_missing");
    ProbeRun run = runProbe("log_probe", base, base, "");
    EXPECT_EQ(0ul, run.exitCode);
    EXPECT_EQ("Bad configuration file : \nCannot read " + base + "\\log4cxx.cfg\nprobe done\n",
              run.output);
}

TEST(LogSetup, ConfigurePathIsTheProgramFolder)
{
    char module[2048];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    ASSERT_GT(length, 0u);
    std::string expected(module, length);
    expected = expected.substr(0, expected.find_last_of('\\') + 1) + "log4cxx.cfg";
    EXPECT_EQ(expected, LogSetup::configPath());
}

}  // namespace
