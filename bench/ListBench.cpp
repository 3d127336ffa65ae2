// The item list view under load: N items whose results arrive at a fixed rate through the real
// posting path (each item's ItemNotifier posts WM_USER+1001 to the view, which rewrites the row),
// beside a plain report list control fed the same results by the same threads in the same run.
//
// Figures of each: the GUI thread's busy share (wall time spent handling messages, painting
// included, over the measured window), how long a result waits until its message is handled and
// until its row is repainted (rows on screen), the backlog left at the end, the time to sort all
// rows by the name column, resident memory per row. Needs a display (scripts/bench starts one).
#include <afxwin.h>
#include <afxext.h>
#include <afxcmn.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "BenchSupport.h"
#include "CChildView.h"
#include "FlusherThread.h"
#include "ItemNotifier.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "ProfileStore.h"
#include "workers/Notifier.h"

namespace {

const std::vector<int> kColumns = {144, 146, 147, 151, 149, 154};
const UINT kPeerResult = WM_APP + 1;

CWinApp& App()
{
    static CWinApp app("Orvane list benchmark");
    return app;
}

double g_nowOrigin = 0;
// Microseconds since the start, never 0 (0 marks "nothing waiting").
long long NowUs()
{
    return static_cast<long long>((bench::nowMs() - g_nowOrigin) * 1000.0) + 1;
}

// What the feeders and the GUI thread share.
struct Shared {
    int items = 0;
    std::vector<MonitorItemWrapper*> wrappers;
    std::unordered_map<MonitorItemWrapper*, int> indexOf;
    std::vector<ItemNotifier*> notifiers;
    std::atomic<long long>* postedAt = nullptr;   // oldest result not yet handled, per item
    std::vector<long long> shownFrom;             // handled, waiting for the row's repaint (GUI thread)
    std::vector<double> handledMs, paintedMs;     // samples (GUI thread)
    std::atomic<long> posted{0};
    long handled = 0;
    std::atomic<bool> peerPhase{false};
    std::atomic<bool> running{false};
    HWND peerWindow = NULL;
    bool measuring = false;
    // rows inserted into the view so far and when the fill began (a progress note per 1,000)
    int inserted = 0;
    double fillFrom = 0;
    // time spent drawing rows of the view and the rows drawn (over the measured window)
    double drawMs = 0;
    long drawn = 0;
    void reset()
    {
        for (int i = 0; i < items; ++i)
            postedAt[i] = 0;
        std::fill(shownFrom.begin(), shownFrom.end(), 0);
        handledMs.clear();
        paintedMs.clear();
        posted = 0;
        handled = 0;
        drawMs = 0;
        drawn = 0;
    }
    // A message for item i was handled; its row is on the screen when visible.
    void onHandled(int i, bool visible)
    {
        const long long from = postedAt[i].exchange(0);
        if (from == 0)
            return;
        ++handled;
        const long long now = NowUs();
        if (measuring)
            handledMs.push_back((now - from) / 1000.0);
        if (visible && shownFrom[i] == 0)
            shownFrom[i] = from;
    }
    void onPainted(int i)
    {
        if (i < 0 || i >= items || shownFrom[i] == 0)
            return;
        if (measuring)
            paintedMs.push_back((NowUs() - shownFrom[i]) / 1000.0);
        shownFrom[i] = 0;
    }
};
Shared g;

// The view as the program has it, with its workers replaced by the feeders: every item gets its
// ItemNotifier (the real posting path) and no worker. It also notes when a row is handled and
// when it is painted.
class BenchView : public CChildView {
    DECLARE_DYNCREATE(BenchView)
public:
    void StartItemWorker(MonitorItemWrapper* pWrapper) override
    {
        g.notifiers.push_back(new ItemNotifier(m_hWnd, pWrapper));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM) {
            const DRAWITEMSTRUCT* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            auto it = g.indexOf.find(reinterpret_cast<MonitorItemWrapper*>(pDraw->itemData));
            const double t0 = bench::nowMs();
            LRESULT result = CChildView::WindowProc(message, wParam, lParam);
            if (g.measuring) {
                g.drawMs += bench::nowMs() - t0;
                ++g.drawn;
            }
            if (it != g.indexOf.end())
                g.onPainted(it->second);
            return result;
        }
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_INSERTITEM &&
            ++g.inserted % 1000 == 0)
            bench::note("list: " + std::to_string(g.inserted) + " rows in " +
                        std::to_string(static_cast<long>((bench::nowMs() - g.fillFrom) / 1000)) + " s");
        if (message == ItemNotifier::kItemChanged && wParam != 0) {
            LRESULT result = CChildView::WindowProc(message, wParam, lParam);
            auto it = g.indexOf.find(reinterpret_cast<MonitorItemWrapper*>(wParam));
            if (it != g.indexOf.end()) {
                const int row = FindRow(it->first);
                HWND list = GetListCtrl().m_hWnd;
                const int top = ListView_GetTopIndex(list);
                g.onHandled(it->second, row >= top && row < top + ListView_GetCountPerPage(list) + 1);
            }
            return result;
        }
        return CChildView::WindowProc(message, wParam, lParam);
    }
};
IMPLEMENT_DYNCREATE(BenchView, CChildView)

