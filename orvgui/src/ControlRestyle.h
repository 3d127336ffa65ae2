// The frame's controls in the look of the program: sunken client edges instead of static edges on
// edits, list views and track bars, and no flat buttons. Applied to a window and, depth first,
// to every window below it.
#pragma once

#include <windows.h>

class ControlRestyle {
public:
    static void Apply(HWND window);
};
