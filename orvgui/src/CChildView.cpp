#include "CChildView.h"

#include <algorithm>

#include <boost/format.hpp>

#include "AlarmNotifier.h"
#include "AlarmNotifierRegistry.h"
#include "ColumnIdSequence.h"
#include "FlusherThread.h"
#include "GuiStrings.h"
#include "ItemNotifier.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "ProfileStore.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

namespace {

const int kStatusColumn = 144;
const int kNameColumn = 146;
// Row pictures: 0 suspended, 1 down, 2 up (large 32x32 in 131, small 16x16 in 132).
const UINT kBitmapLargeStates = 131;
const UINT kBitmapSmallStates = 132;
// A re-sort asked for while one is pending: many row changes in one queue sort once.
const UINT_PTR kResortTimer = 0x4F52;
// The pass over marked rows when no further message comes to run it.
const UINT_PTR kChangePassTimer = 0x4F53;

}  // namespace

IMPLEMENT_DYNCREATE(CChildView, CFormView)

BEGIN_MESSAGE_MAP(CChildView, CFormView)
    ON_WM_CREATE()
    ON_NOTIFY(NM_CLICK, IDC_ITEM_LIST, OnListClick)
    ON_NOTIFY(NM_DBLCLK, IDC_ITEM_LIST, OnListDblClk)
    ON_NOTIFY(NM_RCLICK, IDC_ITEM_LIST, OnListRClick)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_TIMER()
    ON_MESSAGE(ItemNotifier::kItemChanged, OnItemChangedMessage)
END_MESSAGE_MAP()

CChildView::CChildView()
    : CFormView(IDD), m_pHost(NULL), m_pManager(NULL), m_bResortPending(false), m_dwFirstChange(0),
      m_dwPassWait(kChangePassMs), m_bPassTimer(false)
{
    LogSetup::getLogger(LogSetup::instance(), m_logger, "orv.MonitorItemWrapperManager");
}

CChildView::~CChildView() {}

MonitorItemWrapperManager& CChildView::Manager() const
{
    return m_pManager != NULL ? *m_pManager : *MonitorItemWrapperManager::instance();
}

void CChildView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ITEM_LIST, m_list);
}

int CChildView::OnCreate(LPCREATESTRUCT)
{
    return Default() == -1 ? -1 : 0;
}

void CChildView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->RecalcLayout();
    ResizeParentToFit();
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_FRAMECHANGED);
    SetScrollSizes(MM_TEXT, CSize(0, 0));

    CreateImageLists();
    BuildColumns();
    FillRows();
    for (MonitorItemWrapperManager::Iterator it = Manager().begin(); it != Manager().end(); ++it) {
        FlusherThread::instance()->add((*it)->getItem());
        StartItemWorker(*it);
    }
    FlusherThread::instance()->start();
    m_list.ResetSort();
}

void CChildView::CreateImageLists()
{
    m_largeImages.Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1);
    m_smallImages.Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1);
    CBitmap largeStates, smallStates;
    if (largeStates.LoadBitmap(kBitmapLargeStates))
        m_largeImages.Add(&largeStates, RGB(255, 0, 255));
    if (smallStates.LoadBitmap(kBitmapSmallStates))
        m_smallImages.Add(&smallStates, RGB(255, 0, 255));
    m_list.SetImageList(&m_largeImages, LVSIL_NORMAL);
    m_list.SetImageList(&m_smallImages, LVSIL_SMALL);
}

void CChildView::BuildColumns()
{
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    int nOld = pHeader != NULL ? pHeader->GetItemCount() : 0;
    for (int i = nOld - 1; i >= 0; --i)
        m_list.DeleteColumn(i);
    std::vector<int> columns = ProfileStore::instance()->getColumns();
    int nPadding = ProfileStore::instance()->getInt(ProfileColumnPadding);
    int nColumn = 0;
    for (int id : columns) {
        std::string caption = GuiStrings::text(id);
        m_list.InsertColumn(nColumn++, caption.c_str(), LVCFMT_LEFT, ColumnWidth(static_cast<int>(caption.size()), nPadding));
    }
    m_list.UpdateWindow();
    m_list.Resort();
}