// The peer: a plain report list control (drawn by the system), one row per item in the items'
// order, rewritten cell by cell from the same wrappers when a result comes.
class PeerWindow : public CWnd {
public:
    CListCtrl list;

    bool Make(const CRect& rect)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), "Plain list", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      rect, NULL, 0))
            return false;
        CRect client;
        GetClientRect(&client);
        return list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER, client,
                           this, 1000) != FALSE;
    }
    void Fill()
    {
        int column = 0;
        for (int id : kColumns) {
            char caption[256] = "";
            ::LoadStringA(NULL, id, caption, sizeof caption);
            list.InsertColumn(column++, caption, LVCFMT_LEFT, static_cast<int>(strlen(caption)) * 7 + 20);
        }
        // drawing off while filling, as the view fills its rows
        list.SetRedraw(FALSE);
        for (int i = 0; i < g.items; ++i) {
            int row = list.InsertItem(i, g.wrappers[i]->getColumnText(146).c_str());
            list.SetItemData(row, static_cast<DWORD_PTR>(i));
            Rewrite(row, i);
        }
        list.SetRedraw(TRUE);
        list.Invalidate();
    }
    void Rewrite(int row, int i)
    {
        MonitorItemWrapper* w = g.wrappers[i];
        for (size_t c = 0; c < kColumns.size(); ++c)
            list.SetItemText(row, static_cast<int>(c), w->getColumnText(kColumns[c]).c_str());
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kPeerResult) {
            const int i = static_cast<int>(wParam);
            Rewrite(i, i);   // rows stay in the items' order until the sort at the end
            const int top = ListView_GetTopIndex(list.m_hWnd);
            g.onHandled(i, i >= top && i < top + ListView_GetCountPerPage(list.m_hWnd) + 1);
            return 0;
        }
        if (message == WM_NOTIFY) {
            NMHDR* pHeader = reinterpret_cast<NMHDR*>(lParam);
            if (pHeader->hwndFrom == list.m_hWnd && pHeader->code == NM_CUSTOMDRAW) {
                NMLVCUSTOMDRAW* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
                if (pDraw->nmcd.dwDrawStage == CDDS_PREPAINT)
                    return CDRF_NOTIFYITEMDRAW;
                if (pDraw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT)
                    g.onPainted(static_cast<int>(pDraw->nmcd.lItemlParam));
                return CDRF_DODEFAULT;
            }
        }
        if (message == WM_SIZE && list.m_hWnd != NULL)
            list.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// One feeder: its share of the rate, in 10 ms slices, round robin over the items.
struct Feeder {
    int rate = 0;   // results a second
    int first = 0, step = 1;
    static DWORD WINAPI Run(LPVOID self)
    {
        Feeder& f = *static_cast<Feeder*>(self);
        int next = f.first;
        const double start = bench::nowMs();
        long long sent = 0;
        while (g.running) {
            const double due = (bench::nowMs() - start) * f.rate / 1000.0;
            while (sent < due && g.running) {
                const int i = next;
                next = (next + f.step) % g.items;
                MonitorItemWrapper* w = g.wrappers[i];
                // a new result: the counters and the response time change
                ItemStatus& status = w->getItem()->getStatus();
                ++status.totalChecks;
                status.lastResponseMs = static_cast<int>((sent * 37) % 900) + 1;
                long long expected = 0;
                g.postedAt[i].compare_exchange_strong(expected, NowUs());
                if (g.peerPhase)
                    ::PostMessageA(g.peerWindow, kPeerResult, static_cast<WPARAM>(i), 0);
                else
                    g.notifiers[i]->notify(NotifyStatusRefresh, std::string());
                ++g.posted;
                ++sent;
            }
            ::Sleep(10);
        }
        return 0;
    }
};

struct Phase {
    double busyPct = 0, windowMs = 0;
    long backlog = 0;
    size_t notShown = 0;
};

