#include "CallWatch.h"

CallWatch::CallWatch(DWORD limitMs, const std::function<bool()>& cancelled, const std::function<void()>& abort)
    : limitMs_(limitMs), cancelled_(cancelled), abort_(abort), started_(GetTickCount()), outcome_(Running),
      thread_(NULL)
{
    done_ = CreateEventA(NULL, TRUE, FALSE, NULL);
    // Without the watch the call still ends, only later (by the system's own time-outs).
    if (done_)
        thread_ = CreateThread(NULL, 0, watch, this, 0, NULL);
}

CallWatch::~CallWatch()
{
    finish();
    if (done_)
        CloseHandle(done_);
}

void CallWatch::finish()
{
    if (thread_) {
        SetEvent(done_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        thread_ = NULL;
    }
}

DWORD WINAPI CallWatch::watch(LPVOID self)
{
    CallWatch* w = static_cast<CallWatch*>(self);
    for (;;) {
        if (WaitForSingleObject(w->done_, kPollMs) == WAIT_OBJECT_0)
            return 0;
        LONG outcome = Running;
        if (w->cancelled_ && w->cancelled_())
            outcome = Cancelled;
        else if (GetTickCount() - w->started_ >= w->limitMs_)
            outcome = TimedOut;
        if (outcome != Running) {
            InterlockedExchange(&w->outcome_, outcome);
            w->abort_();
            return 0;
        }
    }
}
