// The Office 2003 look.
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003() : m_nIdxClrTbFillMargin(-1) {
    m_pGlyphTbEpBtnH0 = g_ExpandGlyphs2003[0];
    m_pGlyphTbEpBtnH1 = g_ExpandGlyphs2003[1];
    m_pGlyphTbEpBtnV0 = g_ExpandGlyphs2003[2];
    m_pGlyphTbEpBtnV1 = g_ExpandGlyphs2003[3];
    const int ids[4] = {3015, 3016, 3017, 3018};
    for (int i = 0; i < 4; i++)
        m_nIdxBmpExpandResources[i] = ids[i];
}

int CExtPaintManagerOffice2003::GetMenuCheckHeight() {
    int n = CExtPaintManagerXP::GetMenuCheckHeight();
    return n < 18 ? 18 : n;
}

COLORREF CExtPaintManagerOffice2003::GetIconTintColor() const {
    if (!g_PaintManager.IsWinNT5OrLater())
        return (COLORREF)-1;
    return ::GetSysColor(COLOR_3DFACE);
}

bool CExtPaintManagerOffice2003::UseLunaColors() const {
    const BYTE f = g_PaintManager.m_nUxThemeFlags;
    const BYTE need = CExtPaintManagerHolder::UxBound | CExtPaintManagerHolder::UxTaskbandColors |
                      CExtPaintManagerHolder::UxAllowed;
    const int s = g_PaintManager.m_eLunaScheme;
    return (f & need) == need && s >= CExtPaintManagerHolder::LunaNormalColor &&
           s <= CExtPaintManagerHolder::LunaMetallic;
}

bool CExtPaintManagerOffice2003::GetLunaBaseColors(COLORREF& clrA, COLORREF& clrB) const {
    clrA = clrB = (COLORREF)-1;
    if (!UseLunaColors())
        return false;
    const COLORREF* band = g_PaintManager.m_clrTaskband;
    double h, s, l, hLight, sLight, lLight, hShadow, sShadow, lShadow;
    RgbToHsl(band[5], h, s, l);
    RgbToHsl(band[0], hLight, sLight, lLight);
    RgbToHsl(band[2], hShadow, sShadow, lShadow);
    clrA = HslToRgb(h, (lLight + lShadow) / 2.0, s);
    clrB = AdjustColorHsl(band[6], 0.01, 0.0, 0.0);
    return true;
}

void CExtPaintManagerOffice2003::ResetGradientIndexes() {
    m_nIdxClrMlaNormLeft = m_nIdxClrMlaNormRight = -1;
    m_nIdxClrMlaRarelyLeft = m_nIdxClrMlaRarelyRight = -1;
    m_nIdxClrBtnHoverLeft = m_nIdxClrBtnHoverRight = -1;
    m_nIdxClrTbFillMargin = -1;
}

void CExtPaintManagerOffice2003::SetLunaGradientIndexes() {
    m_nIdxClrMlaNormLeft = 3019;
    m_nIdxClrMlaNormRight = 3020;
    m_nIdxClrMlaRarelyLeft = 3021;
    m_nIdxClrMlaRarelyRight = 3022;
    m_nIdxClrBtnHoverLeft = 3023;
    m_nIdxClrBtnHoverRight = 3024;
}

void CExtPaintManagerOffice2003::InitTranslatedColors() {
    ResetGradientIndexes();
    // read the visual style again: the scheme may have changed since the last set-up
    g_PaintManager.m_nUxThemeFlags &=
        (BYTE) ~(CExtPaintManagerHolder::UxBound | CExtPaintManagerHolder::UxTaskbandColors);
    g_PaintManager.BindUxTheme();
    CExtPaintManagerXP::InitTranslatedColors();
    if (GetScreenBitsPerPixel() <= 8) {
        // a palette display: the XP colours, flat fills, and the shadow for the 3000 lines
        m_mapColorTranslate.SetAt(3014, InstallColor(::GetSysColor(COLOR_3DSHADOW)));
        return;
    }
    COLORREF clrA, clrB;
    if (UseLunaColors() && GetLunaBaseColors(clrA, clrB))
        InitLunaColors(clrA, clrB);
    else
        InitSystemColors();
}

void CExtPaintManagerOffice2003::InitSystemColors() {
    auto map = [&](int nIndex, int nPos) { m_mapColorTranslate.SetAt(nIndex, nPos); };
    map(3000, COLOR_WINDOW);
    map(3001, COLOR_3DFACE);
    map(3002, COLOR_WINDOW);
    map(3003, InstallColor(AdjustColorHsl(::GetSysColor(COLOR_3DSHADOW), 0.0, 0.2, 0.0)));
    map(3004, InstallColor(AdjustColorHsl(::GetSysColor(COLOR_3DSHADOW), 0.0, 0.7, 0.1)));
    map(3005, InstallColor(AdjustColorHsl(::GetSysColor(COLOR_3DSHADOW), 0.0, -0.05, 0.0)));
    const int nLight = InstallColor(AdjustColorHsl(GetColor(2003), 0.0, 0.3, 0.0));
    map(3006, nLight);
    map(3007, nLight);
    const int nLighter = InstallColor(AdjustColorHsl(GetColor(2003), 0.0, 0.6, 0.0));
    map(3008, nLighter);
    map(3009, nLighter);
    map(3010, COLOR_WINDOW);
    map(3011, InstallColor(AdjustColorHsl(::GetSysColor(COLOR_3DFACE), 0.0, -0.2, 0.0)));
    map(3012, COLOR_WINDOW);
    map(3013, COLOR_BTNTEXT);
    map(3014, COLOR_3DSHADOW);
    map(3015, COLOR_WINDOW);
    map(3016, InstallColor(GetColor(2000)));
    map(3017, InstallColor(GetColor(2001)));
    map(3018, COLOR_3DFACE);
}

