#include "Pop3Worker.h"

#include <vector>

#include <boost/format.hpp>

#include "Monitor/MonitorItemLock.h"
#include "Pop3Session.h"

namespace {

const WorkerTexts kPop3Texts = {"Starting worker", "Ending thread", "POP3 test started",
                                "POP3 test ended", false};

std::string millisecondsText(const char* format, int ms)
{
    return (boost::format(format) % ms).str();
}

}  // namespace

Pop3Worker::Pop3Worker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.Pop3Worker", kPop3Texts)
{
}

void Pop3Worker::check(const ItemGeneralSettings&, CheckResult& result)
{
    result.ok = false;
}

bool Pop3Worker::runCycle()
{
    writeCycleStart();
    if (!isTestMode())
        setBusy(true);

    ItemGeneralSettings general = readGeneral();
    Pop3Settings pop3;
    {
        MonitorItemLock lock(getItem());
        pop3 = getItem()->getPop3();
    }

    bool success = false;
    Pop3Options options;
    options.timeoutMs = networkTimeoutMs();
    options.cancelled = [this] { return stopRequested(); };

    std::vector<std::string> lines;
    std::string reason;   // why a connected cycle failed: the first failing step
    auto failWith = [&](const std::string& line) {
        success = false;
        lines.push_back(line);
        if (reason.empty())
            reason = line;
    };
    bool connected;
    int total = 0;
    std::string lastError;
    {
        Pop3Session session(options);
        connected = session.openMailbox(general.address, pop3.userName, pop3.password);
        if (connected) {
            total = session.getConnectTime();
            success = true;
            lines.push_back(millisecondsText("Sucesfully connected to server in %1% miliseconds", total));
            if (!pop3.headerSearchText.empty()) {
                std::string header = session.getLastMessageHeader();
                total += session.getHeaderTime();
                lines.push_back(millisecondsText("Sucesfully retrieved last message header in %1% miliseconds",
                                                 session.getHeaderTime()));
                if (header.find(pop3.headerSearchText) == std::string::npos) {
                    failWith("Search string not found in message headers");
                } else {
                    lines.push_back("Search string sucesfully found in message headers");
                }
            }
            if (!pop3.headerOnly && !pop3.bodySearchText.empty()) {
                std::string body = session.getLastMessageBody();
                total += session.getBodyTime();
                lines.push_back(millisecondsText("Sucesfully retrieved last message body in %1% miliseconds",
                                                 session.getBodyTime()));
                if (body.find(pop3.bodySearchText) == std::string::npos) {
                    failWith("Search string not found in message body");
                } else {
                    lines.push_back("Search string found in message body");
                }
            }
            lines.push_back(millisecondsText("Total work time: %1% miliseconds", total));
            if (total > general.timeoutMs) {
                failWith(millisecondsText("Total work time higher than the designated timeout of %1% miliseconds",
                                          general.timeoutMs));
                if (isTestMode())
                    lines.push_back("Test failed");
            }
        }
        lastError = session.getLastError();
        // The session ends here, before the sleep, so the mailbox is not held locked between
        // cycles.
    }

    if (!success && stopRequested()) {
        // A failure while a stop was asked for may be the stop itself cutting a wait short: it
        // proves nothing about the server, so nothing is recorded and no alarm can follow.
        if (!isTestMode())
            setBusy(false);
        return false;
    }

    if (connected) {
        for (const std::string& line : lines) {
            if (isTestMode()) {
                if (stoppedDuringTest())
                    break;
                notifyAll(NotifySuccess, line);
            } else {
                writeLog(line);
            }
        }
    } else {
        if (isTestMode() && stoppedDuringTest())
            return false;
        std::string message = "Failed to connect to server. Error message: " + lastError;
        if (isTestMode())
            notifyAll(NotifyFailure, message);
        else
            writeLog(message);
        success = false;
        total = 0;
    }

    // A connected cycle that failed records why (the session's error text is empty then).
    recordResult(200, connected && !success ? reason : lastError, total, success);
    if (isTestMode())
        return false;

    notifyAll(success ? NotifyCycleSucceeded : NotifyCycleFailed);
    setFailed(!success);
    setBusy(false);
    return finishCycle(general, total);
}
