#include "ItemNotifier.h"

ItemNotifier::ItemNotifier(HWND window, MonitorItemWrapper* wrapper)
    : window_(window), wrapper_(wrapper)
{
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
