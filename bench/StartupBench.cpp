// Start-up and shut-down of the real GUI program over a data folder of many items: from launch to
// the item list showing every row, and from the close command to the process's end; beside them
// the item store's own load and unload of the same folder in this process, in the same run. The
// items are of a type that has no check (no worker thread each: thousands of threads would measure
// Wine's thread creation, not the program), and each unload writes every item's files.
//
//   orvbench_startup --gui=WINDOWS_PATH_OF_orvgui.exe --items=N [--limit=S]
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "ProfileStore.h"

namespace {

std::string dataFolder()
{
    char appData[MAX_PATH] = "";
    ExpandEnvironmentStringsA("%APPDATA%", appData, sizeof appData);
    return std::string(appData) + "\\Orvane\\";
}

struct Search {
    DWORD pid;
    HWND frame;
    HWND list;
};

BOOL CALLBACK findList(HWND hWnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    char name[64] = "";
    GetClassNameA(hWnd, name, sizeof name);
    if (lstrcmpiA(name, "SysListView32") == 0) {
        s->list = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findFrame(HWND hWnd, LPARAM lParam)
{
    Search* s = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER) != NULL)
        return TRUE;
    s->list = NULL;
    EnumChildWindows(hWnd, findList, lParam);
    if (s->list != NULL) {
        s->frame = hWnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string gui = bench::textArg(argc, argv, "gui", "");
    const long long items = bench::intArg(argc, argv, "items", 10000);
    const double limitMs = bench::intArg(argc, argv, "limit", 600) * 1000.0;
    if (gui.empty()) {
        bench::note("usage: orvbench_startup --gui=PATH --items=N [--limit=S]");
        return 2;
    }
    const std::string folder = dataFolder();
    CreateDirectoryA(folder.c_str(), NULL);
    // the first run is over and the service is not used: nothing but the items
    {
        ProfileStore profile(folder + "profile.cfg");
        profile.setInt(ProfileFirstRun, 0);
        profile.setInt(ProfileRunAsService, 0);
        profile.setInt(ProfileStartHidden, 0);
    }

    // the items, saved by a store of this process
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(folder);
    for (long long i = store->end() - store->begin(); i < items; ++i) {
        MonitorItemSettings* item = store->createItem();
        ItemGeneralSettings& general = item->getGeneral();
        general.name = "item " + std::to_string(i);
        general.address = "host" + std::to_string(i) + ".example";
        general.type = 7;   // no check: no worker
        general.interval = 1;
        general.intervalUnit = 3;
        item->save();
    }
    store->unloadAll();
    store->release();
    bench::note("items made: " + std::to_string(items));

    // the store's own load and unload of the folder (the unload writes every item)
    double t = bench::nowMs();
    store = MonitorItemManager::instance();
    store->load(folder);
    const double loadMs = bench::nowMs() - t;
    const long long loaded = store->end() - store->begin();
    t = bench::nowMs();
    store->unloadAll();
    const double unloadMs = bench::nowMs() - t;
    store->release();

    // the program: launch until the list holds every row
    std::string command = "\"" + gui + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    const double launched = bench::nowMs();
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
        bench::note("the program could not be started: " + gui);
        return 1;
    }
    Search search = {process.dwProcessId, NULL, NULL};
    double shownMs = -1;
    LRESULT rows = 0;
    while (bench::nowMs() - launched < limitMs) {
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0)
            break;
        if (search.frame == NULL)
            EnumWindows(findFrame, reinterpret_cast<LPARAM>(&search));
        if (search.list == NULL)
            continue;
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(search.list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 1000, &answer))
            rows = static_cast<LRESULT>(answer);
        if (rows >= loaded) {
            shownMs = bench::nowMs() - launched;
            break;
        }
    }
    if (shownMs < 0) {
        bench::note("the list did not show every row: " + std::to_string(rows) + " of " + std::to_string(loaded));
        TerminateProcess(process.hProcess, 1);
        return 1;
    }

    // the close command until the process has ended
    const double closing = bench::nowMs();
    PostMessageA(search.frame, WM_CLOSE, 0, 0);
    double endedMs = -1;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(limitMs)) == WAIT_OBJECT_0)
        endedMs = bench::nowMs() - closing;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (endedMs < 0) {
        bench::note("the program did not end after the close command");
        return 1;
    }

    bench::result("startup_items", static_cast<double>(loaded));
    bench::result("startup_store_load_ms", loadMs);
    bench::result("startup_store_unload_ms", unloadMs);
    bench::result("startup_gui_shown_ms", shownMs);
    bench::result("startup_gui_ended_ms", endedMs);
    return 0;
}
