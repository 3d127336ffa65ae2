// The main frame's commands: the states of the item commands (kept in the command items of the
// frame's command profile, read by the menus and the bars), the list's context menu, and what
// each command does to the selected item through the item store and the worker manager.
#include "CMainFrame.h"

#include <boost/format.hpp>

#include "AlarmNotifierRegistry.h"
#include "CAlarmSettingDlg.h"
#include "CColumnsChooserDlg.h"
#include "CDialogSendFeedback.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CGeneralPreferencesDlg.h"
#include "CInternetOptionsDlg.h"
#include "CItemPropertiesDlg.h"
#include "CReportManagerDlg.h"
#include "ColumnIdSequence.h"
#include "ContextHelpMap.h"
#include "FixedPropertySheet.h"
#include "FlusherThread.h"
#include "GuiStrings.h"
#include "LastPageFile.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "NewItemWizard.h"
#include "ProfileStore.h"
#include "ReportViewer.h"
#include "WindowsPreferencesSystem.h"
#include "reports/ReportManager.h"
#include "resource.h"
#include "workers/WorkerManager.h"

const char CMainFrame::kClearStatsQuestion[] = "Are you sure you want to delete this item's statistics?";
const char CMainFrame::kNoPageDownloaded[] = "No page was downloaded recently.";
CMainFrame::OpenFunction CMainFrame::s_pfnOpen = NULL;

namespace {

const int kLastResponseColumn = 151;
const int kNameColumn = 144;

// The item list's default columns, in order.
const int kDefaultColumns[] = {144, 146, 147, 154, 160, 151, 153, 155};

// The process-wide profile store itself (its calls from the GUI thread's dialogs).
ProfileStore& Profile()
{
    return *ProfileStore::instance().operator->().operator->();
}

}  // namespace

int CMainFrame::Ask(LPCTSTR lpszText, LPCTSTR /*lpszCaption*/, UINT nType)
{
    CString strTitle;
    strTitle.LoadString(AFX_IDS_APP_TITLE);
    return ::MessageBoxA(m_hWnd, lpszText, strTitle, nType);
}

void CMainFrame::SetOpenFunction(OpenFunction pfnOpen)
{
    s_pfnOpen = pfnOpen;
}

INT_PTR CMainFrame::ShellOpen(const std::string& path)
{
    if (s_pfnOpen != NULL)
        return s_pfnOpen(m_hWnd, path.c_str());
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(m_hWnd, "open", path.c_str(), NULL, NULL, SW_SHOW));
}

// ---- command states -----------------------------------------------------------------------------

void CMainFrame::SetCommandEnabled(UINT nCmdID, bool bEnabled)
{
    CExtCmdItem* pItem = g_CmdManager->GetCommand(m_strProfile, nCmdID);
    if (pItem != NULL)
        pItem->Enable(bEnabled);
}

void CMainFrame::SetCommandChecked(UINT nCmdID, bool bChecked)
{
    CExtCmdItem* pItem = g_CmdManager->GetCommand(m_strProfile, nCmdID);
    if (pItem != NULL)
        pItem->SetCheck(bChecked);
}

bool CMainFrame::IsCommandEnabled(UINT nCmdID)
{
    CExtCmdItem* pItem = g_CmdManager->GetCommand(m_strProfile, nCmdID);
    return pItem != NULL && pItem->IsEnabled();
}

bool CMainFrame::IsCommandChecked(UINT nCmdID)
{
    CExtCmdItem* pItem = g_CmdManager->GetCommand(m_strProfile, nCmdID);
    return pItem != NULL && pItem->IsChecked();
}

void CMainFrame::UpdateCommandUI(CCmdUI* pCmdUI, UINT nCmdID)
{
    CExtCmdItem* pItem = g_CmdManager->GetCommand(m_strProfile, nCmdID);
    pCmdUI->Enable(pItem != NULL && pItem->IsEnabled());
    pCmdUI->SetCheck(pItem != NULL && pItem->IsChecked() ? 1 : 0);
}

void CMainFrame::OnUpdateCommonCommand(CCmdUI* pCmdUI)
{
    UpdateCommandUI(pCmdUI, pCmdUI->m_nID);
}

void CMainFrame::ApplyStates(const std::vector<CommandState>& states)
{
    for (const CommandState& state : states)
        SetCommandEnabled(state.id, state.enabled);
}

MonitorItemWrapper* CMainFrame::GetSelectedWrapper() const
{
    return m_pView != NULL && ::IsWindow(m_pView->m_hWnd) ? m_pView->GetSelectedWrapper() : NULL;
}

