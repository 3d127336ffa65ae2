// The display's pointer parked on the bare desktop, for window tests that start with the pointer
// where an earlier test left it.
//
// When a window goes from under the display's pointer, the pointer crosses into the desktop's
// own window, and the desktop's program (another process) passes that crossing on to the
// system as a move to where the pointer was. On a loaded machine that program may run much
// later: its move then arrives in the middle of the next test, after that test's own input,
// and a window holding the capture takes it as a move of the test's drag.
#pragma once
#include <windows.h>

namespace orvtest {

// Moves the display's pointer (through the X server's test extension) onto a part of the
// desktop that no window covers, and waits until the system has taken that move from the
// desktop's program: every pointer event that program still held from before has then arrived
// too. False when no bare corner is found, the X server cannot be reached, or the move did not
// arrive within timeoutMs.
bool parkPointer(DWORD timeoutMs = 10000);

}  // namespace orvtest
