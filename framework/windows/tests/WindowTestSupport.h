// Helpers of the window tests: message pumping with a deadline and a recorder of events.
#pragma once
#include <afxwin.h>
#include <string>
#include <vector>

namespace wintest {

// Dispatches what is queued until pred() holds or timeoutMs passes; answers pred().
template <class Pred>
bool pumpUntil(Pred pred, DWORD timeoutMs = 5000)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs)
            return pred();
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        }
    }
    return true;
}

// Dispatches everything queued now, without waiting.
inline void pumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Events in the order they happened.
struct Recorder {
    std::vector<std::string> events;
    void add(const std::string& e) { events.push_back(e); }
};

// The test program's application object (one per process).
CWinApp& testApp();

}  // namespace wintest
