// The bar-state archive in real frames: the stored form of a layout with an inner-circle bar and a
// floating container (kept as bars_archive_golden.bin in the scratch folder), save -> load ->
// save giving the same bytes in a new frame with every bar back in its place, a save inside a
// load of the same frame, damaged archives refused whole with every bar where it was, a record
// of a bar the frame lacks, and a mini frame that cannot be made while applying.
#include "orv/gtest.h"
#include "orv/UiTest.h"
#include "orv/TestEnv.h"
#include "NcTestSupport.h"
#include "CExtDynControlBar.h"
#include "CExtDockDynBar.h"
#include "CExtMiniDockFrameWnd.h"
#include <CMemFile.h>
#include <CArchiveException.h>
#include <functional>
#include <sstream>

using namespace barstest;

namespace {

using Bytes = std::vector<BYTE>;

enum : UINT {
    ID_A = ID_PANEL_FIRST, ID_B, ID_P1, ID_P2, ID_D,
    ID_T = ID_TOOL_FIRST,
    ID_CONTAINER = AFX_IDW_DOCKBAR_TOP,   // a container carries the id of the side its rows run along
};

// A tool-bar stand-in that, while its record is handed back during a load, tries to save the
// frame that is being loaded.
class NestedSaveTool : public SizedToolBar {
public:
    void SetDockPosRecord(const DockPos_t* pRecord) override {
        SizedToolBar::SetDockPosRecord(pRecord);
        if (m_pDockSite == NULL || !CExtControlBar::IsFrameStateSerializing(m_pDockSite))
            return;
        bool bLoading = false;
        CExtControlBar::IsFrameStateSerializing(m_pDockSite, &bLoading);
        m_nTries++;
        m_bSawLoading = bLoading;
        CMemFile file;
        CArchive ar(&file, CArchive::store);
        m_bNestedResult = CExtControlBar::SerializeFrameBarState(ar, m_pDockSite);
        ar.Abort();
    }
    int m_nTries = 0;
    bool m_bSawLoading = false;
    bool m_bNestedResult = true;
};

// A floating frame that cannot be made.
class FailingMiniFrame : public CExtMiniDockFrameWnd {
    DECLARE_DYNCREATE(FailingMiniFrame)
public:
    BOOL Create(CWnd*, DWORD) override {
        delete this;
        return FALSE;
    }
};
IMPLEMENT_DYNCREATE(FailingMiniFrame, CExtMiniDockFrameWnd)

struct Layout {
    ColourPanel *a, *b, *p1, *p2, *d;
    SizedToolBar* t;
    CExtDynControlBar* pContainer = nullptr;
};

// The bars of every test frame, docked at their first places: A top and B left in circle 1,
// P1 and P2 in the top row of circle 1 too, D in the bottom outer dock bar, tool bar T top.
Layout MakeBars(Docking& d, SizedToolBar* pTool = nullptr) {
    Layout l;
    l.a = CaptionPanel(d, ID_A, "A", RGB(200, 80, 80));
    l.b = CaptionPanel(d, ID_B, "B", RGB(80, 170, 80), CSize(200, 100), CSize(120, 200));
    l.p1 = CaptionPanel(d, ID_P1, "P1", RGB(80, 110, 210));
    l.p2 = CaptionPanel(d, ID_P2, "P2", RGB(210, 170, 50));
    l.d = CaptionPanel(d, ID_D, "D", RGB(150, 90, 190), CSize(300, 80));
    l.t = d.AddTool(ID_T, "Tools", CSize(120, 24), pTool);
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_TOP)->DockControlBar(l.t);
    CExtDockBar::GetOuterDockBar(d.pFrame, AFX_IDW_DOCKBAR_BOTTOM)->DockControlBar(l.d);
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(l.a);
    d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)->DockControlBar(l.b);
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(l.p1);
    d.Dock(AFX_IDW_DOCKBAR_TOP, 1)->DockControlBar(l.p2);
    d.pFrame->RecalcLayout();
    return l;
}

