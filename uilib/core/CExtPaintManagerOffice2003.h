// The Office 2003 look: the XP look with its own colours (the 3000 series: toolbar gradients,
// docker background, grippers, separators, bar frames), taken from the two base colours of the
// Luna scheme when one of the three standard schemes is running, else from the system colours.
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
    CSize GetBarButtonPadding() const override { return CSize(4, 4); }
    void InitTranslatedColors() override;
    // Layout adjustment of docked bars: (0, -1) when asked for, else (0, 0).
    virtual CSize GetBarLayoutAdjust(bool bAdjust) const { return bAdjust ? CSize(0, -1) : CSize(0, 0); }
    // The two base colours of the running Luna scheme, from the taskband colours: the face
    // (hue and saturation of the fill hint, lightness between the edge light and the edge
    // shadow) and the accent hint. False (and -1 in both) when the look does not use them.
    virtual bool GetLunaBaseColors(COLORREF& clrA, COLORREF& clrB) const;

    int m_nIdxClrTbFillMargin;

protected:
    // All seven gradient indexes of the menu and bar painters back to -1 (flat fills).
    void ResetGradientIndexes();
    void InitLunaColors(COLORREF clrA, COLORREF clrB);
    void InitSystemColors();
};
