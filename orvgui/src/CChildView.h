// The main frame's view: a form (template 130) whose one control is the item list (1000). One row
// per visible item, columns from the profile, and each row kept current by the item-changed
// message (WM_USER+1001) that the item's ItemNotifier posts from its worker. It starts every
// item's worker with its two notifiers and stops it when the item is removed.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <unordered_set>
#include <vector>

#include "CCommonListCtrl.h"
#include "CExtWA.h"
#include "orv/log4cxx.h"

class MonitorItemWrapper;
class MonitorItemWrapperManager;

// The item list's control: the list under the UI library's anchoring layer. The view relies on
// nothing of that layer; it is there so that the list takes part in the library's layout.
typedef CExtWA<CCommonListCtrl> CItemListCtrl;

class CChildView : public CFormView {
    DECLARE_DYNCREATE(CChildView)
public:
    enum { IDD = 130, IDC_ITEM_LIST = 1000 };

    // What the view tells the main frame (its item commands follow the selection and the item
    // states; double click and right click run its commands). Called on the GUI thread.
    class Host {
    public:
        virtual ~Host() {}
        virtual void OnItemSelection(bool bSelected) = 0;
        virtual void OnItemChanged(MonitorItemWrapper* pWrapper) = 0;
        virtual void OnItemProperties() = 0;
        virtual void OnItemContextMenu() = 0;
    };

    CChildView();
    ~CChildView() override;

    void SetHost(Host* pHost) { m_pHost = pHost; }
    // The wrappers shown (null, the default: MonitorItemWrapperManager::instance()).
    void SetWrapperManager(MonitorItemWrapperManager* pManager) { m_pManager = pManager; }
    CItemListCtrl& GetListCtrl() { return m_list; }

    // Compares the rows' item data only: the wrapper is not read (it may be gone).
    int FindRow(MonitorItemWrapper* pWrapper) const;
    // The wrapper of the first selected row, or null.
    MonitorItemWrapper* GetSelectedWrapper() const;
    // Writes the row's cells now (only those whose text or picture changed) and re-sorts once the
    // queued messages are handled when the sort column's text changed.
    void RefreshRow(int nRow, MonitorItemWrapper* pWrapper);
    void RefreshItem(MonitorItemWrapper* pWrapper);
    // A new item's row, periodic saving and worker (visible wrappers only).
    void AddItem(MonitorItemWrapper* pWrapper);
    // Deletes an item the main frame has unregistered from periodic saving: its row, alarm,
    // worker and wrapper. An item without a row is left untouched.
    void RemoveItem(MonitorItemWrapper* pWrapper);
    // Rows and columns again from the profile (after the columns chooser).
    void Rebuild();
    // The displayed columns, in display order, into the profile.
    void SaveColumnLayout();
    void BuildColumns();
    void FillRows();

    // Starts the item's worker with an ItemNotifier (to this view) and an AlarmNotifier attached;
    // an item type without a worker gets neither and stays idle.
    virtual void StartItemWorker(MonitorItemWrapper* pWrapper);

    // Width of a column whose caption has nChars characters (profile position 13 added).
    static int ColumnWidth(int nChars, int nPadding) { return nChars * 7 + nPadding; }

    // Item-changed messages only mark their row; the marked rows are written, sorted once and
    // repainted in one pass, this long after the first mark, even while the queue never empties
    // (the pass then runs from the next message). A pass that took long (a re-sort repaints the
    // whole page) lengthens the wait to four times its own length, up to the longest wait, so
    // that passes keep to about a fifth of the thread.
    static const UINT kChangePassMs = 50;
    static const UINT kLongestChangePassMs = 100;
    // Writes every marked row, re-sorts when a sort-column text changed, and paints the changed
    // rows that are on screen now.
    void ApplyRowChanges();
    // Rows marked and not yet written.
    size_t PendingRowChanges() const { return m_changed.size(); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnInitialUpdate() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListRClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnItemChangedMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    MonitorItemWrapperManager& Manager() const;
    // bScroll: the list scrolls to the new row (filling scrolls once, to the last row).
    void InsertRow(MonitorItemWrapper* pWrapper, bool bScroll = true);
    // The column id of each header column, in column order.
    std::vector<int> ColumnIds() const;
    // Writes the cells that differ; TRUE when the sort column's text changed.
    bool WriteRow(int nRow, MonitorItemWrapper* pWrapper, const std::vector<int>& ids);
    void MarkRowChanged(MonitorItemWrapper* pWrapper);
    void ForgetRowChange(MonitorItemWrapper* pWrapper);
    void CreateImageLists();
    // Sorts once the messages queued now are handled (repeated requests collapse into one).
    void RequestResort();

    CImageList m_largeImages;
    CImageList m_smallImages;
    CItemListCtrl m_list;
    log4cxx::LoggerPtr m_logger;
    Host* m_pHost;
    MonitorItemWrapperManager* m_pManager;
    bool m_bResortPending;
    // wrappers whose rows changed since the last pass, in arrival order, each once
    std::vector<MonitorItemWrapper*> m_changed;
    std::unordered_set<MonitorItemWrapper*> m_changedSet;
    DWORD m_dwFirstChange;   // tick of the oldest mark
    DWORD m_dwPassWait;      // from the first mark to the pass
    bool m_bPassTimer;
};
