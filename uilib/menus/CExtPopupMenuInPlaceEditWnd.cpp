#include "CExtPopupMenuInPlaceEditWnd.h"
#include "CExtPaintManagerHolder.h"

typedef CExtPopupMenuWnd::CInPlaceEditWnd CInPlaceEditWnd;

const UINT CInPlaceEditWnd::g_nMsgDeleteSelection =
    ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
const UINT CInPlaceEditWnd::g_nMsgSelectAll = ::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");

CInPlaceEditWnd::CInPlaceEditWnd(pCbInplaceEditValidate pCbValidate, pCbInplaceEditCommit pCbCommit,
                                 pCbInplaceEditFilter pCbFilter, LPARAM lCookie, CString* pStr)
    : m_pCbValidate(pCbValidate), m_pCbCommit(pCbCommit), m_pCbFilter(pCbFilter), m_lCookie(lCookie), m_pStr(pStr),
      m_nState(0)
{
}

CInPlaceEditWnd::~CInPlaceEditWnd() = default;

bool CInPlaceEditWnd::Create(CExtPopupMenuWnd* pPopup, const RECT& rc, UINT nDlgCtrlID)
{
    m_nState &= ~STATE_COMMITTED;
    m_strInitial = m_pStr != NULL ? *m_pStr : CString();
    if (pPopup == NULL || !CEdit::Create(WS_CHILD | ES_AUTOHSCROLL, rc, pPopup, nDlgCtrlID))
        return false;
    SendMessage(WM_SETFONT, (WPARAM)g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle(), TRUE);
    ::SetWindowTextA(m_hWnd, m_strInitial);
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET, 0, 0);
    return true;
}

void CInPlaceEditWnd::PostNcDestroy()
{
    delete this;
}

CString CInPlaceEditWnd::GetText() const
{
    CString str;
    const int nLen = ::GetWindowTextLengthA(m_hWnd);
    if (nLen > 0) {
        ::GetWindowTextA(m_hWnd, str.GetBuffer(nLen + 1), nLen + 1);
        str.ReleaseBuffer();
    }
    return str;
}

CExtPopupMenuWnd* CInPlaceEditWnd::GetPopup() const
{
    return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CInPlaceEditWnd::PostCancelToPopup()
{
    HWND hWndParent = ::GetParent(m_hWnd);
    if (hWndParent != NULL)
        ::PostMessageA(hWndParent, WM_CANCELMODE, 0, 0);
}

LRESULT CInPlaceEditWnd::CheckedEdit(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CString strOld = GetText();
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    SetRedraw(FALSE);
    const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    if (!::IsWindow(m_hWnd))
        return lResult;
    const CString strNew = GetText();
    if (m_pCbValidate != NULL && strNew != strOld && !m_pCbValidate(*this, m_lCookie, strOld, strNew)) {
        SetSel(0, -1, TRUE);
        ReplaceSel(strOld);
        SetSel(nStart, nEnd, TRUE);
        SendMessage(EM_SCROLLCARET, 0, 0);
    }
    SetRedraw(TRUE);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
    ::UpdateWindow(m_hWnd);
    return lResult;
}

void CInPlaceEditWnd::DeleteSelection()
{
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart != nEnd) {
        ReplaceSel("");
        return;
    }
    SetRedraw(FALSE);
    SetSel(nStart, nStart + 1, TRUE);
    ReplaceSel("");
    SetSel(nStart, nStart, TRUE);
    SendMessage(EM_SCROLLCARET, 0, 0);
    SetRedraw(TRUE);
    ::InvalidateRect(m_hWnd, NULL, TRUE);
}

LRESULT CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pCbFilter != NULL) {
        LRESULT lResult = 0;
        if (m_pCbFilter(&lResult, message, wParam, lParam, *this, m_lCookie))
            return lResult;
    }
    switch (message) {
    case WM_NCCALCSIZE: {
        RECT* pRect = reinterpret_cast<RECT*>(lParam);
        if (pRect != NULL) {
            pRect->left += 2;
            pRect->top += 2;
            pRect->bottom -= 2;
        }
        return 0;
    }
    case WM_NCPAINT: {
        CRect rcWnd, rcClient;
        ::GetWindowRect(m_hWnd, &rcWnd);
        ::GetClientRect(m_hWnd, &rcClient);
        ::ClientToScreen(m_hWnd, (POINT*)&rcClient.left);
        ::ClientToScreen(m_hWnd, (POINT*)&rcClient.right);
        if (rcWnd != rcClient) {
            rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
            rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
            HDC hDC = ::GetWindowDC(m_hWnd);
            if (hDC != NULL) {
                ::ExcludeClipRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
                HBRUSH hBrush = ::CreateSolidBrush(g_PaintManager->GetColor(COLOR_WINDOW));
                ::FillRect(hDC, &rcWnd, hBrush);
                ::DeleteObject(hBrush);
                ::ReleaseDC(m_hWnd, hDC);
            }
        }
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_WANTTAB;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_CONTEXTMENU:
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_RETURN: {
            m_nState |= STATE_COMMITTED;
            const CString strText = GetText();
            HWND hWnd = m_hWnd;
            if (m_pCbValidate == NULL || m_pCbValidate(*this, m_lCookie, strText, strText)) {
                if (m_pCbCommit != NULL)
                    m_pCbCommit(*this, m_lCookie, strText);
                else if (m_pStr != NULL)
                    *m_pStr = strText;
            }
            if (::IsWindow(hWnd))
                PostCancelToPopup();
            return 0;
        }
        case VK_ESCAPE: {
            CExtPopupMenuWnd* pPopup = GetPopup();
            if (pPopup != NULL) {
                const int nIndex = pPopup->GetCurIndex();
                pPopup->ItemFocusCancel(false);
                pPopup->ItemFocusSet(nIndex, false, true);
            }
            return 0;
        }
        case VK_MENU:
            PostCancelToPopup();
            return 0;
        default:
            if (::GetKeyState(VK_MENU) < 0) {
                PostCancelToPopup();
                return 0;
            }
            return CheckedEdit(message, wParam, lParam);
        }
    case WM_CHAR:
        return CheckedEdit(message, wParam, lParam);
    case WM_KILLFOCUS:
        ::ShowWindow(m_hWnd, SW_HIDE);
        if (!IsCommitted() && m_pStr != NULL)
            ::SetWindowTextA(m_hWnd, *m_pStr);
        break;
    default:
        if (message == g_nMsgDeleteSelection) {
            DeleteSelection();
            return 0;
        }
        if (message == g_nMsgSelectAll) {
            SetSel(0, -1, TRUE);
            SendMessage(EM_SCROLLCARET, 0, 0);
            return 0;
        }
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
