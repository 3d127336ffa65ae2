#include "CView.h"
#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_bInitialUpdateDone(FALSE) {}

CView::~CView() = default;

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    // the sunken edge of today's views in place of a plain border
    if (cs.style & WS_BORDER) {
        cs.dwExStyle |= WS_EX_CLIENTEDGE;
        cs.style &= ~WS_BORDER;
    }
    return TRUE;
}

void CView::PostNcDestroy()
{
    delete this;
}

void CView::OnInitialUpdate()
{
    Invalidate();
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM)
{
    // the frame may announce itself complete more than once (LoadFrame, InitialUpdateFrame):
    // a view sets itself up once
    if (!m_bInitialUpdateDone) {
        m_bInitialUpdateDone = TRUE;
        OnInitialUpdate();
    }
    return 0;
}

void CView::OnPaint()
{
    CPaintDC dc(this);
    OnDraw(&dc);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    // the active view of the active frame has the focus
    if (bActivate && pActivateView == this) {
        HWND hWndTop = GetTopLevelParent()->GetSafeHwnd();
        if (hWndTop != NULL && ::GetActiveWindow() == hWndTop && !::IsChild(m_hWnd, ::GetFocus()))
            SetFocus();
    }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetActiveView(this);
    return nResult;
}

void CView::OnDestroy()
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL && pFrame->GetActiveView() == this)
        pFrame->SetActiveView(NULL, FALSE);
    CWnd::OnDestroy();
}
