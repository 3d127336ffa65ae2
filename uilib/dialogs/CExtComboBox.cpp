// Skinned combo box and its edit hook (see CExtComboBox.h).
#include "CExtComboBox.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

// ---- the edit hook ----

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)

BEGIN_MESSAGE_MAP(CExtComboEditCtrlHook, CExtEditBase)
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CExtComboEditCtrlHook::CExtComboEditCtrlHook()
{
}

CExtComboEditCtrlHook::~CExtComboEditCtrlHook()
{
}

CExtComboBox* CExtComboEditCtrlHook::GetCombo() const
{
    if (m_hWnd == NULL)
        return NULL;
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return pParent != NULL ? DYNAMIC_DOWNCAST(CExtComboBox, pParent) : NULL;
}

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool bEditCommand = (message >= WM_CUT && message <= WM_UNDO) ||
                              (message == WM_COMMAND && LOWORD(wParam) >= 0xE120 && LOWORD(wParam) <= 0xE12C);
    if (bEditCommand) {
        CExtComboBox* pCombo = GetCombo();
        if (pCombo != NULL)
            pCombo->m_nFlags &= ~CExtComboBox::FLAG_COMPLETE_ARMED;
    }
    return CExtEditBase::WindowProc(message, wParam, lParam);
}

void CExtComboEditCtrlHook::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if ((m_nEditOpt & OPT_LIBRARY_MENU) == 0) {
        CExtEditBase::OnContextMenu(pWnd, point);
        return;
    }
    CExtComboBox* pCombo = GetCombo();
    HWND hCombo = pCombo != NULL ? pCombo->m_hWnd : NULL;
    if (pCombo != NULL && (pCombo->m_nFlags & CExtComboBox::FLAG_EDIT_MENU) == 0)
        m_nEditOpt &= ~OPT_LIBRARY_MENU;
    SetFocus();
    CExtEditBase::OnContextMenu(pWnd, point);
    if (hCombo != NULL && ::IsWindow(hCombo))
        ::RedrawWindow(hCombo, NULL, NULL, 0x785);
}

// ---- the combo ----

IMPLEMENT_DYNCREATE(CExtComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CExtComboBox, CComboBox)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_CONTROL_REFLECT_EX(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

CExtComboBox::CExtComboBox()
    : m_nFlags(FLAG_AUTOCOMPLETE | FLAG_EDIT_MENU | FLAG_COMPLETE_ARMED), m_nTimerID(10), m_nTimerPeriod(50),
      m_bPointerInside(false)
{
}

CExtComboBox::~CExtComboBox()
{
}

bool CExtComboBox::IsDropDownStyle() const
{
    const DWORD dwType = CWnd::GetStyle() & 0x03;
    return dwType == CBS_DROPDOWN || dwType == CBS_DROPDOWNLIST;
}

HWND CExtComboBox::GetEditWindow() const
{
    if (m_hWnd == NULL)
        return NULL;
    // a simple combo's list is a child as well: the edit is found by its class
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, "Edit") == 0)
            return hChild;
    }
    return NULL;
}

void CExtComboBox::AttachEditHook()
{
    if (m_wndInnerEditHook.m_hWnd != NULL)
        return;
    HWND hEdit = GetEditWindow();
    if (hEdit == NULL)
        return;
    if (m_nFlags & FLAG_EDIT_MENU)
        m_wndInnerEditHook.m_nEditOpt |= CExtEditBase::OPT_LIBRARY_MENU;
    else
        m_wndInnerEditHook.m_nEditOpt &= ~CExtEditBase::OPT_LIBRARY_MENU;
    m_wndInnerEditHook.SubclassWindow(hEdit);
}

void CExtComboBox::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    AttachEditHook();
}

BOOL CExtComboBox::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CExtComboBox::OnPaint()
{
    const DWORD dwEdges = WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    if (GetExStyle() & dwEdges)
        ModifyStyleEx(dwEdges, 0, SWP_FRAMECHANGED);
    POINT pt;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    PaintCombo(false, m_bPointerInside || (::GetCursorPos(&pt) && rcWindow.PtInRect(pt)));
}

