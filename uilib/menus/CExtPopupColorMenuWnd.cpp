// The colour popup menu (see CExtPopupColorMenuWnd.h).
#include "CExtPopupColorMenuWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtResourceManager.h"
#include "CExtSoundPlayer.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

BEGIN_MESSAGE_MAP(CExtPopupColorMenuWnd, CExtPopupMenuWnd)
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyCustColor =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyCustColor");

const CExtPopupColorMenuWnd::PaletteEntry CExtPopupColorMenuWnd::g_Palette[COLOR_COUNT] = {
    {RGB(0, 0, 0), "Black"},
    {RGB(165, 42, 0), "Brown"},
    {RGB(0, 64, 64), "Dark Olive Green"},
    {RGB(0, 85, 0), "Dark Green"},
    {RGB(0, 0, 94), "Dark Teal"},
    {RGB(0, 0, 139), "Dark blue"},
    {RGB(75, 0, 130), "Indigo"},
    {RGB(40, 40, 40), "Dark grey"},
    {RGB(139, 0, 0), "Dark red"},
    {RGB(255, 104, 32), "Orange"},
    {RGB(139, 139, 0), "Dark yellow"},
    {RGB(0, 147, 0), "Green"},
    {RGB(56, 142, 142), "Teal"},
    {RGB(0, 0, 255), "Blue"},
    {RGB(123, 123, 192), "Blue-grey"},
    {RGB(102, 102, 102), "Grey - 50"},
    {RGB(255, 0, 0), "Red"},
    {RGB(255, 173, 91), "Light orange"},
    {RGB(50, 205, 50), "Lime"},
    {RGB(60, 179, 113), "Sea green"},
    {RGB(127, 255, 212), "Aqua"},
    {RGB(125, 158, 192), "Light blue"},
    {RGB(128, 0, 128), "Violet"},
    {RGB(127, 127, 127), "Grey - 40"},
    {RGB(255, 192, 203), "Pink"},
    {RGB(255, 215, 0), "Gold"},
    {RGB(255, 255, 0), "Yellow"},
    {RGB(0, 255, 0), "Bright green"},
    {RGB(64, 224, 208), "Turquoise"},
    {RGB(192, 255, 255), "Skyblue"},
    {RGB(72, 0, 72), "Plum"},
    {RGB(192, 192, 192), "Light grey"},
    {RGB(255, 228, 225), "Rose"},
    {RGB(210, 180, 140), "Tan"},
    {RGB(255, 255, 224), "Light yellow"},
    {RGB(152, 251, 152), "Pale green "},
    {RGB(175, 238, 238), "Pale turquoise"},
    {RGB(104, 131, 139), "Pale blue"},
    {RGB(230, 230, 250), "Lavender"},
    {RGB(255, 255, 255), "White"},
};

