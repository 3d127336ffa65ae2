// Shared by the orvgui window tests: pictures per look and depth, the looks, control texts, and
// real keys and clicks on dialog controls.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"

namespace wintest {

inline void Picture(const std::string& name)
{
    std::string depth = orvtest::env("ORV_DISPLAY_DEPTH");
    ::GdiFlush();
    orvtest::screenshot("orvgui_" + name + "_" + (depth.empty() ? std::string("24") : depth));
}

// Repaints a top-level window with its children now, then takes its picture.
inline void PictureOf(HWND hWnd, const std::string& name)
{
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Picture(name);
}

// The looks every picture is taken in.
struct Look {
    const char* name;
    CExtPaintManager* (*make)();
};
const Look kLooks[] = {
    {"classic", [] { return new CExtPaintManager; }},
    {"xp", []() -> CExtPaintManager* { return new CExtPaintManagerXP; }},
    {"office2003", []() -> CExtPaintManager* { return new CExtPaintManagerOffice2003; }},
    {"studio2005", []() -> CExtPaintManager* { return new CExtPaintManagerStudio2005; }},
};

// A window's whole text.
inline std::string TextOf(HWND hWnd)
{
    std::string text(::GetWindowTextLengthA(hWnd) + 1, '\0');
    text.resize(::GetWindowTextA(hWnd, &text[0], (int)text.size()));
    return text;
}

// The texts of a list box's entries, in order.
inline std::vector<std::string> ListTexts(HWND list)
{
    std::vector<std::string> texts;
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

inline std::string ItemText(HWND dialog, int id)
{
    return TextOf(::GetDlgItem(dialog, id));
}

// A top-level window of ours with this caption, active and taking input (NULL otherwise).
inline HWND ActiveWithCaption(const char* caption)
{
    HWND hWnd = ::GetActiveWindow();
    return hWnd != NULL && TextOf(hWnd) == caption && ::IsWindowEnabled(hWnd) ? hWnd : NULL;
}

inline bool Checked(HWND dialog, int id)
{
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline bool Enabled(HWND dialog, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

// One key of a US keyboard for a character, with Shift when it needs it.
inline void PressChar(char c)
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
    if (c >= 'a' && c <= 'z')
        return orvtest::pressKey(static_cast<WORD>(c - 'a' + 'A'));
    if (c >= 'A' && c <= 'Z')
        return orvtest::pressKey(static_cast<WORD>(c), orvtest::kShift);
    for (const Key& key : keys)
        if (key.c == c)
            return orvtest::pressKey(key.vk, key.shift ? unsigned(orvtest::kShift) : 0u);
    orvtest::pressKey(static_cast<WORD>(c));
}

// Types text with real keys into the focused control.
inline void TypeChars(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        PressChar(*p);
}

// Types text with real keys into the focused control and waits until the control shows what it
// should then show.
inline bool TypeInto(HWND control, const char* text, const std::string& expected)
{
    TypeChars(text);
    return orvtest::pumpUntil([&] { return TextOf(control) == expected; }, 20000);
}

// A real click on a control of a dialog; each click a little aside from the last, so that two
// are never one double click. Waits until the pointer has let go of the control.
inline POINT NudgedCentre(HWND control)
{
    static int nudge = 0;
    POINT p = orvtest::centreOf(control);
    p.x += (nudge++ % 3) * 3 - 3;
    return p;
}

inline bool ClickItem(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    return control != NULL && orvtest::click(NudgedCentre(control), control);
}

// The same click, queued and not waited for: for a button that opens a modal window, pressed
// from a script step (the window's loop then runs the next steps).
inline bool QueueClickItem(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    return control != NULL && orvtest::queueClick(NudgedCentre(control), control);
}

// Clicks into an edit and waits for its focus; with replace, its text is selected so that typing
// replaces it.
inline bool FocusEdit(HWND dialog, int id, bool replace)
{
    HWND edit = ::GetDlgItem(dialog, id);
    if (!ClickItem(dialog, id) || !orvtest::pumpUntil([&] { return ::GetFocus() == edit; }, 20000))
        return false;
    ::SendMessageA(edit, EM_SETSEL, replace ? 0 : 0x7fffffff, replace ? -1 : 0x7fffffff);
    return true;
}

// Clicks a check box and waits until it shows the other state.
inline bool Toggle(HWND dialog, int id)
{
    const bool before = Checked(dialog, id);
    return ClickItem(dialog, id) && orvtest::pumpUntil([&] { return Checked(dialog, id) != before; }, 20000);
}

}  // namespace wintest
