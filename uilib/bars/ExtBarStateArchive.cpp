// The bar-state archive: the whole bar layout of a frame (its placement, the framework's dock
// state, the sizes the library keeps for each bar, the resizable bars of the inner circles and
// the containers, floating or docked) saved into an archive and restored from it. A load reads
// and checks everything before it touches a bar; the stored form is described in README.md.
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManager.h"
#include "ExtPlacementText.h"
#include "ExtFrameBarList.h"
#include <CArchiveException.h>
#include <CMap.h>
#include <algorithm>

namespace {

const DWORD kLibraryVersion = 0x02020701;
const DWORD kShortVersion = 0x00000202;
// The smallest stored row (flags, id, point, three sizes, an empty record) and record.
const ULONGLONG kMinRowBytes = 2 + 4 + 8 * 4 + 2;
const ULONGLONG kMinRecordBytes = 128;
// Circles beyond this are not made from a file.
const int kMaxCircle = 32;

// Frames being saved or loaded: frame -> 1 for a load, 0 for a save.
CMapPtrToWord& SerializingFrames() {
    static CMapPtrToWord map(10);
    return map;
}

CString HeaderText() {
    CString strVersion;
    strVersion.Format("%d%c%d%c%d%c%d", (int)((kLibraryVersion >> 24) & 0xFF), '.', (int)((kLibraryVersion >> 16) & 0xFF),
                      '.', (int)((kLibraryVersion >> 8) & 0xFF), '.', (int)(kLibraryVersion & 0xFF));
    CString str;
    str.Format("Orvel-UI (v. %s) control bar state", (LPCTSTR)strVersion);
    return str;
}

[[noreturn]] void Damaged() { AfxThrowArchiveException(CArchiveException::genericException); }

bool IsSideId(int nID) {
    return nID == (int)AFX_IDW_DOCKBAR_TOP || nID == (int)AFX_IDW_DOCKBAR_LEFT || nID == (int)AFX_IDW_DOCKBAR_RIGHT ||
           nID == (int)AFX_IDW_DOCKBAR_BOTTOM;
}

// The placement string as the dialogs read theirs, and besides a known show command and known
// flags; false (and the placement untouched) otherwise.
bool ParsePlacement(const CString& str, WINDOWPLACEMENT& wp) {
    WINDOWPLACEMENT wpRead = wp;
    if (!ExtParsePlacement(str, wpRead) || wpRead.showCmd > SW_MAX || wpRead.flags > 7)
        return false;
    wp = wpRead;
    return true;
}

// Calls add(pBar, bRowBreak) for each library bar in a dock bar's array, in order; bRowBreak
// tells that a row ended since the bar listed before it (never for the first one listed: the
// end of the row before it is no break between bars).
template <class Add>
void ForEachDockedLibraryBar(const CDockBar* pDock, Add add) {
    bool bBreak = false;
    bool bFirst = true;
    for (INT_PTR i = 1; i < pDock->m_arrBars.GetSize(); i++) {
        void* p = pDock->m_arrBars[i];
        if (p == NULL) {
            bBreak = true;
            continue;
        }
        if (ExtIsPlaceHolder(p))
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CControlBar*>(p));
        if (pExt == NULL)
            continue;
        add(pExt, bBreak && !bFirst);
        bBreak = false;
        bFirst = false;
    }
}

CFrameWnd* MiniFrameOf(CControlBar* pBar) {
    CFrameWnd* p = pBar->GetParentFrame();
    return p != NULL && p->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) ? p : NULL;
}