CommandSelection CMainFrame::CurrentSelection() const
{
    CommandSelection selection;
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL || pWrapper->getItem() == NULL)
        return selection;
    MonitorItemSettings* pItem = pWrapper->getItem();
    selection.selected = true;
    selection.type = pItem->getGeneral().type;
    selection.active = pItem->getStatus().active;
    selection.busy = pItem->getStatus().busy;
    return selection;
}

void CMainFrame::EnableMenuItemCommands(bool bEnable)
{
    ApplyStates(MainFrameCommandStates::menuItems(bEnable, CurrentSelection()));
    if (m_menuBar.m_hWnd != NULL)
        m_menuBar.UpdateMenuBar();
}

void CMainFrame::EnableToolBarCommands(bool bEnable)
{
    ApplyStates(MainFrameCommandStates::toolBar(bEnable, CurrentSelection(), Wrappers().count()));
}

void CMainFrame::UpdateRunNowButton(MonitorItemWrapper* pWrapper)
{
    if (pWrapper == NULL || pWrapper != GetSelectedWrapper())
        return;
    SetCommandEnabled(ID_RUN_NOW_TB, MainFrameCommandStates::runNowEnabled(CurrentSelection()));
}

void CMainFrame::ShowListContextMenu()
{
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->LoadMenu(m_hWnd, IDR_LIST_MENU)) {
        delete pPopup;
        return;
    }
    ApplyStates(MainFrameCommandStates::contextMenu(GetSelectedWrapper() != NULL));
    const bool bMilliseconds = ProfileStore::instance()->getInt(ProfileTimeUnit) == 1;
    SetCommandChecked(ID_UNIT_MILLISECONDS, bMilliseconds);
    SetCommandChecked(ID_UNIT_SECONDS, !bMilliseconds);
    CPoint pt;
    ::GetCursorPos(&pt);
    if (!pPopup->TrackPopupMenu(CExtPopupMenuWnd::TMF_MODAL | CExtPopupMenuWnd::TMF_SHOW_ALL, pt.x, pt.y))
        delete pPopup;
}

// ---- what the list tells ------------------------------------------------------------------------

void CMainFrame::OnItemSelection(bool bSelected)
{
    EnableToolBarCommands(bSelected);
    EnableMenuItemCommands(bSelected);
}

void CMainFrame::OnItemChanged(MonitorItemWrapper* pWrapper)
{
    UpdateRunNowButton(pWrapper);
}

void CMainFrame::OnItemProperties()
{
    OnProperties();
}

void CMainFrame::OnItemContextMenu()
{
    ShowListContextMenu();
}

// ---- bars ---------------------------------------------------------------------------------------

BOOL CMainFrame::OnBarCommand(UINT nID)
{
    return CExtControlBar::ShowHideBarCommand(this, nID, true);
}

void CMainFrame::OnUpdateBarCommand(CCmdUI* pCmdUI)
{
    CExtControlBar::ShowHideBarUpdate(this, pCmdUI, true);
}

// ---- item commands ------------------------------------------------------------------------------

void CMainFrame::RefreshSelectedRow(MonitorItemWrapper* pWrapper)
{
    if (m_pView != NULL && pWrapper != NULL)
        m_pView->SendMessage(WM_USER + 1001, reinterpret_cast<WPARAM>(pWrapper), 0);
}

void CMainFrame::OnRunAll()
{
    for (MonitorItemWrapper* pWrapper : Wrappers())
        if (pWrapper != NULL && pWrapper->getItem() != NULL)
            Workers().wakeWorker(pWrapper->getItem());
}

void CMainFrame::OnRunNow()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper != NULL)
        Workers().wakeWorker(pWrapper->getItem());
}

void CMainFrame::OnSuspend()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    ItemStatus& status = pWrapper->getItem()->getStatus();
    // a worker is suspended once: a second suspension would outlast the next Activate
    if (status.active)
        Workers().suspendWorker(pWrapper->getItem());
    status.active = false;
    RefreshSelectedRow(pWrapper);
    SetCommandEnabled(ID_SUSPEND_TB, false);
    SetCommandEnabled(ID_ACTIVATE_TB, true);
    SetCommandEnabled(ID_RUN_NOW_TB, false);
}

void CMainFrame::OnActivate()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    ItemStatus& status = pWrapper->getItem()->getStatus();
    if (!status.active)
        Workers().resumeWorker(pWrapper->getItem());
    status.active = true;
    RefreshSelectedRow(pWrapper);
    SetCommandEnabled(ID_ACTIVATE_TB, false);
    SetCommandEnabled(ID_SUSPEND_TB, true);
    SetCommandEnabled(ID_RUN_NOW_TB, MainFrameCommandStates::runNowEnabled(CurrentSelection()));
}

