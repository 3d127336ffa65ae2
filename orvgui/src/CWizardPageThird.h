// Wizard page 3, "Select Protocol To Monitor The Site": the protocol from a list and the port.
// Picking a protocol gives the port its default (Port keeps the number typed); the port edit is
// disabled for Ping.
#pragma once

#include "CExtEdit.h"
#include "CExtWFF.h"
#include "CWizardPage.h"

class CWizardPageThird : public CWizardPage {
public:
    enum { IDD = 174, IDC_PORT = 1023, IDC_PROTOCOL = 1097 };
    CWizardPageThird();

    int type;   // 0 Ping .. 6 Port
    int port;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnProtocolChanged();
    DECLARE_MESSAGE_MAP()

    CExtEdit m_portEdit;
    CExtWFF<CListBox> m_protocolList;
};
