#include "workers/ThreadEvents.h"

#include <objbase.h>

#include <string>

namespace {

// "<Data1>_<Data2>\n" of a fresh GUID: a name no other event in the system has.
std::string freshEventName()
{
    GUID guid;
    if (CoCreateGuid(&guid) != S_OK)
        return std::string();
    return std::to_string(static_cast<unsigned long>(guid.Data1)) + "_" +
           std::to_string(static_cast<unsigned int>(guid.Data2)) + "\n";
}

}  // namespace

ThreadEvents::ThreadEvents()
{
    for (int i = 0; i < Count; ++i) {
        std::string name = freshEventName();
        names_.push_back(name);
        // Without a GUID the event is simply unnamed: it works the same inside the process.
        handles_.push_back(CreateEventA(nullptr, FALSE, FALSE, name.empty() ? nullptr : name.c_str()));
    }
}

ThreadEvents::~ThreadEvents()
{
    for (HANDLE h : handles_) {
        if (h)
            CloseHandle(h);
    }
}

void ThreadEvents::set(int index)
{
    if (index >= 0 && index < Count && handles_[index])
        SetEvent(handles_[index]);
}

void ThreadEvents::reset(int index)
{
    if (index >= 0 && index < Count && handles_[index])
        ResetEvent(handles_[index]);
}

HANDLE ThreadEvents::handle(int index) const
{
    return index >= 0 && index < Count ? handles_[index] : nullptr;
}

int ThreadEvents::waitAny(DWORD milliseconds)
{
    DWORD r = WaitForMultipleObjects(Count, handles_.data(), FALSE, milliseconds);
    if (r == WAIT_TIMEOUT)
        return -1;
    if (r < static_cast<DWORD>(Count))
        return static_cast<int>(r);
    return WaitFailed;
}
