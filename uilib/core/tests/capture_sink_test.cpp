// The capture sink on real windows: what it answers is the system's capture, and a window that
// overrides the virtual take is the only way its capture is taken.
#include <orv/gtest.h>
#include <afxwin.h>
#include <vector>
#include "CExtMouseCaptureSink.h"

namespace {

HWND MakeWindow()
{
    return ::CreateWindowExA(0, "STATIC", "capture", WS_POPUP | WS_VISIBLE, 10, 10, 40, 40, NULL, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

// A tracking window as the library's windows are built: asks before it takes or releases.
struct TrackingWindow : CExtMouseCaptureSink {
    HWND hWnd = NULL;
    std::vector<HWND> taken;   // every take that reached the sink
    HWND SetCapture(HWND h) override
    {
        taken.push_back(h);
        return CExtMouseCaptureSink::SetCapture(h);
    }
    void Take()
    {
        if (GetCapture() != hWnd)
            SetCapture(hWnd);
    }
    void Give()
    {
        if (GetCapture() == hWnd)
            ReleaseCapture();
    }
};

}  // namespace

TEST(CaptureSink, AnswersAreTheSystemsAndTakesGoThroughTheOverride)
{
    HWND a = MakeWindow(), b = MakeWindow();
    ASSERT_TRUE(a != NULL && b != NULL);
    TrackingWindow first, second;
    first.hWnd = a;
    second.hWnd = b;

    first.Take();
    first.Take();   // already holds it: no second take
    EXPECT_EQ(a, CExtMouseCaptureSink::GetCapture());
    EXPECT_EQ(std::vector<HWND>{a}, first.taken);

    // another window (a popup menu, say) takes it: the first does not release it
    EXPECT_EQ(a, second.SetCapture(b));
    first.Give();
    EXPECT_EQ(b, ::GetCapture());

    second.Give();
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(NULL, first.SetCapture(NULL));   // the handle is not checked
    ::DestroyWindow(a);
    ::DestroyWindow(b);
}
