#include "controls_dialog.h"

namespace dlgtest {

const char* const ControlsDialog::kItems[] = {"Apple", "Apricot", "Banana", "Cherry", "Damson"};
const int ControlsDialog::kItemCount = (int)(sizeof kItems / sizeof kItems[0]);

BOOL ControlsDialog::OnInitDialog()
{
    CExtResDlg::OnInitDialog();
    struct {
        CWnd* pWnd;
        int id;
    } controls[] = {
        {&two, IDC_CTL_TWO}, {&three, IDC_CTL_THREE}, {&leftText, IDC_CTL_LEFTTEXT}, {&top, IDC_CTL_TOP},
        {&bottom, IDC_CTL_BOTTOM}, {&multiLine, IDC_CTL_MULTILINE}, {&pushLike, IDC_CTL_PUSHLIKE},
        {&red, IDC_CTL_RED}, {&green, IDC_CTL_GREEN}, {&blue, IDC_CTL_BLUE}, {&smallSize, IDC_CTL_SMALL},
        {&largeSize, IDC_CTL_LARGE}, {&lblLeft, IDC_CTL_LBL_LEFT}, {&lblCenter, IDC_CTL_LBL_CENTER},
        {&lblRight, IDC_CTL_LBL_RIGHT}, {&lblNoWrap, IDC_CTL_LBL_NOWRAP}, {&lblSimple, IDC_CTL_LBL_SIMPLE},
        {&lblCenterImage, IDC_CTL_LBL_CENTERIMAGE}, {&lblName, IDC_CTL_LBL_NAME}, {&name, IDC_CTL_NAME},
        {&readOnly, IDC_CTL_READONLY}, {&notes, IDC_CTL_NOTES}, {&simple, IDC_CTL_SIMPLE},
        {&dropDown, IDC_CTL_DROPDOWN}, {&dropList, IDC_CTL_DROPLIST}, {&grpEtched, IDC_CTL_GRP_ETCHED},
        {&grpRounded, IDC_CTL_GRP_ROUNDED}, {&grpFlat, IDC_CTL_GRP_FLAT}, {&grpBar, IDC_CTL_GRP_BAR},
        {&grpEmpty, IDC_CTL_GRP_EMPTY},
    };
    for (auto& c : controls)
        c.pWnd->SubclassDlgItem(c.id, this);
    for (CExtComboBox* pCombo : {&simple, &dropDown, &dropList})
        for (int i = 0; i < kItemCount; i++)
            pCombo->AddString(kItems[i]);
    grpEtched.SetStyle(CExtGroupBox::STYLE_ETCHED);
    grpRounded.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    grpFlat.SetStyle(CExtGroupBox::STYLE_FLAT);
    grpBar.SetStyle(CExtGroupBox::STYLE_CAPTION);
    lblName.m_nStyleBits = CExtLabel::STYLE_BOLD;
    readOnly.SetWindowText("Read only");
    return TRUE;
}

std::vector<CExtCheckBox*> ControlsDialog::CheckBoxes()
{
    return {&two, &three, &leftText, &top, &bottom, &multiLine, &pushLike};
}

bool ControlsDialog::Open(int x, int y)
{
    if (!Create(IDD_CONTROLS))
        return false;
    SetWindowPos(&CWnd::wndTop, x, y, 0, 0, SWP_NOSIZE);
    ShowWindow(SW_SHOW);
    SetForegroundWindow();
    const bool bActive = orvtest::pumpUntil([&] { return ::GetActiveWindow() == m_hWnd; });
    orvtest::pumpWaiting();
    return bActive;
}

BOOL ControlsDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (onCommand && onCommand(wParam, lParam))
        return TRUE;
    return CExtResDlg::OnCommand(wParam, lParam);
}

LRESULT ControlsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CANCELMODE && onCancelMode)
        onCancelMode();
    return CExtResDlg::WindowProc(message, wParam, lParam);
}

}  // namespace dlgtest
