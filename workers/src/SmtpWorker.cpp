#include "SmtpWorker.h"

#include <boost/format.hpp>

#include "Monitor/MonitorItemLock.h"
#include "SmtpClient.h"

namespace {

const WorkerTexts kSmtpTexts = {"Starting worker", "Ending thread", "SMTP test started",
                                "SMTP test ended", false};

}  // namespace

SmtpWorker::SmtpWorker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.SmtpWorker", kSmtpTexts)
{
}

void SmtpWorker::check(const ItemGeneralSettings&, CheckResult& result)
{
    result.ok = false;
}

bool SmtpWorker::runCycle()
{
    writeCycleStart();
    if (!isTestMode())
        setBusy(true);

    ItemGeneralSettings general = readGeneral();
    SmtpSettings smtp;
    {
        MonitorItemLock lock(getItem());
        smtp = getItem()->getSmtp();
    }

    SmtpClient client(smtp.to, smtp.from, smtp.subject, smtp.body, general.address, general.port, true);
    client.setTimeout(networkTimeoutMs());
    client.setCancel([this] { return stopRequested(); });
    if (!smtp.authUser.empty()) {
        client.setUserName(smtp.authUser);
        client.setPassword(smtp.authPassword);
    }
    DWORD start = GetTickCount();
    client.sendMail();
    int elapsed = static_cast<int>(GetTickCount() - start);

    std::string reply = client.lastResponse();
    bool success = reply.compare(0, 3, "250") == 0;
    if (!success && stopRequested()) {
        // The stop itself may have cut the delivery short: that says nothing about the server,
        // so nothing is recorded and no alarm can follow.
        if (!isTestMode())
            setBusy(false);
        return false;
    }
    if (isTestMode() && stoppedDuringTest())
        return false;

    std::string text;
    if (success) {
        text = (boost::format("Sucessfully sent the email in %1%miliseconds ") % elapsed).str();
    } else {
        elapsed = 0;
        text = "Failed to send the email. Error message: " + reply;
    }
    if (isTestMode())
        notifyAll(NotifySuccess, text + "\n");
    else
        writeLog(text);

    if (success && elapsed > general.timeoutMs) {
        success = false;
        if (isTestMode())
            notifyAll(NotifyFailure, kSlowResponseText);
        else
            writeLog(kSlowResponseText);
    }
    recordResult(200, reply, elapsed, success);
    if (isTestMode())
        return false;

    setFailed(!success);
    notifyAll(success ? NotifyCycleSucceeded : NotifyCycleFailed);
    setBusy(false);
    return finishCycle(general, elapsed);
}