void CExtComboBox::PaintCombo(bool bPressed, bool bHover)
{
    const DWORD dwStyle = CWnd::GetStyle();
    if (dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        HWND hWnd = m_hWnd;
        Default();
        if (Alive(hWnd)) {
            CClientDC dc(this);
            DrawComboFrame(bPressed, bHover, &dc);
        }
        return;
    }
    CPaintDC dcPaint(this);
    CExtPaintManager::ExcludeChildAreas(&dcPaint, m_hWnd);
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
    DrawComboFrame(bPressed, bHover, &dc);
}

void CExtComboBox::DrawComboFrame(bool bPressed, bool bHover, CDC* pDC)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    if (CExtMouseCaptureSink::GetCapture() != NULL)
        bHover = false;
    CClientDC* pClientDC = NULL;
    if (pDC == NULL) {
        pClientDC = new CClientDC(this);
        pDC = pClientDC;
    }
    if (!bPressed)
        bPressed = GetDroppedState() != FALSE;
    const bool bEnabled = ::IsWindowEnabled(m_hWnd) != FALSE;
    if (!bEnabled)
        bPressed = bHover = false;
    if (CExtPopupMenuWnd::IsAnyMenuTracked()) {
        bHover = false;
    } else if (bEnabled && !bHover) {
        HWND hFocus = ::GetFocus();
        bHover = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    }
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtPaintManager::ComboFramePaintData data(this, rcClient, bHover, bPressed, bEnabled);
    g_PaintManager->PaintComboFrame(*pDC, data);
    delete pClientDC;
}

// ---- hover ----

void CExtComboBox::StartTimer()
{
    if (::SetTimer(m_hWnd, m_nTimerID, m_nTimerPeriod, NULL) != 0)
        m_nFlags |= FLAG_TIMER;
}

void CExtComboBox::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != m_nTimerID) {
        CComboBox::OnTimer(nIDEvent);
        return;
    }
    TimerStep();
}

