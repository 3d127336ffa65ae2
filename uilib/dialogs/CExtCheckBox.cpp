// Skinned check box (see CExtCheckBox.h).
#include "CExtCheckBox.h"
#include "CExtPaintManagerHolder.h"
#include <afxdocking.h>

IMPLEMENT_DYNCREATE(CExtCheckBox, CExtButton)

BEGIN_MESSAGE_MAP(CExtCheckBox, CExtButton)
END_MESSAGE_MAP()

CExtCheckBox::CExtCheckBox() : m_nInputFlags(0)
{
}

CExtCheckBox::~CExtCheckBox()
{
}

BOOL CExtCheckBox::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && pMsg->hwnd == m_hWnd) {
        switch (pMsg->message) {
        case WM_LBUTTONDOWN:
            m_nInputFlags |= INPUT_MOUSE_HELD;
            break;
        case WM_LBUTTONUP:
            m_nInputFlags &= ~INPUT_MOUSE_HELD;
            break;
        case WM_LBUTTONDBLCLK:
            // a fast second click is a press of its own
            pMsg->message = WM_LBUTTONDOWN;
            break;
        case WM_KEYDOWN:
            if (pMsg->wParam == VK_SPACE)
                m_nInputFlags |= INPUT_SPACE_HELD;
            else
                m_nInputFlags &= ~INPUT_SPACE_HELD;
            break;
        case WM_KEYUP:
            m_nInputFlags &= ~INPUT_SPACE_HELD;
            break;
        default:
            break;
        }
    }
    return CExtButton::PreTranslateMessage(pMsg);
}

void CExtCheckBox::NotifyClicked()
{
    HWND hWnd = m_hWnd;
    HWND hParent = ::GetParent(hWnd);
    if (hParent == NULL)
        return;
    ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)hWnd);
    // the parent may have destroyed the control in its handler
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        Invalidate(TRUE);
}

void CExtCheckBox::DoClick(bool bSelectFirstItem, bool bOnArrowPart)
{
    if (!IsCheckButtonType()) {
        CExtButton::DoClick(bSelectFirstItem, bOnArrowPart);
        return;
    }
    const UINT nCheck = (UINT)SendMessage(BM_GETCHECK, 0, 0);
    SendMessage(BM_SETCHECK, (nCheck + 1) % (IsTriStateType() ? 3 : 2), 0);
    NotifyClicked();
}

bool CExtCheckBox::IsBoxPressed(bool bHover) const
{
    return (m_nInputFlags & INPUT_SPACE_HELD) != 0 || (bHover && (m_nInputFlags & INPUT_MOUSE_HELD) != 0);
}

int CExtCheckBox::BoxLook(bool bEnabled, bool bHover) const
{
    if (!bEnabled)
        return 3;
    if (IsBoxPressed(bHover))
        return 1;
    if (bHover != ((m_nInputFlags & INPUT_MOUSE_HELD) != 0))
        return 2;
    return 0;
}

void CExtCheckBox::PaintButton(CDC& dc, bool)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CString strText;
    GetWindowText(strText);
    bool bFocus = ::GetFocus() == m_hWnd && (m_nStateFlags & STATE_FOCUS_RECT) != 0;
    const bool bDefault = IsDefaultButton();
    const bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0 || SendMessage(BM_GETCHECK, 0, 0) != 0;
    const bool bEnabled = IsButtonEnabled();
    bool bFlat = IsFlat();
    const bool bHover = (m_nStateFlags & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsAnyMenuTracked();
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        bFocus = false;
        bFlat = true;
    }
    bool bTransparent = false;
    if (g_PaintManager->NeedsDockerBackground(this)) {
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
        if (g_PaintManager->PaintDockerBackground(dc, this))
            bTransparent = true;
    }
    if (!bTransparent)
        dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
    CExtPaintManager::PushButtonPaintData data(this, true, rcClient, strText, NULL, bFlat, bHover, bPushed, false,
                                               bEnabled, (m_nStateFlags & STATE_BORDER) != 0, bFocus, bDefault,
                                               m_nAlign, GetParentFont(), false, 0, bTransparent);
    data.m_clrForceTextDisabled = m_clrTextDisabled;
    data.m_clrForceTextNormal = m_clrTextNormal;
    data.m_clrForceTextHover = m_clrTextHover;
    data.m_clrForceTextPressed = m_clrTextPressed;
    PaintContent(dc, data);
    g_PaintManager->EndPaintSession();
}

