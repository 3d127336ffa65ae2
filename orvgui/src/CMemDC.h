// A device context that draws off screen over a rectangle of a target DC and copies the result
// onto the target when it goes, so a row is never seen half drawn. A printing DC is drawn on
// directly.
#pragma once

#include <afxwin.h>

class CMemDC : public CDC {
public:
    // pRect null: the target's clip box.
    explicit CMemDC(CDC* pDC, const CRect* pRect = NULL);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    CMemDC* operator->() { return this; }

private:
    CBitmap m_bitmap;
    CBitmap* m_pOldBitmap;
    CDC* m_pDC;
    CRect m_rect;
    BOOL m_bMemDC;
};
