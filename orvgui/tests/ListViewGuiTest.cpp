// The item list view in a frame with the tray caption button, under Xvfb, driven by real input:
// Port items against a listening and a closed loopback port, rows turning up and down as their
// workers report, header sorting, refused column drags, the response-time unit, the rules for
// rows that are gone, and the tray button's clicks and looks. Pictures per look are kept.
#include "orv/gtest.h"

#include <winsock2.h>

#include <afxwin.h>
#include <afxext.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "AlarmNotifierRegistry.h"
#include "CChildView.h"
#include "CDialogMinTrayBtn.h"
#include "CSplashScreen.h"
#include "ColumnIdSequence.h"
#include "ControlRestyle.h"
#include "GuiTestSupport.h"
#include "ItemNotifier.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "ProfileStore.h"
#include "orv/TestEnv.h"
#include "resource.h"
#include "workers/WorkerManager.h"

namespace {

CWinApp& App()
{
    static CWinApp app("Orvane list view tests");
    return app;
}

// Handles the queue until the condition holds (false after the time limit).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE))
            App().PumpMessage();
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

// Everything queued now is handled: a message posted to ourselves has come back and no input,
// sent or posted message is left (input queued by SendInput comes after posted messages).
void Settle(HWND window)
{
    static const UINT kMarker = ::RegisterWindowMessageA("orvgui list test settle");
    bool seen = false;
    ::PostMessageA(window, kMarker, 0, 0);
    PumpUntil([&] {
        MSG msg;
        if (::PeekMessageA(&msg, window, kMarker, kMarker, PM_REMOVE))
            seen = true;
        return seen && HIWORD(::GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0;
    });
}

void Mouse(POINT screen, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// Moves there and waits until the system has the cursor there.
void MoveTo(POINT screen)
{
    Mouse(screen, 0);
    PumpUntil([&] {
        POINT now;
        ::GetCursorPos(&now);
        return now.x == screen.x && now.y == screen.y;
    });
}

// The frame: a tray caption button, a view, and a record of the system commands it got.
class CTrayFrame : public CDialogMinTrayBtn<CFrameWnd> {
public:
    std::vector<UINT> commands;

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM)
    {
        if ((nID & 0xFFF0) == SC_MINIMIZETRAY) {
            commands.push_back(nID);
            return;
        }
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTrayFrame, CDialogMinTrayBtn<CFrameWnd>)
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// What the view tells the main frame.
struct RecordingHost : CChildView::Host {
    int selections = 0;
    std::vector<MonitorItemWrapper*> changed;
    void OnItemSelection(bool) override { ++selections; }
    void OnItemChanged(MonitorItemWrapper* p) override { changed.push_back(p); }
    void OnItemProperties() override {}
    void OnItemContextMenu() override {}
};

// The view with a record of the rows it drew: each row's item data and its cells' texts at that
// moment (what the control draws).
class RecordingView : public CChildView {
    DECLARE_DYNCREATE(RecordingView)
public:
    struct Drawn {
        MonitorItemWrapper* wrapper;
        std::vector<std::string> cells;
    };
    std::vector<Drawn> drawn;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DRAWITEM && wParam == IDC_ITEM_LIST) {
            const DRAWITEMSTRUCT* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Drawn row = {reinterpret_cast<MonitorItemWrapper*>(pDraw->itemData), {}};
            const int columns = GetListCtrl().GetHeaderCtrl()->GetItemCount();
            for (int column = 0; column < columns; ++column)
                row.cells.push_back(std::string(GetListCtrl().GetItemText(static_cast<int>(pDraw->itemID), column)));
            drawn.push_back(row);
        }
        return CChildView::WindowProc(message, wParam, lParam);
    }
};
IMPLEMENT_DYNCREATE(RecordingView, CChildView)

std::string DepthSuffix()
{
    std::string depth = orvtest::env("ORV_DISPLAY_DEPTH");
    return "_" + (depth.empty() ? std::string("24") : depth);
}

void Picture(const std::string& name)
{
    // everything painted now, not at the next empty queue
    if (App().m_pMainWnd != nullptr)
        ::RedrawWindow(App().m_pMainWnd->m_hWnd, NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::GdiFlush();
    orvtest::screenshot("orvgui_" + name + DepthSuffix());
}

class ListViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        App();
        WSADATA winsock;
        ::WSAStartup(MAKEWORD(2, 2), &winsock);
        guitest::scratchProfileFolder();
        // response times in seconds; the columns this test reads
        ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
        ProfileStore::instance()->setInt(ProfileColumnPadding, 20);
        ProfileStore::instance()->setColumns({144, 146, 147, 151, 149, 154});

        listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener, 64);
        int length = sizeof address;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        openPort = ntohs(address.sin_port);
        // a port that was just free: bound, read, closed
        SOCKET closed = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        address.sin_port = 0;
        ::bind(closed, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::getsockname(closed, reinterpret_cast<sockaddr*>(&address), &length);
        closedPort = ntohs(address.sin_port);
        ::closesocket(closed);

        MonitorItemManager* store = MonitorItemManager::instance();
        store->load(orvtest::makeScratchFolder("data"));
        addPortItem("Listening port", openPort);
        addPortItem("Closed port", closedPort);
        addPortItem("Another listener", openPort);

        frame = new CTrayFrame;
        ASSERT_TRUE(frame->Create(NULL, "Orvane items", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 900, 420)));
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(RecordingView);
        context.m_pCurrentFrame = frame;
        view = static_cast<RecordingView*>(frame->CreateView(&context));
        ASSERT_NE(nullptr, view);
        view->SetHost(&host);
        frame->InitialUpdateFrame(NULL, TRUE);
        frame->MoveWindow(40, 40, 900, 380);
        frame->RecalcLayout();
        App().m_pMainWnd = frame;
        Settle(frame->m_hWnd);
    }

    static void TearDownTestSuite()
    {
        if (frame != nullptr && ::IsWindow(frame->m_hWnd))
            frame->DestroyWindow();
        App().m_pMainWnd = nullptr;
        WorkerManager::instance()->stopAll();
        // the store's files are written now, not by a destructor at process exit (when Win32
        // calls no longer work)
        MonitorItemManager::instance()->unloadAll();
        MonitorItemManager::instance()->release();
        ::closesocket(listener);
    }

    static MonitorItemSettings* addPortItem(const std::string& name, int port, int type = 6)
    {
        MonitorItemSettings* item = MonitorItemManager::instance()->createItem();
        item->getGeneral().name = name;
        item->getGeneral().address = "127.0.0.1";
        item->getGeneral().type = type;
        item->getGeneral().port = port;
        item->getGeneral().interval = 1;
        item->getGeneral().intervalUnit = UnitSeconds;
        item->getGeneral().timeoutMs = 5000;
        item->getStatus().active = true;
        item->getAlarmTrigger().enabled = false;   // no alarm actions in this test
        return item;
    }

    CItemListCtrl& List() { return view->GetListCtrl(); }
    int ColumnOf(int id)
    {
        CHeaderCtrl* header = List().GetHeaderCtrl();
        for (int i = 0; i < header->GetItemCount(); ++i) {
            char caption[300] = "";
            HDITEMA item = {};
            item.mask = HDI_TEXT;
            item.pszText = caption;
            item.cchTextMax = 299;
            header->GetItem(i, &item);
            if (ColumnIdSequence::fromCaption(caption) == id)
                return i;
        }
        return -1;
    }
    std::string Cell(int row, int id) { return std::string(List().GetItemText(row, ColumnOf(id))); }
    int RowNamed(const std::string& name)
    {
        for (int row = 0; row < List().GetItemCount(); ++row)
            if (Cell(row, 146) == name)
                return row;
        return -1;
    }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (int row = 0; row < List().GetItemCount(); ++row)
            names.push_back(Cell(row, 146));
        return names;
    }
    // The centre of a header item on the screen.
    POINT HeaderPoint(int column, int dx = 0)
    {
        CRect rect;
        List().GetHeaderCtrl()->GetItemRect(column, &rect);
        POINT p = {rect.CenterPoint().x + dx, rect.CenterPoint().y};
        ::ClientToScreen(List().GetHeaderCtrl()->m_hWnd, &p);
        return p;
    }
    // dx moves the click aside: two clicks on one spot in quick succession are a double click
    void ClickHeader(int column, int dx = 0)
    {
        POINT p = HeaderPoint(column, dx);
        MoveTo(p);
        Mouse(p, MOUSEEVENTF_LEFTDOWN);
        Mouse(p, MOUSEEVENTF_LEFTUP);
    }
    // Drags a header item to a screen point, in steps, and lets go.
    void DragHeader(int column, POINT to)
    {
        POINT from = HeaderPoint(column);
        MoveTo(from);
        Mouse(from, MOUSEEVENTF_LEFTDOWN);
        Settle(List().m_hWnd);
        for (int step = 1; step <= 8; ++step) {
            POINT p = {from.x + (to.x - from.x) * step / 8, from.y};
            MoveTo(p);
        }
        Mouse(to, MOUSEEVENTF_LEFTUP);
        Settle(List().m_hWnd);
    }
    std::vector<int> Order()
    {
        int count = List().GetHeaderCtrl()->GetItemCount();
        std::vector<int> order(count);
        List().GetColumnOrderArray(order.data(), count);
        return order;
    }

    static SOCKET listener;
    static int openPort, closedPort;
    static CTrayFrame* frame;
    static RecordingView* view;
    static RecordingHost host;
};