namespace {

// Each channel moved towards white by its own percentage.
COLORREF BlendTowardsWhite(COLORREF clr, int nRed, int nGreen, int nBlue) {
    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    return RGB(r + (255 - r) * nRed / 100, g + (255 - g) * nGreen / 100, b + (255 - b) * nBlue / 100);
}

// Each channel scaled by its own per-mille factor, rounding towards zero.
COLORREF ScalePerMille(COLORREF clr, int nRed, int nGreen, int nBlue) {
    return RGB(GetRValue(clr) * nRed / 1000, GetGValue(clr) * nGreen / 1000,
               GetBValue(clr) * nBlue / 1000);
}

}  // namespace

void CExtPaintManagerOffice2003::InitLunaColors(COLORREF clrA, COLORREF clrB) {
    auto map = [&](int nIndex, int nPos) { m_mapColorTranslate.SetAt(nIndex, nPos); };
    auto shiftA = [&](double dH, double dL, double dS) { return AdjustColorHsl(clrA, dH, dL, dS); };
    auto shiftB = [&](double dH, double dL, double dS) { return AdjustColorHsl(clrB, dH, dL, dS); };
    const bool bMetallic = g_PaintManager.m_eLunaScheme == CExtPaintManagerHolder::LunaMetallic;
    const COLORREF clrFace = shiftA(0.0, 0.2, 0.0);

    // faces: one border colour for every edge of the look
    map(1000, InstallColor(clrFace));
    map(1001, InstallColor(shiftB(0.02, 0.6, 0.45)));
    const int nBorder = InstallColor(shiftA(0.0, -0.25, 0.0));
    for (int n : {2000, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008})
        map(n, nBorder);
    map(1010, COLOR_WINDOWTEXT);
    map(1011, COLOR_WINDOWTEXT);
    map(2010, COLOR_3DSHADOW);

    // menus
    const COLORREF clrMenuLight =
        AdjustColorHsl(BlendTowardsWhite(shiftA(0.0, 0.95, -0.05), 40, 20, 0), 0.0, 0.06, 0.05);
    map(2000, InstallColor(clrFace));
    map(2001, InstallColor(clrMenuLight));
    map(2002, InstallColor(ScalePerMille(clrFace, 857, 857, 857)));
    map(2003, InstallColor(shiftB(0.0, -0.3, 0.45)));
    // the selection frame: written three times, the last (a dark shade of the face) wins
    map(2004, InstallColor(clrFace));
    map(2004, InstallColor(shiftA(0.0, -0.25, 0.1)));
    map(2004, InstallColor(shiftA(0.0, -0.5, 0.0)));
    map(2005, InstallColor(ScalePerMille(clrMenuLight, 999, 995, 995)));
    map(2007, InstallColor(ScalePerMille(shiftA(0.0, -0.25, 0.0), 700, 700, 700)));
    map(2009, InstallColor(shiftA(0.0, 0.5, 0.0)));

    // bars, grippers, separators, docker
    struct Entry {
        int nIndex;
        bool bFromA;
        double dL, dS;
    };
    const Entry entries[] = {
        {3002, true, 0.95, 0},  {3003, true, -0.6, 0},  {3004, true, -0.1, 0},
        {3005, true, -0.6, 0},  {3006, false, 0.85, 0}, {3007, false, -0.05, 0},
        {3008, false, 0.3, 0},  {3009, false, -0.3, 0}, {3010, true, 0.98, 0},
        {3011, true, -0.45, 0}, {3012, true, 0.97, 0},  {3013, true, -0.97, 0},
        {3015, true, 0.75, 0},  {3017, true, 0.3, 0},   {3018, true, -0.25, 0},
        {3019, false, 0.8, 0},  {3020, false, 0.2, 0},  {3021, false, 0.4, 0},
        {3022, false, -0.05, 0}, {3023, false, -0.3, 0.75}, {3024, false, 0.5, 0}};
    map(3000, InstallColor(bMetallic ? shiftA(0.1, 0.8, 0.0) : shiftA(0.0, 0.43, 0.0)));
    map(3001, InstallColor(bMetallic ? shiftA(0.1, 0.4, 0.0) : clrA));
    for (const Entry& e : entries)
        map(e.nIndex, InstallColor(e.bFromA ? shiftA(0.0, e.dL, e.dS) : shiftB(0.0, e.dL, e.dS)));
    map(3014, COLOR_3DSHADOW);
    map(3016, InstallColor(GetColor(2000)));

    SetLunaGradientIndexes();

    // the 3D system colours of this table take the scheme's tint, so every control drawn
    // with them matches the bars
    const double shades[4][2] = {{0.45, 0.1}, {0.75, 0.0}, {-0.45, 0.1}, {-0.75, 0.0}};
    Install3DShades(clrFace, shades);
}

void CExtPaintManagerOffice2003::Install3DShades(COLORREF clrFace, const double shades[4][2]) {
    InstallColor(clrFace, COLOR_3DFACE);
    const int positions[4] = {COLOR_3DLIGHT, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW};
    for (int i = 0; i < 4; i++)
        InstallColor(AdjustColorHsl(clrFace, 0.0, shades[i][0], shades[i][1]), positions[i]);
}
