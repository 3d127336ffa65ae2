// The anchor layer over any framework window class: each registered child keeps its corners at
// a percentage of the owner's client size plus a fixed offset, and is moved and sized whenever
// the owner's client area changes; the owner's tracking size is kept within a minimum (its size
// at the first WM_SIZE) and, when set, a maximum.
#pragma once
#include "afxwin.h"
#include <utility>
#include "CExtPaintManager.h"

// Anchor presets (percentages of the client width and height).
#define __RDA_NONE CSize(-1, -1)
#define __RDA_LT CSize(0, 0)
#define __RDA_RT CSize(100, 0)
#define __RDA_LB CSize(0, 100)
#define __RDA_RB CSize(100, 100)

template <class CExtWABase>
class CExtWA : public CExtWABase {
public:
    // One anchor: percentages and offsets of the left-top and right-bottom corners.
    struct RDI_t {
        CSize m_sizeLT = CSize(0, 0);
        CSize m_sizeOffsetLT = CSize(0, 0);
        CSize m_sizeRB = CSize(0, 0);
        CSize m_sizeOffsetRB = CSize(0, 0);
    };

    enum : BYTE {
        LAYOUT_INITIALISED = 0x01,
        LAYOUT_MAX_TRACK = 0x02,
        LAYOUT_MIN_TRACK = 0x04,
        LAYOUT_MAX_POS = 0x08,
    };

    template <class... Args>
    explicit CExtWA(Args&&... args)
        : CExtWABase(std::forward<Args>(args)...), m_nLayoutFlags(LAYOUT_MIN_TRACK), m_sizeMinTrack(0, 0),
          m_sizeMaxTrack(0, 0), m_ptMaxPos(0, 0), m_sizeMaxSize(0, 0), m_mapAnchors(10)
    {
        m_mapAnchors.InitHashTable(17);
    }
    ~CExtWA() override { m_mapAnchors.RemoveAll(); }

    // False for no left-top anchor, a window that does not exist, or a child that is not a
    // descendant; a later anchor of the same child replaces the earlier one.
    virtual bool AddAnchor(HWND hWnd, CSize sizeLT, CSize sizeRB = __RDA_NONE)
    {
        if (sizeLT == __RDA_NONE || this->m_hWnd == NULL || !::IsWindow(this->m_hWnd) || !::IsWindow(hWnd) ||
            !::IsChild(this->m_hWnd, hWnd))
            return false;
        CRect rcClient;
        this->GetClientRect(&rcClient);
        const int cx = rcClient.Width(), cy = rcClient.Height();
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        this->ScreenToClient(&rc);
        if (sizeRB == __RDA_NONE)
            sizeRB = sizeLT;
        RDI_t rdi;
        rdi.m_sizeLT = sizeLT;
        rdi.m_sizeRB = sizeRB;
        rdi.m_sizeOffsetLT = CSize(rc.left - cx * sizeLT.cx / 100, rc.top - cy * sizeLT.cy / 100);
        rdi.m_sizeOffsetRB = CSize(rc.right - cx * sizeRB.cx / 100, rc.bottom - cy * sizeRB.cy / 100);
        m_mapAnchors.SetAt(hWnd, rdi);
        return true;
    }
    bool AddAnchor(UINT nDlgCtrlID, CSize sizeLT, CSize sizeRB = __RDA_NONE)
    {
        if (sizeLT == __RDA_NONE || this->m_hWnd == NULL || !::IsWindow(this->m_hWnd))
            return false;
        HWND hWnd = ::GetDlgItem(this->m_hWnd, (int)nDlgCtrlID);
        if (hWnd == NULL)
            return false;
        return AddAnchor(hWnd, sizeLT, sizeRB);
    }

