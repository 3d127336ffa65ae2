// The Studio 2005 look.
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)

bool CExtPaintManagerStudio2005::UseLunaColors() const {
    const int s = g_PaintManager.m_eLunaScheme;
    return CExtPaintManagerOffice2003::UseLunaColors() &&
           (s == CExtPaintManagerHolder::LunaNormalColor || s == CExtPaintManagerHolder::LunaMetallic);
}

void CExtPaintManagerStudio2005::PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data) {
    if (data.m_bActiveCaption && data.m_bFlag6)
        CExtPaintManager::PaintCaptionButton(dc, data);
    else
        CExtPaintManagerXP::PaintCaptionButton(dc, data);
}

void CExtPaintManagerStudio2005::PaintGripper(CDC& dc, GripperPaintData& data) {
    if (data.m_bSideBar)
        CExtPaintManager::PaintGripper(dc, data);
    else
        CExtPaintManagerOffice2003::PaintGripper(dc, data);
}

void CExtPaintManagerStudio2005::PaintDockingFrame(CDC& dc, DockingFramePaintData& data) {
    const bool bToolBar = data.m_pOwner != NULL &&
                          data.m_pOwner->IsKindOf(RUNTIME_CLASS(CExtToolControlBar));
    CRect rc(data.m_rc);
    if (bToolBar || !data.m_bFloating || !data.m_bExtBar || rc.IsRectEmpty()) {
        CExtPaintManagerOffice2003::PaintDockingFrame(dc, data);
        return;
    }
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&data.m_rcClient);
    dc.FillSolidRect(&rc, GetColor(1000));
    dc.Draw3dRect(&rc, GetColor(1000), GetColor(COLOR_3DDKSHADOW));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, GetColor(COLOR_WINDOW), GetColor(COLOR_3DSHADOW));
    dc.RestoreDC(nSaved);
}
