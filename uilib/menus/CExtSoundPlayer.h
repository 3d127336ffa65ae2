// Plays the menu sound events ("MenuPopup" when a popup has opened, "MenuCommand" when a
// command is chosen) on a short-lived thread of its own, so that the GUI thread never waits for
// the sound system. At most one sound thread runs at a time; a request made while it is busy is
// dropped.
#pragma once
#include "afx.h"
#include <mmsystem.h>

class CExtSoundPlayer : public CObject {
    DECLARE_DYNCREATE(CExtSoundPlayer)
public:
    // The sound event codes PlayMenuSound takes; any other value plays nothing.
    enum e_ui_sounds_t {
        __NO_SOUND = 0,
        __ON_MENU_EXPAND_CLICKED = 1,
        __ON_MENU_POPUP_DISPLAYED = 2,
        __ON_MENU_CMD_CLICKED = 3,
    };

    // The caller waits on this until the sound thread has taken its copy of the request.
    class InternalSoundEventInitDone_t : public CEvent {
    public:
        InternalSoundEventInitDone_t() : CEvent(FALSE, TRUE) {}
    };

    // One request, built on the caller's stack.
    struct InternalSoundThredadParms_t {
        enum { NAME_SIZE = 1024 };
        // The name is cut to NAME_SIZE - 1 bytes (never in the middle of a double-byte character).
        InternalSoundThredadParms_t(LPCSTR lpszSoundName, HMODULE hModule, DWORD dwPlaySoundFlags);

        InternalSoundEventInitDone_t* m_pEventInitDone;
        char m_sSoundName[NAME_SIZE];
        HMODULE m_hModule;
        DWORD m_dwPlaySoundFlags;
        HANDLE m_hThread;
        DWORD m_dwThreadID;
    };

    CExtSoundPlayer() = default;
    ~CExtSoundPlayer() override = default;

    virtual void PlayMenuSound(int nSoundCode);

    // The calls that reach the system, replaceable so that a program can run without a sound
    // device and a test can watch what would be played. NULL restores the system's own call.
    typedef BOOL(WINAPI* PlaySoundFn)(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
    typedef HANDLE(WINAPI* CreateThreadFn)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD,
                                           LPDWORD);
    static void SetSystemCalls(PlaySoundFn pfnPlaySound, CreateThreadFn pfnCreateThread);

private:
    static DWORD WINAPI SoundThreadProc(LPVOID pParam);
};

// The process's sound player: created at program start, deleted at exit. A program may put an
// instance of a derived class here (the previous one is then its to delete).
extern CExtSoundPlayer* g_pExtSoundPlayer;
