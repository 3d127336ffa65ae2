// The UI library's resizable dialog: the anchor and window-state layers over a resource-template
// dialog, with a size grip, tool tips, command-UI updates and keyboard pre-translation for
// control bars placed inside it, and Enter and Escape that do not end it while it is embedded
// as a child window. Every dialog of the GUI derives from it.
#pragma once
#include "CExtResDlg.h"
#include "CExtWA.h"
#include "CExtWS.h"

class CExtResizableDialog : public CExtWA<CExtWS<CExtResDlg>> {
    DECLARE_DYNCREATE(CExtResizableDialog)
public:
    CExtResizableDialog();
    explicit CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CExtResizableDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CExtResizableDialog() override;

    // Keyboard input goes first to the control bar holding an embedded dialog, then to the
    // bars inside the dialog, then to the window-state layer (Alt+Space) and the dialog manager.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Own flag bits.
    enum : BYTE {
        RESIZABLE_IDLE_UPDATES = 0x01,   // child bars get command-UI updates (subclassed .. WM_DESTROY)
        RESIZABLE_IN_UPDATE = 0x02,      // such an update runs now
    };
    BYTE GetResizableFlags() const { return m_nResizableFlags; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The framework's OK and Cancel only for a top-level dialog: a dialog embedded as a child
    // window is not ended by Enter or Escape.
    void OnOK() override;
    void OnCancel() override;

    BYTE m_nResizableFlags;

    DECLARE_MESSAGE_MAP()
};

// What the resizable dialog and page share.
struct CExtResizableHelpers {
    // Whether the thread's current message is one after which idle work runs.
    static bool IsCurrentMessageIdle();
    // The command-UI update of the control bars inside pWnd, guarded against re-entry by the
    // RESIZABLE_IN_UPDATE bit of nFlags.
    static void UpdateChildBars(CWnd* pWnd, BYTE& nFlags);
};
