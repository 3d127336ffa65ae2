// A view: the child window in a frame's client area that shows the program's data. It learns
// that its frame is complete through OnInitialUpdate (once), and becomes the frame's active
// view (the first to see commands) when clicked or activated. Views delete themselves when their
// window goes: CreateView makes them with new.
#pragma once
#include <afxwincore.h>
#include "CCreateContext.h"

class CFrameWnd;
class CDocument;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    // The view's document: NULL (there are no document templates here).
    CDocument* GetDocument() const { return NULL; }

    virtual void OnInitialUpdate();
    // Draws the view (WM_PAINT).
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void PostNcDestroy() override;

    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInitialUpdateDone;
};
