// The real orvgui.exe end to end, as a user drives it: started with a fresh data folder in the
// test's own prefix, under Xvfb, inside a network namespace of its own where the fixture servers
// stand in for the world (the watched page, the alarm mail's name servers and exchanger), and a
// recorder program stands in for the alarm's command and for the handlers of pages and addresses.
// Every step is real input (SendInput) into the other process, waited for by what it makes happen
// (a window, a text, a file, a recorded line), with a picture per step:
//  - the wizard at start; an HTTP item on the fixture page and a Port item on a closed port;
//  - both results in the list; the failing item reaching its threshold: mail to the sink through
//    the fake name servers, the alert page opened, the command and the address started;
//  - the menu bar by Alt and its letters, tool-bar buttons, a row's context menu and the tray
//    menu: suspend, activate, run now, clear stats, delete with its question;
//  - the default report and a report made in the report manager, written into the Reports
//    folder and opened; the preferences and internet options stored;
//  - closed, then started again: items, results, columns, bar layout and window placement back.
// The test reads the program's windows from outside: window texts, list boxes and buttons by
// messages the system carries between processes, and the item list through memory of the
// program's own (the list's messages carry pointers).
#include "orv/gtest.h"
#include "orv/FixtureServer.h"
#include "orv/MailSink.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resource.h"

using ::testing::HasSubstr;

namespace {

const DWORD kWaitMs = 30000;
const int kNext = 0x3024, kFinish = 0x3025;   // the wizard's buttons
const int kToolBarId = 0xE800, kStatusBarId = 0xE801;

// ---- waiting ----

// Polls until done() holds, at most timeoutMs; answers done(). What is waited for happens in
// another process, so there is no message of ours to wait on.
bool waitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWaitMs)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return done();
        ::Sleep(25);
    }
    return true;
}

// ---- windows of another process ----

std::string textOf(HWND hWnd)
{
    char text[1024] = "";
    // WM_GETTEXT is carried between processes (GetWindowText would not ask the window)
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 5000, NULL);
    return text;
}

std::string classOf(HWND hWnd)
{
    char name[128] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

DWORD processOf(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

BOOL CALLBACK collectWindow(HWND hWnd, LPARAM lParam)
{
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// Top-level windows, visible or not.
std::vector<HWND> allTopWindows()
{
    std::vector<HWND> all;
    ::EnumWindows(collectWindow, (LPARAM)&all);
    return all;
}

// The visible top-level windows of a process (0: of every process).
std::vector<HWND> topWindows(DWORD pid)
{
    std::vector<HWND> found;
    for (HWND hWnd : allTopWindows())
        if (::IsWindowVisible(hWnd) && (pid == 0 || processOf(hWnd) == pid))
            found.push_back(hWnd);
    return found;
}

std::vector<HWND> descendants(HWND parent)
{
    std::vector<HWND> all;
    ::EnumChildWindows(parent, collectWindow, (LPARAM)&all);
    return all;
}

// A visible, enabled top-level window of the process with this caption.
HWND windowWithCaption(DWORD pid, const std::string& caption)
{
    for (HWND hWnd : topWindows(pid))
        if (::IsWindowEnabled(hWnd) && textOf(hWnd) == caption)
            return hWnd;
    return NULL;
}

// The visible control of this id under the window (pages of a sheet share ids: only the shown
// page's controls are visible).
HWND control(HWND parent, int id)
{
    for (HWND hWnd : descendants(parent))
        if (::GetDlgCtrlID(hWnd) == id && ::IsWindowVisible(hWnd))
            return hWnd;
    return NULL;
}

bool checked(HWND button)
{
    return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The texts of a list box. LB_GETTEXT is carried between processes in its wide form only (the
// narrow form comes back as wide characters).
std::vector<std::string> listBoxTexts(HWND list)
{
    std::vector<std::string> texts;
    const int count = (int)::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        WCHAR wide[256] = L"";
        char text[512] = "";
        if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < 256 && ::SendMessageW(list, LB_GETTEXT, i, (LPARAM)wide) != LB_ERR)
            ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, NULL, NULL);
        texts.push_back(text);
    }
    return texts;
}

// The window with the keyboard focus in the thread that owns hWnd.
HWND focusOf(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info) ? info.hwndFocus : NULL;
}

// The top-level windows of a process, one line each, for a failure's message.
std::string describeWindows(DWORD pid)
{
    std::string text;
    for (HWND hWnd : allTopWindows()) {
        if (pid != 0 && processOf(hWnd) != pid)
            continue;
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        char line[512];
        snprintf(line, sizeof line, "\n  %s \"%s\" %s (%ld,%ld)-(%ld,%ld) pid %lu", classOf(hWnd).c_str(),
                 textOf(hWnd).c_str(), ::IsWindowVisible(hWnd) ? "visible" : "hidden", (long)rc.left, (long)rc.top,
                 (long)rc.right, (long)rc.bottom, (unsigned long)processOf(hWnd));
        text += line;
    }
    return text;
}

// ---- memory of the program, for the list control's messages ----

class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size) : m_process(process), m_size(size)
    {
        m_base = static_cast<char*>(::VirtualAllocEx(process, NULL, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteBuffer()
    {
        if (m_base != nullptr)
            ::VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool valid() const { return m_base != nullptr; }
    char* at(size_t offset) const { return m_base + offset; }
    bool write(size_t offset, const void* data, size_t size) const
    {
        SIZE_T done = 0;
        return ::WriteProcessMemory(m_process, m_base + offset, data, size, &done) && done == size;
    }
    bool read(size_t offset, void* data, size_t size) const
    {
        SIZE_T done = 0;
        return ::ReadProcessMemory(m_process, m_base + offset, data, size, &done) && done == size;
    }

private:
    HANDLE m_process;
    size_t m_size;
    char* m_base = nullptr;
};

// The program's item list (a report list control), read from outside.
class RemoteList {
public:
    RemoteList(HANDLE process, HWND list) : m_process(process), m_list(list) {}
    HWND hwnd() const { return m_list; }
    int rows() const { return (int)::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0); }

    std::string cell(int row, int column) const
    {
        RemoteBuffer buffer(m_process, 4096);
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = buffer.at(sizeof item);
        item.cchTextMax = 1024;
        char text[1024] = "";
        if (!buffer.valid() || !buffer.write(0, &item, sizeof item) ||
            ::SendMessageA(m_list, LVM_GETITEMTEXTA, row, (LPARAM)buffer.at(0)) < 0 ||
            !buffer.read(sizeof item, text, sizeof text))
            return "?";
        text[sizeof text - 1] = '\0';
        return text;
    }

    // The column captions, left to right as stored, without trailing blanks.
    std::vector<std::string> captions() const
    {
        std::vector<std::string> result;
        HWND header = (HWND)::SendMessageA(m_list, LVM_GETHEADER, 0, 0);
        const int count = (int)::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0);
        RemoteBuffer buffer(m_process, 4096);
        for (int i = 0; i < count && buffer.valid(); ++i) {
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = buffer.at(sizeof item);
            item.cchTextMax = 256;
            char text[256] = "";
            if (!buffer.write(0, &item, sizeof item) || !::SendMessageA(header, HDM_GETITEMA, i, (LPARAM)buffer.at(0)) ||
                !buffer.read(sizeof item, text, sizeof text))
                break;
            text[sizeof text - 1] = '\0';
            std::string caption = text;
            while (!caption.empty() && caption.back() == ' ')
                caption.pop_back();
            result.push_back(caption);
        }
        return result;
    }

    int column(const std::string& caption) const
    {
        const std::vector<std::string> all = captions();
        auto it = std::find(all.begin(), all.end(), caption);
        return it == all.end() ? -1 : int(it - all.begin());
    }

    // The text of the named column in the row whose "Item Name" is name ("" without such a row).
    std::string cellOf(const std::string& name, const std::string& caption) const
    {
        const int row = rowOf(name), col = column(caption);
        return row < 0 || col < 0 ? std::string() : cell(row, col);
    }

    int rowOf(const std::string& name) const
    {
        const int col = column("Item Name");
        for (int row = 0; col >= 0 && row < rows(); ++row)
            if (cell(row, col) == name)
                return row;
        return -1;
    }

    // A point inside the row's "Item Name" cell, on the screen.
    bool rowPoint(int row, POINT& point) const
    {
        RemoteBuffer buffer(m_process, 256);
        RECT rc = {};
        rc.left = LVIR_LABEL;
        if (!buffer.valid() || !buffer.write(0, &rc, sizeof rc) ||
            !::SendMessageA(m_list, LVM_GETITEMRECT, row, (LPARAM)buffer.at(0)) || !buffer.read(0, &rc, sizeof rc))
            return false;
        point = POINT{rc.left + 60, (rc.top + rc.bottom) / 2};
        const int nameColumn = column("Item Name");
        if (nameColumn > 0) {
            RECT sub = {};
            sub.top = nameColumn;
            sub.left = LVIR_LABEL;
            if (buffer.write(0, &sub, sizeof sub) &&
                ::SendMessageA(m_list, LVM_GETSUBITEMRECT, row, (LPARAM)buffer.at(0)) && buffer.read(0, &sub, sizeof sub))
                point.x = (sub.left + sub.right) / 2;
        }
        ::ClientToScreen(m_list, &point);
        return true;
    }

    int selected() const { return (int)::SendMessageA(m_list, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED); }

private:
    HANDLE m_process;
    HWND m_list;
};

// ---- real input into the other process ----

void sendMouse(POINT pt, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// Moves the pointer and waits until the system has it there (sent again now and then: a late
// pointer event of an earlier move may put it back).
bool moveTo(POINT pt)
{
    DWORD last = ::GetTickCount();
    sendMouse(pt, 0);
    return waitUntil([&] {
        POINT now;
        if (::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y)
            return true;
        if (::GetTickCount() - last > 200) {
            sendMouse(pt, 0);
            last = ::GetTickCount();
        }
        return false;
    }, 10000);
}

// Each press carries its point, so it lands there wherever the pointer was put meanwhile.
bool click(POINT pt, bool right = false)
{
    if (!moveTo(pt))
        return false;
    sendMouse(pt, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    sendMouse(pt, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    return true;
}

POINT centreOf(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    // a little aside each time, so that two clicks on one control are never a double click
    static int nudge = 0;
    return POINT{(rc.left + rc.right) / 2 + (nudge++ % 3) * 2 - 2, (rc.top + rc.bottom) / 2};
}

// Whether the thread of a window takes a new click as a new gesture: no menu or move loop of the
// system runs in it. (Which window holds the mouse tells nothing here: a wizard's Next button
// holds it after the page it turned, and gives it up only on the next press elsewhere.)
bool readyForClick(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info) &&
           !(info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_INMOVESIZE));
}

// Clicks a control once it is shown and enabled and its thread is ready for the click.
bool clickControl(HWND hWnd)
{
    if (hWnd == NULL)
        return false;
    if (!waitUntil([&] { return ::IsWindowVisible(hWnd) && ::IsWindowEnabled(hWnd) && readyForClick(hWnd); }, 10000)) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info);
        ADD_FAILURE() << "not ready for a click: flags " << info.flags << ", capture " << classOf(info.hwndCapture) << " \""
                      << textOf(info.hwndCapture) << "\", visible " << ::IsWindowVisible(hWnd) << ", enabled "
                      << ::IsWindowEnabled(hWnd);
        return false;
    }
    // A skinned button holds the mouse while the pointer rests on it (its hover), and a press
    // queued before the move away reached it would go to that button. The pointer is put on the
    // control first, and the press waits until the mouse is free or held by the control itself.
    const POINT pt = centreOf(hWnd);
    if (!moveTo(pt))
        return false;
    const DWORD thread = ::GetWindowThreadProcessId(hWnd, NULL);
    auto captureOf = [thread] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) ? info.hwndCapture : NULL;
    };
    if (!waitUntil([&] {
            const HWND capture = captureOf();
            return capture == NULL || capture == hWnd || ::IsChild(hWnd, capture);
        }, 10000)) {
        const HWND capture = captureOf();
        ADD_FAILURE() << "the mouse stays held by " << classOf(capture) << " \"" << textOf(capture) << "\"";
        return false;
    }
    return click(pt);
}