SOCKET ListViewTest::listener = INVALID_SOCKET;
int ListViewTest::openPort = 0;
int ListViewTest::closedPort = 0;
CTrayFrame* ListViewTest::frame = nullptr;
RecordingView* ListViewTest::view = nullptr;
RecordingHost ListViewTest::host;

}  // namespace

// Runs first (gtest keeps the file's order): the rows and the workers.
TEST_F(ListViewTest, RowsTurnUpAndDownAsTheWorkersReport)
{
    ASSERT_EQ(3, List().GetItemCount());
    EXPECT_EQ(6, List().GetHeaderCtrl()->GetItemCount());
    // every item's worker runs with its two listeners
    EXPECT_EQ(3, ItemNotifier::liveCount(view->m_hWnd));
    for (auto it = MonitorItemWrapperManager::instance()->begin(); it != MonitorItemWrapperManager::instance()->end(); ++it)
        EXPECT_TRUE(AlarmNotifierRegistry::instance().find(*it));

    // the closed port's row turns "Down", the listeners' rows are "Up" once checked
    EXPECT_TRUE(PumpUntil([&] {
        int closed = RowNamed("Closed port"), open = RowNamed("Listening port");
        return closed >= 0 && open >= 0 && Cell(closed, 144) == "Down" && Cell(open, 144) == "Up" &&
               Cell(open, 154) != "N/A";
    }, 30000)) << Cell(RowNamed("Closed port"), 144) << " / " << Cell(RowNamed("Listening port"), 154);
    EXPECT_FALSE(host.changed.empty());   // the frame heard of the changes
    // the status cell's picture follows: 1 down, 2 up
    LVITEMA cell = {};
    cell.mask = LVIF_IMAGE;
    cell.iItem = RowNamed("Closed port");
    cell.iSubItem = ColumnOf(144);
    List().GetItem(&cell);
    EXPECT_EQ(1, cell.iImage);
    Picture("list_rows");
}

