// The controls dialog of the tests and the gallery: every skinned control of the dialog layers
// subclassed over the template IDD_CONTROLS, the combo boxes filled, the group boxes in the
// four frame styles.
#pragma once
#include "CExtCheckBox.h"
#include "CExtComboBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtRadioButton.h"
#include "CExtResDlg.h"
#include "controls_test_resources.h"
#include <orv/UiTest.h>
#include <functional>
#include <vector>

namespace dlgtest {

class ControlsDialog : public CExtResDlg {
public:
    CExtCheckBox two, three, leftText, top, bottom, multiLine, pushLike;
    CExtRadioButton red, green, blue, smallSize, largeSize;
    CExtLabel lblLeft, lblCenter, lblRight, lblNoWrap, lblSimple, lblCenterImage, lblName;
    CExtEdit name, readOnly, notes;
    CExtComboBox simple, dropDown, dropList;
    CExtGroupBox grpEtched, grpRounded, grpFlat, grpBar, grpEmpty;

    // The items of every combo box, in list order.
    static const char* const kItems[];
    static const int kItemCount;

    // Creates the dialog (modeless), shows it at (x, y) and waits until it is active.
    bool Open(int x = 60, int y = 60);
    // Every check box of the dialog, in template order.
    std::vector<CExtCheckBox*> CheckBoxes();

    // Called for each WM_COMMAND before the dialog handles it; answers true to stop there.
    std::function<bool(WPARAM, LPARAM)> onCommand;
    // Called for WM_CANCELMODE (a combo sends it before it opens its list).
    std::function<void()> onCancelMode;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
};

}  // namespace dlgtest