// The frame keeps inside the work area of its monitor; moved without redraw only when needed.
void KeepOnWorkArea(CFrameWnd* pMini, const CRect* prcWanted = NULL) {
    CRect rc;
    if (prcWanted != NULL)
        rc = *prcWanted;
    else
        pMini->GetWindowRect(&rc);
    const CRect rcFit = CExtPaintManager::FitRectToMonitor(rc, true, true);
    CRect rcNow;
    pMini->GetWindowRect(&rcNow);
    if (rcFit != rcNow)
        pMini->SetWindowPos(NULL, rcFit.left, rcFit.top, rcFit.Width(), rcFit.Height(),
                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pMini->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
}

// A new floating frame of the library's kind (the frame's own floating-frame class when it is
// one); throws CResourceException when it cannot be made.
CExtMiniDockFrameWnd* NewMiniFrame(CFrameWnd* pFrame, DWORD dwBarStyle) {
    CRuntimeClass* pClass = pFrame->m_pFloatingFrameClass;
    if (pClass == NULL || !pClass->IsDerivedFrom(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        pClass = RUNTIME_CLASS(CExtMiniDockFrameWnd);
    CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pClass->CreateObject());
    if (pMini == NULL || !pMini->Create(pFrame, dwBarStyle))
        AfxThrowResourceException();   // a frame that failed to create deleted itself
    return pMini;
}

void CopyAttributes(const CExtControlBar::InternalDockStateBar& rec, CExtControlBar* pBar) {
    pBar->m_ptFloatHelper = rec.m_ptFloatPos;
    pBar->m_sizeDockedH = rec.m_sizeDockedH;
    pBar->m_sizeDockedV = rec.m_sizeDockedV;
    pBar->m_sizeFloated = rec.m_sizeFloated;
    pBar->m_nDelayedRowUpdateMetric = (int)rec.m_dwLayoutWord;
    pBar->m_nMRUWidth = rec.m_nMRUWidth;
    if (pBar->m_pDockContext != NULL) {
        pBar->m_pDockContext->m_rectMRUDockPos = rec.m_rcMRUDockPos;
        pBar->m_pDockContext->m_dwMRUFloatStyle = rec.m_dwMRUFloatStyle;
        pBar->m_pDockContext->m_ptMRUFloatPos = rec.m_ptMRUFloatPos;
    }
}

// Places a bar into a dock bar as restoring does: no rectangle, the layout locked meanwhile, a
// row break before it or none as the record says.
void InsertIntoDockBar(CExtDockBar* pDock, CExtControlBar* pBar, const CExtControlBar::InternalDockStateBar& rec,
                       bool bMove) {
    const bool bWasLocked = pDock->LockLayout(true);
    pDock->DockControlBar(pBar, NULL);
    if (bMove)
        pBar->SetWindowPos(NULL, rec.m_rcBar.left, rec.m_rcBar.top, rec.m_rcBar.Width(), rec.m_rcBar.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    pDock->LockLayout(bWasLocked);
    CPtrArray& arr = pDock->m_arrBars;
    INT_PTR nIdx = -1;
    for (INT_PTR i = 0; i < arr.GetSize() && nIdx < 0; i++)
        if (arr[i] == pBar)
            nIdx = i;
    if (nIdx <= 1)
        return;
    const bool bBreak = (rec.m_dwFlags & CExtControlBar::InternalDockStateBar::flagRowBreak) != 0;
    if (!bBreak && arr[nIdx - 1] == NULL)
        arr.RemoveAt(nIdx - 1);
    else if (bBreak && arr[nIdx - 1] != NULL)
        arr.InsertAt(nIdx, (void*)NULL);
}

}  // namespace

// ---- The frames under way ------------------------------------------------------------------------

bool CExtControlBar::IsFrameStateSerializing(CFrameWnd* pFrame, bool* pbLoading) {
    WORD w = 0;
    const bool bFound = pFrame != NULL && SerializingFrames().Lookup(pFrame, w);
    if (pbLoading != NULL)
        *pbLoading = bFound && w != 0;
    return bFound;
}

bool CExtControlBar::RegisterFrameStateSerializing(CFrameWnd* pFrame, bool bLoading) {
    WORD w = 0;
    if (pFrame == NULL || SerializingFrames().Lookup(pFrame, w))
        return false;
    SerializingFrames().SetAt(pFrame, (WORD)(bLoading ? 1 : 0));
    return true;
}

bool CExtControlBar::UnregisterFrameStateSerializing(CFrameWnd* pFrame) {
    return pFrame != NULL && SerializingFrames().RemoveKey(pFrame) != FALSE;
}

// ---- Records -------------------------------------------------------------------------------------

void CExtControlBar::SerializeDockPos(CArchive& ar, DockPos_t& rec) {
    if (ar.IsStoring()) {
        const DockPos_t fresh;
        const bool bEmpty = rec.m_nOrder == fresh.m_nOrder && rec.m_rcPreferred == fresh.m_rcPreferred &&
                            rec.m_nPreferredWidth == fresh.m_nPreferredWidth &&
                            rec.m_nPreferredHeight == fresh.m_nPreferredHeight;
        ar << (WORD)(bEmpty ? 1 : 0);
        if (bEmpty)
            return;
        ar << (DWORD)1 << rec.m_rcPreferred << rec.m_nPreferredWidth << rec.m_nPreferredHeight << (DWORD)rec.m_nOrder;
        return;
    }
    WORD wFlags = 0;
    ar >> wFlags;
    if ((wFlags & ~1) != 0)
        Damaged();
    rec = DockPos_t();
    if (wFlags & 1)
        return;
    DWORD dwRef = 0, dwLast = 0;
    CRect rc;
    int cx = 0, cy = 0;
    ar >> dwRef >> rc >> cx >> cy >> dwLast;
    if (dwLast > 0xFFFF)
        Damaged();
    if (dwRef == 0)
        return;   // an empty record
    rec.m_rcPreferred = rc;
    rec.m_nPreferredWidth = cx;
    rec.m_nPreferredHeight = cy;
    rec.m_nOrder = (WORD)dwLast;
}

void CExtControlBar::OuterItemData_t::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << (WORD)(m_bFloating ? 1 : 0) << m_nBarID << m_ptFloatPos << m_sizeDockedH << m_sizeDockedV << m_sizeFloated;
        SerializeDockPos(ar, m_dockPos);
        return;
    }
    WORD wFlags = 0;
    ar >> wFlags;
    if ((wFlags & ~1) != 0)
        Damaged();
    ar >> m_nBarID >> m_ptFloatPos >> m_sizeDockedH >> m_sizeDockedV >> m_sizeFloated;
    if (m_nBarID == 0 || m_nBarID > 0xFFFF)
        Damaged();
    SerializeDockPos(ar, m_dockPos);
    m_bFloating = (wFlags & 1) != 0;
}

