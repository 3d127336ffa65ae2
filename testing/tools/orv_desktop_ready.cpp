// orv_desktop_ready [--hold]: exits 0 once this prefix's desktop is up with its display driver,
// 1 before. With --hold, once the desktop is up it prints "ready" and stays, attached to the
// desktop, until the test harness ends it.
//
// The first window of a fresh prefix starts the desktop's program, and a program gives up on it
// after ten seconds and goes on without a display driver: on a loaded machine a window test then
// opened no window at all. The desktop also closes about a second after the last program using
// it ends, so the harness keeps this one holding it while the test runs.
#include <windows.h>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool bHold = argc > 1 && std::strcmp(argv[1], "--hold") == 0;
    // asking for the desktop window starts the desktop's program when it is not running
    HWND hDesktop = ::GetDesktopWindow();
    // the desktop's program names the display driver it loaded on the desktop window
    if (hDesktop == NULL || ::GetPropA(hDesktop, "__wine_display_device_guid") == NULL)
        return 1;
    if (!bHold)
        return 0;
    std::printf("ready\n");
    std::fflush(stdout);
    // held until the harness ends the prefix's processes
    ::Sleep(INFINITE);
    return 0;
}
