// A worker's attached notifiers in order of attachment. While it owns them (the default) it calls
// release() on each when it is destroyed; a test-mode worker or a worker being replaced gives up
// ownership with setOwns(false).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class Notifier;

class NotifierList {
public:
    typedef std::vector<Notifier*> List;

    NotifierList();
    ~NotifierList();
    NotifierList(const NotifierList&) = delete;
    NotifierList& operator=(const NotifierList&) = delete;

    // Appends unless already there.
    void add(Notifier* notifier);
    // Removes when there; the others keep their order.
    void remove(Notifier* notifier);
    // Calls notify on each, in order. A notifier may attach or detach from inside notify.
    void notifyAll(int event, const std::string& text);
    void setOwns(bool owns);
    bool owns() const;

    // A copy of the entries, in order (what a replacement worker takes over).
    List entries() const;
    size_t size() const;

private:
    List notifiers_;
    bool owns_;
    // attach and detach come from host threads, notify from the worker's: keep the vector whole.
    mutable CRITICAL_SECTION lock_;
};
