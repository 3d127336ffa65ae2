// The colour control.
#include "CExtColorCtrl.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtResourceManager.h"

IMPLEMENT_DYNAMIC(CExtColorCtrl, CWnd)

const UINT CExtColorCtrl::g_nMsgColorChanged = ::RegisterWindowMessageA("CExtColorCtrl::g_nMsgColorChanged");

namespace {

const UINT kFirstModeNameId = 30343;

// The English names used when the program holds no string resource for them.
const char* const kModeNames[15] = {
    " basic colors",
    " hue, saturation and luminance - mixer",
    " hue, saturation and luminance - basic hue",
    " hue, saturation and luminance - roller",
    " red, green and blue - cube",
    " red, green and blue - mixer",
    " gray scale mixer",
    " cyan, magenta and yellow - cube",
    " cyan, magenta and yellow - mixer",
    " red axis",
    " green axis",
    " blue axis",
    " cyan axis",
    " magenta axis",
    " yellow axis",
};

bool IsPaletteDevice(CDC& dc) { return (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0; }

}  // namespace

BEGIN_MESSAGE_MAP(CExtColorCtrl, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_CANCELMODE()
    ON_WM_KILLFOCUS()
    ON_WM_CAPTURECHANGED()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_SIZE()
    ON_WM_KEYUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONUP()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_MBUTTONDOWN()
    ON_WM_MBUTTONUP()
    ON_WM_MBUTTONDBLCLK()
END_MESSAGE_MAP()

CExtColorCtrl::CExtColorCtrl(int nMode) : m_nMode(nMode), m_bTracking(false) {
    m_colors.m_clrReference = m_colors.m_clrCurrent = m_colors.m_clrPrevious = RGB(255, 255, 255);
    m_pModels[MODE_HEXAGON] = &m_modelHexagon;
    m_pModels[MODE_HSL_PANEL] = &m_modelHslPanel;
    m_pModels[MODE_HSL_BASIC_HUE] = &m_modelHslBasicHue;
    m_pModels[MODE_HSL_ROLLER] = &m_modelHslRoller;
    m_pModels[MODE_RGB_CUBE] = &m_modelRgbCube;
    m_pModels[MODE_RGB_MIXER] = &m_modelRgbMixer;
    m_pModels[MODE_GRAYSCALE_MIXER] = &m_modelGrayscaleMixer;
    m_pModels[MODE_CMY_CUBE] = &m_modelCmyCube;
    m_pModels[MODE_CMY_MIXER] = &m_modelCmyMixer;
    for (int i = 0; i < 6; i++) {
        m_modelXyz[i].m_nAxis = i;
        m_pModels[MODE_XYZ_R + i] = &m_modelXyz[i];
    }
    m_pModels[MODE_DIFF] = &m_modelDiff;
}

CExtColorCtrl::~CExtColorCtrl() { ResetModels(); }

void CExtColorCtrl::SetColor(COLORREF clr, bool bNotify) {
    if (clr != m_colors.m_clrCurrent) {
        m_colors.m_clrCurrent = clr;
        if (bNotify)
            OnColorChanged();
    }
    CurrentModel().SetColor(m_colors.m_clrCurrent);
    if (GetSafeHwnd() != NULL) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CExtColorCtrl::ResetModels() {
    for (any_picker_data_t* pModel : m_pModels)
        pModel->Reset();
}

void CExtColorCtrl::RecalcLayout(bool bKeepColors) {
    if (!bKeepColors)
        ResetModels();
    if (GetSafeHwnd() == NULL)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    try {
        CClientDC dc(this);
        CPalette* pPalette = &g_PaintManager->GetPalette();
        any_picker_data_t& model = CurrentModel();
        model.Layout(&dc, pPalette->m_hObject != NULL ? pPalette : NULL, rcClient.Width(),
                     rcClient.Height(), bKeepColors);
        model.SetColor(m_colors.m_clrCurrent);
        model.SetReferenceColor(m_colors.m_clrReference);
    } catch (CException* e) {
        e->Delete();   // no DC to be had: the model keeps its old layout
    }
}

CString CExtColorCtrl::GetModeName(int nMode) {
    if (nMode < 0 || nMode >= MODE_DIFF)
        return CString();
    CString str;
    if (g_ResourceManager->LoadStringDefault(str, kFirstModeNameId + nMode) && !str.IsEmpty())
        return str;
    return CString(kModeNames[nMode]);
}

void CExtColorCtrl::OnColorChanged() {
    HWND hParent = ::GetParent(GetSafeHwnd());
    if (hParent != NULL)
        ::SendMessageA(hParent, g_nMsgColorChanged, (WPARAM)GetSafeHwnd(), (LPARAM)&m_colors);
}

void CExtColorCtrl::PreSubclassWindow() {
    CWnd::PreSubclassWindow();
    RecalcLayout(false);
}

// The capture is taken and given back only after asking who holds it.
void CExtColorCtrl::SetTracking(bool bTracking) {
    if (m_bTracking == bTracking)
        return;
    m_bTracking = bTracking;
    if (bTracking) {
        if (CExtMouseCaptureSink::GetCapture() != GetSafeHwnd())
            CExtMouseCaptureSink::SetCapture(GetSafeHwnd());
    } else if (CExtMouseCaptureSink::GetCapture() == GetSafeHwnd()) {
        CExtMouseCaptureSink::ReleaseCapture();
    }
}

void CExtColorCtrl::TakeModelColor() {
    const COLORREF clrModel = CurrentModel().m_clrCurrent;
    if (clrModel == m_colors.m_clrCurrent)
        return;
    m_colors.m_clrPrevious = m_colors.m_clrCurrent;
    m_colors.m_clrCurrent = clrModel;
    OnColorChanged();
    if (!::IsWindow(GetSafeHwnd()))
        return;   // the parent may have destroyed the control on the notification
    Invalidate(TRUE);
    UpdateWindow();
}

void CExtColorCtrl::MoveStep(UINT nFlags, CPoint point) {
    if (!m_bTracking)
        return;
    CurrentModel().Track(nFlags, point.x, point.y);
    TakeModelColor();
}

void CExtColorCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
    SetTracking(true);
    any_picker_data_t& model = CurrentModel();
    if (model.m_clrCurrent != m_colors.m_clrCurrent) {
        model.SetColor(m_colors.m_clrCurrent);
        Invalidate(TRUE);
        UpdateWindow();
    }
    model.StartTracking(nFlags, point.x, point.y);
    MoveStep(0, point);
    if (::IsWindow(GetSafeHwnd()))
        TakeModelColor();
}

void CExtColorCtrl::OnMouseMove(UINT nFlags, CPoint point) { MoveStep(nFlags, point); }

void CExtColorCtrl::OnLButtonUp(UINT nFlags, CPoint point) {
    SetTracking(false);
    CurrentModel().StopTracking(nFlags, point.x, point.y);
}

void CExtColorCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    SetTracking(false);
    CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CExtColorCtrl::OnCancelMode() {
    CWnd::OnCancelMode();
    SetTracking(false);
}

void CExtColorCtrl::OnKillFocus(CWnd* pNewWnd) {
    CWnd::OnKillFocus(pNewWnd);
    SetTracking(false);
}

void CExtColorCtrl::OnCaptureChanged(CWnd* pWnd) { CWnd::OnCaptureChanged(pWnd); }

void CExtColorCtrl::OnPaint() {
    CPaintDC dcPaint(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty() || !dcPaint.RectVisible(&rcClient))
        return;
    CPalette& palette = g_PaintManager->GetPalette();
    const bool bHavePalette = palette.m_hObject != NULL;
    CPalette* pOldPaintPalette = NULL;
    if (bHavePalette && IsPaletteDevice(dcPaint)) {
        pOldPaintPalette = dcPaint.SelectPalette(&palette, FALSE);
        dcPaint.RealizePalette();
    }
    {
        CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
        bool bBackground = false;
        if (g_PaintManager->NeedsDockerBackground(this)) {
            CExtPaintManager::ExcludeChildAreas(&dc, GetSafeHwnd(), &CExtPaintManager::IsTransparentChildControl);
            bBackground = g_PaintManager->PaintDockerBackground(dc, this);
        }
        if (!bBackground)
            dc.FillSolidRect(&rcClient, g_PaintManager->GetColor(1000));
        CPalette* pOldMemPalette = NULL;
        CPalette* pModelPalette = NULL;
        if (bHavePalette && IsPaletteDevice(dc)) {
            pOldMemPalette = dc.SelectPalette(&palette, FALSE);
            dc.RealizePalette();
            pModelPalette = &palette;
        }
        CurrentModel().Paint(&dc, pModelPalette);
        if (pOldMemPalette != NULL)
            dc.SelectPalette(pOldMemPalette, FALSE);
    }
    if (pOldPaintPalette != NULL)
        dcPaint.SelectPalette(pOldPaintPalette, FALSE);
}

BOOL CExtColorCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CExtColorCtrl::OnQueryNewPalette() {
    Invalidate(TRUE);
    return CWnd::OnQueryNewPalette();
}

void CExtColorCtrl::OnPaletteChanged(CWnd* pFocusWnd) {
    CWnd::OnPaletteChanged(pFocusWnd);
    Invalidate(TRUE);
}

void CExtColorCtrl::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout(true);
    Invalidate(TRUE);
    UpdateWindow();
}

// Only the left button picks; the other buttons, double clicks and key releases do nothing.
void CExtColorCtrl::OnKeyUp(UINT, UINT, UINT) {}
void CExtColorCtrl::OnLButtonDblClk(UINT, CPoint) {}
void CExtColorCtrl::OnRButtonDown(UINT, CPoint) {}
void CExtColorCtrl::OnRButtonUp(UINT, CPoint) {}
void CExtColorCtrl::OnRButtonDblClk(UINT, CPoint) {}
void CExtColorCtrl::OnMButtonDown(UINT, CPoint) {}
void CExtColorCtrl::OnMButtonUp(UINT, CPoint) {}
void CExtColorCtrl::OnMButtonDblClk(UINT, CPoint) {}