// Whether the thread of a window is in the system's move or size loop.
bool inMoveSize(HWND hWnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, NULL), &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

// Drags a top-level window by its caption: the press, then the steps once the system's move loop
// runs (each step reached before the next), then the release, and the end of the loop.
bool dragCaption(HWND hWnd, POINT from, POINT to, int steps = 10)
{
    if (!moveTo(from))
        return false;
    sendMouse(from, MOUSEEVENTF_LEFTDOWN);
    if (!waitUntil([&] { return inMoveSize(hWnd); }, 10000))
        return false;
    for (int i = 1; i <= steps; ++i)
        if (!moveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}))
            return false;
    sendMouse(to, MOUSEEVENTF_LEFTUP);
    return waitUntil([&] { return !inMoveSize(hWnd); }, 10000);
}

void key(WORD vk, unsigned modifiers = 0)
{
    orvtest::pressKey(vk, modifiers);
}

// Alt alone, pressed and released.
void altTap()
{
    orvtest::keyDown(VK_MENU);
    orvtest::keyUp(VK_MENU);
}

void typeChars(const std::string& text)
{
    struct Key {
        char c;
        WORD vk;
        bool shift;
    };
    static const Key keys[] = {
        {'@', '2', true},           {'.', VK_OEM_PERIOD, false}, {' ', VK_SPACE, false},
        {',', VK_OEM_COMMA, false}, {'/', VK_OEM_2, false},      {':', VK_OEM_1, true},
        {'\\', VK_OEM_5, false},    {'-', VK_OEM_MINUS, false},  {'_', VK_OEM_MINUS, true},
    };
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            key(WORD(c - 'a' + 'A'));
        else if (c >= 'A' && c <= 'Z')
            key(WORD(c), orvtest::kShift);
        else if (c >= '0' && c <= '9')
            key(WORD(c));
        else {
            const Key* k = std::find_if(std::begin(keys), std::end(keys), [c](const Key& k) { return k.c == c; });
            if (k != std::end(keys))
                key(k->vk, k->shift ? unsigned(orvtest::kShift) : 0u);
        }
    }
}