void CChildView::InsertRow(MonitorItemWrapper* pWrapper, bool bScroll)
{
    int nRow = m_list.InsertItem(m_list.GetItemCount(), pWrapper->getColumnText(kNameColumn).c_str());
    if (nRow < 0)
        return;
    m_list.SetItemData(nRow, reinterpret_cast<DWORD_PTR>(pWrapper));
    if (pWrapper->isVisible())
        WriteRow(nRow, pWrapper, ColumnIds());
    RequestResort();   // a new row takes its place in the order
    if (bScroll)
        m_list.EnsureVisible(nRow, FALSE);
}

void CChildView::FillRows()
{
    // no drawing and no scrolling per row: each would repaint the page under the rows added so far
    m_list.SetRedraw(FALSE);
    const std::vector<int> ids = ColumnIds();
    int nLast = -1;
    for (MonitorItemWrapperManager::Iterator it = Manager().begin(); it != Manager().end(); ++it) {
        if (!(*it)->isVisible())
            continue;
        int nRow = m_list.InsertItem(m_list.GetItemCount(), (*it)->getColumnText(kNameColumn).c_str());
        if (nRow < 0)
            continue;
        m_list.SetItemData(nRow, reinterpret_cast<DWORD_PTR>(*it));
        WriteRow(nRow, *it, ids);
        nLast = nRow;
    }
    m_list.SetRedraw(TRUE);
    if (nLast >= 0) {
        RequestResort();
        m_list.EnsureVisible(nLast, FALSE);
    }
    m_list.Invalidate();
}

std::vector<int> CChildView::ColumnIds() const
{
    std::vector<int> ids;
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    int nColumns = pHeader != NULL ? pHeader->GetItemCount() : 0;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        char caption[257] = "";
        HDITEMA item = {};
        item.mask = HDI_TEXT;
        item.pszText = caption;
        item.cchTextMax = 256;
        pHeader->GetItem(nColumn, &item);
        ids.push_back(ColumnIdSequence::fromCaption(caption));
    }
    return ids;
}

bool CChildView::WriteRow(int nRow, MonitorItemWrapper* pWrapper, const std::vector<int>& ids)
{
    const int nSortColumn = m_list.GetSortColumn();
    bool bKeyChanged = false;
    char current[1025];
    for (int nColumn = 0; nColumn < static_cast<int>(ids.size()); ++nColumn) {
        const int id = ids[nColumn];
        std::string text = pWrapper->getColumnText(id);
        if (id == kStatusColumn) {
            int nState = std::atoi(text.c_str());
            LVITEMA cell = {};
            cell.mask = LVIF_IMAGE;
            cell.iItem = nRow;
            cell.iSubItem = nColumn;
            if (!m_list.GetItem(&cell) || cell.iImage != nState) {
                cell.iImage = nState;
                m_list.SetItem(&cell);
            }
            text = nState == 2 ? GuiStrings::text(StringAlarmUp)
                               : nState == 1 ? GuiStrings::text(StringAlarmDown) : std::string("Suspended");
        }
        current[0] = '\0';
        m_list.GetItemText(nRow, nColumn, current, sizeof current);
        if (text == current)
            continue;
        m_list.SetItemText(nRow, nColumn, text.c_str());
        if (nColumn == nSortColumn)
            bKeyChanged = true;
    }
    return bKeyChanged;
}

void CChildView::RefreshRow(int nRow, MonitorItemWrapper* pWrapper)
{
    if (!pWrapper->isVisible())
        return;
    if (WriteRow(nRow, pWrapper, ColumnIds()))
        RequestResort();
}

