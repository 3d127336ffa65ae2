// Dialogs, pages and sheets from templates found through the resource manager: the sheet font
// on plain templates, the dialog-init blocks and their walk, the language the manager selects,
// modal and modeless runs, and the runs that end before they start.
#include "CExtResDlg.h"
#include "CExtResPP.h"
#include "CExtResPS.h"
#include "CExtResourceManager.h"
#include "DialogsTestApp.h"
#include "dialogs_test_resources.h"
#include <vector>

using orvtest::Script;

namespace {

std::vector<std::string> ListItems(HWND hList, bool combo)
{
    std::vector<std::string> items;
    const int n = (int)::SendMessageA(hList, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; i++) {
        char text[64] = "";
        ::SendMessageA(hList, combo ? CB_GETLBTEXT : LB_GETTEXT, i, (LPARAM)text);
        items.push_back(text);
    }
    return items;
}

std::string SheetFace()
{
    CString face;
    WORD size = 0;
    return CExtResPP::GetPropSheetFont(face, size, FALSE) ? std::string(face) : std::string("(none)");
}

}  // namespace

TEST(ResDialog, PlainTemplatesTakeTheSheetFaceOnlyInTheirOwnSize)
{
    dlgtest::App();
    CString face;
    WORD size = 0;
    ASSERT_TRUE(CExtResPP::GetPropSheetFont(face, size, FALSE));
    EXPECT_EQ(8, size);
    EXPECT_FALSE(face.IsEmpty());
    struct Case {
        UINT id;
        std::string face;
    } cases[] = {
        {IDD_FONT_SANS8, std::string(face)},
        {IDD_FONT_TAHOMA8, "Tahoma"},
        {IDD_FONT_SANS10, "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        CExtResDlg dlg;
        ASSERT_TRUE(dlg.Create(c.id)) << c.id;
        EXPECT_EQ(c.face, dlgtest::FontFace(dlg.m_hWnd)) << c.id;
        dlg.DestroyWindow();
    }
}

TEST(ResDialog, TheManagersLanguagePicksTheTemplateAndItsInitBlock)
{
    dlgtest::App();
    g_ResourceManager->AllowCustomLang(true);
    const WORD old = g_ResourceManager->SetLangIdDesired(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    struct Restore {
        WORD lang;
        ~Restore()
        {
            g_ResourceManager->SetLangIdDesired(lang);
            g_ResourceManager->AllowCustomLang(false);
        }
    } restore{old};

    CExtResDlg german;
    ASSERT_TRUE(german.Create(IDD_INIT));
    CString caption;
    german.GetWindowText(caption);
    EXPECT_EQ(CString("Vorbelegung"), caption);
    EXPECT_EQ(std::vector<std::string>{"Eins"}, ListItems(::GetDlgItem(german, IDC_LIST), false));
    german.DestroyWindow();

    // a template only in English falls back to it
    CExtResDlg fallback;
    ASSERT_TRUE(fallback.Create(IDD_FONT_TAHOMA8));
    fallback.GetWindowText(caption);
    EXPECT_EQ(CString("Tahoma 8"), caption);
    fallback.DestroyWindow();
}

TEST(ResDialog, AModalRunFillsTheListsFromItsInitBlock)
{
    dlgtest::App();
    CExtResDlg dlg(IDD_INIT);
    std::vector<std::string> list, combo;
    int comboExCount = -1;
    char comboExText[32] = "";
    Script script({{"dialog up", [&] { return dlg.m_hWnd != NULL && ::IsWindowVisible(dlg.m_hWnd); }},
                   {"read and close", [&] {
                        list = ListItems(::GetDlgItem(dlg, IDC_LIST), false);
                        combo = ListItems(::GetDlgItem(dlg, IDC_COMBO), true);
                        HWND hEx = ::GetDlgItem(dlg, IDC_COMBOEX);
                        comboExCount = (int)::SendMessageA(hEx, CB_GETCOUNT, 0, 0);
                        COMBOBOXEXITEMA item = {};
                        item.mask = CBEIF_TEXT;
                        item.iItem = 0;
                        item.pszText = comboExText;
                        item.cchTextMax = sizeof comboExText;
                        ::SendMessageA(hEx, CBEM_GETITEMA, 0, (LPARAM)&item);
                        dlg.EndDialog(IDOK);
                        return true;
                    }}});
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.failure.empty()) << script.failure;
    // 0x401 and 0x180 fill the list, 0x403 and 0x143 the combo, 0x1234 the combo-box-ex; the
    // record of an unknown kind is skipped and the walk goes on
    EXPECT_EQ((std::vector<std::string>{"One", "Two"}), list);
    EXPECT_EQ((std::vector<std::string>{"Red", "Green"}), combo);
    EXPECT_EQ(1, comboExCount);
    EXPECT_STREQ("Blue", comboExText);
}

namespace {

// A dialog-init block built record by record.
struct Block {
    std::vector<BYTE> bytes;
    Block& add(WORD id, WORD msg, const std::string& data, DWORD len)
    {
        auto put = [&](const void* p, size_t n) {
            bytes.insert(bytes.end(), (const BYTE*)p, (const BYTE*)p + n);
        };
        put(&id, 2);
        put(&msg, 2);
        put(&len, 4);
        put(data.data(), data.size());
        return *this;
    }
    Block& text(WORD id, WORD msg, const char* text)
    {
        return add(id, msg, std::string(text, strlen(text) + 1), (DWORD)strlen(text) + 1);
    }
    Block& end()
    {
        bytes.push_back(0);
        bytes.push_back(0);
        return *this;
    }
};

// A list box that refuses every string.
LRESULT CALLBACK Refusing(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == LB_ADDSTRING)
        return LB_ERR;
    return ::CallWindowProcA((WNDPROC)::GetPropA(hWnd, "OrvOldProc"), hWnd, msg, wParam, lParam);
}

}  // namespace

