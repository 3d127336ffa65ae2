// The Office 2003 look. Until its own colour set-up exists it paints with the XP colours; it
// already answers its own small questions (theme kind, layout adjustment, icon tint, check
// height) and its own content-expand glyphs.
#pragma once
#include "CExtPaintManagerXP.h"

class CExtPaintManagerOffice2003 : public CExtPaintManagerXP {
    DECLARE_DYNCREATE(CExtPaintManagerOffice2003)
public:
    CExtPaintManagerOffice2003();

    int GetThemeKind() const override { return 3; }
    int GetMenuCheckHeight() override;
    COLORREF GetIconTintColor() const override;
    double GetIconTintFactor() const override { return 0.7; }
    bool UseLunaColors() const override;
    // Layout adjustment of docked bars: (0, -1) when asked for, else (0, 0).
    virtual CSize GetBarLayoutAdjust(bool bAdjust) const { return bAdjust ? CSize(0, -1) : CSize(0, 0); }
    // Luna base colours of the scheme (filled by the colour set-up; -1 until then).
    virtual bool GetLunaBaseColors(COLORREF& clrA, COLORREF& clrB) const;

    int m_nIdxClrTbFillMargin;
};
