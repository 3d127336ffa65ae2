#include "CFormView.h"
#include "CFrameWnd.h"
#include <CDialog.h>
#include <CDialogTemplate.h>

IMPLEMENT_DYNAMIC(CFormView, CView)

BEGIN_MESSAGE_MAP(CFormView, CView)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL), m_sizeTemplate(0, 0)
{
}

CFormView::CFormView(UINT nIDTemplate) : CFormView(MAKEINTRESOURCEA(nIDTemplate)) {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    m_pCreateContext = pContext;
    CDialogTemplate dlgTemplate;
    if (!dlgTemplate.Load(m_lpszTemplateName)) {
        TRACE("CFormView: no dialog template\n");
        PostNcDestroy();  // as a failed window creation: the view is gone
        return FALSE;
    }
    dlgTemplate.GetSizeInPixels(&m_sizeTemplate);
    // whatever the template says, the view is a child without a frame of its own; its border
    // is the one the frame asked for
    DLGTEMPLATE* pTemplate = static_cast<DLGTEMPLATE*>(::GlobalLock(dlgTemplate.m_hTemplate));
    DWORD dwTemplateStyle = CDialogTemplate::GetStyle(pTemplate);
    dwTemplateStyle &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_THICKFRAME | WS_VISIBLE |
                         WS_BORDER | DS_CENTER | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    CDialogTemplate::SetStyle(pTemplate, dwTemplateStyle | WS_CHILD | DS_CONTROL);
    DWORD dwExStyle = CDialogTemplate::GetExStyle(pTemplate) & ~(WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME);
    if (dwStyle & WS_BORDER)
        dwExStyle |= WS_EX_CLIENTEDGE;
    CDialogTemplate::SetExStyle(pTemplate, dwExStyle | WS_EX_CONTROLPARENT);

    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, pTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    ::GlobalUnlock(dlgTemplate.m_hTemplate);
    if (!AfxUnhookWindowCreate()) {
        PostNcDestroy();
        return FALSE;
    }
    if (hWnd == NULL)
        return FALSE;  // WM_NCDESTROY gave the view its last call
    m_pCreateContext = NULL;
    ExecuteDlgInit(m_lpszTemplateName);
    SetDlgCtrlID((int)nID);
    ::SetWindowPos(m_hWnd, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
}

void CFormView::OnDraw(CDC*) {}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    return AfxUpdateData(this, bSaveAndValidate);
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;
    // the frames' accelerators before the dialog manager, which would eat their keys
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

void CFormView::OnSetFocus(CWnd*)
{
    // back to the control that had the focus, else the first one that takes it
    if (m_hWndFocus != NULL && ::IsWindow(m_hWndFocus) && ::IsChild(m_hWnd, m_hWndFocus)) {
        ::SetFocus(m_hWndFocus);
        return;
    }
    HWND hWndFirst = ::GetNextDlgTabItem(m_hWnd, NULL, FALSE);
    if (hWndFirst != NULL)
        ::SetFocus(hWndFirst);
    else
        Default();
}

void CFormView::OnKillFocus(CWnd* pNewWnd)
{
    HWND hWndNew = pNewWnd->GetSafeHwnd();
    if (hWndNew != NULL && ::IsChild(m_hWnd, hWndNew))
        m_hWndFocus = hWndNew;
    Default();
}

void CFormView::ResizeParentToFit(BOOL bShrinkOnly)
{
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL)
        return;
    CRect rectView;
    GetWindowRect(&rectView);
    pFrame->ScreenToClient(&rectView);
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    // the frame grows (or shrinks) by the difference between the view and its template
    CRect rectFit(0, 0, m_sizeTemplate.cx, m_sizeTemplate.cy);
    ::AdjustWindowRectEx(&rectFit, GetStyle(), FALSE, GetExStyle());
    int dx = rectFit.Width() - rectView.Width();
    int dy = rectFit.Height() - rectView.Height();
    if (bShrinkOnly) {
        dx = dx < 0 ? dx : 0;
        dy = dy < 0 ? dy : 0;
    }
    if (dx == 0 && dy == 0)
        return;
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + dx, rectFrame.Height() + dy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CFormView::SetScrollSizes(int, SIZE) {}
