#include "CPreviewView.h"

IMPLEMENT_DYNAMIC(CPreviewView, CView)

void CPreviewView::OnDraw(CDC*) {}
