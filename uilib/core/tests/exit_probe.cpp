// System messages that reach the holders' forwarders after the holders have ended (a window
// that outlives the static objects at exit) must find no painter and no command manager, not
// the ones deleted with the holders.
//
// A plain program run by ctest: the late messages are sent from the destructor of an object
// made before the holders (init_priority), which therefore ends after them. Its verdict is a
// line on standard output, which the test looks for: under Wine an exception raised during the
// exit-time destructors cannot be dispatched and the process ends with exit code 0, so the
// exit code cannot tell a crash from a pass.
#include <afxwin.h>
#include <unistd.h>
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"

namespace {

bool g_bPainterEnded = false;
int g_nCalls = 0, g_nCallsAfterEnd = 0;

// A painter that tells whether it is called after its end (if its memory still allows a call).
class WatchedPainter : public CExtPaintManagerXP {
public:
    ~WatchedPainter() override { g_bPainterEnded = true; }
    void OnSysColorChange() override { Note(); }
    void OnSettingChange(UINT, LPCTSTR) override { Note(); }
    void OnDisplayChange(INT, INT, INT) override { Note(); }
    void OnThemeChanged(WPARAM, LPARAM) override { Note(); }

private:
    static void Note() { ++(g_bPainterEnded ? g_nCallsAfterEnd : g_nCalls); }
};

void SendSystemMessages()
{
    g_PaintManager.OnSysColorChange(NULL);
    g_PaintManager.OnSettingChange(NULL, SPI_SETNONCLIENTMETRICS, "WindowMetrics");
    g_PaintManager.OnDisplayChange(NULL, 32, 1024, 768);
    g_PaintManager.OnThemeChanged(NULL, 0, 0);
    g_CmdManager.OnSysColorChange(NULL);
    g_CmdManager.OnSettingChange(NULL, SPI_SETNONCLIENTMETRICS, "WindowMetrics");
    g_CmdManager.OnDisplayChange(NULL, 32, 1024, 768);
    g_CmdManager.OnThemeChanged(NULL, 0, 0);
}

class LateSystemMessages {
public:
    ~LateSystemMessages()
    {
        SendSystemMessages();
        const bool bClean = g_nCalls == 4 && g_bPainterEnded && g_nCallsAfterEnd == 0 &&
                            g_PaintManager.GetPaintManager() == NULL && g_CmdManager.GetManager() == NULL;
        // straight to the file descriptor: the C library's streams may be closed by now
        static const char szClean[] = "late system messages reached nothing that had ended\n";
        static const char szDirty[] = "late system messages reached an ended painter or manager\n";
        if (write(1, bClean ? szClean : szDirty, bClean ? sizeof szClean - 1 : sizeof szDirty - 1) < 0)
            _exit(5);
        _exit(bClean ? 0 : 3);
    }
};

__attribute__((init_priority(101))) LateSystemMessages g_lateMessages;

}  // namespace

int main()
{
    g_PaintManager.InstallPaintManager(new WatchedPainter);
    // while the holders live, the messages arrive
    SendSystemMessages();
    return g_nCalls == 4 ? 0 : 4;
}
