// The main frame: creation (view, icon, command profile, bars, docking, bar layout, tray icon,
// command states, menu animation), the bar-layout file, destruction, focus, help and the system
// commands.
#include "CMainFrame.h"

#include <boost/format.hpp>

#include "AppPaths.h"
#include "BarLayoutFile.h"
#include "ContextHelpMap.h"
#include "ControlRestyle.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemWrapperManager.h"
#include "ProfileStore.h"
#include "reports/ReportManager.h"
#include "resource.h"
#include "workers/WorkerManager.h"

IMPLEMENT_DYNAMIC(CMainFrame, CFrameWnd)

bool CMainFrame::g_bWizardAtStartUp = false;
std::string CMainFrame::s_dataFolder;

namespace {

// The frame's help topic: the item list's form (window id 130).
const unsigned kFrameHelpId = 130;

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CDialogMinTrayBtn<CFrameWnd>)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_DESTROY()
    ON_WM_SYSCOMMAND()
    ON_WM_HELPINFO()
    ON_MESSAGE(CMainFrame::WM_TRAY_NOTIFY, OnTrayNotify)
    ON_MESSAGE(CMainFrame::WM_START_WIZARD, OnStartWizard)
    // bars shown and hidden
    ON_COMMAND_EX(ID_VIEW_MENUBAR, OnBarCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_MENUBAR, OnUpdateBarCommand)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR_ITEM, OnBarCommand)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR_ITEM, OnUpdateBarCommand)
    ON_COMMAND_EX(32775, OnBarCommand)
    ON_UPDATE_COMMAND_UI(32775, OnUpdateBarCommand)
    ON_COMMAND_EX(32776, OnBarCommand)
    ON_UPDATE_COMMAND_UI(32776, OnUpdateBarCommand)
    // item commands
    ON_COMMAND(ID_RUN_ALL_TB, OnRunAll)
    ON_COMMAND(ID_CTX_RUN_ALL, OnRunAll)
    ON_COMMAND(ID_TRAY_RUN_ALL, OnRunAll)
    ON_COMMAND(ID_RUN_NOW_TB, OnRunNow)
    ON_COMMAND(ID_CTX_RUN_NOW, OnRunNow)
    ON_COMMAND(ID_SUSPEND_TB, OnSuspend)
    ON_COMMAND(ID_SUSPEND, OnSuspend)
    ON_COMMAND(ID_CTX_SUSPEND, OnSuspend)
    ON_COMMAND(ID_ACTIVATE_TB, OnActivate)
    ON_COMMAND(ID_ACTIVATE, OnActivate)
    ON_COMMAND(ID_CTX_ACTIVATE, OnActivate)
    ON_COMMAND(ID_CLEAR_STATS_TB, OnClearStats)
    ON_COMMAND(ID_CLEAR_STATS, OnClearStats)
    ON_COMMAND(ID_CTX_CLEAR_STATS, OnClearStats)
    ON_COMMAND(ID_DELETE_TB, OnDelete)
    ON_COMMAND(ID_DELETE, OnDelete)
    ON_COMMAND(ID_CTX_DELETE, OnDelete)
    ON_COMMAND(ID_VIEW_LOG_TB, OnViewLog)
    ON_COMMAND(ID_VIEW_LOG, OnViewLog)
    ON_COMMAND(ID_LAST_RESPONSE, OnLastResponse)
    ON_COMMAND(ID_LAST_PAGE, OnLastPage)
    ON_COMMAND(ID_RESET_ALARM, OnResetAlarm)
    ON_COMMAND(ID_RESET_ALL_ALARMS, OnResetAllAlarms)
    ON_COMMAND(ID_UNIT_SECONDS, OnUnitSeconds)
    ON_COMMAND(ID_UNIT_MILLISECONDS, OnUnitMilliseconds)
    ON_COMMAND(ID_CUSTOMIZE_COLUMNS, OnCustomizeColumns)
    ON_COMMAND(ID_PREFERENCES, OnPreferences)
    ON_COMMAND(ID_INTERNET_OPTIONS, OnInternetOptions)
    ON_COMMAND(ID_REPORT_MANAGER_TB, OnReportManager)
    ON_COMMAND(ID_REPORT_MANAGER, OnReportManager)
    ON_COMMAND(ID_DEFAULT_REPORT_TB, OnDefaultReport)
    ON_COMMAND(ID_DEFAULT_REPORT, OnDefaultReport)
    ON_COMMAND(ID_HELP_TOPICS, OnHelpTopics)
    ON_COMMAND(ID_SEND_FEEDBACK, OnSendFeedback)
    ON_COMMAND(ID_NEW_ITEM_TB, OnNewItem)
    ON_COMMAND(ID_NEW_ITEM, OnNewItem)
    ON_COMMAND(ID_PROPERTIES_TB, OnProperties)
    ON_COMMAND(ID_PROPERTIES, OnProperties)
    ON_COMMAND(ID_CTX_PROPERTIES, OnProperties)
    ON_COMMAND(ID_APP_EXIT_ITEM, OnExit)
    ON_COMMAND(ID_TRAY_CLOSE, OnExit)
    ON_COMMAND(ID_TRAY_RESTORE, OnTrayRestore)
    // one state rule for every item command: the command item's states
    ON_UPDATE_COMMAND_UI_RANGE(ID_RUN_ALL_TB, ID_SUSPEND_TB, OnUpdateCommonCommand)
    ON_UPDATE_COMMAND_UI(ID_SEND_FEEDBACK, OnUpdateCommonCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_PROPERTIES, ID_REPORT_MANAGER, OnUpdateCommonCommand)
    ON_UPDATE_COMMAND_UI_RANGE(ID_DEFAULT_REPORT, ID_CTX_CLEAR_STATS, OnUpdateCommonCommand)
