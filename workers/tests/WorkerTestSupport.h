// Helpers shared by the workers tests: a notifier that records what it hears, stored items in a
// scratch data folder, file reading, and a loopback listener on a Wine thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Monitor/MonitorItemSettings.h"
#include "workers/Notifier.h"

namespace workertest {

typedef std::pair<int, std::string> Event;

// Records every notify and release, from whatever thread they come.
class RecordingNotifier : public Notifier {
public:
    RecordingNotifier();
    ~RecordingNotifier() override;

    void notify(int event, const std::string& text) override;
    void release() override;

    std::vector<Event> events() const;
    std::vector<int> codes() const;
    int releases() const;
    // Waits until at least count events of the code arrived; false on time-out.
    bool waitForCode(int code, int count, DWORD timeoutMs) const;
    // Waits until release() was called; false on time-out.
    bool waitForRelease(DWORD timeoutMs) const;
    // Makes notify wait (at most 10 s) until letGo: keeps a worker from ending (and deleting
    // itself) before the test has taken a handle of its thread.
    void hold() { ResetEvent(gate_); }
    void letGo() { SetEvent(gate_); }

private:
    bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs) const;

    mutable CRITICAL_SECTION lock_;
    std::vector<Event> events_;
    int releases_;
    HANDLE gate_;
};

// A new stored item (its own folder under a scratch data folder) with the given settings.
MonitorItemSettings* newStoredItem(int type, const std::string& address, int port, int interval,
                                   int unit, int limitMs);

// History of an item, copied under its lock.
std::vector<ResultRecord> historyOf(MonitorItemSettings* item);
ItemStatus statusOf(MonitorItemSettings* item);

// Whole file as text ("" when missing), and split into lines (CR LF or LF).
std::string readFile(const std::string& windowsPath);
std::vector<std::string> readLines(const std::string& windowsPath);

// Waits for a thread handle to end; false on time-out.
bool waitEnded(HANDLE thread, DWORD timeoutMs);

// A TCP listener on address:ephemeral port. With accepting true a Wine thread accepts and closes
// each connection; with false nobody accepts, so once the backlog is full further connects hang.
class Listener {
public:
    Listener(const std::string& address, bool accepting, int backlog = 16);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    bool ok() const { return socket_ != INVALID_SOCKET; }
    int port() const { return port_; }
    int accepted() const;

private:
    static DWORD WINAPI acceptLoop(LPVOID self);

    SOCKET socket_;
    int port_;
    HANDLE thread_;
    volatile LONG stop_;
    volatile LONG accepted_;
};

// A port on address that nothing listens on (bound, then closed).
int closedPort(const std::string& address);

}  // namespace workertest
