// A command profile filled from a live window of the system's tool-bar control: each command
// button gives an item with its text as the tool-bar text and its image as the item's icon
// (an item that already has an icon keeps it), the tips come from the string resources when
// asked, and a window without an image list, or no window at all, is refused.
#include <orv/gtest.h>
#include <afxwin.h>
#include <commctrl.h>
#include <string>
#include "CExtCmdIcon.h"
#include "CExtCmdItem.h"
#include "CExtCmdProfile.h"
#include "core_test_resources.h"

namespace {

const UINT ID_PLAIN = 130;     // its text given as a pointer, no string resource
const UINT ID_NO_IMAGE = 131;  // I_IMAGENONE
const UINT ID_BAD_IMAGE = 132; // an image index the list does not have

const COLORREF kColours[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220)};

// A 16-pixel icon of one colour.
HICON SolidIcon(COLORREF clr)
{
    HDC hdcScreen = ::GetDC(NULL);
    HBITMAP hColour = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    HBITMAP hMask = ::CreateBitmap(16, 16, 1, 1, NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hColour);
    HBRUSH hBrush = ::CreateSolidBrush(clr);
    const RECT rc = {0, 0, 16, 16};
    ::FillRect(hdc, &rc, hBrush);
    ::SelectObject(hdc, hMask);
    ::PatBlt(hdc, 0, 0, 16, 16, BLACKNESS);   // every pixel opaque
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBrush);
    ::DeleteDC(hdc);
    ::ReleaseDC(NULL, hdcScreen);
    ICONINFO ii = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&ii);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

// The colour in the middle of an icon drawn over white.
COLORREF CentreOf(CExtCmdIcon* pIcon)
{
    if (pIcon == NULL || pIcon->IsEmpty())
        return CLR_INVALID;
    HDC hdcScreen = ::GetDC(NULL);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hdcScreen, 16, 16);
    HGDIOBJ hOld = ::SelectObject(hdc, hBitmap);
    ::PatBlt(hdc, 0, 0, 16, 16, WHITENESS);
    ::DrawIconEx(hdc, 0, 0, pIcon->GetHICON(), 16, 16, 0, NULL, DI_NORMAL);
    const COLORREF clr = ::GetPixel(hdc, 8, 8);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hdc);
    ::ReleaseDC(NULL, hdcScreen);
    return clr;
}

// A window of the system's tool-bar control with an image list of the three colours and the
// buttons of the table below (texts from the control's string list and one given directly), kept in a CWnd as the framework's bars keep theirs.
struct SystemToolBar {
    HWND hWndParent = NULL;
    CWnd wnd;
    HIMAGELIST hImages = NULL;
    explicit SystemToolBar(bool bImages = true, bool bButtons = true)
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
        ::InitCommonControlsEx(&icc);
        hWndParent = ::CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPED, 0, 0, 300, 80, NULL, NULL, NULL, NULL);
        const HWND hWnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, NULL, WS_CHILD | TBSTYLE_LIST, 0, 0, 300, 30,
                                            hWndParent, NULL, NULL, NULL);
        wnd.Attach(hWnd);
        ::SendMessageA(hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        if (bImages) {
            hImages = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0);
            for (COLORREF clr : kColours) {
                HICON hIcon = SolidIcon(clr);
                ::ImageList_AddIcon(hImages, hIcon);
                ::DestroyIcon(hIcon);
            }
            ::SendMessageA(hWnd, TB_SETIMAGELIST, 0, (LPARAM)hImages);
        }
        if (!bButtons)
            return;
        const INT_PTR nOpen = ::SendMessageA(hWnd, TB_ADDSTRINGA, 0, (LPARAM) "Open\0");
        const INT_PTR nSave = ::SendMessageA(hWnd, TB_ADDSTRINGA, 0, (LPARAM) "Save file\0");
        TBBUTTON buttons[] = {
            {0, (int)ID_CMD_OPEN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, nOpen},
            {0, 0, 0, BTNS_SEP, {}, 0, 0},
            {1, (int)ID_CMD_SAVE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, nSave},
            {2, (int)ID_PLAIN, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, (INT_PTR) "Given"},
            {I_IMAGENONE, (int)ID_NO_IMAGE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
            {7, (int)ID_BAD_IMAGE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, -1},
        };
        ::SendMessageA(hWnd, TB_ADDBUTTONSA, sizeof buttons / sizeof buttons[0], (LPARAM)buttons);
    }
    ~SystemToolBar()
    {
        if (wnd.m_hWnd != NULL)
            ::DestroyWindow(wnd.Detach());
        ::DestroyWindow(hWndParent);
        if (hImages != NULL)
            ::ImageList_Destroy(hImages);
    }
};

}  // namespace

