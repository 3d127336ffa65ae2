// Checks an item of type SMTP: sends the item's test mail each cycle to the mail exchangers of
// the recipient's domain, asking the item's address as name server for them, on the item's port
// (AUTH LOGIN when a login is set). Succeeds when the data is accepted with "250" within the
// item's limit.
#pragma once

#include "workers/CommonWorkerImpl.h"

class SmtpWorker : public CommonWorkerImpl {
public:
    explicit SmtpWorker(MonitorItemSettings* item);

protected:
    void check(const ItemGeneralSettings& general, CheckResult& result) override;
};
