#include "COleControl.h"

IMPLEMENT_DYNAMIC(COleControl, CWnd)

BOOL COleControl::AmbientUserMode()
{
    return TRUE;
}
