// Image list wrapper (comctl32). Like the GDI wrappers, an image list that holds a handle owns
// it (the destructor destroys it), FromHandle answers the permanent wrapper or a temporary freed
// at the next top-level idle, and Detach lets go without destroying.
#pragma once
#include "afx.h"
#include <commctrl.h>

class CBitmap;
class CDC;

class CImageList : public CObject {
    DECLARE_DYNCREATE(CImageList)
public:
    HIMAGELIST m_hImageList;

    CImageList() : m_hImageList(NULL) {}
    ~CImageList() override;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;   // NULL also when called on a NULL pointer

    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // nFlags: ILC_COLOR* | ILC_MASK
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);

    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const {
        return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    BOOL GetIconSize(int* pcx, int* pcy) const { return ImageList_GetIconSize(m_hImageList, pcx, pcy); }
    COLORREF GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
    COLORREF SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }

    // Each answers the index of the first new image, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);   // masked by colour
    int Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
    HICON ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

    // nStyle: ILD_NORMAL, ILD_TRANSPARENT, ILD_MASK, ILD_BLEND50, ...
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};

// The current thread's map of image-list wrappers (NULL when bCreate is FALSE and none exists).
CHandleMap<CImageList, HIMAGELIST>* AFXAPI AfxGetImageListMap(BOOL bCreate = TRUE);
