// Process-wide framework state that the base layer needs: the module handles used to find
// resources, and the module-state guard that exported functions put on entry.
//
// There is exactly one copy of the framework in a program (every library links it statically),
// so the per-module state of the platform this layer replaces collapses into one process state
// and the guard has nothing to switch.
#pragma once
#include "AfxDefs.h"

// Handle of the program module (the .exe); resources are looked for there last.
HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInst);
// Module searched first for resources (a resource-only library when one is loaded), else the
// program module.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

struct AFX_MODULE_STATE {};
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*) {}
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p)