END_MESSAGE_MAP()

CMainFrame::CMainFrame()
    : m_pView(NULL), m_nTaskbarCreatedMsg(0), m_bTrayIcon(false), m_bLayoutDamaged(false), m_pStore(NULL),
      m_pWorkers(NULL), m_pWrappers(NULL), m_pReports(NULL)
{
    ::ZeroMemory(&m_wpSaved, sizeof m_wpSaved);
    m_wpSaved.length = sizeof m_wpSaved;
    ::ZeroMemory(&m_tray, sizeof m_tray);
    LogSetup::getLogger(LogSetup::instance(), m_logger, "orv.MainFrame");
}

CMainFrame::~CMainFrame()
{
}

void CMainFrame::SetServices(MonitorItemManager* pStore, WorkerManager* pWorkers,
                             MonitorItemWrapperManager* pWrappers, ReportManager* pReports)
{
    m_pStore = pStore;
    m_pWorkers = pWorkers;
    m_pWrappers = pWrappers;
    m_pReports = pReports;
}

MonitorItemManager& CMainFrame::Store() const
{
    return m_pStore != NULL ? *m_pStore : *MonitorItemManager::instance();
}

WorkerManager& CMainFrame::Workers() const
{
    return m_pWorkers != NULL ? *m_pWorkers : *WorkerManager::instance();
}

MonitorItemWrapperManager& CMainFrame::Wrappers() const
{
    return m_pWrappers != NULL ? *m_pWrappers : *MonitorItemWrapperManager::instance();
}

ReportManager& CMainFrame::Reports() const
{
    return m_pReports != NULL ? *m_pReports : *ReportManager::instance();
}

void CMainFrame::SetDataFolder(const std::string& folder)
{
    s_dataFolder = folder;
}

