// A tool-tip control: tools are windows (by handle) or rectangles of a window (by id).
#pragma once
#include <afxwin.h>
#include <commctrl.h>

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // A tool: the window pWnd (nIDTool 0) or the rectangle lpRectTool of it with the id nIDTool.
    // lpszText may be LPSTR_TEXTCALLBACK (TTN_NEEDTEXT asks for it).
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate) { ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    void RelayEvent(LPMSG lpMsg) { ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }

private:
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
