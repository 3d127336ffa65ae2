#include "CExtBarSliderButton.h"
#include "CExtToolControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdItem.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerHolder.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtBarSliderButton, CExtBarButton)

CExtBarSliderButton::CExtBarSliderButton(CExtToolControlBar* pBar, UINT nCmdID, DWORD dwStyle, UINT nTotalRange,
                                         UINT nPosition, UINT nPageSize, UINT nButtonExtentHorz,
                                         UINT nButtonExtentVert, UINT nSliderLengthHorz, UINT nSliderLengthVert)
    : CExtBarButton(pBar, nCmdID, dwStyle), m_nTotalRange(nTotalRange), m_nPosition(nPosition),
      m_nPageSize(nPageSize), m_nButtonExtentHorz(nButtonExtentHorz), m_nButtonExtentVert(nButtonExtentVert),
      m_nSliderLengthHorz(nSliderLengthHorz), m_nSliderLengthVert(nSliderLengthVert), m_nTrackedPart(-1),
      m_nPressedPart(-1) {
    for (CRect& rc : m_rcParts)
        rc.SetRectEmpty();
}

CExtBarSliderButton::~CExtBarSliderButton() {}

// ---- values -------------------------------------------------------------------------------------

bool CExtBarSliderButton::IsLayoutHorizontal() const {
    if (IsAlwaysHorizontal())
        return true;
    return !(m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL && m_pBar->IsDockedVertically());
}

UINT CExtBarSliderButton::GetEffectiveRange() const {
    if (m_nTotalRange <= m_nPageSize)
        return 0;
    const bool bHorz = !(m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL && m_pBar->IsDockedVertically());
    return ButtonExtent(bHorz) < 1 ? m_nTotalRange : m_nTotalRange - m_nPageSize;
}

UINT CExtBarSliderButton::SetAndRecalc(UINT& nField, UINT nVal) {
    const UINT nOld = nField;
    nField = nVal;
    RecalcParts();
    return nOld;
}

UINT CExtBarSliderButton::SetTotalRange(UINT nVal) {
    if (m_nPosition > nVal)
        SetPosition(nVal);
    return SetAndRecalc(m_nTotalRange, nVal);
}

UINT CExtBarSliderButton::SetPosition(UINT nVal) { return SetAndRecalc(m_nPosition, nVal); }
UINT CExtBarSliderButton::SetPageSize(UINT nVal) { return SetAndRecalc(m_nPageSize, nVal); }
UINT CExtBarSliderButton::SetSliderValue2(UINT nVal) { return SetAndRecalc(m_nButtonExtentHorz, nVal); }
UINT CExtBarSliderButton::SetSliderValue3(UINT nVal) { return SetAndRecalc(m_nButtonExtentVert, nVal); }
UINT CExtBarSliderButton::SetSliderLengthHorz(UINT nVal) { return SetAndRecalc(m_nSliderLengthHorz, nVal); }
UINT CExtBarSliderButton::SetSliderLengthVert(UINT nVal) { return SetAndRecalc(m_nSliderLengthVert, nVal); }

void CExtBarSliderButton::SetRect(const RECT& rc) {
    CExtBarButton::SetRect(rc);
    RecalcParts();
}

// ---- parts --------------------------------------------------------------------------------------