// The saved layout: P1 and P2 moved into a container that floats at (620, 120).
void Arrange(Docking& d, Layout& l) {
    l.pContainer = new CExtDynControlBar;
    ASSERT_TRUE(l.pContainer->Create("Container", d.pFrame, ID_CONTAINER,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP));
    l.pContainer->EnableDocking(CBRS_ALIGN_ANY);
    l.pContainer->m_sizeFloated = CSize(220, 200);
    d.Dock(AFX_IDW_DOCKBAR_RIGHT, 1)->DockControlBar(l.pContainer);
    l.pContainer->GetInnerDockBar()->DockControlBar(l.p1);
    l.pContainer->GetInnerDockBar()->DockControlBar(l.p2);
    d.pFrame->RecalcLayout();
    d.pFrame->FloatControlBar(l.pContainer, CPoint(620, 120));
    d.pFrame->RecalcLayout();
    // the floating frame lays its container's rows out (as at the next idle time)
    l.pContainer->GetParentFrame()->RecalcLayout();
    l.pContainer->GetInnerDockBar()->RecalcNestedLayout();
    Idle();
}

Bytes Save(CFrameWnd* pFrame, bool* pbResult = nullptr) {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    const bool bResult = CExtControlBar::SerializeFrameBarState(ar, pFrame);
    ar.Close();
    if (pbResult != nullptr)
        *pbResult = bResult;
    const UINT n = (UINT)file.GetLength();
    Bytes bytes(n);
    file.SeekToBegin();
    if (n != 0)
        file.Read(bytes.data(), n);
    return bytes;
}

bool Load(CFrameWnd* pFrame, const Bytes& bytes, WINDOWPLACEMENT* pWp = nullptr) {
    Bytes copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    const bool bResult = CExtControlBar::SerializeFrameBarState(ar, pFrame, pWp);
    ar.Abort();
    return bResult;
}

// Where every bar of the frame is: its id, parent window class, rectangle and visibility.
std::string Placement(CFrameWnd* pFrame) {
    std::ostringstream out;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == NULL)
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        out << std::hex << pBar->GetDlgCtrlID() << std::dec << " in " << (void*)::GetParent(pBar->m_hWnd) << " "
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom
            << (pBar->IsWindowVisible() ? " shown" : " hidden") << "\n";
    }
    return out.str();
}

DWORD DwordAt(const Bytes& b, size_t off) {
    return (DWORD)b[off] | ((DWORD)b[off + 1] << 8) | ((DWORD)b[off + 2] << 16) | ((DWORD)b[off + 3] << 24);
}
void PutDword(Bytes& b, size_t off, DWORD v) {
    for (int i = 0; i < 4; i++)
        b[off + i] = (BYTE)(v >> (8 * i));
}

// The offsets of the stored form's parts, read back with the archive's own records.
struct Parts {
    size_t nPlacement = 0;     // the placement string's length byte
    size_t nRowCount = 0;
    std::vector<size_t> rows;  // each row's start
    size_t nRecordCount = 0;
    struct Record {
        size_t nStart, nSize;
        DWORD dwFlags;
        int nDepth;
    };
    std::vector<Record> records;   // in stored order, children after their container
};

