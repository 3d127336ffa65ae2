#include "AfxState.h"
#include <atomic>

namespace {
std::atomic<HINSTANCE> g_hInstance{NULL};
std::atomic<HINSTANCE> g_hResource{NULL};
AFX_MODULE_STATE g_moduleState;
}  // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    HINSTANCE h = g_hInstance.load();
    return h != NULL ? h : ::GetModuleHandleA(NULL);
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInst) { g_hInstance.store(hInst); }

HINSTANCE AFXAPI AfxGetResourceHandle() {
    HINSTANCE h = g_hResource.load();
    return h != NULL ? h : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource.store(hInstResource); }

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() { return &g_moduleState; }
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState() { return &g_moduleState; }
