// The colour dialog run modally from its own template (CExtColorDlg.rc, listed among this
// program's sources), its fields typed with real keys: out-of-range values, empty fields, the
// groups kept in step, a mode switch, OK and Cancel; and its pictures in the four looks.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "RenderHarness.h"
#include "CExtColorDlg.h"
#include "CExtPaintManagerXP.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include <string>
#include <vector>

using orvtest::Script;

namespace {

const char kRangeMessage[] = "Value must be in range 0..255";

// The fields in the order of the table of expected texts: R G B C M Y H S L.
const UINT kFields[] = {IDC_EXT_COLOR_R, IDC_EXT_COLOR_G, IDC_EXT_COLOR_B, IDC_EXT_COLOR_C, IDC_EXT_COLOR_M,
                        IDC_EXT_COLOR_Y, IDC_EXT_COLOR_H, IDC_EXT_COLOR_S, IDC_EXT_COLOR_L};

std::string FieldTexts(HWND hDlg)
{
    std::string s;
    for (UINT nID : kFields) {
        char text[32] = "";
        ::GetDlgItemTextA(hDlg, nID, text, sizeof text);
        s += (s.empty() ? "" : " ") + std::string(text);
    }
    return s;
}

// Steps that bring the dialog up and give a field the focus with its text selected.
Script::Step DialogUp(CExtColorDlg& dlg)
{
    return [&dlg] {
        if (dlg.m_hWnd == NULL || !::IsWindowVisible(dlg.m_hWnd))
            return false;
        dlg.SetForegroundWindow();
        return ::GetForegroundWindow() == dlg.m_hWnd;
    };
}

Script::Step Focus(CExtColorDlg& dlg, UINT nID)
{
    return [&dlg, nID] {
        HWND hField = ::GetDlgItem(dlg.m_hWnd, nID);
        ::SetFocus(hField);
        ::SendMessageA(hField, EM_SETSEL, 0, -1);
        return ::GetFocus() == hField;
    };
}

Script::Step Type(const char* text)
{
    return [text] {
        orvtest::typeText(text);
        return true;
    };
}

Script::Step Key(WORD vk)
{
    return [vk] {
        orvtest::pressKey(vk);
        return true;
    };
}

Script::Step FieldIs(CExtColorDlg& dlg, UINT nID, const char* text)
{
    return [&dlg, nID, text] {
        char got[32] = "";
        ::GetDlgItemTextA(dlg.m_hWnd, nID, got, sizeof got);
        return std::string(got) == text;
    };
}

}  // namespace

// 1. Typed values: each row types into one field of a dialog opened on a colour and checks every
//    field, the chosen colour and the range messages seen (each closed by the test).
TEST(ColourDialog, TypedFieldsKeepTheGroupsInStep)
{
    orvtest::uiApp("colour dialog test");
    struct Case {
        const char* name;
        COLORREF start;
        UINT field;
        const char* typed;        // typed over the selected text; "" presses Delete
        const char* waitFor;      // the field's text once every key was handled
        COLORREF chosen;
        const char* fields;       // R G B C M Y H S L
        int messages;
    } cases[] = {
        {"red 255", RGB(0, 0, 0), IDC_EXT_COLOR_R, "255", "255", RGB(255, 0, 0), "255 0 0 0 255 255 0 255 128", 0},
        {"256 refused", RGB(0, 20, 30), IDC_EXT_COLOR_R, "256", "256", RGB(25, 20, 30), "256 20 30 230 235 225 191 51 25", 1},
        {"empty is 0", RGB(10, 20, 30), IDC_EXT_COLOR_G, "", "", RGB(10, 0, 30), "10  30 245 255 225 184 255 15", 0},
        {"letters are 0", RGB(10, 20, 30), IDC_EXT_COLOR_B, "ab", "ab", RGB(10, 20, 0), "10 20 ab 245 235 255 64 255 10", 0},
        {"magenta 55", RGB(255, 255, 255), IDC_EXT_COLOR_M, "55", "55", RGB(255, 200, 255), "255 200 255 0 55 0 213 255 227", 0},
        {"lightness 0", RGB(200, 100, 50), IDC_EXT_COLOR_L, "0", "0", RGB(0, 0, 0), "0 0 0 255 255 255 14 153 0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExtColorDlg dlg(c.start, c.start);
        Script script({{"dialog up", DialogUp(dlg)},
                       {"focus", Focus(dlg, c.field)},
                       {"type", *c.typed ? Type(c.typed) : Key(VK_DELETE)},
                       {"typed", FieldIs(dlg, c.field, c.waitFor)},
                       {"messages seen", [&] { return (int)script.boxes.texts.size() >= c.messages; }},
                       {"check", [&] {
                            EXPECT_EQ(c.fields, FieldTexts(dlg.m_hWnd));
                            EXPECT_EQ(c.chosen, dlg.m_clrNew);
                            EXPECT_EQ(c.chosen, dlg.m_wndColorCtrl.m_colors.m_clrCurrent);
                            if (c.messages > 0) {
                                EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, c.field), ::GetFocus());
                            }
                            return true;
                        }},
                       {"OK", Key(VK_RETURN)}});
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(std::vector<std::string>(c.messages, kRangeMessage), script.boxes.texts);
        EXPECT_EQ(c.chosen, dlg.m_clrNew);
    }
}