    // Moves and sizes every anchored child for a client size (negative: the current one).
    virtual void ArrangeLayout(int cx = -1, int cy = -1)
    {
        if (cx < 0 || cy < 0) {
            CRect rcClient;
            this->GetClientRect(&rcClient);
            cx = rcClient.Width();
            cy = rcClient.Height();
        }
        HDWP hDWP = ::BeginDeferWindowPos((int)m_mapAnchors.GetCount());
        CList<HWND, HWND> listDead(10);
        POSITION pos = m_mapAnchors.GetStartPosition();
        while (pos != NULL) {
            HWND hWnd;
            RDI_t rdi;
            m_mapAnchors.GetNextAssoc(pos, hWnd, rdi);
            if (!::IsWindow(hWnd)) {
                listDead.AddTail(hWnd);
                continue;
            }
            const int x = rdi.m_sizeOffsetLT.cx + ::MulDiv(cx, rdi.m_sizeLT.cx, 100);
            const int y = rdi.m_sizeOffsetLT.cy + ::MulDiv(cy, rdi.m_sizeLT.cy, 100);
            const int nWidth = rdi.m_sizeOffsetRB.cx + ::MulDiv(cx, rdi.m_sizeRB.cx, 100) - x;
            const int nHeight = rdi.m_sizeOffsetRB.cy + ::MulDiv(cy, rdi.m_sizeRB.cy, 100) - y;
            if (CExtPaintManager::IsTransparentChildControl(hWnd)) {
                // shows the parent's background: moved at once and repainted whole
                ::MoveWindow(hWnd, x, y, nWidth, nHeight, TRUE);
                CRect rcRedraw(0, 0, nWidth, nHeight);
                ::RedrawWindow(hWnd, &rcRedraw, NULL, 0xB8D);
            } else if (hDWP != NULL) {
                hDWP = ::DeferWindowPos(hDWP, hWnd, NULL, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                ::SetWindowPos(hWnd, NULL, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
        if (hDWP != NULL)
            ::EndDeferWindowPos(hDWP);
        for (POSITION p = listDead.GetHeadPosition(); p != NULL;)
            m_mapAnchors.RemoveKey(listDead.GetNext(p));
    }

    void RemoveAllAnchors() { m_mapAnchors.RemoveAll(); }

    bool LookupAnchor(HWND hWnd, RDI_t& rdi) const { return m_mapAnchors.Lookup(hWnd, rdi) != FALSE; }
    int GetAnchorCount() const { return (int)m_mapAnchors.GetCount(); }

    // Limits the owner class sets.
    void SetMaxTrackSize(CSize size)
    {
        m_sizeMaxTrack = size;
        m_nLayoutFlags |= LAYOUT_MAX_TRACK;
    }
    void SetMaximizedRect(CPoint pt, CSize size)
    {
        m_ptMaxPos = pt;
        m_sizeMaxSize = size;
        m_nLayoutFlags |= LAYOUT_MAX_POS;
    }
    CSize GetMinTrackSize() const { return m_sizeMinTrack; }
    void SetMinTrackSize(CSize size)
    {
        m_sizeMinTrack = size;
        m_nLayoutFlags |= LAYOUT_MIN_TRACK;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETMINMAXINFO) {
            if (m_nLayoutFlags & LAYOUT_INITIALISED) {
                MINMAXINFO* pInfo = reinterpret_cast<MINMAXINFO*>(lParam);
                if (m_nLayoutFlags & LAYOUT_MIN_TRACK)
                    pInfo->ptMinTrackSize = CPoint(m_sizeMinTrack.cx, m_sizeMinTrack.cy);
                if (m_nLayoutFlags & LAYOUT_MAX_TRACK)
                    pInfo->ptMaxTrackSize = CPoint(m_sizeMaxTrack.cx, m_sizeMaxTrack.cy);
                if (m_nLayoutFlags & LAYOUT_MAX_POS) {
                    pInfo->ptMaxPosition = m_ptMaxPos;
                    pInfo->ptMaxSize = CPoint(m_sizeMaxSize.cx, m_sizeMaxSize.cy);
                }
            }
            return 0;
        }
        if (message == WM_SIZE) {
            LRESULT lResult = CExtWABase::WindowProc(message, wParam, lParam);
            if ((m_nLayoutFlags & LAYOUT_INITIALISED) == 0) {
                CRect rcWindow;
                this->GetWindowRect(&rcWindow);
                m_sizeMinTrack = rcWindow.Size();
                m_nLayoutFlags |= LAYOUT_INITIALISED;
                ArrangeLayout(-1, -1);
            } else if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE) {
                ArrangeLayout(LOWORD(lParam), HIWORD(lParam));
            }
            return lResult;
        }
        HWND hWndOwn = this->m_hWnd;
        LRESULT lResult = CExtWABase::WindowProc(message, wParam, lParam);
        if ((message == WM_DESTROY || message == WM_NCDESTROY) && ::IsWindow(hWndOwn) &&
            CWnd::FromHandlePermanent(hWndOwn) == this)
            RemoveAllAnchors();
        return lResult;
    }

    BYTE m_nLayoutFlags;
    CSize m_sizeMinTrack;
    CSize m_sizeMaxTrack;
    CPoint m_ptMaxPos;
    CSize m_sizeMaxSize;
    // handles hash by their value shifted right by 4 (the framework map's rule for handles)
    CMap<HWND, HWND, RDI_t, RDI_t&> m_mapAnchors;
};
