#include "CPageSettingsDlg.h"

#include "CWaitDlg.h"
#include "ContextHelpMap.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "workers/HtmlText.h"
#include "workers/HttpDownloader.h"

const char CPageSettingsDlg::kWaiting[] = "Please wait while taking a snapshot.";
const char CPageSettingsDlg::kNoConnection[] = "Error connecting to the internet";

BEGIN_MESSAGE_MAP(CPageSettingsDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_SNAPSHOT, OnSnapshot)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CPageSettingsDlg::CPageSettingsDlg(CWnd* pParent)
    : CExtResizableDialog(IDD, pParent),
      caseSensitive(0),
      saveSuccessful(0),
      saveFailed(1),
      m_pOwner(nullptr),
      m_pWrapper(nullptr)
{
}

void CPageSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH, m_search);
    DDX_Control(pDX, IDC_CASE, m_case);
    DDX_Control(pDX, IDC_SAVE_SUCCESSFUL, m_saveSuccessful);
    DDX_Control(pDX, IDC_SAVE_FAILED, m_saveFailed);
    DDX_Control(pDX, IDC_SEARCH_GROUP, m_searchGroup);
    DDX_Control(pDX, IDC_SAVE_GROUP, m_saveGroup);
    DDX_Control(pDX, IDC_SEARCH_PROMPT, m_prompt);
    DDX_Control(pDX, IDC_SNAPSHOT, m_snapshot);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Text(pDX, IDC_SEARCH, searchText);
    DDX_Check(pDX, IDC_CASE, caseSensitive);
    DDX_Check(pDX, IDC_SAVE_SUCCESSFUL, saveSuccessful);
    DDX_Check(pDX, IDC_SAVE_FAILED, saveFailed);
}

BOOL CPageSettingsDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    m_searchGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_saveGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    return TRUE;
}

std::string CPageSettingsDlg::takeSnapshot(const std::string& name, int type, int port, const std::string& address)
{
    HttpDownloader downloader(name.c_str());
    if (type == ItemHttps)
        downloader.setSecureMode(true);
    downloader.setPort(port);
    downloader.SetURL(address.c_str());
    if (downloader.Initialize() && downloader.DownloadPage())
        return getHtmlText(downloader.GetPage());
    return kNoConnection;
}

void CPageSettingsDlg::OnSnapshot()
{
    if (m_pWrapper == nullptr || m_pWrapper->getItem() == nullptr)
        return;
    CWaitDlg wait;
    wait.Show(kWaiting, this);
    // the stored values: what the item checks now, not what the properties page shows
    const ItemGeneralSettings general = m_pWrapper->getItem()->getGeneral();
    const std::string text = takeSnapshot(general.name, general.type, general.port, general.address);
    wait.Close();
    // the other values keep what the user set; only the search text is replaced
    UpdateData(TRUE);
    searchText = text.c_str();
    UpdateData(FALSE);
}

BOOL CPageSettingsDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
