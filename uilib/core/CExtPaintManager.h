// The classic-look painter and the base of every look.
//
// Every skinned window draws through the current painter (g_PaintManager->...): it asks it for
// colours, brushes and fonts by index and hands it one paint-data record per element. The looks
// form one chain: CExtPaintManager (classic) <- CExtPaintManagerXP <- ...Office2003 <- ...Studio2005.
//
// Colour indexes (GetColor, GetBrush): below 1000 a Windows system colour; 1000 and up theme
// colours looked up in the translation map (1000 face, 1001 hovered face, 1004/1006 raised
// edges, 1005/1007 pushed edges, 1008 extra hover edge, 1010 glyph colour; 2000 and up XP menu
// and frame colours). Unknown indexes answer the COLOR_3DFACE entry.
//
// The class also carries the static paint routines the rest of the library calls without a
// painter (colour maths, monitors, bitmaps); their bodies live in CExtPaintManagerRoutines.cpp
// and CExtPaintManagerBitmaps.cpp, the glyph tables in CExtPaintManagerGlyphs.cpp and the button
// and menu bodies in CExtPaintManagerButtons.cpp, so that no file grows too large.
#pragma once
#include "afxwin.h"

class CExtCmdIcon;
class CExtDynDockMarkerWnd;

class CExtPaintManager : public CObject {
    DECLARE_DYNCREATE(CExtPaintManager)
public:
    // ---- glyphs: a matrix of colour indexes, 0 transparent ---------------------------------
    class glyph_t {
    public:
        glyph_t(UINT nWidth, UINT nHeight, UINT nColors, const UINT* pPixels);
        // A copy of src turned clockwise by 90, 180 or 270 degrees; owns its pixels.
        glyph_t(const glyph_t& src, int nAngle);
        ~glyph_t();
        glyph_t(const glyph_t&) = delete;
        glyph_t& operator=(const glyph_t&) = delete;

        UINT Width() const { return m_nWidth; }
        UINT Height() const { return m_nHeight; }
        CSize Size() const { return CSize((int)m_nWidth, (int)m_nHeight); }
        UINT Colors() const { return m_nColors; }
        const UINT* Pixels() const { return m_pPixels; }
        UINT At(UINT x, UINT y) const { return m_pPixels[y * m_nWidth + x]; }

    private:
        UINT m_nWidth, m_nHeight, m_nColors;
        UINT* m_pPixels;
        bool m_bOwnsPixels;
    };

    enum GlyphKind {
        Empty = 0, Close, ArrowUp, ArrowDown, ArrowLeft, ArrowRight, Minimize, Restore, Maximize,
        Help, PinUp, PinSide, ThickArrowUp, ThickArrowDown, ThickArrowLeft, ThickArrowRight,
        ThinClose, HollowArrowUp, HollowArrowDown, HollowArrowLeft, HollowArrowRight, SmallClose,
        Plus, Minus, BoxPlus, BoxMinus, CirclePlus, CircleMinus, BigArrowUp, BigArrowDown,
        BigArrowLeft, BigArrowRight, CornerArrowUpLeft, CornerArrowUpRight, CornerArrowDownRight,
        CornerArrowDownLeft, SmallArrowUp, SmallArrowDown, SmallArrowLeft, SmallArrowRight,
        Ellipsis, DockArrowUp, DockArrowDown, DockArrowLeft, DockArrowRight, Customize,
        ChevronCustomize, GlyphCount
    };
    static const glyph_t* const g_CaptionGlyphs[GlyphCount];
    // Content-expand glyph sets: horizontal arrow, horizontal chevron, vertical arrow, vertical
    // chevron. The XP set also gives the drop-down arrows of push buttons.
    static const glyph_t* const g_ExpandGlyphsXP[4];
    static const glyph_t* const g_ExpandGlyphs2003[4];
    static const glyph_t& g_CheckMark;   // 7 x 7 menu check mark

    // ---- paint-data records ----------------------------------------------------------------
    struct PaintDataBase {
        CObject* m_pOwner;
        DWORD m_dwUser;
        CRect m_rc;
        PaintDataBase(CObject* pOwner, const RECT& rc) : m_pOwner(pOwner), m_dwUser(0), m_rc(rc) {}
    };

