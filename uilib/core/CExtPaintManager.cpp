// The classic painter: colour, brush and font tables, their re-initialisation, paint-data
// records and glyph painting.
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)

namespace {

const int kSysColorCount = 50;
const int kFaceIndex = COLOR_3DFACE;   // 15: the answer for every unknown index

// c0 moved towards c1 by nNum / nDen per channel: halves truncate, fifths round (MulDiv).
COLORREF Blend(COLORREF c0, COLORREF c1, int nNum, int nDen) {
    auto channel = [&](int a, int b) -> int {
        int d = b - a;
        int part = nDen == 2 ? d / 2 : ::MulDiv(d, nNum, nDen);
        return (a + part) & 0xFF;
    };
    return RGB(channel(GetRValue(c0), GetRValue(c1)), channel(GetGValue(c0), GetGValue(c1)),
               channel(GetBValue(c0), GetBValue(c1)));
}

int CALLBACK FindFaceProc(const LOGFONTA* plf, const TEXTMETRICA*, DWORD, LPARAM lParam) {
    const char* pszWanted = reinterpret_cast<const char*>(lParam);
    return lstrcmpiA(plf->lfFaceName, pszWanted) == 0 ? 0 : 1;   // 0 stops: found
}

bool IsFontFamilyInstalled(const char* pszFace) {
    HDC hdc = ::GetDC(NULL);
    if (hdc == NULL)
        return false;
    int nResult = ::EnumFontFamiliesA(hdc, NULL, FindFaceProc, (LPARAM)pszFace);
    ::ReleaseDC(NULL, hdc);
    return nResult == 0;
}

}  // namespace

// ---- records -------------------------------------------------------------------------------

CExtPaintManager::PushButtonPaintData::PushButtonPaintData(
    CObject* pOwner, bool bHorz, const RECT& rc, LPCTSTR sText, CExtCmdIcon* pIcon, bool bFlat,
    bool bHover, bool bPushed, bool bIndeterminate, bool bEnabled, bool bDrawBorder,
    bool bDrawFocusRect, bool bDefaultPushButton, UINT nAlign, HFONT hFont, bool bDropDown,
    UINT nCmdId, bool bTransparentBackground)
    : PaintDataBase(pOwner, rc),
      m_sText(sText != NULL ? sText : ""),
      m_pIcon(pIcon),
      m_nAlign(nAlign),
      m_hFont(hFont),
      m_nCmdId(nCmdId),
      m_bHorz(bHorz),
      m_bFlat(bFlat),
      m_bHover(bHover),
      m_bPushed(bPushed),
      m_bIndeterminate(bIndeterminate),
      m_bEnabled(bEnabled),
      m_bDrawBorder(bDrawBorder),
      m_bDrawFocusRect(bDrawFocusRect),
      m_bDefaultPushButton(bDefaultPushButton),
      m_bDropDown(bDropDown),
      m_bTransparentBackground(bTransparentBackground),
      m_bSeparatedDropDown(0),
      m_bPushedDropDown(0),
      m_bReserved2(0),
      m_clrForceTextDisabled((COLORREF)-1),
      m_clrForceTextNormal((COLORREF)-1),
      m_clrForceTextHover((COLORREF)-1),
      m_clrForceTextPressed((COLORREF)-1),
      m_nDrawTextFlags(DT_SINGLELINE),
      m_bForceUseDrawTextApiH(0) {
    if (nAlign & 1)
        m_nDrawTextFlags |= DT_CENTER;
    else if (nAlign & 2)
        m_nDrawTextFlags |= DT_RIGHT;
    else
        m_nDrawTextFlags |= DT_LEFT;
    if (nAlign & 4)
        m_nDrawTextFlags |= DT_VCENTER;
}

