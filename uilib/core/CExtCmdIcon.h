// The image of a command as buttons and menus draw it.
//
// This first form holds an icon handle only: what the painters need to place and draw an
// image (its size, whether it is empty, drawing it normal, disabled or monochrome). Bitmap-based
// images, the tinted disabled image and the stored form come with the command manager.
#pragma once
#include "afxwin.h"

class CExtCmdIcon {
public:
    enum PaintMode { ePaintNormal = 0, ePaintDisabled = 1, ePaintMonochrome = 2 };

    CExtCmdIcon() = default;
    CExtCmdIcon(HICON hIcon, bool bCopyIcon);
    virtual ~CExtCmdIcon();
    CExtCmdIcon(const CExtCmdIcon&) = delete;
    CExtCmdIcon& operator=(const CExtCmdIcon&) = delete;

    virtual bool IsEmpty() const { return m_hIcon == NULL; }
    virtual void Empty();
    // Takes the icon (a duplicate when bCopyIcon); the image owns what it holds.
    virtual void AssignFromHICON(HICON hIcon, bool bCopyIcon);
    virtual CSize GetSize() const { return m_size; }
    virtual HICON GetHICON() const { return m_hIcon; }
    // Draws the image at its own size; ePaintMonochrome fills its shape with pBrush.
    virtual void Paint(CDC& dc, const POINT& pt, PaintMode eMode = ePaintNormal,
                       HBRUSH hBrush = NULL);

private:
    HICON m_hIcon = NULL;
    CSize m_size = CSize(0, 0);
};