void CChildView::MarkRowChanged(MonitorItemWrapper* pWrapper)
{
    if (!m_changedSet.insert(pWrapper).second)
        return;
    if (m_changed.empty())
        m_dwFirstChange = ::GetTickCount();
    m_changed.push_back(pWrapper);
    if (!m_bPassTimer && m_hWnd != NULL) {
        // comes when the queue is empty; a queue that never empties runs the pass from its messages
        SetTimer(kChangePassTimer, m_dwPassWait, NULL);
        m_bPassTimer = true;
    }
}

void CChildView::ForgetRowChange(MonitorItemWrapper* pWrapper)
{
    if (m_changedSet.erase(pWrapper) == 0)
        return;
    m_changed.erase(std::remove(m_changed.begin(), m_changed.end(), pWrapper), m_changed.end());
}

void CChildView::ApplyRowChanges()
{
    if (m_bPassTimer && m_hWnd != NULL)
        KillTimer(kChangePassTimer);
    m_bPassTimer = false;
    std::vector<MonitorItemWrapper*> changed;
    changed.swap(m_changed);
    m_changedSet.clear();
    if (m_list.m_hWnd == NULL)
        return;
    const DWORD dwStart = ::GetTickCount();
    bool bResort = false;
    if (!changed.empty()) {
        const std::vector<int> ids = ColumnIds();
        for (MonitorItemWrapper* pWrapper : changed) {
            // a wrapper whose row went meanwhile is not read
            int nRow = FindRow(pWrapper);
            if (nRow >= 0 && pWrapper->isVisible() && WriteRow(nRow, pWrapper, ids))
                bResort = true;
        }
    }
    if (bResort || m_bResortPending) {
        m_bResortPending = false;
        m_list.Resort();
    }
    // the rows written are invalidated; paint them now, not when the queue next runs empty
    m_list.UpdateWindow();
    const DWORD dwTook = ::GetTickCount() - dwStart;
    m_dwPassWait = std::min<DWORD>(std::max<DWORD>(dwTook * 4, kChangePassMs), kLongestChangePassMs);
}

void CChildView::RequestResort()
{
    if (m_bResortPending || m_hWnd == NULL)
        return;
    m_bResortPending = true;
    PostMessage(WM_TIMER, kResortTimer, 0);
}

void CChildView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kChangePassTimer) {
        ApplyRowChanges();
        return;
    }
    if (nIDEvent != kResortTimer) {
        Default();
        return;
    }
    if (!m_bResortPending)
        return;   // a pass sorted meanwhile
    m_bResortPending = false;
    m_list.Resort();
}

int CChildView::FindRow(MonitorItemWrapper* pWrapper) const
{
    return m_list.FindRowByData(reinterpret_cast<DWORD_PTR>(pWrapper));
}

MonitorItemWrapper* CChildView::GetSelectedWrapper() const
{
    if (m_list.m_hWnd == NULL)
        return NULL;
    int nRow = m_list.GetNextItem(-1, LVNI_SELECTED);
    return nRow < 0 ? NULL : reinterpret_cast<MonitorItemWrapper*>(m_list.GetItemData(nRow));
}

void CChildView::RefreshItem(MonitorItemWrapper* pWrapper)
{
    int nRow = FindRow(pWrapper);
    if (nRow >= 0)
        RefreshRow(nRow, pWrapper);
}

void CChildView::AddItem(MonitorItemWrapper* pWrapper)
{
    if (!pWrapper->isVisible())
        return;
    InsertRow(pWrapper);
    FlusherThread::instance()->add(pWrapper->getItem());
    StartItemWorker(pWrapper);
}

void CChildView::StartItemWorker(MonitorItemWrapper* pWrapper)
{
    WorkerManager* pWorkers = WorkerManager::instance();
    Worker* pWorker = pWorkers->createWorker(pWrapper->getItem());
    if (pWorker == NULL) {
        // no check for this item type: no notifiers, nothing started; the row stays idle
        LOG4CXX_ERROR(m_logger, (boost::format("No worker for item %1%: it stays idle") %
                                 pWrapper->getColumnText(kNameColumn)).str());
        return;
    }
    ItemNotifier* pItemNotifier = new ItemNotifier(m_hWnd, pWrapper);
    AlarmNotifier* pAlarmNotifier = AlarmNotifierRegistry::instance().add(pWrapper);
    pWorker->attach(pItemNotifier);
    pWorker->attach(pAlarmNotifier);
    pWorkers->startWorker(pWorker);
}

