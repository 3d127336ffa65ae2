// The XP look: flat buttons with a framed hover face, menus with a coloured icon column and a
// framed selection box, colours derived from the system colours (and the visual style).
#pragma once
#include "CExtPaintManager.h"

class CExtPaintManagerXP : public CExtPaintManager {
    DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
    CExtPaintManagerXP();

    int GetThemeKind() const override { return 2; }
    int GetMenuSpacing() const override { return 3; }
    COLORREF GetMenuBackgroundColor() override { return GetColor(2001); }
    void InitTranslatedColors() override;
    CSize GetPushedContentOffset() const override { return CSize(0, 0); }
    void PaintSunkenFrame(CDC& dc, const RECT& rc) override;
    void PaintSunkenBorder(CDC& dc, const RECT& rc) override { PaintSunkenFrame(dc, rc); }
    void PaintIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                   const CRect& rcItem, CRect& rcCaption, bool bPushed, bool bEnabled,
                   bool bHover, UINT nAlign) override;
    void PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const CRect& rcItem, bool bHover,
                          bool bPushed, bool bEnabled) override;
    void PaintPushButton(CDC& dc, PushButtonPaintData& data) override;
    void PaintMenuItem(CDC& dc, MenuItemPaintData& data) override;
    void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bRarelyUsed,
                            CObject* pHelperSrc, LPARAM lParam = 0) override;

    void PaintSeparator(CDC& dc, const RECT& rc, bool bHorzBar, bool bTransparent,
                        CObject* pOwner = NULL, LPARAM lParam = 0) override;
    void PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data) override;
    void PaintGripper(CDC& dc, GripperPaintData& data) override;
    void PaintStatusPane(CDC& dc, StatusPanePaintData& data) override;
    void PaintComboFrame(CDC& dc, ComboFramePaintData& data) override;
    void PaintItemListFrame(CDC& dc, const RECT& rc) override;
    void PaintItemListItem(CDC& dc, const RECT& rc, bool bFrame, bool bHover, bool bPushed,
                           CExtCmdIcon* pIcon, LPCTSTR sText, bool bLarge) override;
    int GetMenuBorderSize() const override { return 1; }
    bool IsMenuAttachedToButton() const override { return true; }
    void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL) override;
    void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcMenu, int eAlign,
                               CObject* pHelperSrc = NULL) override;
    void PaintTextField(CDC& dc, TextFieldPaintData& data) override;
    void PaintDockingFrame(CDC& dc, DockingFramePaintData& data) override;
    void PaintControlFrame(CDC& dc, ControlFramePaintData& data) override;
    void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bSelected,
                               CObject* pPopup = NULL) override;

    // Whether the look takes its colours from the visual style.
    virtual bool UseLunaColors() const;

    // The icon column of menus: gradient pairs (theme colour indexes, -1 none) for ordinary
    // and rarely used items; the later looks fill them.
    int m_nIdxClrMlaNormLeft, m_nIdxClrMlaNormRight, m_nIdxClrMlaRarelyLeft,
        m_nIdxClrMlaRarelyRight;
    int m_nIdxClrBtnHoverLeft, m_nIdxClrBtnHoverRight;
    bool m_bEnabledHoverIconShadows;   // raised hovered system glyphs (icons always rise)
    bool m_bHelperXpStyle8BitBarRect;
    bool m_bExpBtnSwapVGlyphs;
    const glyph_t* m_pGlyphTbEpBtnH0;
    const glyph_t* m_pGlyphTbEpBtnH1;
    const glyph_t* m_pGlyphTbEpBtnV0;
    const glyph_t* m_pGlyphTbEpBtnV1;
    int m_nIdxBmpExpandResources[4];

protected:
    const glyph_t& ExpandGlyph(int nIndex) const override;
    bool IsXpExpandStyle() const override { return true; }
    // The XP menu-expand item: the background and selection, without the chevron.
    void PaintMenuExpandBackground(CDC& dc, const CRect& rc, bool bSelected, CObject* pPopup);
    // The face of a plain list item.
    virtual COLORREF ItemListFace() { return GetColor(GetScreenBitsPerPixel() > 8 ? 1000 : 2001); }
    // The XP combo frame in the given outer-ring, button-face and button-frame colours.
    void PaintComboFrameXp(CDC& dc, ComboFramePaintData& data, COLORREF clrOuter,
                           COLORREF clrButton, COLORREF clrButtonFrame);
    // The lines of a menu joint on the sides facing away from the menu.
    void PaintCombinedAreaLines(CDC& dc, const CRect& rcArea, int eAlign, COLORREF clr);
    // The XP frame of a docked or floating bar, in the given fill and ring colours.
    void PaintDockingFrameXp(CDC& dc, DockingFramePaintData& data, COLORREF clrFill,
                             COLORREF clrRing);
    void PaintMenuIconColumn(CDC& dc, const CRect& rcColumn, bool bRarelyUsed);
};
