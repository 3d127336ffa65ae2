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
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    void Activate(BOOL bActivate) { ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    void RelayEvent(LPMSG lpMsg) { ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void Pop() { ::SendMessageA(m_hWnd, TTM_POP, 0, 0); }
    void SetDelayTime(UINT nDelay) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
    int SetMaxTipWidth(int iWidth) { return (int)::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }

private:
    void FillInToolInfo(TOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
