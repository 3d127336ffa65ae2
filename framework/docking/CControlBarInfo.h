// Where one control bar is, as CDockState keeps it: for a bar its visibility, orientation,
// place in its dock bar and where it last docked and floated; for a dock bar also its rows
// (m_arrBarID: 0 ends a row, an id is a bar, id | 0x10000 a placeholder).
#pragma once
#include <afx.h>

class CControlBar;

class CControlBarInfo {
public:
    CControlBarInfo();

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    BOOL m_bHorz;
    BOOL m_bDockBar;
    BOOL m_bDocking;      // the bar can dock (it has a dock context)
    CPoint m_pointPos;    // in its dock bar; a floating dock bar: its mini frame on the screen
    int m_nMRUWidth;
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;
    CControlBar* m_pBar;  // the bar it was taken from or is given to (not stored)
};
