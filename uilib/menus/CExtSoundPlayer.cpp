#include "CExtSoundPlayer.h"

IMPLEMENT_DYNCREATE(CExtSoundPlayer, CObject)

namespace {

CExtSoundPlayer::PlaySoundFn g_pfnPlaySound = NULL;
CExtSoundPlayer::CreateThreadFn g_pfnCreateThread = NULL;

BOOL DoPlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound)
{
    return g_pfnPlaySound != NULL ? g_pfnPlaySound(pszSound, hmod, fdwSound) : ::PlaySoundA(pszSound, hmod, fdwSound);
}

// Serialises the test-and-start step of the requests.
CCriticalSection& RequestLock()
{
    static CCriticalSection cs;
    return cs;
}

// Signalled while no sound thread is busy; auto-reset, so a successful test takes the single
// sound slot. Unnamed: a named event would be shared by every program of the session, and any
// of them could hold our sounds off for good.
CEvent& BusyEvent()
{
    static CEvent ev(TRUE, FALSE, NULL);
    return ev;
}

struct SoundPlayerHolder {
    SoundPlayerHolder() { g_pExtSoundPlayer = new CExtSoundPlayer; }
    ~SoundPlayerHolder()
    {
        delete g_pExtSoundPlayer;
        g_pExtSoundPlayer = NULL;
    }
};

}  // namespace

CExtSoundPlayer* g_pExtSoundPlayer = NULL;
static SoundPlayerHolder g_soundPlayerHolder;

CExtSoundPlayer::InternalSoundThredadParms_t::InternalSoundThredadParms_t(LPCSTR lpszSoundName, HMODULE hModule,
                                                                          DWORD dwPlaySoundFlags)
    : m_pEventInitDone(NULL), m_hModule(hModule), m_dwPlaySoundFlags(dwPlaySoundFlags), m_hThread(NULL),
      m_dwThreadID(0)
{
    ::memset(m_sSoundName, 0, sizeof(m_sSoundName));
    if (lpszSoundName != NULL)
        ::lstrcpynA(m_sSoundName, lpszSoundName, NAME_SIZE);   // stops before a cut double-byte character
}

void CExtSoundPlayer::SetSystemCalls(PlaySoundFn pfnPlaySound, CreateThreadFn pfnCreateThread)
{
    g_pfnPlaySound = pfnPlaySound;
    g_pfnCreateThread = pfnCreateThread;
}

void CExtSoundPlayer::PlayMenuSound(int nSoundCode)
{
    LPCSTR lpszName;
    DWORD dwFlags;
    switch (nSoundCode) {
    case __ON_MENU_EXPAND_CLICKED:
    case __ON_MENU_POPUP_DISPLAYED:
        lpszName = "MenuPopup";
        dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
        break;
    case __ON_MENU_CMD_CLICKED:
        lpszName = "MenuCommand";
        dwFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;   // synchronous on the sound thread
        break;
    default:
        return;
    }
    InternalSoundThredadParms_t parms(lpszName, NULL, dwFlags);

    CCriticalSection& cs = RequestLock();
    cs.Lock();
    CEvent& busy = BusyEvent();
    if (::WaitForSingleObject(busy.m_hObject, 0) == WAIT_OBJECT_0) {
        InternalSoundEventInitDone_t eventInitDone;
        parms.m_pEventInitDone = &eventInitDone;
        if (g_pfnCreateThread != NULL)
            parms.m_hThread = g_pfnCreateThread(NULL, 0, SoundThreadProc, &parms, CREATE_SUSPENDED, &parms.m_dwThreadID);
        else
            parms.m_hThread = ::CreateThread(NULL, 0, SoundThreadProc, &parms, CREATE_SUSPENDED, &parms.m_dwThreadID);
        if (parms.m_hThread != NULL) {
            ::SetThreadPriority(parms.m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
            ::ResumeThread(parms.m_hThread);
            ::WaitForSingleObject(eventInitDone.m_hObject, INFINITE);
        } else {
            busy.SetEvent();   // no thread will hand the slot back
        }
    }
    if (parms.m_hThread != NULL)
        ::CloseHandle(parms.m_hThread);
    cs.Unlock();
}

DWORD WINAPI CExtSoundPlayer::SoundThreadProc(LPVOID pParam)
{
    // Take copies first: the caller's record goes away as soon as the start-up event is signalled.
    const InternalSoundThredadParms_t* pParms = static_cast<const InternalSoundThredadParms_t*>(pParam);
    char sSoundName[InternalSoundThredadParms_t::NAME_SIZE];
    ::lstrcpynA(sSoundName, pParms->m_sSoundName, sizeof(sSoundName));
    InternalSoundEventInitDone_t* pEventInitDone = pParms->m_pEventInitDone;
    HMODULE hModule = pParms->m_hModule;
    DWORD dwFlags = pParms->m_dwPlaySoundFlags;
    if (pEventInitDone != NULL)
        pEventInitDone->SetEvent();

    if ((dwFlags & SND_ASYNC) != 0)
        DoPlaySound(NULL, NULL, SND_PURGE);   // an opened popup cuts a sound still playing
    DoPlaySound(sSoundName, hModule, dwFlags);

    BusyEvent().SetEvent();
    return 0;
}
