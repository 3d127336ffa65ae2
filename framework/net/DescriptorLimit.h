// The process's limit of open file descriptors, and how many are open. Every socket of the checks
// (UnixSocket, HttpTransfer) and every open file is one, and under Wine every thread holds a few
// of its own: a host with thousands of items reaches the limit, after which every check fails
// for want of a socket although its target is fine. Like UnixSocket, this header includes no
// Windows header.
#pragma once

class DescriptorLimit {
public:
    // Raises the soft limit to the hard one, so that the process may use what the system allows
    // it. Returns the limit now in force; -1 when it cannot be read.
    static long raiseToHard();
    // The soft limit in force; -1 when it cannot be read.
    static long current();
    // Descriptors open now; -1 when they cannot be counted (none is left to list them with).
    static long openCount();
};