CString CMainFrame::GetBarStatePath() const
{
    const std::string folder = s_dataFolder.empty() ? AppPaths::dataFolder() : s_dataFolder;
    return CString((folder + "gui_profile.cfg").c_str());
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CDialogMinTrayBtn<CFrameWnd>::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    cs.lpszClass = AfxRegisterWndClass(0);
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialogMinTrayBtn<CFrameWnd>::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (!CreateListView())
        return -1;

    // the icon, big and small
    LPCSTR lpszIcon = MAKEINTRESOURCEA(IDR_MAINFRAME);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszIcon, RT_GROUP_ICON), lpszIcon);
    SendMessage(WM_SETICON, ICON_BIG, (LPARAM)hIcon);
    SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)hIcon);

    // the command profile of the application's windows, with the main menu's commands
    m_strProfile = AfxGetApp() != NULL && AfxGetApp()->m_pszAppName != NULL ? AfxGetApp()->m_pszAppName : "Orvane";
    if (!g_CmdManager->ProfileSetup(m_strProfile, m_hWnd))
        return -1;
    g_CmdManager->UpdateFromMenuResource(m_strProfile, IDR_MAINFRAME);

    if (!CreateBars())
        return -1;

    // menus show every item, in one look
    CExtPopupMenuWnd::g_bMenuExpanding = false;
    CExtPopupMenuWnd::g_bMenuHighlightRarely = false;

    if (!LoadBarLayout())
        DockBarsAtDefaults();

    CExtToolControlBar::g_bDisplayLargeIcons = false;
    CExtToolControlBar::g_bDisplayToolTips = true;
    RecalcLayout();
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    CExtControlBar::RedrawFloatingFrames(this);
    CExtControlBar::RefreshDockedBarFrames(this);

    // the tray icon (added again when the shell comes back)
    m_nTaskbarCreatedMsg = ::RegisterWindowMessageA("TaskbarCreated");
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    AddTrayIcon(WM_TRAY_NOTIFY, strTitle, hIcon, kTrayIconId);

    // no item is selected yet
    EnableToolBarCommands(false);
    EnableMenuItemCommands(false);

    const int nAnimation = ProfileStore::instance()->getInt(ProfileMenuAnimation);
    if (nAnimation >= 0 && nAnimation <= 10)
        CExtPopupMenuWnd::g_nMenuAnimation = nAnimation;

    ControlRestyle::Apply(m_hWnd);
    PostMessage(WM_START_WIZARD, 0, 0);
    return 0;
}

bool CMainFrame::CreateListView()
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CChildView);
    m_pView = dynamic_cast<CChildView*>(CreateView(&context, AFX_IDW_PANE_FIRST));
    if (m_pView == NULL) {
        LOG4CXX_ERROR(m_logger, "The item list could not be created");
        return false;
    }
    m_pView->SetHost(this);
    if (m_pWrappers != NULL)
        m_pView->SetWrapperManager(m_pWrappers);
    RecalcLayout();
    m_pView->ShowWindow(SW_SHOW);
    SetActiveView(m_pView);
    m_pView->ResizeParentToFit();
    return true;
}

bool CMainFrame::CreateBars()
{
    if (!m_menuBar.Create(NULL, this, kMenuBarId, kBarStyle)) {
        LOG4CXX_ERROR(m_logger, "The menu bar could not be created");
        return false;
    }
    const bool bLarge = ProfileStore::instance()->getInt(ProfileLargeButtons) != 0;
    if (!m_toolBar.Create("ToolBar", this, AFX_IDW_TOOLBAR, kBarStyle) ||
        !m_toolBar.LoadToolBar(bLarge ? IDR_TOOLBAR_LARGE : IDR_TOOLBAR_SMALL)) {
        LOG4CXX_ERROR(m_logger, "The tool bar could not be created");
        return false;
    }
    static const UINT kIndicators[] = {0};
    if (!m_statusBar.Create(this, kStatusBarStyle, AFX_IDW_STATUS_BAR) || !m_statusBar.SetIndicators(kIndicators, 1)) {
        LOG4CXX_ERROR(m_logger, "The status bar could not be created");
        return false;
    }
    m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    if (!CExtControlBar::FrameEnableDocking(this, CBRS_ALIGN_ANY, true)) {
        LOG4CXX_ERROR(m_logger, "Docking could not be set up");
        return false;
    }
    return true;
}

void CMainFrame::DockBarsAtDefaults()
{
    DockControlBar(&m_menuBar, AFX_IDW_DOCKBAR_TOP);
    DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
    RecalcLayout();
}

