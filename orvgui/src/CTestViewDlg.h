// The test-run dialog (template 134): checks an item once with the settings being edited and shows
// the worker's progress, failure and success texts, each on a line of its own, in the order they
// came. The dialog is the test worker's listener. Whichever way it closes (OK, Cancel, Esc, the
// close box), a test still under way is stopped and the dialog waits, pumping messages, until the
// worker's thread has ended: no worker ever calls a dialog that is gone, and once DoModal has
// returned the caller may delete the item under test.
#pragma once

#include <afxwin.h>

#include <string>

#include "CExtButton.h"
#include "CExtResizableDialog.h"
#include "workers/Notifier.h"

class MonitorItemSettings;
class Worker;

class CTestViewDlg : public CExtResizableDialog, public Notifier {
public:
    enum { IDD = 134, IDC_LOG = 1038 };
    enum : UINT { WM_LOG_REFRESH = WM_USER + 1000 };

    CTestViewDlg(MonitorItemSettings* item, CWnd* pParent = NULL);
    ~CTestViewDlg() override;

    // Notifier, on the worker's thread.
    void notify(int event, const std::string& text) override;
    void release() override;

    // What the log shows (GUI thread).
    const CString& logText() const { return m_strLog; }
    bool testEnded() const;
    // The worker's thread has ended (or never started).
    bool workerEnded() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    virtual LRESULT OnLogRefresh(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Stops a test still under way and waits for the worker's thread to end, pumping messages.
    void StopAndWait();

    CExtButton m_ok;
    CString m_strLog;
    MonitorItemSettings* m_pItem;
    Worker* m_pWorker;
    bool m_bTestEnded;       // event 4 came (under m_lock)
    bool m_bStopAsked;       // we asked the worker to stop (under m_lock)
    bool m_bClosing;         // a close is waiting for the worker
    std::string m_pending;   // texts not yet shown (under m_lock)
    HANDLE m_hThread;        // our own handle of the worker's thread
    CRITICAL_SECTION m_lock;
};