void CExtControlBar::InternalDockStateBar::SetDefaults() {
    m_nBarID = m_nDockBarID = (int)AFX_IDW_DOCKBAR_FLOAT;
    m_nCircleNo = 0;
    m_nMRUWidth = 50;
    m_dwBarStyle = m_dwFlags = m_dwMRUFloatStyle = m_dwLayoutWord = 0;
    m_dwFrameStyle = WS_CHILD;
    m_ptFloatPos = m_ptMRUFloatPos = CPoint(0, 0);
    m_rcMRUDockPos.SetRectEmpty();
    m_rcFrame = m_rcBar = CRect(0, 0, 200, 200);
    m_sizeDockedH = m_sizeDockedV = m_sizeFloated = CSize(200, 200);
    m_pRestoredBar = NULL;
}

void CExtControlBar::InternalDockStateBar::Reset() {
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        delete m_arrChildren[i];
    m_arrChildren.RemoveAll();
    SetDefaults();
}

void CExtControlBar::InternalDockStateBar::CollectBarIds(CDWordArray& arr) const {
    arr.Add((DWORD)m_nBarID);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        m_arrChildren[i]->CollectBarIds(arr);
}

void CExtControlBar::InternalDockStateBar::Serialize(CArchive& ar, int nDepth) {
    if (ar.IsStoring()) {
        ar << m_nBarID << m_nDockBarID << m_nCircleNo << m_nMRUWidth << m_dwBarStyle << m_dwFlags << m_dwMRUFloatStyle
           << m_ptFloatPos << m_ptMRUFloatPos << m_rcMRUDockPos << m_rcFrame << m_dwFrameStyle << m_dwLayoutWord
           << m_rcBar << m_sizeDockedH << m_sizeDockedV << m_sizeFloated << (int)m_arrChildren.GetSize();
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->Serialize(ar, nDepth + 1);
        return;
    }
    Reset();
    int nChildren = 0;
    ar >> m_nBarID >> m_nDockBarID >> m_nCircleNo >> m_nMRUWidth >> m_dwBarStyle >> m_dwFlags >> m_dwMRUFloatStyle >>
        m_ptFloatPos >> m_ptMRUFloatPos >> m_rcMRUDockPos >> m_rcFrame >> m_dwFrameStyle >> m_dwLayoutWord >> m_rcBar >>
        m_sizeDockedH >> m_sizeDockedV >> m_sizeFloated >> nChildren;
    const DWORD dwKind = m_dwFlags & kindMask;
    const bool bFloating = (m_dwFlags & flagFloating) != 0;
    const bool bInContainer = (m_dwFlags & flagInContainer) != 0;
    // what no saved layout holds: refuse the whole archive
    if (m_nBarID <= 0 || m_nBarID > 0xFFFF || (dwKind != kindBar && dwKind != kindContainer) ||
        (m_dwFlags & ~(DWORD)0xFF) != 0)
        Damaged();
    if (!IsSideId(m_nDockBarID) && m_nDockBarID != (int)AFX_IDW_DOCKBAR_FLOAT)
        Damaged();
    if (nDepth == 0 && (bInContainer || (!bFloating && (!IsSideId(m_nDockBarID) || m_nCircleNo < 1 ||
                                                        m_nCircleNo > kMaxCircle))))
        Damaged();
    if (bFloating && (dwKind != kindContainer || nDepth != 0))
        Damaged();
    if (nDepth > 0 && (dwKind != kindBar || !bInContainer))
        Damaged();   // containers hold plain bars only: one level of nesting
    if (nChildren < 0 || (nChildren > 0 && dwKind != kindContainer) ||
        (ULONGLONG)nChildren > ar.GetBytesLeft() / kMinRecordBytes)
        Damaged();
    for (int i = 0; i < nChildren; i++) {
        InternalDockStateBar* pChild = new InternalDockStateBar;
        m_arrChildren.Add(pChild);
        pChild->Serialize(ar, nDepth + 1);
    }
}