void CExtBarSliderButton::RecalcParts() {
    const bool bHorz = IsLayoutHorizontal();
    const int nLength = (int)SliderLength(bHorz);
    const int nExtent = (int)ButtonExtent(bHorz);
    const CRect rcButton = GetRect();
    CRect& rcLabel = m_rcParts[partLabel];
    CRect& rcSlider = m_rcParts[partSlider];
    rcLabel = rcButton;
    rcSlider = rcButton;
    if (bHorz) {
        rcLabel.right = std::max(rcButton.left, (int)rcButton.right - nLength);
        rcSlider.left = rcLabel.right;
    } else {
        rcLabel.bottom = std::max(rcButton.top, (int)rcButton.bottom - nLength);
        rcSlider.top = rcLabel.bottom;
    }
    for (int i : {partTrack, partArrowStart, partArrowEnd})
        m_rcParts[i] = rcSlider;
    for (int i : {partPageBefore, partPageAfter, partThumb})
        m_rcParts[i].SetRectEmpty();
    const UINT nRange = GetEffectiveRange();
    CRect& rcTrack = m_rcParts[partTrack];
    CRect& rcStart = m_rcParts[partArrowStart];
    CRect& rcEnd = m_rcParts[partArrowEnd];
    if (bHorz) {
        rcTrack.DeflateRect(nExtent, 0);
        rcStart.right = rcStart.left + nExtent;
        rcEnd.left = rcEnd.right - nExtent;
    } else {
        rcTrack.DeflateRect(0, nExtent);
        rcStart.bottom = rcStart.top + nExtent;
        rcEnd.top = rcEnd.bottom - nExtent;
    }
    const int nTrack = bHorz ? rcTrack.Width() : rcTrack.Height();
    int nThumb = 0;
    if (nTrack > 5) {
        if (m_nPageSize == 0) {
            if (nRange > 0)
                nThumb = nExtent != 0 ? nExtent : 6;
        } else if (m_nTotalRange / m_nPageSize != 0) {
            nThumb = ::MulDiv(nTrack, (int)m_nPageSize, (int)m_nTotalRange);
        }
        if (nThumb > 0 && nThumb < 4)
            nThumb = 4;
        nThumb = std::min(nThumb, nTrack);
    }
    int nOffset = 0;
    if (nRange > 0 && nThumb > 0) {
        nOffset = ::MulDiv(nTrack - nThumb, (int)std::min(m_nPosition, nRange), (int)nRange);
        // a position beyond the range (SetPosition takes any value) keeps the thumb on the track
        nOffset = std::max(0, std::min(nOffset, nTrack - nThumb));
    }
    if (nThumb > 0) {
        CRect& rcThumb = m_rcParts[partThumb];
        rcThumb = rcTrack;
        if (bHorz) {
            rcThumb.left += nOffset;
            rcThumb.right = rcThumb.left + nThumb;
        } else {
            rcThumb.top += nOffset;
            rcThumb.bottom = rcThumb.top + nThumb;
        }
        if (m_nPosition > 0) {
            m_rcParts[partPageBefore] = rcTrack;
            if (bHorz)
                m_rcParts[partPageBefore].right = rcThumb.left;
            else
                m_rcParts[partPageBefore].bottom = rcThumb.top;
        }
        if (m_nPosition < nRange) {
            m_rcParts[partPageAfter] = rcTrack;
            if (bHorz)
                m_rcParts[partPageAfter].left = rcThumb.right;
            else
                m_rcParts[partPageAfter].top = rcThumb.bottom;
        }
    }
    for (CRect& rc : m_rcParts)
        if (rc.IsRectEmpty())
            rc.SetRectEmpty();
}

// ---- measuring and painting ---------------------------------------------------------------------

