// The edit base: which of the six edit commands are enabled over a table of edit and clipboard
// states, what the commands do, and the context menu opened from the keyboard (at the edit's
// centre, the six commands in the library's popup).
#include "CExtCmdManager.h"
#include "CExtEditBase.h"
#include "CExtResDlg.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "DialogsTestApp.h"
#include "dialogs_test_resources.h"

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

namespace {

class RecordingCmdUI : public CCmdUI {
public:
    bool enabled = false;
    void Enable(BOOL bOn) override { enabled = bOn != FALSE; }
};

struct Edits {
    CExtResDlg dlg;
    CExtEditBase edit;
    Edits()
    {
        dlgtest::App();
        CExtPopupMenuWnd::ResetStandIn();
        EXPECT_TRUE(dlg.Create(IDD_CHECKS));
        EXPECT_TRUE(g_CmdManager->ProfileSetup("edit test", dlg.m_hWnd));
        EXPECT_TRUE(edit.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                  CRect(200, 150, 330, 175), &dlg, 0xFFF0));
        dlg.SetWindowPos(NULL, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.ShowWindow(SW_SHOW);
        dlg.SetForegroundWindow();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetActiveWindow() == dlg.m_hWnd; }));
        orvtest::pumpWaiting();
    }
    ~Edits()
    {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
        CExtPopupMenuWnd::ResetStandIn();
    }
};

void SetClipboardText(HWND hOwner, const char* text)
{
    ASSERT_TRUE(::OpenClipboard(hOwner));
    ::EmptyClipboard();
    if (text != NULL) {
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        memcpy(::GlobalLock(h), text, strlen(text) + 1);
        ::GlobalUnlock(h);
        ::SetClipboardData(CF_TEXT, h);
    }
    ::CloseClipboard();
}

const UINT kCommands[] = {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};

}  // namespace

TEST(Edit, EditCommandsEnabledByState)
{
    Edits e;
    struct Case {
        const char* name;
        const char* text;
        bool readOnly;
        int selStart, selEnd;
        bool clipboardText;
        bool typed;            // the text was typed over a selection (something to undo)
        const char* enabled;   // undo, cut, copy, paste, clear, select all: 1 enabled
    } cases[] = {
        {"empty", "", false, 0, 0, false, false, "000000"},
        {"empty, clipboard text", "", false, 0, 0, true, false, "000100"},
        {"caret only", "abc", false, 1, 1, false, false, "000001"},
        {"part selected", "abcdef", false, 1, 3, true, false, "011111"},
        {"all selected", "abcdef", false, 0, 6, true, false, "011110"},
        {"read-only, part selected", "abcdef", true, 1, 3, true, false, "001001"},
        {"read-only, all selected", "abcdef", true, 0, 6, true, false, "001000"},
        {"typed", "abcdef", false, 2, 2, false, true, "100001"},
    };
    for (const Case& c : cases) {
        SetClipboardText(e.dlg.m_hWnd, c.clipboardText ? "clip" : NULL);
        e.edit.SetReadOnly(FALSE);
        e.edit.SetWindowText(c.text);
        e.edit.SendMessage(EM_EMPTYUNDOBUFFER, 0, 0);
        if (c.typed) {
            e.edit.SetSel(0, 0);
            e.edit.ReplaceSel("x", TRUE);
            e.edit.SetWindowText(c.text);   // clears the undo buffer again on some systems
            e.edit.SetSel(0, 0);
            e.edit.ReplaceSel("", TRUE);
            e.edit.SetSel(0, 1);
            e.edit.ReplaceSel("a", TRUE);
        }
        e.edit.SetReadOnly(c.readOnly);
        e.edit.SetSel(c.selStart, c.selEnd);
        std::string got;
        for (UINT id : kCommands) {
            RecordingCmdUI ui;
            ui.m_nID = id;
            EXPECT_TRUE(e.edit.OnCmdMsg(id, (int)CN_UPDATE_COMMAND_UI, &ui, NULL));
            got += ui.enabled ? '1' : '0';
        }
        EXPECT_EQ(c.enabled, got) << c.name;
    }
    SetClipboardText(e.dlg.m_hWnd, NULL);

    // the commands themselves
    e.edit.SetReadOnly(FALSE);
    e.edit.SetWindowText("hello");
    e.edit.SetSel(0, 0);
    EXPECT_TRUE(e.edit.OnCmdMsg(ID_EDIT_SELECT_ALL, (int)CN_COMMAND, NULL, NULL));
    int s = -1, t = -1;
    e.edit.GetSel(s, t);
    EXPECT_EQ(0, s);
    EXPECT_EQ(5, t);
    EXPECT_TRUE(e.edit.OnCmdMsg(ID_EDIT_CUT, (int)CN_COMMAND, NULL, NULL));
    EXPECT_EQ(0, e.edit.GetWindowTextLength());
    EXPECT_TRUE(e.edit.OnCmdMsg(ID_EDIT_PASTE, (int)CN_COMMAND, NULL, NULL));
    CString text;
    e.edit.GetWindowText(text);
    EXPECT_STREQ("hello", text);
    SetClipboardText(e.dlg.m_hWnd, NULL);
}

TEST(Edit, ContextMenuFromTheKeyboard)
{
    Edits e;
    e.edit.SetWindowText("text");
    e.edit.SetFocus();
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == e.edit.m_hWnd; }));
    orvtest::pressKey(VK_APPS);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() == 1; }));
    const CExtPopupMenuTrackRecord r = CExtPopupMenuWnd::standIn().tracked[0];
    CRect rcClient;
    e.edit.GetClientRect(&rcClient);
    e.edit.ClientToScreen(&rcClient);
    EXPECT_EQ(CPoint(rcClient.left + rcClient.Width() / 2, rcClient.top + rcClient.Height() / 2), r.point);
    EXPECT_EQ(0x880u, r.nFlags);
    const struct {
        UINT id;
        const char* text;
    } expected[] = {{ID_EDIT_UNDO, "&Undo"}, {0, ""},           {ID_EDIT_CUT, "Cu&t"},   {ID_EDIT_COPY, "&Copy"},
                    {ID_EDIT_PASTE, "&Paste"}, {ID_EDIT_CLEAR, "Cl&ear"}, {0, ""}, {ID_EDIT_SELECT_ALL, "Select &All"}};
    ASSERT_EQ(8u, r.items.size());
    for (size_t i = 0; i < 8; i++) {
        EXPECT_EQ(expected[i].id, r.items[i].nCmdID) << i;
        EXPECT_STREQ(expected[i].text, r.items[i].strText) << i;
    }
}
