// The controls dialog as the screen shows it in each look, kept as
// dialogs_controls_LOOK_DEPTH.png: check boxes in their states (the three-state one
// indeterminate, a disabled one), radio groups, the labels in each static style, edits (one with
// the focus, one read-only, one disabled), the three kinds of combo box (one disabled) and the
// group boxes in the four frame styles.
#include <orv/TestEnv.h>
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "DialogsTestApp.h"
#include "RenderHarness.h"
#include "controls_dialog.h"
#include <set>

using dlgtest::ControlsDialog;

namespace {

// Puts the dialog's controls into the states the pictures show.
void DressForPicture(ControlsDialog& dlg)
{
    dlg.two.SendMessage(BM_SETCHECK, 1, 0);
    dlg.three.SendMessage(BM_SETCHECK, 2, 0);
    dlg.top.SendMessage(BM_SETCHECK, 1, 0);
    dlg.pushLike.SendMessage(BM_SETCHECK, 1, 0);
    dlg.bottom.EnableWindow(FALSE);
    dlg.green.SendMessage(BM_SETCHECK, 1, 0);
    dlg.largeSize.SendMessage(BM_SETCHECK, 1, 0);
    dlg.lblRight.EnableWindow(FALSE);
    dlg.name.SetWindowText("Orvane");
    dlg.notes.SetWindowText("Disabled");
    dlg.notes.EnableWindow(FALSE);
    dlg.simple.SetCurSel(1);
    dlg.dropDown.SetWindowText("Banana");
    dlg.dropList.SetCurSel(3);
    dlg.dropList.EnableWindow(FALSE);
    dlg.grpFlat.EnableWindow(FALSE);
    dlg.name.SetFocus();
    dlg.name.SetSel(0, -1);
}

}  // namespace

TEST(ControlsPictures, TheControlsDialogInEachLook)
{
    dlgtest::App();
    struct Look {
        const char* name;
        CRuntimeClass* pClass;
    } looks[] = {
        {"classic", RUNTIME_CLASS(CExtPaintManager)},
        {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
        {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
        {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
    };
    const std::string depth = std::to_string(orvtest::DisplayDepth());
    for (const Look& look : looks) {
        orvtest::ScopedPainter painter(static_cast<CExtPaintManager*>(look.pClass->CreateObject()));
        ControlsDialog dlg;
        ASSERT_TRUE(dlg.Open(40, 40)) << look.name;
        DressForPicture(dlg);
        dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        orvtest::pumpWaiting();
        CRect rc;
        dlg.GetWindowRect(&rc);
        orvtest::Picture shot;
        ASSERT_TRUE(orvtest::screenshot("dialogs_controls_screen_" + depth, &shot)) << look.name;
        std::vector<unsigned> pixels((size_t)rc.Width() * rc.Height());
        std::set<unsigned> colours;
        for (int y = 0; y < rc.Height(); y++)
            for (int x = 0; x < rc.Width(); x++) {
                const unsigned clr = shot.pixel(rc.left + x, rc.top + y);
                colours.insert(clr);
                pixels[(size_t)y * rc.Width() + x] = ((clr & 0xFF) << 16) | (clr & 0xFF00) | ((clr >> 16) & 0xFF);
            }
        EXPECT_GT(colours.size(), 3u) << look.name;
        EXPECT_TRUE(orvtest::savePicture(std::string("dialogs_controls_") + look.name + "_" + depth, rc.Width(),
                                         rc.Height(), pixels.data()))
            << look.name;
        dlg.DestroyWindow();
        orvtest::pumpWaiting();
    }
}
