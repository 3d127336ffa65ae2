// The Studio 2005 look.
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarPaintQuery.h"
#include "ExtBarStandIns.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)

bool CExtPaintManagerStudio2005::UseLunaColors() const {
    const int s = g_PaintManager.m_eLunaScheme;
    return CExtPaintManagerOffice2003::UseLunaColors() &&
           (s == CExtPaintManagerHolder::LunaNormalColor || s == CExtPaintManagerHolder::LunaMetallic);
}

bool CExtPaintManagerStudio2005::GetLunaBaseColors(COLORREF& clrA, COLORREF& clrB) const {
    if (UseLunaColors() && g_PaintManager.m_eLunaScheme == CExtPaintManagerHolder::LunaNormalColor) {
        clrA = RGB(225, 225, 210);
        clrB = RGB(49, 106, 197);
        return true;
    }
    return CExtPaintManagerOffice2003::GetLunaBaseColors(clrA, clrB);
}

void CExtPaintManagerStudio2005::InitTranslatedColors() {
    g_PaintManager.m_nUxThemeFlags &=
        (BYTE) ~(CExtPaintManagerHolder::UxBound | CExtPaintManagerHolder::UxTaskbandColors);
    g_PaintManager.BindUxTheme();
    COLORREF F = 0, A = 0;
    if (GetScreenBitsPerPixel() <= 8 || !UseLunaColors() ||
        g_PaintManager.m_eLunaScheme == CExtPaintManagerHolder::LunaMetallic ||
        !GetLunaBaseColors(F, A)) {
        CExtPaintManagerOffice2003::InitTranslatedColors();
        return;
    }
    ResetGradientIndexes();
    CExtPaintManagerXP::InitTranslatedColors();

    auto hsl = [](COLORREF clr, double dL, double dS) { return AdjustColorHsl(clr, 0.0, dL, dS); };
    COLORREF L = hsl(F, 0.95, -0.05);
    L = RGB(GetRValue(L) + ::MulDiv(255 - GetRValue(L), 40, 100),
            GetGValue(L) + ::MulDiv(255 - GetGValue(L), 20, 100), GetBValue(L));
    const COLORREF T = RGB(GetRValue(F) * 999 / 1000, GetGValue(F) * 995 / 1000, GetBValue(F) * 995 / 1000);
    const COLORREF D = RGB(GetRValue(T) * 857 / 1000, GetGValue(T) * 857 / 1000, GetBValue(T) * 857 / 1000);
    const COLORREF A70 = hsl(A, 0.7, 0.0), A50 = hsl(A, 0.5, 0.0);

    auto map = [&](int nIndex, int nPos) { m_mapColorTranslate.SetAt(nIndex, nPos); };
    auto install = [&](int nIndex, COLORREF clr) { map(nIndex, InstallColor(clr)); };
    // in the order and with the sharing of the XP set-up
    install(1000, F);
    install(1001, A70);
    map(2000, COLOR_3DFACE);
    const int nLight = InstallColor(L);
    for (int n : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2008})
        map(n, nLight);
    map(1010, COLOR_WINDOWTEXT);
    map(1011, COLOR_WINDOWTEXT);
    map(2010, COLOR_3DSHADOW);
    map(2006, COLOR_BTNTEXT);
    install(2000, F);
    install(2001, L);
    install(2002, D);
    install(2003, A50);
    install(2004, A);
    install(2005, T);
    install(2007, hsl(F, -0.5, 0.0));
    install(2009, F);

    struct Entry {
        int nIndex;
        double dL, dS;
    };
    const Entry fromFace[] = {{3000, 0.8, 0},   {3001, 0.15, 0},  {3002, 0.95, 0},  {3003, -0.2, 0},
                              {3004, 0.6, 0},   {3005, -0.4, -0.4}, {3010, 0.98, 0}, {3011, -0.4, 0},
                              {3012, 0.97, 0},  {3013, -0.97, 0}, {3015, 0.98, 0},  {3017, 0.98, 0}};
    for (const Entry& e : fromFace)
        install(e.nIndex, hsl(F, e.dL, e.dS));
    for (int n : {3006, 3007, 3019, 3020})
        install(n, A70);
    for (int n : {3008, 3009, 3021, 3022, 3023, 3024})
        install(n, A50);
    map(3014, COLOR_3DSHADOW);
    install(3016, hsl(GetColor(2000), -0.2, -0.1));
    install(3018, hsl(GetColor(2000), -0.4, -0.1));

    SetLunaGradientIndexes();
    m_nIdxClrTbFillMargin = 3005;

    // the 3D colours of this painter's own table: shades of the face
    const double shades[4][2] = {{0.1, 0.0}, {0.95, 0.0}, {-0.3, -0.5}, {-0.7, -0.5}};
    Install3DShades(F, shades);
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
    const IExtBarPaintQuery* pQuery = ExtBarPaintQueryOf(data.m_pOwner);
    const bool bToolBar = pQuery != NULL && pQuery->IsToolBarKind();
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

void CExtPaintManagerStudio2005::PaintToolBarDecoration(CDC& dc, CObject* pButton) {
    if (g_PaintManager.m_eLunaScheme == CExtPaintManagerHolder::LunaMetallic)
        CExtPaintManagerOffice2003::PaintToolBarDecoration(dc, pButton);
}