// Clicks into an edit, selects what it holds, types text over it and waits until it shows it.
bool typeInto(HWND edit, const std::string& text)
{
    if (!clickControl(edit) || !waitUntil([&] { return focusOf(edit) == edit; }, 10000))
        return false;
    ::SendMessageA(edit, EM_SETSEL, 0, -1);   // typed over
    typeChars(text);
    return waitUntil([&] { return textOf(edit) == text; }, 10000);
}

// Clicks a check box and waits for its other state.
bool toggle(HWND button)
{
    const bool before = checked(button);
    return clickControl(button) && waitUntil([&] { return checked(button) != before; }, 10000);
}

// ---- the run of the test ----

std::string lower(std::string s)
{
    for (char& c : s)
        c = (char)tolower((unsigned char)c);
    return s;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t at = 0;
    for (size_t end; (end = text.find(separator, at)) != std::string::npos; at = end + 1)
        parts.push_back(text.substr(at, end - at));
    if (at < text.size())
        parts.push_back(text.substr(at));
    return parts;
}

bool exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void writeFile(const std::string& path, const std::string& text)
{
    HANDLE f = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, f) << path;
    DWORD written = 0;
    ::WriteFile(f, text.data(), (DWORD)text.size(), &written, NULL);
    ::CloseHandle(f);
}

std::vector<std::string> itemFolders(const std::string& dataFolder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((dataFolder + "Item_*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            names.push_back(found.cFileName);
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

void setClassesValue(const std::string& key, const std::string& value, const char* name = NULL)
{
    HKEY hKey = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &hKey, NULL))
        << key;
    ::RegSetValueExA(hKey, name, 0, REG_SZ, (const BYTE*)value.c_str(), (DWORD)value.size() + 1);
    ::RegCloseKey(hKey);
}

// What the recorder noted: one command line per start, the recorder's own path left out.
struct Record {
    std::string file;
    std::string recorder;
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        const std::string text = orvtest::readFile(file);
        size_t at = 0;
        for (size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
            std::string line = text.substr(at, end - at);
            for (const std::string& own : {"\"" + recorder + "\"", recorder}) {
                if (lower(line).compare(0, own.size(), lower(own)) == 0) {
                    line = line.substr(own.size());
                    break;
                }
            }
            while (!line.empty() && line.front() == ' ')
                line.erase(0, 1);
            out.push_back(line);
        }
        return out;
    }
    // Waits for a line after the first `from` that satisfies pred; found gets the first such.
    bool waitFor(size_t from, const std::function<bool(const std::string&)>& pred, std::string* found = nullptr) const
    {
        return waitUntil([&] {
            const std::vector<std::string> all = lines();
            for (size_t i = from; i < all.size(); ++i)
                if (pred(all[i])) {
                    if (found != nullptr)
                        *found = all[i];
                    return true;
                }
            return false;
        });
    }
};

// The path a recorded "page" line names (its quotes taken off).
std::string pathOf(const std::string& line, const std::string& word)
{
    std::string rest = line.compare(0, word.size(), word) == 0 ? line.substr(word.size()) : line;
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '"'))
        rest.erase(0, 1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '"' || rest.back() == '\r'))
        rest.pop_back();
    return rest;
}

// The program once started: its process and its windows.
class Program {
public:
    ~Program() { kill(); }

