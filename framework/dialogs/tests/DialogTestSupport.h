// Helpers of the dialog and frame tests: a script of steps run from a thread timer (so it goes
// on inside any modal loop), a closer of message boxes that keeps their texts, and real
// keyboard input.
#pragma once
#include <afxwin.h>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace dlgtest {

// The test program's application object (one per process).
CWinApp& testApp();

// Message boxes of the thread that appeared while a Script ran: their texts, in order. Each is
// closed with OK once its text is read.
struct MessageBoxes {
    std::vector<std::string> texts;
};

// Runs its steps one per tick (30 ms) of a thread timer; a step answers true when it is done
// (a step that waits answers false until what it waits for happened). Message boxes are read
// and closed at every tick, also while a step is still running (a step that ran OnOK which
// shows one). After timeoutMs the script stops, notes which step was stuck and posts WM_QUIT
// to end whatever loop runs (the destructor drops that quit again).
class Script {
public:
    using Step = std::function<bool()>;
    explicit Script(std::vector<std::pair<std::string, Step>> steps, DWORD timeoutMs = 20000);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool finished() const { return m_next == m_steps.size(); }
    std::string failure;            // empty unless a step timed out
    std::vector<std::string> done;  // names of the finished steps
    MessageBoxes boxes;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<std::pair<std::string, Step>> m_steps;
    size_t m_next = 0;
    DWORD m_timeoutMs;
    DWORD m_start;
    bool m_inStep = false;
    UINT_PTR m_timer = 0;
};

// Real keyboard input through the system's input queue.
void pressKey(WORD vk, bool shift = false);
void typeText(const char* text);  // digits, letters and '-'

// Pumps until pred() holds or timeoutMs passes; answers pred().
bool pumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);

// Class name of a window.
std::string className(HWND hWnd);

}  // namespace dlgtest