void CExtControlBar::InternalDockStateBar::CaptureFromBar(CExtControlBar* pBar, InternalDockStateBar* pParent) {
    (void)pParent;
    Reset();
    m_nBarID = pBar->GetDlgCtrlID();
    m_nDockBarID = pBar->m_pDockBar != NULL ? pBar->m_pDockBar->GetDlgCtrlID() : (int)AFX_IDW_DOCKBAR_FLOAT;
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
    m_nCircleNo = (pBar->IsFloating() || pDock == NULL) ? 0 : (int)pDock->GetCircleNo();
    if (pBar->IsVisible())
        m_dwFlags |= flagVisible;
    m_nMRUWidth = pBar->m_nMRUWidth;
    m_ptFloatPos = pBar->m_ptFloatHelper;
    m_sizeDockedH = pBar->m_sizeDockedH;
    m_sizeDockedV = pBar->m_sizeDockedV;
    m_sizeFloated = pBar->m_sizeFloated;
    m_dwLayoutWord = (DWORD)pBar->m_nDelayedRowUpdateMetric;
    if (pBar->m_pDockContext != NULL) {
        m_rcMRUDockPos = pBar->m_pDockContext->m_rectMRUDockPos;
        m_dwMRUFloatStyle = pBar->m_pDockContext->m_dwMRUFloatStyle;
        m_ptMRUFloatPos = pBar->m_pDockContext->m_ptMRUFloatPos;
    }
    m_dwBarStyle = pBar->m_dwStyle;
    CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
    if (pContainer == NULL) {
        m_dwFlags |= kindBar;
        return;
    }
    m_dwFlags |= kindContainer;
    if (CExtDockDynBar* pInner = pContainer->GetInnerDockBar()) {
        ForEachDockedLibraryBar(pInner, [&](CExtControlBar* pChildBar, bool bRowBreak) {
            InternalDockStateBar* pChild = new InternalDockStateBar;
            pChild->CaptureFromBar(pChildBar, this);
            pChild->m_dwFlags |= flagInContainer | (bRowBreak ? (DWORD)flagRowBreak : (DWORD)0);
            m_arrChildren.Add(pChild);
        });
    }
    if (pBar->IsFloating()) {
        if (CFrameWnd* pMini = MiniFrameOf(pBar)) {
            m_dwFlags |= flagFloating;
            pMini->GetWindowRect(&m_rcFrame);
            m_dwFrameStyle = pMini->GetStyle();
        }
    }
}

void CExtControlBar::InternalDockStateBar::RestoreBar(CFrameWnd* pFrame, InternalDockStateBar* pParent) {
    m_pRestoredBar = NULL;
    const DWORD dwKind = m_dwFlags & kindMask;
    CExtControlBar* pBar = NULL;
    if (dwKind == kindBar) {
        pBar = DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar((UINT)m_nBarID));
        if (pBar == NULL || pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            return;   // a bar the frame lacks: skipped
        CExtDockBar* pDock = NULL;
        if ((m_dwFlags & flagInContainer) == 0) {
            CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pFrame, (UINT)m_nDockBarID);
            pDock = pOuter != NULL ? pOuter->GetCircleDockBar((UINT)m_nCircleNo) : NULL;
        } else if (pParent != NULL && pParent->m_pRestoredBar != NULL) {
            pDock = static_cast<CExtDynControlBar*>(pParent->m_pRestoredBar)->GetInnerDockBar();
        }
        if (pDock == NULL)
            return;
        InsertIntoDockBar(pDock, pBar, *this, (m_dwFlags & flagInContainer) != 0);
    } else {
        CExtMiniDockFrameWnd* pMini = NULL;
        if (m_dwFlags & flagFloating) {
            pMini = NewMiniFrame(pFrame, (m_dwBarStyle & CBRS_ALIGN_ANY) != 0 ? (m_dwBarStyle & CBRS_ALIGN_ANY) : CBRS_ALIGN_TOP);
            KeepOnWorkArea(pMini, &m_rcFrame);
        }
        CExtDynControlBar* pContainer = new CExtDynControlBar;
        pContainer->m_sizeDockedH = m_sizeDockedH;
        pContainer->m_sizeDockedV = m_sizeDockedV;
        pContainer->m_sizeFloated = m_sizeFloated;
        if (!pContainer->Create(NULL, pFrame, (UINT)m_nBarID, WS_CHILD | CBRS_BORDER_ANY | CBRS_TOOLTIPS | (m_dwBarStyle & 0xF000))) {
            if (pMini != NULL)
                pMini->DestroyWindow();
            return;   // the container and its bars are skipped (it deleted itself)
        }
        pContainer->m_pDockSite = pFrame;
        if (CExtDockDynBar* pInner = pContainer->GetInnerDockBar())
            pInner->m_pDockSite = pFrame;
        pContainer->SetOwner(pFrame);
        pContainer->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->AddControlBar(pContainer);
        if (pMini != NULL) {
            static_cast<CExtDockBar*>(pMini->GetDockBar())->DockControlBar(pContainer, NULL);
        } else {
            CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pFrame, (UINT)m_nDockBarID);
            CExtDockBar* pDock = pOuter != NULL ? pOuter->GetCircleDockBar((UINT)m_nCircleNo) : NULL;
            if (pDock != NULL)
                InsertIntoDockBar(pDock, pContainer, *this, true);
        }
        if (CExtDockDynBar* pInner = pContainer->GetInnerDockBar()) {
            if (!pInner->m_bOutOfFrameList) {
                pFrame->RemoveControlBar(pInner);
                pInner->m_bOutOfFrameList = true;
            }
        }
        pBar = pContainer;
        m_pRestoredBar = pBar;
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->RestoreBar(pFrame, this);
    }
    m_pRestoredBar = pBar;
    pFrame->ShowControlBar(pBar, (m_dwFlags & flagVisible) != 0, TRUE);
    if (CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame()))
        KeepOnWorkArea(pMini);
    pBar->m_dwStyle = m_dwBarStyle | (pBar->m_dwStyle & CBRS_FLOATING);
    CopyAttributes(*this, pBar);
}

