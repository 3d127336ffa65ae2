// Colour button (see CExtColorButton.h).
#include "CExtColorButton.h"
#include <afxdlgs.h>
#include "CExtColorDlg.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerHolder.h"
#include "ExtToolBarStandIns.h"
#include <afxdocking.h>
#include "CDockBar.h"
#include "CMiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CExtColorButton, CExtButton)

BEGIN_MESSAGE_MAP(CExtColorButton, CExtButton)
    ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, OnColorChanged)
    ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
    ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, OnCustColor)
END_MESSAGE_MAP()

CExtColorButton::CExtColorButton()
    : m_bEnableBtnColorDefault(true), m_bEnableBtnColorCustom(true), m_bUseStdColorDlg(true),
      m_clrDefault((COLORREF)-1), m_clrSelected(0), m_lParamCookie(0)
{
}

CExtColorButton::~CExtColorButton() = default;

void CExtColorButton::GetColorIcon(HICON& hIcon, bool& bOwned)
{
    hIcon = CExtPaintManager::CreateColorFilledIcon(m_clrSelected);
    bOwned = hIcon != NULL;
}

// ---- clicks and the popup ----

void CExtColorButton::DoClick(bool bSelectFirstItem, bool bOnArrowPart)
{
    if ((m_nStateFlags & STATE_SPLIT) == 0 || bOnArrowPart) {
        TrackButtonMenu(bSelectFirstItem);
        return;
    }
    // the main part of a split button applies the current colour again
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent != NULL)
        ::SendMessageA(hParent, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected,
                       m_lParamCookie);
}

bool CExtColorButton::TrackButtonMenu(bool bSelectFirstItem)
{
    // placement as the push button's: on a bar the dock bar gives the alignment and the first
    // window above the bars receives the notifications; off a bar the button itself
    UINT nFlags = m_dwMenuOpt;
    UINT nAlign = 0;
    CWnd* pOwner = this;
    const bool bOnBar = MenuOwnerOnBars(nFlags, nAlign, pOwner);
    HWND hWndOwner = pOwner != NULL ? pOwner->GetSafeHwnd() : m_hWnd;

    CExtPopupColorMenuWnd* pPopup = new CExtPopupColorMenuWnd;
    pPopup->SetOwnerValue(m_nMenuOwnerValue);
    pPopup->m_lParamCookie = m_lParamCookie;
    if (!pPopup->CreatePopupMenu(hWndOwner)) {
        delete pPopup;
        return true;
    }
    pPopup->m_bEnableBtnColorDefault = m_bEnableBtnColorDefault;
    pPopup->m_bEnableBtnColorCustom = m_bEnableBtnColorCustom;
    pPopup->m_clrDefaultColor = m_clrDefault;
    pPopup->m_clrInitial = m_clrSelected;
    if (!m_sBtnTextColorDefault.IsEmpty())
        pPopup->m_sBtnTextColorDefault = m_sBtnTextColorDefault;
    if (!m_sBtnTextColorCustom.IsEmpty())
        pPopup->m_sBtnTextColorCustom = m_sBtnTextColorCustom;

    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint ptAnchor = rcWindow.CenterPoint();
    ::SetFocus(bOnBar ? hWndOwner : m_hWnd);
    if (bOnBar)
        CExtToolControlBar::CancelAllBarsTracking();
    nFlags = nAlign | nFlags | 0x20 | (bSelectFirstItem ? 0x40 : 0);
    if (!pPopup->TrackPopupMenu(nFlags, ptAnchor.x, ptAnchor.y, &rcWindow, this, PaintCombinedArea, NULL, true)) {
        delete pPopup;
        return true;
    }
    if (bOnBar)
        CExtToolControlBar::g_bMenuTracking = true;
    return true;
}

// ---- the popup's notifications ----

LRESULT CExtColorButton::OnColorChanged(WPARAM wParam, LPARAM lParam)
{
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? ::SendMessageA(hParent, CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, wParam, lParam) : 0;
}

