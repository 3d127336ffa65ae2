// The Office 2003 look (XP colours until its own set-up exists).
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
    return false;
}
