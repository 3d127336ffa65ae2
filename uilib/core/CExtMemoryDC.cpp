// Off-screen device context.
#include "CExtMemoryDC.h"

CExtMemoryDC::CExtMemoryDC(CDC* pDC, const RECT* pRect, DWORD dwOpt)
    : m_hOldBitmap(NULL), m_pDC(NULL), m_rect(0, 0, 0, 0), m_bMemDC(false), m_pDibBits(NULL) {
    if (pDC != NULL)
        Init(pDC, pRect, dwOpt);
}

CExtMemoryDC::~CExtMemoryDC() {
    Flush(true);
    m_bitmap.DeleteObject();
    // CDC's destructor deletes the memory DC handle when it still holds one.
}

void CExtMemoryDC::Init(CDC* pDC, const RECT* pRect, DWORD dwOpt) {
    m_pDC = pDC;
    m_hOldBitmap = NULL;
    m_bMemDC = (dwOpt & MDCOPT_TO_MEMORY) != 0 && !pDC->IsPrinting();
    if (pRect != NULL)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    if (m_bMemDC && !CreateBuffer(pDC, dwOpt)) {
        // No bitmap (an empty or huge rectangle, a failed DIB section): copying the bare
        // memory DC would lay its empty 1 x 1 bitmap over the target, so draw on the target.
        if (m_hDC != NULL)
            DeleteDC();
        m_bitmap.DeleteObject();
        m_pDibBits = NULL;
        m_bMemDC = false;
    }
    if (!m_bMemDC) {
        m_bPrinting = pDC->IsPrinting();
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
    }

    if (dwOpt & MDCOPT_FILL_BITS)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left,
               m_rect.top, SRCCOPY);
    else if (dwOpt & MDCOPT_FILL_SURFACE)
        FillSolidRect(&m_rect, pDC->GetBkColor());
}

bool CExtMemoryDC::CreateBuffer(CDC* pDC, DWORD dwOpt) {
    if (m_hDC != NULL) {   // a second Init: start from a fresh DC and bitmap
        DeleteDC();
        m_bitmap.DeleteObject();
    }
    CRect rcDevice = m_rect;
    if ((dwOpt & MDCOPT_NO_COPY_OPT) == 0)
        pDC->LPtoDP(&rcDevice);
    const int cx = rcDevice.Width(), cy = rcDevice.Height();
    if (cx <= 0 || cy <= 0 || !CreateCompatibleDC(pDC))
        return false;
    m_bitmap.DeleteObject();
    if (dwOpt & MDCOPT_FORCE_BLACK) {
        m_bitmap.CreateBitmap(cx, cy, 1, 1, NULL);
    } else if (dwOpt & MDCOPT_FORCE_DIB) {
        BITMAPINFOHEADER bih;
        memset(&bih, 0, sizeof bih);
        bih.biSize = sizeof bih;
        bih.biWidth = cx;
        bih.biHeight = cy;
        bih.biPlanes = 1;
        bih.biBitCount = 32;
        bih.biCompression = BI_RGB;
        void* pBits = NULL;
        HBITMAP hbm = ::CreateDIBSection(pDC->GetSafeHdc(), (BITMAPINFO*)&bih, DIB_RGB_COLORS, &pBits, NULL, 0);
        if (hbm == NULL || pBits == NULL) {
            if (hbm != NULL)
                ::DeleteObject(hbm);
            return false;
        }
        m_bitmap.Attach(hbm);
        m_pDibBits = pBits;
    } else {
        m_bitmap.CreateCompatibleBitmap(pDC, cx, cy);
    }
    if (m_bitmap.GetSafeHandle() == NULL)
        return false;
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.GetSafeHandle());
    if ((dwOpt & MDCOPT_NO_COPY_OPT) == 0) {
        SetMapMode(pDC->GetMapMode());
        SetWindowOrg(m_rect.left, m_rect.top);
    }
    return true;
}

void CExtMemoryDC::Flush(bool bCopy) {
    if (m_pDC == NULL)
        return;
    if (m_bMemDC) {
        if (bCopy && m_hDC != NULL)
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                          m_rect.left, m_rect.top, SRCCOPY);
        if (m_hDC != NULL && m_hOldBitmap != NULL)
            ::SelectObject(m_hDC, m_hOldBitmap);
    } else {
        // borrowed handles: let go without deleting them
        m_hDC = NULL;
        m_hAttribDC = NULL;
    }
    m_pDC = NULL;
    m_hOldBitmap = NULL;
    m_rect.SetRectEmpty();
    m_bMemDC = false;
    m_pDibBits = NULL;
}
