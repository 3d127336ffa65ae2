// A device context for the whole window, frame included, released when the object goes.
#pragma once
#include <CDC.h>

class CWnd;

class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    // pWnd NULL: the screen. Throws CResourceException when no DC is to be had.
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

    HWND m_hWnd;
};
