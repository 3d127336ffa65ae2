// A view made from a dialog template: a child dialog filling the frame's view area, with
// dialog data exchange (DoDataExchange; the controls are filled at OnInitialUpdate) and the
// dialog manager's keyboard handling (Tab, arrows, mnemonics) inside it.
#pragma once
#include "CView.h"

class CFormView : public CView {
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(LPCTSTR lpszTemplateName);
    explicit CFormView(UINT nIDTemplate);

    // Makes the view from its template (the template's own style is made a child's).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = NULL) override;
    // Default: data to the controls.
    void OnInitialUpdate() override;
    void OnDraw(CDC* pDC) override;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Resizes the parent frame so that the view shows its whole template (bShrinkOnly: only
    // if the frame is larger).
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    // The size of the template in pixels.
    CSize GetTotalSize() const { return m_sizeTemplate; }
    // Scrolling is not kept: the view is laid out at its frame's size; only MM_TEXT is known.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal);

    LPCTSTR m_lpszTemplateName;
    CCreateContext* m_pCreateContext;

protected:
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_hWndFocus;  // the control that had the focus when the view lost it
    CSize m_sizeTemplate;
};