Parts Parse(const Bytes& bytes) {
    Parts p;
    Bytes copy(bytes);
    CMemFile file(copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    const size_t n = bytes.size();
    auto at = [&] { return n - (size_t)ar.GetBytesLeft(); };
    CString str;
    ar >> str;
    DWORD dw;
    for (int i = 0; i < 6; i++)
        ar >> dw;
    p.nPlacement = at();
    ar >> str;
    CDockState state;
    state.Serialize(ar);
    p.nRowCount = at();
    DWORD nRows = 0;
    ar >> nRows;
    for (DWORD i = 0; i < nRows; i++) {
        p.rows.push_back(at());
        CExtControlBar::OuterItemData_t row;
        row.Serialize(ar);
    }
    p.nRecordCount = at();
    DWORD nRecords = 0;
    ar >> nRecords;
    std::function<void(int)> record = [&](int nDepth) {
        const size_t nStart = at();
        const size_t nIdx = p.records.size();
        p.records.push_back({nStart, 0, 0, nDepth});
        BYTE skip[124];
        ar.Read(skip, sizeof skip);
        p.records[nIdx].dwFlags = DwordAt(Bytes(skip, skip + 24), 20);
        int nChildren = 0;
        ar >> nChildren;
        for (int i = 0; i < nChildren; i++)
            record(nDepth + 1);
        p.records[nIdx].nSize = at() - nStart;   // with its children
    };
    for (DWORD i = 0; i < nRecords; i++)
        record(0);
    ar.Abort();
    return p;
}

std::string Rows(CExtDockBar* pDock) { return barstest::Rows(pDock); }

}  // namespace

// ---- the stored form ------------------------------------------------------------------------------

TEST(BarStateArchive, TheStoredFormOfAnInnerCircleBarAndAFloatingContainer) {
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    Arrange(d, l);
    ASSERT_TRUE(l.pContainer->IsFloating());
    bool bSaved = false;
    const Bytes bytes = Save(d.pFrame, &bSaved);
    ASSERT_TRUE(bSaved);
    ASSERT_GT(bytes.size(), 64u);
    // the header: its length byte and text, the two versions, four zeros
    EXPECT_EQ(0x27, bytes[0]);
    EXPECT_EQ("Orvel-UI (v. 2.2.7.1) control bar state", std::string(bytes.begin() + 1, bytes.begin() + 40));
    EXPECT_EQ(0x02020701u, DwordAt(bytes, 40));
    EXPECT_EQ(0x202u, DwordAt(bytes, 44));
    for (size_t off = 48; off < 64; off += 4)
        EXPECT_EQ(0u, DwordAt(bytes, off));
    // the placement as text
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    d.pFrame->GetWindowPlacement(&wp);
    CString strPlacement;
    strPlacement.Format("%d,%d,%d,%d,%d,%d", (int)wp.rcNormalPosition.left, (int)wp.rcNormalPosition.top,
                        (int)wp.rcNormalPosition.right, (int)wp.rcNormalPosition.bottom, (int)wp.showCmd,
                        (int)wp.flags);
    EXPECT_EQ(strPlacement.GetLength(), bytes[64]);
    EXPECT_EQ(std::string((LPCTSTR)strPlacement), std::string(bytes.begin() + 65, bytes.begin() + 65 + bytes[64]));

    const Parts p = Parse(bytes);
    // rows: the tool bar (its record held) and D of the outer dock bar (an empty record: WORD 1)
    ASSERT_EQ(2u, p.rows.size());
    size_t nToolRow = 0, nPanelRow = 0;
    for (size_t off : p.rows) {
        if (DwordAt(bytes, off + 2) == ID_T)
            nToolRow = off;
        if (DwordAt(bytes, off + 2) == ID_D)
            nPanelRow = off;
    }
    ASSERT_NE(0u, nToolRow);
    ASSERT_NE(0u, nPanelRow);
    EXPECT_EQ(0x0001, bytes[nPanelRow + 38] | (bytes[nPanelRow + 39] << 8)) << "an empty record is the WORD 1";
    EXPECT_EQ(0x0000, bytes[nToolRow + 38] | (bytes[nToolRow + 39] << 8)) << "the tool bar's record is held";
    EXPECT_EQ(1u, DwordAt(bytes, nToolRow + 40));
    // records: A (top, circle 1), B (left, circle 1), the floating container with P1 and P2
    ASSERT_EQ(5u, p.records.size());
    int nBars = 0, nContainers = 0, nChildren = 0;
    for (const Parts::Record& r : p.records) {
        const DWORD dwKind = r.dwFlags & 0x0F;
        const int nID = (int)DwordAt(bytes, r.nStart);
        if (r.nDepth == 1) {
            nChildren++;
            EXPECT_EQ(0x80u | 0x10u | 1u, r.dwFlags & 0xBF) << nID;
            EXPECT_EQ(128u, r.nSize);
        } else if (dwKind == 2) {
            nContainers++;
            EXPECT_EQ(ID_CONTAINER, (UINT)nID);
            EXPECT_EQ(0x20u, r.dwFlags & 0x20) << "it floats in its own mini frame";
            EXPECT_EQ(128u * 3, r.nSize) << "the container and its two bars";
            EXPECT_EQ(AFX_IDW_DOCKBAR_FLOAT, DwordAt(bytes, r.nStart + 4));
        } else {
            nBars++;
            EXPECT_EQ(128u, r.nSize);
            EXPECT_EQ(1u, DwordAt(bytes, r.nStart + 8)) << "circle 1";
        }
    }
    EXPECT_EQ(2, nBars);
    EXPECT_EQ(1, nContainers);
    EXPECT_EQ(2, nChildren);
    // kept as the golden file of this layout, written through the framework's file classes
    const std::string path = orvtest::makeScratchFolder("bars_archive") + "\\bars_archive_golden.bin";
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    file.Write(bytes.data(), (UINT)bytes.size());
    file.Close();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), orvtest::readFile(path));
}