TEST_F(ListViewTest, AHeaderClickSortsAndASecondReverses)
{
    const int name = ColumnOf(146);
    ClickHeader(name);
    ASSERT_TRUE(PumpUntil([&] { return List().GetIndicatorColumn() == name && List().IsSortAscending(); }));
    Settle(List().m_hWnd);
    EXPECT_EQ((std::vector<std::string>{"Another listener", "Closed port", "Listening port"}), Names());
    Picture("list_sorted");

    ClickHeader(name, 12);
    ASSERT_TRUE(PumpUntil([&] { return !List().IsSortAscending(); }));
    Settle(List().m_hWnd);
    EXPECT_EQ((std::vector<std::string>{"Listening port", "Closed port", "Another listener"}), Names());
    Picture("list_sorted_reversed");

    // another column starts ascending again
    const int status = ColumnOf(144);
    ClickHeader(status);
    ASSERT_TRUE(PumpUntil([&] { return List().GetIndicatorColumn() == status; }));
    EXPECT_TRUE(List().IsSortAscending());
}

TEST_F(ListViewTest, DraggingAColumnToTheLeftEdgeOrTheFirstColumnIsRefused)
{
    const std::vector<int> start = Order();
    ASSERT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5}), start);
    POINT leftEdge = HeaderPoint(0, -20);
    DragHeader(2, leftEdge);
    EXPECT_EQ(start, Order()) << "to the leftmost place";
    DragHeader(0, HeaderPoint(3));
    EXPECT_EQ(start, Order()) << "the first column";

    // a drag between other columns goes through, and the row drawing follows the new order
    DragHeader(3, HeaderPoint(1, -10));
    EXPECT_EQ((std::vector<int>{0, 3, 1, 2, 4, 5}), Order());
    EXPECT_EQ(1, List().GetColumnPosition(3));
    EXPECT_EQ(2, List().GetColumnPosition(1));
    Picture("list_dragged");
}

