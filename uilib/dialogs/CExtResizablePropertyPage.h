// The UI library's resizable property page: the anchor and window-state layers over a
// resource-template page, with tool tips, command-UI updates and keyboard pre-translation for
// control bars placed inside it, and Enter and Escape that do not end it while it is a child
// window. On a resizable sheet it keeps the sheet's layout and its own arranged as it is shown
// or moved. Every property page and wizard page of the GUI derives from it.
#pragma once
#include "CExtResPP.h"
#include "CExtWA.h"
#include "CExtWS.h"

class CExtResizablePropertyPage : public CExtWA<CExtWS<CExtResPP>> {
    DECLARE_DYNCREATE(CExtResizablePropertyPage)
public:
    CExtResizablePropertyPage();
    explicit CExtResizablePropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CExtResizablePropertyPage() override;

    // Input goes to the bars inside the page, then to the window-state layer and the page.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Own flag bits (the resizable dialog's, and one of the page's own).
    enum : BYTE {
        RESIZABLE_IDLE_UPDATES = 0x01,   // child bars get command-UI updates (subclassed .. WM_DESTROY)
        RESIZABLE_IN_UPDATE = 0x02,      // such an update runs now
        RESIZABLE_IN_ARRANGE = 0x04,     // the page arranges the sheet and itself now
    };
    BYTE GetResizableFlags() const { return m_nResizableFlags; }

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The framework's OK and Cancel only for a page running as a top-level dialog.
    void OnOK() override;
    void OnCancel() override;

    // The page was shown or moved (visible), or initialised: keep the sheet's layout.
    void OnPageShownOrMoved();
    void OnPageInitialized();

    BYTE m_nResizableFlags;

    DECLARE_MESSAGE_MAP()
};