void CExtControlBar::InternalDockStateBar::CopyLayoutToBar(CFrameWnd* pFrame, InternalDockStateBar* pParent) {
    (void)pParent;
    if (m_pRestoredBar != NULL)
        CopyAttributes(*this, m_pRestoredBar);
    for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
        m_arrChildren[i]->CopyLayoutToBar(pFrame, this);
}

void CExtControlBar::InternalDockStateBar::FinishRestore(CFrameWnd* pFrame, InternalDockStateBar* pParent) {
    (void)pParent;
    if (m_pRestoredBar == NULL)
        return;
    if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, m_pRestoredBar)) {
        CExtDockDynBar* pInner = pContainer->GetInnerDockBar();
        if (pInner != NULL && !pInner->m_bOutOfFrameList) {
            pFrame->RemoveControlBar(pInner);
            pInner->m_bOutOfFrameList = true;
        }
        if (CFrameWnd* pMini = MiniFrameOf(pContainer))
            pMini->RecalcLayout();
        for (INT_PTR i = 0; i < m_arrChildren.GetSize(); i++)
            m_arrChildren[i]->FinishRestore(pFrame, this);
    }
    CopyAttributes(*this, m_pRestoredBar);
}

// ---- The site -------------------------------------------------------------------------------------

CExtControlBar::InternalDockStateSite::InternalDockStateSite(CFrameWnd* pFrame)
    : m_pFrame(pFrame), m_pDockState(new CDockState) {
    Reset();
}

CExtControlBar::InternalDockStateSite::~InternalDockStateSite() {
    Reset();
    delete m_pDockState;
}

void CExtControlBar::InternalDockStateSite::Reset() {
    m_arrOuterItems.RemoveAll();
    memset(&m_wp, 0, sizeof m_wp);
    m_wp.length = sizeof m_wp;
    m_pDockState->Clear();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        delete m_arrBars[i];
    m_arrBars.RemoveAll();
}

void CExtControlBar::InternalDockStateSite::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << HeaderText() << kLibraryVersion << kShortVersion << (DWORD)0 << (DWORD)0 << (DWORD)0 << (DWORD)0;
        ar << ExtFormatPlacement(m_wp);
        m_pDockState->Serialize(ar);
        ar << (DWORD)m_arrOuterItems.GetSize();
        for (INT_PTR i = 0; i < m_arrOuterItems.GetSize(); i++)
            m_arrOuterItems[i].Serialize(ar);
        ar << (DWORD)m_arrBars.GetSize();
        for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
            m_arrBars[i]->Serialize(ar, 0);
        return;
    }
    Reset();
    CString strHeader;
    ar >> strHeader;   // its text is not checked
    DWORD dw[6];
    for (DWORD& d : dw)
        ar >> d;
    if (dw[1] != kShortVersion)
        Damaged();
    CString strPlacement;
    ar >> strPlacement;
    if (m_pFrame->GetSafeHwnd() != NULL)
        m_pFrame->GetWindowPlacement(&m_wp);
    m_wp.length = sizeof m_wp;
    m_wp.ptMinPosition = m_wp.ptMaxPosition = CPoint(0, 0);
    if (!ParsePlacement(strPlacement, m_wp)) {
        memset(&m_wp, 0, sizeof m_wp);
        m_wp.length = sizeof m_wp;
        Damaged();
    }
    m_pDockState->Serialize(ar);
    int nRows = 0;
    ar >> nRows;
    if (nRows > 0 && (ULONGLONG)nRows > ar.GetBytesLeft() / kMinRowBytes)
        Damaged();
    for (int i = 0; i < nRows; i++) {
        OuterItemData_t row;
        row.Serialize(ar);
        m_arrOuterItems.Add(row);
    }
    int nRecords = 0;
    ar >> nRecords;
    if (nRecords > 0 && (ULONGLONG)nRecords > ar.GetBytesLeft() / kMinRecordBytes)
        Damaged();
    for (int i = 0; i < nRecords; i++) {
        InternalDockStateBar* pRec = new InternalDockStateBar;
        m_arrBars.Add(pRec);
        pRec->Serialize(ar, 0);
    }
}

