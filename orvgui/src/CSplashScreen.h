// The picture shown while the program starts: dialog 183, a borderless popup whose one control
// shows bitmap 185. Start-up creates it modeless, shows it and ends it when the frame is up.
#pragma once

#include <afxwin.h>
#include <afxdlgs.h>

class CSplashScreen : public CDialog {
public:
    enum { IDD = 183 };

    CSplashScreen() : CDialog(IDD, NULL) {}
    // Created modeless over the main window (if any) and shown.
    BOOL Show(CWnd* pParent);
};
