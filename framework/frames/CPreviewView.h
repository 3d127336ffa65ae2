// The view a frame shows while it previews printing. There is no printing here, so no window is
// ever one; the class exists for code that asks whether a frame is in print preview (its active
// view IsKindOf(RUNTIME_CLASS(CPreviewView))), which therefore always hears no.
#pragma once
#include "CView.h"

class CPreviewView : public CView {
    DECLARE_DYNAMIC(CPreviewView)
public:
    void OnDraw(CDC* pDC) override;
};
