// The image of a command (icon form).
#include "CExtCmdIcon.h"

namespace {

// An icon's size: twice its hot spot (a centred hot spot is what image lists hand out), else
// the size of its colour bitmap, or of its mask bitmap when it has none.
CSize IconSize(HICON hIcon) {
    ICONINFO ii;
    if (hIcon == NULL || !::GetIconInfo(hIcon, &ii))
        return CSize(0, 0);
    CSize size((int)(ii.xHotspot & 0xFF) * 2, (int)(ii.yHotspot & 0xFF) * 2);
    if (size.cx == 0 || size.cy == 0) {
        BITMAP bm;
        memset(&bm, 0, sizeof bm);
        if (ii.hbmColor != NULL) {
            ::GetObjectA(ii.hbmColor, sizeof bm, &bm);
            size = CSize(bm.bmWidth, bm.bmHeight);
        } else if (ii.hbmMask != NULL) {
            ::GetObjectA(ii.hbmMask, sizeof bm, &bm);
            size = CSize(bm.bmWidth, bm.bmHeight / 2);   // a monochrome icon stacks its masks
        }
    }
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    return size;
}

}  // namespace

CExtCmdIcon::CExtCmdIcon(HICON hIcon, bool bCopyIcon) { AssignFromHICON(hIcon, bCopyIcon); }

CExtCmdIcon::~CExtCmdIcon() { Empty(); }

void CExtCmdIcon::Empty() {
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    m_size = CSize(0, 0);
}

void CExtCmdIcon::AssignFromHICON(HICON hIcon, bool bCopyIcon) {
    HICON hNew = hIcon;
    if (hIcon != NULL && bCopyIcon)
        hNew = ::CopyIcon(hIcon);
    if (hNew == m_hIcon)
        return;
    Empty();
    m_hIcon = hNew;
    m_size = IconSize(hNew);
}

void CExtCmdIcon::Paint(CDC& dc, const POINT& pt, PaintMode eMode, HBRUSH hBrush) {
    if (IsEmpty())
        return;
    UINT nFlags = DST_ICON;
    if (eMode == ePaintDisabled)
        nFlags |= DSS_DISABLED;
    else if (eMode == ePaintMonochrome)
        nFlags |= DSS_MONO;
    dc.DrawState(CPoint(pt), m_size, m_hIcon, nFlags, hBrush);
}
