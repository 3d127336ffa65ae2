// The menu sounds with the system's PlaySound and CreateThread replaced: what each event code
// plays, the single sound slot (a request while a sound plays is dropped), the slot handed back
// when no thread could be started, and the length limit of a sound name.
#include "orv/gtest.h"
#include "CExtSoundPlayer.h"
#include <string>
#include <vector>

namespace {

struct PlayedSound {
    std::string name;   // "<null>" for the purge call
    HMODULE hModule;
    DWORD dwFlags;
};

// What the sound thread asked of PlaySound, and the threads started, across threads.
struct SoundRecorder {
    CRITICAL_SECTION cs;
    std::vector<PlayedSound> played;
    int nThreadsAsked = 0;
    bool bFailNextThread = false;
    HANDLE hLastThread = NULL;     // our own handle of the last sound thread, to wait for its end
    HANDLE hEntered = NULL;        // set when PlaySound is entered with a real name
    HANDLE hRelease = NULL;        // while not set, PlaySound of "MenuCommand" blocks (a long sound)

    SoundRecorder()
    {
        ::InitializeCriticalSection(&cs);
        hEntered = ::CreateEventA(NULL, FALSE, FALSE, NULL);
        hRelease = ::CreateEventA(NULL, TRUE, TRUE, NULL);
    }
    ~SoundRecorder()
    {
        ::CloseHandle(hEntered);
        ::CloseHandle(hRelease);
        ::DeleteCriticalSection(&cs);
    }
    std::vector<PlayedSound> Played()
    {
        ::EnterCriticalSection(&cs);
        std::vector<PlayedSound> copy = played;
        ::LeaveCriticalSection(&cs);
        return copy;
    }
};

SoundRecorder* g_pRecorder = NULL;

BOOL WINAPI RecordPlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound)
{
    ::EnterCriticalSection(&g_pRecorder->cs);
    g_pRecorder->played.push_back({pszSound != NULL ? pszSound : "<null>", hmod, fdwSound});
    ::LeaveCriticalSection(&g_pRecorder->cs);
    if (pszSound != NULL) {
        ::SetEvent(g_pRecorder->hEntered);
        if (std::string(pszSound) == "MenuCommand")
            ::WaitForSingleObject(g_pRecorder->hRelease, 10000);
    }
    return TRUE;
}

HANDLE WINAPI RecordCreateThread(LPSECURITY_ATTRIBUTES psa, SIZE_T cbStack, LPTHREAD_START_ROUTINE pfn, LPVOID pv,
                                 DWORD dwFlags, LPDWORD pdwId)
{
    ++g_pRecorder->nThreadsAsked;
    if (g_pRecorder->bFailNextThread) {
        g_pRecorder->bFailNextThread = false;
        return NULL;
    }
    HANDLE h = ::CreateThread(psa, cbStack, pfn, pv, dwFlags, pdwId);
    if (g_pRecorder->hLastThread != NULL)
        ::CloseHandle(g_pRecorder->hLastThread);
    g_pRecorder->hLastThread = NULL;
    if (h != NULL)
        ::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &g_pRecorder->hLastThread, SYNCHRONIZE, FALSE, 0);
    return h;
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pRecorder = &m_recorder;
        CExtSoundPlayer::SetSystemCalls(RecordPlaySound, RecordCreateThread);
    }
    void TearDown() override
    {
        ::SetEvent(m_recorder.hRelease);
        WaitForSoundThread();
        if (m_recorder.hLastThread != NULL)
            ::CloseHandle(m_recorder.hLastThread);
        CExtSoundPlayer::SetSystemCalls(NULL, NULL);
        g_pRecorder = NULL;
    }
    // The sound thread hands the slot back as its last act: once it has ended, the next request
    // finds the player idle.
    void WaitForSoundThread()
    {
        if (m_recorder.hLastThread != NULL) {
            ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_recorder.hLastThread, 10000));
        }
    }
    SoundRecorder m_recorder;
};

