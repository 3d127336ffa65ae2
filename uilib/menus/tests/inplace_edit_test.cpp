// The in-place edit of a popup menu item with real keys: a digits-only validation function, Enter
// with an accepted or a rejected text, Esc, and Delete with and without a selection (typed, and
// as the menu hands it on).
#include "orv/UiTest.h"
#include "CExtPopupMenuInPlaceEditWnd.h"
#include <functional>
#include <string>
#include <vector>

namespace {

typedef CExtPopupMenuWnd::CInPlaceEditWnd EditWnd;

bool DigitsOnly(EditWnd&, LPARAM lCookie, const CString&, const CString& strNew)
{
    ++*reinterpret_cast<int*>(lCookie);   // the cookie is a pointer: it must survive whole
    for (int i = 0; i < strNew.GetLength(); i++)
        if (strNew[i] < '0' || strNew[i] > '9')
            return false;
    return true;
}

CString g_strCommitted;
void Commit(EditWnd&, LPARAM, const CString& strText) { g_strCommitted = strText; }

std::string TextOf(HWND hWnd)
{
    char text[64] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

void Keys(std::initializer_list<WORD> keys, unsigned modifiers = 0)
{
    for (WORD vk : keys)
        orvtest::pressKey(vk, modifiers);
}

struct Case {
    const char* name;
    const char* item;      // the item's string, shown when the edit is made
    bool commitFunction;
    std::function<void(HWND hEdit)> act;
    std::string text;      // the edit's text afterwards
    std::string itemAfter;
    std::string committed; // what the commit function got
    int cancels;           // WM_CANCELMODE posted to the popup
    bool visible;
};

TEST(InplaceEdit, KeyTable)
{
    orvtest::uiApp();
    const UINT kSend = EditWnd::g_nMsgDeleteSelection;
    const Case cases[] = {
        {"a rejected key changes nothing", "12", false, [](HWND) { Keys({VK_END, 'A', '3'}); }, "123", "12", "", 0,
         true},
        {"Enter with an accepted text writes the item and closes", "12", false,
         [](HWND) { Keys({VK_END, '3', VK_RETURN}); }, "123", "123", "", 1, true},
        {"Enter with a commit function hands the text over", "12", true, [](HWND) { Keys({VK_END, '4', VK_RETURN}); },
         "124", "12", "124", 1, true},
        {"Enter with a rejected text commits nothing and closes", "12", false,
         [](HWND h) {
             ::SetWindowTextA(h, "9x");   // set around the checks, as a paste would
             Keys({VK_RETURN});
         },
         "9x", "12", "", 1, true},
        {"Esc keeps the item and gives the keyboard back", "12", false, [](HWND) { Keys({VK_END, '5', VK_ESCAPE}); },
         "12", "12", "", 0, false},
        {"Delete without a selection removes the next character", "1234", false,
         [](HWND) { Keys({VK_HOME, VK_RIGHT, VK_DELETE}); }, "134", "1234", "", 0, true},
        {"Delete with a selection removes it", "1234", false,
         [](HWND) {
             Keys({VK_HOME});
             Keys({VK_RIGHT, VK_RIGHT}, orvtest::kShift);
             Keys({VK_DELETE});
         },
         "34", "1234", "", 0, true},
        {"the menu's Delete without a selection", "1234", false,
         [kSend](HWND h) {
             Keys({VK_HOME, VK_RIGHT});
             ASSERT_TRUE(orvtest::pumpUntil([h] { return (::SendMessageA(h, EM_GETSEL, 0, 0) & 0xFFFF) == 1; }));
             ::SendMessageA(h, kSend, 0, 0);
         },
         "134", "1234", "", 0, true},
        {"the menu's Delete with a selection", "1234", false, [kSend](HWND h) { ::SendMessageA(h, kSend, 0, 0); }, "",
         "1234", "", 0, true},
    };
    for (const Case& c : cases) {
        HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        ASSERT_TRUE(pPopup->CreatePopupMenu(owner));
        ASSERT_TRUE(pPopup->CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP | WS_VISIBLE, CRect(100, 100, 340, 150),
                                     NULL, 0));
        orvtest::MessageRecorder recorder(pPopup->m_hWnd, {WM_CANCELMODE});
        CString strItem = c.item;
        int nValidations = 0;
        ASSERT_TRUE(pPopup->InsertCustomItem(1, -1, "&Value", NULL, CExtCmdIcon()));
        CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->GetItemAt(0);
        mi.m_pInplaceEditStr = &strItem;
        mi.m_pCbInplaceEditValidate = DigitsOnly;
        mi.m_pCbInplaceEditCommit = c.commitFunction ? Commit : NULL;
        mi.m_lInplaceEditCookie = reinterpret_cast<LPARAM>(&nValidations);
        pPopup->ItemFocusSet(0);
        g_strCommitted.Empty();
        EditWnd* pEdit = new EditWnd(mi.m_pCbInplaceEditValidate, mi.m_pCbInplaceEditCommit, mi.m_pCbInplaceEditFilter,
                                     mi.m_lInplaceEditCookie, mi.m_pInplaceEditStr);
        ASSERT_TRUE(pEdit->Create(pPopup, CRect(60, 10, 230, 34), 1)) << c.name;
        mi.m_pInplaceEditWnd = pEdit;
        const HWND hEdit = pEdit->m_hWnd;
        EXPECT_EQ(0x86, ::SendMessageA(hEdit, WM_GETDLGCODE, 0, 0));
        ::ShowWindow(hEdit, SW_SHOW);
        ::SetForegroundWindow(pPopup->m_hWnd);
        ::SetFocus(hEdit);
        ASSERT_TRUE(orvtest::pumpUntil([hEdit] { return ::GetFocus() == hEdit; })) << c.name;
        EXPECT_EQ(c.item, TextOf(hEdit)) << c.name;

        c.act(hEdit);
        const bool settled = orvtest::pumpUntil([&] {
            return TextOf(hEdit) == c.text && (int)recorder.received().size() == c.cancels &&
                   (::IsWindowVisible(hEdit) != FALSE) == c.visible;
        }, 3000);
        EXPECT_TRUE(settled) << c.name;
        EXPECT_EQ(c.text, TextOf(hEdit)) << c.name;
        EXPECT_EQ(c.itemAfter, std::string((LPCTSTR)strItem)) << c.name;
        EXPECT_EQ(c.committed, std::string((LPCTSTR)g_strCommitted)) << c.name;
        EXPECT_EQ(c.cancels, (int)recorder.received().size()) << c.name;
        EXPECT_EQ(c.visible, ::IsWindowVisible(hEdit) != FALSE) << c.name;
        EXPECT_EQ(0, pPopup->GetCurIndex()) << c.name << ": the item stays the menu's current one";
        EXPECT_TRUE(pPopup->GetItemAt(0).m_nStateFlags & CExtPopupMenuWnd::MENUITEMDATA::STATE_HIGHLIGHTED) << c.name;
        // the cookie, a pointer, reached the validation whole (the menu's Delete is not checked)
        if (c.act != nullptr && std::string(c.name).find("menu's Delete") == std::string::npos) {
            EXPECT_GT(nValidations, 0) << c.name;
        }

        // the edit goes with the popup's window, deleting itself
        pPopup->DestroyWindow();
        EXPECT_FALSE(::IsWindow(hEdit)) << c.name;
        EXPECT_EQ(nullptr, pPopup->GetItemAt(0).m_pInplaceEditWnd) << c.name;
        delete pPopup;
        ::DestroyWindow(owner);
    }
}

TEST(InplaceEdit, NoContextMenuAndTheItemTextBackWhenLeft)
{
    orvtest::uiApp();
    CExtPopupMenuWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP | WS_VISIBLE, CRect(100, 200, 340, 250),
                               NULL, 0));
    CString strItem = "77";
    EditWnd* pEdit = new EditWnd(NULL, NULL, NULL, 0, &strItem);
    ASSERT_TRUE(pEdit->Create(&popup, CRect(60, 10, 230, 34), 1));
    const HWND hEdit = pEdit->m_hWnd;
    ::ShowWindow(hEdit, SW_SHOW);
    ::SetForegroundWindow(popup.m_hWnd);
    ::SetFocus(hEdit);
    ASSERT_TRUE(orvtest::pumpUntil([hEdit] { return ::GetFocus() == hEdit; }));
    orvtest::MessageRecorder recorder(hEdit, {WM_RBUTTONUP, WM_CONTEXTMENU});
    ASSERT_TRUE(orvtest::click(orvtest::centreOf(hEdit), hEdit, orvtest::Button::Right));
    ASSERT_TRUE(recorder.waitFor(1));
    orvtest::pumpWaiting();
    // the edit's own menu would be a popup window of this thread
    HWND hMenuWnd = ::FindWindowA("#32768", NULL);
    EXPECT_TRUE(hMenuWnd == NULL || !::IsWindowVisible(hMenuWnd));
    Keys({VK_END, '8'});
    ASSERT_TRUE(orvtest::pumpUntil([hEdit] { return TextOf(hEdit) == "778"; }));
    ::SetFocus(popup.m_hWnd);   // leaving the field without Enter
    ASSERT_TRUE(orvtest::pumpUntil([hEdit] { return !::IsWindowVisible(hEdit); }));
    EXPECT_EQ("77", TextOf(hEdit));
    EXPECT_EQ(CString("77"), strItem);
    popup.DestroyWindow();
}

}  // namespace
