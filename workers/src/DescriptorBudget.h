// Whether one more worker may start without taking the file descriptors that the running checks
// need. Each worker thread holds a few descriptors of its own under Wine, and each check opens
// sockets and files while it runs: past the process's limit every check of every item would fail
// ("Failed to create socket", WSAEMFILE) and raise a false alarm. So a worker starts only while
// its own descriptors, those the running checks may open, and a reserve for the host stay free.
#pragma once

#include <stddef.h>

#include <string>

class DescriptorBudget {
public:
    // What one worker thread holds under Wine (about five), with a margin.
    static const long kPerWorker = 8;
    // What one running check may hold at once (its sockets, a page being saved).
    static const long kPerCheck = 2;
    // Kept free besides for the host itself: its files, logs, mail and windows.
    static const long kReserve = 256;

    // Raises the process's limit to what the system allows (once, for every host).
    DescriptorBudget();

    // True when a worker may start beside the running ones; otherwise why says what is short.
    bool admit(size_t running, std::string& why);

private:
    long counted_;          // open descriptors at the last count; -1 before the first
    long startedSinceCount_;
};