CExtPaintManager::MenuItemPaintData::MenuItemPaintData(
    CObject* pOwner, const RECT& rc, int nIconAreaWidth, LPCTSTR sText, LPCTSTR sAccelText,
    CExtCmdIcon* pIcon, bool bPopup, bool bSelected, bool bPushedCheck, bool bPushedRadio,
    bool bIndeterminate, bool bEnabled, bool bRarelyUsed, bool bRarelyUsedPrev,
    bool bRarelyUsedNext, UINT nCmdId)
    : PaintDataBase(pOwner, rc),
      m_nIconAreaWidth(nIconAreaWidth),
      m_sText(sText != NULL ? sText : ""),
      m_sAccelText(sAccelText != NULL ? sAccelText : ""),
      m_pIcon(pIcon),
      m_nCmdId(nCmdId),
      m_bPopup(bPopup),
      m_bSelected(bSelected),
      m_bPushedCheck(bPushedCheck),
      m_bPushedRadio(bPushedRadio),
      m_bIndeterminate(bIndeterminate),
      m_bEnabled(bEnabled),
      m_bRarelyUsed(bRarelyUsed),
      m_bRarelyUsedPrev(bRarelyUsedPrev),
      m_bRarelyUsedNext(bRarelyUsedNext),
      m_bForceNoLeftGradient(0),
      m_bCustomizeListMode(0),
      m_bSeparatedDropDown(0),
      m_bXtraChecked(0),
      m_bHelperPopupDropped(0),
      m_bReserved2(0),
      m_rcInPlaceWnd(0, 0, 0, 0),
      m_bXtraMark(0) {}

CExtPaintManager::ControlFramePaintData::ControlFramePaintData(CObject* pOwner, const RECT& rc,
                                                               bool bFlat, bool bHover,
                                                               bool bEnabled, bool bFocus)
    : PaintDataBase(pOwner, rc), m_bFlat(bFlat), m_bHover(bHover), m_bEnabled(bEnabled),
      m_bFocus(bFocus) {}

CExtPaintManager::ComboFramePaintData::ComboFramePaintData(CObject* pOwner, const RECT& rc,
                                                           bool bHover, bool bPushed,
                                                           bool bEnabled)
    : PaintDataBase(pOwner, rc), m_bHover(bHover), m_bPushed(bPushed), m_bEnabled(bEnabled),
      m_clrForceNABorder((COLORREF)-1), m_clrForceNAContent((COLORREF)-1),
      m_clrForceActiveOuterBorder((COLORREF)-1), m_bNoTopOuterBorder(0) {}

CExtPaintManager::DockingFramePaintData::DockingFramePaintData(CObject* pOwner,
                                                               const RECT& rcWindow,
                                                               const RECT& rcClient,
                                                               bool bFloating, bool bExtBar,
                                                               bool bSideBar)
    : PaintDataBase(pOwner, rcWindow), m_rcClient(rcClient), m_bFloating(bFloating),
      m_bExtBar(bExtBar), m_bSideBar(bSideBar) {}

CExtPaintManager::GripperPaintData::GripperPaintData(CObject* pOwner, const RECT& rcGripper,
                                                     const RECT& rcText, bool bActive,
                                                     bool bFloating, bool bHorz, bool bSideBar,
                                                     LPCTSTR sCaption)
    : PaintDataBase(pOwner, rcGripper), m_rcText(rcText), m_bActive(bActive),
      m_bFloating(bFloating), m_bHorz(bHorz), m_bSideBar(bSideBar),
      m_sCaption(sCaption != NULL ? sCaption : ""), m_bHelperNoRect(0), m_bHelperNoFill(0) {}

// ---- construction --------------------------------------------------------------------------

