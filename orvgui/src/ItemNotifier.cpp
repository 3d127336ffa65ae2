#include "ItemNotifier.h"

#include <map>

#include "workers/ScopedLock.h"

namespace {

// Live notifiers per window, under their own lock (made before any worker thread runs).
struct LiveNotifiers {
    LiveNotifiers() { InitializeCriticalSection(&lock); }
    CRITICAL_SECTION lock;
    std::map<HWND, int> count;
};

LiveNotifiers& live()
{
    static LiveNotifiers* notifiers = new LiveNotifiers;   // outlives every worker at exit
    return *notifiers;
}

}  // namespace

ItemNotifier::ItemNotifier(HWND window, MonitorItemWrapper* wrapper)
    : window_(window), wrapper_(wrapper)
{
    ScopedLock guard(live().lock);
    ++live().count[window_];
}

ItemNotifier::~ItemNotifier()
{
    ScopedLock guard(live().lock);
    if (--live().count[window_] <= 0)
        live().count.erase(window_);
}

void ItemNotifier::notify(int event, const std::string&)
{
    if (event == NotifyStatusRefresh)
        PostMessageA(window_, kItemChanged, reinterpret_cast<WPARAM>(wrapper_), 0);
}

void ItemNotifier::release()
{
    delete this;
}

int ItemNotifier::liveCount(HWND window)
{
    ScopedLock guard(live().lock);
    if (window != nullptr) {
        auto it = live().count.find(window);
        return it == live().count.end() ? 0 : it->second;
    }
    int total = 0;
    for (const auto& entry : live().count)
        total += entry.second;
    return total;
}