    bool start(const std::string& exe, const std::string& folder)
    {
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        std::string commandLine = "\"" + exe + "\"";
        if (!::CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(), &si, &m_pi))
            return false;
        return true;
    }
    bool running() const { return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT; }
    bool waitForExit(DWORD timeoutMs) const
    {
        return m_pi.hProcess != NULL && ::WaitForSingleObject(m_pi.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    DWORD exitCode() const
    {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeProcess(m_pi.hProcess, &code);
        return code;
    }
    void kill()
    {
        if (running())
            ::TerminateProcess(m_pi.hProcess, 99);
        if (m_pi.hProcess != NULL) {
            ::WaitForSingleObject(m_pi.hProcess, 10000);
            ::CloseHandle(m_pi.hProcess);
            ::CloseHandle(m_pi.hThread);
        }
        m_pi = PROCESS_INFORMATION{};
    }
    DWORD pid() const { return m_pi.dwProcessId; }
    HANDLE process() const { return m_pi.hProcess; }

    // The main frame: the program's top-level window that holds the item list (visible or not).
    HWND frame() const
    {
        for (HWND hWnd : allTopWindows())
            if (processOf(hWnd) == pid())
                for (HWND child : descendants(hWnd))
                    if (::GetDlgCtrlID(child) == IDC_ITEM_LIST && classOf(child) == "SysListView32")
                        return hWnd;
        return NULL;
    }
    RemoteList list() const
    {
        HWND hFrame = frame();
        HWND hList = NULL;
        for (HWND child : descendants(hFrame))
            if (::GetDlgCtrlID(child) == IDC_ITEM_LIST && classOf(child) == "SysListView32")
                hList = child;
        return RemoteList(process(), hList);
    }
    HWND dialog(const std::string& caption) const { return windowWithCaption(pid(), caption); }
    HWND waitForDialog(const std::string& caption, DWORD timeoutMs = kWaitMs) const
    {
        HWND found = NULL;
        waitUntil([&] { return (found = dialog(caption)) != NULL; }, timeoutMs);
        return found;
    }
    // A visible message box of the program (its text is the static control 0xFFFF).
    HWND messageBox() const
    {
        for (HWND hWnd : topWindows(pid()))
            if (classOf(hWnd) == "#32770" && ::GetDlgItem(hWnd, 0xFFFF) != NULL)
                return hWnd;
        return NULL;
    }
    // Waits for a message box, answers it with a real click on the button and gives its text.
    std::string answer(int button, DWORD timeoutMs = kWaitMs) const
    {
        HWND box = NULL;
        if (!waitUntil([&] { return (box = messageBox()) != NULL && ::GetDlgItem(box, button) != NULL; }, timeoutMs))
            return "(no message box)";
        const std::string text = textOf(::GetDlgItem(box, 0xFFFF));
        clickControl(::GetDlgItem(box, button));
        waitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 10000);
        return text;
    }
    // The popup menus of the program that are shown (the UI library's own windows).
    std::vector<HWND> popups() const
    {
        std::vector<HWND> found;
        for (HWND hWnd : topWindows(pid())) {
            const LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
            RECT rc;
            ::GetWindowRect(hWnd, &rc);
            if ((style & WS_POPUP) && !(style & WS_CAPTION) && (classOf(hWnd).compare(0, 4, "Afx:") == 0 || classOf(hWnd).compare(0, 6, "OrvFw:") == 0) &&
                rc.right - rc.left > 40 && rc.bottom - rc.top > 30 && textOf(hWnd).empty())
                found.push_back(hWnd);
        }
        return found;
    }
    HWND toolBar() const { return findBar(kToolBarId); }
    HWND statusBar() const { return findBar(kStatusBarId); }
    HWND findBar(int id) const
    {
        for (HWND top : topWindows(0))
            if (processOf(top) == pid())
                for (HWND child : descendants(top))
                    if (::GetDlgCtrlID(child) == id)
                        return child;
        // hidden bars too
        HWND hFrame = frame();
        for (HWND child : descendants(hFrame))
            if (::GetDlgCtrlID(child) == id)
                return child;
        return NULL;
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

// A tool-bar button by its command, found by asking the bar what command lies under each point
// (the bar answers WM_HELPHITTEST with the command's help id); its centre on the screen.
bool toolButton(HWND bar, int command, POINT& centre)
{
    RECT rc;
    ::GetClientRect(bar, &rc);
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    for (int y = rc.top + 1; y < rc.bottom; y += 3)
        for (int x = rc.left + 1; x < rc.right; x += 3) {
            DWORD_PTR hit = 0;
            ::SendMessageTimeoutA(bar, 0x0366 /* WM_HELPHITTEST */, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit);
            if (hit == DWORD_PTR(0x10000 + command)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    if (left > right)
        return false;
    centre = POINT{(left + right) / 2, (top + bottom) / 2};
    ::ClientToScreen(bar, &centre);
    return true;
}

// The tray window Wine shows when no system tray is there to hold the icons.
HWND trayWindow()
{
    HWND found = NULL;
    for (HWND hWnd : topWindows(0))
        if (classOf(hWnd) == "Shell_TrayWnd")
            found = hWnd;
    return found;
}

struct Session {
    std::string programFolder;   // Windows path, with a trailing '\'
    std::string exe;
    std::string recorder;
    std::string dataFolder;      // with a trailing '\'
    std::string sinkFolder;      // Windows path
    std::string logFile;         // Windows path of the program's log
    Record record;
    std::unique_ptr<orvtest::FixtureServer> http, mx, root, tld, domain;
    std::unique_ptr<Program> program;
    int pictures = 0;
    // what the first run left, for the second
    WINDOWPLACEMENT placement = {};
    std::vector<std::string> captions;
    std::map<std::string, int> checks;   // "Time Checked" per item name at the close
    std::vector<std::string> items;      // item folders after the close
};

Session& S()
{
    static Session session;
    return session;
}

// A picture of the whole screen, after the program's windows have painted what they show; with
// shot given, the picture is read back into it.
void picture(const std::string& name, orvtest::Picture* shot = nullptr)
{
    if (S().program) {
        // a round trip through each window's thread: what it had to paint before is painted
        for (HWND hWnd : topWindows(S().program->pid())) {
            DWORD_PTR ignored;
            ::SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        }
    }
    const std::string depth = orvtest::env("ORV_DISPLAY_DEPTH");
    char number[16];
    snprintf(number, sizeof number, "%02d", ++S().pictures);
    orvtest::screenshot("orvgui_e2e_" + std::string(number) + "_" + name + "_" + (depth.empty() ? "24" : depth), shot);
}

// The rows of text in a shown popup menu, top to bottom, as screen ordinates of their middles:
// bands of dark pixels in the menu's picture (a separator is a light line and makes none).
std::vector<int> menuRows(HWND popup, const std::string& pictureName)
{
    orvtest::Picture shot;
    picture(pictureName, &shot);
    RECT rc;
    ::GetWindowRect(popup, &rc);
    std::vector<int> rows;
    int start = -1;
    for (int y = rc.top + 2; y <= rc.bottom - 2; ++y) {
        int dark = 0;
        for (int x = rc.left + 2; x < rc.right - 2; ++x) {
            const unsigned int c = shot.pixel(x, y);
            if (c != 0xFFFFFFFFu && (c & 0xFF) < 90 && ((c >> 8) & 0xFF) < 90 && ((c >> 16) & 0xFF) < 90)
                ++dark;
        }
        if (dark > 0 && start < 0)
            start = y;
        if ((dark == 0 || y == rc.bottom - 2) && start >= 0) {
            if (y - start >= 4)
                rows.push_back((start + y) / 2);
            start = -1;
        }
    }
    return rows;
}

std::string logText()
{
    return orvtest::readFile(S().logFile);
}

std::string profileValue(int position)
{
    const std::vector<std::string> values = split(orvtest::readFile(S().dataFolder + "profile.cfg"), '|');
    return position < (int)values.size() ? values[position] : "(missing)";
}

Program& P()
{
    return *S().program;
}

// Opens a pull-down of the menu bar by Alt and its letter, then takes the item by its letter;
// waits for the pull-down to show between the two.
bool menuCommand(char menu, char item)
{
    HWND frame = P().frame();
    if (!waitUntil([&] { return ::GetForegroundWindow() == frame && P().popups().empty() && readyForClick(frame); }, 10000))
        return false;
    // the pointer off the bars, so that no tip shows
    RECT rc;
    ::GetWindowRect(frame, &rc);
    if (!moveTo(POINT{(rc.left + rc.right) / 2, rc.bottom - 4}))
        return false;
    altTap();
    key(WORD(menu));
    if (!waitUntil([&] { return !P().popups().empty(); }, 10000))
        return false;
    picture(std::string("menu_") + menu);
    key(WORD(item));
    return waitUntil([&] { return P().popups().empty(); }, 10000);
}

// Right-clicks a row (selecting it) and takes an item of its context menu by its letter.
bool contextCommand(const std::string& name, char item)
{
    RemoteList list = P().list();
    POINT pt;
    const int row = list.rowOf(name);
    if (row < 0 || !list.rowPoint(row, pt) || !waitUntil([&] { return readyForClick(list.hwnd()); }, 10000) ||
        !click(pt, true))
        return false;
    if (!waitUntil([&] { return !P().popups().empty(); }, 10000))
        return false;
    picture("context_menu");
    key(WORD(item));
    return waitUntil([&] { return P().popups().empty(); }, 10000);
}

bool selectRow(const std::string& name)
{
    RemoteList list = P().list();
    POINT pt;
    const int row = list.rowOf(name);
    return row >= 0 && list.rowPoint(row, pt) && waitUntil([&] { return readyForClick(list.hwnd()); }, 10000) &&
           click(pt) && waitUntil([&] { return list.selected() == row; }, 10000);
}

bool toolCommand(int command)
{
    POINT pt;
    HWND bar = P().toolBar();
    return bar != NULL && waitUntil([&] { return readyForClick(bar); }, 10000) && toolButton(bar, command, pt) &&
           click(pt);
}

// Right-clicks the program's icon in the tray window and clicks the n-th item (from 0) of the
// menu that opens (the menu has the keyboard only when the frame can take the foreground).
bool trayCommand(size_t item, const std::string& pictureName)
{
    HWND tray = trayWindow();
    if (tray == NULL)
        return false;
    // on a desktop the tray is never under the program's windows
    ::SetWindowPos(tray, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // the first icon: a square at the right end of a task bar, at the left of a tray of its own
    RECT rc;
    ::GetClientRect(tray, &rc);
    const int icon = ::GetSystemMetrics(SM_CXSMICON) + 4;
    POINT pt{rc.right > 400 ? rc.right - icon / 2 : icon / 2, rc.bottom / 2};
    ::ClientToScreen(tray, &pt);
    std::vector<HWND> shown;
    if (!waitUntil([&] { return readyForClick(P().frame()); }, 10000) || !click(pt, true) || !waitUntil([&] { return !(shown = P().popups()).empty(); }, 10000)) {
        ADD_FAILURE() << "no tray menu; windows:" << describeWindows(0);
        return false;
    }
    const std::vector<int> rows = menuRows(shown[0], pictureName);
    if (item >= rows.size()) {
        ADD_FAILURE() << "the tray menu shows " << rows.size() << " rows";
        return false;
    }
    RECT menu;
    ::GetWindowRect(shown[0], &menu);
    return click(POINT{(menu.left + menu.right) / 2, rows[item]}) && waitUntil([&] { return P().popups().empty(); }, 10000);
}

// Number in a list cell ("?" reads as -1).
int number(const std::string& text)
{
    return text.empty() || !isdigit((unsigned char)text[0]) ? -1 : atoi(text.c_str());
}

// One item made through the wizard.
struct NewItem {
    std::string address, name;
    int protocol;                 // its place in the protocol list
    std::string port;             // typed after picking the protocol ("" keeps the default)
    bool email, visual, command;  // the alarms (e-mail and visual are ticked at first)
    std::string recipients, program, url;
    const char* settings;         // the protocol's settings dialog opened by Finish, or none
};

// Goes through the wizard that is open, from its first page to Finish.
void runWizard(const NewItem& item, const std::string& pictureName)
{
    HWND sheet = NULL;
    ASSERT_TRUE(waitUntil([&] { return (sheet = P().dialog("Add New Watch Item")) != NULL; })) << "the wizard";
    // the page of that title is the one shown (the sheet takes the title before it shows the
    // page), alone: its controls are found in it
    HWND shown = NULL;
    auto page = [&](const char* title) {
        return waitUntil([&] {
            std::vector<HWND> pages;
            for (HWND child : descendants(sheet))
                if (::GetParent(child) == sheet && classOf(child) == "#32770" && ::IsWindowVisible(child))
                    pages.push_back(child);
            shown = pages.size() == 1 ? pages[0] : NULL;
            return textOf(sheet) == title && shown != NULL && textOf(shown) == title && ::GetForegroundWindow() == sheet;
        });
    };
    auto next = [&](const char* title) { return clickControl(::GetDlgItem(sheet, kNext)) && page(title); };
    ASSERT_TRUE(page("Add New Watch Item"));
    ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_ADDRESS), item.address));
    ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_NAME), item.name));
    picture(pictureName + "_1_address");
    ASSERT_TRUE(next("Configure Time Thresholds And Monitoring Frequency"));
    ASSERT_TRUE(next("Select Protocol To Monitor The Site"));
    HWND protocols = control(shown, IDC_WIZ_PROTOCOL);
    RECT rc = {};
    ASSERT_NE(LB_ERR, ::SendMessageA(protocols, LB_GETITEMRECT, item.protocol, (LPARAM)&rc));
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(protocols, &pt);
    ASSERT_TRUE(waitUntil([&] { return readyForClick(protocols); }));
    ASSERT_TRUE(click(pt));
    ASSERT_TRUE(waitUntil([&] { return ::SendMessageA(protocols, LB_GETCURSEL, 0, 0) == item.protocol; }));
    if (!item.port.empty()) {
        ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_PORT), item.port));
    }
    picture(pictureName + "_2_protocol");
    ASSERT_TRUE(next("Configure Alarms"));
    if (!item.email) {
        ASSERT_TRUE(toggle(control(shown, IDC_WIZ_WANT_EMAIL)));
    }
    if (!item.visual) {
        ASSERT_TRUE(toggle(control(shown, IDC_WIZ_WANT_VISUAL)));
    }
    if (item.command) {
        ASSERT_TRUE(toggle(control(shown, IDC_WIZ_WANT_COMMAND)));
    }
    picture(pictureName + "_3_alarms");
    if (item.email) {
        ASSERT_TRUE(next("Configure Email Alarms"));
        ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_TEXT), item.recipients));
    }
    if (item.visual) {
        ASSERT_TRUE(next("Configure Visual Alarms"));
    }
    if (item.command) {
        ASSERT_TRUE(next("Configure Commands Alarms"));
        ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_PROGRAM), item.program));
        ASSERT_TRUE(typeInto(control(shown, IDC_WIZ_URL), item.url));
        picture(pictureName + "_4_command");
    }
    ASSERT_TRUE(next("Finished"));
    ASSERT_TRUE(clickControl(::GetDlgItem(sheet, kFinish)));
    if (item.settings != nullptr) {
        HWND settings = P().waitForDialog(item.settings);
        ASSERT_NE(HWND(NULL), settings) << item.settings;
        picture(pictureName + "_5_settings");
        ASSERT_TRUE(clickControl(::GetDlgItem(settings, IDOK)));
    }
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(sheet) && P().dialog(item.settings ? item.settings : "-") == NULL; }));
}

class ProgramEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Session& s = S();
        s.programFolder = orvtest::makeScratchFolder("program") + "\\";
        s.exe = s.programFolder + "orvgui.exe";
        s.recorder = s.programFolder + "recorder.exe";
        s.record = Record{orvtest::makeScratchFolder("record") + "\\started.txt", s.recorder};
        ::SetEnvironmentVariableA("ORV_E2E_RECORD", s.record.file.c_str());
        char appData[MAX_PATH] = "";
        ::SHGetSpecialFolderPathA(NULL, appData, CSIDL_APPDATA, TRUE);
        s.dataFolder = std::string(appData) + "\\Orvane\\";
        const std::string logUnix = orvtest::fixtureDir() + "/orvgui.log";
        s.logFile = orvtest::windowsPath(logUnix);
        const std::string sinkUnix = orvtest::fixtureDir() + "/sink";
        s.sinkFolder = orvtest::windowsPath(sinkUnix);

        // the program as staged, in a folder of the test's own (it writes beside itself)
        ::CopyFileA(orvtest::windowsPath(ORV_E2E_PROGRAM).c_str(), s.exe.c_str(), FALSE);
        ::CopyFileA(orvtest::windowsPath(ORV_E2E_RECORDER).c_str(), s.recorder.c_str(), FALSE);
        writeFile(s.programFolder + "log4cxx.cfg",
                  "log4j.rootLogger=INFO, file\n"
                  "log4j.appender.file=org.apache.log4j.FileAppender\n"
                  "log4j.appender.file.File=" + logUnix + "\n"
                  "log4j.appender.file.layout=org.apache.log4j.PatternLayout\n"
                  "log4j.appender.file.layout.ConversionPattern=%p %c %m%n\n");

        // pages and addresses open in the recorder, never in a browser
        const std::string quoted = "\"" + s.recorder + "\"";
        for (const char* extension : {".html", ".htm"})
            setClassesValue(extension, "htmlfile");
        setClassesValue("htmlfile\\shell\\open\\command", quoted + " page \"%1\"");
        for (const char* scheme : {"http", "https"}) {
            setClassesValue(scheme, std::string("URL:") + scheme);
            setClassesValue(scheme, "", "URL Protocol");
            setClassesValue(std::string(scheme) + "\\shell\\open\\command", quoted + " url \"%1\"");
        }

        // the watched page; the mail library's test names: root -> test. -> mail.test., whose
        // exchanger is the sink
        auto zone = [](const char* name) { return orvtest::env("ORV_SOURCE_DIR") + "/orvservice/tests/net/" + name; };
        s.http.reset(new orvtest::FixtureServer("http_srv", {"127.0.0.1", "80"}));
        s.mx.reset(new orvtest::FixtureServer("smtp_sink", {"127.0.0.21", "25", sinkUnix}));
        s.root.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.11", "53", zone("root.zone")}));
        s.tld.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.31", "53", zone("tld.zone")}));
        s.domain.reset(new orvtest::FixtureServer("dns_srv", {"127.0.0.32", "53", zone("mail.zone")}));
    }

    static void TearDownTestSuite()
    {
        if (S().program)
            S().program->kill();
        S().http.reset();
        S().mx.reset();
        S().root.reset();
        S().tld.reset();
        S().domain.reset();
    }

    void SetUp() override
    {
        ASSERT_TRUE(S().http->running()) << S().http->error();
        ASSERT_TRUE(S().mx->running()) << S().mx->error();
        ASSERT_TRUE(S().root->running() && S().tld->running() && S().domain->running());
        ASSERT_TRUE(exists(S().exe)) << "the staged program " << ORV_E2E_PROGRAM;
    }
};

