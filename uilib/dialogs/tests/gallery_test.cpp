// The dialogs gallery: the buttons dialog (skinned buttons, themed background, size grip) in
// the four looks side by side as it shows on the screen, with a strip of the push button's
// states under each (normal, hover, pushed, default, disabled, split, arrow part pushed,
// checked check box painted as a push button). Kept as dialogs_gallery_DEPTH.png and, with the
// blue Luna style through the core's seam, dialogs_gallery_luna_blue_DEPTH.png.
#include <orv/TestEnv.h>
#include "CExtButton.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtResDlg.h"
#include "CExtWA.h"
#include "CExtWS.h"
#include "DialogsTestApp.h"
#include "RenderHarness.h"
#include "dialogs_test_resources.h"
#include <set>

namespace {

class GalleryDialog : public CExtWA<CExtWS<CExtResDlg>> {
public:
    CExtButton plain, split, ok, cancel;
    BOOL OnInitDialog() override
    {
        CExtWA<CExtWS<CExtResDlg>>::OnInitDialog();
        plain.SubclassDlgItem(IDC_BTN_PLAIN, this);
        split.SubclassDlgItem(IDC_BTN_SPLIT, this);
        ok.SubclassDlgItem(IDOK, this);
        cancel.SubclassDlgItem(IDCANCEL, this);
        split.m_menu.Attach(::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDM_BUTTON)));
        split.m_nStateFlags |= CExtButton::STATE_SPLIT;
        ShowSizeGrip(true);
        return TRUE;
    }
};

const int kGap = 8;
const COLORREF kBackground = RGB(40, 40, 48);

// One state of the button strip: flags, type and enabled state set on the button, then undone.
struct State {
    const char* name;
    BYTE flags;
    UINT type;
    bool enabled;
    int pressedPart;
    UINT check;
};

void PaintGallery(const std::string& name)
{
    dlgtest::App();
    CRuntimeClass* looks[] = {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                              RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)};
    const State states[] = {
        {"normal", 0, BS_PUSHBUTTON, true, 0, 0},
        {"hover", CExtButton::STATE_HOVER, BS_PUSHBUTTON, true, 0, 0},
        {"pushed", CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED, BS_PUSHBUTTON, true, 1, 0},
        {"default", 0, BS_DEFPUSHBUTTON, true, 0, 0},
        {"disabled", 0, BS_PUSHBUTTON, false, 0, 0},
        {"split", CExtButton::STATE_SPLIT | CExtButton::STATE_HOVER, BS_PUSHBUTTON, true, 0, 0},
        {"arrow pushed", CExtButton::STATE_SPLIT | CExtButton::STATE_HOVER | CExtButton::STATE_PUSHED, BS_PUSHBUTTON,
         true, 2, 0},
        {"checked box", 0, BS_AUTOCHECKBOX, true, 0, 1},
    };
    const int nStates = (int)(sizeof states / sizeof states[0]);

    std::vector<unsigned> composite;
    int width = 0, height = 0, cellW = 0, dlgH = 0, btnW = 0, btnH = 0;
    for (int l = 0; l < 4; l++) {
        orvtest::ScopedPainter painter(static_cast<CExtPaintManager*>(looks[l]->CreateObject()));
        GalleryDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
        dlg.plain.m_menu.Attach(::LoadMenuA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDM_BUTTON)));
        dlg.SetWindowPos(&CWnd::wndTop, 40, 40, 0, 0, SWP_NOSIZE);
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        orvtest::pumpWaiting();
        CRect rcDlg;
        dlg.GetWindowRect(&rcDlg);
        CRect rcBtn;
        dlg.plain.GetClientRect(&rcBtn);
        if (l == 0) {
            cellW = rcDlg.Width();
            dlgH = rcDlg.Height();
            btnW = rcBtn.Width();
            btnH = rcBtn.Height();
            width = 4 * (cellW + kGap) + kGap;
            height = kGap + dlgH + kGap + nStates * (btnH + 4) + kGap;
            composite.assign((size_t)width * height, 0x00302828u);
        }
        const int x0 = kGap + l * (cellW + kGap);

        // the dialog as the screen shows it
        orvtest::Picture shot;
        ASSERT_TRUE(orvtest::screenshot("dialogs_gallery_screen_" + std::to_string(orvtest::DisplayDepth()), &shot));
        std::set<unsigned> colours;
        for (int y = 0; y < dlgH && y < rcDlg.Height(); y++)
            for (int x = 0; x < cellW && x < rcDlg.Width(); x++) {
                const unsigned clr = shot.pixel(rcDlg.left + x, rcDlg.top + y);
                colours.insert(clr);
                // COLORREF 0x00BBGGRR to BGRX 0x00RRGGBB
                composite[(size_t)(kGap + y) * width + x0 + x] =
                    ((clr & 0xFF) << 16) | (clr & 0xFF00) | ((clr >> 16) & 0xFF);
            }
        EXPECT_GT(colours.size(), 3u) << l;

        // the button's states, painted by the button itself
        orvtest::RenderCanvas canvas(btnW, nStates * (btnH + 4), kBackground);
        CExtButton& b = dlg.plain;
        const BYTE savedFlags = b.m_nStateFlags;
        const UINT savedType = b.m_nButtonType;
        for (int s = 0; s < nStates; s++) {
            const State& st = states[s];
            b.m_nStateFlags = (BYTE)(CExtButton::STATE_FOCUS_RECT | CExtButton::STATE_BORDER | st.flags);
            b.m_nButtonType = st.type;
            b.m_nPressedPart = st.pressedPart;
            b.m_nCheck = st.check;
            if (!st.enabled)
                ::EnableWindow(b.m_hWnd, FALSE);
            const CPoint old = canvas.dc().SetViewportOrg(0, s * (btnH + 4));
            b.PaintButton(canvas.dc(), false);
            canvas.dc().SetViewportOrg(old);
            ::EnableWindow(b.m_hWnd, TRUE);
            EXPECT_GT(canvas.CountOther(kBackground, CRect(0, s * (btnH + 4), btnW, s * (btnH + 4) + btnH)), 0) << st.name;
        }
        b.m_nStateFlags = savedFlags;
        b.m_nButtonType = savedType;
        b.m_nPressedPart = 0;
        b.m_nCheck = 0;
        for (int y = 0; y < canvas.Height(); y++)
            for (int x = 0; x < btnW; x++) {
                const COLORREF clr = canvas.At(x, y);
                composite[(size_t)(kGap + dlgH + kGap + y) * width + x0 + x] =
                    ((clr & 0xFF) << 16) | (clr & 0xFF00) | ((clr >> 16) & 0xFF);
            }
        dlg.DestroyWindow();
        orvtest::pumpWaiting();
    }
    EXPECT_TRUE(orvtest::savePicture(name + "_" + std::to_string(orvtest::DisplayDepth()), width, height, composite.data()));
}

}  // namespace

TEST(Gallery, TheButtonsDialogInTheFourLooks)
{
    PaintGallery("dialogs_gallery");
}

TEST(Gallery, TheButtonsDialogWithTheBlueLunaStyle)
{
    orvtest::XpLunaSystem xp("normalcolor");
    orvtest::ScopedSystemAnswers answers(&xp);
    PaintGallery("dialogs_gallery_luna_blue");
}