void CExtControlBar::InternalDockStateSite::CaptureFromFrame() {
    Reset();
    CExtDockBar::CompactFrameCircles(m_pFrame);
    m_pFrame->GetWindowPlacement(&m_wp);
    m_wp.length = sizeof m_wp;
    for (CControlBar* pBar : ExtFrameBarList(m_pFrame)) {
        if (pBar->m_hWnd == NULL)
            continue;
        if (!pBar->IsDockBar()) {
            CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
            if (pContainer != NULL && pBar->IsFloating()) {
                InternalDockStateBar* pRec = new InternalDockStateBar;
                pRec->CaptureFromBar(pContainer, NULL);
                m_arrBars.Add(pRec);
            }
            continue;
        }
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
        if (pDock == NULL || MiniFrameOf(pDock) != NULL || pDock->m_bFloating || pDock->GetCircleNo() == 0 ||
            pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
            continue;
        ForEachDockedLibraryBar(pDock, [&](CExtControlBar* pExt, bool bRowBreak) {
            InternalDockStateBar* pRec = new InternalDockStateBar;
            pRec->CaptureFromBar(pExt, NULL);
            if (bRowBreak)
                pRec->m_dwFlags |= InternalDockStateBar::flagRowBreak;
            m_arrBars.Add(pRec);
        });
    }
    CaptureFrameDockState(m_pFrame, *m_pDockState, m_arrOuterItems);
}

bool CExtControlBar::InternalDockStateSite::ApplyToFrame(bool bPlaceFrame) {
    CFrameWnd* pFrame = m_pFrame;
    if (bPlaceFrame) {
        CRect rc(m_wp.rcNormalPosition);
        const UINT nShow = m_wp.showCmd;
        if (nShow == SW_SHOWMINIMIZED || nShow == SW_SHOWMAXIMIZED || nShow == SW_SHOWMINNOACTIVE || nShow == SW_HIDE ||
            nShow == SW_FORCEMINIMIZE) {
            CExtPaintManager::MonitorParms mp;
            CExtPaintManager::GetMonitorParmsFromPoint(mp, rc.TopLeft());
            rc = mp.m_rcWorkArea;
        }
        pFrame->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    }
    // every bar that sits where a record may put it is taken out first; floating bars dock back
    CArray<CExtControlBar*, CExtControlBar*> arrFloating;
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (pBar->m_hWnd == NULL || pBar->IsDockBar() || pBar->m_pDockSite == NULL || pBar->m_pDockContext == NULL)
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (MiniFrameOf(pBar) != NULL) {
            if (pExt != NULL && !pExt->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
                arrFloating.Add(pExt);
            continue;
        }
        if (pBar->m_pDockBar == NULL) {
            pFrame->DockControlBar(pBar);
            pFrame->ShowControlBar(pBar, FALSE, TRUE);
            continue;
        }
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
        if (pExt != NULL && !pExt->IsFixedSizeBar() && !pExt->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) &&
            pDock != NULL && (pDock->GetCircleNo() != 0 || pDock->IsKindOf(RUNTIME_CLASS(CExtDockDynBar))))
            pFrame->ShowControlBar(pBar, FALSE, TRUE);
    }
    for (INT_PTR i = 0; i < arrFloating.GetSize(); i++) {
        CExtControlBar* pBar = arrFloating[i];
        const DWORD dwAlign = pBar->m_dwStyle & CBRS_ALIGN_ANY;
        const UINT nID = (dwAlign & CBRS_ALIGN_BOTTOM) ? AFX_IDW_DOCKBAR_BOTTOM
                         : (dwAlign & CBRS_ALIGN_LEFT)  ? AFX_IDW_DOCKBAR_LEFT
                         : (dwAlign & CBRS_ALIGN_RIGHT) ? AFX_IDW_DOCKBAR_RIGHT
                                                        : AFX_IDW_DOCKBAR_TOP;
        if (pBar->IsFixedSizeBar()) {
            pFrame->ShowControlBar(pBar, FALSE, FALSE);
            pFrame->DockControlBar(pBar, nID);
        } else if (CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pFrame, nID)) {
            if (CExtDockBar* pCircle = pOuter->GetCircleDockBar(1))
                pCircle->DockControlBar(pBar, NULL);
        }
        pFrame->ShowControlBar(pBar, FALSE, TRUE);
    }
    CExtDockBar::CompactFrameCircles(pFrame);
    pFrame->RecalcLayout();

    // the records; the layout flag goes back however this ends
    INT_PTR nRestored = 0;
    bool bOk = true;
    {
        struct LayoutFlag {
            CFrameWnd* p;
            ~LayoutFlag() { p->m_bInRecalcLayout = FALSE; }
        } flag{pFrame};
        pFrame->m_bInRecalcLayout = TRUE;
        try {
            for (; nRestored < m_arrBars.GetSize(); nRestored++)
                m_arrBars[nRestored]->RestoreBar(pFrame, NULL);
        } catch (CException* e) {
            e->Delete();
            bOk = false;
        }
    }
    if (!bOk) {
        // the bars of the records not placed dock at their defaults and show again
        CDWordArray arrIds;
        for (INT_PTR i = nRestored; i < m_arrBars.GetSize(); i++)
            m_arrBars[i]->CollectBarIds(arrIds);
        for (INT_PTR i = 0; i < arrIds.GetSize(); i++) {
            CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar(arrIds[i]));
            if (pBar == NULL || pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
                continue;
            if (pBar->m_pDockBar == NULL || MiniFrameOf(pBar) != NULL) {
                CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pFrame, AFX_IDW_DOCKBAR_TOP);
                CExtDockBar* pCircle = pOuter != NULL ? pOuter->GetCircleDockBar(1) : NULL;
                if (pCircle != NULL)
                    pCircle->DockControlBar(pBar, NULL);
            }
            pFrame->ShowControlBar(pBar, TRUE, TRUE);
        }
        CExtDockBar::CompactFrameCircles(pFrame);
        pFrame->RecalcLayout();
        return false;
    }
    ApplyFrameDockState(pFrame, *m_pDockState, m_arrOuterItems);
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
        m_arrBars[i]->CopyLayoutToBar(pFrame, NULL);
    pFrame->RecalcLayout();
    for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
        InternalDockStateBar* pRec = m_arrBars[i];
        pRec->FinishRestore(pFrame, NULL);
        if ((pRec->m_dwFlags & InternalDockStateBar::flagFloating) != 0 && pRec->m_pRestoredBar != NULL) {
            pRec->m_pRestoredBar->RecalcNonClientArea();
            pRec->m_pRestoredBar->FitSingleChild(-1, -1, true);
            if (CFrameWnd* pMini = MiniFrameOf(pRec->m_pRestoredBar))
                pMini->RecalcLayout();
        }
    }
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt == NULL || pExt->m_hWnd == NULL || !pExt->IsFixedSizeBar() ||
            pExt->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
            continue;
        pExt->RecalcNonClientArea();
        if (pExt->IsFloating())
            pExt->RecalcParentFrameLayout();
    }
    // A show or hide the restore left pending (a bar in a circle or container the layout above
    // did not visit) is carried out now: the bars come back as visible as they were saved.
    bool bPending = false;
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (pBar->m_hWnd == NULL || pBar->IsDockBar() || pBar->IsVisible() == ((pBar->GetStyle() & WS_VISIBLE) != 0))
            continue;
        AFX_SIZEPARENTPARAMS layout = {};
        layout.hDWP = ::BeginDeferWindowPos(1);
        pBar->RecalcDelayShow(&layout);
        if (layout.hDWP != NULL)
            ::EndDeferWindowPos(layout.hDWP);
        bPending = true;
    }
    if (bPending)
        pFrame->RecalcLayout();
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    return true;
}