// ---- the first run ----

TEST_F(ProgramEndToEnd, AFreshDataFolderStartsWithTheWizardAndAnHttpItemIsMadeThroughIt)
{
    Session& s = S();
    ASSERT_FALSE(exists(s.dataFolder)) << "the prefix is the test's own: no data folder yet";
    s.program.reset(new Program);
    ASSERT_TRUE(s.program->start(s.exe, s.programFolder));
    // no item: the wizard opens at start; the frame itself starts hidden in the tray
    ASSERT_NE(HWND(NULL), P().waitForDialog("Add New Watch Item", 60000))
        << "the wizard at start; windows:" << describeWindows(0) << "\nlog:\n" << logText();
    picture("wizard_at_start");
    EXPECT_FALSE(::IsWindowVisible(P().frame()));
    EXPECT_EQ(s.dataFolder + "\n", orvtest::readFile(s.programFolder + "service_helper.txt"))
        << "the first run names the data folder beside the program";
    EXPECT_TRUE(exists(s.dataFolder + "Reports"));
    EXPECT_THAT(logText(), HasSubstr("Starting application session"));

    ASSERT_NO_FATAL_FAILURE(runWizard(
        {"127.0.0.1/index.html", "Shop", 1, "", true, false, false, "ops@mail.test", "", "", "HTTP/HTTPS Settings"},
        "http_item"));
    EXPECT_EQ(1u, itemFolders(s.dataFolder).size());
}

TEST_F(ProgramEndToEnd, TheTrayMenuRestoresTheFrameWithTheItemsResult)
{
    ASSERT_TRUE(P().running());
    ASSERT_NE(HWND(NULL), trayWindow()) << "the tray window with the program's icon; windows:" << describeWindows(0);
    ASSERT_TRUE(trayCommand(0, "tray_menu_restore"));   // Restore
    HWND frame = P().frame();
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(frame); })) << "Restore shows the frame";
    RemoteList list = P().list();
    ASSERT_TRUE(waitUntil([&] { return number(list.cellOf("Shop", "Time Checked")) >= 1; }))
        << "the HTTP item's first check";
    EXPECT_EQ("0", list.cellOf("Shop", "Times Failed"));
    EXPECT_EQ("127.0.0.1/index.html", list.cellOf("Shop", "URL/IP"));
    picture("frame_with_http_item");
    const std::vector<std::string> requests = S().http->outputOfAtLeast(1);
    ASSERT_FALSE(requests.empty());
    EXPECT_THAT(requests[0], HasSubstr("GET /index.html"));
}

TEST_F(ProgramEndToEnd, APortItemOnAClosedPortIsMadeFromTheToolBarAndBothResultsShow)
{
    ASSERT_TRUE(P().running());
    ASSERT_TRUE(toolCommand(ID_NEW_ITEM_TB)) << "the tool bar's New button";
    ASSERT_NO_FATAL_FAILURE(runWizard({"127.0.0.1", "Closed port", 6, "9", true, true, true, "ops@mail.test",
                                       S().recorder, "http://127.0.0.1/down", nullptr},
                                      "port_item"));
    RemoteList list = P().list();
    ASSERT_TRUE(waitUntil([&] { return list.rows() == 2; }));
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Times Failed") == "1"; }))
        << "the first check at the worker's start fails";
    EXPECT_EQ("0", list.cellOf("Shop", "Times Failed"));
    EXPECT_EQ("127.0.0.1", list.cellOf("Closed port", "URL/IP"));
    picture("both_results");
}

TEST_F(ProgramEndToEnd, RunNowFromTheToolBarAndTheContextMenuReachesTheThresholdAndRaisesTheAlarm)
{
    ASSERT_TRUE(P().running());
    RemoteList list = P().list();
    const size_t recorded = S().record.lines().size();
    ASSERT_TRUE(selectRow("Closed port"));
    ASSERT_TRUE(toolCommand(ID_RUN_NOW_TB));
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Times Failed") == "2"; })) << "Run now";
    EXPECT_EQ(recorded, S().record.lines().size()) << "no alarm below the threshold of 3";
    ASSERT_TRUE(contextCommand("Closed port", 'R'));   // "&Run now"
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Times Failed") == "3"; })) << "Run now";

    // the alarm: the command, the address, the alert page, and one mail through the name servers
    const Record& r = S().record;
    EXPECT_TRUE(r.waitFor(recorded, [](const std::string& l) { return l.empty(); })) << "the command";
    std::string url, page;
    EXPECT_TRUE(r.waitFor(recorded, [](const std::string& l) { return l.find("url") == 0; }, &url));
    EXPECT_EQ("http://127.0.0.1/down", pathOf(url, "url"));
    ASSERT_TRUE(r.waitFor(recorded, [](const std::string& l) { return l.find("page") == 0; }, &page))
        << "the alert page opened";
    EXPECT_THAT(orvtest::readFile(pathOf(page, "page")), HasSubstr("Closed port"));
    std::vector<orvtest::SinkMail> mails;
    ASSERT_TRUE(waitUntil([&] { return !(mails = orvtest::sinkMails(S().sinkFolder)).empty(); }, 60000))
        << "the alarm mail";
    EXPECT_EQ("ops@mail.test", mails[0].recipient);
    EXPECT_EQ("Alarm triggered for item Closed port", mails[0].subject);
    EXPECT_EQ(3, mails[0].failures);
    picture("alarm_raised");
}

