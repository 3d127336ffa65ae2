// The property sheet of every GUI sheet and of the new-item wizard: the UI library's resizable
// sheet whose frame cannot be dragged to another size (it still moves by its caption), with or
// without an Apply button.
#pragma once

#include "CExtResizablePropertySheet.h"

class FixedPropertySheet : public CExtResizablePropertySheet {
public:
    // withApply false: the sheet has no Apply button. The caption (may be NULL) is the sheet's
    // title; pages set their own in wizard mode.
    explicit FixedPropertySheet(bool withApply, LPCTSTR pszCaption = NULL, CWnd* pParentWnd = NULL);
    ~FixedPropertySheet() override;

    // A hit-test result as the sheet answers it: the sizing borders are nowhere.
    static LRESULT FixHitTest(LRESULT hit);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
