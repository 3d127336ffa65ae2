// Checks an item of type POP3: logs in to the mailbox at the item's address (port 110) and,
// when search texts are set, fetches the newest message's header and whole text and looks for
// them. Fails on a refused login, a missing search text, or more work time than the item's limit.
// It reports every step as a line; the session is ended (QUIT) before the worker sleeps.
#pragma once

#include "workers/CommonWorkerImpl.h"

class Pop3Worker : public CommonWorkerImpl {
public:
    explicit Pop3Worker(MonitorItemSettings* item);

protected:
    void check(const ItemGeneralSettings& general, CheckResult& result) override;
};