TEST_F(ListViewTest, TheTimeUnitSwitchRedrawsTheResponseTimes)
{
    const std::string seconds = Cell(RowNamed("Listening port"), 151);
    ProfileStore::instance()->setInt(ProfileTimeUnit, 1);
    view->Rebuild();
    Settle(view->m_hWnd);
    const std::string milliseconds = Cell(RowNamed("Listening port"), 151);
    EXPECT_NE(seconds, milliseconds);
    EXPECT_NE(std::string::npos, milliseconds.find("miliseconds")) << milliseconds;
    Picture("list_milliseconds");
    ProfileStore::instance()->setInt(ProfileTimeUnit, 0);
    view->Rebuild();
    Settle(view->m_hWnd);
    EXPECT_NE(std::string::npos, Cell(RowNamed("Listening port"), 151).find("seconds"));
}

TEST_F(ListViewTest, MessagesAndRemovalsForRowsThatAreGoneChangeNothing)
{
    const int rows = List().GetItemCount();
    const size_t heard = host.changed.size();
    // the wrapper of a message without a row is never read: an address that is no wrapper at all
    view->PostMessage(ItemNotifier::kItemChanged, 0x10, 0);
    view->PostMessage(ItemNotifier::kItemChanged, 0, 0);
    Settle(view->m_hWnd);
    EXPECT_EQ(rows, List().GetItemCount());
    for (size_t i = heard; i < host.changed.size(); ++i)
        EXPECT_NE(reinterpret_cast<MonitorItemWrapper*>(0x10), host.changed[i]);

    // an item whose row is absent keeps its wrapper and its worker
    int row = RowNamed("Another listener");
    MonitorItemWrapper* wrapper = reinterpret_cast<MonitorItemWrapper*>(List().GetItemData(row));
    List().DeleteItem(row);
    const size_t wrappers = MonitorItemWrapperManager::instance()->count();
    view->RemoveItem(wrapper);
    EXPECT_EQ(wrappers, MonitorItemWrapperManager::instance()->count());
    EXPECT_TRUE(WorkerManager::instance()->isRunning(wrapper->getItem()));
    EXPECT_TRUE(AlarmNotifierRegistry::instance().find(wrapper));
    view->Rebuild();
    Settle(view->m_hWnd);
    ASSERT_EQ(rows, List().GetItemCount());

    // with its row, the item goes: row, alarm, worker (its listeners are released) and wrapper
    const int live = ItemNotifier::liveCount(view->m_hWnd);
    MonitorItemSettings* item = wrapper->getItem();
    view->RemoveItem(wrapper);
    EXPECT_EQ(rows - 1, List().GetItemCount());
    EXPECT_EQ(wrappers - 1, MonitorItemWrapperManager::instance()->count());
    EXPECT_TRUE(PumpUntil([&] { return ItemNotifier::liveCount(view->m_hWnd) == live - 1; }, 30000));
    EXPECT_FALSE(WorkerManager::instance()->isRunning(item));
    // messages it posted before it ended find no row
    Settle(view->m_hWnd);
    EXPECT_EQ(rows - 1, List().GetItemCount());
}

TEST_F(ListViewTest, AnItemTypeWithoutAWorkerStaysIdle)
{
    const int live = ItemNotifier::liveCount(view->m_hWnd);
    MonitorItemSettings* item = addPortItem("Unknown kind", openPort, 9);
    MonitorItemWrapper* wrapper = MonitorItemWrapperManager::instance()->add(item);
    view->AddItem(wrapper);
    EXPECT_GE(view->FindRow(wrapper), 0);
    EXPECT_EQ(live, ItemNotifier::liveCount(view->m_hWnd));
    EXPECT_FALSE(AlarmNotifierRegistry::instance().find(wrapper));
    EXPECT_FALSE(WorkerManager::instance()->isRunning(item));
}

