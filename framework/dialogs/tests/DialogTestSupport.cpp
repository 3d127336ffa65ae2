#include "DialogTestSupport.h"

namespace dlgtest {

CWinApp& testApp()
{
    static CWinApp app("Orvane dialog tests");
    return app;
}

namespace {

Script* g_pScript = nullptr;

BOOL CALLBACK FindText(HWND hWnd, LPARAM lParam)
{
    char text[512] = "";
    if (className(hWnd) == "Static" && ::GetWindowTextA(hWnd, text, sizeof text) > 0) {
        *reinterpret_cast<std::string*>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog-class window of the thread that no framework object owns: a message box.
BOOL CALLBACK CloseMessageBox(HWND hWnd, LPARAM lParam)
{
    if (className(hWnd) == "#32770" && ::IsWindowVisible(hWnd) && CWnd::FromHandlePermanent(hWnd) == NULL &&
        ::GetPropA(hWnd, "OrvTestSeen") == NULL) {
        std::string text;
        ::EnumChildWindows(hWnd, FindText, (LPARAM)&text);
        reinterpret_cast<MessageBoxes*>(lParam)->texts.push_back(text);
        ::SetPropA(hWnd, "OrvTestSeen", (HANDLE)1);
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

}  // namespace

std::string className(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

Script::Script(std::vector<std::pair<std::string, Step>> steps, DWORD timeoutMs)
    : m_steps(std::move(steps)), m_timeoutMs(timeoutMs), m_start(::GetTickCount())
{
    g_pScript = this;
    m_timer = ::SetTimer(NULL, 0, 30, OnTimer);
}

Script::~Script()
{
    ::KillTimer(NULL, m_timer);
    g_pScript = nullptr;
    if (!failure.empty()) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

void CALLBACK Script::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    AfxCallbackBarrier(0, [] {
        if (g_pScript != nullptr)
            g_pScript->Tick();
        return 0;
    });
}

void Script::Tick()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseMessageBox, (LPARAM)&boxes);
    if (m_inStep || finished() || !failure.empty())
        return;
    if (::GetTickCount() - m_start > m_timeoutMs) {
        failure = "step '" + m_steps[m_next].first + "' timed out";
        ::PostQuitMessage(99);
        return;
    }
    m_inStep = true;
    bool bDone = m_steps[m_next].second();
    m_inStep = false;
    if (bDone) {
        done.push_back(m_steps[m_next].first);
        m_next++;
        m_start = ::GetTickCount();
    }
}

void pressKey(WORD vk, bool shift)
{
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool down) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        in.push_back(i);
    };
    if (shift)
        key(VK_SHIFT, true);
    key(vk, true);
    key(vk, false);
    if (shift)
        key(VK_SHIFT, false);
    ::SendInput((UINT)in.size(), in.data(), sizeof(INPUT));
}

void typeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        char c = *p;
        if (c >= 'a' && c <= 'z')
            pressKey((WORD)(c - 'a' + 'A'));
        else if (c >= 'A' && c <= 'Z')
            pressKey((WORD)c, true);
        else if (c == '-')
            pressKey(VK_OEM_MINUS);
        else
            pressKey((WORD)c);
    }
}

bool pumpUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs)
            return pred();
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        } else {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        }
    }
    return true;
}

}  // namespace dlgtest