namespace {

enum { kCellPitch = 20, kCellSide = 16, kCellInset = 2, kGridWidth = 160, kGridHeight = 100, kMinButtonHeight = 22 };

bool IsColorIndex(int nIndex)
{
    return nIndex >= 0 && nIndex < CExtPopupColorMenuWnd::COLOR_COUNT;
}

bool IsChoosable(int nIndex)
{
    return IsColorIndex(nIndex) || nIndex == CExtPopupColorMenuWnd::IDX_DEFAULT_BUTTON ||
           nIndex == CExtPopupColorMenuWnd::IDX_CUSTOM_BUTTON;
}

// A button's text measured without its "&" marks in the menu font.
CSize MeasureButtonText(const CString& strText)
{
    CString strMeasure(strText);
    strMeasure.Remove('&');
    CRect rc(0, 0, 0, 0);
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return CSize(0, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle());
    ::DrawTextA(hDC, strMeasure, strMeasure.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return rc.Size();
}

}  // namespace

int CExtPopupColorMenuWnd::FindPaletteIndex(COLORREF clr)
{
    for (int i = 0; i < COLOR_COUNT; i++)
        if (g_Palette[i].m_clr == clr)
            return i;
    return IDX_NONE;
}

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
    : m_hWndNotifyColorChanged(NULL), m_lParamCookie(0), m_pClrValueFinal(NULL), m_clrDefaultColor(0),
      m_clrInitial((COLORREF)-1), m_bEnableBtnColorDefault(true), m_bEnableBtnColorCustom(true),
      m_rcDefaultColorBtn(0, 0, 0, 0), m_rcCustomColorBtn(0, 0, 0, 0), m_nColorIdxCurr(IDX_NONE),
      m_nInitialColorIdx(IDX_NONE), m_nCellsShiftY(0)
{
    if (!g_ResourceManager->LoadStringDefault(m_sBtnTextColorDefault, 30011) || m_sBtnTextColorDefault.IsEmpty())
        m_sBtnTextColorDefault = "Default Color";
    if (!g_ResourceManager->LoadStringDefault(m_sBtnTextColorCustom, 30010) || m_sBtnTextColorCustom.IsEmpty())
        m_sBtnTextColorCustom = "Custom Color ...";
}

CExtPopupColorMenuWnd::~CExtPopupColorMenuWnd() {}

// ---- geometry -------------------------------------------------------------------------------

int CExtPopupColorMenuWnd::GetSeparatorHeight() const
{
    return g_PaintManager->GetMenuSpacing();
}

int CExtPopupColorMenuWnd::GetMenuBorder() const
{
    return g_PaintManager->GetMenuBorderSize();
}

CSize CExtPopupColorMenuWnd::CalcColorMenuSize()
{
    const int b = GetMenuBorder();
    const int s = GetShadowSize();
    const int nSep = GetSeparatorHeight();
    int cx = s + 2 * b + kGridWidth;
    int cy = s + 2 * b + kGridHeight;
    int cyDefault = 0, cyCustom = 0;
    if (m_bEnableBtnColorDefault) {
        const CSize size = MeasureButtonText(m_sBtnTextColorDefault);
        cyDefault = std::max((int)kMinButtonHeight, (int)size.cy);
        cx = std::max(cx, (int)size.cx + 6);
        cy += nSep + 6 + cyDefault;
    }
    if (m_bEnableBtnColorCustom) {
        const CSize size = MeasureButtonText(m_sBtnTextColorCustom);
        cyCustom = std::max((int)kMinButtonHeight, (int)size.cy);
        cx = std::max(cx, (int)size.cx + 6);
        cy += nSep + 6 + cyCustom;
    }
    // the buttons span the menu; they and the cells lie right of the owner's left area
    const int nLeft = GetOwnerValue();
    m_rcDefaultColorBtn.SetRectEmpty();
    m_rcCustomColorBtn.SetRectEmpty();
    if (m_bEnableBtnColorDefault)
        m_rcDefaultColorBtn.SetRect(b + 3, b + 3, cx - (b + 3) - s, cyDefault + b + 3);
    if (m_bEnableBtnColorCustom) {
        m_rcCustomColorBtn.SetRect(b + 3, b + 3, cx - (b + 3) - s, cyCustom + b + 3);
        m_rcCustomColorBtn.OffsetRect(0, b + 102);
        if (m_bEnableBtnColorDefault)
            m_rcCustomColorBtn.OffsetRect(0, nSep + cyDefault + 6);
    }
    if (!m_rcDefaultColorBtn.IsRectEmpty())
        m_rcDefaultColorBtn.OffsetRect(nLeft, 0);
    if (!m_rcCustomColorBtn.IsRectEmpty())
        m_rcCustomColorBtn.OffsetRect(nLeft, 0);
    m_nCellsShiftY = m_bEnableBtnColorDefault ? nSep + cyDefault + 6 : 0;
    m_nInitialColorIdx = m_clrInitial == (COLORREF)-1 ? IDX_NONE : FindPaletteIndex(m_clrInitial);
    return CSize(cx + nLeft, cy);
}

CRect CExtPopupColorMenuWnd::GetCellRect(int nIndex) const
{
    if (!IsColorIndex(nIndex))
        return CRect(0, 0, 0, 0);
    const int b = GetMenuBorder();
    const int nColumn = nIndex % COLOR_COLUMNS, nRow = nIndex / COLOR_COLUMNS;
    CRect rc;
    rc.left = b + nColumn * kCellPitch + kCellInset;
    rc.right = rc.left + kCellSide;
    rc.top = b + nRow * kCellPitch + kCellInset;
    rc.bottom = rc.top + kCellSide;
    rc.OffsetRect(GetOwnerValue(), m_nCellsShiftY);
    return rc;
}

int CExtPopupColorMenuWnd::HitTestColor(CPoint ptClient) const
{
    for (int i = 0; i < COLOR_COUNT; i++)
        if (GetCellRect(i).PtInRect(ptClient))
            return i;
    if (m_bEnableBtnColorDefault && m_rcDefaultColorBtn.PtInRect(ptClient))
        return IDX_DEFAULT_BUTTON;
    if (m_bEnableBtnColorCustom && m_rcCustomColorBtn.PtInRect(ptClient))
        return IDX_CUSTOM_BUTTON;
    return IDX_NONE;
}

int CExtPopupColorMenuWnd::NextIndexForKey(int nIndex, UINT nVirtKey)
{
    if (nVirtKey != VK_LEFT && nVirtKey != VK_RIGHT && nVirtKey != VK_UP && nVirtKey != VK_DOWN)
        return IDX_NONE;
    if (!IsColorIndex(nIndex))
        return 0;
    int nColumn = nIndex % COLOR_COLUMNS, nRow = nIndex / COLOR_COLUMNS;
    switch (nVirtKey) {
    case VK_LEFT:
        nColumn = (nColumn + COLOR_COLUMNS - 1) % COLOR_COLUMNS;
        break;
    case VK_RIGHT:
        nColumn = (nColumn + 1) % COLOR_COLUMNS;
        break;
    case VK_UP:
        nRow = (nRow + COLOR_ROWS - 1) % COLOR_ROWS;
        break;
    default:
        nRow = (nRow + 1) % COLOR_ROWS;
        break;
    }
    return nRow * COLOR_COLUMNS + nColumn;
}

CSize CExtPopupColorMenuWnd::CalcMenuSize()
{
    return CalcColorMenuSize();
}

CRect CExtPopupColorMenuWnd::CalcWindowRect()
{
    return CExtPopupMenuWnd::CalcWindowRect();
}

bool CExtPopupColorMenuWnd::CreatePopupWindow(CWnd* pWndParent)
{
    if (!CExtPopupMenuWnd::CreatePopupWindow(pWndParent))
        return false;
    // the window has no non-client area: the layout's rectangles are client coordinates already
    m_nInitialColorIdx = m_clrInitial == (COLORREF)-1 ? IDX_NONE : FindPaletteIndex(m_clrInitial);
    return true;
}

int CExtPopupColorMenuWnd::HitTest(const CPoint&, bool* pbInEdit, bool* pbInArrow)
{
    if (pbInEdit != NULL)
        *pbInEdit = false;
    if (pbInArrow != NULL)
        *pbInArrow = false;
    return HIT_NOTHING;
}

bool CExtPopupColorMenuWnd::CanOpenAsSubmenu() const
{
    return !IsHelpCursorForced() && !IsTrackedWithoutSite();
}

// ---- notifications --------------------------------------------------------------------------

HWND CExtPopupColorMenuWnd::GetNotifyTarget() const
{
    HWND hWnd = m_hWndNotifyColorChanged != NULL ? m_hWndNotifyColorChanged : GetOwnerHwnd();
    return hWnd != NULL && ::IsWindow(hWnd) ? hWnd : NULL;
}

void CExtPopupColorMenuWnd::NotifyHotColor()
{
    // a gap between cells, the border or the custom button previews nothing
    COLORREF clr;
    if (IsColorIndex(m_nColorIdxCurr))
        clr = g_Palette[m_nColorIdxCurr].m_clr;
    else if (m_nColorIdxCurr == IDX_DEFAULT_BUTTON)
        clr = m_clrDefaultColor;
    else
        return;
    if (HWND hWndTarget = GetNotifyTarget())
        ::PostMessageA(hWndTarget, g_nMsgNotifyColorChanged, (WPARAM)clr, m_lParamCookie);
}

bool CExtPopupColorMenuWnd::NotifyFinalChoice(int nIndex)
{
    if (!IsChoosable(nIndex))
        return false;
    const HWND hWndTarget = GetNotifyTarget();
    if (nIndex == IDX_CUSTOM_BUTTON) {
        if (m_pClrValueFinal != NULL)
            *m_pClrValueFinal = CLR_CUSTOM;
        if (hWndTarget != NULL)
            ::PostMessageA(hWndTarget, g_nMsgNotifyCustColor, 0, m_lParamCookie);
    } else {
        const COLORREF clr = nIndex == IDX_DEFAULT_BUTTON ? m_clrDefaultColor : g_Palette[nIndex].m_clr;
        if (m_pClrValueFinal != NULL)
            *m_pClrValueFinal = clr;
        if (hWndTarget != NULL)
            ::PostMessageA(hWndTarget, g_nMsgNotifyColorChangedFinally, (WPARAM)clr, m_lParamCookie);
    }
    if (g_pExtSoundPlayer != NULL)
        g_pExtSoundPlayer->PlayMenuSound(CExtSoundPlayer::__ON_MENU_CMD_CLICKED);
    return true;
}

void CExtPopupColorMenuWnd::FinishTracking()
{
    // the site then deletes this menu: nothing of it is read afterwards
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        EndTracking(0);
}

void CExtPopupColorMenuWnd::HideColorTip()
{
    HideTip();
}

bool CExtPopupColorMenuWnd::IsAnimating() const
{
    const IExtPopupSiteMenu* pAnimated = GetSite().GetAnimatedMenu();
    return pAnimated != NULL;
}

bool CExtPopupColorMenuWnd::SetHotIndex(int nIndex)
{
    if (nIndex == m_nColorIdxCurr)
        return false;
    m_nColorIdxCurr = nIndex;
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        Invalidate(TRUE);
    return true;
}

// ---- input ----------------------------------------------------------------------------------

bool CExtPopupColorMenuWnd::HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass)
{
    if (IsAnimating())
        return true;
    if (m_hWnd != NULL) {
        CPoint ptScreen(ptClient);
        ::ClientToScreen(m_hWnd, &ptScreen);
        HWND hWndAt = ::WindowFromPoint(ptScreen);
        if (hWndAt != NULL && hWndAt != m_hWnd && ::IsChild(m_hWnd, hWndAt))
            return false;
        CRect rcClient;
        GetClientRect(&rcClient);
        if (!rcClient.PtInRect(ptClient)) {
            CExtPopupMenuWnd* pParent = GetParentMenu();
            if (pParent == NULL || pParent->m_hWnd == NULL)
                return false;
            CPoint ptParent(ptScreen);
            ::ScreenToClient(pParent->m_hWnd, &ptParent);
            bool bParentPass = false;
            if (pParent->HandleMouseMove(nMsg, ptParent, bParentPass) && !bParentPass) {
                CloseMenuTree(false);
                return true;
            }
            return false;
        }
    }
    (void)bPass;
    if (SetHotIndex(HitTestColor(ptClient)))
        NotifyHotColor();
    if (m_nColorIdxCurr < 0)
        HideColorTip();
    return true;
}