// ---- the round trip --------------------------------------------------------------------------------

TEST(BarStateArchive, SaveLoadSaveGivesTheSameBytesWithEveryBarBackInItsPlace) {
    Bytes first;
    std::string placeFirst;
    {
        Docking d(CRect(20, 20, 580, 460));
        Layout l = MakeBars(d);
        Arrange(d, l);
        first = Save(d.pFrame);
        CRect rcMini;
        l.pContainer->GetParentFrame()->GetWindowRect(&rcMini);
        placeFirst = std::to_string(rcMini.left) + "," + std::to_string(rcMini.top);
    }
    // a new frame whose bars stand at their first places
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    WINDOWPLACEMENT wp = {};
    ASSERT_TRUE(Load(d.pFrame, first, &wp));
    EXPECT_EQ(CRect(20, 20, 580, 460), CRect(wp.rcNormalPosition));
    EXPECT_FALSE(CExtControlBar::IsFrameStateSerializing(d.pFrame));
    EXPECT_FALSE(d.pFrame->m_bInRecalcLayout);
    d.pFrame->RecalcLayout();
    Idle();
    // A and B in circle 1 of their sides; P1 and P2 in a floating container
    EXPECT_EQ("A |", Rows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1)));
    EXPECT_EQ("B |", Rows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)));
    CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, l.p1->m_pDockBar->GetParent());
    ASSERT_NE(nullptr, pContainer);
    EXPECT_EQ(ID_CONTAINER, (UINT)pContainer->GetDlgCtrlID());
    EXPECT_TRUE(pContainer->IsFloating());
    EXPECT_EQ(pContainer, DYNAMIC_DOWNCAST(CExtDynControlBar, l.p2->m_pDockBar->GetParent()));
    EXPECT_EQ("P1 | P2 |", Rows(pContainer->GetInnerDockBar()));
    CFrameWnd* pMini = pContainer->GetParentFrame();
    ASSERT_TRUE(pMini != nullptr && pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
    CRect rcMini;
    pMini->GetWindowRect(&rcMini);
    EXPECT_EQ(placeFirst, std::to_string(rcMini.left) + "," + std::to_string(rcMini.top));
    EXPECT_TRUE(pMini->IsWindowVisible());
    EXPECT_TRUE(l.a->IsWindowVisible());
    EXPECT_TRUE(l.t->IsWindowVisible());
    const Bytes second = Save(d.pFrame);
    size_t nDiff = 0;
    while (nDiff < first.size() && nDiff < second.size() && first[nDiff] == second[nDiff])
        nDiff++;
    const Parts parts = Parse(first);
    EXPECT_TRUE(first == second) << "save -> load -> save gives the same bytes; sizes " << first.size() << " and "
                                 << second.size() << ", first difference at " << nDiff << " (rows from "
                                 << parts.nRowCount << ", records from " << parts.nRecordCount << ")"
                                 << (nDiff + 8 <= first.size() && nDiff + 8 <= second.size()
                                         ? ": " + std::to_string((int)DwordAt(first, nDiff & ~3u)) + "," +
                                               std::to_string((int)DwordAt(first, (nDiff & ~3u) + 4)) + " against " +
                                               std::to_string((int)DwordAt(second, nDiff & ~3u)) + "," +
                                               std::to_string((int)DwordAt(second, (nDiff & ~3u) + 4))
                                         : std::string());
}

