// The Studio 2005 look.
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerHolder.h"

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