// ---- The framework's dock state and the rows -------------------------------------------------------

void CExtControlBar::CaptureFrameDockState(CFrameWnd* pFrame, CDockState& state,
                                           CArray<OuterItemData_t, const OuterItemData_t&>& arrRows) {
    state.Clear();
    arrRows.RemoveAll();
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (pBar->m_hWnd == NULL)
            continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || pBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) ||
            (pBar->m_pDockBar != NULL && pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar))))
            continue;
        if (pBar->IsDockBar()) {
            CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
            if (pBar->GetDlgCtrlID() == (int)AFX_IDW_DOCKBAR_FLOAT) {
                CWnd* pFirst = pBar->GetWindow(GW_CHILD);
                if (pFirst != NULL && DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(pFirst->m_hWnd)))
                    continue;
                if (static_cast<CDockBar*>(pBar)->GetDockedCount() == 0)
                    continue;   // an emptied floating frame: nothing to restore
            } else if (pDock != NULL && pDock->GetCircleNo() != 0) {
                continue;
            }
        }
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt != NULL && !pExt->IsFixedSizeBar() && !pExt->IsFloating()) {
            CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pExt->m_pDockBar);
            if (pDock == NULL || pDock->GetCircleNo() != 0)
                continue;
        }
        CSize sizeGrown(0, 0);
        if (pExt != NULL) {
            OuterItemData_t row;
            row.m_nBarID = (DWORD)pExt->GetDlgCtrlID();
            row.m_ptFloatPos = pExt->m_ptFloatHelper;
            row.m_sizeDockedH = pExt->m_sizeDockedH;
            row.m_sizeDockedV = pExt->m_sizeDockedV;
            row.m_sizeFloated = pExt->m_sizeFloated;
            if (DockPos_t* pRec = pExt->GetDockPosRecord())
                row.m_dockPos = *pRec;
            if (pExt->IsFloating()) {
                if (CFrameWnd* pMini = MiniFrameOf(pExt)) {
                    CRect rcMini, rcBar;
                    pMini->GetWindowRect(&rcMini);
                    pExt->GetWindowRect(&rcBar);
                    row.m_ptFloatPos = rcMini.TopLeft();
                    row.m_bFloating = true;
                    if (pExt->IsFixedSizeBar()) {
                        row.m_sizeFloated += rcMini.Size() - rcBar.Size();
                        sizeGrown = row.m_sizeFloated;
                    }
                }
            }
            arrRows.Add(row);
        }
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        if (pInfo->m_pBar == NULL) {
            delete pInfo;
            continue;
        }
        if (sizeGrown.cx > 0 && sizeGrown.cy > 0)
            pInfo->m_nMRUWidth = sizeGrown.cx;
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CExtControlBar::ApplyFrameDockState(CFrameWnd* pFrame, CDockState& state,
                                         CArray<OuterItemData_t, const OuterItemData_t&>& arrRows) {
    // the framework places the bars it knows (it checks the state before it moves any)
    pFrame->SetDockState(state);
    for (INT_PTR i = 0; i < arrRows.GetSize(); i++) {
        const OuterItemData_t& row = arrRows[i];
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pFrame->GetControlBar(row.m_nBarID));
        if (pBar == NULL)
            continue;
        pBar->m_ptFloatHelper = row.m_ptFloatPos;
        pBar->m_sizeDockedH = row.m_sizeDockedH;
        pBar->m_sizeDockedV = row.m_sizeDockedV;
        pBar->m_sizeFloated = row.m_sizeFloated;
        pBar->SetDockPosRecord(&row.m_dockPos);
        if (!row.m_bFloating)
            continue;
        if (pBar->IsFixedSizeBar()) {
            // the stored floating size is the frame's: the bar's is that less the frame's border
            if (CFrameWnd* pMini = MiniFrameOf(pBar)) {
                CRect rcMini, rcBar;
                pMini->GetWindowRect(&rcMini);
                pBar->GetWindowRect(&rcBar);
                pBar->m_sizeFloated -= rcMini.Size() - rcBar.Size();
            }
        }
        CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, MiniFrameOf(pBar));
        if (pMini != NULL) {
            CRect rcNow;
            pMini->GetWindowRect(&rcNow);
            if (rcNow.TopLeft() != row.m_ptFloatPos)
                pMini->SetWindowPos(NULL, row.m_ptFloatPos.x, row.m_ptFloatPos.y, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            KeepOnWorkArea(pMini);
        } else {
            pFrame->FloatControlBar(pBar, row.m_ptFloatPos);
        }
    }
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (!pBar->IsDockBar() || pBar->GetDlgCtrlID() != (int)AFX_IDW_DOCKBAR_FLOAT || pBar->m_hWnd == NULL)
            continue;
        CFrameWnd* pMini = MiniFrameOf(pBar);
        if (pMini == NULL)
            continue;
        pMini->RecalcLayout();
        if (static_cast<CDockBar*>(pBar)->GetDockedVisibleCount() > 0)
            pMini->ShowWindow(SW_SHOWNA);
        CDockBar* pDock = static_cast<CDockBar*>(pBar);
        for (INT_PTR j = 0; j < pDock->m_arrBars.GetSize(); j++)
            if (CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pDock->GetDockedControlBar((int)j)))
                if (!pExt->IsFixedSizeBar())
                    pExt->RecalcNonClientArea();
    }
}

