// The GUI program's one top-level window. It hosts the item list (CChildView), the UI library's
// menu bar, tool bar and status bar, owns the tray icon, hides itself in the tray on minimise
// when the user wants that, keeps the bar layout and window placement in gui_profile.cfg, and
// routes every command of the menus, the tool bar, the tray menu and the list's context menu.
// Files: CMainFrame.cpp (creation, layout file, destruction, focus, help, system commands),
// CMainFrameTray.cpp (the tray icon and its menu), CMainFrameCommands.cpp (command states and
// handlers).
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <string>
#include <vector>

#include "CChildView.h"
#include "CDialogMinTrayBtn.h"
#include "CExtMenuControlBar.h"
#include "CExtStatusControlBar.h"
#include "CExtToolControlBar.h"
#include "MainFrameCommandStates.h"
#include "orv/log4cxx.h"

class CItemPropertiesDlg;
class MonitorItemManager;
class MonitorItemWrapper;
class MonitorItemWrapperManager;
class ReportManager;
class WorkerManager;

class CMainFrame : public CDialogMinTrayBtn<CFrameWnd>, public CChildView::Host {
    DECLARE_DYNAMIC(CMainFrame)
public:
    // The tray icon's callback message and id.
    enum : UINT { WM_TRAY_NOTIFY = WM_USER + 1000, kTrayIconId = 128 };
    // Posted at the end of creation: the new-item wizard opens when there is no item.
    enum : UINT { WM_START_WIZARD = 0x2B10 };
    // The window's ids of its bars.
    enum : UINT { kMenuBarId = 32771 };
    static const DWORD kBarStyle = 0x5640283C;
    static const DWORD kStatusBarStyle = 0x50008200;
    // Set while the wizard runs because the program started without items.
    static bool g_bWizardAtStartUp;
    // The questions and messages of the item commands.
    static const char kClearStatsQuestion[];
    static const char kNoPageDownloaded[];
    static std::string DeleteQuestion(const std::string& itemName);
    // What opens the log and the last page (answers what ShellExecute answers); a seam for tests.
    typedef INT_PTR (*OpenFunction)(HWND owner, const char* path);
    static void SetOpenFunction(OpenFunction pfnOpen);   // null: the shell
    // The properties page filled from the item's records.
    static void FillPropertiesPage(CItemPropertiesDlg& page, MonitorItemWrapper* pWrapper);

    CMainFrame();
    ~CMainFrame() override;

    // ---- what start-up and the tests use ----
    CChildView* GetListView() const { return m_pView; }
    CExtMenuControlBar& GetMenuBar() { return m_menuBar; }
    CExtToolControlBar& GetToolBar() { return m_toolBar; }
    CExtStatusControlBar& GetStatusBar() { return m_statusBar; }
    // The gui_profile.cfg path (data folder + "gui_profile.cfg").
    CString GetBarStatePath() const;
    // The folder (ending in a backslash) gui_profile.cfg is kept in; empty, the default: the
    // program's data folder.
    static void SetDataFolder(const std::string& folder);
    // The command profile the frame's windows use (named after the application).
    const CString& GetProfileName() const { return m_strProfile; }
    // Whether the layout file was there but could not be used at creation (default docking).
    bool LayoutWasDamaged() const { return m_bLayoutDamaged; }
    // The pending placement read from the layout file (show command 0: none).
    const WINDOWPLACEMENT& GetSavedPlacement() const { return m_wpSaved; }

    // What the frame works on (the program's singletons unless a test gives others; set before
    // LoadFrame).
    void SetServices(MonitorItemManager* pStore, WorkerManager* pWorkers, MonitorItemWrapperManager* pWrappers,
                     ReportManager* pReports);

    // ---- tray icon ----
    bool AddTrayIcon(UINT nCallbackMessage, LPCTSTR lpszTip, HICON hIcon, UINT nId);
    bool RemoveTrayIcon();
    bool HasTrayIcon() const { return m_bTrayIcon; }
    const NOTIFYICONDATAA& GetTrayIconData() const { return m_tray; }

