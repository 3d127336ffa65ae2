#include "CMenu.h"
#include "CWnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    if (m_hMenu != NULL && FromHandlePermanent(m_hMenu) == this)
        DestroyMenu();
}

HMENU CMenu::GetSafeHmenu() const
{
    return m_hMenu;
}

CHandleMap<CMenu, HMENU>& CMenu::GetHandleMap()
{
    static thread_local CHandleMap<CMenu, HMENU> map(
        [](HMENU h) {
            CMenu* p = new CMenu;
            p->m_hMenu = h;
            return p;
        },
        [](CMenu* p) { p->m_hMenu = NULL; });
    return map;
}

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    return GetHandleMap().FromHandle(hMenu);
}

CMenu* CMenu::FromHandlePermanent(HMENU hMenu)
{
    return hMenu == NULL ? NULL : GetHandleMap().LookupPermanent(hMenu);
}

void CMenu::DeleteTempMap()
{
    GetHandleMap().DeleteTemp();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    ASSERT(m_hMenu == NULL);
    if (hMenu == NULL)
        return FALSE;
    m_hMenu = hMenu;
    GetHandleMap().SetPermanent(hMenu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != NULL && GetHandleMap().LookupPermanent(hMenu) == this)
        GetHandleMap().RemoveHandle(hMenu);
    m_hMenu = NULL;
    return hMenu;
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszResourceName);
    if (hMenu == NULL && AfxGetResourceHandle() != AfxGetInstanceHandle())
        hMenu = ::LoadMenuA(AfxGetInstanceHandle(), lpszResourceName);
    return Attach(hMenu);
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == NULL)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    int nLen = ::GetMenuStringA(m_hMenu, nIDItem, NULL, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, nIDItem, rString.GetBuffer(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
