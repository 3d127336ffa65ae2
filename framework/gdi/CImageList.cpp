#include "CImageList.h"
#include "CBitmap.h"
#include "CDC.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {

CImageList* NewTempImageList(HIMAGELIST hImageList) {
    CImageList* pList = new CImageList;
    pList->m_hImageList = hImageList;
    return pList;
}

void DetachTempImageList(CImageList* pList) { pList->m_hImageList = NULL; }

// Callers pass optional objects as NULL pointers and ask them for their handle. Inside a
// member function the compiler takes `this` to be non-null and drops such a test, so the
// test lives here, in a function kept out of every optimisation across calls.
__attribute__((noipa)) HIMAGELIST SafeHandleOf(const CImageList* pList) {
    return pList != NULL ? pList->m_hImageList : NULL;
}

}  // namespace

CHandleMap<CImageList, HIMAGELIST>* AFXAPI AfxGetImageListMap(BOOL bCreate) {
    return CHandleMap<CImageList, HIMAGELIST>::ForThread(bCreate, &NewTempImageList,
                                                         &DetachTempImageList);
}

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const { return SafeHandleOf(this); }

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList) {
    CHandleMap<CImageList, HIMAGELIST>* pMap = AfxGetImageListMap();
    return pMap != NULL ? pMap->FromHandle(hImageList) : NULL;
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
    ASSERT(m_hImageList == NULL);
    if (hImageList == NULL)
        return FALSE;
    m_hImageList = hImageList;
    if (CHandleMap<CImageList, HIMAGELIST>* pMap = AfxGetImageListMap())
        pMap->SetPermanent(hImageList, this);
    return TRUE;
}

HIMAGELIST CImageList::Detach() {
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL) {
        CHandleMap<CImageList, HIMAGELIST>* pMap = AfxGetImageListMap(FALSE);
        if (pMap != NULL && pMap->LookupPermanent(hImageList) == this)
            pMap->RemoveHandle(hImageList);
    }
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList() {
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(),
                         (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask) {
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask) {
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             (HBITMAP)pbmMask->GetSafeHandle());
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