    struct PushButtonPaintData : PaintDataBase {
        LPCTSTR m_sText;
        CExtCmdIcon* m_pIcon;
        UINT m_nAlign;     // bit 0 centre, bit 1 right, bit 2 vertical centre
        HFONT m_hFont;
        UINT m_nCmdId;
        BYTE m_bHorz : 1, m_bFlat : 1, m_bHover : 1, m_bPushed : 1, m_bIndeterminate : 1,
            m_bEnabled : 1, m_bDrawBorder : 1, m_bDrawFocusRect : 1;
        BYTE m_bDefaultPushButton : 1, m_bDropDown : 1, m_bTransparentBackground : 1,
            m_bSeparatedDropDown : 1, m_bPushedDropDown : 1, m_bReserved2 : 3;
        COLORREF m_clrForceTextDisabled, m_clrForceTextNormal, m_clrForceTextHover,
            m_clrForceTextPressed;
        UINT m_nDrawTextFlags;
        BYTE m_bForceUseDrawTextApiH : 1;

        // Each boolean argument stores its truth value (any non-zero value counts as set).
        PushButtonPaintData(CObject* pOwner, bool bHorz, const RECT& rc, LPCTSTR sText,
                            CExtCmdIcon* pIcon, bool bFlat, bool bHover, bool bPushed,
                            bool bIndeterminate, bool bEnabled, bool bDrawBorder,
                            bool bDrawFocusRect, bool bDefaultPushButton, UINT nAlign,
                            HFONT hFont = NULL, bool bDropDown = false, UINT nCmdId = 0,
                            bool bTransparentBackground = false);
    };

    struct MenuItemPaintData : PaintDataBase {
        int m_nIconAreaWidth;
        LPCTSTR m_sText;
        LPCTSTR m_sAccelText;
        CExtCmdIcon* m_pIcon;
        UINT m_nCmdId;
        BYTE m_bPopup : 1, m_bSelected : 1, m_bPushedCheck : 1, m_bPushedRadio : 1,
            m_bIndeterminate : 1, m_bEnabled : 1, m_bRarelyUsed : 1, m_bRarelyUsedPrev : 1;
        BYTE m_bRarelyUsedNext : 1, m_bForceNoLeftGradient : 1, m_bCustomizeListMode : 1,
            m_bSeparatedDropDown : 1, m_bXtraChecked : 1, m_bHelperPopupDropped : 1,
            m_bReserved2 : 2;
        CRect m_rcInPlaceWnd;
        CString m_strInPlaceText;
        BYTE m_bXtraMark : 1;

        MenuItemPaintData(CObject* pOwner, const RECT& rc, int nIconAreaWidth, LPCTSTR sText,
                          LPCTSTR sAccelText, CExtCmdIcon* pIcon, bool bPopup, bool bSelected,
                          bool bPushedCheck, bool bPushedRadio, bool bIndeterminate,
                          bool bEnabled, bool bRarelyUsed, bool bRarelyUsedPrev,
                          bool bRarelyUsedNext, UINT nCmdId);
    };
    // Names of the popup-set bits of the second state byte (set by the menu after construction).
    // m_bForceNoLeftGradient: no icon column; m_bCustomizeListMode: the submenu arrow is a glyph;
    // m_bSeparatedDropDown: the arrow variant; m_bXtraChecked: the icon is centred;
    // m_bHelperPopupDropped: the item has an in-place part.

    struct ControlFramePaintData : PaintDataBase {
        BYTE m_bFlat : 1, m_bHover : 1, m_bEnabled : 1, m_bFocus : 1;
        ControlFramePaintData(CObject* pOwner, const RECT& rc, bool bFlat, bool bHover,
                              bool bEnabled, bool bFocus);
    };

    struct ComboFramePaintData : PaintDataBase {
        BYTE m_bHover : 1, m_bPushed : 1, m_bEnabled : 1;
        COLORREF m_clrForceNABorder, m_clrForceNAContent, m_clrForceActiveOuterBorder;
        BYTE m_bNoTopOuterBorder : 1;
        ComboFramePaintData(CObject* pOwner, const RECT& rc, bool bHover, bool bPushed,
                            bool bEnabled);
    };

    struct DockingFramePaintData : PaintDataBase {
        CRect m_rcClient;
        BYTE m_bFloating : 1, m_bExtBar : 1, m_bSideBar : 1;
        DockingFramePaintData(CObject* pOwner, const RECT& rcWindow, const RECT& rcClient,
                              bool bFloating, bool bExtBar, bool bSideBar);
    };

