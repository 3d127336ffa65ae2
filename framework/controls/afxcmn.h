// The common controls.
#pragma once
#include <afxwin.h>
#include <commctrl.h>
#include "CHeaderCtrl.h"
#include "CListCtrl.h"
#include "CSpinButtonCtrl.h"
#include "CSliderCtrl.h"
#include "CToolTipCtrl.h"
#include "CDateTimeCtrl.h"
