// What a frame hands down while it is being made: the class of the view to create in it.
#pragma once
#include <afx.h>

class CView;
class CFrameWnd;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = NULL;  // CreateView makes one of these (DECLARE_DYNCREATE)
    CView* m_pLastView = NULL;
    CFrameWnd* m_pCurrentFrame = NULL;
};
