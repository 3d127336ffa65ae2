// Pointer input for the hover tests of the controls dialog. The edit and the combo box follow
// hover by a timer that reads the cursor position; under Wine that position is the display's
// own pointer once the last input is over 100 ms old, and SendInput does not move the display's
// pointer. So these tests move the display's pointer itself, through the X server's test
// extension (on a connection the test keeps), and the position read later agrees with the
// messages the windows had.
#pragma once
#include <afxwin.h>

#include <string>

namespace ctltest {

// Moves the display's pointer to a screen point and waits until a mouse message carrying that
// point reached expect (or one of its children, or the window holding the capture); with
// expect NULL, until any mouse message carrying it came.
bool pointerTo(POINT screen, HWND expect, DWORD timeoutMs = 5000);
// A left or right button press or release where the display's pointer is, waited for like a move.
bool pointerButton(bool bLeft, bool bDown, HWND expect, DWORD timeoutMs = 5000);
bool pointerClick(POINT screen, HWND expect, bool bLeft = true);
// Whether the X test extension could be reached.
bool pointerAvailable();
// The thread's last mouse messages (message, window class) and where the cursor is: for the
// failure message of a wait that did not end.
std::string recentPointerMessages();

}  // namespace ctltest