void CMainFrame::OnClearStats()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    if (Ask(kClearStatsQuestion, NULL, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    pWrapper = GetSelectedWrapper();   // the item may have gone while the question was up
    if (pWrapper == NULL)
        return;
    pWrapper->getItem()->resetStatistics();
    RefreshSelectedRow(pWrapper);
}

std::string CMainFrame::DeleteQuestion(const std::string& itemName)
{
    return "Are you sure you want to delete item " + itemName + " ?";
}

void CMainFrame::OnDelete()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    const std::string question = DeleteQuestion(pWrapper->getItem()->getGeneral().name);
    if (Ask(question.c_str(), NULL, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (pWrapper != GetSelectedWrapper())
        return;
    FlusherThread::instance()->remove(pWrapper->getItem());
    m_pView->RemoveItem(pWrapper);
    EnableToolBarCommands(false);
    EnableMenuItemCommands(false);
}

void CMainFrame::OnViewLog()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper != NULL)
        ShellOpen(pWrapper->getItem()->getLogPath());
}

void CMainFrame::OnLastResponse()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    const std::string text = "Last response time was " + pWrapper->getColumnText(kLastResponseColumn);
    Ask(text.c_str(), NULL, MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnLastPage()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL)
        return;
    const std::string page = Workers().getLastPage(pWrapper->getItem());
    if (page.empty()) {
        Ask(kNoPageDownloaded, NULL, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const std::string path = LastPageFile::write(pWrapper->getItem()->getGeneral().name, page);
    if (path.empty()) {
        LOG4CXX_WARN(m_logger, "The last downloaded page could not be written");
        return;
    }
    ShellOpen(path);
}

void CMainFrame::OnResetAlarm()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper != NULL)
        AlarmNotifierRegistry::instance().reset(pWrapper);
}

void CMainFrame::OnResetAllAlarms()
{
    for (MonitorItemWrapper* pWrapper : Wrappers())
        AlarmNotifierRegistry::instance().reset(pWrapper);
}

void CMainFrame::SetTimeUnit(int nUnit)
{
    ProfileStore::instance()->setInt(ProfileTimeUnit, nUnit);
    if (m_pView != NULL) {
        for (MonitorItemWrapper* pWrapper : Wrappers())
            m_pView->RefreshItem(pWrapper);
        m_pView->Invalidate();
    }
}

void CMainFrame::OnUnitSeconds()
{
    SetTimeUnit(0);
}

void CMainFrame::OnUnitMilliseconds()
{
    SetTimeUnit(1);
}

void CMainFrame::OnCustomizeColumns()
{
    CColumnsChooserDlg::Captions defaults;
    for (int id : kDefaultColumns)
        defaults.push_back(GuiStrings::text(id));
    if (m_pView != NULL)
        m_pView->SaveColumnLayout();
    const std::vector<int> active = ProfileStore::instance()->getColumns();

    CColumnsChooserDlg::Captions available;
    std::vector<int> rest;
    for (int id = ColumnIdSequence::kFirst; id != ColumnIdSequence::kNone && id < ColumnIdSequence::kEnd;
         id = ColumnIdSequence::next(id)) {
        bool bDefault = false;
        for (int d : kDefaultColumns)
            bDefault = bDefault || d == id;
        if (!bDefault)
            available.push_back(GuiStrings::text(id));
        bool bActive = false;
        for (int a : active)
            bActive = bActive || a == id;
        if (!bActive)
            rest.push_back(id);
    }
    CColumnsChooserDlg dlg(this);
    dlg.setDefaults(defaults, available);
    for (int id : active)
        dlg.addActive(GuiStrings::text(id));
    for (int id : rest)
        dlg.addAvailable(GuiStrings::text(id));
    if (dlg.DoModal() != IDOK)
        return;
    std::vector<int> chosen;
    for (const std::string& caption : dlg.active()) {
        const int id = ColumnIdSequence::fromCaption(caption);
        if (id != ColumnIdSequence::kNone)
            chosen.push_back(id);
    }
    ProfileStore::instance()->setColumns(chosen);
    if (m_pView != NULL)
        m_pView->Rebuild();
}

void CMainFrame::OnPreferences()
{
    CGeneralPreferencesDlg dlg(Profile(), WindowsPreferencesSystem::instance(), this);
    dlg.DoModal();
}

