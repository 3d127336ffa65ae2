// The Studio 2005 look.
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerStudio2005, CExtPaintManagerOffice2003)

bool CExtPaintManagerStudio2005::UseLunaColors() const {
    const int s = g_PaintManager.m_eLunaScheme;
    return CExtPaintManagerOffice2003::UseLunaColors() &&
           (s == CExtPaintManagerHolder::LunaNormalColor || s == CExtPaintManagerHolder::LunaMetallic);
}
