#include "CColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CDialog((LPCTSTR)NULL, pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    BOOL bOK = ::ChooseColorA(&m_cc);
    return bOK ? IDOK : IDCANCEL;
}
