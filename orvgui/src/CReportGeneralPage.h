// "General" (page 136) of the report sheet: the report's name, its output file (typed or picked
// with Browse in the data folder's Reports\ folder) and its output type. Applying refuses an
// empty name or output file, a name holding the default mark, and another definition's name.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtButton.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtRadioButton.h"
#include "CExtResizablePropertyPage.h"

class CReportGeneralPage : public CExtResizablePropertyPage {
public:
    enum {
        IDD = 136,
        IDC_GROUP = 1043,
        IDC_TYPE_GROUP = 1045,
        IDC_NAME_LABEL = 1046,
        IDC_NAME = 1047,
        IDC_FILE_LABEL = 1048,
        IDC_FILE = 1049,
        IDC_BROWSE = 1050,
        IDC_HTML = 1055,
        IDC_DELIMITED = 1056,
        IDC_XML = 1057,
    };
    static const char kNoName[];   // "Please enter a name for your report"
    static const char kNoFile[];   // "Please enter an output file name for your report"

    CReportGeneralPage();

    CString name;
    CString outputFile;
    int outputType;   // 0 HTML, 1 delimited text, 2 XML
    // The names of every definition, and the name the page's definition has now ("" for a new one).
    std::vector<std::string> existingNames;
    std::string ownName;
    // Where Browse starts: the data folder (ending in a backslash); its "Reports\" is used.
    std::string dataFolder;

    // The file dialog's pattern and extension for an output type.
    static const char* Pattern(int outputType);
    static const char* Extension(int outputType);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    afx_msg void OnBrowse();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    int CheckedType() const;

    CExtGroupBox m_group, m_typeGroup;
    CExtLabel m_nameLabel, m_fileLabel;
    CExtEdit m_name, m_file;
    CExtButton m_browse;
    CExtRadioButton m_html, m_delimited, m_xml;
};
