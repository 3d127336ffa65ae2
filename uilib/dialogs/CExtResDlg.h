// A dialog like the framework's, except that its template (RT_DIALOG) and its dialog-init block
// (RT_DLGINIT) are found through the UI library's resource manager, in the language the manager
// has selected, and that a plain template's font is brought into line with the font the
// system's property sheets use.
#pragma once
#include "afxdialogs.h"

class CExtResDlg : public CDialog {
    DECLARE_DYNCREATE(CExtResDlg)
public:
    CExtResDlg();
    explicit CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CExtResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    ~CExtResDlg() override;

    // -1 when no template can be loaded.
    INT_PTR DoModal() override;
    virtual INT_PTR DoModalFromResource();

    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL) override;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL) override;
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL,
                        HINSTANCE hInst = NULL) override;
    BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL, HINSTANCE hInst = NULL) override;
    // The creation step: the template with the sheet font (or the system font), then the
    // framework's creation.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

    BOOL OnInitDialog() override;

    // Runs the dialog-init block of that name found through the resource manager (none found:
    // only WM_INITIALUPDATE to the children); false when a record failed or a block is damaged.
    BOOL ExecuteDlgInitFromResource(LPCTSTR lpszResourceName);
    // The walk over one block, for the dialog and the page alike: records of control id (16
    // bits), message (16 bits), length (32 bits) and data, ended by a control id of 0; it never
    // reads beyond nSize bytes.
    static BOOL ExecuteDlgInitBlock(CWnd* pWnd, const BYTE* pData, DWORD nSize);
    // Runs the dialog-init resource of that name for pWnd (shared with the property page).
    static BOOL ExecuteDlgInitResource(CWnd* pWnd, LPCTSTR lpszResourceName);

    // A fresh copy of the template (global memory, the caller's), whose "MS Sans Serif" or
    // "MS Shell Dlg" face is replaced by the property-sheet face when the sizes agree.
    static HGLOBAL SyncTemplateFont(LPCDLGTEMPLATE lpTemplate);

    // The template name found through the resource manager (an id in the low word), NULL when
    // the dialog is built without one.
    LPCTSTR m_lpszTemplateName_RES;

protected:
    DECLARE_MESSAGE_MAP()
};