TEST_F(ListViewTest, WithoutVisibleColumnsRowsHaveNoCellsAndARebuildRestoresThem)
{
    const int rows = List().GetItemCount();
    const std::vector<int> columns = ProfileStore::instance()->getColumns();
    ProfileStore::instance()->setColumns({});
    view->Rebuild();
    Settle(view->m_hWnd);
    EXPECT_EQ(0, List().GetHeaderCtrl()->GetItemCount());
    EXPECT_EQ(rows, List().GetItemCount());
    Picture("list_no_columns");
    ProfileStore::instance()->setColumns(columns);
    view->Rebuild();
    Settle(view->m_hWnd);
    EXPECT_EQ(static_cast<int>(columns.size()), List().GetHeaderCtrl()->GetItemCount());
    EXPECT_EQ(rows, List().GetItemCount());
    // every column is 7 pixels per caption character plus the padding
    EXPECT_EQ(15 * 7 + 20, List().GetColumnWidth(ColumnOf(147)));
    EXPECT_EQ(6 * 7 + 20, List().GetColumnWidth(ColumnOf(144)));
    // saving the layout keeps the displayed order
    view->SaveColumnLayout();
    EXPECT_EQ(columns, ProfileStore::instance()->getColumns());
}

// ---- results under load: each message marks its row; rows are written, sorted and painted in passes ----

namespace {

// Handles the queue until the condition holds (false after the time limit). With neverEmpty a
// result for the filler's row is posted before each message is taken, so the queue never runs
// empty: the system then makes no WM_PAINT and no WM_TIMER.
bool PumpResults(bool neverEmpty, ItemNotifier& filler, const std::function<bool()>& done, DWORD timeoutMs = 15000)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        if (neverEmpty)
            filler.notify(NotifyStatusRefresh, std::string());
        MSG msg;
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        }
    }
    return true;
}

}  // namespace

