#include "CExtHookSink.h"
#include <AfxThreadState.h>
#include <vector>

namespace {

typedef CMap<HWND, HWND, CExtHookSink::HookChains_t*, CExtHookSink::HookChains_t*> ChainMap;

// window -> its chain; used only on the thread that owns the windows
ChainMap& Chains()
{
    static ChainMap map(10);  // 17 buckets by default
    return map;
}

}  // namespace

bool CExtHookSink::HookChains_t::Contains(const CExtHookSink* p) const
{
    for (INT_PTR i = 0; i < m_sinks.GetSize(); ++i)
        if (m_sinks[i] == p)
            return true;
    return false;
}

CExtHookSink::CExtHookSink(bool bEnableMessageDispatch)
    : m_nHookSinkFlags(bEnableMessageDispatch ? HOOK_FLAG_DISPATCH : 0)
{
}

CExtHookSink::~CExtHookSink()
{
    ChainMap& map = Chains();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        HWND h;
        HookChains_t* pChain;
        map.GetNextAssoc(pos, h, pChain);
        for (INT_PTR i = pChain->m_sinks.GetSize(); i-- > 0;)
            if (pChain->m_sinks[i] == this)
                pChain->m_sinks.RemoveAt(i);
    }
}

CExtHookSink::HookChains_t* CExtHookSink::GetChain(HWND hWnd)
{
    HookChains_t* p = NULL;
    return Chains().Lookup(hWnd, p) ? p : NULL;
}

bool CExtHookSink::IsInAnyChain(const CExtHookSink* p)
{
    ChainMap& map = Chains();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        HWND h;
        HookChains_t* pChain;
        map.GetNextAssoc(pos, h, pChain);
        if (pChain->Contains(p))
            return true;
    }
    return false;
}

bool CExtHookSink::IsAutoDeleteHookWndSink() { return false; }

LRESULT CExtHookSink::CallOriginalWndProc(WPARAM wParam, LPARAM lParam)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallOriginalWndProc(msg.message, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    HookChains_t* pChain = GetChain(msg.hwnd);
    if (pChain == NULL || pChain->m_pWndProcSaved == NULL)
        return 0;
    return ::CallWindowProcA(pChain->m_pWndProcSaved, msg.hwnd, nMessage, wParam, lParam);
}

LRESULT CExtHookSink::CallOriginalWndProc()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallOriginalWndProc(msg.message, msg.wParam, msg.lParam);
}

bool CExtHookSink::DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                         LPARAM& lParam)
{
    if ((m_nHookSinkFlags & HOOK_FLAG_DISPATCH) == 0)
        return false;
    switch (nMessage) {
    case WM_PAINT:
        return OnHookPaintMsg(lResult, hWndHooked, (HDC)wParam);
    case WM_ERASEBKGND:
        return OnHookEraseBackgroundMsg(lResult, hWndHooked, (HDC)wParam);
    case WM_NOTIFY:
        return OnHookNotifyMsg(lResult, hWndHooked, (INT)wParam, (LPNMHDR)lParam);
    case WM_NCPAINT:
        return OnHookNcPaintMsg(lResult, hWndHooked, (HRGN)wParam);
    case WM_COMMAND:
        return OnHookCmdMsg(lResult, hWndHooked, HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
    case WM_PRINTCLIENT:
        return OnHookPrintClientMsg(lResult, hWndHooked, (HDC)wParam);
    default:
        return false;
    }
}

bool CExtHookSink::OnHookCmdMsg(LRESULT&, HWND, WORD, WORD, HWND) { return false; }
bool CExtHookSink::OnHookNotifyMsg(LRESULT&, HWND, INT, LPNMHDR) { return false; }
bool CExtHookSink::OnHookPaintMsg(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookEraseBackgroundMsg(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookPrintClientMsg(LRESULT&, HWND, HDC) { return false; }
bool CExtHookSink::OnHookNcPaintMsg(LRESULT&, HWND, HRGN) { return false; }
void CExtHookSink::OnHookWndNcDestroy() {}
void CExtHookSink::OnHookWndAttach(HWND) {}
void CExtHookSink::OnHookWndDetach(HWND) {}

bool CExtHookSink::SetupHookWndSink(HWND hWnd, bool bRemove, bool bAddToHead)
{
    if (hWnd == NULL)
        return false;
    HookChains_t* pChain = GetChain(hWnd);
    if (!bRemove) {
        if (!::IsWindow(hWnd))
            return false;
        if (pChain != NULL && pChain->Contains(this))
            return true;
        if (pChain == NULL) {
            pChain = new HookChains_t;
            pChain->m_hWnd = hWnd;
            pChain->m_pWndProcSaved =
                (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)&CExtHookSink::HookedWndProc);
            if (pChain->m_pWndProcSaved == NULL) {
                delete pChain;
                return false;
            }
            Chains()[hWnd] = pChain;
        }
        if (bAddToHead)
            pChain->m_sinks.InsertAt(0, this);
        else
            pChain->m_sinks.Add(this);
        OnHookWndAttach(hWnd);
        return true;
    }
    if (pChain == NULL || !pChain->Contains(this))
        return true;
    OnHookWndDetach(hWnd);
    for (INT_PTR i = pChain->m_sinks.GetSize(); i-- > 0;)
        if (pChain->m_sinks[i] == this)
            pChain->m_sinks.RemoveAt(i);
    // the chain and the replacement procedure stay until the window is destroyed
    if (IsAutoDeleteHookWndSink() && !IsInAnyChain(this))
        delete this;
    return true;
}

bool CExtHookSink::IsHookedWindow(HWND hWnd) const
{
    HookChains_t* pChain = GetChain(hWnd);
    return pChain != NULL && pChain->Contains(this);
}

void CExtHookSink::GetHookedWindows(CArray<HWND, HWND>& windows) const
{
    windows.RemoveAll();
    ChainMap& map = Chains();
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        HWND h;
        HookChains_t* pChain;
        map.GetNextAssoc(pos, h, pChain);
        if (pChain->Contains(this))
            windows.Add(h);
    }
}

void CExtHookSink::RemoveAllWndHooks()
{
    CArray<HWND, HWND> windows;
    GetHookedWindows(windows);
    // an auto-delete sink deletes itself when it leaves its last chain: no member is touched
    // after the last call
    const INT_PTR n = windows.GetSize();
    for (INT_PTR i = 0; i < n; ++i)
        SetupHookWndSink(windows[i], true);
}

LRESULT CALLBACK CExtHookSink::HookedWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG saved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMessage;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    const LRESULT lResult =
        AfxCallbackBarrier((LRESULT)0, [&]() { return DoHookedWndProc(hWnd, nMessage, wParam, lParam); });
    pState->m_lastSentMsg = saved;
    return lResult;
}

