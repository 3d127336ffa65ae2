// Listener a host attaches to a worker (Worker::attach). Every call comes on the worker's own
// thread, synchronously, so an implementation must be cheap and thread-safe: post a window message
// or queue work, never block on the host's GUI thread.
#pragma once

#include <string>

// Event codes passed to Notifier::notify. 0 to 2 and 4 come only in test mode, 5 and 6 only in
// normal mode; 3 comes whenever the item's ItemStatus changed.
enum NotifierEvent : int {
    NotifyProgress = 0,        // text: progress message
    NotifyFailure = 1,         // text: failure message
    NotifySuccess = 2,         // text: success message
    NotifyStatusRefresh = 3,   // text empty
    NotifyTestEnded = 4,       // text: the check's test-ended text
    NotifyCycleFailed = 5,     // text empty
    NotifyCycleSucceeded = 6   // text empty
};

class Notifier {
public:
    virtual ~Notifier() {}
    virtual void notify(int event, const std::string& text) = 0;
    // Called once when the worker's notifier list is destroyed while it owns its notifiers (normal
    // mode). The notifier frees itself as it sees fit. Test-mode callers keep and free their own.
    virtual void release() = 0;
};