LRESULT CExtColorButton::OnColorChangedFinally(WPARAM wParam, LPARAM lParam)
{
    // the default item of a button without a default colour reports -1: the button shows black
    m_clrSelected = (COLORREF)wParam == (COLORREF)-1 ? 0 : (COLORREF)wParam;
    InvalidateRect(NULL, TRUE);
    HWND hParent = ::GetParent(m_hWnd);
    return hParent != NULL ? ::SendMessageA(hParent, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, wParam, lParam)
                           : 0;
}

bool CExtColorButton::RunColorDialog(COLORREF& clr)
{
    if (m_bUseStdColorDlg) {
        CColorDialog dlg(clr, CC_FULLOPEN, this);
        if (dlg.DoModal() != IDOK)
            return false;
        clr = dlg.GetColor();
        return true;
    }
    CExtColorDlg dlg(clr, clr, this);
    if (dlg.DoModal() != IDOK)
        return false;
    clr = dlg.m_clrNew;
    return true;
}

LRESULT CExtColorButton::OnCustColor(WPARAM, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    COLORREF clr = m_clrSelected;
    if (!RunColorDialog(clr) || !::IsWindow(hWnd))
        return 0;   // cancelled: nothing changes, nothing is sent
    m_clrSelected = clr;
    HWND hParent = ::GetParent(hWnd);
    if (hParent != NULL)
        ::SendMessageA(hParent, CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected, lParam);
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        InvalidateRect(NULL, TRUE);
    return 0;
}

// ---- painting ----

void CExtColorButton::PaintButton(CDC& dc, bool bTransparentBackground)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CString strText;
    GetWindowText(strText);
    const bool bMenuTracked = CExtPopupMenuWnd::IsAnyMenuTracked();
    bool bFocus = ::GetFocus() == m_hWnd && (m_nStateFlags & STATE_FOCUS_RECT) != 0 && !bMenuTracked &&
                  !strText.IsEmpty();
    const bool bBorder = (m_nStateFlags & STATE_BORDER) != 0 && !bMenuTracked;
    bool bPushed = (m_nStateFlags & STATE_PUSHED) != 0;
    const bool bEnabled = IsButtonEnabled();
    bool bFlat = IsFlat();
    const bool bHover = (m_nStateFlags & STATE_HOVER) != 0 && !bMenuTracked;
    if (IsCheckButtonType() && (GetStyle() & BS_PUSHLIKE) && SendMessage(BM_GETCHECK, 0, 0) != 0)
        bPushed = true;
    CWnd* pParent = GetParent();
    if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
        bFocus = false;
        bFlat = true;
    }
    // only a docker background: the buffered painting's memory DC is already filled
    bool bTransparent = bTransparentBackground;
    if (!bTransparentBackground && !bHover && !bPushed && g_PaintManager->NeedsDockerBackground(this)) {
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
        if (g_PaintManager->PaintDockerBackground(dc, this))
            bTransparent = true;
    }
    HICON hIcon = NULL;
    bool bOwned = false;
    GetColorIcon(hIcon, bOwned);
    CExtCmdIcon icon;
    if (hIcon != NULL)
        icon.AssignFromHICON(hIcon, false);
    CExtPaintManager::PushButtonPaintData data(this, true, rcClient, strText, icon.IsEmpty() ? NULL : &icon, bFlat,
                                               bHover, bPushed, false, bEnabled, bBorder, bFocus, IsDefaultButton(),
                                               m_nAlign, NULL, true, 0, bTransparent);
    if (m_nStateFlags & STATE_SPLIT) {
        data.m_bSeparatedDropDown = 1;
        if (m_nPressedPart == 2 && data.m_bPushed) {
            data.m_bPushed = 0;
            data.m_bPushedDropDown = 1;
        }
    }
    data.m_clrForceTextDisabled = m_clrTextDisabled;
    data.m_clrForceTextNormal = m_clrTextNormal;
    data.m_clrForceTextHover = m_clrTextHover;
    data.m_clrForceTextPressed = m_clrTextPressed;
    g_PaintManager->PaintPushButton(dc, data);
    if (hIcon != NULL)
        icon.DetachAsHICON();
    if (hIcon != NULL && bOwned)
        ::DestroyIcon(hIcon);
}
