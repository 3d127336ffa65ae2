// An ActiveX control. None is built or hosted here; the class exists for code that asks whether
// a window is one (IsKindOf(RUNTIME_CLASS(COleControl))) and, when it is, whether its container
// runs it for the user or is designing with it.
#pragma once
#include <afxwincore.h>

class COleControl : public CWnd {
    DECLARE_DYNAMIC(COleControl)
public:
    // TRUE: the control runs for the user (no container here has a design mode).
    BOOL AmbientUserMode();
};
