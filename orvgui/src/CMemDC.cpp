#include "CMemDC.h"

CMemDC::CMemDC(CDC* pDC, const CRect* pRect)
    : m_pOldBitmap(NULL), m_pDC(pDC), m_bMemDC(!pDC->IsPrinting())
{
    if (pRect == NULL)
        pDC->GetClipBox(&m_rect);
    else
        m_rect = *pRect;

    if (!m_bMemDC) {
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        m_bPrinting = pDC->m_bPrinting;
        return;
    }
    CreateCompatibleDC(pDC);
    CRect device = m_rect;
    ::LPtoDP(pDC->m_hDC, reinterpret_cast<POINT*>(&device), 2);
    m_bitmap.CreateCompatibleBitmap(pDC, device.Width(), device.Height());
    m_pOldBitmap = SelectObject(&m_bitmap);
    SetMapMode(pDC->GetMapMode());
    SIZE size;
    ::GetWindowExtEx(pDC->m_hDC, &size);
    SetWindowExt(size);
    ::GetViewportExtEx(pDC->m_hDC, &size);
    SetViewportExt(size);
    SetWindowOrg(m_rect.left, m_rect.top);
    FillSolidRect(m_rect, pDC->GetBkColor());
}

CMemDC::~CMemDC()
{
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
        SelectObject(m_pOldBitmap);
    } else {
        m_hDC = m_hAttribDC = NULL;
    }
}
