// The window module's own classes (command targets, message maps, windows, menus, threads, the
// application) and the GDI module's device contexts and drawing objects. Programs include
// afxwin.h; the dialogs and frames modules build on this header.
#pragma once
#include <afx.h>
#include <CDC.h>
#include <CGdiObject.h>
#include <CPen.h>
#include <CBrush.h>
#include <CFont.h>
#include <CBitmap.h>
#include <CPalette.h>
#include <CRgn.h>
#include <CImageList.h>
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
#include "CRecentFileList.h"
#include "CClientDC.h"
#include "CWindowDC.h"
#include "CPaintDC.h"