bool CExtPopupColorMenuWnd::HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass)
{
    (void)bPass;
    if (IsAnimating())
        return true;
    const bool bUp = nMsg == WM_LBUTTONUP || nMsg == WM_NCLBUTTONUP;
    if (IsExcludeAreaUsed() && m_hWnd != NULL) {
        CPoint ptScreen(ptClient);
        ::ClientToScreen(m_hWnd, &ptScreen);
        if (m_rcExcludeArea.PtInRect(ptScreen)) {
            // a press on the owner's button closes the menu at once; the release is the site's
            if (bUp)
                return false;
            CloseMenuTree(false);
            return true;
        }
    }
    if (!bUp)
        return false;
    const int nIndex = HitTestColor(ptClient);
    if (!IsTrackedWithoutSite())
        NotifyFinalChoice(nIndex);
    FinishTracking();
    return true;
}

bool CExtPopupColorMenuWnd::HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass)
{
    (void)nRepCnt;
    (void)nFlags;
    (void)bPass;
    if (IsAnimating())
        return true;
    if (nVirtKey < VK_RETURN || nVirtKey > VK_DOWN)
        return false;
    switch (nVirtKey) {
    case VK_RETURN:
        if (!IsTrackedWithoutSite())
            NotifyFinalChoice(m_nColorIdxCurr);
        FinishTracking();
        return true;
    case VK_ESCAPE:
    case VK_MENU:
        FinishTracking();
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        m_nColorIdxCurr = NextIndexForKey(m_nColorIdxCurr, nVirtKey);
        HideColorTip();
        if (m_hWnd != NULL && ::IsWindow(m_hWnd))
            Invalidate(TRUE);
        NotifyHotColor();
        return true;
    default:
        return false;
    }
}

