// The frame of a bar or floating frame painted in one go (see ExtNcPaint.h).
#include "ExtNcPaint.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"

void ExtPaintNcArea(CWnd* pWnd,
                    const std::function<void(CDC& dc, const CRect& rcWindow, const CRect& rcClient)>& paint) {
    CRect rcWindow, rcClient;
    pWnd->GetWindowRect(&rcWindow);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    if (rcWindow.IsRectEmpty())
        return;
    HDC hDC = ::GetWindowDC(pWnd->m_hWnd);
    if (hDC == NULL)
        return;
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    {
        CDC dc;
        dc.Attach(hDC);
        dc.ExcludeClipRect(&rcClient);
        {
            CExtMemoryDC mdc(&dc, &rcWindow, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
            paint(mdc, rcWindow, rcClient);
        }
        dc.Detach();
    }
    ::ReleaseDC(pWnd->m_hWnd, hDC);
    pPM->EndPaintSession();
}
