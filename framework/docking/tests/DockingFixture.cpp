#include "DockingFixture.h"
#include <CMemFile.h>
#include <sstream>

namespace docktest {

CWinApp& App()
{
    static CWinApp app("Orvane docking tests");
    return app;
}

BOOL CFixedBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW)), NULL,
                        WS_CHILD | WS_VISIBLE | (dwStyle & ~CBRS_ALL), CRect(0, 0, 0, 0), pParent, nID);
}

CSize CFixedBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(m_nLength, m_nThickness) : CSize(m_nThickness, m_nLength);
}

void CFixedBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    m_nUpdates++;
    m_pLastTarget = pTarget;
}

void CFixedBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, m_color);
    pDC->Draw3dRect(&rect, RGB(255, 255, 255), RGB(0, 0, 0));
}

CSize CSizingBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
    if (nMode & LM_HORZDOCK)
        return m_sizeHorz;
    if (nMode & LM_VERTDOCK)
        return m_sizeVert;
    if ((nMode & LM_COMMIT) && nLength >= 0) {
        if (nMode & LM_LENGTHY)
            m_sizeFloat.cy = nLength;
        else
            m_sizeFloat.cx = nLength;
    }
    return m_sizeFloat;
}

BOOL CDockFrame::CreateAt(const CRect& rect, LPCTSTR lpszTitle)
{
    if (!Create(NULL, lpszTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE, rect))
        return FALSE;
    m_pView = new CWnd;
    m_pView->Create(AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), NULL, WS_CHILD | WS_VISIBLE,
                    CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST);
    return TRUE;
}

namespace {

std::string BarName(CFrameWnd* pFrame, UINT nID)
{
    CControlBar* pBar = pFrame->GetControlBar(nID);
    CString strName;
    if (pBar != nullptr)
        pBar->GetWindowText(strName);
    return strName.IsEmpty() ? std::to_string(nID) : std::string(strName);
}

}  // namespace

std::string Rows(CDockBar* pDockBar, CFrameWnd* pFrame)
{
    std::string text;
    const CPtrArray& arr = pDockBar->m_arrBars;
    if (arr.GetSize() == 0 || arr[0] != nullptr || arr[arr.GetSize() - 1] != nullptr)
        return "broken: no NULL at an end";
    for (INT_PTR i = 1; i < arr.GetSize(); i++) {
        void* p = arr[i];
        if (!text.empty())
            text += " ";
        if (p == nullptr)
            text += arr[i - 1] == nullptr ? "EMPTY-ROW" : "|";
        else if (AfxIsPlaceHolder(p))
            text += "(" + BarName(pFrame, (UINT)(UINT_PTR)p) + ")";
        else {
            CControlBar* pBar = static_cast<CControlBar*>(p);
            text += BarName(pFrame, (UINT)pBar->GetDlgCtrlID());
            if (pBar->m_pDockBar != pDockBar)
                text += "!dockbar";
            if (pBar->GetParent() != pDockBar)
                text += "!parent";
        }
    }
    return text;
}

CRect ChildRect(CWnd* pWnd)
{
    CRect rect = ScreenRect(pWnd);
    ::MapWindowPoints(NULL, ::GetParent(pWnd->m_hWnd), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

CRect ScreenRect(CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return rect;
}

std::string StoredForm(CDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    ULONGLONG nLength = file.GetLength();
    std::string bytes((size_t)nLength, '\0');
    file.SeekToBegin();
    file.Read(&bytes[0], (UINT)nLength);
    return bytes;
}

std::string StoredForm(CFrameWnd* pFrame)
{
    CDockState state;
    pFrame->GetDockState(state);
    return StoredForm(state);
}

std::string Placement(CFrameWnd* pFrame)
{
    std::ostringstream os;
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar())
            continue;
        CRect rect = ScreenRect(pBar);
        CWnd* pDock = pBar->m_pDockBar;
        os << BarName(pFrame, (UINT)pBar->GetDlgCtrlID()) << " in "
           << (pDock == nullptr ? 0 : pDock->GetDlgCtrlID()) << (pBar->IsWindowVisible() ? " shown " : " hidden ")
           << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")\n";
    }
    return os.str();
}

}  // namespace docktest
