#include "CTestViewDlg.h"

#include "Monitor/MonitorItemSettings.h"
#include "workers/Thread.h"
#include "workers/Worker.h"
#include "workers/WorkerManager.h"

BEGIN_MESSAGE_MAP(CTestViewDlg, CExtResizableDialog)
    ON_MESSAGE(WM_LOG_REFRESH, OnLogRefresh)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

struct Locked {
    explicit Locked(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
    ~Locked() { ::LeaveCriticalSection(&m_cs); }
    CRITICAL_SECTION& m_cs;
};

}  // namespace

CTestViewDlg::CTestViewDlg(MonitorItemSettings* item, CWnd* pParent)
    : CExtResizableDialog(IDD, pParent),
      m_pItem(item),
      m_pWorker(nullptr),
      m_bTestEnded(false),
      m_bStopAsked(false),
      m_bClosing(false),
      m_hThread(NULL)
{
    ::InitializeCriticalSection(&m_lock);
}

CTestViewDlg::~CTestViewDlg()
{
    // a dialog that was never shown, or whose window went without a close: still wait
    StopAndWait();
    if (m_hThread != NULL)
        ::CloseHandle(m_hThread);
    ::DeleteCriticalSection(&m_lock);
}

void CTestViewDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Text(pDX, IDC_LOG, m_strLog);
}

BOOL CTestViewDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    SetWindowText(CString("Testing ") + m_pItem->getGeneral().name.c_str());
    WorkerManager* manager = WorkerManager::instance();
    m_pWorker = manager->createWorker(m_pItem);
    if (m_pWorker == nullptr) {
        m_strLog = "This kind of item cannot be tested.\r\n";
        UpdateData(FALSE);
        return TRUE;
    }
    m_pWorker->setTestMode(true);
    m_pWorker->attach(this);
    {
        // A test-mode worker reports its start before anything else, and that report waits for
        // this lock: the worker cannot end, and so cannot free itself, before we hold our own
        // handle of its thread.
        Locked hold(m_lock);
        manager->startWorker(m_pWorker);
        if (Thread* thread = dynamic_cast<Thread*>(m_pWorker))
            m_hThread = thread->duplicateHandle();
        manager->detachWorker(m_pWorker);
    }
    return TRUE;
}

void CTestViewDlg::notify(int event, const std::string& text)
{
    HWND hWnd = NULL;
    {
        Locked hold(m_lock);
        if (event == NotifyTestEnded)
            m_bTestEnded = true;
        m_pending += text;
        m_pending += "\r\n";
        hWnd = m_hWnd;
    }
    // the window lives until the worker has ended (see StopAndWait)
    if (hWnd != NULL)
        ::PostMessageA(hWnd, WM_LOG_REFRESH, 0, 0);
}

void CTestViewDlg::release() {}

bool CTestViewDlg::testEnded() const
{
    Locked hold(const_cast<CRITICAL_SECTION&>(m_lock));
    return m_bTestEnded;
}

bool CTestViewDlg::workerEnded() const
{
    return m_hThread == NULL || ::WaitForSingleObject(m_hThread, 0) == WAIT_OBJECT_0;
}

LRESULT CTestViewDlg::OnLogRefresh(WPARAM, LPARAM)
{
    {
        Locked hold(m_lock);
        m_strLog += m_pending.c_str();
        m_pending.clear();
    }
    UpdateData(FALSE);
    return 0;
}

void CTestViewDlg::StopAndWait()
{
    if (m_hThread == NULL || workerEnded())
        return;
    {
        // The worker is alive until it has sent "test ended", or until it sees a stop that only
        // we ask for: so stop() reaches a live worker.
        Locked hold(m_lock);
        if (!m_bTestEnded && !m_bStopAsked) {
            m_bStopAsked = true;
            if (Thread* thread = dynamic_cast<Thread*>(m_pWorker))
                thread->stop();
        }
    }
    // The check under way ends within its own time-outs; meanwhile the window stays responsive
    // and shows what still comes.
    if (m_ok.m_hWnd != NULL)
        m_ok.EnableWindow(FALSE);
    while (::MsgWaitForMultipleObjectsEx(1, &m_hThread, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // keep the quit for the loop that owns it, after the worker has gone
                ::WaitForSingleObject(m_hThread, INFINITE);
                ::PostQuitMessage((int)msg.wParam);
                return;
            }
            if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
}

void CTestViewDlg::OnOK()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    StopAndWait();
    OnLogRefresh(0, 0);
    CExtResizableDialog::OnOK();
}

void CTestViewDlg::OnCancel()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    StopAndWait();
    CExtResizableDialog::OnCancel();
}

void CTestViewDlg::OnDestroy()
{
    StopAndWait();
    CExtResizableDialog::OnDestroy();
}