CExtPaintManager::CExtPaintManager()
    : m_mapColorTranslate(10),
      m_nDisabledTextStyle(DSS_DISABLED),
      m_bIsWinNT5OrLater(g_PaintManager.IsWinNT5OrLater()) {
    m_mapColorTranslate.InitHashTable(17);
    m_hCachedOldBitmap[0] = m_hCachedOldBitmap[1] = NULL;

    // 252 colours: red in 7 levels outermost, then green and blue in 6 levels each.
    const int nEntries = 7 * 6 * 6;
    CByteArray buf;
    buf.SetSize(sizeof(LOGPALETTE) + nEntries * sizeof(PALETTEENTRY));
    LOGPALETTE* pLp = reinterpret_cast<LOGPALETTE*>(buf.GetData());
    pLp->palVersion = 0x300;
    pLp->palNumEntries = (WORD)nEntries;
    int n = 0;
    for (int r = 0; r < 7; r++)
        for (int g = 0; g < 6; g++)
            for (int b = 0; b < 6; b++, n++) {
                pLp->palPalEntry[n].peRed = (BYTE)(r * 255 / 6);
                pLp->palPalEntry[n].peGreen = (BYTE)(g * 255 / 5);
                pLp->palPalEntry[n].peBlue = (BYTE)(b * 255 / 5);
                pLp->palPalEntry[n].peFlags = 0;
            }
    m_palette.CreatePalette(pLp);
}

CExtPaintManager::~CExtPaintManager() {
    m_colors.RemoveAll();
    m_brushes.RemoveAll();
    ReleaseCachedDCs();
}

void CExtPaintManager::ReleaseCachedDCs() {
    for (int i = 0; i < 2; i++) {
        if (m_dcCached[i].GetSafeHdc() == NULL)
            continue;
        if (m_hCachedOldBitmap[i] != NULL)
            ::SelectObject(m_dcCached[i].GetSafeHdc(), m_hCachedOldBitmap[i]);
        m_dcCached[i].DeleteDC();
        m_hCachedOldBitmap[i] = NULL;
    }
}

// ---- colours and brushes -------------------------------------------------------------------

bool CExtPaintManager::GetTranslatedIndex(int nColorIndex, int& nPos) const {
    if (nColorIndex < 1000) {
        nPos = nColorIndex;
        return true;
    }
    return m_mapColorTranslate.Lookup(nColorIndex, nPos) != FALSE;
}

COLORREF CExtPaintManager::GetColor(int nColorIndex) {
    int nPos = kFaceIndex;
    if (!GetTranslatedIndex(nColorIndex, nPos))
        nPos = kFaceIndex;
    if (nPos < 0 || nPos >= m_colors.GetSize())
        nPos = kFaceIndex;
    return nPos < m_colors.GetSize() ? m_colors[nPos] : ::GetSysColor(kFaceIndex);
}

HBRUSH CExtPaintManager::GetBrush(int nColorIndex) {
    int nPos = nColorIndex;
    if (nPos < 0 || nPos >= m_brushes.GetSize() || m_brushes[nPos] == NULL)
        nPos = kFaceIndex;
    return nPos < m_brushes.GetSize() ? m_brushes[nPos] : ::GetSysColorBrush(kFaceIndex);
}

int CExtPaintManager::InstallColor(COLORREF clr, int nPos) {
    if (nPos >= 0 && nPos < m_colors.GetSize()) {
        m_colors[nPos] = clr;
        return nPos;
    }
    return (int)m_colors.Add(clr);
}

void CExtPaintManager::InitTranslatedColors() {
    // Theme colours of an earlier run are dropped, so a re-initialisation starts from the
    // system colours alone and the table does not grow with every system change.
    if (m_colors.GetSize() > kSysColorCount)
        m_colors.SetSize(kSysColorCount);
    m_mapColorTranslate.RemoveAll();
    static const int table[][2] = {
        {1000, COLOR_3DFACE},   {1001, COLOR_3DFACE},     {2000, COLOR_3DFACE},
        {1002, COLOR_3DLIGHT},  {1003, COLOR_3DLIGHT},    {2002, COLOR_3DLIGHT},
        {1004, COLOR_3DHILIGHT}, {1005, COLOR_3DHILIGHT}, {2004, COLOR_3DHILIGHT},
        {1006, COLOR_3DSHADOW}, {1007, COLOR_3DSHADOW},   {2006, COLOR_3DSHADOW},
        {1008, COLOR_3DDKSHADOW}, {1009, COLOR_3DDKSHADOW}, {2008, COLOR_3DDKSHADOW},
        {1010, COLOR_WINDOWTEXT}, {1011, COLOR_WINDOWTEXT}, {2010, COLOR_3DSHADOW}};
    for (const auto& e : table)
        m_mapColorTranslate.SetAt(e[0], e[1]);
}

