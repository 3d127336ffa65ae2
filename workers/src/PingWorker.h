// Checks an item of type Ping with one ICMP echo per cycle; the item's response-time limit is
// also the echo's time-out. Its cycle writes its own lines and a test run pings three times.
#pragma once

#include "workers/CommonWorkerImpl.h"

class PingWorker : public CommonWorkerImpl {
public:
    explicit PingWorker(MonitorItemSettings* item);

protected:
    bool runCycle() override;
    void check(const ItemGeneralSettings& general, CheckResult& result) override;

private:
    int testCycles_;
};
