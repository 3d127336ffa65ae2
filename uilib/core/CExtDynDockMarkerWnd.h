// A drop marker shown while a bar is dragged: a small topmost popup window shaped like its
// picture, showing the active picture while highlighted (the cursor is over it) and the idle
// one otherwise. The docking code builds markers through the painter (BuildDockMarker).
#pragma once
#include "afxwin.h"

class CExtDynDockMarkerWnd : public CWnd {
    DECLARE_DYNAMIC(CExtDynDockMarkerWnd)
public:
    static const char kClassName[];   // "OrvelUI-DynDockMarker"
    enum { kTimerId = 77, kTimerPeriod = 50 };
    typedef CTypedPtrArray<CPtrArray, CExtDynDockMarkerWnd*> Array;

    // Takes the two pictures and the shape (whatever happens) and creates the window at once,
    // at rc, owned by a hidden window shared by all markers, and shows it without activating
    // it. A NULL window handle afterwards means failure; the caller deletes the object.
    CExtDynDockMarkerWnd(CWnd* pWndOwner, int eKind, HBITMAP hBmpActive, HBITMAP hBmpIdle,
                         HRGN hRgn, const RECT& rc);
    ~CExtDynDockMarkerWnd() override;

    int GetKind() const { return m_eKind; }
    CWnd* GetOwnerWnd() const { return m_pWndOwner; }
    bool IsHighlighted() const { return m_bHighlighted; }
    void SetHighlighted(bool bHighlighted);

    // Destroys every window of the array that still has one, deletes every object, empties it.
    static void DestroyMarkers(Array& arr);
    // The hidden owner of all marker windows, created once on the desktop.
    static HWND GetSharedOwner();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    // Highlighted while the cursor is over the marker's shape.
    void TrackCursor();

    CWnd* m_pWndOwner;
    int m_eKind;
    HBITMAP m_hBmpActive, m_hBmpIdle;
    HRGN m_hRgn;   // until the window owns it
    bool m_bHighlighted;
};
