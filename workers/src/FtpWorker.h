// Checks an item of type FTP: each cycle logs in to the item's server (address and port as
// stored) and, when the item names them, fetches one remote file to a local path and sends one
// local file to a remote path. The cycle fails when the log-in or a transfer fails; the result
// code is always 1 and the response time is the whole cycle's. There is no response-time limit,
// but the log-in and the transfers together are bounded by the item's limit (as every network
// wait of a check is) and cut short by a stop.
#pragma once

#include <windows.h>

#include <string>

#include "workers/CommonWorkerImpl.h"

class FtpProvider;

class FtpWorker : public CommonWorkerImpl {
public:
    explicit FtpWorker(MonitorItemSettings* item);

protected:
    void cycleStarting(const ItemGeneralSettings& general) override;
    void check(const ItemGeneralSettings& general, CheckResult& result) override;
    // Opens the provider's session (a test may make it fail).
    virtual bool openSession(FtpProvider& provider, const std::string& agent);

private:
    // Notes how one transfer went; a failed one makes the cycle fail with failedMessage, one given
    // up on a stop stops it.
    void noteTransfer(const FtpProvider& provider, bool done, const std::string& doneText,
                      const std::string& failedText, const char* failedMessage, CheckResult& result);
};