CSize CExtBarSliderButton::MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz) {
    if (IsAlwaysHorizontal())
        bHorz = true;
    if (GetCmdItem(true) == NULL) {
        m_size = sizePreCalc;
        return m_size;
    }
    CSize sizeIcon(0, 0);
    const CExtCmdIcon* pIcon = GetCommandIcon();
    if (pIcon != NULL && !pIcon->IsEmpty()) {
        sizeIcon = pIcon->GetSize();
        if (IsLargeIcons())
            sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
    }
    CSize size = sizeIcon;
    const CString sText = GetText();
    if (!sText.IsEmpty() && pDC != NULL) {
        CRect rcText(0, 0, 0, 0);
        pDC->DrawText(StripAccessMarks(sText), &rcText, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        if (bHorz)
            size = CSize(sizeIcon.cx + rcText.Width() + 6, std::max((int)sizeIcon.cy, (int)rcText.Height()));
        else
            size = CSize(std::max((int)sizeIcon.cx, (int)rcText.Height()), sizeIcon.cy + rcText.Width() + 3);
    }
    if (bHorz)
        size.cx += (int)m_nSliderLengthHorz;
    else
        size.cy += (int)m_nSliderLengthVert;
    if (sText.IsEmpty()) {
        const CSize sizeDefault =
            m_pBar != NULL ? m_pBar->GetButtonDefaultSize() : CExtToolControlBar::g_sizeDefaultButton;
        if (bHorz)
            size.cy = std::max((int)size.cy, (int)sizeDefault.cy - 7);
        else
            size.cx = std::max((int)size.cx, (int)sizeDefault.cx - 7);
    }
    if (sText.IsEmpty() && sizeIcon == CSize(0, 0)) {
        if (bHorz)
            size.cy += 4;
        else
            size.cx += 4;
    } else {
        size += CSize(6, 6);
    }
    m_size = size;
    return m_size;
}

bool CExtBarSliderButton::IsSliderHover() const {
    if (!IsSliderEnabled() || CExtToolControlBar::g_bMenuTracking || CExtPopupMenuWnd::IsAnyMenuTracked())
        return false;
    return IsHover() || IsTrackingPressed() || m_nTrackedPart >= 0;
}

void CExtBarSliderButton::Paint(CDC* pDC, bool bHorz) {
    if (IsAlwaysHorizontal())
        bHorz = true;
    const CRect rc = GetRect();
    if (pDC == NULL || rc.IsRectEmpty() || !IsVisible() || (GetStyle() & TBBS_HIDDEN) != 0 || !pDC->RectVisible(&rc))
        return;
    CRect rcLabel = rc;
    if (bHorz)
        rcLabel.right = std::max(rc.left, (int)rc.right - (int)m_nSliderLengthHorz);
    else
        rcLabel.bottom = std::max(rc.top, (int)rc.bottom - (int)m_nSliderLengthVert);
    const CString sText = GetText();
    CExtCmdIcon* pIcon = GetCommandIcon();
    CExtCmdIcon iconLarge;
    if (pIcon != NULL && !pIcon->IsEmpty() && IsLargeIcons()) {
        const CSize size = pIcon->GetSize();
        if (iconLarge.CreateScaledCopy(*pIcon, size.cx * 2, size.cy * 2))
            pIcon = &iconLarge;
    }
    CFont* pFont = m_pBar != NULL ? m_pBar->GetBarFont(!bHorz) : NULL;
    if (!rcLabel.IsRectEmpty()) {
        CExtPaintManager::PushButtonPaintData data(this, bHorz, rcLabel, sText, pIcon, true, false, false, false,
                                                   !IsDisabled(), true, false, false, 1 | 4,
                                                   pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL, false, 0,
                                                   false);
        g_PaintManager->PaintPushButton(*pDC, data);
    }
    const CRect& rcSlider = m_rcParts[partSlider];
    if (rcSlider.IsRectEmpty() || !pDC->RectVisible(&rcSlider))
        return;
    for (int i = partSlider; i < partCount; i++)
        if (!m_rcParts[i].IsRectEmpty() && pDC->RectVisible(&m_rcParts[i]))
            PaintPart(pDC, i);
}

void CExtBarSliderButton::PaintPart(CDC* pDC, int nPart) {
    if (pDC == NULL || nPart < partTrack || nPart >= partCount)
        return;
    const CRect rc = m_rcParts[nPart];
    if (rc.IsRectEmpty())
        return;
    const bool bHorz = IsLayoutHorizontal();
    const bool bScrollLook = ButtonExtent(bHorz) > 0;
    const bool bEnabled = IsSliderEnabled();
    const bool bHover = IsSliderHover();
    const bool bPressed = bEnabled && nPart == m_nPressedPart;
    CExtPaintManager& pm = *g_PaintManager.GetPaintManager();
    CBrush& brushHover = pm.GetBlendedBrush(CExtPaintManager::BrushLightDefault);
    switch (nPart) {
    case partTrack:
        if (bScrollLook) {
            if (bEnabled && bHover)
                pDC->FillRect(&rc, &brushHover);
            else
                ::FillRect(pDC->m_hDC, &rc, pm.GetBrush(COLOR_3DLIGHT));
        } else {
            CRect rcLine = rc;
            if (bHorz) {
                rcLine.top = rc.top + rc.Height() / 2 - 1;
                rcLine.bottom = rcLine.top + 2;
            } else {
                rcLine.left = rc.left + rc.Width() / 2 - 1;
                rcLine.right = rcLine.left + 2;
            }
            if (bEnabled && bHover) {
                rcLine.InflateRect(bHorz ? 0 : 1, bHorz ? 1 : 0);
                pDC->FillSolidRect(&rcLine, ::GetSysColor(COLOR_3DDKSHADOW));
                rcLine.DeflateRect(1, 1);
                pDC->FillRect(&rcLine, &brushHover);
            } else {
                pDC->Draw3dRect(&rcLine, pm.GetColor(COLOR_3DSHADOW), pm.GetColor(COLOR_3DHILIGHT));
            }
        }
        break;
    case partPageBefore:
    case partPageAfter:
        if (bScrollLook && (bHover || bPressed)) {
            if (bPressed)
                pDC->FillSolidRect(&rc, pm.GetColor(COLOR_3DSHADOW));
            else
                pDC->FillRect(&rc, &brushHover);
        }
        break;
    case partArrowStart:
    case partArrowEnd:
    case partThumb: {
        const bool bPushed = nPart != partThumb && bPressed;
        // not flat: an idle thumb or arrow keeps its outline on the bar's background
        CExtPaintManager::PushButtonPaintData data(this, bHorz, rc, "", NULL, false, bHover, bPushed, false, bEnabled,
                                                   true, false, false, 1 | 4, NULL, false, 0, false);
        pm.PaintPushButton(*pDC, data);
        if (nPart == partThumb)
            break;
        int eGlyph;
        if (bHorz)
            eGlyph = nPart == partArrowStart ? CExtPaintManager::ArrowLeft : CExtPaintManager::ArrowRight;
        else
            eGlyph = nPart == partArrowStart ? CExtPaintManager::ArrowUp : CExtPaintManager::ArrowDown;
        CRect rcGlyph = rc;
        if (bPushed)
            rcGlyph.OffsetRect(pm.GetPushedContentOffset());
        const COLORREF colors[2] = {0, pm.GetColor(!bEnabled ? 2010 : (bHover || bPressed) ? 1011 : 1010)};
        pm.PaintGlyphCentered(*pDC, rcGlyph, *CExtPaintManager::g_CaptionGlyphs[eGlyph], colors);
        break;
    }
    }
}

// ---- tracking -----------------------------------------------------------------------------------

void CExtBarSliderButton::HandleClick(CPoint point, bool bDown) {
    CExtBarButton::HandleClick(point, bDown);
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(m_pBar);
    if (pFrame != NULL && CExtControlBar::IsFrameInHelpMode(pFrame))
        return;
    m_nTrackedPart = m_nPressedPart = -1;
    if (!bDown || GetEffectiveRange() == 0) {
        RefreshButton(true);
        return;
    }
    int nPart = -1;
    for (int i = partPageBefore; i <= partThumb && nPart < 0; i++)
        if (!m_rcParts[i].IsRectEmpty() && m_rcParts[i].PtInRect(point))
            nPart = i;
    RefreshButton(true);
    if (nPart < 0)
        return;
    TrackSlider(nPart, point);
}

bool CExtBarSliderButton::StepOnce(int nStep, bool bForward) {
    const UINT nRange = GetEffectiveRange();
    UINT nPos = m_nPosition;
    if (!bForward) {
        if (nPos == 0)
            return false;
        nPos = (UINT)nStep > nPos ? 0 : nPos - (UINT)nStep;
    } else {
        if (nPos >= nRange)
            return false;
        nPos = nRange - nPos < (UINT)nStep ? nRange : nPos + (UINT)nStep;
    }
    SetPosition(nPos);
    return true;
}

bool CExtBarSliderButton::StepAtCursor(HWND hWndBar, int nStep, bool bForward) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(hWndBar, &pt);
    return StepAt(pt, nStep, bForward);
}

