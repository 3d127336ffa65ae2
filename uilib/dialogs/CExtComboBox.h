// The UI library's combo box: border and drop-down button drawn by the current painter, hover
// followed by a 50 ms timer, typed text completed from the list, and the library's edit menu
// in its edit field (through the edit hook).
#pragma once
#include <afxcontrols.h>
#include "CExtEditBase.h"
#include "CExtMouseCaptureSink.h"

class CExtComboBox;

// The combo's edit field: the library's edit menu, and typed-text completion disarmed by the
// edit commands (a cut or an undo is not typing).
class CExtComboEditCtrlHook : public CExtEditBase {
    DECLARE_DYNCREATE(CExtComboEditCtrlHook)
public:
    CExtComboEditCtrlHook();
    ~CExtComboEditCtrlHook() override;
    // The combo the edit belongs to (NULL when it is not a library combo).
    CExtComboBox* GetCombo() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CExtComboBox : public CComboBox, public CExtMouseCaptureSink {
    DECLARE_DYNCREATE(CExtComboBox)
public:
    enum : BYTE {
        FLAG_AUTOCOMPLETE = 0x01,   // typed text is completed from the list
        FLAG_EDIT_MENU = 0x02,      // the library's menu in the edit field
        FLAG_REPAINT_DUE = 0x04,
        FLAG_TIMER = 0x08,          // the hover timer runs
        FLAG_COMPLETE_ARMED = 0x10, // the last key typed asks for completion
    };

    CExtComboBox();
    ~CExtComboBox() override;

    BYTE m_nFlags;
    CExtComboEditCtrlHook m_wndInnerEditHook;
    UINT m_nTimerID;
    UINT m_nTimerPeriod;

    // The combo's edit field (NULL for a drop-down list).
    HWND GetEditWindow() const;

    virtual void PaintCombo(bool bPressed, bool bHover);
    // The frame in the combo's look now; pDC NULL: the window's own DC.
    virtual void DrawComboFrame(bool bPressed, bool bHover, CDC* pDC = NULL);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg BOOL OnEditUpdate();
    DECLARE_MESSAGE_MAP()

    void AttachEditHook();
    void StartTimer();
    // One step of the hover timer, judged at pptAt (screen) or, without it, where the cursor is.
    void TimerStep(const POINT* pptAt = NULL);
    bool m_bPointerInside;   // the last step found the pointer over the combo
    // The window still is this combo (a parent's notification may have destroyed it).
    bool Alive(HWND hWnd) const { return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this; }
    bool IsDropDownStyle() const;
};