    // A caption button of a bar: the glyph kind and its state bits.
    struct CaptionButtonPaintData : PaintDataBase {
        int m_eGlyph;   // a GlyphKind
        // hover, pushed, enabled, on an active caption, two further states passed to the looks
        // (the XP look: a pushed-frame variant and "keep the plain close glyph"), and whether
        // the button keeps its rectangle instead of growing by one pixel
        BYTE m_bHover : 1, m_bPushed : 1, m_bEnabled : 1, m_bActiveCaption : 1, m_bFlag5 : 1,
            m_bFlag6 : 1, m_bNoOuterInflate : 1, m_bReserved : 1;
        CaptionButtonPaintData(CObject* pOwner, const RECT& rc, int eGlyph, bool bHover,
                               bool bPushed, bool bEnabled, bool bActiveCaption = false,
                               bool bFlag5 = false, bool bFlag6 = false,
                               bool bNoOuterInflate = false)
            : PaintDataBase(pOwner, rc), m_eGlyph(eGlyph), m_bHover(bHover), m_bPushed(bPushed),
              m_bEnabled(bEnabled), m_bActiveCaption(bActiveCaption), m_bFlag5(bFlag5),
              m_bFlag6(bFlag6), m_bNoOuterInflate(bNoOuterInflate), m_bReserved(0) {}
    };

    struct GripperPaintData : PaintDataBase {
        CRect m_rcText;
        BYTE m_bActive : 1, m_bFloating : 1, m_bHorz : 1, m_bSideBar : 1;
        LPCTSTR m_sCaption;
        BYTE m_bHelperNoRect : 1, m_bHelperNoFill : 1;
        GripperPaintData(CObject* pOwner, const RECT& rcGripper, const RECT& rcText,
                         bool bActive, bool bFloating, bool bHorz, bool bSideBar,
                         LPCTSTR sCaption);
    };

    // A status-bar pane's frame (kind 2) or the bar's own borders (any other kind).
    struct StatusPanePaintData : PaintDataBase {
        enum { KindPane = 2 };
        // The bar's border style bits read for its own borders.
        enum : DWORD {
            BorderLeft = 0x0100, BorderTop = 0x0200, BorderRight = 0x0400, BorderBottom = 0x0800,
            Border3D = 0x0080
        };
        int m_nKind;
        DWORD m_dwStyle;
        StatusPanePaintData(CObject* pOwner, int nKind, DWORD dwStyle, const RECT& rc)
            : PaintDataBase(pOwner, rc), m_nKind(nKind), m_dwStyle(dwStyle) {}
    };

    // A drop marker: its two pictures (active, idle), the shape cut from the active one, where
    // it goes, and for the composites (the four edge arrows, the cross) the markers it is made
    // of. The record owns its GDI objects and children.
    class DockMarker {
    public:
        enum {
            KindEmpty = -1, KindTop = 0, KindBottom, KindLeft, KindRight, KindCentre,
            KindEdges, KindCross
        };
        typedef CTypedPtrArray<CPtrArray, DockMarker*> Array;
        DockMarker() = default;
        ~DockMarker() { Clear(); }
        DockMarker(const DockMarker&) = delete;
        DockMarker& operator=(const DockMarker&) = delete;

        // Deletes the pictures, the shape and every child; kind -1, size 0, placement empty.
        void Clear();
        // Builds the marker of a kind inside rcTarget (kinds 0-3 at their edge, 4 centred, 5
        // the four arrows, 6 the cross: the centre and the arrows around it in a square the
        // centre's size + 12); the current painter tints the pictures. False when a picture,
        // its shape or a child cannot be made (the record is then empty).
        bool Build(int eKind, const RECT& rcTarget);
        // Moves a picture marker to its place inside rc by its kind.
        void Place(const RECT& rc);

        int m_eKind = KindEmpty;
        CBitmap m_bmpActive, m_bmpIdle;
        CRgn m_rgn;
        CSize m_size = CSize(0, 0);
        Array m_arrChildren;
        CRect m_rcPlacement = CRect(0, 0, 0, 0);

    private:
        bool BuildPicture(int eKind, const RECT& rcTarget);
    };
    enum : COLORREF { DockMarkerKeyColor = RGB(0, 255, 0) };
    // The built-in marker pictures (kinds 0-4): BMP file images in constant data.
    static bool GetDockMarkerPicture(int eKind, const BYTE*& pData, size_t& nSize);