TEST(BarStateArchive, ASaveInsideALoadOfTheSameFrameAnswersFalse) {
    Bytes bytes;
    {
        Docking d(CRect(20, 20, 580, 460));
        MakeBars(d);
        bytes = Save(d.pFrame);
    }
    Docking d(CRect(20, 20, 580, 460));
    auto* pTool = new NestedSaveTool;
    MakeBars(d, pTool);
    ASSERT_TRUE(Load(d.pFrame, bytes));
    EXPECT_GT(pTool->m_nTries, 0);
    EXPECT_TRUE(pTool->m_bSawLoading);
    EXPECT_FALSE(pTool->m_bNestedResult);
    // registered by hand: the same answer; afterwards the frame saves again
    ASSERT_TRUE(CExtControlBar::RegisterFrameStateSerializing(d.pFrame, false));
    EXPECT_FALSE(CExtControlBar::RegisterFrameStateSerializing(d.pFrame, true));
    bool bSaved = true;
    Save(d.pFrame, &bSaved);
    EXPECT_FALSE(bSaved);
    EXPECT_TRUE(CExtControlBar::UnregisterFrameStateSerializing(d.pFrame));
    EXPECT_FALSE(CExtControlBar::UnregisterFrameStateSerializing(d.pFrame));
    Save(d.pFrame, &bSaved);
    EXPECT_TRUE(bSaved);
}

