// Dialog templates in both forms, with and without a font: reading the font, changing it
// (the template is re-packed) and making dialogs from the result with every control intact.
#include "orv/gtest.h"
#include <orv/UiTest.h>
#include "dialogs_test_resources.h"
#include <afxdlgs.h>

namespace {

struct TemplateCase {
    UINT nID;
    bool bExtended;
    bool bFont;
    const char* face;
    WORD size;
};

const TemplateCase kTemplates[] = {
    {IDD_PLAIN_FONT, false, true, "MS Shell Dlg", 8},
    {IDD_PLAIN, false, false, "", 0},
    {IDD_EX_FONT, true, true, "Tahoma", 9},
    {IDD_EX, true, false, "", 0},
};

struct ControlInfo {
    int id;
    std::string cls;
    std::string text;
    DWORD style;
};

std::vector<ControlInfo> Controls(HWND hDlg)
{
    std::vector<ControlInfo> controls;
    for (HWND h = ::GetWindow(hDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char text[64] = "";
        ::GetWindowTextA(h, text, sizeof text);
        controls.push_back({::GetDlgCtrlID(h), orvtest::className(h), text, (DWORD)::GetWindowLongA(h, GWL_STYLE)});
    }
    return controls;
}

LOGFONTA DialogFont(HWND hDlg)
{
    LOGFONTA lf = {};
    ::GetObjectA((HFONT)::SendMessageA(hDlg, WM_GETFONT, 0, 0), sizeof lf, &lf);
    return lf;
}

TEST(DialogTemplate, ReadsAndChangesTheFontOfBothFormsKeepingEveryControl)
{
    orvtest::uiApp("Orvane dialog tests");
    for (const TemplateCase& c : kTemplates) {
        SCOPED_TRACE(c.nID);
        CDialogTemplate dlgTemplate;
        ASSERT_TRUE(dlgTemplate.Load(MAKEINTRESOURCEA(c.nID)));
        const DLGTEMPLATE* pOriginal = static_cast<const DLGTEMPLATE*>(::GlobalLock(dlgTemplate.m_hTemplate));
        EXPECT_EQ(c.bExtended, CDialogTemplate::IsDialogEx(pOriginal) != FALSE);
        EXPECT_EQ(dlgTemplate.m_dwTemplateSize, CDialogTemplate::GetTemplateSize(pOriginal));
        ::GlobalUnlock(dlgTemplate.m_hTemplate);
        EXPECT_EQ(c.bFont, dlgTemplate.HasFont() != FALSE);
        CString face;
        WORD size = 0;
        EXPECT_EQ(c.bFont, dlgTemplate.GetFont(face, size) != FALSE);
        EXPECT_EQ(CString(c.face), face);
        EXPECT_EQ(c.size, size);

        // the controls of the dialog as the resource makes it
        CDialog original;
        ASSERT_TRUE(original.Create(c.nID));
        std::vector<ControlInfo> expected = Controls(original);
        original.DestroyWindow();
        ASSERT_EQ(4u, expected.size());

        // a new face (twice: the second replaces the first) and the dialog made from it
        for (const char* newFace : {"Courier New", "Tahoma"}) {
            ASSERT_TRUE(dlgTemplate.SetFont(newFace, 12));
            ASSERT_TRUE(dlgTemplate.GetFont(face, size));
            EXPECT_EQ(CString(newFace), face);
            EXPECT_EQ(12, size);
            const DLGTEMPLATE* pChanged = static_cast<const DLGTEMPLATE*>(::GlobalLock(dlgTemplate.m_hTemplate));
            EXPECT_EQ(dlgTemplate.m_dwTemplateSize, CDialogTemplate::GetTemplateSize(pChanged));
            EXPECT_EQ(4, CDialogTemplate::GetItemCount(pChanged));
            CDialog changed;
            ASSERT_TRUE(changed.CreateIndirect(pChanged, NULL));
            ::GlobalUnlock(dlgTemplate.m_hTemplate);
            std::vector<ControlInfo> got = Controls(changed);
            ASSERT_EQ(expected.size(), got.size());
            for (size_t i = 0; i < got.size(); i++) {
                EXPECT_EQ(expected[i].id, got[i].id);
                EXPECT_EQ(expected[i].cls, got[i].cls);
                EXPECT_EQ(expected[i].text, got[i].text);
                EXPECT_EQ(expected[i].style, got[i].style);
            }
            LOGFONTA lf = DialogFont(changed);
            EXPECT_STREQ(newFace, lf.lfFaceName);
            if (c.nID == IDD_EX_FONT) {
                EXPECT_EQ(700, lf.lfWeight);  // the extended font's weight and italics stay
            }
            changed.DestroyWindow();
        }
        // Detach hands the memory over
        HGLOBAL hTemplate = dlgTemplate.Detach();
        EXPECT_NE((HGLOBAL)NULL, hTemplate);
        EXPECT_EQ((HGLOBAL)NULL, dlgTemplate.m_hTemplate);
        ::GlobalFree(hTemplate);
    }
}

TEST(DialogTemplate, SystemFontAndCopiesOfHandles)
{
    orvtest::uiApp("Orvane dialog tests");
    CDialogTemplate first;
    ASSERT_TRUE(first.Load(MAKEINTRESOURCEA(IDD_PLAIN)));
    ASSERT_TRUE(first.SetSystemFont());
    EXPECT_TRUE(first.m_bSystemFont);
    CString face;
    WORD size = 0;
    ASSERT_TRUE(first.GetFont(face, size));
    LOGFONTA lf = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    EXPECT_EQ(CString(lf.lfFaceName), face);
    EXPECT_GT(size, 0);
    CDialogTemplate copy(first.m_hTemplate);
    EXPECT_EQ(first.m_dwTemplateSize, copy.m_dwTemplateSize);
    CString copyFace;
    WORD copySize = 0;
    ASSERT_TRUE(copy.GetFont(copyFace, copySize));
    EXPECT_EQ(face, copyFace);
    EXPECT_EQ(size, copySize);
    SIZE units;
    copy.GetSizeInDialogUnits(&units);
    EXPECT_EQ(180, units.cx);
    EXPECT_EQ(80, units.cy);
}

}  // namespace