// ---- The entry ------------------------------------------------------------------------------------

bool CExtControlBar::SerializeFrameBarState(CArchive& ar, CFrameWnd* pFrame, WINDOWPLACEMENT* pFrameWp) {
    if (pFrame->GetSafeHwnd() == NULL || !RegisterFrameStateSerializing(pFrame, ar.IsLoading() != FALSE))
        return false;
    bool bResult = false;
    InternalDockStateSite* pSite = NULL;
    try {
        pSite = new InternalDockStateSite(pFrame);
        if (ar.IsStoring()) {
            pSite->CaptureFromFrame();
            pSite->Serialize(ar);
            bResult = true;
        } else {
            WINDOWPLACEMENT wp = {};
            wp.length = sizeof wp;
            if (pFrame->GetWindowPlacement(&wp)) {
                wp.ptMinPosition = wp.ptMaxPosition = CPoint(0, 0);
                wp.showCmd = (pFrame->GetStyle() & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE;
                pFrame->SetWindowPlacement(&wp);
            }
            // read and checked whole before anything is applied
            pSite->Serialize(ar);
            bResult = pSite->ApplyToFrame(pFrameWp != NULL);
        }
        if (pFrameWp != NULL && bResult)
            *pFrameWp = pSite->m_wp;
    } catch (CException* e) {
        e->Delete();
        bResult = false;
    }
    delete pSite;
    UnregisterFrameStateSerializing(pFrame);
    return bResult;
}
