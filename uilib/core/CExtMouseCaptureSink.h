// The one place through which a UI-library window that tracks the mouse (hover, press and drag,
// drag and dock) takes the capture, carried as the second base beside its window class.
// Windows never cache who holds the capture: they ask GetCapture() before taking it (only when
// they do not hold it already) and before releasing it (only when they do), so a capture that
// another window took (a popup menu, a drag loop) is never released by mistake.
#pragma once
#include "afxwin.h"

class CExtMouseCaptureSink {
public:
    CExtMouseCaptureSink() {}
    // Deleting through the mix-in is not supported: the object is deleted through its window class.
    ~CExtMouseCaptureSink() {}

    // Takes the capture for hWnd; answers the window that held it before (or NULL).
    virtual HWND SetCapture(HWND hWnd) { return ::SetCapture(hWnd); }

    static HWND GetCapture() { return ::GetCapture(); }
    static BOOL ReleaseCapture() { return ::ReleaseCapture(); }
};
