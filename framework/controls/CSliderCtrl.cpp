#include "CSliderCtrl.h"

IMPLEMENT_DYNAMIC(CSliderCtrl, CWnd)

BOOL CSliderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(TRACKBAR_CLASSA, NULL, dwStyle, rect, pParentWnd, nID);
}