HBITMAP CExtPaintManager::CreateHalftoneBitmap(COLORREF clrA, COLORREF clrB, int nMaskX,
                                               int nMaskY, int nSkipX, int nSkipY,
                                               COLORREF clrSkip) {
    if (clrA == (COLORREF)-1)
        clrA = ::GetSysColor(COLOR_3DFACE);
    if (clrB == (COLORREF)-1)
        clrB = ::GetSysColor(COLOR_3DHILIGHT);
    if (clrSkip == (COLORREF)-1)
        clrSkip = clrA;
    HDC hdcScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = hdc != NULL ? ::CreateCompatibleBitmap(hdcScreen, 16, 16) : NULL;
    ::ReleaseDC(NULL, hdcScreen);
    if (hbm == NULL) {
        if (hdc != NULL)
            ::DeleteDC(hdc);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++) {
            COLORREF clr;
            if ((x & nSkipX) != 0 || (y & nSkipY) != 0)
                clr = clrSkip;
            else
                clr = ((y & nMaskY) != 0) == ((x & nMaskX) == 0) ? clrB : clrA;
            ::SetPixelV(hdc, x, y, clr);
        }
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hbm;
}

void CExtPaintManager::SyncSysColors() {
    const COLORREF face = GetColor(COLOR_3DFACE), hilite = GetColor(COLOR_3DHILIGHT),
                   shadow = GetColor(COLOR_3DSHADOW), dkshadow = GetColor(COLOR_3DDKSHADOW);
    const COLORREF sface = ::GetSysColor(COLOR_3DFACE), shilite = ::GetSysColor(COLOR_3DHILIGHT),
                   sshadow = ::GetSysColor(COLOR_3DSHADOW),
                   sdkshadow = ::GetSysColor(COLOR_3DDKSHADOW);
    struct Recipe {
        COLORREF c0, c1;
        int num, den;
        COLORREF lc0, lc1;
        int skipX, skipY;
        COLORREF skip;
    };
    const COLORREF none = (COLORREF)-1;
    const Recipe recipes[BrushCount] = {
        {face, hilite, 1, 2, face, hilite, 0, 0, none},
        {sface, shilite, 1, 2, sface, shilite, 0, 0, none},
        {shadow, face, 1, 2, shadow, face, 0, 0, none},
        {sshadow, sface, 1, 2, sshadow, sface, 0, 0, none},
        {face, hilite, 3, 5, face, hilite, 1, 1, hilite},
        {sface, shilite, 3, 5, sface, shilite, 1, 1, shilite},
        {shadow, face, 2, 5, shadow, face, 1, 1, none},
        {sshadow, sface, 2, 5, sshadow, sface, 1, 1, none},
        {face, hilite, 4, 5, face, hilite, 2, 2, hilite},
        {sface, shilite, 4, 5, sface, shilite, 2, 2, shilite},
        {shadow, face, 1, 5, dkshadow, shadow, 0, 0, none},
        {sshadow, sface, 1, 5, sdkshadow, sshadow, 0, 0, none}};
    const bool bLowColor = GetScreenBitsPerPixel() <= 8;
    for (int i = 0; i < BrushCount; i++) {
        const Recipe& r = recipes[i];
        m_brushBlended[i].DeleteObject();
        if (bLowColor) {
            HBITMAP hbm = CreateHalftoneBitmap(r.lc0, r.lc1, 1, 1, r.skipX, r.skipY, r.skip);
            m_brushBlended[i].Attach(::CreatePatternBrush(hbm));
            if (hbm != NULL)
                ::DeleteObject(hbm);
        } else {
            m_brushBlended[i].CreateSolidBrush(Blend(r.c0, r.c1, r.num, r.den));
        }
    }
}

// ---- fonts ---------------------------------------------------------------------------------

