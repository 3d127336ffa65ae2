#include "CSplashScreen.h"

BOOL CSplashScreen::Show(CWnd* pParent)
{
    if (!Create(IDD, pParent))
        return FALSE;
    ShowWindow(SW_SHOW);
    return TRUE;
}
