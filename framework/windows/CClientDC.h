// A device context for the client area of a window, released when the object goes.
#pragma once
#include <CDC.h>

class CWnd;

class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    // pWnd NULL: the screen. Throws CResourceException when no DC is to be had.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

    HWND m_hWnd;
};
