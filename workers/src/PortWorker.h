// Checks an item of type Port: success when a TCP connection to the address and port opens
// within the item's response-time limit (bounded to 1..60 s). Follows the standard cycle.
#pragma once

#include "workers/CommonWorkerImpl.h"

class PortWorker : public CommonWorkerImpl {
public:
    explicit PortWorker(MonitorItemSettings* item);

protected:
    void check(const ItemGeneralSettings& general, CheckResult& result) override;
};