// 2. A mode chosen in the list (real keys: open, move, Enter) redraws the picker in that mode
//    with the same colour; Cancel ends the dialog without an answer the caller would take.
TEST(ColourDialog, ModeSwitchKeepsTheColourAndCancelLeavesTheCaller)
{
    orvtest::uiApp("colour dialog test");
    COLORREF clrCaller = RGB(40, 120, 200);
    CExtColorDlg dlg(clrCaller, clrCaller);
    std::string before;
    Script script({{"dialog up", DialogUp(dlg)},
                   {"fields", [&] {
                        before = FieldTexts(dlg.m_hWnd);
                        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EXT_COLOR_MODE));
                        return ::GetFocus() == ::GetDlgItem(dlg.m_hWnd, IDC_EXT_COLOR_MODE);
                    }},
                   {"open", Key(VK_F4)},
                   {"dropped", [&] { return dlg.m_comboMode.GetDroppedState() != FALSE; }},
                   {"down 1", Key(VK_DOWN)},
                   {"down 2", Key(VK_DOWN)},
                   {"down 3", Key(VK_DOWN)},
                   {"down 4", Key(VK_DOWN)},
                   {"choose", Key(VK_RETURN)},
                   {"mode 4", [&] { return dlg.m_wndColorCtrl.m_nMode == CExtColorCtrl::MODE_RGB_CUBE; }},
                   {"same colour", [&] {
                        EXPECT_EQ(4, dlg.m_comboMode.GetCurSel());
                        EXPECT_EQ(clrCaller, dlg.m_wndColorCtrl.m_colors.m_clrCurrent);
                        EXPECT_EQ(clrCaller, dlg.m_wndColorCtrl.CurrentModel().m_clrCurrent);
                        EXPECT_EQ(before, FieldTexts(dlg.m_hWnd));
                        EXPECT_EQ(clrCaller, dlg.m_clrNew);
                        return true;
                    }},
                   {"focus red", Focus(dlg, IDC_EXT_COLOR_R)},
                   {"type", Type("7")},
                   {"typed", FieldIs(dlg, IDC_EXT_COLOR_C, "248")},
                   {"cancel", Key(VK_ESCAPE)}});
    const INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ(IDCANCEL, nResult);
    EXPECT_EQ(RGB(40, 120, 200), clrCaller);
    EXPECT_TRUE(script.boxes.texts.empty());
}

// 3. The dialog's set-up: fifteen modes by name, the title from the caption's last line, the
//    spin ranges, the swatch on the starting colour, the icon.
TEST(ColourDialog, SetUpFillsTheListTitleAndRanges)
{
    orvtest::uiApp("colour dialog test");
    CExtColorDlg dlg(RGB(1, 2, 3), RGB(200, 10, 10));
    dlg.m_strCaption = "Ignored first line\nPick a colour";
    Script script({{"dialog up", DialogUp(dlg)},
                   {"check", [&] {
                        EXPECT_EQ(15, dlg.m_comboMode.GetCount());
                        CString strName;
                        dlg.m_comboMode.GetLBText(3, strName);
                        EXPECT_STREQ(CExtColorCtrl::GetModeName(3), strName);
                        CString strTitle;
                        dlg.GetWindowText(strTitle);
                        EXPECT_STREQ("Pick a colour", strTitle);
                        EXPECT_EQ(MAKELONG(255, 0), ::SendDlgItemMessageA(dlg.m_hWnd, IDC_EXT_COLOR_SPIN_Y, UDM_GETRANGE, 0, 0));
                        EXPECT_EQ(RGB(1, 2, 3), dlg.m_wndColorDiff.m_colors.m_clrCurrent);
                        EXPECT_EQ(RGB(1, 2, 3), dlg.m_wndColorCtrl.m_colors.m_clrReference);
                        EXPECT_EQ(RGB(200, 10, 10), dlg.m_wndColorCtrl.m_colors.m_clrCurrent);
                        EXPECT_EQ("200 10 10 55 245 245 0 231 105", FieldTexts(dlg.m_hWnd));
                        EXPECT_TRUE(dlg.SendMessage(WM_GETICON, ICON_BIG, 0) != 0);
                        return true;
                    }},
                   {"cancel", Key(VK_ESCAPE)}});
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
}

// 4. The dialog in the four looks, kept as colour_dialog_<look>_<depth>.png.
TEST(ColourDialog, PicturesInTheFourLooks)
{
    orvtest::uiApp("colour dialog test");
    struct Look {
        const char* name;
        CRuntimeClass* pClass;
    } looks[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)},
                 {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                 {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
                 {"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)}};
    for (const Look& look : looks) {
        SCOPED_TRACE(look.name);
        orvtest::ScopedPainter painter(static_cast<CExtPaintManager*>(look.pClass->CreateObject()));
        CExtColorDlg dlg(RGB(255, 255, 255), RGB(40, 120, 200));
        orvtest::Picture shot;
        Script script({{"dialog up", DialogUp(dlg)},
                       {"place", [&] {
                            dlg.SetWindowPos(&CWnd::wndTop, 20, 20, 0, 0, SWP_NOSIZE);
                            dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
                            return true;
                        }},
                       {"picture", [&] {
                            EXPECT_TRUE(orvtest::screenshot(std::string("colour_dialog_") + look.name + "_" +
                                                                std::to_string(orvtest::DisplayDepth()),
                                                            &shot));
                            return true;
                        }},
                       {"cancel", Key(VK_ESCAPE)}});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        // the honeycomb shows more than a handful of colours inside the dialog
        EXPECT_GT(shot.width, 0);
    }
}