    // ---- command states ----
    void SetCommandEnabled(UINT nCmdID, bool bEnabled);
    void SetCommandChecked(UINT nCmdID, bool bChecked);
    bool IsCommandEnabled(UINT nCmdID);
    bool IsCommandChecked(UINT nCmdID);
    void UpdateCommandUI(CCmdUI* pCmdUI, UINT nCmdID);
    void EnableMenuItemCommands(bool bEnable);
    void EnableToolBarCommands(bool bEnable);
    void UpdateRunNowButton(MonitorItemWrapper* pWrapper);
    void ShowListContextMenu();
    // The selected row's wrapper, or null.
    MonitorItemWrapper* GetSelectedWrapper() const;
    // What the command rules need to know of the selection.
    CommandSelection CurrentSelection() const;

    // ---- CChildView::Host ----
    void OnItemSelection(bool bSelected) override;
    void OnItemChanged(MonitorItemWrapper* pWrapper) override;
    void OnItemProperties() override;
    void OnItemContextMenu() override;

    // ---- framework overrides ----
    BOOL DestroyWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ActivateFrame(int nCmdShow = -1) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ---- creation steps ----
    bool CreateListView();
    bool CreateBars();
    // Reads gui_profile.cfg; false when it could not be used (the bars are then docked at their
    // defaults).
    bool LoadBarLayout();
    void DockBarsAtDefaults();
    // Writes the layout through a new file put in place of the old one.
    bool SaveBarLayout();

    MonitorItemManager& Store() const;
    WorkerManager& Workers() const;
    MonitorItemWrapperManager& Wrappers() const;
    ReportManager& Reports() const;
    void ApplyStates(const std::vector<CommandState>& states);
    void RefreshSelectedRow(MonitorItemWrapper* pWrapper);
    INT_PTR ShellOpen(const std::string& path);
    // A message box of the frame under the application's title.
    int Ask(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
    void SetTimeUnit(int nUnit);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnDestroy();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnStartWizard(WPARAM wParam, LPARAM lParam);

    // commands (CMainFrameCommands.cpp)
    afx_msg BOOL OnBarCommand(UINT nID);
    afx_msg void OnUpdateBarCommand(CCmdUI* pCmdUI);
    afx_msg void OnUpdateCommonCommand(CCmdUI* pCmdUI);
    afx_msg void OnRunAll();
    afx_msg void OnRunNow();
    afx_msg void OnSuspend();
    afx_msg void OnActivate();
    afx_msg void OnClearStats();
    afx_msg void OnDelete();
    afx_msg void OnViewLog();
    afx_msg void OnLastResponse();
    afx_msg void OnLastPage();
    afx_msg void OnResetAlarm();
    afx_msg void OnResetAllAlarms();
    afx_msg void OnUnitSeconds();
    afx_msg void OnUnitMilliseconds();
    afx_msg void OnCustomizeColumns();
    afx_msg void OnPreferences();
    afx_msg void OnInternetOptions();
    afx_msg void OnReportManager();
    afx_msg void OnDefaultReport();
    afx_msg void OnHelpTopics();
    afx_msg void OnSendFeedback();
    afx_msg void OnNewItem();
    afx_msg void OnProperties();
    afx_msg void OnExit();
    afx_msg void OnTrayRestore();
    DECLARE_MESSAGE_MAP()

    WINDOWPLACEMENT m_wpSaved;
    CExtStatusControlBar m_statusBar;
    CExtMenuControlBar m_menuBar;
    CExtToolControlBar m_toolBar;
    CChildView* m_pView;
    UINT m_nTaskbarCreatedMsg;
    NOTIFYICONDATAA m_tray;
    bool m_bTrayIcon;
    bool m_bLayoutDamaged;
    CString m_strProfile;
    log4cxx::LoggerPtr m_logger;

    MonitorItemManager* m_pStore;
    WorkerManager* m_pWorkers;
    MonitorItemWrapperManager* m_pWrappers;
    ReportManager* m_pReports;
    static OpenFunction s_pfnOpen;
    static std::string s_dataFolder;
};
