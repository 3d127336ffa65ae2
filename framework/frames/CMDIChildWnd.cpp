#include "CMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)