// A drag asked for while the frame's bar state is being saved or loaded does not start: it leaves
// the waiting keys alone and takes no capture. Without the save or load the same request takes
// the keys and ends on the queued button-up.
TEST(BarStateArchive, NoDragStartsWhileTheFrameIsBeingSavedOrLoaded) {
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    const HWND hBar = l.a->GetSafeHwnd();
    CRect rc;
    l.a->GetWindowRect(&rc);
    const POINT ptStart = rc.CenterPoint();
    const POINT ptGrab = {4, 4};
    auto tryDrag = [&]() {
        MSG msg;
        while (::PeekMessageA(&msg, hBar, 0, 0, PM_REMOVE)) {
        }
        ::PostMessageA(hBar, WM_KEYDOWN, 'A', 0);
        ::PostMessageA(hBar, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        l.a->DraggingStart(&ptStart, &ptGrab, 4, 4);
        const bool bKeyLeft = ::PeekMessageA(&msg, hBar, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) != FALSE;
        while (::PeekMessageA(&msg, hBar, 0, 0, PM_REMOVE)) {
        }
        return bKeyLeft;
    };
    for (bool bLoading : {true, false}) {
        SCOPED_TRACE(bLoading ? "loading" : "saving");
        ASSERT_TRUE(CExtControlBar::RegisterFrameStateSerializing(d.pFrame, bLoading));
        EXPECT_TRUE(tryDrag());
        EXPECT_EQ(::GetCapture(), (HWND)NULL);
        EXPECT_TRUE(CExtControlBar::UnregisterFrameStateSerializing(d.pFrame));
    }
    EXPECT_FALSE(tryDrag());
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}

// ---- damaged archives ------------------------------------------------------------------------------

TEST(BarStateArchive, DamagedArchivesAreRefusedWholeWithEveryBarWhereItWas) {
    Bytes good;
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    Arrange(d, l);
    good = Save(d.pFrame);
    const Parts p = Parse(good);
    ASSERT_EQ(5u, p.records.size());
    size_t nContainer = 0, nChild = 0, nBar = 0;
    for (const Parts::Record& r : p.records) {
        if (r.nDepth == 0 && (r.dwFlags & 0x0F) == 2)
            nContainer = r.nStart;
        else if (r.nDepth == 1 && nChild == 0)
            nChild = r.nStart;
        else if (r.nDepth == 0 && nBar == 0)
            nBar = r.nStart;
    }
    ASSERT_NE(0u, nContainer);
    ASSERT_NE(0u, nChild);
    ASSERT_NE(0u, nBar);
    auto with = [&](std::function<void(Bytes&)> f) {
        Bytes b(good);
        f(b);
        return b;
    };
    auto placement = [&](const std::string& text) {
        Bytes b(good.begin(), good.begin() + p.nPlacement);
        b.push_back((BYTE)text.size());
        b.insert(b.end(), text.begin(), text.end());
        b.insert(b.end(), good.begin() + p.nPlacement + 1 + good[p.nPlacement], good.end());
        return b;
    };
    struct Case {
        std::string what;
        Bytes bytes;
    };
    std::vector<Case> cases = {
        {"empty", Bytes()},
        {"second DWORD not 0x202", with([](Bytes& b) { PutDword(b, 44, 0x203); })},
        {"five-number placement", placement("10,10,400,300,1")},
        {"seven-number placement", placement("10,10,400,300,1,0,5")},
        {"placement with letters", placement("10,10,4x0,300,1,0")},
        {"empty placement rectangle", placement("10,10,10,300,1,0")},
        {"placement beyond int", placement("10,10,99999999999,300,1,0")},
        {"unknown show command", placement("10,10,400,300,12,0")},
        {"negative show command", placement("10,10,400,300,-1,0")},
        {"unknown placement flags", placement("10,10,400,300,1,8")},
        {"dock-bar id of no side", with([&](Bytes& b) { PutDword(b, nBar + 4, 0x1234); })},
        {"circle 0 for an inner-circle bar", with([&](Bytes& b) { PutDword(b, nBar + 8, 0); })},
        {"circle far out", with([&](Bytes& b) { PutDword(b, nBar + 8, 100000); })},
        {"kind 0", with([&](Bytes& b) { PutDword(b, nBar + 20, (DwordAt(b, nBar + 20) & ~0x0Fu)); })},
        {"kind 3", with([&](Bytes& b) { PutDword(b, nBar + 20, (DwordAt(b, nBar + 20) & ~0x0Fu) | 3); })},
        {"unknown flag bits", with([&](Bytes& b) { PutDword(b, nBar + 20, DwordAt(b, nBar + 20) | 0x100); })},
        {"a container inside a container", with([&](Bytes& b) {
             PutDword(b, nChild + 20, (DwordAt(b, nChild + 20) & ~0x0Fu) | 2);
         })},
        {"a bar of a container at the top", with([&](Bytes& b) { PutDword(b, nBar + 20, DwordAt(b, nBar + 20) | 0x80); })},
        {"children of a plain bar", with([&](Bytes& b) { PutDword(b, nBar + 124, 1); })},
        {"child count beyond the data", with([&](Bytes& b) { PutDword(b, nContainer + 124, 1000); })},
        {"negative child count", with([&](Bytes& b) { PutDword(b, nContainer + 124, 0xFFFFFFFF); })},
        {"record count beyond the data", with([&](Bytes& b) { PutDword(b, p.nRecordCount, 0x7FFFFFFF); })},
        {"record count one more", with([&](Bytes& b) { PutDword(b, p.nRecordCount, DwordAt(b, p.nRecordCount) + 1); })},
        {"row count beyond the data", with([&](Bytes& b) { PutDword(b, p.nRowCount, 0x10000000); })},
        {"row flags", with([&](Bytes& b) { b[p.rows[0]] = 2; })},
        {"docking-position flags", with([&](Bytes& b) { b[p.rows[0] + 38] |= 2; })},
    };
    for (size_t n = 1; n < good.size(); n++)
        cases.push_back({"cut at " + std::to_string(n), Bytes(good.begin(), good.begin() + n)});

    Idle();
    const std::string before = Placement(d.pFrame);
    const std::string rowsTop = Rows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1));
    for (const Case& c : cases) {
        EXPECT_FALSE(Load(d.pFrame, c.bytes)) << c.what;
        EXPECT_FALSE(CExtControlBar::IsFrameStateSerializing(d.pFrame)) << c.what;
        EXPECT_FALSE(d.pFrame->m_bInRecalcLayout) << c.what;
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "stopped at " << c.what;
            break;
        }
    }
    Idle();
    EXPECT_EQ(before, Placement(d.pFrame)) << "every bar where it was";
    EXPECT_EQ(rowsTop, Rows(d.Dock(AFX_IDW_DOCKBAR_TOP, 1)));
    // the archive itself loads: the table's damage is what refused it
    EXPECT_TRUE(Load(d.pFrame, good));
    // a header text of another wording loads too (only the short version is checked)
    Bytes other(good);
    other[5] = 'X';
    EXPECT_TRUE(Load(d.pFrame, other));
}