void CChildView::RemoveItem(MonitorItemWrapper* pWrapper)
{
    LOG4CXX_DEBUG(m_logger, (boost::format("Deleting item %1%") % pWrapper->getColumnText(kNameColumn)).str());
    int nRow = FindRow(pWrapper);
    if (nRow < 0)
        return;
    ForgetRowChange(pWrapper);
    m_list.DeleteItem(nRow);
    AlarmNotifierRegistry::instance().disable(pWrapper);
    WorkerManager::instance()->stopWorker(pWrapper->getItem());
    Manager().remove(pWrapper);
}

void CChildView::Rebuild()
{
    m_list.DeleteAllItems();
    BuildColumns();
    FillRows();
    m_list.ResetSort();
}

void CChildView::SaveColumnLayout()
{
    if (m_list.m_hWnd == NULL)
        return;
    CHeaderCtrl* pHeader = m_list.GetHeaderCtrl();
    int nCount = pHeader != NULL ? pHeader->GetItemCount() : 0;
    std::vector<int> order(nCount > 0 ? nCount : 1);
    std::vector<int> ids;
    if (nCount > 0 && m_list.GetColumnOrderArray(order.data(), nCount)) {
        for (int i = 0; i < nCount; ++i) {
            char caption[1025] = "";
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT;
            column.pszText = caption;
            column.cchTextMax = 1024;
            m_list.GetColumn(order[i], &column);
            ids.push_back(ColumnIdSequence::fromCaption(caption));
        }
    }
    ProfileStore::instance()->setColumns(ids);
}

void CChildView::OnListClick(NMHDR*, LRESULT* pResult)
{
    if (m_pHost != NULL)
        m_pHost->OnItemSelection(GetSelectedWrapper() != NULL);
    *pResult = 0;
}

void CChildView::OnListDblClk(NMHDR*, LRESULT* pResult)
{
    if (m_pHost != NULL)
        m_pHost->OnItemProperties();
    *pResult = 0;
}

void CChildView::OnListRClick(NMHDR*, LRESULT* pResult)
{
    if (m_pHost != NULL)
        m_pHost->OnItemContextMenu();
    *pResult = 0;
}

void CChildView::OnDestroy()
{
    if (m_bPassTimer)
        KillTimer(kChangePassTimer);
    m_bPassTimer = false;
    m_changed.clear();
    m_changedSet.clear();
    SaveColumnLayout();
    CFormView::OnDestroy();
    FlusherThread::instance()->stop();
}

void CChildView::OnSize(UINT, int cx, int cy)
{
    Default();
    if (m_list.m_hWnd != NULL)
        m_list.MoveWindow(0, 0, cx, cy);
}

void CChildView::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    Default();
}

LRESULT CChildView::OnItemChangedMessage(WPARAM wParam, LPARAM)
{
    MonitorItemWrapper* pWrapper = reinterpret_cast<MonitorItemWrapper*>(wParam);
    // a message still queued for a deleted item finds no row: the wrapper is not read
    int nRow = wParam != 0 ? FindRow(pWrapper) : -1;
    if (nRow >= 0) {
        if (m_pHost != NULL)
            m_pHost->OnItemChanged(pWrapper);
        if (pWrapper->isVisible()) {
            MarkRowChanged(pWrapper);
        } else {
            ForgetRowChange(pWrapper);
            m_list.DeleteItem(nRow);
        }
    }
    // WM_TIMER and WM_PAINT wait for an empty queue: under a steady stream the messages run the pass
    if (!m_changed.empty() && ::GetTickCount() - m_dwFirstChange >= m_dwPassWait)
        ApplyRowChanges();
    return 0;
}