TEST(CmdProfileFromToolBar, ItemsTextsAndIconsFromTheButtons)
{
    SystemToolBar bar;
    ASSERT_EQ(6, (int)::SendMessageA(bar.wnd.m_hWnd, TB_BUTTONCOUNT, 0, 0));
    CExtCmdProfile profile("from a tool bar");
    ASSERT_TRUE(profile.UpdateFromToolBar(bar.wnd));

    struct Row {
        UINT nCmdID;
        const char* toolbarText;
        const char* tipTool;     // from the string resources
        COLORREF icon;           // CLR_INVALID: no icon
    };
    const Row rows[] = {
        {ID_CMD_OPEN, "Open", "Open", kColours[0]},
        {ID_CMD_SAVE, "Save file", "", kColours[1]},
        {ID_PLAIN, "Given", "", kColours[2]},
        {ID_NO_IMAGE, "", "", CLR_INVALID},
        {ID_BAD_IMAGE, "", "", CLR_INVALID},
    };
    EXPECT_EQ((INT_PTR)(sizeof rows / sizeof rows[0]), profile.GetCommandCount()) << "the separator is no command";
    EXPECT_EQ(3, profile.GetIconCount());
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nCmdID);
        CExtCmdItem* pItem = profile.GetCommand(r.nCmdID);
        ASSERT_NE(nullptr, pItem);
        EXPECT_EQ(CString(r.toolbarText), pItem->m_sToolbarText);
        EXPECT_EQ(CString(r.tipTool), pItem->m_sTipTool);
        EXPECT_EQ(r.icon, CentreOf(profile.GetCommandIcon(r.nCmdID)));
    }
    EXPECT_EQ(CString("Opens an existing document"), profile.GetCommand(ID_CMD_OPEN)->m_sTipStatus);
    EXPECT_EQ(CString("Saves the document"), profile.GetCommand(ID_CMD_SAVE)->m_sTipStatus);
}

TEST(CmdProfileFromToolBar, KnownItemsKeepTheirIconAndTheirTextsUnlessReplaced)
{
    SystemToolBar bar;
    for (bool bReplace : {false, true}) {
        SCOPED_TRACE(bReplace ? "replacing" : "filling in");
        CExtCmdProfile profile("known");
        CExtCmdItem open(ID_CMD_OPEN);
        open.m_sToolbarText = "Earlier";
        open.m_sTipTool = "Earlier tip";
        ASSERT_TRUE(profile.SetCommand(&open));
        CExtCmdItem save(ID_CMD_SAVE);
        ASSERT_TRUE(profile.SetCommand(&save));
        HICON hOwn = SolidIcon(RGB(255, 255, 0));
        CExtCmdIcon own(hOwn, true);
        ASSERT_TRUE(profile.SetCommandIcon(ID_CMD_SAVE, &own, false));
        ::DestroyIcon(hOwn);

        ASSERT_TRUE(profile.UpdateFromToolBar(bar.wnd, bReplace, false));
        EXPECT_EQ(CString(bReplace ? "Open" : "Earlier"), profile.GetCommand(ID_CMD_OPEN)->m_sToolbarText);
        EXPECT_EQ(CString("Earlier tip"), profile.GetCommand(ID_CMD_OPEN)->m_sTipTool) << "no texts loaded";
        EXPECT_EQ(RGB(255, 255, 0), CentreOf(profile.GetCommandIcon(ID_CMD_SAVE))) << "an icon already there stays";
        EXPECT_EQ(kColours[0], CentreOf(profile.GetCommandIcon(ID_CMD_OPEN)));
        EXPECT_EQ(3, profile.GetIconCount());
        // a second pass adds no icon
        ASSERT_TRUE(profile.UpdateFromToolBar(bar.wnd, bReplace, false));
        EXPECT_EQ(3, profile.GetIconCount());
    }
}

TEST(CmdProfileFromToolBar, RefusedWithoutAWindowOrImages)
{
    struct Case {
        const char* what;
        bool bWindow, bImages, bButtons;
        bool bResult;
    };
    const Case cases[] = {
        {"no window", false, true, true, false},
        {"no image list", true, false, true, false},
        {"no buttons", true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SystemToolBar bar(c.bImages, c.bButtons);
        if (!c.bWindow)
            ::DestroyWindow(bar.wnd.Detach());
        CExtCmdProfile profile("refused");
        EXPECT_EQ(c.bResult, profile.UpdateFromToolBar(bar.wnd));
        EXPECT_EQ(0, profile.GetCommandCount());
        EXPECT_EQ(0, profile.GetIconCount());
    }
}
