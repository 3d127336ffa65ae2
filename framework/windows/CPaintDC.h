// The device context of a WM_PAINT handler: BeginPaint when made, EndPaint when it goes.
#pragma once
#include <CDC.h>

class CWnd;

class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    // Throws CResourceException when BeginPaint gives no DC.
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps;  // what BeginPaint filled in (the invalid rectangle is m_ps.rcPaint)
};
