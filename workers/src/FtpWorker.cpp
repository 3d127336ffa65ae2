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

bool FtpWorker::openSession(FtpProvider& provider, const std::string& agent)
{
    return provider.open(agent);
}

void FtpWorker::cycleStarting(const ItemGeneralSettings& general)
{
    if (isTestMode())
        notifyAll(NotifyProgress, (boost::format("Connecting to %1% and performing test ...") % general.address).str());
}

void FtpWorker::check(const ItemGeneralSettings& general, CheckResult& result)
{
    FtpSettings ftp;
    {
        MonitorItemLock lock(getItem());
        ftp = getItem()->getFtp();
    }
    DWORD started = GetTickCount();
    result.code = 1;
    result.applyLimit = false;
    result.recordInTest = false;
    result.ok = true;

    FtpProvider provider;
    const DWORD limit = static_cast<DWORD>(networkTimeoutMs());
    provider.setLimits(limit, limit);
    // The item's limit bounds the whole session: log-in and transfers together.
    provider.setDeadline(limit);
    provider.setCancel([this] { return stopRequested(); });

    if (!openSession(provider, general.name)) {
        // Monitoring goes on: the next cycle tries again.
        result.both("Failed to initialize FTP provider due to the following error: " + provider.lastResponse(),
                    NotifyFailure);
        result.message = "Failed to initialize FTP provider";
        result.ok = false;
    } else if (provider.connect(general.address, general.port, ftp.userName, ftp.password)) {
        result.both("Succesfully connected to server in " + std::to_string(provider.connectTime()) + " miliseconds",
                    NotifySuccess);
        if (!ftp.downloadLocalFile.empty() && !ftp.downloadRemoteFile.empty()) {
            const std::string& local = ftp.downloadLocalFile;
            const std::string& remote = ftp.downloadRemoteFile;
            bool done = provider.download(local, remote);
            noteTransfer(provider, done,
                         "Downloaded remote file " + remote + " to " + local + " in " +
                             std::to_string(provider.downloadTime()) + " miliseconds",
                         "Failed to download remote file " + remote + " to " + local +
                             "\r\n due to the following error: " + provider.lastResponse(),
                         "Failed to download remote file", result);
        }
        // Sent whatever the download did.
        if (!result.stopped && !ftp.uploadLocalFile.empty() && !ftp.uploadRemoteFile.empty()) {
            const std::string& local = ftp.uploadLocalFile;
            const std::string& remote = ftp.uploadRemoteFile;
            bool done = provider.upload(local, remote);
            noteTransfer(provider, done,
                         "Uploaded local file " + local + " to " + remote + " in " +
                             std::to_string(provider.uploadTime()) + " miliseconds",
                         "Failed to upload local file " + local + " to " + remote +
                             " due to the following error: \r\n" + provider.lastResponse(),
                         "Failed to upload local file", result);
        }
        provider.closeConnection();
    } else if (provider.cancelled()) {
        result.stopped = true;
    } else {
        result.message = "Failure to connect";
        result.log((boost::format("Connection failed with the error message: %1%") % provider.lastResponse()).str());
        result.event(NotifyFailure, "Connection failed with the error message:");
        result.event(NotifyFailure, provider.lastResponse());
        result.ok = false;
    }
    provider.close();
    // The response time is the whole cycle's: open, log-in and transfers.
    result.elapsedMs = static_cast<int>(GetTickCount() - started);
    result.hasTestEnded = true;
    result.testEnded = (boost::format("Test finished in %1% miliseconds") % result.elapsedMs).str();
}

void FtpWorker::noteTransfer(const FtpProvider& provider, bool done, const std::string& doneText,
                             const std::string& failedText, const char* failedMessage, CheckResult& result)
{
    // A transfer given up on a stop proves nothing about the server.
    if (provider.cancelled()) {
        result.stopped = true;
        return;
    }
    if (!done) {
        result.message = failedMessage;
        result.ok = false;
    }
    result.both(done ? doneText : failedText, done ? NotifySuccess : NotifyFailure);
}