TEST_F(ProgramEndToEnd, SuspendAndActivateByToolBarAndMenuBarAndClearStatsByTheContextMenu)
{
    ASSERT_TRUE(P().running());
    RemoteList list = P().list();
    ASSERT_TRUE(selectRow("Closed port"));
    ASSERT_TRUE(toolCommand(ID_SUSPEND_TB));
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Action") == "Suspended"; })) << "tool bar Suspend";
    picture("suspended");
    ASSERT_TRUE(toolCommand(ID_ACTIVATE_TB));
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Action") != "Suspended"; })) << "tool bar Activate";
    ASSERT_TRUE(menuCommand('E', 'S'));   // Edit, "&Suspend"
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Action") == "Suspended"; })) << "menu Suspend";
    ASSERT_TRUE(menuCommand('E', 'A'));   // Edit, "&Activate"
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Action") != "Suspended"; })) << "menu Activate";

    ASSERT_TRUE(contextCommand("Closed port", 'C'));   // "&Clear stats", with its question
    EXPECT_EQ("Are you sure you want to delete this item's statistics?", P().answer(IDYES));
    ASSERT_TRUE(waitUntil([&] { return list.cellOf("Closed port", "Times Failed") == "0"; })) << "cleared";
    EXPECT_EQ("0", list.cellOf("Closed port", "Time Checked"));
    EXPECT_NE("0", list.cellOf("Shop", "Time Checked")) << "only the selected item";
    picture("stats_cleared");
}

TEST_F(ProgramEndToEnd, AnItemMadeFromTheFileMenuIsDeletedOnlyWhenTheQuestionIsAnsweredYes)
{
    ASSERT_TRUE(P().running());
    RemoteList list = P().list();
    const std::vector<std::string> before = itemFolders(S().dataFolder);
    ASSERT_TRUE(menuCommand('F', 'N'));   // File, "Add &New Watch Item"
    ASSERT_NO_FATAL_FAILURE(runWizard({"localhost", "Spare", 6, "80", false, true, false, "", "", "", nullptr}, "spare_item"));
    ASSERT_TRUE(waitUntil([&] { return list.rows() == 3; }));
    ASSERT_TRUE(selectRow("Spare"));
    ASSERT_TRUE(menuCommand('E', 'D'));   // Edit, "&Delete"
    EXPECT_EQ("Are you sure you want to delete item Spare ?", P().answer(IDNO));
    EXPECT_EQ(3, list.rows()) << "No keeps it";
    ASSERT_TRUE(toolCommand(ID_DELETE_TB));
    EXPECT_EQ("Are you sure you want to delete item Spare ?", P().answer(IDYES));
    ASSERT_TRUE(waitUntil([&] { return list.rows() == 2; }));
    EXPECT_EQ(-1, list.rowOf("Spare"));
    picture("spare_deleted");
}

TEST_F(ProgramEndToEnd, TheDefaultReportAndOneMadeInTheReportManagerAreWrittenAndOpened)
{
    ASSERT_TRUE(P().running());
    const std::string reports = S().dataFolder + "Reports\\";
    size_t recorded = S().record.lines().size();
    ASSERT_TRUE(selectRow("Shop"));
    ASSERT_TRUE(menuCommand('T', 'D'));   // Tools, "Run &Default Report"
    // pages in the Reports folder (an alert page is opened from elsewhere)
    auto report = [&](const std::string& l) { return l.find("page") == 0 && lower(l).find(lower(reports)) != std::string::npos; };
    std::string opened;
    ASSERT_TRUE(S().record.waitFor(recorded, report, &opened)) << "the default report opened";
    EXPECT_EQ(lower(reports), lower(pathOf(opened, "page").substr(0, reports.size()))) << opened;
    EXPECT_THAT(orvtest::readFile(pathOf(opened, "page")), HasSubstr("Shop"));

    ASSERT_TRUE(menuCommand('T', 'M'));   // Tools, "Report &Manager"
    HWND manager = P().waitForDialog("Report Manager");
    ASSERT_NE(HWND(NULL), manager);
    ASSERT_TRUE(clickControl(::GetDlgItem(manager, IDC_RPT_NEW)));
    HWND sheet = P().waitForDialog("New watch item report");
    ASSERT_NE(HWND(NULL), sheet);
    ASSERT_TRUE(typeInto(control(sheet, IDC_RPT_NAME), "Weekly"));
    ASSERT_TRUE(typeInto(control(sheet, IDC_RPT_FILE), reports + "Weekly.html"));
    picture("report_sheet");
    ASSERT_TRUE(clickControl(::GetDlgItem(sheet, IDOK)));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(sheet); }));
    HWND names = ::GetDlgItem(manager, IDC_RPT_LIST);
    std::vector<std::string> listed;
    ASSERT_TRUE(waitUntil([&] {
        listed = listBoxTexts(names);
        return std::find(listed.begin(), listed.end(), "Weekly") != listed.end();
    })) << ::testing::PrintToString(listed) << describeWindows(P().pid());
    const int index = int(std::find(listed.begin(), listed.end(), "Weekly") - listed.begin());
    RECT rc = {};
    ASSERT_NE(LB_ERR, ::SendMessageA(names, LB_GETITEMRECT, index, (LPARAM)&rc));
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ::ClientToScreen(names, &pt);
    ASSERT_TRUE(waitUntil([&] { return readyForClick(names); }));
    ASSERT_TRUE(click(pt));
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(manager, IDC_RPT_VIEW)); })) << "an item is selected";
    picture("report_manager");
    recorded = S().record.lines().size();
    ASSERT_TRUE(clickControl(::GetDlgItem(manager, IDC_RPT_VIEW)));
    ASSERT_TRUE(S().record.waitFor(recorded, report, &opened)) << "the report made in the manager opened";
    EXPECT_EQ(lower(reports + "Weekly.html"), lower(pathOf(opened, "page")));
    EXPECT_THAT(orvtest::readFile(reports + "Weekly.html"), HasSubstr("Shop"));
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowEnabled(manager); }));
    ASSERT_TRUE(clickControl(::GetDlgItem(manager, IDOK)));   // Close
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(manager); }));
}

TEST_F(ProgramEndToEnd, PreferencesAndInternetOptionsAreStored)
{
    ASSERT_TRUE(P().running());
    ASSERT_TRUE(menuCommand('T', 'P'));   // Tools, "Application &Preferences"
    HWND prefs = P().waitForDialog("Preferences");
    ASSERT_NE(HWND(NULL), prefs);
    EXPECT_TRUE(checked(::GetDlgItem(prefs, IDC_PREF_START_HIDDEN))) << "the default";
    ASSERT_TRUE(toggle(::GetDlgItem(prefs, IDC_PREF_START_HIDDEN)));
    ASSERT_TRUE(toggle(::GetDlgItem(prefs, IDC_PREF_START_WITH_WINDOWS)));
    picture("preferences");
    ASSERT_TRUE(clickControl(::GetDlgItem(prefs, IDOK)));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(prefs); }));
    EXPECT_EQ("0", profileValue(4)) << "start with Windows, saved on OK";
    EXPECT_EQ("0", profileValue(5)) << "start hidden";
    HKEY run = NULL;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                                             KEY_QUERY_VALUE, &run));
    char value[MAX_PATH] = "x";
    DWORD size = sizeof value;
    EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExA(run, "Orv", NULL, NULL, (BYTE*)value, &size));
    ::RegCloseKey(run);
    EXPECT_STREQ("", value) << "not started with Windows";

    ASSERT_TRUE(menuCommand('T', 'I'));   // Tools, "&Internet Options"
    HWND options = P().waitForDialog("Internet Options");
    ASSERT_NE(HWND(NULL), options);
    ASSERT_TRUE(toggle(::GetDlgItem(options, IDC_PROXY_USE)));
    // the HTTP fixture serves as the proxy as well
    ASSERT_TRUE(typeInto(::GetDlgItem(options, IDC_PROXY_ADDRESS), "127.0.0.1"));
    ASSERT_TRUE(typeInto(::GetDlgItem(options, IDC_PROXY_PORT), "80"));
    picture("internet_options");
    ASSERT_TRUE(clickControl(::GetDlgItem(options, IDOK)));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(options); }));

    // the workers have the proxy at once: the next check of the page asks for the whole address
    const size_t requests = S().http->output().size();
    ASSERT_TRUE(trayCommand(1, "tray_menu_run_all"));   // "Run all now "
    const std::vector<std::string> seen = S().http->outputOfAtLeast(requests + 1);
    ASSERT_GT(seen.size(), requests);
    EXPECT_THAT(seen[requests], HasSubstr("GET http://127.0.0.1/index.html")) << "through the proxy";
}