// Runs the feeders for the window and handles the thread's messages, timing what the handling
// takes; a warm-up of one second is not measured.
Phase Measure(int rate, int windowS, int feeders)
{
    g.reset();
    g.running = true;
    std::vector<Feeder> fs(feeders);
    std::vector<HANDLE> threads;
    for (int k = 0; k < feeders; ++k) {
        fs[k].rate = rate / feeders + (k < rate % feeders ? 1 : 0);
        fs[k].first = k;
        fs[k].step = feeders;
        threads.push_back(::CreateThread(NULL, 0, &Feeder::Run, &fs[k], 0, NULL));
    }
    Phase phase;
    double busy = 0;
    const double start = bench::nowMs();
    double measureFrom = start + 1000;
    const double end = measureFrom + windowS * 1000.0;
    for (;;) {
        const double now = bench::nowMs();
        if (now >= end)
            break;
        if (!g.measuring && now >= measureFrom) {
            g.measuring = true;
            busy = 0;
        }
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            const double t0 = bench::nowMs();
            if (!App().PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (g.measuring)
                busy += bench::nowMs() - t0;
        } else {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
        }
    }
    g.measuring = false;
    g.running = false;
    ::WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 10000);
    for (HANDLE h : threads)
        ::CloseHandle(h);
    phase.windowMs = end - measureFrom;
    phase.busyPct = 100.0 * busy / phase.windowMs;
    phase.backlog = g.posted - g.handled;
    // what is left is handled now (not measured), then the queue is empty for the next phase
    for (MSG msg; ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    for (long long from : g.shownFrom)
        phase.notShown += from != 0;
    return phase;
}

void Report(const std::string& who, const Phase& phase, double kbPerRow, double sortMs, double fillMs)
{
    bench::result("list_" + who + "_busy_pct", phase.busyPct);
    bench::result("list_" + who + "_handled", static_cast<double>(g.handledMs.size()));
    bench::result("list_" + who + "_handle_p50_ms", bench::percentile(g.handledMs, 50));
    bench::result("list_" + who + "_handle_p99_ms", bench::percentile(g.handledMs, 99));
    bench::result("list_" + who + "_handle_max_ms", bench::percentile(g.handledMs, 100));
    bench::result("list_" + who + "_painted", static_cast<double>(g.paintedMs.size()));
    bench::result("list_" + who + "_paint_p50_ms", bench::percentile(g.paintedMs, 50));
    bench::result("list_" + who + "_paint_p99_ms", bench::percentile(g.paintedMs, 99));
    bench::result("list_" + who + "_paint_max_ms", bench::percentile(g.paintedMs, 100));
    bench::result("list_" + who + "_not_shown", static_cast<double>(phase.notShown));
    bench::result("list_" + who + "_backlog", static_cast<double>(phase.backlog));
    bench::result("list_" + who + "_sort_ms", sortMs);
    bench::result("list_" + who + "_fill_ms", fillMs);
    bench::result("list_" + who + "_kb_per_row", kbPerRow);
    if (g.drawn > 0)
        bench::result("list_" + who + "_draw_row_ms", g.drawMs / g.drawn);
}

// The plain list sorts as ours does: the column's texts read once, then compared by item data.
int CALLBACK ComparePeerRows(LPARAM a, LPARAM b, LPARAM context)
{
    const auto* keys = reinterpret_cast<const std::vector<CCommonListCtrl::SortKey>*>(context);
    return CCommonListCtrl::CompareSortKeys((*keys)[a], (*keys)[b], true);
}

}  // namespace