TEST_F(SoundPlayerTest, EachCodePlaysItsEventOrNothing)
{
    const DWORD kPopupFlags = 0x12003, kCommandFlags = 0x12002;
    struct Case {
        int nCode;
        std::vector<std::string> names;   // in the order PlaySound is called
        DWORD dwFlags;                    // of the named call
    } cases[] = {
        {0, {}, 0},
        {-1, {}, 0},
        {INT_MIN, {}, 0},
        {4, {}, 0},
        {1, {"<null>", "MenuPopup"}, kPopupFlags},
        {2, {"<null>", "MenuPopup"}, kPopupFlags},
        {3, {"MenuCommand"}, kCommandFlags},
    };
    ASSERT_NE(nullptr, g_pExtSoundPlayer);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nCode);
        m_recorder.played.clear();
        m_recorder.nThreadsAsked = 0;
        g_pExtSoundPlayer->PlayMenuSound(c.nCode);
        WaitForSoundThread();
        std::vector<PlayedSound> played = m_recorder.Played();
        EXPECT_EQ(c.names.empty() ? 0 : 1, m_recorder.nThreadsAsked);
        ASSERT_EQ(c.names.size(), played.size());
        for (size_t i = 0; i < played.size(); ++i) {
            EXPECT_EQ(c.names[i], played[i].name);
            EXPECT_EQ(NULL, played[i].hModule);
        }
        if (!played.empty()) {
            if (c.names.size() == 2) {
                EXPECT_EQ((DWORD)SND_PURGE, played[0].dwFlags);   // a popup cuts a sound still playing
            }
            EXPECT_EQ(c.dwFlags, played.back().dwFlags);
        }
    }
}

TEST_F(SoundPlayerTest, RequestWhileASoundPlaysIsDropped)
{
    ::ResetEvent(m_recorder.hRelease);   // the command sound lasts until released
    g_pExtSoundPlayer->PlayMenuSound(3);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(m_recorder.hEntered, 10000));

    g_pExtSoundPlayer->PlayMenuSound(3);
    g_pExtSoundPlayer->PlayMenuSound(2);
    EXPECT_EQ(1, m_recorder.nThreadsAsked);
    EXPECT_EQ(1u, m_recorder.Played().size());

    ::SetEvent(m_recorder.hRelease);
    WaitForSoundThread();
    g_pExtSoundPlayer->PlayMenuSound(3);   // idle again: plays
    WaitForSoundThread();
    EXPECT_EQ(2, m_recorder.nThreadsAsked);
    ASSERT_EQ(2u, m_recorder.Played().size());
    EXPECT_EQ("MenuCommand", m_recorder.Played()[1].name);
}

TEST_F(SoundPlayerTest, FailedThreadHandsTheSlotBack)
{
    m_recorder.bFailNextThread = true;
    g_pExtSoundPlayer->PlayMenuSound(3);
    EXPECT_EQ(1, m_recorder.nThreadsAsked);
    EXPECT_TRUE(m_recorder.Played().empty());

    g_pExtSoundPlayer->PlayMenuSound(3);   // would be dropped for good if the slot stayed taken
    WaitForSoundThread();
    EXPECT_EQ(2, m_recorder.nThreadsAsked);
    ASSERT_EQ(1u, m_recorder.Played().size());
    EXPECT_EQ("MenuCommand", m_recorder.Played()[0].name);
}

TEST(SoundRequestTest, NameIsCutToTheRecordsSize)
{
    struct Case {
        size_t nLength;
        size_t nKept;
    } cases[] = {{0, 0}, {9, 9}, {1023, 1023}, {1024, 1023}, {5000, 1023}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nLength);
        std::string name(c.nLength, 'a');
        CExtSoundPlayer::InternalSoundThredadParms_t parms(name.c_str(), NULL, 0x12002);
        EXPECT_EQ(c.nKept, ::strlen(parms.m_sSoundName));
        EXPECT_EQ('\0', parms.m_sSoundName[sizeof(parms.m_sSoundName) - 1]);
        EXPECT_EQ(nullptr, parms.m_pEventInitDone);
        EXPECT_EQ(NULL, parms.m_hThread);
        EXPECT_EQ(0x12002u, parms.m_dwPlaySoundFlags);
    }
}

TEST(SoundPlayerClassTest, IsCreatedByName)
{
    CObject* p = RUNTIME_CLASS(CExtSoundPlayer)->CreateObject();
    ASSERT_NE(nullptr, p);
    EXPECT_STREQ("CExtSoundPlayer", p->GetRuntimeClass()->m_lpszClassName);
    delete p;
}

}  // namespace
