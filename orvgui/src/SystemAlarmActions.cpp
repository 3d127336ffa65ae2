#include "SystemAlarmActions.h"

#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

// One slot per thread: set once COM has been initialised on it.
DWORD comSlot()
{
    static DWORD slot = TlsAlloc();
    return slot;
}

}  // namespace

SystemAlarmActions* SystemAlarmActions::instance()
{
    static SystemAlarmActions actions;
    return &actions;
}

bool SystemAlarmActions::prepareThread()
{
    const DWORD slot = comSlot();
    if (slot == TLS_OUT_OF_INDEXES)
        return false;
    if (TlsGetValue(slot))
        return true;
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // RPC_E_CHANGED_MODE: the thread has COM in the other model already, which serves as well.
    if (FAILED(result) && result != RPC_E_CHANGED_MODE)
        return false;
    TlsSetValue(slot, reinterpret_cast<LPVOID>(1));
    return true;
}

void SystemAlarmActions::open(const std::string& target)
{
    prepareThread();
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SystemAlarmActions::playSound(const std::string& file, bool loop)
{
    PlaySoundA(file.c_str(), nullptr, loop ? SND_ASYNC | SND_LOOP : 0);
}

void SystemAlarmActions::stopSound()
{
    PlaySoundA(nullptr, nullptr, SND_ASYNC);
}
