// The text field a popup menu item can carry, edited inside the open menu: a single-line edit,
// child of the popup, that checks every keystroke with the item's validation function, commits
// on Enter (through the item's commit function, or into the item's string) and gives the
// keyboard back to the menu on Esc. The menu's keyboard hook sees keys first, so the menu hands
// Delete and Ctrl+A on as g_nMsgDeleteSelection and g_nMsgSelectAll.
#pragma once
#include "CExtPopupMenuWnd.h"
#include <CEdit.h>

class CExtPopupMenuWnd::CInPlaceEditWnd : public CEdit {
public:
    enum : BYTE { STATE_COMMITTED = 0x01 };   // Enter was pressed

    // The item's words; pStr is the item's string (shown at creation, the default commit's target).
    CInPlaceEditWnd(pCbInplaceEditValidate pCbValidate, pCbInplaceEditCommit pCbCommit,
                    pCbInplaceEditFilter pCbFilter, LPARAM lCookie, CString* pStr);
    ~CInPlaceEditWnd() override;

    // A hidden child of the popup showing the item's text, all selected, in the menu font.
    virtual bool Create(CExtPopupMenuWnd* pPopup, const RECT& rc, UINT nDlgCtrlID);

    bool IsCommitted() const { return (m_nState & STATE_COMMITTED) != 0; }
    const CString& GetInitialText() const { return m_strInitial; }

    static const UINT g_nMsgDeleteSelection;
    static const UINT g_nMsgSelectAll;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The object goes with its window.
    void PostNcDestroy() override;

private:
    CString GetText() const;
    CExtPopupMenuWnd* GetPopup() const;
    void PostCancelToPopup();
    // A key or character that may change the text, undone when the validation rejects it.
    LRESULT CheckedEdit(UINT message, WPARAM wParam, LPARAM lParam);
    void DeleteSelection();

    pCbInplaceEditValidate m_pCbValidate;
    pCbInplaceEditCommit m_pCbCommit;
    pCbInplaceEditFilter m_pCbFilter;
    LPARAM m_lCookie;
    CString* m_pStr;
    CString m_strInitial;
    BYTE m_nState;
};
