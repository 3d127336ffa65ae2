// The image of one command as toolbars, menus and buttons draw it: a bitmap with a transparent
// colour, or an icon. An icon is built from the bitmap on demand, and a disabled rendering is
// cached, tinted with a colour and factor that the current theme supplies.
#pragma once
#include <afxwin.h>

class CExtCmdIcon {
public:
    // A bitmap with its transparent colour; owns the bitmap.
    class BitmapPart {
    public:
        BitmapPart() = default;
        ~BitmapPart() { Empty(); }
        BitmapPart(const BitmapPart&) = delete;
        BitmapPart& operator=(const BitmapPart&) = delete;
        // NULL empties; the same handle without a rectangle only changes the colour; with the
        // copy flag the bitmap (or the rectangle of it) is duplicated, else the handle is taken.
        void Attach(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRect = NULL, bool bCopy = false);
        void Empty();
        bool IsEmpty() const { return m_hBitmap == NULL; }
        HBITMAP GetBitmap() const { return m_hBitmap; }
        COLORREF GetTransparentColor() const { return m_clrTransparent; }
        CSize GetSize() const { return CSize(m_cx, m_cy); }
        HICON CreateHICON() const;

    private:
        HBITMAP m_hBitmap = NULL;
        COLORREF m_clrTransparent = RGB(0, 0, 0);
        int m_cx = 0, m_cy = 0;
    };

    // An icon handle; owns the icon.
    class IconPart {
    public:
        IconPart() = default;
        ~IconPart() { Empty(); }
        IconPart(const IconPart&) = delete;
        IconPart& operator=(const IconPart&) = delete;
        void Attach(HICON hIcon, bool bCopy);
        void Empty();
        bool IsEmpty() const { return m_hIcon == NULL; }
        HICON GetIcon() const { return m_hIcon; }
        HICON Detach();
        CSize GetSize() const { return CSize(m_cx, m_cy); }
        void Paint(HDC hDC, int x, int y, UINT nStateFlags, HBRUSH hBrush) const;

    private:
        HICON m_hIcon = NULL;
        int m_cx = 0, m_cy = 0;
    };

    enum PaintMode {
        ePaintNormal = 0,
        ePaintDisabled = 1,       // system disabled style
        ePaintMonochrome = 2,     // the shape filled with the caller's brush
        ePaintDisabledTinted = 3  // the cached tinted image, else monochrome
    };

    explicit CExtCmdIcon(HBITMAP hBitmap = NULL, COLORREF clrTransparent = RGB(0, 0, 0), const RECT* pRect = NULL,
                         bool bCopy = false);
    CExtCmdIcon(HICON hIcon, bool bCopy);
    CExtCmdIcon(const CExtCmdIcon& other);
    CExtCmdIcon& operator=(const CExtCmdIcon& other);
    virtual ~CExtCmdIcon();

    virtual bool IsEmpty() const;
    virtual void Empty();
    // Kind byte (0 empty, 1 bitmap, 2 icon) and the part; a bad stored bitmap throws
    // CArchiveException(badSchema).
    virtual void Serialize(CArchive& ar);
    virtual void AssignFromOther(const CExtCmdIcon& other);
    virtual void AssignFromHICON(HICON hIcon, bool bCopy);
    virtual void AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRect = NULL,
                                   bool bCopy = false);
    virtual CSize GetSize() const;
    virtual bool IsBitmapBased() const;
    virtual HBITMAP GetBitmap() const;
    virtual COLORREF GetTransparentColor() const;
    // A 32-bit copy of the image the caller owns, with a transparent colour the image's visible
    // pixels do not use (icon-based images) and its pixels (top-down rows).
    virtual bool ExtractBitmap32(HBITMAP& hBitmapOut, COLORREF& clrTransparentOut, int nOption = 0,
                                 COLORREF** ppBits = NULL) const;
    virtual HICON GetHICON(bool bFlag = false);
    virtual HICON DetachAsHICON(bool bFlag = false);
    virtual HICON GetDisabledHICON();
    virtual void ApplyThemeTint();
    virtual void RefreshTint() { ApplyThemeTint(); }
    virtual void OnSettingChange(UINT, LPCTSTR) { ApplyThemeTint(); }
    virtual void OnDisplayChange(int, int, int) { ApplyThemeTint(); }
    virtual void OnThemeChanged(WPARAM, LPARAM) { ApplyThemeTint(); }
    virtual bool BuildDisabledHICON();
    // Draws the image at its own size.
    virtual void Paint(CDC& dc, const POINT& pt, PaintMode eMode = ePaintNormal, HBRUSH hBrush = NULL);
    // Enters the image's distinct colours into the map; answers the bits per pixel (0: none).
    virtual int CollectColors(CMap<COLORREF, COLORREF, DWORD, DWORD>& map) const;
    virtual int GetBitsPerPixel() const;
    virtual bool CreateScaledCopy(const CExtCmdIcon& source, int cx, int cy);
    virtual COLORREF GetTintColor() const { return m_clrTint; }
    virtual COLORREF SetTintColor(COLORREF clr);
    virtual double GetTintFactor() const { return m_dTintFactor; }
    virtual double SetTintFactor(double d);
    // A 32-bit image of the size with the menu check mark (or the radio dot) centred in the
    // mark colour (-1: the painter's colour 1010) on the transparent colour (-1: magenta, or
    // 0x80FF80 when the mark itself is magenta).
    virtual bool CreateCheckMarkImage(int cx, int cy, COLORREF clrMark = (COLORREF)-1,
                                      COLORREF clrTransparent = (COLORREF)-1, COLORREF** ppBits = NULL);
    virtual bool CreateAltMarkImage(int cx, int cy, COLORREF clrMark = (COLORREF)-1,
                                    COLORREF clrTransparent = (COLORREF)-1, COLORREF** ppBits = NULL);
    virtual bool CreateEmptyImage(int cx, int cy, COLORREF clrTransparent = (COLORREF)-1,
                                  COLORREF** ppBits = NULL);

    static constexpr COLORREF s_clrNone = (COLORREF)-1;

private:
    bool CreateMarkImage(bool bCheck, int cx, int cy, COLORREF clrMark, COLORREF clrTransparent,
                         COLORREF** ppBits);

    BitmapPart m_bitmap;
    IconPart m_icon;      // the image as an icon, given or built from m_bitmap
    IconPart m_disabled;  // cached tinted rendering
    COLORREF m_clrTint = s_clrNone;
    double m_dTintFactor = 1.4;
};
