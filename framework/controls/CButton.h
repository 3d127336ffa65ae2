// A push button, check box, radio button or owner-drawn button. An owner-drawn one draws itself:
// the parent's WM_DRAWITEM comes back to DrawItem.
#pragma once
#include <afxwin.h>

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    virtual BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetCheck() const { return (int)::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { ::SendMessageA(m_hWnd, BM_SETCHECK, (WPARAM)nCheck, 0); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { ::SendMessageA(m_hWnd, BM_SETSTYLE, nStyle, bRedraw); }

    // Owner-drawn buttons override this.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
