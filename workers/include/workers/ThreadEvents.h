// The wake (index 0) and stop (index 1) events of a Thread: auto-reset, initially clear, each named
// after a fresh GUID so that two threads never share one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class ThreadEvents {
public:
    enum { Wake = 0, Stop = 1, Count = 2 };

    ThreadEvents();
    ~ThreadEvents();
    ThreadEvents(const ThreadEvents&) = delete;
    ThreadEvents& operator=(const ThreadEvents&) = delete;

    // Both do nothing for an index outside 0..1.
    void set(int index);
    void reset(int index);

    // Waits until either event is signalled: its index (the wake event when both are), or -1 on
    // time-out. A failed wait gives -2, so the caller can tell it from a time-out.
    int waitAny(DWORD milliseconds);

    HANDLE handle(int index) const;
    const std::vector<std::string>& names() const { return names_; }

    static const int WaitFailed = -2;

private:
    std::vector<HANDLE> handles_;
    std::vector<std::string> names_;
};
