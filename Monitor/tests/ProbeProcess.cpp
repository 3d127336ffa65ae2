#include "ProbeProcess.h"

#include <windows.h>

#include <map>

#include "ItemFiles.h"
#include "orv/gtest.h"
#include "orv/TestEnv.h"

namespace itemtest {

ProbeRun runProbe(const std::string& module, const std::string& programFolder,
                  const std::string& workFolder, const std::string& arguments,
                  unsigned killAfterMs, bool startFailureIsError)
{
    ProbeRun run;
    const std::string source = orvtest::windowsPath(orvtest::env("ORV_BINARY_DIR") +
                                                    "/Monitor/tests/" + module + ".exe.so");
    const std::string program = programFolder + "\\probe.exe";
    // Copied once per folder and module: rewriting the program file right after a run that was
    // killed would change it under a process the system may still be tearing down.
    static std::map<std::string, std::string> copied;
    if (copied[programFolder] != module && !CopyFileA(source.c_str(), program.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << source << ": error " << GetLastError();
        return run;
    }
    copied[programFolder] = module;
    const std::string outputPath = programFolder + "\\stdout.txt";
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + arguments;
    BOOL started = CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0,
                                  nullptr, workFolder.c_str(), &startup, &process);
    CloseHandle(output);
    if (!started) {
        if (startFailureIsError)
            ADD_FAILURE() << "cannot start " << program << ": error " << GetLastError();
        return run;
    }
    run.started = true;
    if (killAfterMs > 0) {
        // Count from the program's "saving" line, so start-up time does not eat the delay
        // (a log set-up complaint may come out first).
        for (int i = 0; i < 3000 && readBytes(outputPath).find("saving") == std::string::npos; ++i) {
            if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0)
                break;
        }
    }
    DWORD wait = WaitForSingleObject(process.hProcess, killAfterMs > 0 ? killAfterMs : 30000);
    if (wait != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 9);
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            ADD_FAILURE() << "the killed probe did not end";
        run.killed = true;
        if (killAfterMs == 0)
            ADD_FAILURE() << "probe did not end";
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    run.exitCode = exitCode;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    run.output = readBytes(outputPath);
    return run;
}

}  // namespace itemtest
