// Alarm actions that record what they were asked to do (with the asking thread) instead of
// opening or playing anything; open can also be passed on to the real shell.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "AlarmActions.h"
#include "SystemAlarmActions.h"

class RecordingActions : public AlarmActions {
public:
    struct Call {
        std::string what;   // "open <target>", "sound <file> loop|once", "stop"
        DWORD thread;
        bool comReady;      // COM was initialised on the thread when open returned
    };

    explicit RecordingActions(bool reallyOpen = false) : reallyOpen_(reallyOpen)
    {
        InitializeCriticalSection(&lock_);
    }
    ~RecordingActions() override { DeleteCriticalSection(&lock_); }

    void open(const std::string& target) override
    {
        bool com = false;
        if (reallyOpen_) {
            SystemAlarmActions::instance()->open(target);
            // S_FALSE: COM was initialised on this thread already (the call is undone at once).
            HRESULT again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
            com = again == S_FALSE || again == RPC_E_CHANGED_MODE;
            if (SUCCEEDED(again))
                CoUninitialize();
        }
        add("open " + target, com);
    }
    void playSound(const std::string& file, bool loop) override
    {
        add("sound " + file + (loop ? " loop" : " once"), false);
    }
    void stopSound() override { add("stop", false); }

    std::vector<Call> calls()
    {
        EnterCriticalSection(&lock_);
        std::vector<Call> copy = calls_;
        LeaveCriticalSection(&lock_);
        return copy;
    }
    std::vector<std::string> whats()
    {
        std::vector<std::string> all;
        for (const Call& call : calls())
            all.push_back(call.what);
        return all;
    }
    void clear()
    {
        EnterCriticalSection(&lock_);
        calls_.clear();
        LeaveCriticalSection(&lock_);
    }

private:
    void add(const std::string& what, bool com)
    {
        EnterCriticalSection(&lock_);
        calls_.push_back(Call{what, GetCurrentThreadId(), com});
        LeaveCriticalSection(&lock_);
    }

    bool reallyOpen_;
    CRITICAL_SECTION lock_;
    std::vector<Call> calls_;
};
