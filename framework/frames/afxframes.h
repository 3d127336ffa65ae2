// The frames module: frame windows, views, form views and mini frames.
#pragma once
#include <afxwincore.h>
#include "CCreateContext.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CFormView.h"
#include "CMiniFrameWnd.h"
#include "CPreviewView.h"
#include "CDocument.h"
#include "COleDocument.h"
#include "CMDIFrameWnd.h"
#include "CMDIChildWnd.h"
