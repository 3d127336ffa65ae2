// A TCP target that never answers a connect: a non-accepting listener whose backlog is filled.
#pragma once

#include <string>
#include <vector>

#include "WorkerTestSupport.h"

class Connection;

namespace workertest {

// Fills a non-accepting listener's backlog on address, so that the next connect goes unanswered.
// silent() is true once a filling connect went unanswered, false when the backlog never filled.
class SilentTarget {
public:
    explicit SilentTarget(const std::string& address = "127.0.0.1");
    ~SilentTarget();
    SilentTarget(const SilentTarget&) = delete;
    SilentTarget& operator=(const SilentTarget&) = delete;

    bool silent() const { return silent_; }
    int port() const { return listener_.port(); }

private:
    Listener listener_;
    std::vector<Connection*> fillers_;
    bool silent_ = false;
};

}  // namespace workertest
