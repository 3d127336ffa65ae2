// Extensions of the window layer: everything of afxwin.h and the control wrappers.
#pragma once
#include <afxwin.h>
#include "afxcontrols.h"
#include "afxcmn.h"
