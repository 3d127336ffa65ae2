// The list view's listener on an item's worker: turns each status refresh into WM_USER+1001 to the
// list view (wParam the item's wrapper), so that the row is redrawn on the GUI thread.
//
// The worker owns the notifier and releases it on its own thread when it ends; the notifiers not
// yet released are counted per window, so that the view learns of a release without holding a
// pointer that may already be freed.
#pragma once

#include <windows.h>

#include "workers/Notifier.h"

class MonitorItemWrapper;

class ItemNotifier : public Notifier {
public:
    static constexpr UINT kItemChanged = WM_USER + 1001;

    ItemNotifier(HWND window, MonitorItemWrapper* wrapper);

    void notify(int event, const std::string& text) override;
    void release() override;

    // Notifiers for the window (null: any window) that are not yet released. Any thread.
    static int liveCount(HWND window = nullptr);

private:
    ~ItemNotifier() override;

    HWND window_;
    MonitorItemWrapper* wrapper_;
};
