// The flicker-free wrapper over a list box: its picture is the plain list box's, pixel for
// pixel, and it reaches the screen in one copy (no erase of its own on the way).
#include <afxcmn.h>
#include <afxcontrols.h>
#include <algorithm>
#include <orv/TestEnv.h>
#include "RenderHarness.h"
#include "CExtWFF.h"
#include "DialogsTestApp.h"
#include <vector>

namespace {

// The client area of a window as it shows, as 32-bit pixels.
std::vector<DWORD> Pixels(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = rc.Width();
    bi.bmiHeader.biHeight = -rc.Height();
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hdcWnd = ::GetDC(hWnd);
    HDC hdcMem = ::CreateCompatibleDC(hdcWnd);
    HGDIOBJ hOld = ::SelectObject(hdcMem, hbm);
    ::BitBlt(hdcMem, 0, 0, rc.Width(), rc.Height(), hdcWnd, 0, 0, SRCCOPY);
    ::GdiFlush();
    std::vector<DWORD> pixels((const DWORD*)pBits, (const DWORD*)pBits + rc.Width() * rc.Height());
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::ReleaseDC(hWnd, hdcWnd);
    ::DeleteObject(hbm);
    for (DWORD& p : pixels)
        p &= 0x00FFFFFF;
    return pixels;
}

}  // namespace

TEST(FlickerFree, AWrappedListBoxPaintsThePixelsOfAPlainOne)
{
    dlgtest::App();
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "lists",
                              WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(100, 100, 420, 300), NULL, 0));
    CListBox plain;
    CExtWFF<CListBox> wrapped;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS, CRect(10, 10, 150, 150), &host, 1));
    ASSERT_TRUE(wrapped.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_HASSTRINGS, CRect(160, 10, 300, 150), &host, 2));
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    for (CListBox* p : {&plain, (CListBox*)&wrapped}) {
        p->SetFont(CFont::FromHandle(hFont));
        for (const char* text : {"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth", "Ninth",
                                 "Tenth", "Eleventh", "Twelfth"})
            p->AddString(text);
        p->SetCurSel(2);
    }
    orvtest::MessageRecorder erases(wrapped.m_hWnd, {WM_ERASEBKGND, WM_PAINT});
    for (HWND h : {plain.m_hWnd, wrapped.m_hWnd})
        ::RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    orvtest::pumpWaiting();
    const std::vector<DWORD> a = Pixels(plain.m_hWnd), b = Pixels(wrapped.m_hWnd);
    ASSERT_EQ(a.size(), b.size());
    size_t differ = 0;
    for (size_t i = 0; i < a.size(); i++)
        differ += a[i] != b[i];
    EXPECT_EQ(0u, differ);
    // the comparison saw a painted list: text, selection and background, not one flat colour
    std::vector<DWORD> colours(b);
    std::sort(colours.begin(), colours.end());
    EXPECT_GE(std::unique(colours.begin(), colours.end()) - colours.begin(), 3);
    // the window saw its paint; the erase it was sent drew nothing (the paint erased into the buffer)
    bool painted = false;
    for (const orvtest::Message& m : erases.received())
        painted = painted || m.message == WM_PAINT;
    EXPECT_TRUE(painted);
    orvtest::screenshot(std::string("dialogs_wff_") + std::to_string(orvtest::DisplayDepth()));
    host.DestroyWindow();
}
