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

void Pop3Worker::check(const ItemGeneralSettings& general, CheckResult& result)
{
    Pop3Settings pop3;
    {
        MonitorItemLock lock(getItem());
        pop3 = getItem()->getPop3();
    }
    // The total of the timed calls is compared with the limit below, with texts of its own.
    result.applyLimit = false;
    result.code = 200;

    Pop3Options options;
    options.timeoutMs = networkTimeoutMs();
    // The item's limit bounds the whole check, not each of its steps.
    options.sessionMs = options.timeoutMs;
    options.cancelled = [this] { return stopRequested(); };

    // Every line of a connected cycle goes to the log, and to a test run as event 2.
    std::string reason;   // why a connected cycle failed: the first failing step
    auto say = [&](const std::string& line) { result.both(line, NotifySuccess); };
    auto failWith = [&](const std::string& line) {
        result.ok = false;
        say(line);
        if (reason.empty())
            reason = line;
    };
    int total = 0;
    bool connected;
    std::string lastError;
    {
        Pop3Session session(options);
        connected = session.openMailbox(general.address, pop3.userName, pop3.password);
        if (connected) {
            total = session.getConnectTime();
            result.ok = true;
            say(millisecondsText("Sucesfully connected to server in %1% miliseconds", total));
            if (!pop3.headerSearchText.empty()) {
                std::string header = session.getLastMessageHeader();
                total += session.getHeaderTime();
                say(millisecondsText("Sucesfully retrieved last message header in %1% miliseconds",
                                     session.getHeaderTime()));
                if (header.find(pop3.headerSearchText) == std::string::npos)
                    failWith("Search string not found in message headers");
                else
                    say("Search string sucesfully found in message headers");
            }
            if (!pop3.headerOnly && !pop3.bodySearchText.empty()) {
                std::string body = session.getLastMessageBody();
                total += session.getBodyTime();
                say(millisecondsText("Sucesfully retrieved last message body in %1% miliseconds",
                                     session.getBodyTime()));
                if (body.find(pop3.bodySearchText) == std::string::npos)
                    failWith("Search string not found in message body");
                else
                    say("Search string found in message body");
            }
            say(millisecondsText("Total work time: %1% miliseconds", total));
            if (total > general.timeoutMs) {
                failWith(millisecondsText("Total work time higher than the designated timeout of %1% miliseconds",
                                          general.timeoutMs));
                result.event(NotifySuccess, "Test failed");
            }
        }
        lastError = session.getLastError();
        // The session ends here, before the sleep, so the mailbox is not held locked between
        // cycles.
    }
    if (!connected) {
        result.ok = false;
        result.both("Failed to connect to server. Error message: " + lastError, NotifyFailure);
        total = 0;
    }
    result.elapsedMs = total;
    // A connected cycle that failed records why; otherwise the session's error text (empty for
    // a good cycle).
    result.message = connected && !result.ok ? reason : lastError;
}
