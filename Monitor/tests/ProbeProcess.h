// Starts one of the test programs built beside the tests as a process of its own.
#pragma once

#include <string>

namespace itemtest {

struct ProbeRun {
    unsigned long exitCode = 0xFFFFFFFF;
    bool started = false;   // CreateProcess succeeded
    bool killed = false;
    std::string output;   // what it wrote to standard output
};

// Copies <build>/Monitor/tests/<module>.exe.so to programFolder\probe.exe (so the program's own
// folder is programFolder), runs it there with workFolder as working folder and the given
// arguments, and waits for it. With killAfterMs > 0 the process is terminated that long after
// it writes "saving" to standard output, as a crash would end it.
ProbeRun runProbe(const std::string& module, const std::string& programFolder,
                  const std::string& workFolder, const std::string& arguments,
                  unsigned killAfterMs = 0,
                  bool startFailureIsError = true);

}  // namespace itemtest
