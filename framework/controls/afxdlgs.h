// Dialogs: the dialogs module (dialogs, data exchange, property sheets) and the common dialogs.
#pragma once
#include <afxwin.h>
#include <afxdialogs.h>
#include "CFileDialog.h"
#include "CColorDialog.h"
