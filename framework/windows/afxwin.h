// The window layer: command targets, message maps, windows, menus, threads, the application.
#pragma once
#include <afx.h>
#include "afxres.h"
#include "afxpriv.h"
#include "afxmsg.h"
#include "AfxThreadState.h"
#include "AfxWinGlobals.h"
#include "CCmdTarget.h"
#include "CCmdUI.h"
#include "CMenu.h"
#include "CWnd.h"
#include "CWinThread.h"
#include "CWinApp.h"
