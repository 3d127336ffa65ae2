// One user-interface item of a command (a menu item, a button, a bar button) handed to
// ON_UPDATE_COMMAND_UI handlers, which set its state. Subclasses act on their own kind of item;
// this one acts on a menu item (m_pMenu, by position) or on a window (m_pOther).
#pragma once
#include "CCmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;           // position in the menu or bar
    CMenu* m_pMenu;          // the menu holding the item, or NULL
    CMenu* m_pSubMenu;       // the item's popup, or NULL
    CWnd* m_pOther;          // the window standing for the item, or NULL
    BOOL m_bEnableChanged;   // Enable was called during this update
    BOOL m_bContinueRouting; // the handler asked that later targets see the update too
    UINT m_nIndexMax;        // number of items in the menu or bar

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget to update this item (id 0 and ids with a low word of 0xFFFF are left alone).
    // If no handler touched the enable state and bDisableIfNoHandler is set, the item is
    // enabled exactly when pTarget has a command handler for it. Answers whether an update
    // handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