TEST(ResDialog, TheInitWalkStaysInsideItsBlock)
{
    dlgtest::App();
    CExtResDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_INIT));
    HWND hList = ::GetDlgItem(dlg, IDC_LIST), hCombo = ::GetDlgItem(dlg, IDC_COMBO);
    HWND hRefuser = ::CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_HASSTRINGS, 0, 0, 10, 10, dlg, (HMENU)1099, NULL, NULL);
    ::SetPropA(hRefuser, "OrvOldProc", (HANDLE)::SetWindowLongPtrA(hRefuser, GWLP_WNDPROC, (LONG_PTR)Refusing));

    struct Case {
        const char* name;
        Block block;
        bool result;
        std::vector<std::string> list, combo;
    } cases[] = {
        {"good", Block().text(IDC_LIST, 0x401, "a").text(IDC_LIST, 0x180, "b").text(IDC_COMBO, 0x403, "c")
                      .text(IDC_COMBO, 0x143, "d").text(IDC_LIST, 0x777, "skipped").end(),
         true, {"a", "b"}, {"c", "d"}},
        {"no closing zero at the very end", Block().text(IDC_LIST, 0x401, "a"), true, {"a"}, {}},
        {"nothing but the end", Block().end(), true, {}, {}},
        {"length past the block", Block().text(IDC_LIST, 0x401, "a").add(IDC_LIST, 0x401, "b", 4000).end(),
         false, {"a"}, {}},
        {"text without its terminator", Block().add(IDC_LIST, 0x401, "abc", 3).text(IDC_LIST, 0x401, "z").end(),
         false, {}, {}},
        {"record head cut short", Block().text(IDC_LIST, 0x401, "a").add(IDC_LIST, 0x401, "", 0), true, {"a", ""}, {}},
        {"a send answers -1", Block().text(1099, 0x401, "x").text(IDC_LIST, 0x401, "after").end(), false, {}, {}},
    };
    // the head cut short: keep only 4 bytes of the second record's head
    cases[5].block.bytes.resize(cases[5].block.bytes.size() - 4);
    cases[5].result = false;
    cases[5].list = {"a"};

    for (Case& c : cases) {
        ::SendMessageA(hList, LB_RESETCONTENT, 0, 0);
        ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
        orvtest::MessageRecorder updates(hList, {WM_INITIALUPDATE});
        EXPECT_EQ(c.result, CExtResDlg::ExecuteDlgInitBlock(&dlg, c.block.bytes.data(), (DWORD)c.block.bytes.size()) != FALSE)
            << c.name;
        EXPECT_EQ(c.list, ListItems(hList, false)) << c.name;
        EXPECT_EQ(c.combo, ListItems(hCombo, true)) << c.name;
        // the children hear WM_INITIALUPDATE only after a block that went through
        EXPECT_EQ(c.result ? 1u : 0u, updates.received().size()) << c.name;
    }
    dlg.DestroyWindow();
}

namespace {

struct EndingDialog : CExtResDlg {
    EndingDialog() : CExtResDlg(IDD_INIT) {}
    int shown = 0;
    BOOL OnInitDialog() override
    {
        CExtResDlg::OnInitDialog();
        EndDialog(42);
        return TRUE;
    }
};

}  // namespace