void CMainFrame::OnInternetOptions()
{
    CInternetOptionsDlg dlg(Profile(), Workers(), this);
    dlg.DoModal();
}

void CMainFrame::OnReportManager()
{
    CReportManagerDlg dlg(GetSelectedWrapper(), Reports(), this);
    dlg.DoModal();
}

void CMainFrame::OnDefaultReport()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    ReportViewer::viewDefault(m_hWnd, Reports(), pWrapper != NULL ? pWrapper->getItem() : NULL);
}

void CMainFrame::OnHelpTopics()
{
    ContextHelpMap::showContents(m_hWnd);
}

void CMainFrame::OnSendFeedback()
{
    CDialogSendFeedback dlg(this);
    dlg.DoModal();
}

void CMainFrame::OnNewItem()
{
    NewItemWizard wizard(Store(), Wrappers(), this);
    MonitorItemWrapper* pWrapper = wizard.run();
    if (pWrapper == NULL)
        return;
    if (m_pView != NULL)
        m_pView->AddItem(pWrapper);
    if (Wrappers().count() > 0)
        SetCommandEnabled(ID_RUN_ALL_TB, true);
}

void CMainFrame::FillPropertiesPage(CItemPropertiesDlg& page, MonitorItemWrapper* pWrapper)
{
    MonitorItemSettings* pItem = pWrapper->getItem();
    page.setWrapper(pWrapper);
    const ItemGeneralSettings& general = pItem->getGeneral();
    page.name = general.name.c_str();
    page.address = general.address.c_str();
    page.addressAtOpen = page.address;
    page.active = pItem->getStatus().active ? 1 : 0;
    page.frequency = general.interval;
    page.unit = general.intervalUnit;
    page.type = general.type;
    page.port = general.port;
    page.timeout = general.timeoutMs;
    switch (general.type) {
    case 1:
    case 2: {
        const HttpSettings& http = pItem->getHttp();
        page.searchText = http.searchText.c_str();
        page.caseSensitive = http.caseSensitive;
        page.saveSuccessful = http.saveSuccessfulPages;
        page.saveFailed = http.saveFailedPages;
        break;
    }
    case 3: {
        const SmtpSettings& smtp = pItem->getSmtp();
        page.to = smtp.to.c_str();
        page.from = smtp.from.c_str();
        page.subject = smtp.subject.c_str();
        page.body = smtp.body.c_str();
        page.user = smtp.authUser.c_str();
        page.password = smtp.authPassword.c_str();
        page.smtpAuth = smtp.reservedFlag;
        break;
    }
    case 4: {
        const Pop3Settings& pop3 = pItem->getPop3();
        page.user = pop3.userName.c_str();
        page.password = pop3.password.c_str();
        page.headerOnly = pop3.headerOnly;
        page.headerSearch = pop3.headerSearchText.c_str();
        page.bodySearch = pop3.bodySearchText.c_str();
        break;
    }
    case 5: {
        const FtpSettings& ftp = pItem->getFtp();
        page.user = ftp.userName.c_str();
        page.password = ftp.password.c_str();
        page.downloadLocal = ftp.downloadLocalFile.c_str();
        page.downloadRemote = ftp.downloadRemoteFile.c_str();
        page.uploadLocal = ftp.uploadLocalFile.c_str();
        page.uploadRemote = ftp.uploadRemoteFile.c_str();
        break;
    }
    default:
        break;
    }
}

void CMainFrame::OnProperties()
{
    MonitorItemWrapper* pWrapper = GetSelectedWrapper();
    if (pWrapper == NULL || pWrapper->getItem() == NULL)
        return;
    MonitorItemSettings* pItem = pWrapper->getItem();
    CString strTitle;
    strTitle.LoadString(61204);
    FixedPropertySheet sheet(true, strTitle, this);
    CItemPropertiesDlg page;
    CAlarmSettingDlg alarm;
    FillPropertiesPage(page, pWrapper);
    alarm.setWrapper(pWrapper);
    alarm.loadFrom(*pItem);
    sheet.AddPage(&page);
    sheet.AddPage(&alarm);
    const int nTypeBefore = pItem->getGeneral().type;
    sheet.DoModal();
    if (m_pView != NULL)
        m_pView->RefreshItem(pWrapper);
    if (pItem->getGeneral().type != nTypeBefore)
        Workers().recreateWorker(pItem);
    Workers().wakeWorker(pItem);
    EnableToolBarCommands(GetSelectedWrapper() != NULL);
    EnableMenuItemCommands(GetSelectedWrapper() != NULL);
}

void CMainFrame::OnExit()
{
    SendMessage(WM_CLOSE);
}
