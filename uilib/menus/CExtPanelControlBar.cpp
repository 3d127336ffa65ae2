#include "CExtPanelControlBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtMemoryDC.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

namespace {
const int kMargin = 5;
}

CExtPanelControlBar::CExtPanelControlBar() {
    m_rcMargins.left = m_rcMargins.top = m_rcMargins.right = m_rcMargins.bottom = kMargin;
    m_nBarModeFlags |= modePanel;
}

CExtPanelControlBar::~CExtPanelControlBar() {}

HWND CExtPanelControlBar::GetChildHwnd() const {
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return NULL;
    return ::GetWindow(m_hWnd, GW_CHILD);
}

CSize CExtPanelControlBar::GetChildSize() const {
    const HWND hChild = GetChildHwnd();
    if (hChild == NULL)
        return CSize(0, 0);
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    return rc.Size();
}

CSize CExtPanelControlBar::CalcPanelSize() const {
    const CSize sizeChild = GetChildSize();
    const RECT rcMargins = GetMargins();
    return CSize(sizeChild.cx + rcMargins.left + rcMargins.right, sizeChild.cy + rcMargins.top + rcMargins.bottom);
}

CSize CExtPanelControlBar::CalcPanelSizeForMode(int nMode) const {
    (void)nMode;
    return CalcPanelSize();
}

void CExtPanelControlBar::RepositionChild(bool bRepaint) {
    const HWND hChild = GetChildHwnd();
    if (hChild == NULL)
        return;
    CRect rcTarget;
    GetClientRect(&rcTarget);
    const RECT rcMargins = GetMargins();
    rcTarget.DeflateRect(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
    CRect rcChild;
    ::GetWindowRect(hChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild.TopLeft() == rcTarget.TopLeft())
        return;
    ::MoveWindow(hChild, rcTarget.left, rcTarget.top, rcChild.Width(), rcChild.Height(), bRepaint ? TRUE : FALSE);
}

void CExtPanelControlBar::FitSingleChild(int cx, int cy, bool bRepaint) {
    (void)cx;
    (void)cy;
    RepositionChild(bRepaint);
}

CSize CExtPanelControlBar::CalcCurrentLayoutSize(DWORD nMode, int nLength) {
    (void)nMode;
    (void)nLength;
    const bool bWindow = GetSafeHwnd() != NULL;
    const bool bFloating = bWindow && IsFloating();
    CSize sizeExtra(0, 0);
    if (!bFloating) {
        sizeExtra = CSize(2, 2);
        bool bHorzCaption = false;
        if (bWindow && IsBarWithGripper(&bHorzCaption, NULL)) {
            if (bHorzCaption)
                sizeExtra.cy = m_rcGrip.Height() + 2;
            else
                sizeExtra.cx = m_rcGrip.Width() + 2;
        }
    }
    CSize size;
    if (bWindow && IsDockedHorizontally()) {
        size = sizeExtra + CalcPanelSizeForMode(1);
        m_sizeDockedH = size;
        m_nMinHW = size.cx;
    } else if (bWindow && IsDockedVertically()) {
        size = sizeExtra + CalcPanelSizeForMode(2);
        m_sizeDockedV = size;
        m_nMinVH = size.cy;
    } else if (bFloating) {
        size = sizeExtra + CalcPanelSizeForMode(0);
        m_sizeFloated = size;
    } else {
        size = sizeExtra + CSize(20, 20);
    }
    if (m_pDockSite == NULL) {
        if (bWindow && IsDockedHorizontally())
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    const CSize size = CalcCurrentLayoutSize((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
    if (GetSafeHwnd() != NULL)
        RecalcNonClientArea();
    return size;
}

int CExtPanelControlBar::GetMinExtentHorz() const { return CalcPanelSizeForMode(1).cx; }

int CExtPanelControlBar::GetMinExtentVert() const { return CalcPanelSizeForMode(2).cy; }

CSize CExtPanelControlBar::GetFloatingMinTrackSize() const { return CalcPanelSizeForMode(0); }

CSize CExtPanelControlBar::CalcMinimalSize(bool bHorz) { return CalcPanelSizeForMode(bHorz ? 1 : 2); }

void CExtPanelControlBar::OnPaint() {
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    const HWND hChild = GetChildHwnd();
    if (hChild != NULL)
        CExtPaintManager::ExcludeChildAreas(&dc, m_hWnd);
    if (!(g_PaintManager->NeedsDockerBackground(this) && g_PaintManager->PaintDockerBackground(dc, this)))
        dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
    if (hChild != NULL)
        dc.SelectClipRgn(NULL);
    dc.Flush(true);
}

LRESULT CExtPanelControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
    case WM_SIZE: {
        const LRESULT lResult = CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
        RepositionChild(true);
        return lResult;
    }
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT lResult = CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
        RepositionChild(true);
        return lResult;
    }
    case WM_SETFOCUS: {
        const LRESULT lResult = CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
        const HWND hChild = GetChildHwnd();
        if (hChild != NULL)
            ::SetFocus(hChild);
        return lResult;
    }
    }
    return CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
}
