// Extensions of the window layer: everything of afxwin.h and the control wrappers, and the
// docking module's bars for a program that links it.
#pragma once
#include <afxwin.h>
#include "afxcontrols.h"
#include "afxcmn.h"
#if __has_include(<afxdocking.h>)
#include <afxdocking.h>
#endif