void CExtCheckBox::PaintContent(CDC& dc, CExtPaintManager::PushButtonPaintData& data)
{
    if (data.m_rc.IsRectEmpty())
        return;
    if (!data.m_bEnabled) {
        data.m_bHover = 0;
        data.m_bIndeterminate = 0;
        data.m_bDrawFocusRect = 0;
    }
    const DWORD dwStyle = GetStyle();
    const bool bBoxRight = (dwStyle & BS_LEFTTEXT) != 0 || (GetExStyle() & WS_EX_RIGHT) != 0;
    const COLORREF clrOldBk = dc.GetBkColor();
    const int nOldBkMode = dc.SetBkMode(TRANSPARENT);

    const CRect& rc = data.m_rc;
    CRect rcBox(rc.left, rc.top, rc.left + BOX_SIZE, rc.top + BOX_SIZE);
    CRect rcText = rc;
    if (bBoxRight) {
        rcBox.OffsetRect(rc.right - BOX_SIZE - rcBox.left, 0);
        rcText.right = rcBox.left - 2;
        rcText.left = rc.left + 1;
    } else {
        rcText.left = rc.left + BOX_SIZE + 4;
    }
    rcText.DeflateRect(1, 1);

    // the box follows the text's vertical placement even when there is no text
    const DWORD dwVert = dwStyle & BS_VCENTER;
    if (dwVert == BS_BOTTOM)
        rcBox.OffsetRect(0, rc.bottom - BOX_SIZE - rcBox.top);
    else if (dwVert != BS_TOP)
        rcBox.OffsetRect(0, (rc.Height() - BOX_SIZE) / 2);

    if (data.m_sText != NULL && data.m_sText[0] != '\0' && !rcText.IsRectEmpty()) {
        COLORREF clrText;
        if (data.m_bEnabled) {
            if (data.m_bPushed && data.m_clrForceTextPressed != (COLORREF)-1)
                clrText = data.m_clrForceTextPressed;
            else if (data.m_bHover && data.m_clrForceTextHover != (COLORREF)-1)
                clrText = data.m_clrForceTextHover;
            else if (data.m_clrForceTextNormal != (COLORREF)-1)
                clrText = data.m_clrForceTextNormal;
            else
                clrText = g_PaintManager->GetColor(18);
        } else {
            clrText = data.m_clrForceTextDisabled != (COLORREF)-1 ? data.m_clrForceTextDisabled
                                                                  : g_PaintManager->GetColor(16);
        }
        HFONT hFont = data.m_hFont != NULL
                          ? data.m_hFont
                          : (HFONT)g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle();
        HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hFont);
        const COLORREF clrOldText = dc.SetTextColor(clrText);

        const bool bMultiLine = (dwStyle & BS_MULTILINE) != 0;
        const UINT nLineFlags = bMultiLine ? DT_WORDBREAK : DT_SINGLELINE;
        CRect rcMeasured(0, 0, bMultiLine ? rcText.Width() : 0, 0);
        dc.DrawText(data.m_sText, -1, &rcMeasured, DT_CALCRECT | nLineFlags);
        rcMeasured.OffsetRect(rcText.left - rcMeasured.left, rcText.top - rcMeasured.top);

        UINT nFlags = nLineFlags;
        const DWORD dwHorz = dwStyle & BS_CENTER;
        if (dwHorz == BS_RIGHT) {
            rcMeasured.OffsetRect(rcText.right - rcMeasured.right, 0);
            nFlags |= DT_RIGHT;
        } else if (dwHorz == BS_CENTER) {
            rcMeasured.OffsetRect((rcText.Width() - rcMeasured.Width()) / 2, 0);
            nFlags |= DT_CENTER;
        }
        if (dwVert == BS_BOTTOM) {
            rcMeasured.OffsetRect(0, rcText.bottom - rcMeasured.bottom);
            nFlags |= DT_BOTTOM;
        } else if (dwVert != BS_TOP) {
            rcMeasured.OffsetRect(0, (rcText.Height() - rcMeasured.Height()) / 2);
            nFlags |= DT_VCENTER;
        }
        dc.DrawText(data.m_sText, -1, &rcMeasured, nFlags);
        ::SelectObject(dc.m_hDC, hOldFont);
        dc.SetTextColor(clrOldText);

        if (data.m_bDrawFocusRect) {
            CRect rcFocus = rcMeasured;
            rcFocus.InflateRect(2, 2);
            rcFocus.IntersectRect(&rcFocus, &rcText);
            if (bBoxRight)
                rcFocus.right++;
            else
                rcFocus.left--;
            dc.DrawFocusRect(&rcFocus);
        }
    }
    PaintBox(dc, rcBox, data);
    dc.SetBkMode(nOldBkMode);
    dc.SetBkColor(clrOldBk);
}

void CExtCheckBox::DrawSystemBox(CDC& dc, const CRect& rcBox, UINT nKind, UINT nState, bool bEnabled, bool bHover)
{
    UINT nFlags = nKind;
    if (!bEnabled)
        nFlags |= DFCS_INACTIVE;
    if (IsBoxPressed(bHover))
        nFlags |= DFCS_PUSHED;
    if (nState != 0)
        nFlags |= DFCS_CHECKED;   // an indeterminate box is drawn checked
    if (GetStyle() & BS_FLAT)
        nFlags |= DFCS_FLAT;
    CRect rc = rcBox;
    dc.DrawFrameControl(&rc, DFC_BUTTON, nFlags);
}

void CExtCheckBox::PaintBox(CDC& dc, CRect& rcBox, CExtPaintManager::PushButtonPaintData& data)
{
    const UINT nState = (UINT)SendMessage(BM_GETCHECK, 0, 0);
    const bool bEnabled = data.m_bEnabled != 0;
    const bool bHover = data.m_bHover != 0;
    const int nCode = nState <= 2 ? (int)nState + 3 * BoxLook(bEnabled, bHover) : 0;
    if (OnPaintBox(dc, rcBox, nCode))
        return;
    DrawSystemBox(dc, rcBox, DFCS_BUTTONCHECK, nState, bEnabled, bHover);
}

bool CExtCheckBox::OnPaintBox(CDC&, const CRect&, int)
{
    return false;
}