    // A text field item (a menu's edit or combo part): the outer and the text rectangle.
    struct TextFieldPaintData : PaintDataBase {
        enum : UINT { AsCombo = 1, Hover = 2, Pushed = 4, Active = 8 };
        UINT m_nDrawTextFlags;
        LPCTSTR m_sText;
        CRect m_rcText;
        UINT m_nFlags;
        TextFieldPaintData(CObject* pOwner, UINT nDrawTextFlags, LPCTSTR sText, const RECT& rcOuter,
                           const RECT& rcText, UINT nFlags)
            : PaintDataBase(pOwner, rcOuter), m_nDrawTextFlags(nDrawTextFlags), m_sText(sText),
              m_rcText(rcText), m_nFlags(nFlags) {}
    };
    // The side of a popup menu its button lies on (PaintMenuCombinedArea).
    enum CombineAlign { CombineTop = 1, CombineBottom = 2, CombineLeft = 3, CombineRight = 4 };

    // ---- fonts and blended brushes (indexes into the tables) -------------------------------
    enum FontIndex {
        FontNormal = 0, FontNormalVert, FontNormalVertX, FontBold, FontBoldVert, FontBoldVertX,
        FontSmall, FontSmallVert, FontSmallVertX, FontSmallBold, FontSmallBoldVert,
        FontSmallBoldVertX, FontMarlett, FontCount
    };
    enum { BrushCount = 12 };
    // Brush 0: face and highlight half and half, the "light pattern" of pushed-and-hovered
    // surfaces and rarely used menu items.
    enum { BrushLightDefault = 0 };

    CExtPaintManager();
    ~CExtPaintManager() override;

