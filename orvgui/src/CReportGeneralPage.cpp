#include "CReportGeneralPage.h"

#include "CFileDialog.h"
#include "ContextHelpMap.h"
#include "ReportNames.h"

BEGIN_MESSAGE_MAP(CReportGeneralPage, CExtResizablePropertyPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

const char CReportGeneralPage::kNoName[] = "Please enter a name for your report";
const char CReportGeneralPage::kNoFile[] = "Please enter an output file name for your report";

CReportGeneralPage::CReportGeneralPage() : CExtResizablePropertyPage(IDD), outputType(0)
{
}

void CReportGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    CExtResizablePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GROUP, m_group);
    DDX_Control(pDX, IDC_TYPE_GROUP, m_typeGroup);
    DDX_Control(pDX, IDC_NAME_LABEL, m_nameLabel);
    DDX_Control(pDX, IDC_FILE_LABEL, m_fileLabel);
    DDX_Control(pDX, IDC_NAME, m_name);
    DDX_Control(pDX, IDC_FILE, m_file);
    DDX_Control(pDX, IDC_BROWSE, m_browse);
    DDX_Control(pDX, IDC_HTML, m_html);
    DDX_Control(pDX, IDC_DELIMITED, m_delimited);
    DDX_Control(pDX, IDC_XML, m_xml);
    DDX_Text(pDX, IDC_NAME, name);
    DDX_Text(pDX, IDC_FILE, outputFile);
}

BOOL CReportGeneralPage::OnInitDialog()
{
    CExtResizablePropertyPage::OnInitDialog();
    m_group.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_typeGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    const int ids[] = {IDC_HTML, IDC_DELIMITED, IDC_XML};
    CheckRadioButton(IDC_HTML, IDC_XML, ids[outputType >= 0 && outputType <= 2 ? outputType : 0]);
    return TRUE;
}

int CReportGeneralPage::CheckedType() const
{
    if (m_delimited.GetCheck() == BST_CHECKED)
        return 1;
    if (m_xml.GetCheck() == BST_CHECKED)
        return 2;
    return 0;
}

const char* CReportGeneralPage::Pattern(int outputType)
{
    return outputType == 1 ? "*.csv" : outputType == 2 ? "*.xml" : "*.html";
}

const char* CReportGeneralPage::Extension(int outputType)
{
    return outputType == 1 ? "csv" : outputType == 2 ? "xml" : "html";
}

void CReportGeneralPage::OnBrowse()
{
    UpdateData(TRUE);
    const int type = CheckedType();
    const std::string folder = dataFolder + "Reports\\";
    if (!dataFolder.empty() && ::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        ::CreateDirectoryA(folder.c_str(), NULL);
    CFileDialog dialog(FALSE, Extension(type), outputFile.IsEmpty() ? "MyReport" : (LPCTSTR)outputFile,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, Pattern(type), this);
    if (!dataFolder.empty())
        dialog.m_ofn.lpstrInitialDir = folder.c_str();
    if (dialog.DoModal() == IDOK) {
        outputFile = dialog.GetPathName();
        UpdateData(FALSE);
    }
}

BOOL CReportGeneralPage::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    const std::string error = ReportNames::nameError((LPCTSTR)name, existingNames, ownName);
    if (!error.empty()) {
        AfxMessageBox(error.c_str());
        return FALSE;
    }
    if (outputFile.IsEmpty()) {
        AfxMessageBox(kNoFile);
        return FALSE;
    }
    outputType = CheckedType();
    return CExtResizablePropertyPage::OnApply();
}

BOOL CReportGeneralPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
