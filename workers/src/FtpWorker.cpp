#include "FtpWorker.h"

#include <boost/format.hpp>

#include "FtpProvider.h"
#include "Monitor/MonitorItemLock.h"

namespace {

const WorkerTexts kFtpTexts = {"Starting thread", "Thread stopped", "Ftp test started", "FTP test ended", false};

}  // namespace

FtpWorker::FtpWorker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.FtpWorker", kFtpTexts)
{
}

void FtpWorker::check(const ItemGeneralSettings&, CheckResult&)
{
}

bool FtpWorker::openSession(FtpProvider& provider, const std::string& agent)
{
    return provider.open(agent);
}

bool FtpWorker::runCycle()
{
    ItemGeneralSettings general = readGeneral();
    FtpSettings ftp;
    {
        MonitorItemLock lock(getItem());
        ftp = getItem()->getFtp();
    }
    const bool test = isTestMode();

    if (test)
        notifyAll(NotifyProgress, (boost::format("Connecting to %1% and performing test ...") % general.address).str());
    else
        setBusy(true);
    writeCycleStart();
    DWORD started = GetTickCount();

    FtpProvider provider;
    const DWORD limit = static_cast<DWORD>(networkTimeoutMs());
    provider.setLimits(limit, limit);
    provider.setCancel([this] { return stopRequested(); });

    // A call given up because the worker is being stopped proves nothing about the server:
    // nothing is recorded and no alarm is raised while the host shuts down. In a test it only
    // ends the cycle.
    auto leaveOnStop = [this, test]() {
        if (!test)
            setBusy(false);
        return false;
    };

    std::string message = "Success";
    bool ok = true;
    if (!openSession(provider, general.name)) {
        // Monitoring goes on: the next cycle tries again.
        std::string text = "Failed to initialize FTP provider due to the following error: " + provider.lastResponse();
        writeLog(text);
        message = "Failed to initialize FTP provider";
        ok = false;
        if (test)
            notifyAll(NotifyFailure, text);
    } else if (provider.connect(general.address, general.port, ftp.userName, ftp.password)) {
        if (test && stoppedDuringTest())
            return false;
        std::string text = "Succesfully connected to server in " + std::to_string(provider.connectTime()) + " miliseconds";
        writeLog(text);
        if (test)
            notifyAll(NotifySuccess, text);

        if (!ftp.downloadLocalFile.empty() && !ftp.downloadRemoteFile.empty()) {
            const std::string& local = ftp.downloadLocalFile;
            const std::string& remote = ftp.downloadRemoteFile;
            bool done = provider.download(local, remote);
            if (!reportTransfer(provider, done,
                                "Downloaded remote file " + remote + " to " + local + " in " +
                                    std::to_string(provider.downloadTime()) + " miliseconds",
                                "Failed to download remote file " + remote + " to " + local +
                                    "\r\n due to the following error: " + provider.lastResponse(),
                                "Failed to download remote file", test, message, ok))
                return leaveOnStop();
        }

        // Sent whatever the download did.
        if (!ftp.uploadLocalFile.empty() && !ftp.uploadRemoteFile.empty()) {
            const std::string& local = ftp.uploadLocalFile;
            const std::string& remote = ftp.uploadRemoteFile;
            bool done = provider.upload(local, remote);
            if (!reportTransfer(provider, done,
                                "Uploaded local file " + local + " to " + remote + " in " +
                                    std::to_string(provider.uploadTime()) + " miliseconds",
                                "Failed to upload local file " + local + " to " + remote +
                                    " due to the following error: \r\n" + provider.lastResponse(),
                                "Failed to upload local file", test, message, ok))
                return leaveOnStop();
        }
        provider.closeConnection();
    } else {
        if (provider.cancelled())
            return leaveOnStop();
        if (test && stoppedDuringTest())
            return false;
        message = "Failure to connect";
        writeLog((boost::format("Connection failed with the error message: %1%") % provider.lastResponse()).str());
        if (test) {
            notifyAll(NotifyFailure, "Connection failed with the error message:");
            notifyAll(NotifyFailure, provider.lastResponse());
        }
        ok = false;
    }

    int responseMs = static_cast<int>(GetTickCount() - started);
    provider.close();
    // The failed flag follows the cycle's outcome: a failed transfer fails the item too.
    setFailed(!ok);
    if (test) {
        notifyAll(NotifyTestEnded, (boost::format("Test finished in %1% miliseconds") % responseMs).str());
        return false;
    }
    recordResult(1, message, responseMs, ok);
    notifyAll(ok ? NotifyCycleSucceeded : NotifyCycleFailed);
    setBusy(false);
    return finishCycle(general, responseMs);
}

bool FtpWorker::reportTransfer(const FtpProvider& provider, bool done, const std::string& doneText,
                               const std::string& failedText, const char* failedMessage, bool test,
                               std::string& message, bool& ok)
{
    if (provider.cancelled())
        return false;
    const std::string& text = done ? doneText : failedText;
    if (!done) {
        message = failedMessage;
        ok = false;
    }
    writeLog(text);
    if (test && stoppedDuringTest())
        return false;
    if (test)
        notifyAll(done ? NotifySuccess : NotifyFailure, text);
    return true;
}