TEST_F(ProgramEndToEnd, ColumnsBarLayoutAndPlacementAreChangedAndTheTrayMenuClosesTheProgram)
{
    ASSERT_TRUE(P().running());
    HWND frame = P().frame();
    RemoteList list = P().list();
    // columns: one taken off, one added
    ASSERT_TRUE(menuCommand('V', 'C'));   // View, "&Customize"
    HWND chooser = P().waitForDialog("Choose Columns");
    ASSERT_NE(HWND(NULL), chooser);
    auto pick = [&](int id, const std::string& text) {
        HWND box = ::GetDlgItem(chooser, id);
        const std::vector<std::string> texts = listBoxTexts(box);
        const int index = int(std::find(texts.begin(), texts.end(), text) - texts.begin());
        RECT rc = {};
        if (index >= (int)texts.size() || ::SendMessageA(box, LB_GETITEMRECT, index, (LPARAM)&rc) == LB_ERR)
            return false;
        POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(box, &pt);
        return waitUntil([&] { return readyForClick(box); }, 10000) && click(pt) && waitUntil([&] { return ::SendMessageA(box, LB_GETCURSEL, 0, 0) == index; }, 10000);
    };
    ASSERT_TRUE(pick(IDC_ACTIVE_COLUMNS, "Avg Response Time"));
    ASSERT_TRUE(clickControl(::GetDlgItem(chooser, IDC_REMOVE_COLUMN)));
    ASSERT_TRUE(pick(IDC_AVAILABLE_COLUMNS, "Consecutive Failures"));
    ASSERT_TRUE(clickControl(::GetDlgItem(chooser, IDC_ADD_COLUMN)));
    picture("columns_chooser");
    ASSERT_TRUE(clickControl(::GetDlgItem(chooser, IDOK)));
    ASSERT_TRUE(waitUntil([&] { return !::IsWindow(chooser) && list.column("Consecutive Failures") >= 0; }));
    EXPECT_EQ(-1, list.column("Avg Response Time"));
    S().captions = list.captions();

    // the status bar hidden from the View menu
    HWND status = P().statusBar();
    ASSERT_NE(HWND(NULL), status);
    ASSERT_TRUE(::IsWindowVisible(status));
    ASSERT_TRUE(menuCommand('V', 'S'));   // View, "&Status Bar"
    ASSERT_TRUE(waitUntil([&] { return !::IsWindowVisible(status); }));

    // the frame moved by its caption
    RECT before;
    ::GetWindowRect(frame, &before);
    const POINT from{before.left + 120, before.top + ::GetSystemMetrics(SM_CYCAPTION) / 2 + 3};
    ASSERT_TRUE(dragCaption(frame, from, POINT{from.x + 60, from.y + 40}));
    ASSERT_TRUE(waitUntil([&] {
        RECT now;
        ::GetWindowRect(frame, &now);
        return now.left == before.left + 60 && now.top == before.top + 40;
    })) << "the frame follows its caption";

    S().placement.length = sizeof S().placement;
    ::GetWindowPlacement(frame, &S().placement);
    for (const char* name : {"Shop", "Closed port"})
        S().checks[name] = number(list.cellOf(name, "Time Checked"));
    picture("before_closing");

    // closed from the tray menu
    ASSERT_TRUE(trayCommand(2, "tray_menu_close"));   // Close
    ASSERT_TRUE(P().waitForExit(60000)) << "the program ends";
    EXPECT_THAT(logText(), HasSubstr("Finishing application"));
    S().items = itemFolders(S().dataFolder);
    EXPECT_EQ(2u, S().items.size()) << "the deleted item's folder is gone";
    EXPECT_TRUE(exists(S().dataFolder + "gui_profile.cfg"));
    const std::vector<std::string> columns = split(profileValue(3), '~');
    EXPECT_NE(columns.end(), std::find(columns.begin(), columns.end(), "166")) << profileValue(3);
    EXPECT_EQ(columns.end(), std::find(columns.begin(), columns.end(), "153")) << profileValue(3);
    EXPECT_EQ("1", profileValue(8)) << "the proxy";
    EXPECT_EQ("127.0.0.1", profileValue(9));
    EXPECT_EQ("80", profileValue(12));
}

// ---- the second run ----

TEST_F(ProgramEndToEnd, StartedAgainItemsResultsColumnsBarLayoutAndPlacementComeBack)
{
    Session& s = S();
    ASSERT_FALSE(s.items.empty());
    s.program.reset(new Program);
    ASSERT_TRUE(s.program->start(s.exe, s.programFolder));
    HWND frame = NULL;
    ASSERT_TRUE(waitUntil([&] { return (frame = P().frame()) != NULL && ::IsWindowVisible(frame); }, 60000))
        << "not hidden now";
    EXPECT_EQ(HWND(NULL), P().dialog("Add New Watch Item")) << "items are there: no wizard";
    RemoteList list = P().list();
    ASSERT_TRUE(waitUntil([&] { return list.rows() == 2; }));
    EXPECT_EQ(s.captions, list.captions());
    for (const char* name : {"Shop", "Closed port"})
        EXPECT_TRUE(waitUntil([&] { return number(list.cellOf(name, "Time Checked")) > s.checks[name]; }))
            << name << ": its results kept, and a check at start";
    EXPECT_EQ("0", list.cellOf("Shop", "Times Failed"));
    WINDOWPLACEMENT now = {};
    now.length = sizeof now;
    ASSERT_TRUE(::GetWindowPlacement(frame, &now));
    EXPECT_EQ(s.placement.showCmd, now.showCmd);
    EXPECT_TRUE(::EqualRect(&s.placement.rcNormalPosition, &now.rcNormalPosition))
        << now.rcNormalPosition.left << "," << now.rcNormalPosition.top;
    HWND status = P().statusBar();
    EXPECT_TRUE(status == NULL || !::IsWindowVisible(status)) << "the status bar stays hidden";
    EXPECT_NE(HWND(NULL), P().toolBar());
    picture("started_again");

    // File, "E&xit"
    ASSERT_TRUE(menuCommand('F', 'X'));
    ASSERT_TRUE(P().waitForExit(60000));
    EXPECT_EQ(s.items, itemFolders(s.dataFolder));
}

}  // namespace