HFONT CExtPaintManager::CreateDefaultMenuFont(bool bPreferTahoma) {
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof ncm);
    ncm.cbSize = 340;   // the size without the padded-border field, accepted everywhere
    if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, ncm.cbSize, &ncm, 0))
        return NULL;
    LOGFONTA lf = ncm.lfMenuFont;
    lf.lfCharSet = (BYTE)::GetTextCharset(NULL);
    if (bPreferTahoma && IsFontFamilyInstalled("Tahoma"))
        lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

void CExtPaintManager::InitFonts() {
    g_PaintManager.BindUxTheme();

    HFONT hNormal = CreateDefaultMenuFont(m_bIsWinNT5OrLater);
    if (hNormal == NULL)
        hNormal = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTA lfNormal;
    memset(&lfNormal, 0, sizeof lfNormal);
    if (hNormal == NULL || ::GetObjectA(hNormal, sizeof lfNormal, &lfNormal) == 0)
        ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof lfNormal, &lfNormal);
    // The normal font is re-made from its description, so every table entry is our own handle.
    if (hNormal != NULL && hNormal != (HFONT)::GetStockObject(DEFAULT_GUI_FONT))
        ::DeleteObject(hNormal);

    const bool bArialVert =
        (g_PaintManager.m_nOsFlagsA &
         (CExtPaintManagerHolder::OsWin9x | CExtPaintManagerHolder::OsWinNT4)) != 0;
    LOGFONTA lfs[6];
    lfs[FontNormal] = lfNormal;
    lfs[FontBold] = lfNormal;
    lfs[FontBold].lfWeight = 900;
    const int vertSrc[4] = {FontNormal, FontNormal, FontBold, FontBold};
    const int vertDst[4] = {FontNormalVert, FontNormalVertX, FontBoldVert, FontBoldVertX};
    for (int i = 0; i < 4; i++) {
        lfs[vertDst[i]] = lfs[vertSrc[i]];
        lfs[vertDst[i]].lfEscapement = (i % 2 == 0) ? 2700 : 900;
        if (bArialVert)
            lstrcpynA(lfs[vertDst[i]].lfFaceName, "Arial", LF_FACESIZE);
    }
    for (int i = 0; i < 6; i++) {
        m_fonts[i].DeleteObject();
        m_fonts[i].CreateFontIndirect(&lfs[i]);
        LOGFONTA lfSmall = lfs[i];
        if (lfSmall.lfHeight < -11)
            lfSmall.lfHeight = -11;
        m_fonts[FontSmall + i].DeleteObject();
        m_fonts[FontSmall + i].CreateFontIndirect(&lfSmall);
    }
    LOGFONTA lfMarlett = lfNormal;
    lstrcpynA(lfMarlett.lfFaceName, "Marlett", LF_FACESIZE);
    lfMarlett.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lfMarlett.lfWidth = 0;
    lfMarlett.lfWeight = FW_NORMAL;
    lfMarlett.lfEscapement = lfMarlett.lfOrientation = 0;
    lfMarlett.lfPitchAndFamily = VARIABLE_PITCH;
    // Marlett is a symbol font: asked for with the ANSI character set, Wine's font mapper passes
    // it over for a text face, and the arrows would come out as plain digits.
    lfMarlett.lfCharSet = SYMBOL_CHARSET;
    lfMarlett.lfItalic = lfMarlett.lfUnderline = lfMarlett.lfStrikeOut = FALSE;
    m_fonts[FontMarlett].DeleteObject();
    m_fonts[FontMarlett].CreateFontIndirect(&lfMarlett);

    // System colours and brushes; theme entries from position 50 on stay.
    if (m_colors.GetSize() < kSysColorCount) {
        INT_PTR nOld = m_colors.GetSize();
        m_colors.SetSize(kSysColorCount);
        for (INT_PTR i = nOld; i < kSysColorCount; i++)
            m_colors[i] = ::GetSysColor(COLOR_3DFACE);
    }
    if (m_brushes.GetSize() < kSysColorCount) {
        INT_PTR nOld = m_brushes.GetSize();
        m_brushes.SetSize(kSysColorCount);
        for (INT_PTR i = nOld; i < kSysColorCount; i++)
            m_brushes[i] = ::GetSysColorBrush(COLOR_3DFACE);
    }
    for (int i = 0; i < kSysColorCount; i++) {
        m_colors[i] = ::GetSysColor(i);
        m_brushes[i] = ::GetSysColorBrush(i);   // NULL for numbers the system has no brush for
    }
}