void CExtComboBox::TimerStep(const POINT* pptAt)
{
    POINT pt;
    if (pptAt != NULL)
        pt = *pptAt;
    else if (!::GetCursorPos(&pt))
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    m_bPointerInside = rcWindow.PtInRect(pt) != FALSE;
    if (m_bPointerInside) {
        if (m_nFlags & FLAG_REPAINT_DUE) {
            m_nFlags &= ~FLAG_REPAINT_DUE;
            InvalidateRect(NULL, TRUE);
            UpdateWindow();
        }
        return;
    }
    m_nFlags &= ~FLAG_REPAINT_DUE;
    InvalidateRect(NULL, TRUE);
    UpdateWindow();
    m_nFlags &= ~FLAG_TIMER;
    ::KillTimer(m_hWnd, m_nTimerID);
    // the combo that holds the focus keeps its hot look
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL)
        return;
    CWnd* pWnd = CWnd::FromHandlePermanent(hFocus);
    CExtComboBox* pCombo = pWnd != NULL ? DYNAMIC_DOWNCAST(CExtComboBox, pWnd) : NULL;
    if (pCombo == NULL) {
        pWnd = CWnd::FromHandlePermanent(::GetParent(hFocus));
        pCombo = pWnd != NULL ? DYNAMIC_DOWNCAST(CExtComboBox, pWnd) : NULL;
    }
    if (pCombo != NULL) {
        pCombo->m_nFlags |= FLAG_REPAINT_DUE;
        if ((pCombo->m_nFlags & FLAG_TIMER) == 0)
            pCombo->StartTimer();
    }
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE && m_hWnd != NULL &&
        (pMsg->hwnd == m_hWnd || (IsDropDownStyle() && pMsg->hwnd == ::GetWindow(m_hWnd, GW_CHILD)))) {
        if ((m_nFlags & (FLAG_REPAINT_DUE | FLAG_TIMER)) == 0 &&
            CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, ::GetActiveWindow(), true, true, true)) {
            m_nFlags |= FLAG_REPAINT_DUE;
            StartTimer();
        }
    }
    if (m_nFlags & FLAG_AUTOCOMPLETE) {
        if (pMsg->message == WM_SYSCHAR && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
            return TRUE;   // Alt+key typed into the combo does nothing
        if (pMsg->message == WM_KEYDOWN) {
            m_nFlags |= FLAG_COMPLETE_ARMED;
            if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
                m_nFlags &= ~FLAG_COMPLETE_ARMED;
        }
    } else {
        m_nFlags &= ~FLAG_COMPLETE_ARMED;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

// ---- typed-text completion ----

BOOL CExtComboBox::OnEditUpdate()
{
    if ((m_nFlags & FLAG_AUTOCOMPLETE) == 0)
        return FALSE;   // the parent's to handle
    if ((m_nFlags & FLAG_COMPLETE_ARMED) == 0)
        return TRUE;
    HWND hWnd = m_hWnd;
    CString strText;
    GetWindowText(strText);
    const int nLength = strText.GetLength();
    const DWORD dwSel = GetEditSel();
    const bool bSel = dwSel != (DWORD)CB_ERR;
    const int nStart = bSel ? (int)(short)LOWORD(dwSel) : 0, nEnd = bSel ? (int)(short)HIWORD(dwSel) : 0;
    if (SelectString(-1, strText) == CB_ERR) {
        if (!Alive(hWnd))
            return TRUE;
        SetWindowText(strText);
        if (bSel)
            SetEditSel(nStart, nEnd);
    }
    if (!Alive(hWnd))
        return TRUE;
    if (!bSel || nEnd >= nLength)
        SetEditSel(nLength, -1);   // the completed part
    else
        SetEditSel(nStart, nEnd);
    return TRUE;
}

// ---- window procedure ----

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    switch (message) {
    case WM_CREATE: {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        if (lResult != -1 && Alive(hWnd))
            AttachEditHook();
        return lResult;
    }
    case WM_MOUSEMOVE:
        if (CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, ::GetActiveWindow(), true, true, true)) {
            m_nFlags |= FLAG_REPAINT_DUE;
            if ((m_nFlags & FLAG_TIMER) == 0)
                StartTimer();
            // a step at once, judged where the move happened (also when the pre-translation
            // already started the timer for this move): under Wine the cursor position read on a
            // later tick can be an older one
            POINT pt = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
            ::ClientToScreen(hWnd, &pt);
            TimerStep(&pt);
        }
        break;
    case WM_LBUTTONDOWN: {
        const DWORD dwType = CWnd::GetStyle() & 0x03;
        if (dwType != CBS_DROPDOWN && dwType != CBS_DROPDOWNLIST)
            break;
        HWND hParent = ::GetParent(hWnd);
        if (hParent != NULL)
            ::SendMessageA(hParent, WM_CANCELMODE, 0, 0);
        if (!Alive(hWnd))
            return 1;
        const bool bDropped = GetDroppedState() != FALSE;
        if (dwType == CBS_DROPDOWNLIST && m_wndInnerEditHook.m_hWnd != NULL)
            m_wndInnerEditHook.SetFocus();
        else
            SetFocus();
        if (!Alive(hWnd))
            return 1;
        DrawComboFrame(!bDropped, true);
        PostMessage(CB_SHOWDROPDOWN, bDropped ? FALSE : TRUE, 0);
        return 1;
    }
    case WM_LBUTTONUP:
        InvalidateRect(NULL, TRUE);
        break;
    case WM_SETFOCUS: {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        if (Alive(hWnd))
            DrawComboFrame(GetDroppedState() != FALSE, true);
        return lResult;
    }
    case WM_KILLFOCUS: {
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        if (!Alive(hWnd))
            return lResult;
        if (GetDroppedState())
            ShowDropDown(FALSE);
        if (Alive(hWnd))
            DrawComboFrame(GetDroppedState() != FALSE, false);
        return lResult;
    }
    case WM_ENABLE: {
        HWND hEdit = GetEditWindow();
        if (hEdit != NULL)
            ::SendMessageA(hEdit, EM_SETREADONLY, wParam ? FALSE : TRUE, 0);
        InvalidateRect(NULL, TRUE);
        const LRESULT lResult = CComboBox::WindowProc(message, wParam, lParam);
        // the system's combo disables its edit here: it stays enabled (read-only), so its text
        // keeps the readable colours
        if (Alive(hWnd) && hEdit != NULL && ::IsWindow(hEdit) && !::IsWindowEnabled(hEdit))
            ::EnableWindow(hEdit, TRUE);
        return lResult;
    }
    case WM_DESTROY:
        if (m_nFlags & FLAG_TIMER) {
            ::KillTimer(hWnd, m_nTimerID);
            m_nFlags &= ~(FLAG_TIMER | FLAG_REPAINT_DUE);
        }
        break;
    default:
        break;
    }
    return CComboBox::WindowProc(message, wParam, lParam);
}
