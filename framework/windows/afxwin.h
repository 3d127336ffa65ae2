// The window layer: command targets, message maps, windows, menus, threads, the application,
// and the GDI module's device contexts and drawing objects.
#pragma once
#include "afxwincore.h"

// Dialogs, frames and views live in modules of their own; a program that links them (and so
// has their headers on its include path) gets them through this header too.
#if __has_include(<afxdialogs.h>)
#include <afxdialogs.h>
#endif
#if __has_include(<afxframes.h>)
#include <afxframes.h>
#endif
