// A drop marker shown while a bar is dragged: a small topmost popup window shaped like its
// picture, showing the active picture while highlighted (the cursor is over it) and the idle
// one otherwise. The docking code builds markers through the painter (BuildDockMarker).
//
// A marker knows the window it docks beside (the window the painter built it for: a bar or
// the view; none for the markers at the frame's sides) and its side, the picture's kind: 0 top,
// 1 bottom, 2 left, 3 right; the centre and composite pieces are no drop targets. While the
// pointer rests on it, it shows a highlight over the area a dropped bar would take. The bar layer
// (which the core does not know) makes the highlight windows and says whether a bar is being
// dragged, through the marker site.
#pragma once
#include "afxwin.h"

class CExtDynDockMarkerWnd;

// What the markers ask of the docking code.
class IExtDockMarkerSite {
public:
    // Whether a bar is being dragged now (markers do nothing otherwise).
    virtual bool IsBarDragged() const = 0;
    // The marker's target window has gone: hide the markers over bars, let the drag recompute.
    virtual void OnMarkerTargetGone(CExtDynDockMarkerWnd* pMarker) = 0;
    // Hides the other markers' highlights and makes this one's; NULL when none can be made.
    virtual CWnd* CreateHighlight(CExtDynDockMarkerWnd* pMarker) = 0;

protected:
    ~IExtDockMarkerSite() = default;
};

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
    // The window a drop here docks beside (NULL: the frame's side).
    HWND GetTargetWindow() const { return m_hWndTarget; }
    // 0 top, 1 bottom, 2 left, 3 right; -1 for a piece that is no drop target.
    int GetSide() const { return m_eKind >= 0 && m_eKind <= 3 ? m_eKind : -1; }
    bool IsDropMarker() const { return GetSide() >= 0; }
    // 22 + side beside a bar of the bar layer, 18 + side beside another window, 14 + side at
    // the frame's side; 0 for no drop target.
    DWORD GetDropKind() const;
    // Shows (a new one) or hides this marker's highlight; true when one exists afterwards, or
    // when hiding.
    bool ShowHighlight(bool bShow);
    CWnd* GetHighlight() const { return m_pHighlight; }
    // 0 not known yet, 1 the pointer is over the marker, 2 it is not.
    int GetHoverState() const { return m_nHover; }
    BOOL DestroyWindow() override;
    static IExtDockMarkerSite* g_pSite;
    bool IsHighlighted() const { return m_bHighlighted; }
    void SetHighlighted(bool bHighlighted);

    // Destroys every window of the array that still has one, deletes every object, empties it.
    static void DestroyMarkers(Array& arr);
    // The hidden owner of all marker windows, created once on the desktop.
    static HWND GetSharedOwner();
    // Destroys the shared owner (made again on next use); at the end of a drag.
    static void DestroySharedOwner();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    // Highlighted while the cursor is over the marker's shape.
    void TrackCursor();

    CWnd* m_pWndOwner;
    HWND m_hWndTarget;
    CWnd* m_pHighlight = NULL;
    int m_nHover = 0;
    int m_eKind;
    HBITMAP m_hBmpActive, m_hBmpIdle;
    HRGN m_hRgn;   // until the window owns it
    bool m_bHighlighted;
};
