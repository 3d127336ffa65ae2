// Wizard page 1, "Add New Watch Item": the address (required, stored without spaces and without
// one trailing slash, not one another item has) and the name (may stay empty).
#pragma once

#include "CExtEdit.h"
#include "CWizardPage.h"

class MonitorItemWrapperManager;

class CWizardPageFirst : public CWizardPage {
public:
    enum { IDD = 170, IDC_ADDRESS = 1001, IDC_NAME = 1088 };
    static const char kNoAddress[];
    static const char kAddressExists[];

    explicit CWizardPageFirst(const MonitorItemWrapperManager* wrappers = NULL);

    CString address;
    CString name;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    const MonitorItemWrapperManager* m_wrappers;
    CExtEdit m_addressEdit, m_nameEdit;
};