// ---- painting -------------------------------------------------------------------------------

void CExtPopupColorMenuWnd::PaintPopup(CDC& dc, bool bFinal)
{
    (void)bFinal;
    PaintPopupFrame(dc);
    PaintPopupShadow(dc);

    const COLORREF clrFrame = g_PaintManager->GetColor(COLOR_3DDKSHADOW);
    for (int i = 0; i < COLOR_COUNT; i++) {
        const CRect rcCell = GetCellRect(i);
        const bool bHot = i == m_nColorIdxCurr || i == m_nInitialColorIdx;
        CExtPaintManager::PushButtonPaintData pbd(this, true, rcCell, "", NULL, true, bHot, false, false, true, true,
                                                  false, false, 0);
        g_PaintManager->PaintPushButton(dc, pbd);
        CRect rcColor(rcCell);
        rcColor.DeflateRect(kCellInset, kCellInset);
        dc.FillSolidRect(&rcColor, g_Palette[i].m_clr);
        CBrush brush(clrFrame);
        dc.FrameRect(&rcColor, &brush);
    }
    HFONT hFont = (HFONT)g_PaintManager->GetFont(CExtPaintManager::FontNormal).GetSafeHandle();
    auto paintButton = [&](const CRect& rc, const CString& strText, bool bHot) {
        if (rc.IsRectEmpty())
            return;
        CExtPaintManager::PushButtonPaintData pbd(this, true, rc, strText, NULL, true, bHot, false, false, true, true,
                                                  false, false, 1 | 4, hFont);
        g_PaintManager->PaintPushButton(dc, pbd);
    };
    if (m_bEnableBtnColorDefault)
        paintButton(m_rcDefaultColorBtn, m_sBtnTextColorDefault, m_nColorIdxCurr == IDX_DEFAULT_BUTTON);
    if (m_bEnableBtnColorCustom)
        paintButton(m_rcCustomColorBtn, m_sBtnTextColorCustom, m_nColorIdxCurr == IDX_CUSTOM_BUTTON);
}

// ---- palette messages -----------------------------------------------------------------------

BOOL CExtPopupColorMenuWnd::OnQueryNewPalette()
{
    Invalidate(TRUE);
    return (BOOL)Default();
}

void CExtPopupColorMenuWnd::OnPaletteChanged(CWnd* pFocusWnd)
{
    Default();
    if (pFocusWnd == NULL || pFocusWnd->m_hWnd != m_hWnd)
        Invalidate(TRUE);
}
