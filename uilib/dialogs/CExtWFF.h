// Flicker-free painting for a standard control without touching its drawing code: the control
// paints its background and content into an off-screen memory DC (a standard control paints
// into a DC handed to it in WM_PAINT's wParam), and the picture reaches the screen in one copy.
// The three switches: answer WM_ERASEBKGND with nothing drawn (the paint erases into the
// buffer), keep the final copy off visible child windows, and let the control's own erase draw
// into the buffer first.
#pragma once
#include "afxwin.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManager.h"

template <class CExtWFFBase = CWnd, bool bSkipEraseMessage = true, bool bExcludeChildAreas = true,
          bool bEraseIntoBuffer = true>
class CExtWFF : public CExtWFFBase {
public:
    CExtWFF() : CExtWFFBase() {}
    ~CExtWFF() override {}

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND && bSkipEraseMessage)
            return 0;
        if (message == WM_PAINT) {
            CPaintDC dcPaint(this);
            if (bExcludeChildAreas)
                CExtPaintManager::ExcludeChildAreas(&dcPaint, this->m_hWnd);
            CRect rcClient;
            this->GetClientRect(&rcClient);
            {
                CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
                if (bEraseIntoBuffer)
                    this->DefWindowProc(WM_ERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
                this->DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
            }   // one copy to the screen, before the paint DC ends the paint
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