    // ---- virtual operations, in the order of the painter interface -------------------------
    virtual int GetThemeKind() const { return 1; }
    virtual int GetMenuSpacing() const { return 6; }
    virtual void EndPaintSession() { ReleaseCachedDCs(); }
    virtual HBRUSH GetBrush(int nColorIndex);
    virtual COLORREF GetColor(int nColorIndex);
    virtual COLORREF GetMenuBackgroundColor() { return GetColor(1000); }
    virtual COLORREF GetShadowAdjustColor() { return (COLORREF)-1; }
    virtual void InitTranslatedColors();
    virtual void SyncSysColors();
    virtual CSize GetPushedContentOffset() const { return CSize(1, 1); }
    virtual void PaintGlyph(CDC& dc, POINT ptDest, const glyph_t& glyph, const COLORREF* pColors);
    virtual void PaintGlyphCentered(CDC& dc, const RECT& rect, const glyph_t& glyph,
                                    const COLORREF* pColors);
    virtual int GetMenuCheckHeight();
    virtual void PaintButtonPart(CDC& dc, const RECT& rc, bool bFlag1, bool bFlag2);
    virtual void PaintEmptyPart(CDC&, const RECT&) {}
    virtual void PaintBorderPart(CDC& dc, const RECT& rc, bool bFlag1, bool bFlag2, bool bFlag3);
    virtual void PaintSunkenFrame(CDC& dc, const RECT& rc);
    virtual void PaintSunkenBorder(CDC& dc, const RECT& rc) { PaintSunkenFrame(dc, rc); }
    // Places the icon in rcItem, fills rcCaption with what is left for the text, draws it.
    virtual void PaintIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                           const CRect& rcItem, CRect& rcCaption, bool bPushed, bool bEnabled,
                           bool bHover, UINT nAlign);
    virtual void PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const CRect& rcItem,
                                  bool bHover, bool bPushed, bool bEnabled);
    virtual void PaintPushButton(CDC& dc, PushButtonPaintData& data);
    virtual CSize GetMarkerSize() const { return CSize(6, 6); }
    virtual void PaintMarker(CDC& dc, const CRect& rcMarker, bool bSide, bool bHorz);
    virtual void PaintDoubleFrame(CDC& dc, const CRect& rc);
    virtual void PaintMenuItem(CDC& dc, MenuItemPaintData& data);
    virtual void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth,
                                    bool bRarelyUsed, CObject* pHelperSrc, LPARAM lParam = 0);
    virtual int GetTextHeight(bool bHorz);
    virtual bool IsStudioStyle() const { return false; }
    // Room around the buttons of a bar.
    virtual CSize GetBarButtonPadding() const { return CSize(0, 0); }
    // A separator between bar buttons: vertical in a horizontal bar, horizontal in a vertical
    // one; the rectangle is filled with the face first unless the background is transparent.
    virtual void PaintSeparator(CDC& dc, const RECT& rc, bool bHorzBar, bool bTransparent,
                                CObject* pOwner = NULL, LPARAM lParam = 0);
    virtual void PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data);
    // A bar's gripper, or its caption when it floats or is docked with one.
    virtual void PaintGripper(CDC& dc, GripperPaintData& data);
    // The frame of a bar (or of a floating frame) around its client rectangle.
    virtual void PaintDockingFrame(CDC& dc, DockingFramePaintData& data);
    // Edit-control frames: rings outwards from the record's rectangle.
    virtual void PaintControlFrame(CDC& dc, ControlFramePaintData& data);
    virtual void PaintComboFrame(CDC& dc, ComboFramePaintData& data);
    // The client areas of a bar and of a dock bar.
    virtual void PaintControlBarClientArea(CDC& dc, const RECT& rc, CWnd* pWnd);
    virtual void PaintDockBarClientArea(CDC& dc, const RECT& rc, CWnd* pWnd);
    // Whether windows on the docking area get the look's background, and painting it behind
    // pWnd (true when painted).
    virtual bool NeedsDockerBackground(CWnd* pWnd);
    virtual bool PaintDockerBackground(CDC& dc, CWnd* pWnd);
    // The button at the end of a tool bar that shows its hidden buttons (the arrow) and, unless
    // nothing is hidden, the chevron. pHelperSrc is the bar button being painted, if any.
    virtual void PaintContentExpandButton(CDC& dc, const RECT& rc, bool bHorzBar,
                                          bool bNothingHidden, bool bEnabled, bool bPushed,
                                          bool bHover, CObject* pHelperSrc = NULL,
                                          bool bTransparentBackground = false);
    // The item at the end of a menu that shows its rarely used items; pPopup is the menu.
    virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bSelected,
                                       CObject* pPopup = NULL);
    // Layout answers of bars and menus.
    virtual void DeflateBarRect(CWnd* pBar, CRect& rc);
    virtual int GetBarBorderGap(CWnd* pBar);
    virtual bool IsBarBackgroundThemed(CWnd* pBar) { (void)pBar; return false; }
    virtual void PaintBarBackground(CDC& dc, const RECT& rc, CWnd* pBar) { (void)dc; (void)rc; (void)pBar; }
    virtual int GetMenuShadowSize() const { return 4; }
    virtual int GetMenuBorderSize() const { return 2; }
    virtual bool IsMenuAttachedToButton() const { return false; }
    // The frame of a popup menu.
    virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL);
    // The joint between a popup menu (rcMenu) and the button it drops from (rcArea), the
    // button on the menu's eAlign side.
    virtual void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcMenu,
                                       int eAlign, CObject* pHelperSrc = NULL);
    virtual void PaintTextField(CDC& dc, TextFieldPaintData& data);
    // The decoration behind a tool-bar button (nothing in the classic and XP looks).
    virtual void PaintToolBarDecoration(CDC& dc, CObject* pButton) { (void)dc; (void)pButton; }
    // Item lists (the shortcut-bar style list of the dialogs) and splitters. bHover and
    // bPushed are the two state flags of an item; bFrame asks for its frame line.
    virtual void PaintItemListBackground(CDC& dc, const RECT& rc);
    virtual void PaintItemListFrame(CDC& dc, const RECT& rc);
    virtual void PaintItemListItem(CDC& dc, const RECT& rc, bool bFrame, bool bHover, bool bPushed,
                                   CExtCmdIcon* pIcon, LPCTSTR sText, bool bLarge);
    virtual void PaintItemListCaptionText(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void PaintItemListCaption(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void PaintItemListItemContent(CDC& dc, const RECT& rc, CExtCmdIcon* pIcon,
                                          LPCTSTR sText, bool bLarge, bool bHover, bool bPushed);
    virtual void PaintItemListGroupText(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void PaintItemListGroupHeader(CDC& dc, const RECT& rc, LPCTSTR sText);
    virtual void PaintItemListScrollGlyph(CDC& dc, const RECT& rc, bool bUp);
    virtual void PaintSplitterBar(CDC& dc, const RECT& rc, bool bHorz, bool bGrip);
    // Nine dots 4 pixels apart, centred.
    virtual void PaintSplitterGrip(CDC& dc, const RECT& rc);
    virtual void PaintStatusPane(CDC& dc, StatusPanePaintData& data);
    // The size grip in a status bar's corner; its sign sits at the rectangle's bottom right.
    virtual void PaintSizeGrip(CDC& dc, const RECT& rc);
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    // Destroys the windows in arr, then builds the marker of a kind in rcTarget and one window
    // per picture into arr. False, with no window left, when anything fails.
    virtual bool BuildDockMarker(int eKind, const RECT& rcTarget, CWnd* pWndOwner,
                                 CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*>& arr);
    // Recolours a marker's pictures for the look.
    virtual void TintDockMarkerBitmaps(int eKind, CBitmap& bmpActive, COLORREF clrKeyActive,
                                       CBitmap& bmpIdle, COLORREF clrKeyIdle);
    // Blends the drop highlight into a bottom-up 32-bit buffer of cx x cy pixels: every pixel
    // (or only those in rc1 and rc2 when bLimit) half way to the highlight colour, or to the
    // border colour within nBorderWidth of the outline of rc1 with rc2 attached below it (the
    // whole buffer stands for rc1 when !bLimit), then a little lighter. -1 colours: the
    // selection colour and the face. On a palette display a 50 % dither of the shadow colour.
    virtual void PaintDockMarker(DWORD* pBits, int cx, int cy, bool bLimit, const RECT& rc1,
                                 const RECT& rc2, COLORREF clrHighlight, COLORREF clrBorder,
                                 int nBorderWidth);
    virtual COLORREF GetIconTintColor() const { return (COLORREF)-1; }
    virtual double GetIconTintFactor() const { return 0.0; }

    // ---- tables ----------------------------------------------------------------------------
    // Stores the colour at nPos when that lies inside the table, else appends it; answers the
    // position used.
    int InstallColor(COLORREF clr, int nPos = -1);
    // Re-binds visual styles, re-creates the fonts and reloads the 50 system colours and brushes.
    void InitFonts();
    CFont& GetFont(int nIndex) { return m_fonts[nIndex]; }
    CBrush& GetBlendedBrush(int nIndex) { return m_brushBlended[nIndex]; }
    CPalette& GetPalette() { return m_palette; }
    int GetColorTableSize() const { return (int)m_colors.GetSize(); }
    bool GetTranslatedIndex(int nColorIndex, int& nPos) const;
    void ReleaseCachedDCs();
    UINT GetDisabledTextStyle() const { return m_nDisabledTextStyle; }

    static HFONT CreateDefaultMenuFont(bool bPreferTahoma);
    static HBITMAP CreateHalftoneBitmap(COLORREF clrA, COLORREF clrB, int nMaskX, int nMaskY,
                                        int nSkipX, int nSkipY, COLORREF clrSkip);

    // ---- static paint routines -------------------------------------------------------------
    struct MonitorParms {
        CRect m_rcMonitor;
        CRect m_rcWorkArea;
        bool m_bPrimaryMonitor;
    };
    static void GetMonitorParmsDefault(MonitorParms& mp);
    static void GetMonitorParmsFromPoint(MonitorParms& mp, CPoint pt);
    static void GetMonitorParmsFromRect(MonitorParms& mp, const RECT& rc);
    static void GetMonitorParmsFromHwnd(MonitorParms& mp, HWND hWnd);
    static void GetMonitorParmsFromWnd(MonitorParms& mp, CWnd* pWnd);
    static CRect FitRectToMonitor(const RECT& rc, bool bUseWorkArea, bool bKeepInside);
    // The moving rule on its own, with the area given (FitRectToMonitor passes the monitor's).
    static CRect FitRectToArea(const RECT& rc, const RECT& rcArea, bool bKeepInside);

    static COLORREF InvertColor(COLORREF clr);
    static void RgbToHsl(COLORREF clr, double& h, double& s, double& l);
    static COLORREF HslToRgb(double h, double l, double s);
    static double HueToRgb(double m1, double m2, double h);
    static COLORREF HslToRgbDegrees(float h, float l, float s);
    static COLORREF AdjustColorHsl(COLORREF clr, double dH, double dL, double dS);
    static int GetScreenBitsPerPixel();

    // Two-colour gradient. GradientFill when bound on NT, else bands of solid colour.
    static void FillGradientRect(CDC& dc, const RECT& rc, COLORREF clr1, COLORREF clr2,
                                 bool bVertical, UINT nSteps = 256);
    // The band count the banded fill uses for an extent (at least 1).
    static UINT GradientBandCount(int nExtent, UINT nSteps, bool bLowColor);

    static bool IsTransparentChildControl(HWND hWnd);
    static bool IsTransparentChildControl(CDC* pDC, HWND hWndParent, HWND hWndChild, LPVOID);
    typedef bool (*ChildFilter)(CDC* pDC, HWND hWndParent, HWND hWndChild, LPVOID lpCookie);
    static void ExcludeChildAreas(CDC* pDC, HWND hWndParent, ChildFilter pFilter = NULL,
                                  LPVOID lpCookie = NULL);
    // Dispatches waiting paint messages of the thread, at most nMaxMessages of each kind, so
    // that a window that never validates itself cannot keep the caller busy.
    enum { PassPaintMessagesLimit = 1000 };
    static void PassPaintMessages(bool bNcPaint = true, bool bEraseBkgnd = true,
                                  bool bPaint = true, UINT nMaxMessages = PassPaintMessagesLimit);

    // The rectangle of a single-line text at the origin, measured in the font (the DC's own
    // font when pFont is NULL); tabs are expanded when the text holds one.
    static CRect MeasureTextRect(CDC& dc, LPCTSTR lpszText, CFont* pFont);

    static void TransparentBlt(CDC& dcDest, int x, int y, int cx, int cy, CDC& dcSrc, int xSrc,
                               int ySrc, int cxSrc, int cySrc, COLORREF clrTransparent);
    static HBITMAP CopyBitmapPart(HBITMAP hBitmap, const RECT* pRect, COLORREF** ppPixels = NULL);
    static HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent,
                                      const RECT* pRect, bool bMap3DColors);
    static int CollectBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, DWORD, DWORD>& map);
    static int BuildBitmapColorTable(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arr,
                                     bool bDropRepeats);
    static HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette = NULL);
    // Stores hBitmap as a BMP image or loads one into a new DIB section (hBitmap out). With
    // nRawSize the stored image has no file header and is that many bytes long. A load checks
    // the header against the bytes present before allocating anything; false on a bad one.
    static bool SerializeBitmap(HBITMAP& hBitmap, CArchive& ar, DWORD nRawSize = 0);
    static HBITMAP LoadBitmapFile(LPCTSTR lpszPath);
    static HBITMAP LoadBitmapResource(HINSTANCE hInst, LPCTSTR lpszResource);

    // A bitmap-file image in memory as a DIB section; NULL when it is not a sound BMP.
    static HBITMAP LoadBitmapFromMemory(const BYTE* pData, size_t nSize);
    // A 32-bit copy of hBitmap with every pixel outside the key range (each channel from the
    // key's to the key's + nTolerance, at most 255) moved by the HSL deltas; NULL on failure.
    static HBITMAP AdjustBitmapHsl(HBITMAP hBitmap, COLORREF clrKey, int nTolerance, double dH,
                                   double dL, double dS);
    // The same in place: true when done (or nothing to do), false with the bitmap unchanged.
    static bool AdjustBitmapHsl(CBitmap& bmp, COLORREF clrKey, int nTolerance, double dH,
                                double dL, double dS);
    // The region of the pixels outside the key range (rows of runs); NULL on failure.
    static HRGN BitmapToRegion(HBITMAP hBitmap, COLORREF clrKey, int nTolerance);

    // 16 x 16 icons that show a colour (the caller destroys them): the whole square, a swatch
    // (the square less 1 pixel left and right, 2 top and bottom; the rest transparent), and a
    // text in black over a bar of the colour along the bottom 4 pixels (the rest transparent).
    static HICON CreateColorFilledIcon(COLORREF clr);
    static HICON CreateColorSwatchIcon(COLORREF clr);
    static HICON CreateColorTextIcon(COLORREF clr, LPCTSTR sText, HFONT hFont);