void CExtHookSink::EndDispatch(HookChains_t* pChain)
{
    if (--pChain->m_nDispatchDepth == 0 && pChain->m_bTornDown)
        delete pChain;
}

LRESULT CExtHookSink::DoHookedWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    HookChains_t* pChain = GetChain(hWnd);
    if (pChain == NULL)
        return 0;
    ++pChain->m_nDispatchDepth;
    struct DepthGuard {
        HookChains_t* p;
        ~DepthGuard() { EndDispatch(p); }
    } guard{pChain};

    if (nMessage == WM_NCDESTROY)
        return OnNcDestroy(pChain, wParam, lParam);

    // A handler may unhook sinks or destroy the window: walk a snapshot and skip sinks that
    // have left the chain; stop once the window's chain has been torn down.
    std::vector<CExtHookSink*> snapshot(pChain->m_sinks.GetData(),
                                        pChain->m_sinks.GetData() + pChain->m_sinks.GetSize());
    for (CExtHookSink* pSink : snapshot) {
        if (pChain->m_bTornDown)
            return 0;
        if (!pChain->Contains(pSink))
            continue;
        LRESULT lResult = 0;
        WPARAM w = wParam;
        LPARAM l = lParam;
        if (pSink->DispatchHookedMessage(lResult, hWnd, nMessage, w, l))
            return lResult;
    }
    if (pChain->m_bTornDown || pChain->m_pWndProcSaved == NULL)
        return 0;
    return ::CallWindowProcA(pChain->m_pWndProcSaved, hWnd, nMessage, wParam, lParam);
}

LRESULT CExtHookSink::OnNcDestroy(HookChains_t* pChain, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = pChain->m_hWnd;
    bool bSuppress = (pChain->m_nFlags & 0x01) != 0;
    std::vector<CExtHookSink*> snapshot(pChain->m_sinks.GetData(),
                                        pChain->m_sinks.GetData() + pChain->m_sinks.GetSize());
    for (CExtHookSink* pSink : snapshot) {
        if (!pChain->Contains(pSink))
            continue;
        pSink->OnHookWndNcDestroy();
    }
    // the handlers may have unhooked some sinks: look at who is still there
    std::vector<CExtHookSink*> remaining(pChain->m_sinks.GetData(),
                                         pChain->m_sinks.GetData() + pChain->m_sinks.GetSize());
    for (CExtHookSink* pSink : remaining)
        if ((pSink->m_nHookSinkFlags & HOOK_FLAG_SUPPRESS_NCDESTROY) != 0)
            bSuppress = true;
    pChain->m_sinks.RemoveAll();
    const WNDPROC pSaved = pChain->m_pWndProcSaved;
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pSaved);
    Chains().RemoveKey(hWnd);
    pChain->m_bTornDown = true;  // freed by the outermost dispatch of this window
    for (CExtHookSink* pSink : remaining)
        if (pSink->IsAutoDeleteHookWndSink() && !IsInAnyChain(pSink))
            delete pSink;
    if (bSuppress)
        return 0;
    return ::CallWindowProcA(pSaved, hWnd, WM_NCDESTROY, wParam, lParam);
}
