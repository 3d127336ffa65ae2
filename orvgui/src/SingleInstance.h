// The start-up mutex the GUI and the service share: while one program holds it, a second GUI ends
// quietly (one fatal log line) and the service refuses to start.
#pragma once

#include <windows.h>

class SingleInstance {
public:
    static const char kMutexName[];        // "OrvaneStartUpMutex"
    static const char kAlreadyRunning[];   // "Application is already running"

    SingleInstance() : m_mutex(NULL) {}
    ~SingleInstance() { release(); }
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Creates the mutex under the name; false, with the fatal log line and nothing held, when
    // another program made it first.
    bool acquire(const char* name = kMutexName);
    bool held() const { return m_mutex != NULL; }
    // Lets the mutex go (nothing when none is held).
    void release();

private:
    HANDLE m_mutex;
};
