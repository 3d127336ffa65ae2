// The small frame a floating control bar lives in. It holds one dock bar
// (AFX_IDW_DOCKBAR_FLOAT) made by CreateDockBar, so a derived frame can bring a dock bar of its
// own kind, and it sizes itself to the bars in it (FWS_SNAPTOBARS). Closing it hides its bars;
// a double click on its caption docks them back.
#pragma once
#include <afxwin.h>

class CDockBar;

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A popup owned by pParent (the frame that docks the bars); dwBarStyle's CBRS_ALIGN_ bit
    // gives the orientation of the bars.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // The floating dock bar, not yet created (the frame creates it).
    virtual CDockBar* CreateDockBar();
    CDockBar* GetDockBar() const { return m_pWndDockBar; }

    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    afx_msg void OnClose();
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()

protected:
    CDockBar* m_pWndDockBar;
};
