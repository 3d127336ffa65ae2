// Stand-in of the library's colour popup menu until the menu layer brings the real one under the
// same name: a popup-menu stand-in (core's ExtBarStandIns) that carries the colour popup's
// settings and its three notifications. It shows nothing; a test plays the user through the
// popup stand-in's onTrack, posting the notifications to the popup's owner window as the real
// popup does.
#pragma once
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"

class CExtPopupColorMenuWnd : public CExtPopupMenuWnd {
    DECLARE_DYNAMIC(CExtPopupColorMenuWnd)
public:
    CExtPopupColorMenuWnd();

    bool m_bEnableBtnColorDefault;   // the popup shows its default-colour item
    bool m_bEnableBtnColorCustom;    // the popup shows its custom-colour item
    CString m_sBtnTextColorDefault;  // "Default Color" (string 30011)
    CString m_sBtnTextColorCustom;   // "Custom Color ..." (string 30010)
    COLORREF m_clrDefaultColor;      // reported when the default item is chosen
    COLORREF m_clrInitial;           // selects the matching cell; -1 none
    LPARAM m_lParamCookie;           // the lParam of every notification

    // Posted to the owner window: wParam the colour under the cursor, lParam the cookie.
    static const UINT g_nMsgNotifyColorChanged;
    // The chosen colour (or the default colour for the default item), the cookie.
    static const UINT g_nMsgNotifyColorChangedFinally;
    // 0, the cookie: the custom item was chosen.
    static const UINT g_nMsgNotifyCustColor;
};
