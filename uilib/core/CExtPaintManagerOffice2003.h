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

    // Bar chrome: tool-bar family bars docked in a frame get rounded gradient backgrounds with
    // dotted grippers; everything else, and every palette display, the XP look.
    void PaintSeparator(CDC& dc, const RECT& rc, bool bHorzBar, bool bTransparent,
                        CObject* pOwner = NULL, LPARAM lParam = 0) override;
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    void PaintStatusPane(CDC& dc, StatusPanePaintData& data) override;
    // A triangle of six dots in the last 11 x 11 pixels of the rectangle.
    void PaintSizeGrip(CDC& dc, const RECT& rc) override;
    void PaintDockingFrame(CDC& dc, DockingFramePaintData& data) override;
    void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
    void PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pWnd) override;
    void PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pWnd) override;
    bool NeedsDockerBackground(CWnd* pWnd) override;
    bool PaintDockerBackground(CDC& dc, CWnd* pWnd) override;
    // The docker gradient (3001 to 3000, left to right in 64 steps) over rcFill: it spans the
    // reference rectangle, or only its first 700 pixels when it is wider, then flat 3000.
    virtual bool PaintDockerGradient(CDC& dc, const RECT& rcFill, const RECT& rcRef, CWnd* pWnd);
    void PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorzBar, bool bNothingHidden,
                                  bool bEnabled, bool bPushed, bool bHover,
                                  CObject* pHelperSrc = NULL,
                                  bool bTransparentBackground = false) override;
    void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bSelected,
                               CObject* pPopup = NULL) override;

    COLORREF GetShadowAdjustColor() override;
    void DeflateBarRect(CWnd* pBar, CRect& rc) override;
    int GetBarBorderGap(CWnd* pBar) override;
    bool IsBarBackgroundThemed(CWnd* pBar) override;
    void PaintBarBackground(CDC& dc, const RECT& rc, CWnd* pBar) override;
    void PaintComboFrame(CDC& dc, ComboFramePaintData& data) override;
    void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcMenu, int eAlign,
                               CObject* pHelperSrc = NULL) override;
    void PaintToolBarDecoration(CDC& dc, CObject* pButton) override;
    void PaintItemListCaption(CDC& dc, const RECT& rc, LPCTSTR sText) override;
    void PaintItemListGroupHeader(CDC& dc, const RECT& rc, LPCTSTR sText) override;
    void PaintSplitterBar(CDC& dc, const RECT& rc, bool bHorz, bool bGrip) override;
    void TintDockMarkerBitmaps(int eKind, CBitmap& bmpActive, COLORREF clrKeyActive,
                               CBitmap& bmpIdle, COLORREF clrKeyIdle) override;
    // The highlight colour defaults to the Luna scheme's above 8 bits per pixel.
    void PaintDockMarker(DWORD* pBits, int cx, int cy, bool bLimit, const RECT& rc1,
                         const RECT& rc2, COLORREF clrHighlight, COLORREF clrBorder,
                         int nBorderWidth) override;

    // Two gradients split at 2/5 of the rectangle's length: clrA to clrB, then back to clrA;
    // left to right (bHorz) or top to bottom.
    static void FillTwoPartGradient(CDC& dc, const RECT& rc, COLORREF clrA, COLORREF clrB,
                                    bool bHorz);

    int m_nIdxClrTbFillMargin;

protected:
    COLORREF ItemListFace() override {
        return GetScreenBitsPerPixel() > 8 ? GetColor(3000) : CExtPaintManagerXP::ItemListFace();
    }
    // The two colours of the tool-bar gradient (3007, 3008), a little shifted on a Luna scheme.
    void GetToolBarGradientColors(COLORREF& clrA, COLORREF& clrB) const;
    // A tool-bar family bar (tool bar, menu bar, panel bar) docked in a frame, on a display
    // with more than 256 colours: the one the rounded gradient look is for, else NULL.
    CWnd* DockedToolBarOf(CObject* pOwner) const;
    // The rounded gradient background of a docked tool bar over rcBar, with the dark line
    // along the far edge (the bottom of a horizontal bar, the right of a vertical one).
    void PaintToolBarBackground(CDC& dc, const CRect& rcBar, bool bHorz);
    // The docker gradient over the frame's client area, in pWnd's client coordinates.
    bool PaintFrameDockerGradient(CDC& dc, CWnd* pWnd, CWnd* pFrame);
    // All seven gradient indexes of the menu and bar painters back to -1 (flat fills).
    void ResetGradientIndexes();
    // The icon-column and hover gradients of menus and buttons: 3019 to 3024.
    void SetLunaGradientIndexes();
    void InitLunaColors(COLORREF clrA, COLORREF clrB);
    void InitSystemColors();
    // The 3D system colours of this painter's own table: the face, then the light, highlight,
    // shadow and dark shadow as lightness and saturation shifts of it.
    void Install3DShades(COLORREF clrFace, const double shades[4][2]);
};
