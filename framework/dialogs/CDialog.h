// A dialog box made from a dialog template by the system's dialog manager, with a framework
// object attached before its first message (the creation hook), so the message map sees all of
// it. Modal dialogs run the framework's own modal loop (RunModalLoop), not the system's: every
// message goes through PreTranslateMessage first, which hands keyboard input to IsDialogMessage
// (Tab, the arrow keys, Enter, Escape, mnemonics), and the program's idle work goes on.
#pragma once
#include <afxwincore.h>

class CDataExchange;

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // Modeless: the template by name or id; pParentWnd NULL is the main window.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL,
                                HINSTANCE hInst = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL, HINSTANCE hInst = NULL);

    // Modal: a template in memory instead of a resource.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    // Runs the dialog until EndDialog; answers its result, -1 when there is no template or the
    // dialog could not be made. EndDialog inside OnInitDialog: no window ever shows.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Focus moves as the dialog manager moves it (tab order, default button handling).
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    // Default: the dialog-init strings of the template, data to the controls, and the help
    // button hidden (there are no help files). TRUE: the system sets the focus.
    virtual BOOL OnInitDialog();
    // OK: data from the controls (a refused value keeps the dialog open), then EndDialog(IDOK).
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The dialog's own map, then the thread's (the application's) for commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE) override;

    // The template: by name (or MAKEINTRESOURCE id), or in memory (handle or pointer).
    LPCTSTR m_lpszTemplateName;
    HGLOBAL m_hDialogTemplate;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    void* m_lpDialogInit;   // dialog-init block for an in-memory template
    CWnd* m_pParentWnd;     // owner of the modal dialog (NULL: the main window)
    HWND m_hWndTop;         // the top-level window PreModal found
    UINT m_nIDHelp;

    // Steps of DoModal, for classes that run the dialog their own way.
    // The owner's handle (NULL when there is none).
    virtual HWND PreModal();
    virtual void PostModal();
    // Creates the dialog from a template with the hook attached; FALSE only when no window was
    // made and the dialog was not ended during its creation.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

protected:
    DECLARE_MESSAGE_MAP()
};

// The dialog procedure of every framework dialog and property page: WM_INITDIALOG goes to the
// attached object's OnInitDialog (a failure ends the dialog with -1); everything else is handled
// through the window's message map before the dialog manager sees it.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs pWnd's DoDataExchange; FALSE when a value was refused (the user was told and the
// control has the focus) or the exchange failed.
BOOL AFXAPI AfxUpdateData(CWnd* pWnd, BOOL bSaveAndValidate);
