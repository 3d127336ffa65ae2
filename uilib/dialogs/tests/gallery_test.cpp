// The dialogs gallery: the buttons dialog (skinned buttons, themed background, size grip) in
// the four looks side by side as it shows on the screen, with a strip of the push button's
// states under each (normal, hover, pushed, default, disabled, split, arrow part pushed,
// checked check box painted as a push button), and under that the other controls painted by
// themselves: check box and radio button states, edit and combo box frames (normal, hover,
// pressed, disabled) and the group box's four frame styles. Kept as dialogs_gallery_DEPTH.png
// and, with the blue Luna style through the core's seam, dialogs_gallery_luna_blue_DEPTH.png.
#include <orv/TestEnv.h>
#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtComboBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtRadioButton.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtResDlg.h"
#include "CExtWA.h"
#include "CExtWS.h"
#include "DialogsTestApp.h"
#include "RenderHarness.h"
#include "dialogs_test_resources.h"
#include <functional>
#include <set>

namespace {

const int kCellW = 96;   // a cell of the controls rows

// A hidden control of the gallery dialog, made by the system and then subclassed.
template <class T>
void MakeHidden(T& wnd, CWnd* pParent, const char* pszClass, const char* pszText, DWORD dwStyle, DWORD dwExStyle,
                const CRect& rc)
{
    HWND hWnd = ::CreateWindowExA(dwExStyle, pszClass, pszText, WS_CHILD | dwStyle, rc.left, rc.top, rc.Width(),
                                  rc.Height(), pParent->m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ::SendMessageA(hWnd, WM_SETFONT, ::SendMessageA(pParent->m_hWnd, WM_GETFONT, 0, 0), FALSE);
    wnd.SubclassWindow(hWnd);
}

class GalleryDialog : public CExtWA<CExtWS<CExtResDlg>> {
public:
    CExtButton plain, split, ok, cancel;
    // the controls of the rows under the button strip, never shown on the screen
    CExtCheckBox check;
    CExtRadioButton radio;
    CExtEdit edit;
    CExtComboBox combo;
    CExtGroupBox group, groupEmpty;
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
        MakeHidden(check, this, "BUTTON", "Check box", BS_AUTO3STATE, 0, CRect(0, 0, kCellW, 18));
        MakeHidden(radio, this, "BUTTON", "Radio button", BS_AUTORADIOBUTTON, 0, CRect(0, 0, kCellW, 18));
        MakeHidden(edit, this, "EDIT", "", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, CRect(0, 0, kCellW, 22));
        MakeHidden(combo, this, "COMBOBOX", "", CBS_DROPDOWNLIST, 0, CRect(0, 0, kCellW, 120));
        MakeHidden(group, this, "BUTTON", "Group", BS_GROUPBOX, 0, CRect(0, 0, kCellW, 44));
        MakeHidden(groupEmpty, this, "BUTTON", "", BS_GROUPBOX, 0, CRect(0, 0, kCellW, 44));
        return TRUE;
    }
};

const int kGap = 8;

// One cell of the controls rows: what the control paints in one state.
struct Cell {
    const char* name;
    std::function<void(GalleryDialog&, CDC&)> paint;   // paints at the origin, then undoes its state
    int height;
};

std::vector<Cell> ControlCells()
{
    auto box = [](const char* name, UINT check, BYTE flags, BYTE input, bool enabled, bool radio) {
        return Cell{name,
                    [=](GalleryDialog& d, CDC& dc) {
                        CExtCheckBox& b = radio ? static_cast<CExtCheckBox&>(d.radio) : d.check;
                        b.m_nCheck = check;
                        b.m_nStateFlags = (BYTE)(CExtButton::STATE_FOCUS_RECT | CExtButton::STATE_BORDER | flags);
                        b.m_nInputFlags = input;
                        b.EnableWindow(enabled);
                        b.PaintButton(dc, false);
                        b.EnableWindow(TRUE);
                        b.m_nStateFlags = CExtButton::STATE_FOCUS_RECT | CExtButton::STATE_BORDER;
                        b.m_nInputFlags = 0;
                    },
                    18};
    };
    auto edit = [](const char* name, bool hover, bool enabled) {
        return Cell{name,
                    [=](GalleryDialog& d, CDC& dc) {
                        CRect rc;
                        d.edit.GetWindowRect(&rc);
                        rc.OffsetRect(-rc.TopLeft());
                        dc.FillSolidRect(&rc, g_PaintManager->GetColor(enabled ? COLOR_WINDOW : COLOR_3DFACE));
                        d.edit.m_nEditState = hover ? CExtEdit::STATE_HOVER : 0;
                        d.edit.EnableWindow(enabled);
                        rc.DeflateRect(3, 3);
                        d.edit.PaintFrame(rc, &dc);
                        d.edit.EnableWindow(TRUE);
                        d.edit.m_nEditState = 0;
                    },
                    22};
    };
    auto combo = [](const char* name, bool hover, bool pressed, bool enabled) {
        return Cell{name,
                    [=](GalleryDialog& d, CDC& dc) {
                        CRect rc;
                        d.combo.GetClientRect(&rc);
                        dc.FillSolidRect(&rc, g_PaintManager->GetColor(enabled ? COLOR_WINDOW : COLOR_3DFACE));
                        d.combo.EnableWindow(enabled);
                        d.combo.DrawComboFrame(pressed, hover, &dc);
                        d.combo.EnableWindow(TRUE);
                    },
                    0};
    };
    auto group = [](const char* name, int style, bool empty, bool enabled) {
        return Cell{name,
                    [=](GalleryDialog& d, CDC& dc) {
                        CExtGroupBox& g = empty ? d.groupEmpty : d.group;
                        g.m_nFrameStyle = style;
                        g.EnableWindow(enabled);
                        g.PaintFace(dc);
                        g.EnableWindow(TRUE);
                    },
                    44};
    };
    enum : BYTE { H = CExtButton::STATE_HOVER, M = CExtCheckBox::INPUT_MOUSE_HELD };
    return {
        box("unchecked", 0, 0, 0, true, false),  box("checked", 1, 0, 0, true, false),
        box("indeterminate", 2, 0, 0, true, false), box("hot", 0, H, 0, true, false),
        box("pressed", 1, H, M, true, false),    box("disabled", 1, 0, 0, false, false),
        box("radio", 0, 0, 0, true, true),       box("radio checked", 1, 0, 0, true, true),
        box("radio hot", 1, H, 0, true, true),   box("radio disabled", 1, 0, 0, false, true),
        edit("edit", false, true),               edit("edit hover", true, true),
        edit("edit disabled", false, false),     edit("edit disabled, hover", true, false),
        combo("combo", false, false, true),      combo("combo hover", true, false, true),
        combo("combo pressed", true, true, true), combo("combo disabled", true, true, false),
        group("etched", CExtGroupBox::STYLE_ETCHED, false, true), group("rounded", CExtGroupBox::STYLE_ROUNDED, false, true),
        group("flat", CExtGroupBox::STYLE_FLAT, false, true),     group("caption bar", CExtGroupBox::STYLE_CAPTION, false, true),
        group("empty caption", CExtGroupBox::STYLE_ETCHED, true, true), group("disabled", CExtGroupBox::STYLE_ROUNDED, false, false),
    };
}
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
    std::vector<Cell> cells = ControlCells();
    std::vector<int> rowTops;
    int nCols = 1, controlsH = 0;
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
            // the controls rows: as many cells side by side as the column holds
            nCols = std::max(1, cellW / (kCellW + 4));
            CRect rcCombo;
            dlg.combo.GetClientRect(&rcCombo);
            for (size_t i = 0; i < cells.size(); i++) {
                if (cells[i].height == 0)
                    cells[i].height = rcCombo.Height();
                if (i % nCols == 0)
                    rowTops.push_back(controlsH);
                const int rowH = cells[i].height + 4;
                if (i % nCols == 0 || controlsH < rowTops.back() + rowH)
                    controlsH = rowTops.back() + rowH;
            }
            height = kGap + dlgH + kGap + nStates * (btnH + 4) + kGap + controlsH + kGap;
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

        // the other controls, each painted by itself in its states
        orvtest::RenderCanvas controls(cellW, controlsH, kBackground);
        for (size_t i = 0; i < cells.size(); i++) {
            const CPoint org((int)(i % nCols) * (kCellW + 4), rowTops[i / nCols]);
            const int nSaved = controls.dc().SaveDC();
            controls.dc().SetViewportOrg(org);
            CRgn rgn;
            rgn.CreateRectRgn(org.x, org.y, org.x + kCellW, org.y + cells[i].height);
            controls.dc().SelectClipRgn(&rgn);
            cells[i].paint(dlg, controls.dc());
            controls.dc().RestoreDC(nSaved);
            EXPECT_GT(controls.CountOther(kBackground, CRect(org, CSize(kCellW, cells[i].height))), 0) << cells[i].name;
        }
        const int yControls = kGap + dlgH + kGap + nStates * (btnH + 4) + kGap;
        for (int y = 0; y < controlsH; y++)
            for (int x = 0; x < cellW; x++) {
                const COLORREF clr = controls.At(x, y);
                composite[(size_t)(yControls + y) * width + x0 + x] =
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
