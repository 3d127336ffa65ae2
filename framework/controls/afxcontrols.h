// The standard controls.
#pragma once
#include <afxwin.h>
#include "CButton.h"
#include "CStatic.h"
#include "CEdit.h"
#include "CComboBox.h"
#include "CListBox.h"
#include "COleControl.h"