int main(int argc, char** argv)
{
    g_nowOrigin = bench::nowMs();
    const int items = static_cast<int>(bench::intArg(argc, argv, "items", 10000));
    const int rate = static_cast<int>(bench::intArg(argc, argv, "rate", 2000));
    const int windowS = static_cast<int>(bench::intArg(argc, argv, "window", 20));
    const int feeders = static_cast<int>(bench::intArg(argc, argv, "feeders", 4));
    const std::string folder = bench::textArg(argc, argv, "folder", "");
    if (folder.empty() || items <= 0 || rate <= 0 || windowS <= 0) {
        std::fprintf(stderr, "usage: orvbench_list --folder=WINDOWS-FOLDER [--items=N] [--rate=N] [--window=S]\n");
        return 2;
    }
    App();
    ::CreateDirectoryA(folder.c_str(), NULL);
    ProfileStore::setDataFolder(folder + "\\");
    ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
    ProfileStore::instance()->setInt(ProfileColumnPadding, 20);
    ProfileStore::instance()->setColumns(kColumns);
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(folder + "\\data");
    for (int i = 0; i < items; ++i) {
        MonitorItemSettings* item = store->createItem();
        char name[32];
        std::snprintf(name, sizeof name, "item %05d", (i * 7919) % items);   // not in sorted order
        item->getGeneral().name = name;
        item->getGeneral().address = "127.0.0.1";
        item->getGeneral().type = 6;
        item->getGeneral().port = 7001;
        item->getGeneral().interval = 5;
        item->getGeneral().intervalUnit = UnitSeconds;
        item->getStatus().active = true;
    }
    g.items = items;
    for (auto it = MonitorItemWrapperManager::instance()->begin(); it != MonitorItemWrapperManager::instance()->end(); ++it) {
        g.indexOf[*it] = static_cast<int>(g.wrappers.size());
        g.wrappers.push_back(*it);
    }
    g.postedAt = new std::atomic<long long>[items];
    g.shownFrom.assign(items, 0);
    bench::result("list_items", items);
    bench::result("list_rate", rate);
    bench::result("list_window", windowS);

    // ---- ours: the program's view in a frame ----
    bench::note("list: filling the view");
    const double rssBefore = bench::sampleSelf().rssKb;
    double t0 = bench::nowMs();
    g.fillFrom = t0;
    CFrameWnd* frame = new CFrameWnd;
    if (!frame->Create(NULL, "Orvane items", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 920, 520))) {
        std::fprintf(stderr, "no frame window (is there a display?)\n");
        return 1;
    }
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(BenchView);
    context.m_pCurrentFrame = frame;
    BenchView* view = static_cast<BenchView*>(frame->CreateView(&context));
    if (view == nullptr) {
        std::fprintf(stderr, "no view\n");
        return 1;
    }
    frame->InitialUpdateFrame(NULL, TRUE);
    frame->MoveWindow(20, 20, 900, 500);
    frame->RecalcLayout();
    App().m_pMainWnd = frame;
    const double oursBuiltMs = bench::nowMs() - t0;
    for (MSG msg; ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);)
        ::DispatchMessageA(&msg);
    bench::note("list: view built in " + std::to_string(oursBuiltMs) + " ms");
    const double oursFillMs = bench::nowMs() - t0;
    const double oursKb = (bench::sampleSelf().rssKb - rssBefore) / items;
    if (view->GetListCtrl().GetItemCount() != items || static_cast<int>(g.notifiers.size()) != items) {
        std::fprintf(stderr, "the view shows %d rows, %d notifiers\n", view->GetListCtrl().GetItemCount(),
                     static_cast<int>(g.notifiers.size()));
        return 1;
    }
    bench::note("list: feeding the view");
    const Phase ours = Measure(rate, windowS, feeders);
    std::vector<double> oursHandled = g.handledMs, oursPainted = g.paintedMs;
    // sort by the name column (as a header click does)
    t0 = bench::nowMs();
    view->GetListCtrl().SortByColumn(1);
    const double oursSortMs = bench::nowMs() - t0;
    Report("ours", ours, oursKb, oursSortMs, oursFillMs);

    // ---- the peer: a plain list control ----
    bench::note("list: filling the plain list");
    const double rssPeer = bench::sampleSelf().rssKb;
    t0 = bench::nowMs();
    PeerWindow* peer = new PeerWindow;
    if (!peer->Make(CRect(60, 60, 960, 560))) {
        std::fprintf(stderr, "no plain list window\n");
        return 1;
    }
    peer->Fill();
    for (MSG msg; ::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE);)
        ::DispatchMessageA(&msg);
    const double peerFillMs = bench::nowMs() - t0;
    const double peerKb = (bench::sampleSelf().rssKb - rssPeer) / items;
    g.peerWindow = peer->m_hWnd;
    g.peerPhase = true;
    bench::note("list: feeding the plain list");
    const Phase plain = Measure(rate, windowS, feeders);
    t0 = bench::nowMs();
    std::vector<CCommonListCtrl::SortKey> keys(items);
    for (int row = 0; row < items; ++row)
        keys[peer->list.GetItemData(row)] = CCommonListCtrl::MakeSortKey(peer->list.GetItemText(row, 1));
    peer->list.SortItems(&ComparePeerRows, reinterpret_cast<DWORD_PTR>(&keys));
    const double peerSortMs = bench::nowMs() - t0;
    Report("peer", plain, peerKb, peerSortMs, peerFillMs);

    std::fflush(stdout);
    std::fflush(stderr);
    // the item store and the profile are scratch: nothing to save; static destructors of a GUI
    // process cannot call Win32 at exit, so the process ends here
    FlusherThread::instance()->stop();
    ::TerminateProcess(::GetCurrentProcess(), 0);
    return 0;
}
