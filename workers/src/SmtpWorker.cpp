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

void SmtpWorker::check(const ItemGeneralSettings& general, CheckResult& result)
{
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

    // The server's (or our own) last reply is what the history keeps.
    result.message = client.lastResponse();
    result.code = 200;
    result.ok = result.message.compare(0, 3, "250") == 0;
    std::string text;
    if (result.ok) {
        text = (boost::format("Sucessfully sent the email in %1%miliseconds ") % elapsed).str();
    } else {
        elapsed = 0;
        text = "Failed to send the email. Error message: " + result.message;
    }
    result.lines.push_back(CheckLine{text, NotifySuccess, text + "\n"});
    result.elapsedMs = elapsed;
}