protected:
    // The band of a separator line nThickness pixels across, just before the middle of rc:
    // vertical in a horizontal bar, horizontal in a vertical one.
    static CRect SeparatorBand(const CRect& rc, bool bHorzBar, int nThickness);
    // The content-expand glyphs of the look: horizontal arrow, horizontal chevron, vertical
    // arrow, vertical chevron.
    virtual const glyph_t& ExpandGlyph(int nIndex) const { return *g_ExpandGlyphsXP[nIndex]; }
    // The XP way of placing the expand signs (the chevron one pixel further, a disabled arrow
    // once in the shadow colour, always the glyph colour).
    virtual bool IsXpExpandStyle() const { return false; }
    // The caption text of a gripper, horizontal or turned, in clrText.
    void PaintGripperText(CDC& dc, const GripperPaintData& data, COLORREF clrText);
    // The flat push-button face of the content-expand button.
    void PaintContentExpandFace(CDC& dc, const CRect& rc, bool bEnabled, bool bPushed,
                                bool bHover, bool bTransparentBackground);
    // The arrow and chevron of the content-expand button (bXpPlacement: the chevron one
    // pixel further, a disabled arrow drawn once in the shadow colour).
    void PaintContentExpandSigns(CDC& dc, CRect rc, bool bHorzBar, bool bNothingHidden,
                                 bool bEnabled, bool bPushed, bool bXpPlacement,
                                 COLORREF clrSign);
    // The menu-expand chevron, centred.
    void PaintMenuExpandChevron(CDC& dc, const CRect& rc);
    // The classic drop-down part of a combo frame: a flat push button with the Marlett arrow.
    void PaintComboDropDown(CDC& dc, const ComboFramePaintData& data, const CRect& rcButton);
    // The Marlett font of combo arrows ("6"): 6 points for the device's resolution.
    static void CreateComboArrowFont(CDC& dc, CFont& font);
    // Makes one marker window (the seam tests use to make creation fail); the window takes
    // the handles. NULL or a window without a handle is a failure; an override that answers
    // NULL frees the handles itself.
    virtual CExtDynDockMarkerWnd* CreateDockMarkerWnd(CWnd* pWndOwner, int eKind,
                                                      HBITMAP hBmpActive, HBITMAP hBmpIdle,
                                                      HRGN hRgn, const RECT& rc);
    // The classic tint (the XP look shares it; the later looks fall back to it).
    void TintDockMarkerBitmapsClassic(int eKind, CBitmap& bmpActive, COLORREF clrKeyActive,
                                      CBitmap& bmpIdle, COLORREF clrKeyIdle);
    // The lines of a status bar's own borders, as its style bits ask.
    void PaintStatusBarBorders(CDC& dc, const StatusPanePaintData& data, COLORREF clrLight,
                               COLORREF clrDark);
    // Shared helpers of the classic and XP bodies.
    void PaintCheckMark(CDC& dc, const CRect& rc, COLORREF clr);
    void PaintRadioDot(CDC& dc, const CRect& rc, COLORREF clr);
    CFont* ButtonFont(const PushButtonPaintData& data, bool bHorz, CFont& fontTemp);
    void PaintPushButtonText(CDC& dc, PushButtonPaintData& data, const CRect& rcCaption,
                             COLORREF clrText, bool bEmbossDisabled);
    // The dotted focus rectangle 3 pixels inside the button, when the record asks for one.
    void PaintPushButtonFocus(CDC& dc, const PushButtonPaintData& data, const CRect& rcButton);
    void PaintPushButtonDropDown(CDC& dc, PushButtonPaintData& data, CRect& rcButton,
                                 CRect& rcDropDown, bool& bDropDownLooksPushed);
    void PaintMenuItemText(CDC& dc, const MenuItemPaintData& data, const CRect& rcText,
                           COLORREF clrText, HBRUSH hDisabledBrush);
    void PaintMenuItemArrow(CDC& dc, const MenuItemPaintData& data, const CRect& rcItem,
                            COLORREF clrArrow, bool bClassicArea);
    CRect MenuCheckRect(const MenuItemPaintData& data) const;
    // ---- the in-place part of a menu item (an edit or combo area on its right) ----
    // Whether the record carries one, and the text area left of it.
    static bool HasMenuItemInPlacePart(const MenuItemPaintData& data);
    // The part's interior (inside its frame; a combo keeps its drop-down button) filled with
    // the window colour and its text drawn there, single-line, without prefix processing.
    void PaintMenuItemInPlaceContent(CDC& dc, const MenuItemPaintData& data);

    CArray<COLORREF, COLORREF> m_colors;
    CArray<HBRUSH, HBRUSH> m_brushes;
    CMap<int, int, int, int> m_mapColorTranslate;
    CDC m_dcCached[2];
    HGDIOBJ m_hCachedOldBitmap[2];
    CPalette m_palette;
    CBrush m_brushBlended[BrushCount];
    CFont m_fonts[FontCount];
    UINT m_nDisabledTextStyle;
    bool m_bIsWinNT5OrLater;
};

// The library's use-work-area switch: while set, popups keep inside the work area of their
// monitor, else inside the whole monitor.
extern bool g_bUseWorkArea;
