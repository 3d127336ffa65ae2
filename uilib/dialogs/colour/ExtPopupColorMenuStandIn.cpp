// Colour popup stand-in (see ExtPopupColorMenuStandIn.h).
#include "ExtPopupColorMenuStandIn.h"
#include "CExtResourceManager.h"

IMPLEMENT_DYNAMIC(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally");
const UINT CExtPopupColorMenuWnd::g_nMsgNotifyCustColor =
    ::RegisterWindowMessageA("CExtPopupColorMenuWnd::g_nMsgNotifyCustColor");

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
    : m_bEnableBtnColorDefault(true), m_bEnableBtnColorCustom(true), m_clrDefaultColor(0),
      m_clrInitial((COLORREF)-1), m_lParamCookie(0)
{
    if (!g_ResourceManager->LoadStringDefault(m_sBtnTextColorDefault, 30011) || m_sBtnTextColorDefault.IsEmpty())
        m_sBtnTextColorDefault = "Default Color";
    if (!g_ResourceManager->LoadStringDefault(m_sBtnTextColorCustom, 30010) || m_sBtnTextColorCustom.IsEmpty())
        m_sBtnTextColorCustom = "Custom Color ...";
}
