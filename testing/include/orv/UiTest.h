// Helpers of the tests that drive windows as a user would: a script of steps run from a thread
// timer (so it goes on inside any modal loop: dialogs, sheets, message boxes, menus), real mouse
// and keyboard input through the system's input queue, and a recorder of the messages a window
// received, compared with an expected table.
#pragma once
#include <afxwin.h>
#include <orv/gtest.h>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orvtest {

// The test program's application object, made on the first call with that name (one per
// process; later names are ignored). Profile settings go under HKCU\Software\<name>.
CWinApp& uiApp(const char* name = "Orvane UI tests");

// Class name of a window.
std::string className(HWND hWnd);

// Pumps the thread's messages (through the framework's pre-translation, as the run loop does)
// until pred() holds or timeoutMs passes; answers pred().
bool pumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000);
// Dispatches what is waiting now.
void pumpWaiting();

// Message boxes of the thread that appeared while a Script ran: their texts, in order. Each is
// closed once its text is read: with the next of the answers given, else with OK.
struct MessageBoxes {
    std::vector<std::string> texts;
    // The buttons the boxes are closed with, in order (IDYES, IDNO...); IDOK once none is left.
    std::vector<int> answers;
};

// Runs its steps one per tick (30 ms) of a thread timer; a step answers true when it is done
// (a step that waits answers false until what it waits for happened). A thread timer fires in
// every message loop of the thread, so the steps go on inside modal loops. Message boxes are
// read and closed at every tick, also while a step is still running. After timeoutMs for one
// step the script stops, notes which step was stuck and posts WM_QUIT to end whatever loop runs
// (the destructor drops that quit again).
class Script {
public:
    using Step = std::function<bool()>;
    explicit Script(std::vector<std::pair<std::string, Step>> steps, DWORD timeoutMs = 20000);
    ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    bool finished() const { return m_next == m_steps.size(); }
    // Pumps until every step ran or one timed out; answers finished().
    bool run();
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
    Script* m_pOuter = nullptr;
};

// ---- real input ----

enum Modifier : unsigned { kShift = 1, kCtrl = 2, kAlt = 4 };

void keyDown(WORD vk);
void keyUp(WORD vk);
// One key press and release with the modifiers held around it.
void pressKey(WORD vk, unsigned modifiers = 0);
void typeText(const char* text);  // digits, letters and '-'

// A point of a window's client area in screen coordinates.
POINT screenPoint(HWND hWnd, POINT client);
// The centre of a window in screen coordinates.
POINT centreOf(HWND hWnd);

// Moves the pointer to a screen point. With expect given, moves until a mouse message of the
// thread went to that window (or one of its children, or the window that held the capture then)
// and answers whether that happened within timeoutMs: the input reaches a window only once the
// display knows where it is.
bool moveTo(POINT screen, HWND expect = NULL, DWORD timeoutMs = 5000);
// Moves the pointer there and waits until done() holds, sending the move again whenever a later
// mouse message carried another point: under Wine a late pointer event of an earlier move can
// put the cursor back after the move arrived, and a window that tracks hover then hears of it.
bool moveUntil(POINT screen, const std::function<bool()>& done, DWORD timeoutMs = 5000);
enum class Button { Left, Right };
// A press or release at the point these helpers last moved the pointer to (the cursor's
// position before any move).
void buttonDown(Button button = Button::Left);
void buttonUp(Button button = Button::Left);
// Move there, press and release; the input is waited for as with moveTo.
bool click(POINT screen, HWND expect = NULL, Button button = Button::Left);
bool doubleClick(POINT screen, HWND expect = NULL);
// Moves there as moveTo does, then queues a whole left click and returns at once, before it is
// handled: for a click that opens a modal window, sent from a Script step, so that the window's
// loop runs after the step has ended and the Script goes on inside it.
bool queueClick(POINT screen, HWND expect = NULL);
// Press at from, move in steps to to, release there; each event is taken from the queue before
// the next is sent. (A press that starts a modal loop of the system's, such as sizing, needs the
// rest of the gesture sent from a Script's steps.)
bool drag(POINT from, POINT to, HWND expect = NULL, int steps = 8);
// The window that received the thread's last mouse message (NULL before any).
HWND lastMouseTarget();
// The thread's last few mouse messages (message, window class, point, hit test) and where the
// cursor is: for a failure message of a test whose input did not arrive.
std::string recentMouseMessages();

// ---- message recorder ----

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A row of an expected table; a parameter left out matches any value.
struct Expected {
    UINT message;
    std::optional<WPARAM> wParam = std::nullopt;
    std::optional<LPARAM> lParam = std::nullopt;
};

// Records the messages a window receives (those listed, or all when the list is empty), in
// order, by subclassing it for its lifetime; it lets go when the window is destroyed.
class MessageRecorder {
public:
    MessageRecorder(HWND hWnd, std::vector<UINT> messages = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<Message>& received() const { return m_received; }
    void clear() { m_received.clear(); }
    // Pumps until at least count messages were recorded.
    bool waitFor(size_t count, DWORD timeoutMs = 5000);
    // Success when what was received equals the table; otherwise both tables are printed.
    ::testing::AssertionResult matches(const std::vector<Expected>& expected) const;

    static std::string messageName(UINT message);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd;
    WNDPROC m_pfnOld;
    std::vector<UINT> m_messages;
    std::vector<Message> m_received;
};

}  // namespace orvtest