bool CMainFrame::LoadBarLayout()
{
    m_bLayoutDamaged = false;
    const CString strPath = GetBarStatePath();
    const BarLayoutFile::Outcome outcome = BarLayoutFile::Load(strPath, [this](CArchive& ar) {
        return CExtControlBar::SerializeFrameBarState(ar, this, &m_wpSaved);
    });
    if (outcome == BarLayoutFile::Loaded)
        return true;
    if (outcome == BarLayoutFile::Damaged) {
        m_bLayoutDamaged = true;
        ::ZeroMemory(&m_wpSaved, sizeof m_wpSaved);
        m_wpSaved.length = sizeof m_wpSaved;
        LOG4CXX_WARN(m_logger, (boost::format("The bar layout in %1% is damaged: the bars take their default places")
                                % (LPCTSTR)strPath).str());
    }
    return false;
}

bool CMainFrame::SaveBarLayout()
{
    const CString strPath = GetBarStatePath();
    const bool bSaved = BarLayoutFile::Save(strPath, [this](CArchive& ar) {
        return CExtControlBar::SerializeFrameBarState(ar, this, NULL);
    });
    if (!bSaved)
        LOG4CXX_WARN(m_logger, (boost::format("The bar layout could not be saved to %1%") % (LPCTSTR)strPath).str());
    return bSaved;
}

BOOL CMainFrame::DestroyWindow()
{
    if (m_hWnd != NULL && m_menuBar.m_hWnd != NULL)
        SaveBarLayout();
    if (m_hWnd != NULL)
        g_CmdManager->ProfileWndRemove(m_hWnd);
    return CDialogMinTrayBtn<CFrameWnd>::DestroyWindow();
}

void CMainFrame::OnDestroy()
{
    CDialogMinTrayBtn<CFrameWnd>::OnDestroy();
    RemoveTrayIcon();
}

void CMainFrame::OnSetFocus(CWnd* /*pOldWnd*/)
{
    if (m_pView != NULL && ::IsWindow(m_pView->m_hWnd))
        m_pView->SetFocus();
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg)
{
    if (m_menuBar.m_hWnd != NULL && m_menuBar.TranslateKeyboardMessage(pMsg))
        return TRUE;
    return CDialogMinTrayBtn<CFrameWnd>::PreTranslateMessage(pMsg);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_nTaskbarCreatedMsg != 0 && message == m_nTaskbarCreatedMsg && m_bTrayIcon) {
        // the shell came back: the icon again, as at creation
        NOTIFYICONDATAA tray = m_tray;
        m_bTrayIcon = false;
        AddTrayIcon(tray.uCallbackMessage, tray.szTip, tray.hIcon, tray.uID);
    }
    return CDialogMinTrayBtn<CFrameWnd>::WindowProc(message, wParam, lParam);
}

void CMainFrame::ActivateFrame(int nCmdShow)
{
    if (m_wpSaved.showCmd != 0) {
        WINDOWPLACEMENT wp = m_wpSaved;
        m_wpSaved.showCmd = 0;
        wp.length = sizeof wp;
        SetWindowPlacement(&wp);
        CDialogMinTrayBtn<CFrameWnd>::ActivateFrame(wp.showCmd);
        return;
    }
    CDialogMinTrayBtn<CFrameWnd>::ActivateFrame(nCmdShow);
}

void CMainFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    const UINT nCommand = nID & 0xFFF0;
    if (nCommand == SC_MINIMIZE && ProfileStore::instance()->getInt(ProfileMinimizeToTray) != 0) {
        ShowWindow(SW_HIDE);
        return;
    }
    if (nCommand == SC_MINIMIZETRAY)
        ShowWindow(SW_HIDE);
    CDialogMinTrayBtn<CFrameWnd>::OnSysCommand(nID, lParam);
}

BOOL CMainFrame::OnHelpInfo(HELPINFO* /*pHelpInfo*/)
{
    ContextHelpMap::showHelp(m_hWnd, kFrameHelpId);
    return TRUE;
}

LRESULT CMainFrame::OnStartWizard(WPARAM, LPARAM)
{
    if (Wrappers().count() == 0) {
        g_bWizardAtStartUp = true;
        OnNewItem();
        g_bWizardAtStartUp = false;
    }
    return 1;
}
