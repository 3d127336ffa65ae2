// The list view's listener on an item's worker: turns each status refresh into WM_USER+1001 to the
// list view (wParam the item's wrapper), so that the row is redrawn on the GUI thread.
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

private:
    HWND window_;
    MonitorItemWrapper* wrapper_;
};