// ---- re-initialisation ---------------------------------------------------------------------

void CExtPaintManager::OnSysColorChange() {
    EndPaintSession();
    InitFonts();
    InitTranslatedColors();
    SyncSysColors();
}

void CExtPaintManager::OnSettingChange(UINT, LPCTSTR) { OnSysColorChange(); }
void CExtPaintManager::OnDisplayChange(INT, INT, INT) { OnSysColorChange(); }
void CExtPaintManager::OnThemeChanged(WPARAM, LPARAM) { OnSysColorChange(); }

// ---- glyph painting and small metrics ------------------------------------------------------

void CExtPaintManager::PaintGlyph(CDC& dc, POINT ptDest, const glyph_t& glyph,
                                  const COLORREF* pColors) {
    if (glyph.Pixels() == NULL || pColors == NULL)
        return;
    CRect rc(ptDest, glyph.Size());
    if (!dc.RectVisible(&rc))
        return;
    for (UINT y = 0; y < glyph.Height(); y++)
        for (UINT x = 0; x < glyph.Width(); x++) {
            UINT n = glyph.At(x, y);
            if (n != 0 && n < glyph.Colors())
                dc.SetPixel(ptDest.x + (int)x, ptDest.y + (int)y, pColors[n]);
        }
}

void CExtPaintManager::PaintGlyphCentered(CDC& dc, const RECT& rect, const glyph_t& glyph,
                                          const COLORREF* pColors) {
    CRect rc(rect);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    CPoint pt(rc.left + (rc.Width() - (int)glyph.Width()) / 2,
              rc.top + (rc.Height() - (int)glyph.Height()) / 2);
    PaintGlyph(dc, pt, glyph, pColors);
}

int CExtPaintManager::GetMenuCheckHeight() { return ::GetSystemMetrics(SM_CYMENUCHECK); }

int CExtPaintManager::GetTextHeight(bool) {
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(&m_fonts[FontNormal]);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof tm);
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    return tm.tmHeight + 2;
}

void CExtPaintManager::PaintSunkenFrame(CDC& dc, const RECT& rc) {
    dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
}

void CExtPaintManager::PaintDoubleFrame(CDC& dc, const CRect& rc) {
    if (!dc.RectVisible(&rc))
        return;
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    CRect r(rc);
    dc.Draw3dRect(&r, clr, clr);
    r.DeflateRect(1, 1);
    dc.Draw3dRect(&r, clr, clr);
}

void CExtPaintManager::PaintMarker(CDC& dc, const CRect& rcMarker, bool bSide, bool bHorz) {
    // A centre bar of 6 with two shorter bars on each side (4 and 2), solid in button text.
    const CSize sz = GetMarkerSize();
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    CPoint c = rcMarker.CenterPoint();
    const int shift = bSide ? 1 : -1;
    const int lens[5] = {2, 4, sz.cx, 4, 2};
    for (int i = 0; i < 5; i++) {
        int off = i - 2;
        int len = lens[i];
        int along = (i == 2) ? shift : 0;
        if (bHorz)
            dc.FillSolidRect(c.x + off, c.y - len / 2 + along, 1, len, clr);
        else
            dc.FillSolidRect(c.x - len / 2 + along, c.y + off, len, 1, clr);
    }
}

// The part operations keep their colour choices for the interface; nothing in the system
// asks them to draw, so the drawing routine they hand over to draws nothing.
void CExtPaintManager::PaintButtonPart(CDC&, const RECT&, bool, bool) {}
void CExtPaintManager::PaintBorderPart(CDC&, const RECT&, bool, bool, bool) {}