TEST(BarStateArchive, ARecordOfABarTheFrameLacksIsSkipped) {
    Bytes bytes;
    {
        Docking d(CRect(20, 20, 580, 460));
        Layout l = MakeBars(d);
        Arrange(d, l);
        bytes = Save(d.pFrame);
    }
    const Parts p = Parse(bytes);
    for (const Parts::Record& r : p.records)
        if (DwordAt(bytes, r.nStart) == ID_A)
            PutDword(bytes, r.nStart, 0x6777);
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    ASSERT_TRUE(Load(d.pFrame, bytes));
    d.pFrame->RecalcLayout();
    EXPECT_EQ("B |", Rows(d.Dock(AFX_IDW_DOCKBAR_LEFT, 1)));
    CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, l.p1->m_pDockBar->GetParent());
    ASSERT_NE(nullptr, pContainer);
    EXPECT_TRUE(pContainer->IsFloating());
}

TEST(BarStateArchive, AMiniFrameThatCannotBeMadeLeavesTheFrameLaidOutWithEveryBarDocked) {
    Bytes bytes;
    {
        Docking d(CRect(20, 20, 580, 460));
        Layout l = MakeBars(d);
        Arrange(d, l);
        bytes = Save(d.pFrame);
    }
    Docking d(CRect(20, 20, 580, 460));
    Layout l = MakeBars(d);
    CRuntimeClass* pOld = d.pFrame->m_pFloatingFrameClass;
    d.pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(FailingMiniFrame);
    EXPECT_FALSE(Load(d.pFrame, bytes));
    d.pFrame->m_pFloatingFrameClass = pOld;
    EXPECT_FALSE(d.pFrame->m_bInRecalcLayout) << "the frame lays out again";
    EXPECT_FALSE(CExtControlBar::IsFrameStateSerializing(d.pFrame));
    Idle();
    d.pFrame->RecalcLayout();
    // no bar is lost: every panel sits in a dock bar of the frame and shows
    for (ColourPanel* pBar : {l.a, l.b, l.p1, l.p2, l.d}) {
        ASSERT_NE(nullptr, pBar->m_pDockBar) << (LPCTSTR)CString(pBar->GetDlgCtrlID() == (int)ID_A ? "A" : "?");
        EXPECT_FALSE(pBar->IsFloating());
        EXPECT_TRUE(pBar->IsWindowVisible()) << pBar->GetDlgCtrlID();
    }
    // and the frame loads the archive once the mini frame can be made
    EXPECT_TRUE(Load(d.pFrame, bytes));
}