bool CExtBarSliderButton::StepAt(CPoint pt, int nStep, bool bForward) {
    if (!m_rcParts[m_nTrackedPart].PtInRect(pt)) {
        if (m_nPressedPart != -1) {
            m_nPressedPart = -1;
            RefreshButton(true);
        }
        return false;
    }
    if (!StepOnce(nStep, bForward))
        return false;
    // SetPosition may be a derived class's: read what it left
    RecalcParts();
    m_nPressedPart = m_nTrackedPart;
    RefreshButton(true);
    return true;
}

void CExtBarSliderButton::TrackSlider(int nPart, CPoint ptPress) {
    const HWND hWndBar = m_pBar->m_hWnd;
    const bool bHorz = IsLayoutHorizontal();
    const UINT nStart = m_nPosition;
    UINT nRange = GetEffectiveRange();
    m_nTrackedPart = nPart;
    int nStep = 0;
    bool bForward = false;
    switch (nPart) {
    case partPageBefore: nStep = m_nPageSize != 0 ? (int)m_nPageSize : 1; break;
    case partPageAfter: nStep = m_nPageSize != 0 ? (int)m_nPageSize : 1; bForward = true; break;
    case partArrowStart: nStep = 1; break;
    case partArrowEnd: nStep = 1; bForward = true; break;
    default: break;
    }
    if ((UINT)nStep > nRange)
        nStep = (int)nRange;
    if (nPart == partThumb) {
        m_nPressedPart = partThumb;
        RefreshButton(false);
    }
    ::SetCapture(hWndBar);
    const bool bTimer = nStep > 0;
    if (bTimer) {
        ::SetTimer(hWndBar, kStepTimerID, kStepTimerPeriod, NULL);
        // the press itself is the first step: a click shorter than the timer's period moves too
        StepAt(ptPress, nStep, bForward);
        nRange = GetEffectiveRange();
    }
    bool bRun = true;
    while (bRun && ::IsWindow(hWndBar)) {
        if (::GetCapture() != hWndBar || (::GetKeyState(VK_LBUTTON) & 0x8000) == 0 ||
            (::GetKeyState(VK_MBUTTON) & 0x8000) != 0 || (::GetKeyState(VK_RBUTTON) & 0x8000) != 0 ||
            CExtPopupMenuWnd::IsAnyMenuTracked() || GetEffectiveRange() == 0)
            break;
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            ::WaitMessage();
            continue;
        }
        switch (msg.message) {
        case WM_CANCELMODE:
        case WM_ACTIVATEAPP:
        case WM_KEYDOWN:
        case WM_KEYUP:
            bRun = false;
            continue;
        case WM_CAPTURECHANGED:
            if ((HWND)msg.lParam != hWndBar) {
                bRun = false;
                continue;
            }
            break;
        default:
            if (msg.message >= WM_LBUTTONUP && msg.message <= WM_MBUTTONDBLCLK) {
                bRun = false;
                continue;
            }
            break;
        }
        const bool bStepMsg = msg.hwnd == hWndBar &&
                              ((msg.message == WM_TIMER && msg.wParam == kStepTimerID) ||
                               (msg.message == WM_MOUSEMOVE && nStep > 0 && nPart != partThumb));
        if (bStepMsg) {
            ::PeekMessage(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
            StepAtCursor(hWndBar, nStep, bForward);
            nRange = GetEffectiveRange();
            continue;
        }
        if (msg.hwnd == hWndBar && msg.message == WM_MOUSEMOVE && nPart == partThumb) {
            ::PeekMessage(&msg, msg.hwnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE);
            CPoint pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(hWndBar, &pt);
            const CRect& rcTrack = m_rcParts[partTrack];
            const CRect& rcThumb = m_rcParts[partThumb];
            const int nTravel =
                bHorz ? rcTrack.Width() - rcThumb.Width() : rcTrack.Height() - rcThumb.Height();
            if (nTravel < 1)
                break;
            int nOffset = bHorz ? pt.x - ptPress.x : pt.y - ptPress.y;
            nOffset = std::max(-nTravel, std::min(nOffset, nTravel));
            const UINT nChange = nOffset == 0 ? 0 : (UINT)::MulDiv((int)nRange, std::abs(nOffset), nTravel);
            UINT nPos;
            if (nOffset < 0) {
                nPos = nChange >= nStart ? 0 : nStart - nChange;
            } else {
                if (nStart >= nRange)
                    break;
                nPos = nRange - nStart < nChange ? nRange : nStart + nChange;
            }
            SetPosition(nPos);
            nRange = GetEffectiveRange();
            RecalcParts();
            m_nPressedPart = partThumb;
            RefreshButton(true);
            continue;
        }
        if (!::AfxPumpMessage())
            break;
    }
    // the bar (and with it this button) may have gone while messages were dispatched
    if (!::IsWindow(hWndBar))
        return;
    if (bTimer)
        ::KillTimer(hWndBar, kStepTimerID);
    m_nTrackedPart = m_nPressedPart = -1;
    // the press has ended here: the bar keeps no press of its own after this
    ClearTrackingPressed();
    ModifyStyle(0, TBBS_PRESSED);
    RefreshButton(true);
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
}