TEST_F(ListViewTest, EveryResultIsPaintedWithItsTextAndSortedEvenWhenTheQueueNeverEmpties)
{
    // two rows without workers: only the test changes them
    MonitorItemSettings* targetItem = addPortItem("Idle target", openPort, 9);
    MonitorItemWrapper* target = MonitorItemWrapperManager::instance()->add(targetItem);
    MonitorItemWrapper* fillerWrapper = MonitorItemWrapperManager::instance()->add(addPortItem("Idle filler", openPort, 9));
    view->AddItem(target);
    view->AddItem(fillerWrapper);
    Settle(view->m_hWnd);
    // the real posting path; released at the end as a worker releases them
    ItemNotifier& result = *new ItemNotifier(view->m_hWnd, target);
    ItemNotifier& filler = *new ItemNotifier(view->m_hWnd, fillerWrapper);
    const int name = ColumnOf(146);
    List().SortByColumn(name);
    if (!List().IsSortAscending())
        List().SortByColumn(name);
    Settle(view->m_hWnd);

    // the last drawing of the target's row
    auto lastDrawnName = [&]() -> std::string {
        for (auto it = view->drawn.rbegin(); it != view->drawn.rend(); ++it)
            if (it->wrapper == target)
                return it->cells.size() > static_cast<size_t>(name) ? it->cells[name] : std::string();
        return std::string();
    };
    const struct {
        const char* what;
        bool neverEmpty;
        std::vector<std::string> names;   // each set, told and painted in turn
        bool first;                       // where the last name sorts: first row, else last
    } cases[] = {
        {"a queue that runs empty", false, {"Zulu idle"}, false},
        {"a queue that never runs empty", true, {"Alpha idle"}, true},
        {"two changes under a queue that never runs empty", true, {"Yankee idle", "Aardvark idle"}, true},
        {"a change after a change of another column", true, {"Xray idle"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& text : c.names) {
            targetItem->getGeneral().name = text;
            result.notify(NotifyStatusRefresh, std::string());
            // painted at last, and with the text it has now
            EXPECT_TRUE(PumpResults(c.neverEmpty, filler, [&] { return lastDrawnName() == text; }))
                << "last painted as \"" << lastDrawnName() << "\", the cell holds \"" << Cell(view->FindRow(target), 146)
                << "\"";
        }
        // the name is the sort column: the order follows the new text
        const std::vector<std::string> names = Names();
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << ::testing::PrintToString(names);
        EXPECT_EQ(c.first ? 0 : List().GetItemCount() - 1, view->FindRow(target)) << ::testing::PrintToString(names);
        // the row found by its wrapper is the row that shows it
        EXPECT_EQ(c.names.back(), Cell(view->FindRow(target), 146));
        EXPECT_EQ(fillerWrapper, reinterpret_cast<MonitorItemWrapper*>(List().GetItemData(view->FindRow(fillerWrapper))));
        // another column changes (the address): the order stays, the cell follows
        targetItem->getGeneral().address = std::string("127.0.0.") + (c.first ? "2" : "3");
        result.notify(NotifyStatusRefresh, std::string());
        EXPECT_TRUE(PumpResults(c.neverEmpty, filler, [&] {
            return Cell(view->FindRow(target), 147).find(targetItem->getGeneral().address) != std::string::npos;
        })) << Cell(view->FindRow(target), 147);
        EXPECT_EQ(c.first ? 0 : List().GetItemCount() - 1, view->FindRow(target));
    }
    Settle(view->m_hWnd);
    result.release();
    filler.release();
    view->RemoveItem(target);
    view->RemoveItem(fillerWrapper);
    // results still queued for the removed rows find no row
    Settle(view->m_hWnd);
    EXPECT_EQ(-1, view->FindRow(target));
}

// ---- the tray caption button ----

namespace {

POINT TrayButtonOnScreen(CTrayFrame* pFrame, int dx = 0)
{
    CRect window;
    pFrame->GetWindowRect(&window);
    CRect button = pFrame->GetTrayButtonRect();
    POINT p = {window.left + button.CenterPoint().x + dx, window.top + button.CenterPoint().y};
    return p;
}

}  // namespace

TEST_F(ListViewTest, TrayButtonClickSendsTheTrayCommandAndDragOffSendsNothing)
{
    frame->SetForegroundWindow();
    Settle(frame->m_hWnd);
    frame->commands.clear();
    POINT on = TrayButtonOnScreen(frame);
    ASSERT_EQ(static_cast<LRESULT>(HTMINTRAY), frame->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(on.x, on.y)));

    MoveTo(on);
    Mouse(on, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return frame->IsTrayButtonPressed() != FALSE; }));
    Picture("tray_pressed");
    Mouse(on, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return !frame->commands.empty(); }));
    EXPECT_EQ((std::vector<UINT>{SC_MINIMIZETRAY}), frame->commands);

    // pressed, dragged off, released: nothing (pressed a few pixels aside: not a double click)
    frame->commands.clear();
    on.x += 4;
    MoveTo(on);
    Mouse(on, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([&] { return frame->IsTrayButtonPressed() != FALSE; }));
    POINT off = {on.x - 60, on.y + 80};
    MoveTo(off);
    ASSERT_TRUE(PumpUntil([&] { return frame->IsTrayButtonPressed() == FALSE; }))
        << "capture " << ::GetCapture() << " frame " << frame->m_hWnd;
    Mouse(off, MOUSEEVENTF_LEFTUP);
    Settle(frame->m_hWnd);
    EXPECT_TRUE(frame->commands.empty());

    // a disabled button ignores clicks
    frame->EnableTrayButton(FALSE);
    MoveTo(on);
    Mouse(on, MOUSEEVENTF_LEFTDOWN);
    Mouse(on, MOUSEEVENTF_LEFTUP);
    Settle(frame->m_hWnd);
    EXPECT_TRUE(frame->commands.empty());
    EXPECT_FALSE(frame->IsTrayButtonPressed());
    frame->EnableTrayButton(TRUE);
}

TEST_F(ListViewTest, TrayButtonDrawsInEachLook)
{
    // away from the button, so that it shows its normal state
    MoveTo(POINT{600, 700});
    CRect window;
    frame->GetWindowRect(&window);
    const CRect button = frame->GetTrayButtonRect();

    auto buttonPixels = [&](COLORREF colour) {
        HDC dc = ::GetWindowDC(frame->m_hWnd);
        int count = 0;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                count += ::GetPixel(dc, x, y) == colour;
        ::ReleaseDC(frame->m_hWnd, dc);
        return count;
    };

    // classic: a push-button frame with the bar glyph
    ThemeLibrary missing("NoSuchThemeLibrary.dll");
    frame->SetThemeLibrary(&missing);
    EXPECT_TRUE(frame->IsTrayButtonClassic());
    Settle(frame->m_hWnd);
    frame->RedrawTrayButton();
    EXPECT_GT(buttonPixels(::GetNearestColor(::GetDC(NULL), ::GetSysColor(COLOR_BTNTEXT))), 0);
    Picture("tray_classic");

    // visual styles (the system's library, themed in the test prefix)
    frame->SetThemeLibrary(&themeLibrary);
    EXPECT_FALSE(frame->IsTrayButtonClassic());
    Settle(frame->m_hWnd);
    frame->RedrawTrayButton();
    Picture("tray_themed");

    // each Luna scheme's bitmap, through TransparentBlt
    ASSERT_NE(nullptr, TrayButtonLook::TransparentBlt());
    const struct {
        const char* bitmap;
        const char* look;
    } schemes[] = {{"TRAYBUTTON_LUNA_BLUE_BMP", "tray_luna_blue"},
                   {"TRAYBUTTON_LUNA_METALLIC_BMP", "tray_luna_metallic"},
                   {"TRAYBUTTON_LUNA_HOMESTEAD_BMP", "tray_luna_homestead"}};
    for (const auto& scheme : schemes) {
        ASSERT_TRUE(frame->UseSchemeBitmap(scheme.bitmap)) << scheme.bitmap;
        Settle(frame->m_hWnd);
        frame->RedrawTrayButton();
        // magenta is the key: never on the screen
        EXPECT_EQ(0, buttonPixels(RGB(255, 0, 255))) << scheme.bitmap;
        Picture(scheme.look);
    }
    frame->SetThemeLibrary(&themeLibrary);
}