TEST(ResDialog, RunsThatEndBeforeTheyStart)
{
    dlgtest::App();
    EndingDialog ending;
    EXPECT_EQ(42, ending.DoModal());
    EXPECT_EQ(NULL, ending.m_hWnd);

    CExtResDlg missing(IDD_NOTHERE);
    EXPECT_EQ(-1, missing.DoModal());
    CExtResDlg modeless;
    EXPECT_FALSE(modeless.Create(IDD_NOTHERE));
    EXPECT_EQ(NULL, modeless.m_hWnd);
}

TEST(ResSheet, PagesComeThroughTheManagerInTheSheetFont)
{
    dlgtest::App();
    const std::string face = SheetFace();
    ASSERT_NE("(none)", face);
    for (bool modal : {true, false}) {
        CExtResPS sheet("Sheet");
        CExtResPP first(IDD_PAGE1, IDS_PAGE1), second(IDD_PAGE2, IDS_PAGE2);
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        std::string firstFace, secondFace;
        std::vector<std::string> pageList;
        DWORD recordSize = 0;
        ptrdiff_t stride = 0;
        CString tab;
        auto read = [&] {
            firstFace = dlgtest::FontFace(first.m_hWnd);
            pageList = ListItems(::GetDlgItem(first, IDC_LIST), false);
            recordSize = sheet.m_psh.ppsp[0].dwSize;
            stride = reinterpret_cast<const BYTE*>(&sheet.m_psh.ppsp[1]) - reinterpret_cast<const BYTE*>(&sheet.m_psh.ppsp[0]);
            char text[32] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(sheet.GetTabControl()->GetSafeHwnd(), TCM_GETITEMA, 0, (LPARAM)&item);
            tab = text;
            sheet.SetActivePage(1);
            secondFace = dlgtest::FontFace(second.m_hWnd);
        };
        if (modal) {
            Script script({{"sheet up", [&] { return first.m_hWnd != NULL && ::IsWindowVisible(sheet.m_hWnd); }},
                           {"read and close", [&] {
                                read();
                                sheet.EndDialog(IDOK);
                                return true;
                            }}});
            EXPECT_EQ(IDOK, sheet.DoModal());
            EXPECT_TRUE(script.failure.empty()) << script.failure;
        } else {
            ASSERT_TRUE(sheet.Create());
            ASSERT_TRUE(orvtest::pumpUntil([&] { return first.m_hWnd != NULL; }));
            read();
            sheet.DestroyWindow();
        }
        EXPECT_EQ(face, firstFace) << modal;    // MS Sans Serif 8
        EXPECT_EQ(face, secondFace) << modal;   // Tahoma 8: a page always takes the sheet font
        EXPECT_EQ((std::vector<std::string>{"Page"}), pageList) << modal;
        // the records handed to the system are the platform's own, packed at their size
        EXPECT_EQ(sizeof(PROPSHEETPAGEA), recordSize);
        EXPECT_EQ((ptrdiff_t)sizeof(PROPSHEETPAGEA), stride);
        EXPECT_EQ(104u, sizeof(PROPSHEETPAGEA));
        EXPECT_EQ(CString("First"), tab);
    }
}

TEST(ResSheet, APageWhoseRecordCarriesItsTemplateKeepsIt)
{
    dlgtest::App();
    HRSRC hRsrc = ::FindResourceA(NULL, MAKEINTRESOURCEA(IDD_PAGE2), RT_DIALOG);
    ASSERT_NE(nullptr, hRsrc);
    const DLGTEMPLATE* pOwn = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(NULL, hRsrc)));
    CExtResPP page(IDD_PAGE1);
    ASSERT_NE(nullptr, page.m_lpszTemplateName_RES);
    PROPSHEETPAGEA psp = page.m_psp;
    psp.dwFlags |= PSP_DLGINDIRECT;
    psp.pResource = pOwn;
    page.PreProcessPageTemplate(psp, FALSE);
    // its own template (Tahoma 8, so a copy in the sheet font), and no dialog-init block of the
    // name it was built with
    EXPECT_EQ(nullptr, page.m_lpszTemplateName_RES);
    ASSERT_NE(nullptr, psp.pResource);
    CString face;
    WORD size = 0;
    ASSERT_TRUE(CDialogTemplate::GetFont(psp.pResource, face, size));
    EXPECT_EQ(SheetFace(), std::string(face));
    EXPECT_EQ(CDialogTemplate::GetItemCount(pOwn), CDialogTemplate::GetItemCount(psp.pResource));
}
