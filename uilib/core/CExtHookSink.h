// Lets an object watch and answer the messages of a window it does not own. The window is
// subclassed once; every message goes through the chain of sinks hooked on it, in order, before
// the window's own procedure. Several sinks may hook one window and one sink several windows.
//
// A sink's handler may unhook sinks (itself included) or destroy the window: the chain is walked
// over a snapshot, sinks no longer in the chain are skipped, and a chain torn down by
// WM_NCDESTROY inside a handler is freed when the outermost dispatch returns. An auto-delete sink
// is deleted once it is in no window's chain.
#pragma once
#include <afxwin.h>

class CExtHookSink {
public:
    typedef CArray<CExtHookSink*, CExtHookSink*> HookSinkArray_t;

    struct HookChains_t {
        BYTE m_nFlags = 0;  // bit 0: WM_NCDESTROY never reaches the saved procedure
        HookSinkArray_t m_sinks;
        HWND m_hWnd = NULL;
        WNDPROC m_pWndProcSaved = NULL;
        int m_nDispatchDepth = 0;  // handlers of this window running now
        bool m_bTornDown = false;  // WM_NCDESTROY done; freed when the last dispatch ends
        bool Contains(const CExtHookSink* p) const;
    };

    enum { HOOK_FLAG_DISPATCH = 0x01, HOOK_FLAG_SUPPRESS_NCDESTROY = 0x02 };

    explicit CExtHookSink(bool bEnableMessageDispatch = true);
    // A sink that goes away leaves every chain it was in (no calls are made on it).
    virtual ~CExtHookSink();

    virtual bool IsAutoDeleteHookWndSink();
    virtual LRESULT CallOriginalWndProc(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalWndProc(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallOriginalWndProc();
    virtual bool DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                       LPARAM& lParam);
    virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWndHooked, WORD wNotifyCode, WORD wID, HWND hWndCtrl);
    virtual bool OnHookNotifyMsg(LRESULT& lResult, HWND hWndHooked, INT nIdCtrl, LPNMHDR lpnmhdr);
    virtual bool OnHookPaintMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
    virtual bool OnHookEraseBackgroundMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
    virtual bool OnHookPrintClientMsg(LRESULT& lResult, HWND hWndHooked, HDC hDC);
    virtual bool OnHookNcPaintMsg(LRESULT& lResult, HWND hWndHooked, HRGN hRgnUpdate);
    virtual void OnHookWndNcDestroy();
    virtual void OnHookWndAttach(HWND hWnd);
    virtual void OnHookWndDetach(HWND hWnd);
    virtual bool SetupHookWndSink(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
    virtual void RemoveAllWndHooks();

    bool IsHookedWindow(HWND hWnd) const;
    // Every window whose chain holds this sink.
    void GetHookedWindows(CArray<HWND, HWND>& windows) const;
    // The chain of a window, NULL when it is not hooked.
    static HookChains_t* GetChain(HWND hWnd);

    BYTE m_nHookSinkFlags;

private:
    static LRESULT CALLBACK HookedWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    static LRESULT DoHookedWndProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    static LRESULT OnNcDestroy(HookChains_t* pChain, WPARAM wParam, LPARAM lParam);
    static bool IsInAnyChain(const CExtHookSink* p);
    static void EndDispatch(HookChains_t* pChain);
};