TEST_F(ListViewTest, SplashScreenShowsItsPictureAndEnds)
{
    CSplashScreen splash;
    ASSERT_TRUE(splash.Show(frame));
    EXPECT_TRUE(splash.IsWindowVisible());
    CWnd* picture = splash.GetDlgItem(IDC_SPLASH_PICTURE);
    ASSERT_NE(nullptr, picture);
    EXPECT_NE(nullptr, reinterpret_cast<HBITMAP>(picture->SendMessage(STM_GETIMAGE, IMAGE_BITMAP, 0)));
    Settle(splash.m_hWnd);
    Picture("splash");
    splash.EndDialog(1);
    splash.DestroyWindow();
    EXPECT_FALSE(::IsWindow(splash.m_hWnd));
}

TEST_F(ListViewTest, RestylingGivesClientEdgesAndNoFlatButtons)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "restyle", WS_POPUP, CRect(0, 0, 200, 200), NULL, 0));
    struct Child {
        const char* cls;
        DWORD style;
        DWORD exStyle;
        DWORD expectedEx;     // edge bits afterwards
        HWND window;
    } children[] = {
        {"EDIT", WS_CHILD, WS_EX_STATICEDGE, WS_EX_CLIENTEDGE, NULL},
        {"EDIT", WS_CHILD, 0, 0, NULL},   // an edit without a static edge keeps its look
        {"SysListView32", WS_CHILD, 0, WS_EX_CLIENTEDGE, NULL},
        {"msctls_trackbar32", WS_CHILD, WS_EX_STATICEDGE, WS_EX_CLIENTEDGE, NULL},
        {"Button", WS_CHILD | BS_FLAT, 0, 0, NULL},
        {"Static", WS_CHILD, WS_EX_STATICEDGE, WS_EX_STATICEDGE, NULL},
    };
    for (Child& child : children)
        child.window = ::CreateWindowExA(child.exStyle, child.cls, "", child.style, 0, 0, 50, 20, host.m_hWnd, NULL,
                                         NULL, NULL);
    // a grandchild is reached too (depth first)
    HWND inner = ::CreateWindowExA(WS_EX_STATICEDGE, "EDIT", "", WS_CHILD, 0, 0, 50, 20, children[2].window, NULL,
                                   NULL, NULL);
    ControlRestyle::Apply(host.m_hWnd);
    for (const Child& child : children) {
        SCOPED_TRACE(child.cls);
        LONG_PTR ex = ::GetWindowLongPtrA(child.window, GWL_EXSTYLE);
        EXPECT_EQ(child.expectedEx, static_cast<DWORD>(ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)));
        if (lstrcmpiA(child.cls, "Button") == 0) {
            EXPECT_EQ(0, ::GetWindowLongPtrA(child.window, GWL_STYLE) & BS_FLAT);
        }
    }
    EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_CLIENTEDGE),
              ::GetWindowLongPtrA(inner, GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    host.DestroyWindow();
}

// The program ends without running the destructors of its statics: in a Winelib GUI process they
// run after ntdll has detached, and the profile store's destructor (which writes profile.cfg
// through Win32) then crashes the process. The profile is saved here instead.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ProfileStore::instance()->save();
    std::fflush(stdout);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
