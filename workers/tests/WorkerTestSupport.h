// Helpers shared by the workers tests: a notifier that records what it hears, stored items in a
// scratch data folder, file reading and writing, starting a worker of an item, and a loopback
// listener on a Wine thread.
#pragma once

#include "orv/gtest.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Monitor/MonitorItemSettings.h"
#include "workers/Notifier.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

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
// Replaces the file with bytes (a failed test when it cannot be written whole).
void writeFile(const std::string& windowsPath, const std::string& bytes);
bool exists(const std::string& windowsPath);

// The value a new WinINet handle gets: handles are numbered from the lowest free one, so a leak
// shows as a number that keeps growing.
uintptr_t nextHandleValue();

// The texts with the time (which varies) cut from "... in N miliseconds".
std::vector<Event> withoutTimes(std::vector<Event> events);

// Waits for a thread handle to end; false on time-out.
bool waitEnded(HANDLE thread, DWORD timeoutMs);

// Starts the item's worker, made by the manager and then left to the test, with the notifier
// attached; returns it as the worker type W expected for the item, and a handle of its thread,
// taken while the notifier holds the worker's first event (so it cannot have ended yet).
template <typename W>
W* startItemWorker(MonitorItemSettings* item, RecordingNotifier* notifier, bool testMode, HANDLE& thread)
{
    Worker* worker = WorkerManager::instance()->createWorker(item);
    WorkerManager::instance()->detachWorker(worker);
    worker->attach(notifier);
    worker->setTestMode(testMode);
    W* typed = dynamic_cast<W*>(worker);
    EXPECT_NE(nullptr, typed);
    notifier->hold();
    typed->start();
    thread = typed->duplicateHandle();
    notifier->letGo();
    return typed;
}

// Runs one test-mode pass of the item's worker (of type W); the events it sent.
template <typename W>
std::vector<Event> testRunEvents(MonitorItemSettings* item)
{
    RecordingNotifier notifier;
    HANDLE h;
    startItemWorker<W>(item, &notifier, true, h);
    EXPECT_TRUE(waitEnded(h, 20000));
    CloseHandle(h);
    return notifier.events();
}

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
